#include <QtTest>

#include "data/featuretable.h"
#include "data/indexlists.h"
#include "lists/searchwindow.h"
#include "platform/dialogs.h"
#include "tests/common/modaldriver.h"
#include "tests/common/program.h"
#include "tests/common/windowsystem.h"
#include "tests/common/workdir.h"

#include <QLineEdit>
#include <QMenuBar>
#include <memory>

// The search on the atlas's own three indexes, as a teacher and a pupil use
// it: typed names, accents left out, the view of each hit, a pick.
namespace {
const QRgb yellow = qRgb(255, 255, 0);

RunState& s() { return mainWindow()->state(); }
SearchWindow* search() { return searchWindow(); }
QLineEdit* field() { return searchWindow()->searchField; }
ListBox* hits() { return searchWindow()->resultList; }
QString countText() { return searchWindow()->countLabel->text(); }
QPoint centre() { return QPoint(mainWindow()->clientWidth() / 2, mainWindow()->clientHeight() / 2); }

QString selectedName()
{
    return s().selectedFeature ? s().featureTable.slot(s().selectedFeature).name() : QString();
}

QPoint selectedPoint()
{
    const FeatureRecord& r = s().featureTable.slot(s().selectedFeature);
    return featureScreenPoint(mainWindow()->placement(), r.x(), r.y());
}

bool pickCircleAtCentre()
{
    const QPoint c = centre();
    for (QPoint d : {QPoint(8, 0), QPoint(-8, 0), QPoint(0, 8), QPoint(0, -8)})
        if (mainWindow()->canvas().pixel(c.x() + d.x(), c.y() + d.y()) != yellow)
            return false;
    return true;
}

void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    typeKey(mainWindow(), k, modifiers);
}

// Replaces the text of the field as typed, key by key.
void typeQuery(const QString& text)
{
    field()->clear();
    QTest::keyClicks(field(), text);
}
}

class TestSearch : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWorkDir> dir_;

    void openSearch()
    {
        activateMain();
        key(Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(search()->isVisible());
        makeActive(search());
        QTRY_VERIFY(field()->hasFocus());
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<TestWorkDir>(TestWorkDir::atlasViews());
    }

    void cleanup()
    {
        stopProgram();
        dir_.reset();
    }

    // An entry of its own beside "Actuele Index", which stays a plain entry
    // that opens its list at once; Ctrl + F from the atlas and from the lists.
    void theMenuEntryAndTheKeys()
    {
        openMainWindow();
        const QList<QAction*> bar = mainWindow()->menuBar()->actions();
        auto* current = child<QAction>(mainWindow(), "Lijst1");
        auto* find = child<QAction>(mainWindow(), "Zoeken1");
        QCOMPARE(current->text(), QStringLiteral("Actuele Index [F2] "));
        QVERIFY(!current->menu());
        QCOMPARE(find->text(), QStringLiteral("Zoeken\u2026 [Ctrl+F]"));
        QCOMPARE(bar.indexOf(find), bar.indexOf(current) + 1);
        // The key list keeps its 24 lines, none about the search.
        const QString keys = child<QPlainTextEdit>(mainWindow(), "Memo1")->toPlainText();
        QCOMPARE(keys.split(QLatin1Char('\n')).size(), 24);
        QVERIFY(!keys.contains(QStringLiteral("Ctrl")));

        QCOMPARE(search()->windowTitle(), QStringLiteral("Zoeken"));
        openSearch();
        QCOMPARE(search()->windowType(), Qt::Tool);
        QCOMPARE(search()->parentWidget(), mainWindow());
        QVERIFY(!search()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(countText(), QStringLiteral("Typ een naam of een deel ervan."));
        QTest::keyClick(field(), Qt::Key_Escape);
        QVERIFY(!search()->isVisible());

        // From the menu, and from the total index; the text typed before is
        // still there, selected, so that typing replaces it.
        find->trigger();
        QTRY_VERIFY(search()->isVisible());
        QTest::keyClicks(field(), QStringLiteral("plato"));
        search()->close();
        activateMain();
        key(Qt::Key_F3);
        QTRY_VERIFY(totalIndex()->isVisible());
        makeActive(totalIndex());
        totalIndex()->ListBox1->setFocus();
        typeKey(totalIndex(), Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(search()->isVisible());
        QCOMPARE(field()->text(), QStringLiteral("plato"));
        QCOMPARE(field()->selectedText(), QStringLiteral("plato"));
    }

    // The user guide tells of the search, the shortened lines and the
    // photographs from the lists, under the captions the program shows.
    void theGuideTellsOfIt()
    {
        QVERIFY(dir_->copyAtlasFile(QStringLiteral("maanhelp.rtf")));
        openMainWindow();
        key(Qt::Key_F1);
        QTRY_VERIFY(helpViewer()->richEdit()->toPlainText().size() > 5000);
        const QString guide = helpViewer()->richEdit()->toPlainText();
        QVERIFY(guide.contains(child<QAction>(mainWindow(), "Zoeken1")->text()));
        for (const char* text : {"Zoeken (Ctrl + F)", "\u201clinne\u201d vindt Linn\u00e9",
                                 "\u201cBeresheet La\u2026 (inslag)   [vm]\u201d", "dubbelklik op een regel de foto",
                                 "Ctrl ingedrukt bij het klikken op een naam met een sterretje, dan schakelt"})
            QVERIFY2(guide.contains(QString::fromUtf8(text)), text);
    }

    void typingFindsAnyPartOfANameInEveryView()
    {
        openMainWindow();
        openSearch();
        typeQuery(QStringLiteral("linne"));
        QCOMPARE(entries(hits()), QStringList({"Linné   [ek]", "Linné   [vm]"}));
        QCOMPARE(countText(), QStringLiteral("2 landkenmerken gevonden"));
        typeQuery(QStringLiteral("LINNÉ"));
        QCOMPARE(entries(hits()).size(), 2);
        typeQuery(QStringLiteral("11"));
        QCOMPARE(entries(hits()), QStringList({"Apollo 11 Landing   [ek]", "Apollo 11 Landing   [vm]"}));
        typeQuery(QStringLiteral("tycho"));
        QCOMPARE(entries(hits()), QStringList({"Tycho *   [lk]", "Tycho *   [vm]"}));

        // Each keystroke narrows the hits at once; the first is the one Enter takes.
        field()->clear();
        int before = INT_MAX;
        for (QChar c : QStringLiteral("tranq")) {
            QTest::keyClick(field(), c.toLatin1());
            const int now = hits()->count();
            QVERIFY(now > 0 && now <= before);
            QCOMPARE(hits()->currentRow(), 0);
            for (const QString& line : entries(hits()))
                QVERIFY2(line.contains(field()->text(), Qt::CaseInsensitive), qPrintable(line));
            before = now;
        }
        QCOMPARE(entries(hits()), QStringList({"Mare Tranquillitatis *   [ek]", "Mare Tranquillitatis *   [vm]"}));
        QTest::keyClick(field(), Qt::Key_Backspace);
        QCOMPARE(hits()->count(), 2);

        // Words in any order; nothing typed, or nothing found.
        typeQuery(QStringLiteral("landing apollo 11"));
        QCOMPARE(hits()->count(), 2);
        typeQuery(QStringLiteral("xyzzy"));
        QCOMPARE(hits()->count(), 0);
        QCOMPARE(countText(), QStringLiteral("Niets gevonden."));
        field()->clear();
        QCOMPARE(hits()->count(), 0);
        QCOMPARE(countText(), QStringLiteral("Typ een naam of een deel ervan."));
    }

    // Enter or a click: the view switched, the feature in the middle with the
    // pick circle, its name, exactly where a pick in the total index puts it.
    void aPickGoesWhereTheTotalIndexGoes()
    {
        openMainWindow();
        openSearch();
        typeQuery(QStringLiteral("apollo 11"));
        QTest::keyClick(field(), Qt::Key_Return);
        QCOMPARE(s().imageFileName, QStringLiteral("maan_ek.bmp"));
        QCOMPARE(selectedName(), QStringLiteral("Apollo 11 Landing"));
        QCOMPARE(selectedPoint(), centre());
        QVERIFY(pickCircleAtCentre());
        QCOMPARE(child<QLabel>(mainWindow(), "Label9")->text(), QStringLiteral("Apollo 11 Landing"));
        const QPoint origin(s().originX, s().originY);
        // The window stays, with its hits, for the next pick.
        QVERIFY(search()->isVisible());
        QCOMPARE(hits()->count(), 2);

        activateMain();
        key(Qt::Key_2);
        key(Qt::Key_F5);
        QTRY_VERIFY(totalIndex()->isVisible());
        makeActive(totalIndex());
        QVERIFY(pressEntry(totalIndex()->ListBox1, QStringLiteral("Apollo 11 Landing   [ek]")));
        QCOMPARE(s().imageFileName, QStringLiteral("maan_ek.bmp"));
        QCOMPARE(QPoint(s().originX, s().originY), origin);
        QCOMPARE(selectedName(), QStringLiteral("Apollo 11 Landing"));

        // A click on the other hit; then the arrows in the field and Enter.
        QVERIFY(pressEntry(hits(), QStringLiteral("Apollo 11 Landing   [vm]")));
        QCOMPARE(s().imageFileName, QStringLiteral("maan_vm.bmp"));
        QCOMPARE(selectedName(), QStringLiteral("Apollo 11 Landing"));
        QCOMPARE(selectedPoint(), centre());
        QVERIFY(pickCircleAtCentre());

        makeActive(search());
        field()->setFocus();
        typeQuery(QStringLiteral("copernicus"));
        QCOMPARE(hits()->currentRow(), 0);
        QTest::keyClick(field(), Qt::Key_Down);
        QVERIFY(field()->hasFocus());
        QCOMPARE(hits()->currentItem()->text(), QStringLiteral("Copernicus *   [vm]"));
        QTest::keyClick(field(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(s().imageFileName, QStringLiteral("maan_vm.bmp"));
        QCOMPARE(selectedName(), QStringLiteral("Copernicus *"));
        QCOMPARE(selectedPoint(), centre());
        QTest::keyClick(field(), Qt::Key_Up);
        QTest::keyClick(field(), Qt::Key_Return);
        QCOMPARE(s().imageFileName, QStringLiteral("maan_lk.bmp"));
        QCOMPARE(selectedName(), QStringLiteral("Copernicus *"));
    }

    // A feature added and not yet saved is found in the view shown, and a pick
    // reaches it; the open window follows the edits.
    void unsavedFeaturesAreFound()
    {
        openMainWindow();
        mainWindow()->Wijzigentoestaan1Click();
        auto add = [](const QString& name, QPoint at) {
            ModalDriver driver({[name](QWidget* modal) {
                auto* dialog = qobject_cast<NewFeatureDialog*>(modal);
                QVERIFY(dialog);
                dialog->Edit1->setText(name);
                dialog->okbtnClick();
            }});
            mainWindow()->addFeatureAt(at.x(), at.y());
        };
        add(QStringLiteral("Zoekproef"), QPoint(400, 300));
        openSearch();
        typeQuery(QStringLiteral("zoekproef"));
        QCOMPARE(entries(hits()), QStringList({"Zoekproef   [vm]"}));

        activateMain();
        add(QStringLiteral("Tweede zoekproef"), QPoint(600, 400));
        QCOMPARE(entries(hits()), QStringList({"Tweede zoekproef   [vm]", "Zoekproef   [vm]"}));

        makeActive(search());
        QVERIFY(pressEntry(hits(), QStringLiteral("Zoekproef   [vm]")));
        QCOMPARE(selectedName(), QStringLiteral("Zoekproef"));
        QCOMPARE(selectedPoint(), centre());
        // The pick saved the view first, as every view switch does.
        QVERIFY(featureNamesInFile(QStringLiteral("maan_vm.dat")).contains(QStringLiteral("Zoekproef")));
    }

    // A damaged index file is reported once; the other views are searched.
    void aDamagedIndexFileLeavesTheOtherViews()
    {
        const QByteArray good = readWholeFile(QStringLiteral("maan_lk.dat"));
        QVERIFY(writeWholeFile(QStringLiteral("maan_lk.dat"), good.left(114 * 3 + 40)));
        openMainWindow();
        {
            BoxDriver ok({QMessageBox::Ok});
            openSearch();
            QCOMPARE(ok.texts.size(), 1);
            QVERIFY(ok.texts.first().contains(QStringLiteral("maan_lk.dat")));
            QCOMPARE(ok.icons.first(), QMessageBox::Critical);
        }
        typeQuery(QStringLiteral("copernicus"));
        QCOMPARE(entries(hits()), QStringList({"Copernicus *   [vm]"}));
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    TestSearch test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_search.moc"
