#include <QtTest>

#include "data/featuretable.h"
#include "data/indexlists.h"

#include <memory>

class TestIndexLists : public QObject {
    Q_OBJECT

private slots:
    void alphabeticalOrderIgnoresCaseAndAccents()
    {
        QStringList names{"zeta", "Beta *", "Mare", "alpha", "Ångström", "Alpha", "Mare", "Rimae", "Rima ", "Zeta", "Ab"};
        sortAlphabetically(names);
        // A lower-case initial is not put after the capitals; equal and
        // case-equal names keep their order; "Rima " stands before "Rimae".
        QCOMPARE(names, QStringList({"Ab", "alpha", "Alpha", "Ångström", "Beta *", "Mare", "Mare", "Rima ", "Rimae",
                                     "zeta", "Zeta"}));
        QStringList empty;
        sortAlphabetically(empty);
        QVERIFY(empty.isEmpty());
        // The order tells which name went where, so equal names stay apart.
        const std::vector<int> order = alphabeticalOrder({"b", "a", "B", "a"});
        QCOMPARE(order, std::vector<int>({1, 3, 0, 2}));
    }

    // As a Dutch reader looks names up: the no-break space of the data set's
    // "La\u00a0Caille" is a blank, letters of other alphabets sort where their
    // Latin spelling would, numbers by their value.
    void alphabeticalOrderAsADutchReaderExpects()
    {
        const QChar nbsp(0x00A0);
        QStringList names{QStringLiteral("Lavoisier"), QStringLiteral("La") + nbsp + QStringLiteral("Caille"),
                          QStringLiteral("Lade"), QStringLiteral("La Condamine")};
        sortAlphabetically(names);
        QCOMPARE(names, QStringList({QStringLiteral("La") + nbsp + QStringLiteral("Caille"),
                                     QStringLiteral("La Condamine"), QStringLiteral("Lade"),
                                     QStringLiteral("Lavoisier")}));
        QStringList typed{QStringLiteral("Zach"), QStringLiteral("Æstrup"), QStringLiteral("Ørsted"),
                          QStringLiteral("Œuvre"), QStringLiteral("Großmann"), QStringLiteral("Grove"),
                          QStringLiteral("Adams"), QStringLiteral("Orontius"), QStringLiteral("Oersted")};
        sortAlphabetically(typed);
        QCOMPARE(typed, QStringList({"Adams", QStringLiteral("Æstrup"), "Großmann", "Grove", "Oersted",
                                     QStringLiteral("Œuvre"), "Orontius", QStringLiteral("Ørsted"), "Zach"}));
        QStringList landings{"Luna 13 Landing", "Luna 2 Landing", "Apollo 17 Landing", "Luna 9 Landing",
                             "Apollo 11 Landing"};
        sortAlphabetically(landings);
        QCOMPARE(landings, QStringList({"Apollo 11 Landing", "Apollo 17 Landing", "Luna 2 Landing", "Luna 9 Landing",
                                        "Luna 13 Landing"}));
    }

    void totalIndexLinesSplitAtTheirTag()
    {
        QCOMPARE(totalIndexLine(QStringLiteral("Copernicus *"), 0), QStringLiteral("Copernicus *   [ek]"));
        QCOMPARE(totalIndexLine(QStringLiteral("Tycho"), 1), QStringLiteral("Tycho   [vm]"));
        QCOMPARE(totalIndexLine(QStringLiteral("Tycho"), 2), QStringLiteral("Tycho   [lk]"));
        QCOMPARE(QLatin1String(viewTags[2].indexFile), QLatin1String("maan_lk.dat"));

        // Every name comes back whole, also with "[" or blanks of its own.
        for (const QString& name : {QStringLiteral("Mons [lk] Piton"), QStringLiteral("[vm]"), QStringLiteral("Rima "),
                                    QStringLiteral("  "), QString(), QStringLiteral("Apollo 11 Landing")})
            for (int view = 0; view < ViewCount; ++view) {
                const TotalIndexEntry e = splitTotalIndexLine(totalIndexLine(name, view));
                QCOMPARE(e.name, name);
                QCOMPARE(e.view, view);
            }
        // A line without a known tag names no view.
        for (const char* line : {"Tycho   [xx]", "Tycho [vm]", "[vm]", "", "Tycho"})
            QCOMPARE(splitTotalIndexLine(QString::fromLatin1(line)).view, -1);
    }

    void deletingMovesTheLaterSlotsDown()
    {
        auto table = std::make_unique<FeatureTable>();
        for (int i = 1; i <= 10; ++i) {
            table->slot(i).setName(QStringLiteral("F%1").arg(i));
            table->slot(i).setPosition(i * 10, i * 20);
        }
        table->deleteSlot(3);
        for (int i = 1; i <= 9; ++i) {
            const int old = i < 3 ? i : i + 1;
            QCOMPARE(table->slot(i).name(), QStringLiteral("F%1").arg(old));
            QCOMPARE(table->slot(i).x(), old * 10.0);
            QCOMPARE(table->slot(i).y(), old * 20.0);
        }
        QVERIFY(!table->slot(10).inUse());
        QCOMPARE(table->firstEmptySlot(), 10);

        // The last slot of a full table becomes empty.
        for (int i = 1; i <= FeatureTableSize; ++i)
            table->slot(i).setName(QStringLiteral("G%1").arg(i));
        QCOMPARE(table->firstEmptySlot(), 0);
        table->deleteSlot(FeatureTableSize);
        QCOMPARE(table->firstEmptySlot(), FeatureTableSize);
        table->deleteSlot(1);
        QCOMPARE(table->slot(1).name(), QStringLiteral("G2"));
        QCOMPARE(table->firstEmptySlot(), FeatureTableSize - 1);
        // Slots outside the table are left alone.
        table->deleteSlot(0);
        table->deleteSlot(FeatureTableSize + 1);
        QCOMPARE(table->slot(1).name(), QStringLiteral("G2"));
    }
};

QTEST_APPLESS_MAIN(TestIndexLists)
#include "test_indexlists.moc"
