#include <QtTest>

#include "data/featuretable.h"
#include "lists/listbox.h"
#include "platform/dialogs.h"
#include "tests/common/program.h"
#include "tests/common/modaldriver.h"
#include "tests/common/workdir.h"
#include "tests/common/windowsystem.h"

#include <QInputDialog>
#include <memory>

namespace {
const QRgb red = qRgb(255, 0, 0);
const QRgb yellow = qRgb(255, 255, 0);
const QRgb aqua = qRgb(0, 255, 255);

// Full moon at zoom 0.5 in a 1000 x 700 client area: the image lies at (214, 78).
const QList<IndexEntry> fullMoon{
    {1, "Mare Testum", 800, 400}, {2, "Twin", 1200, 400},      {3, "alpha", 400, 800},
    {4, "Beta *", 1200, 800},     {5, "Twin", 1600, 800},      {6, "Alpha", 1600, 1200},
    {7, "Ångström", 2000, 1200},  {8, "zeta", 400, 1200},      {10, "Lost", 800, 1600},   // after an empty slot
};
const QList<IndexEntry> firstQuarter{{1, "Alpha", 400, 400}, {2, "Luna Landing", 600, 600}};
const QList<IndexEntry> lastQuarter{{1, "Gamma *", 600, 1000}, {3, "After Gap", 400, 600}};
const QList<IndexEntry> fullMoonForTotals{
    {1, "Alpha", 800, 400}, {2, "Beta *", 1200, 400}, {3, "Apollo 11 Landing", 1200, 800},
    {4, "Odd [x] name", 800, 800}, {5, "landing zone", 400, 400}};

RunState& s() { return mainWindow()->state(); }
QRgb px(int x, int y) { return mainWindow()->canvas().pixel(x, y); }
QPoint centre() { return QPoint(mainWindow()->clientWidth() / 2, mainWindow()->clientHeight() / 2); }

QPoint screenPointOfSlot(int slot)
{
    const FeatureRecord& r = s().featureTable.slot(slot);
    return featureScreenPoint(mainWindow()->placement(), r.x(), r.y());
}

void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    typeKey(mainWindow(), k, modifiers);
}

int countPixels(QRgb colour, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += px(x, y) == colour ? 1 : 0;
    return n;
}

// Types a name into the input dialog of a new feature, after checking that it
// came up empty, and confirms it with Enter.
ModalDriver::Step typeNewFeature(const QString& name, bool* cameUpEmpty = nullptr)
{
    return [name, cameUpEmpty](QWidget* modal) {
        auto* dialog = qobject_cast<NewFeatureDialog*>(modal);
        if (!dialog)
            return modal->close(), void();
        if (cameUpEmpty)
            *cameUpEmpty = dialog->Edit1->text().isEmpty() && dialog->Edit1->hasFocus();
        dialog->Edit1->setText(name);
        QTest::keyClick(dialog->Edit1, Qt::Key_Return);
    };
}

// Closing the main window ends the program's event loop; a test process goes on.
void clearEndOfProgram()
{
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}
}

class TestLists : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWorkDir> dir_;

    void openTotals(int fkey)
    {
        key(fkey);
        QTRY_VERIFY(totalIndex()->isVisible());
        makeActive(totalIndex());
        totalIndex()->ListBox1->setFocus();
    }

    void allowEditing()
    {
        child<QAction>(mainWindow(), "Wijzigentoestaan1")->trigger();
        QVERIFY(s().changesAllowed && child<QAction>(mainWindow(), "Wijzigentoestaan1")->isChecked());
        // "Wijzig naam" waits for a feature under the mouse.
        QCOMPARE(child<QAction>(mainWindow(), "Wijzignaam1")->isEnabled(), s().hoveredFeature != 0);
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<TestWorkDir>();
        QVERIFY(writeViewImage(QStringLiteral("maan_vm.bmp"), 1144, 1090));
        QVERIFY(writeViewImage(QStringLiteral("maan_ek.bmp"), 745, 1170));
        QVERIFY(writeViewImage(QStringLiteral("maan_lk.bmp"), 706, 1230));
        writeIndexFile(QStringLiteral("maan_vm.dat"), fullMoon);
        writeIndexFile(QStringLiteral("maan_ek.dat"), firstQuarter);
        writeIndexFile(QStringLiteral("maan_lk.dat"), lastQuarter);
    }

    void cleanup()
    {
        stopProgram();
        dir_.reset();
    }

    void currentListFillsSortedBesideTheAtlas()
    {
        openMainWindow();
        QCOMPARE(currentIndexList()->windowTitle(), QStringLiteral("Landkenmerken"));
        openCurrentIndexList();
        QCOMPARE(currentIndexList()->windowTitle(), QStringLiteral("9 Landkenmerken"));
        // Case-insensitive, accents read as their letter; equal names twice;
        // a name after an empty slot is listed too.
        QCOMPARE(entries(currentIndexList()->ListBox1), QStringList({"alpha", "Alpha", "Ångström", "Beta *", "Lost",
                                                           "Mare Testum", "Twin", "Twin", "zeta"}));
        QCOMPARE(currentIndexList()->clientWidth(), 170);
        QCOMPARE(currentIndexList()->clientHeight(), 567);
        const QPoint clientRight = mainWindow()->client()->mapToGlobal(QPoint(mainWindow()->clientWidth(), 0));
        QCOMPARE(currentIndexList()->frameGeometry().right() + 1, clientRight.x());
        // Above the main window only, not above every program of the desktop.
        QCOMPARE(currentIndexList()->windowType(), Qt::Tool);
        QCOMPARE(currentIndexList()->parentWidget(), mainWindow());
        QVERIFY(!currentIndexList()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        // Refilled on each activation; an empty table gives an empty list.
        for (int i = 1; i <= FeatureTableSize; ++i)
            s().featureTable.slot(i).nameLength = 0;
        currentIndexList()->hide();
        activateMain();
        openCurrentIndexList();
        QCOMPARE(currentIndexList()->windowTitle(), QStringLiteral("0 Landkenmerken"));
        QCOMPARE(currentIndexList()->ListBox1->count(), 0);
        key(Qt::Key_Return);
        QCOMPARE(s().selectedFeature, std::uint16_t(0));
    }

    void pickingANameCentresItWithThePickCircle()
    {
        openMainWindow();
        s().markersOn = false;   // only the pick circle is yellow then
        openCurrentIndexList();
        QVERIFY(pressEntry(currentIndexList()->ListBox1, QStringLiteral("Mare Testum")));
        QCOMPARE(s().selectedFeature, std::uint16_t(1));
        QCOMPARE(screenPointOfSlot(1), centre());
        QCOMPARE(child<QLabel>(mainWindow(), "Label9")->text(), QStringLiteral("Mare Testum"));
        QVERIFY(!child<QLabel>(mainWindow(), "Panel1")->text().isEmpty());   // read-out of the middle
        // 36 segments of radius 8 and pen width 2 around the middle, nothing inside.
        const QPoint c = centre();
        for (QPoint d : {QPoint(8, 0), QPoint(-8, 0), QPoint(0, 8), QPoint(0, -8)})
            QCOMPARE(px(c.x() + d.x(), c.y() + d.y()), yellow);
        QCOMPARE(countPixels(yellow, QRect(c - QPoint(4, 4), QSize(9, 9))), 0);
        QVERIFY(countPixels(yellow, QRect(c - QPoint(11, 11), QSize(23, 23))) > 60);
        mainWindow()->repaintNow();
        QCOMPARE(countPixels(yellow, QRect(c - QPoint(11, 11), QSize(23, 23))), 0);

        // A name stored twice: each slot in turn, the higher one ends selected.
        QVERIFY(pressEntry(currentIndexList()->ListBox1, QStringLiteral("Twin")));
        QCOMPARE(s().selectedFeature, std::uint16_t(5));
        QCOMPARE(screenPointOfSlot(5), centre());

        // Other presses select without moving.
        const int x0 = s().originX, y0 = s().originY;
        QVERIFY(pressEntry(currentIndexList()->ListBox1, QStringLiteral("Alpha"), Qt::LeftButton, Qt::ShiftModifier));
        QCOMPARE(s().selectedFeature, std::uint16_t(6));
        QVERIFY(pressEntry(currentIndexList()->ListBox1, QStringLiteral("alpha"), Qt::RightButton));
        QCOMPARE(s().selectedFeature, std::uint16_t(3));
        QCOMPARE(QPoint(s().originX, s().originY), QPoint(x0, y0));
        // Every name the list shows can be picked, also one stored after an
        // empty slot.
        QVERIFY(pressEntry(currentIndexList()->ListBox1, QStringLiteral("Lost")));
        QCOMPARE(s().selectedFeature, std::uint16_t(10));
        QCOMPARE(screenPointOfSlot(10), centre());

        // Enter jumps to the selected entry.
        selectEntry(currentIndexList()->ListBox1, QStringLiteral("zeta"));
        key(Qt::Key_Return);
        QCOMPARE(s().selectedFeature, std::uint16_t(8));
        QCOMPARE(screenPointOfSlot(8), centre());

        // In the turned view the pick uses the turned mapping.
        mainWindow()->Omgekeerdbeeld1Click();
        QVERIFY(pressEntry(currentIndexList()->ListBox1, QStringLiteral("Beta *")));
        QCOMPARE(screenPointOfSlot(4), centre());
        QCOMPARE(child<QLabel>(mainWindow(), "Label9")->text(), QStringLiteral("Beta *"));
    }

    void ctrlPressOnAPhotographedName()
    {
        openMainWindow();
        openCurrentIndexList();
        ModalDriver viewer;
        QVERIFY(pressEntry(currentIndexList()->ListBox1, QStringLiteral("Beta *"), Qt::LeftButton, Qt::ControlModifier));
        QCOMPARE(viewer.seen, 1);
        QCOMPARE(photoViewer()->photoFileName, QStringLiteral("Beta.jpg"));
        QCOMPARE(s().selectedFeature, std::uint16_t(4));
        QVERIFY(screenPointOfSlot(4) != centre());
        // Ctrl with Shift, or a name without "*": no photograph.
        QVERIFY(pressEntry(currentIndexList()->ListBox1, QStringLiteral("Beta *"), Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier));
        QVERIFY(pressEntry(currentIndexList()->ListBox1, QStringLiteral("zeta"), Qt::LeftButton, Qt::ControlModifier));
        QCOMPARE(viewer.seen, 1);
        QCOMPARE(s().selectedFeature, std::uint16_t(8));
    }

    void listKeysReachTheMainWindow()
    {
        openMainWindow();
        openCurrentIndexList();
        key(Qt::Key_F8);
        QCOMPARE(s().zoomFactor, 2.5);
        key(Qt::Key_F6);
        QCOMPARE(s().zoomFactor, 0.5);
        key(Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(s().zoomFactor, toReal48Precision(0.55));
        key(Qt::Key_Plus);
        QCOMPARE(s().zoomFactor, toReal48Precision(0.55));
        key(Qt::Key_Escape);
        QVERIFY(!currentIndexList()->isVisible());
        QVERIFY(mainWindow()->isVisible());

        // The two lists close each other as they become active.
        activateMain();
        openCurrentIndexList();
        openTotals(Qt::Key_F3);
        QTRY_VERIFY(!currentIndexList()->isVisible());
        key(Qt::Key_F2);
        makeActive(currentIndexList());
        QTRY_VERIFY(!totalIndex()->isVisible());
        QVERIFY(currentIndexList()->isVisible());
        currentIndexList()->ListBox1->setFocus();
        key(Qt::Key_F2);
        QVERIFY(!currentIndexList()->isVisible());
    }

    void totalIndexModesAndCaptions()
    {
        writeIndexFile(QStringLiteral("maan_vm.dat"), fullMoonForTotals);
        openMainWindow();
        QCOMPARE(totalIndex()->windowTitle(), QStringLiteral("Totaallijst"));
        openTotals(Qt::Key_F3);
        QCOMPARE(totalIndex()->windowTitle(), QStringLiteral("9 objecten"));
        QCOMPARE(entries(totalIndex()->ListBox1),
                 QStringList({"After Gap   [lk]", "Alpha   [ek]", "Alpha   [vm]", "Apollo 11 Landing   [vm]",
                              "Beta *   [vm]", "Gamma *   [lk]", "landing zone   [vm]", "Luna Landing   [ek]",
                              "Odd [x] name   [vm]"}));
        QCOMPARE(totalIndex()->outerGeometry(), QRect(0, 0, 161, 589));
        // Above the main window only, not above every program of the desktop.
        QCOMPARE(totalIndex()->windowType(), Qt::Tool);
        QCOMPARE(totalIndex()->parentWidget(), mainWindow());
        QVERIFY(!totalIndex()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        // F4 in mode All refills with the photographs; F4 again hides.
        key(Qt::Key_F4);
        QCOMPARE(totalIndex()->windowTitle(), QStringLiteral("2 detailfoto's"));
        QCOMPARE(entries(totalIndex()->ListBox1), QStringList({"Beta *   [vm]", "Gamma *   [lk]"}));
        QVERIFY(totalIndex()->isVisible());
        key(Qt::Key_F4);
        QVERIFY(!totalIndex()->isVisible());

        // Landing sites, with a case-sensitive test.
        activateMain();
        openTotals(Qt::Key_F5);
        QCOMPARE(totalIndex()->windowTitle(), QStringLiteral("2 objecten"));
        QCOMPARE(entries(totalIndex()->ListBox1), QStringList({"Apollo 11 Landing   [vm]", "Luna Landing   [ek]"}));
        key(Qt::Key_F3);
        QCOMPARE(totalIndex()->windowTitle(), QStringLiteral("9 objecten"));

        // An empty file adds nothing and is no error.
        QVERIFY(writeWholeFile(QStringLiteral("maan_ek.dat"), QByteArray()));
        BoxDriver none;
        key(Qt::Key_F5);
        QCOMPARE(entries(totalIndex()->ListBox1), QStringList({"Apollo 11 Landing   [vm]"}));
        QVERIFY(none.texts.isEmpty());
    }

    void totalIndexPickSwitchesTheView()
    {
        writeIndexFile(QStringLiteral("maan_vm.dat"), fullMoonForTotals);
        openMainWindow();
        openTotals(Qt::Key_F3);
        QVERIFY(pressEntry(totalIndex()->ListBox1, QStringLiteral("Gamma *   [lk]")));
        QCOMPARE(s().imageFileName, QStringLiteral("maan_lk.bmp"));
        QCOMPARE(s().selectedFeature, std::uint16_t(1));
        QCOMPARE(screenPointOfSlot(1), centre());
        QCOMPARE(child<QLabel>(mainWindow(), "Label9")->text(), QStringLiteral("Gamma *"));

        // A name with "[" of its own is reached as well.
        QVERIFY(pressEntry(totalIndex()->ListBox1, QStringLiteral("Odd [x] name   [vm]")));
        QCOMPARE(s().imageFileName, QStringLiteral("maan_vm.bmp"));
        QCOMPARE(s().selectedFeature, std::uint16_t(4));
        QCOMPARE(screenPointOfSlot(4), centre());

        // A right press switches the view and selects, without moving there.
        QVERIFY(pressEntry(totalIndex()->ListBox1, QStringLiteral("Alpha   [ek]"), Qt::RightButton));
        QCOMPARE(s().imageFileName, QStringLiteral("maan_ek.bmp"));
        QCOMPARE(s().selectedFeature, std::uint16_t(1));
        QVERIFY(screenPointOfSlot(1) != centre());
        // The name picked in the view that was left goes with it.
        QVERIFY(child<QLabel>(mainWindow(), "Label9")->text().isEmpty());

        // Enter on the selected line.
        selectEntry(totalIndex()->ListBox1, QStringLiteral("Apollo 11 Landing   [vm]"));
        key(Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(s().imageFileName, QStringLiteral("maan_vm.bmp"));
        QCOMPARE(s().selectedFeature, std::uint16_t(3));
        QCOMPARE(screenPointOfSlot(3), centre());
    }

    void damagedIndexFileStopsTheTotalIndex()
    {
        openMainWindow();
        const QByteArray good = readWholeFile(QStringLiteral("maan_lk.dat"));
        QVERIFY(writeWholeFile(QStringLiteral("maan_lk.dat"), good.left(114 + 50)));
        {
            BoxDriver ok({QMessageBox::Ok});
            child<QAction>(mainWindow(), "Verzamellijst1")->trigger();
            QCOMPARE(ok.texts.size(), 1);
            QVERIFY(ok.texts.first().contains(QStringLiteral("maan_lk.dat")));
            QCOMPARE(ok.icons.first(), QMessageBox::Critical);
        }
        QVERIFY(!totalIndex()->isVisible());
        QCOMPARE(totalIndex()->windowTitle(), QStringLiteral("Totaallijst"));

        // Shown and then failing: the lines and caption it had stay.
        QVERIFY(writeWholeFile(QStringLiteral("maan_lk.dat"), good));
        openTotals(Qt::Key_F3);
        const QStringList before = entries(totalIndex()->ListBox1);
        QCOMPARE(totalIndex()->windowTitle(), QStringLiteral("13 objecten"));
        QVERIFY(writeWholeFile(QStringLiteral("maan_lk.dat"), good.left(10)));
        {
            BoxDriver ok({QMessageBox::Ok});
            key(Qt::Key_F4);
            QCOMPARE(ok.texts.size(), 1);
        }
        QCOMPARE(totalIndex()->windowTitle(), QStringLiteral("13 objecten"));
        QCOMPARE(entries(totalIndex()->ListBox1), before);
        QVERIFY(totalIndex()->ListBox1->isVisible());
    }

    void markerSelectionByKind()
    {
        writeIndexFile(QStringLiteral("maan_vm.dat"), {{1, "Rima Ariadaeus", 800, 400}, {2, "Rimae Hippalus", 1200, 400}});
        openMainWindow();
        QStringList shown;
        QString afterPress;
        bool stayedOpen = false;
        {
            ModalDriver driver({[&](QWidget* modal) {
                auto* dialog = qobject_cast<MarkerSelection*>(modal);
                shown = entries(dialog->ListBox1);
                QVERIFY(pressEntry(dialog->ListBox1, QStringLiteral("Mare")));
                afterPress = dialog->kindFilter;
                stayedOpen = dialog->isVisible();
                dialog->Cancelbtn->click();
            }});
            key(Qt::Key_G);
            QCOMPARE(driver.texts, QStringList({"Markerings-selectie"}));
        }
        QCOMPARE(shown, QStringList({"Catena", "Crater", "Lacus", "Landing", "Mare", "Mons", "Montes", "Oceanus",
                                     "Palus", "Promontorium", "Rima ", "Rimae", "Rupes", "Sinus"}));
        QCOMPARE(afterPress, QStringLiteral("Mare"));
        QVERIFY(stayedOpen);
        QVERIFY(s().kindFilter.isEmpty());   // Cancel leaves no filter

        // "Rima " with Ok: the rille with a blank after "Rima" only.
        auto run = [](const ModalDriver::Step& step) {
            ModalDriver driver({step});
            child<QAction>(mainWindow(), "Selecteermarkering1")->trigger();
        };
        run([](QWidget* modal) {
            auto* dialog = qobject_cast<MarkerSelection*>(modal);
            QVERIFY(pressEntry(dialog->ListBox1, QStringLiteral("Rima ")));
            dialog->okbtn->click();
        });
        QCOMPARE(s().kindFilter, QStringLiteral("Rima "));
        QCOMPARE(px(414, 178), red);
        QVERIFY(px(514, 178) != red);

        // Ok untouched keeps the filter; a press below the entries empties it.
        run([](QWidget* modal) { qobject_cast<MarkerSelection*>(modal)->okbtn->click(); });
        QCOMPARE(s().kindFilter, QStringLiteral("Rima "));
        run([](QWidget* modal) {
            auto* dialog = qobject_cast<MarkerSelection*>(modal);
            QTest::mouseClick(dialog->ListBox1->viewport(), Qt::LeftButton, {}, QPoint(20, 195));
            dialog->okbtn->click();
        });
        QVERIFY(s().kindFilter.isEmpty());
        QCOMPARE(px(514, 178), red);

        // Arrows move the selection only; Enter takes it, Escape clears. Each
        // opening starts with nothing selected: the first Down selects the
        // first word, the second the next.
        QString filterBeforeEnter = QStringLiteral("-");
        QStringList selected;
        for (int opening = 0; opening < 2; ++opening)
            run([&](QWidget* modal) {
                auto* dialog = qobject_cast<MarkerSelection*>(modal);
                QVERIFY(dialog->ListBox1->selectedItems().isEmpty());
                for (int down = 0; down < 2; ++down) {
                    QTest::keyClick(dialog->ListBox1, Qt::Key_Down);
                    if (const QListWidgetItem* item = dialog->ListBox1->selectedItems().value(0))
                        selected << item->text();
                }
                filterBeforeEnter = s().kindFilter;
                QTest::keyClick(dialog->ListBox1, Qt::Key_Return);
            });
        QVERIFY(filterBeforeEnter.isEmpty() || filterBeforeEnter == QStringLiteral("Crater"));
        QCOMPARE(selected, QStringList({"Catena", "Crater", "Catena", "Crater"}));
        QCOMPARE(s().kindFilter, QStringLiteral("Crater"));
        run([](QWidget* modal) { QTest::keyClick(qobject_cast<MarkerSelection*>(modal)->ListBox1, Qt::Key_Escape); });
        QVERIFY(s().kindFilter.isEmpty());
    }

    void addingAFeature()
    {
        openMainWindow();
        // Not allowed yet: the refusal, nothing else.
        {
            BoxDriver ok({QMessageBox::Ok});
            QTest::mousePress(mainWindow()->surface(), Qt::LeftButton, Qt::AltModifier, QPoint(100, 120));
            QTest::mouseRelease(mainWindow()->surface(), Qt::LeftButton, Qt::AltModifier, QPoint(100, 120));
            QCOMPARE(ok.texts, QStringList({"Toevoegen van een landkenmerk met behulp van de Ctrl-toets is beveiligd.\n\n"
                                            "<Nieuwe namen/Nieuw toestaan> moet eerst worden aangevinkt."}));
            // Ctrl + Alt, for desktops that keep Alt + click for themselves; not Shift + Alt.
            QTest::mouseClick(mainWindow()->surface(), Qt::LeftButton, Qt::AltModifier | Qt::ControlModifier, QPoint(100, 120));
            QCOMPARE(ok.texts.size(), 2);
            QTest::mouseClick(mainWindow()->surface(), Qt::LeftButton, Qt::AltModifier | Qt::ShiftModifier, QPoint(100, 120));
            QCOMPARE(ok.texts.size(), 2);
        }
        QCOMPARE(s().featureTable.firstEmptySlot(), 9);
        {
            BoxDriver ok({QMessageBox::Ok});
            child<QAction>(mainWindow(), "Nieuwenamen1")->trigger();
            const QStringList lines = ok.texts.value(0).split(QLatin1Char('\n'));
            QCOMPARE(lines.size(), 19);
            QCOMPARE(lines.first(), QStringLiteral("Het updaten van de index is beveiligd. "));
            // Where the desktop takes Alt + click, the user learns the other way.
            QCOMPARE(lines[5], QStringLiteral("Klik daartoe met gelijktijdig indrukken van de Alt-toets "));
            QCOMPARE(lines[6], QStringLiteral("(of van Ctrl en Alt samen, waar Alt + klik het venster verplaatst) "));
            QCOMPARE(lines[11], QStringLiteral("rechter muisknop op de te wijzigen naam. "));
            QCOMPARE(lines.last(), QStringLiteral("landkenmerk op een maanfoto."));
        }

        // At zoom 0.5 and origin (0, 0) the position is four times the point.
        allowEditing();
        s().originX = s().originY = 0;
        mainWindow()->repaintNow();
        newFeatureDialog()->Edit1->setText(QStringLiteral("oud"));
        bool cameUpEmpty = false;
        {
            ModalDriver driver({typeNewFeature(QStringLiteral("Nova"), &cameUpEmpty)});
            QTest::mousePress(mainWindow()->surface(), Qt::LeftButton, Qt::AltModifier, QPoint(100, 120));
            QTest::mouseRelease(mainWindow()->surface(), Qt::LeftButton, Qt::AltModifier, QPoint(100, 120));
            QCOMPARE(driver.texts, QStringList({"Een landkenmerk aan de lijst toevoegen"}));
        }
        QVERIFY(cameUpEmpty);
        QCOMPARE(s().featureTable.slot(9).name(), QStringLiteral("Nova"));
        QCOMPARE(s().featureTable.slot(9).x(), 400.0);
        QCOMPARE(s().featureTable.slot(9).y(), 480.0);
        QCOMPARE(px(104, 120), aqua);

        // Esc, an empty name and a blank one add nothing and mark nothing.
        mainWindow()->repaintNow();
        {
            auto escape = [](QWidget* modal) {
                QTest::keyClick(qobject_cast<NewFeatureDialog*>(modal)->Edit1, Qt::Key_Escape);
            };
            ModalDriver driver({escape, typeNewFeature(QString()), typeNewFeature(QStringLiteral("   "))});
            for (int i = 0; i < 3; ++i)
                mainWindow()->addFeatureAt(200, 200);
            QCOMPARE(driver.seen, 3);
        }
        QCOMPARE(s().featureTable.firstEmptySlot(), 11);
        QVERIFY(px(204, 200) != aqua);

        // In the turned view the feature lies under the pointer.
        mainWindow()->Omgekeerdbeeld1Click();
        {
            ModalDriver driver({typeNewFeature(QStringLiteral("Omgekeerd"))});
            mainWindow()->addFeatureAt(300, 200);
        }
        QCOMPARE(screenPointOfSlot(11), QPoint(300, 200));

        // A full table refuses before asking for a name.
        for (int i = 12; i <= FeatureTableSize; ++i)
            s().featureTable.slot(i).setName(QStringLiteral("Vol %1").arg(i));
        {
            ModalDriver driver;
            mainWindow()->addFeatureAt(300, 300);
            QCOMPARE(driver.seen, 1);
            QVERIFY(driver.texts.first().contains(QStringLiteral("vol")));
            QVERIFY(driver.texts.first().contains(QStringLiteral("niets toegevoegd")));
        }
        QCOMPARE(s().featureTable.slot(FeatureTableSize).name(), QStringLiteral("Vol 800"));
    }

    void namesOutsideTheCodePage()
    {
        openMainWindow();
        allowEditing();
        {
            ModalDriver driver({typeNewFeature(QStringLiteral("Čebyšev"))});
            mainWindow()->addFeatureAt(100, 100);
            QCOMPARE(driver.seen, 2);
            QVERIFY(driver.texts[1].endsWith(QStringLiteral("\n\nCebyšev")));
        }
        {
            ModalDriver driver({typeNewFeature(QStringLiteral("\U0001F600"))});
            mainWindow()->addFeatureAt(120, 100);
            QCOMPARE(driver.seen, 2);
            QVERIFY(driver.texts[1].contains(QStringLiteral("niets toegevoegd")));
        }
        QCOMPARE(s().featureTable.firstEmptySlot(), 11);   // slot 9 taken, 10 as before
        // Renaming to such a name keeps the feature as it was.
        s().hoveredFeature = 9;
        {
            ModalDriver driver({typeAndConfirm(QStringLiteral("\U0001F600"))});
            mainWindow()->Wijzignaam1Click();
        }
        QCOMPARE(s().featureTable.slot(9).name(), QStringLiteral("Cebyšev"));

        // Through the file and back.
        key(Qt::Key_1);
        const QByteArray file = readWholeFile(QStringLiteral("maan_vm.dat"));
        QCOMPARE(file.mid(8 * 114, 8), QByteArray("\x07" "Ceby\x9A" "ev"));
        key(Qt::Key_2);
        QCOMPARE(s().featureTable.slot(9).name(), QStringLiteral("Cebyšev"));
    }

    void renamingAndDeleting()
    {
        QList<IndexEntry> ten;
        static QByteArray names[10];
        for (int i = 0; i < 10; ++i) {
            names[i] = "F" + QByteArray::number(i + 1);
            ten.append({i + 1, names[i].constData(), 400.0 + 80 * i, 400});
        }
        writeIndexFile(QStringLiteral("maan_vm.dat"), ten);
        openMainWindow();

        // Not allowed, or nothing under the mouse: no question, only the beep.
        {
            s().hoveredFeature = 3;
            ModalDriver none;
            mainWindow()->Wijzignaam1Click();
            allowEditing();
            s().hoveredFeature = 0;
            mainWindow()->Wijzignaam1Click();
            s().hoveredFeature = 12;
            mainWindow()->Wijzignaam1Click();
            QCOMPARE(none.seen, 0);
        }

        // The feature under the mouse, cut to 100 characters.
        mainWindow()->FormMouseMove(screenPointOfSlot(2).x(), screenPointOfSlot(2).y());
        QCOMPARE(s().hoveredFeature, std::uint16_t(2));
        QString title, prompt, initial;
        {
            ModalDriver driver({[&](QWidget* modal) {
                auto* input = qobject_cast<QInputDialog*>(modal);
                title = input->windowTitle();
                prompt = input->labelText();
                initial = input->textValue();
                input->setTextValue(QString(150, QLatin1Char('x')));
                input->accept();
            }});
            mainWindow()->Wijzignaam1Click();
        }
        QCOMPARE(title, QStringLiteral("Veranderen van de naam"));
        QCOMPARE(prompt, QStringLiteral("Nieuwe naam"));
        QCOMPARE(initial, QStringLiteral("F2"));
        QCOMPARE(s().featureTable.slot(2).name(), QString(100, QLatin1Char('x')));
        {
            ModalDriver driver({cancelInput()});
            mainWindow()->Wijzignaam1Click();
        }
        QCOMPARE(s().featureTable.slot(2).name(), QString(100, QLatin1Char('x')));

        // Deleting slot 3 of 10 moves the later ones down.
        s().selectedFeature = 5;
        s().hoveredFeature = 3;
        {
            ModalDriver driver({typeAndConfirm(QString())});
            mainWindow()->Wijzignaam1Click();
        }
        for (int i = 4; i <= 10; ++i)
            QCOMPARE(s().featureTable.slot(i - 1).name(), QStringLiteral("F%1").arg(i));
        QVERIFY(!s().featureTable.slot(10).inUse());
        QCOMPARE(s().selectedFeature, std::uint16_t(4));   // still F5
        QCOMPARE(s().hoveredFeature, std::uint16_t(0));

        // A right press in the current list renames that entry, and the list shows it.
        openCurrentIndexList();
        {
            ModalDriver driver({typeAndConfirm(QStringLiteral("F5 nieuw"))});
            QVERIFY(pressEntry(currentIndexList()->ListBox1, QStringLiteral("F5"), Qt::RightButton));
            QCOMPARE(driver.seen, 1);
        }
        QCOMPARE(s().featureTable.slot(4).name(), QStringLiteral("F5 nieuw"));
        QVERIFY(entries(currentIndexList()->ListBox1).contains(QStringLiteral("F5 nieuw")));
        QCOMPARE(currentIndexList()->windowTitle(), QStringLiteral("9 Landkenmerken"));
        {
            ModalDriver driver({typeAndConfirm(QString())});
            QVERIFY(pressEntry(currentIndexList()->ListBox1, QStringLiteral("F9"), Qt::RightButton));
        }
        QCOMPARE(currentIndexList()->windowTitle(), QStringLiteral("8 Landkenmerken"));
        QCOMPARE(s().featureTable.slot(8).name(), QStringLiteral("F10"));

        // With editing off a right press only selects.
        child<QAction>(mainWindow(), "Wijzigentoestaan1")->trigger();
        ModalDriver never;
        QVERIFY(pressEntry(currentIndexList()->ListBox1, QStringLiteral("F10"), Qt::RightButton));
        QCOMPARE(never.seen, 0);
        QCOMPARE(s().selectedFeature, std::uint16_t(8));
    }

    void editsReachTheFilesAndSurviveARestart()
    {
        openMainWindow();
        allowEditing();
        {
            ModalDriver driver({typeNewFeature(QStringLiteral("Nieuw"))});
            mainWindow()->addFeatureAt(600, 500);
        }
        s().hoveredFeature = 2;
        {
            ModalDriver driver({typeAndConfirm(QStringLiteral("Tweeling"))});
            mainWindow()->Wijzignaam1Click();
        }
        s().hoveredFeature = 1;
        {
            ModalDriver driver({typeAndConfirm(QString())});
            mainWindow()->Wijzignaam1Click();
        }
        // Not on disk until the view is left; then the total index sees them.
        activateMain();
        openTotals(Qt::Key_F3);
        QVERIFY(entries(totalIndex()->ListBox1).contains(QStringLiteral("Mare Testum   [vm]")));
        activateMain();
        key(Qt::Key_3);
        key(Qt::Key_2);
        QCOMPARE(s().featureTable.slot(1).name(), QStringLiteral("Tweeling"));
        QCOMPARE(s().featureTable.slot(8).name(), QStringLiteral("Nieuw"));
        openTotals(Qt::Key_F3);
        const QStringList lines = entries(totalIndex()->ListBox1);
        QVERIFY(lines.contains(QStringLiteral("Nieuw   [vm]")) && lines.contains(QStringLiteral("Tweeling   [vm]")));
        QVERIFY(!lines.contains(QStringLiteral("Mare Testum   [vm]")));

        // Closing saves as well; the next run finds everything.
        activateMain();
        s().hoveredFeature = 8;
        {
            ModalDriver driver({typeAndConfirm(QStringLiteral("Nieuwer"))});
            mainWindow()->Wijzignaam1Click();
        }
        {
            BoxDriver yes({QMessageBox::Yes});
            child<QAction>(mainWindow(), "Afsluiten1")->trigger();
        }
        clearEndOfProgram();
        stopProgram();
        openMainWindow();
        QCOMPARE(s().featureTable.slot(1).name(), QStringLiteral("Tweeling"));
        QCOMPARE(s().featureTable.slot(8).name(), QStringLiteral("Nieuwer"));
        const QPoint p = screenPointOfSlot(8);
        QVERIFY(std::abs(p.x() - 600) <= 1 && std::abs(p.y() - 500) <= 1);
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    TestLists test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_lists.moc"
