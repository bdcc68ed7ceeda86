#include <QtTest>

#include "data/featuretable.h"
#include "data/indexlists.h"
#include "data/namesearch.h"
#include "tests/common/workdir.h"

namespace {
QStringList folded(const QStringList& names)
{
    QStringList f;
    for (const QString& n : names)
        f.append(foldedForSearch(n));
    return f;
}

// The names a query finds among these.
QStringList found(const QStringList& names, const QString& query)
{
    QStringList hits;
    for (int i : namesMatching(folded(names), query))
        hits.append(names[i]);
    return hits;
}
}

class TestNameSearch : public QObject {
    Q_OBJECT

private slots:
    void foldingLeavesOutCaseAndAccents()
    {
        QCOMPARE(foldedForSearch(QStringLiteral("Linné")), QStringLiteral("linne"));
        QCOMPARE(foldedForSearch(QStringLiteral("MONS RÜMKER *")), QStringLiteral("mons rumker *"));
        QCOMPARE(foldedForSearch(QStringLiteral("La\u00a0Pérouse")), QStringLiteral("la perouse"));
        QCOMPARE(foldedForSearch(QStringLiteral("Ørsted Æstrup Großmann Łódź")),
                 QStringLiteral("orsted aestrup grossmann lodz"));
        QCOMPARE(foldedForSearch(QStringLiteral("Chang'e 5 Landing")), QStringLiteral("chang'e 5 landing"));
        QCOMPARE(foldedForSearch(QString()), QString());
    }

    void aQueryFindsEveryWordAnywhere()
    {
        const QStringList names{"Apollo 11 Landing", "Apollo 12 Landing", "Luna 11", "Linné", "Mare Tranquillitatis *",
                                "Tycho *", "Oceanus Procellarum *", "Lambert"};
        QCOMPARE(found(names, QStringLiteral("11")), QStringList({"Apollo 11 Landing", "Luna 11"}));
        QCOMPARE(found(names, QStringLiteral("linne")), QStringList({"Linné"}));
        QCOMPARE(found(names, QStringLiteral("LINNÉ")), QStringList({"Linné"}));
        QCOMPARE(found(names, QStringLiteral("tranq")), QStringList({"Mare Tranquillitatis *"}));
        QCOMPARE(found(names, QStringLiteral("cho")), QStringList({"Tycho *"}));
        // Words in any order, each somewhere in the name.
        QCOMPARE(found(names, QStringLiteral("landing apollo 11")), QStringList({"Apollo 11 Landing"}));
        // Blanks around a word do not count; the order of the names stays.
        QCOMPARE(found(names, QStringLiteral("  ll  ")), QStringList({"Apollo 11 Landing", "Apollo 12 Landing",
                                                                     "Mare Tranquillitatis *", "Oceanus Procellarum *"}));
        QCOMPARE(found(names, QStringLiteral("*")).size(), 3);
        // Nothing typed, or only blanks, finds nothing; so does a word no name has.
        QVERIFY(found(names, QString()).isEmpty());
        QVERIFY(found(names, QStringLiteral("   ")).isEmpty());
        QVERIFY(found(names, QStringLiteral("apollo 13")).isEmpty());
    }

    // The atlas's own three indexes: what a teacher and a pupil type.
    void theAtlasNamesAsTyped()
    {
        QStringList names;
        for (int v = 0; v < ViewCount; ++v)
            names += featureNamesInFile(TestWorkDir::atlasDir() + QLatin1Char('/')
                                        + QLatin1String(viewTags[v].indexFile));
        QVERIFY(names.size() > 1500);
        QCOMPARE(found(names, QStringLiteral("linne")), QStringList({"Linné", "Linné"}));
        QCOMPARE(found(names, QStringLiteral("11")), QStringList({"Apollo 11 Landing", "Apollo 11 Landing"}));
        QCOMPARE(found(names, QStringLiteral("tranquillitatis")),
                 QStringList({"Mare Tranquillitatis *", "Mare Tranquillitatis *"}));
        QCOMPARE(found(names, QStringLiteral("rumker")), QStringList({"Mons Rümker *", "Mons Rümker *"}));
        // The data set writes some names with a no-break space.
        QCOMPARE(found(names, QStringLiteral("la caille")).size(), 2);
        QVERIFY(found(names, QStringLiteral("tycho")).size() >= 2);
    }
};

QTEST_APPLESS_MAIN(TestNameSearch)
#include "test_namesearch.moc"
