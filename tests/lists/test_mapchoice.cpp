#include <QtTest>

#include <QListWidget>
#include <QMessageBox>
#include <cstring>
#include <sys/stat.h>

#include "astro/atlassheets.h"
#include "data/fileerror.h"
#include "data/sheetlist.h"
#include "tests/common/program.h"
#include "lists/listbox.h"
#include "tests/common/modaldriver.h"
#include "tests/common/workdir.h"

namespace {
QPoint origin() { return {atlasMap()->atlasOriginX, atlasMap()->atlasOriginY}; }

QPoint centreOfItem(int row)
{
    return mapChoice()->ListBox1->visualItemRect(mapChoice()->ListBox1->item(row)).center();
}

// Presses an entry of the list with `button`.
void pressItem(int row, Qt::MouseButton button = Qt::LeftButton)
{
    mapChoice()->ListBox1->scrollToItem(mapChoice()->ListBox1->item(row));
    QTest::mouseClick(mapChoice()->ListBox1->viewport(), button, {}, centreOfItem(row));
}

QString errorText(const std::function<void()>& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    }
    return QString();
}
}

class TestMapChoice : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWorkDir> dir_;

    // The viewer at half size with a client area of width x height, and the
    // sheet choice shown.
    void openChoice(int width, int height)
    {
        startProgram();
        mainWindow()->firstActivation = false;
        mainWindow()->show();
        mainWindow()->Kaartenindex1Click();
        QVERIFY(QTest::qWaitForWindowExposed(atlasMap()));
        atlasMap()->setClientSize(width, height);
        QTRY_COMPARE(atlasMap()->clientWidth(), width);
        QTRY_COMPARE(atlasMap()->clientHeight(), height);
        atlasMap()->Kaartkeuze1Click();
        QVERIFY(QTest::qWaitForWindowExposed(mapChoice()));
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<TestWorkDir>(QStringList{QStringLiteral("titelmaan.bmp")});
    }

    void cleanup()
    {
        stopProgram();
        dir_.reset();
    }

    void readingTheList()
    {
        // The atlas's own list: 76 sheets in order, in Windows-1252.
        const QStringList sheets = readSheetList(QStringLiteral("kaarten.txt"));
        QCOMPARE(sheets.size(), 76);
        for (int i = 0; i < sheets.size(); ++i)
            QCOMPARE(sheetNumber(sheets[i]), i + 1);
        QVERIFY(sheets.contains(QString::fromUtf8("66. Stöfler")));

        // Line ends of either kind, an empty line kept, no entry after the last line end.
        QVERIFY(writeWholeFile(QStringLiteral("kaarten.txt"), "1. Een\r\n\r\n2. Tw\xe9\xe9\n3. Drie\n"));
        QCOMPARE(readSheetList(QStringLiteral("kaarten.txt")),
                 QStringList({"1. Een", "", QString::fromUtf8("2. Twéé"), "3. Drie"}));
        QVERIFY(writeWholeFile(QStringLiteral("kaarten.txt"), "7. Zonder einde"));
        QCOMPARE(readSheetList(QStringLiteral("kaarten.txt")), QStringList({"7. Zonder einde"}));

        // Only a regular file of a sane size is read.
        QVERIFY(writeWholeFile(QStringLiteral("groot.txt"), QByteArray(2 * 1024 * 1024, 'x')));
        QVERIFY(errorText([] { readSheetList(QStringLiteral("groot.txt")); }).startsWith(QStringLiteral("groot.txt: ")));
        QVERIFY(QDir().mkdir(QStringLiteral("map.txt")));
        QVERIFY(!errorText([] { readSheetList(QStringLiteral("map.txt")); }).isEmpty());
        QVERIFY(mkfifo("pijp.txt", 0600) == 0);
        QVERIFY(!errorText([] { readSheetList(QStringLiteral("pijp.txt")); }).isEmpty());
        QCOMPARE(errorText([] { readSheetList(QStringLiteral("weg.txt")); }),
                 QStringLiteral("weg.txt: ") + QString::fromLocal8Bit(strerror(ENOENT)));
    }

    void sheetNumbers()
    {
        QCOMPARE(sheetNumber(QStringLiteral("12. Plato")), 12);
        QCOMPARE(sheetNumber(QStringLiteral(" 7. Met een spatie")), 7);
        QCOMPARE(sheetNumber(QStringLiteral("77. Buiten de atlas")), 77);
        QCOMPARE(sheetNumber(QStringLiteral("3.1415")), 3);
        QCOMPARE(errorText([] { sheetNumber(QStringLiteral("XII. Plato")); }),
                 QStringLiteral("'XII' is geen geldig geheel getal"));
        QCOMPARE(errorText([] { sheetNumber(QStringLiteral("12 Plato")); }),
                 QStringLiteral("'12 Plato' is geen geldig geheel getal"));
        for (const char* bad : {". Leeg", "0x1F. Hex", "1 2. Twee", "99999999999. Te groot", ""})
            QVERIFY2(!errorText([bad] { sheetNumber(QString::fromLatin1(bad)); }).isEmpty(), bad);
    }

    void missingListGivesTheErrorBoxAndAnEmptyList()
    {
        QVERIFY(QFile::remove(QStringLiteral("kaarten.txt")));
        BoxDriver boxes;
        startProgram();
        QCOMPARE(mapChoice()->ListBox1->count(), 0);
        QCOMPARE(boxes.texts.size(), 1);
        QVERIFY(boxes.texts[0].startsWith(QStringLiteral("kaarten.txt: ")));
        QCOMPARE(boxes.icons[0], QMessageBox::Critical);
    }

    void windowAndList()
    {
        startProgram();
        QCOMPARE(mapChoice()->windowTitle(), QStringLiteral("Kies een kaart"));
        QCOMPARE(mapChoice()->clientWidth(), 129);
        QCOMPARE(mapChoice()->clientHeight(), 231);
        QCOMPARE(mapChoice()->windowType(), Qt::Tool);
        QCOMPARE(mapChoice()->parentWidget(), mainWindow());
        QVERIFY(!(mapChoice()->windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(!(mapChoice()->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(mapChoice()->ListBox1->count(), 76);
        QCOMPARE(mapChoice()->ListBox1->item(0)->text(), readSheetList(QStringLiteral("kaarten.txt")).first());   // in file order
        QCOMPARE(mapChoice()->ListBox1->selectionMode(), QAbstractItemView::SingleSelection);
        mapChoice()->show();
        QVERIFY(QTest::qWaitForWindowExposed(mapChoice()));
        QCOMPARE(mapChoice()->frameGeometry().topLeft(), QPoint(200, 108));
        QCOMPARE(mapChoice()->ListBox1->visualItemRect(mapChoice()->ListBox1->item(1)).height(), 13);
        QCOMPARE(mapChoice()->ListBox1->geometry(), QRect(0, 0, 129, 231));
        QTest::keyClick(mapChoice()->ListBox1, Qt::Key_Escape);
        QVERIFY(!mapChoice()->isVisible());
    }

    void choosingASheetMovesTheMap()
    {
        QVERIFY(writeWholeFile(QStringLiteral("kaarten.txt"),
                               "1. Sinus Roris\n27. Mare Crisium\n76. Pontecoulant\n77. Te ver\nXII. Romeins\n"));
        openChoice(286, 146);
        // Half size: (143 - 117.5, 73 - 45), 25.5 to the even neighbour.
        pressItem(0);
        QCOMPARE(origin(), QPoint(26, 28));
        QVERIFY(mapChoice()->isVisible());
        // Any button will do.
        pressItem(1, Qt::RightButton);
        // 143 - 497.5 = -354.5 goes to the even neighbour.
        QCOMPARE(origin(), QPoint(-354, 73 - 175));
        // Full size: the sheet's reference point at the viewer's centre.
        atlasMap()->half1Click();
        pressItem(2);
        QCOMPARE(origin(), QPoint(143 - 799, 73 - 1000));
        // The picture point under the centre is that reference point.
        const QPointF p = atlasPicturePoint(atlasMap()->placement(), 143, 73);
        QCOMPARE(p, QPointF(799, 1000));

        // 77 is listed and moves nothing; a bad number reports and moves nothing.
        pressItem(3);
        QCOMPARE(origin(), QPoint(143 - 799, 73 - 1000));
        {
            BoxDriver boxes;
            pressItem(4);
            QCOMPARE(boxes.texts, QStringList({"'XII' is geen geldig geheel getal"}));
            QCOMPARE(boxes.icons[0], QMessageBox::Critical);
        }
        QCOMPARE(origin(), QPoint(143 - 799, 73 - 1000));
        // A press below the last entry hits nothing.
        QTest::mouseClick(mapChoice()->ListBox1->viewport(), Qt::LeftButton, {}, QPoint(20, 220));
        QCOMPARE(origin(), QPoint(143 - 799, 73 - 1000));
    }
};

QTEST_MAIN(TestMapChoice)
#include "test_mapchoice.moc"
