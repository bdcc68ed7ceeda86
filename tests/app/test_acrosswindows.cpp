#include <QtTest>

#include "data/featuretable.h"
#include "data/indexlists.h"
#include "tests/common/modaldriver.h"
#include "tests/common/program.h"
#include "tests/common/windowsystem.h"
#include "tests/common/workdir.h"

#include <QInputDialog>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <memory>

// What the user does across windows, on the atlas's own data set, where the
// order of the lists is not the order of the slots: pick, switch, press.
namespace {
const QRgb yellow = qRgb(255, 255, 0);

RunState& s() { return mainWindow()->state(); }
ListBox* currentList() { return currentIndexList()->ListBox1; }

void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    typeKey(mainWindow(), k, modifiers);
}

// The slot of the first feature of this name in the view now shown; 0 when none.
int slotNamed(const QString& name)
{
    const std::vector<int> found = slotsNamed(s().featureTable, name);
    return found.empty() ? 0 : found.front();
}

// The names of the view now shown, as the current list orders them.
QStringList namesInListOrder()
{
    QStringList names;
    for (int i = 1; i <= FeatureTableSize; ++i)
        if (s().featureTable.slot(i).inUse())
            names.append(s().featureTable.slot(i).name());
    sortAlphabetically(names);
    return names;
}

// The entry under a point of the list's viewport, and a press there.
QString entryAt(const QPoint& p)
{
    const QListWidgetItem* item = currentList()->itemAt(p);
    return item ? item->text() : QString();
}

void pressAt(const QPoint& p, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(currentList()->viewport(), button, Qt::NoModifier, p);
    QTest::mouseRelease(currentList()->viewport(), button, Qt::NoModifier, p);
}

// Whether the yellow pick circle (radius 8, pen 2) is drawn round a point.
bool pickCircleAround(const QPoint& c)
{
    int yellowOnRing = 0;
    for (QPoint d : {QPoint(8, 0), QPoint(-8, 0), QPoint(0, 8), QPoint(0, -8)})
        yellowOnRing += mainWindow()->canvas().pixel(c.x() + d.x(), c.y() + d.y()) == yellow ? 1 : 0;
    return yellowOnRing == 4;
}
}

class TestAcrossWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWorkDir> dir_;

    void openCurrentList()
    {
        openCurrentIndexList();
        QTRY_COMPARE(entries(currentList()), namesInListOrder());
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

    // Full moon, F2, "Mo" typed; the main window, 3; a press in the list acts
    // on the entry the user sees under the pointer, of the view now shown.
    void aPressAfterAViewSwitchActsOnTheEntrySeen()
    {
        openMainWindow();
        openCurrentList();
        QTest::keyClicks(currentList(), QStringLiteral("Mo"));
        QVERIFY(currentList()->currentItem()->text().startsWith(QStringLiteral("Mo")));
        const QPoint row = currentList()->visualItemRect(currentList()->currentItem()).center();

        makeActive(mainWindow());
        key(Qt::Key_3);
        QCOMPARE(s().imageFileName, QStringLiteral("maan_lk.bmp"));
        // The open list shows the last quarter at once, not only when it is
        // next activated.
        QCOMPARE(entries(currentList()), namesInListOrder());

        const QString seen = entryAt(row);
        QVERIFY(!seen.isEmpty());
        makeActive(currentIndexList());
        QCOMPARE(entryAt(row), seen);   // activating the list left it as it was
        pressAt(row);
        QCOMPARE(child<QLabel>(mainWindow(), "Label9")->text(), seen);
        QCOMPARE(s().featureTable.slot(s().selectedFeature).name(), seen);
        const FeatureRecord& r = s().featureTable.slot(s().selectedFeature);
        QCOMPARE(featureScreenPoint(mainWindow()->placement(), r.x(), r.y()),
                 QPoint(mainWindow()->clientWidth() / 2, mainWindow()->clientHeight() / 2));

        // With editing allowed a right press renames the entry seen, and
        // nothing else; the open list shows the new name at once.
        mainWindow()->Wijzigentoestaan1Click();
        QStringList before;
        for (int i = 1; i <= FeatureTableSize; ++i)
            before.append(s().featureTable.slot(i).name());
        const int slot = slotNamed(seen);
        QString offered;
        {
            ModalDriver driver({[&](QWidget* modal) {
                if (auto* input = qobject_cast<QInputDialog*>(modal))
                    offered = input->textValue();
                typeAndConfirm(QStringLiteral("Nieuwe naam"))(modal);
            }});
            pressAt(row, Qt::RightButton);
        }
        QCOMPARE(offered, seen);
        QCOMPARE(s().featureTable.slot(slot).name(), QStringLiteral("Nieuwe naam"));
        for (int i = 1; i <= FeatureTableSize; ++i)
            if (i != slot)
                QCOMPARE(s().featureTable.slot(i).name(), before[i - 1]);
        QVERIFY(entries(currentList()).contains(QStringLiteral("Nieuwe naam")));
    }

    // A picked feature belongs to its view: a switch forgets it, and so does
    // deleting it.
    void theSelectionDoesNotOutliveItsView()
    {
        openMainWindow();
        openCurrentList();
        const QString plato = entries(currentList()).filter(QRegularExpression(QStringLiteral("^Plato( \\*)?$"))).value(0);
        QVERIFY(!plato.isEmpty());
        selectEntry(currentList(), plato);
        QTest::keyClick(currentList(), Qt::Key_Return);
        const int platoSlot = slotNamed(plato);
        QCOMPARE(int(s().selectedFeature), platoSlot);
        QCOMPARE(child<QLabel>(mainWindow(), "Label9")->text(), plato);

        makeActive(mainWindow());
        key(Qt::Key_1);
        QCOMPARE(s().imageFileName, QStringLiteral("maan_ek.bmp"));
        QCOMPARE(int(s().selectedFeature), 0);
        QVERIFY(child<QLabel>(mainWindow(), "Label9")->text().isEmpty());
        // No circle round the first-quarter feature that has Plato's slot number.
        const FeatureRecord& other = s().featureTable.slot(platoSlot);
        if (other.inUse())
            QVERIFY(!pickCircleAround(featureScreenPoint(mainWindow()->placement(), other.x(), other.y())));

        // Deleting the selected feature: the next one does not slide into the
        // selection; one selected above it keeps its feature.
        key(Qt::Key_2);
        mainWindow()->Wijzigentoestaan1Click();
        const int picked = slotNamed(plato);
        mainWindow()->jumpToFeature(picked);
        QCOMPARE(int(s().selectedFeature), picked);
        {
            ModalDriver driver({typeAndConfirm(QString())});
            mainWindow()->renameFeature(picked);
        }
        QCOMPARE(slotNamed(plato), 0);
        QCOMPARE(int(s().selectedFeature), 0);
        QVERIFY(child<QLabel>(mainWindow(), "Label9")->text().isEmpty());

        const int later = 600;
        const QString laterName = s().featureTable.slot(later).name();
        mainWindow()->jumpToFeature(later);
        {
            ModalDriver driver({typeAndConfirm(QString())});
            mainWindow()->renameFeature(1);
        }
        QCOMPARE(s().featureTable.slot(s().selectedFeature).name(), laterName);
    }

    // Adding a feature with Ctrl + Alt + click: the open list has it at once.
    void theOpenListFollowsAnAdd()
    {
        openMainWindow();
        openCurrentList();
        const int before = currentList()->count();
        mainWindow()->Wijzigentoestaan1Click();
        makeActive(mainWindow());
        {
            ModalDriver driver({[](QWidget* modal) {
                auto* dialog = qobject_cast<NewFeatureDialog*>(modal);
                QVERIFY(dialog);
                dialog->Edit1->setText(QStringLiteral("Aaa Nieuw Kenmerk"));
                dialog->okbtnClick();
            }});
            QTest::mouseClick(mainWindow()->surface(), Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier,
                              QPoint(500, 350));
        }
        QCOMPARE(currentList()->count(), before + 1);
        QCOMPARE(currentIndexList()->windowTitle(), QStringLiteral("%1 Landkenmerken").arg(before + 1));
        QVERIFY(entries(currentList()).contains(QStringLiteral("Aaa Nieuw Kenmerk")));
    }

    // F5 lists the landing sites with the impacts among them, tagged with
    // their views, and a press goes there.
    void theLandingIndexHasTheImpacts()
    {
        openMainWindow();
        key(Qt::Key_F5);
        QTRY_VERIFY(totalIndex()->isVisible());
        const QStringList lines = entries(totalIndex()->ListBox1);
        QVERIFY(lines.contains(QStringLiteral("Ranger 7 Landing (inslag)   [vm]")));
        QVERIFY(lines.contains(QStringLiteral("Apollo 11 Landing   [vm]")));
        QVERIFY(lines.filter(QStringLiteral("(inslag)")).size() >= 20);
        for (const QString& line : lines)
            QVERIFY2(line.contains(QStringLiteral("Landing")), qPrintable(line));
        QCOMPARE(totalIndex()->windowTitle(), QStringLiteral("%1 objecten").arg(lines.size()));

        makeActive(totalIndex());
        QVERIFY(pressEntry(totalIndex()->ListBox1, QStringLiteral("Ranger 7 Landing (inslag)   [lk]"))
                || pressEntry(totalIndex()->ListBox1, QStringLiteral("Ranger 7 Landing (inslag)   [vm]")));
        QCOMPARE(s().featureTable.slot(s().selectedFeature).name(), QStringLiteral("Ranger 7 Landing (inslag)"));
        QCOMPARE(child<QLabel>(mainWindow(), "Label9")->text(), QStringLiteral("Ranger 7 Landing (inslag)"));
    }

    // A long name loses its middle, never its tag; only the row shows it so:
    // the line stays whole for the pick, and shows whole in a wider window.
    void everyTagOfTheLandingIndexIsSeen()
    {
        openMainWindow();
        key(Qt::Key_F5);
        QTRY_VERIFY(totalIndex()->isVisible());
        makeActive(totalIndex());
        ListBox* list = totalIndex()->ListBox1;
        QCOMPARE(totalIndex()->outerGeometry().size(), QSize(161, 589));
        QTRY_VERIFY(list->verticalScrollBar()->isVisible());
        const QFontMetrics metrics = list->fontMetrics();
        const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
        int shortened = 0;
        for (int row = 0; row < list->count(); ++row) {
            const QListWidgetItem* item = list->item(row);
            const QString line = item->text();
            const QString shown = list->shownText(item);
            const QRect rect = list->visualItemRect(item);
            // The row as wide as the list's inside, its text within the
            // style's margins, so the style cuts nothing off.
            QCOMPARE(rect.width(), list->viewport()->width());
            QVERIFY2(metrics.horizontalAdvance(shown) <= rect.width() - 2 * margin, qPrintable(shown));
            QVERIFY2(shown.endsWith(line.right(7)), qPrintable(shown));   // "   [vm]"
            if (shown != line) {
                ++shortened;
                const int cut = int(shown.indexOf(QChar(0x2026)));
                QVERIFY2(cut > 0, qPrintable(shown));
                QVERIFY(line.startsWith(shown.left(cut)));
                QVERIFY(line.endsWith(shown.mid(cut + 1)));
            }
        }
        QVERIFY(shortened >= 10);

        const QString longest = QStringLiteral("Apollo 17 opstijgtrap Landing (inslag)   [vm]");
        QListWidgetItem* item = list->findItems(longest, Qt::MatchExactly).value(0);
        QVERIFY(item && list->shownText(item) != longest);
        QVERIFY(pressEntry(list, longest));
        // Held still over the row, the mouse brings up the whole line.
        const QPoint at = list->visualItemRect(item).center();
        QHelpEvent tip(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &tip);
        QTRY_COMPARE(QToolTip::text(), longest);
        QCOMPARE(s().imageFileName, QStringLiteral("maan_vm.bmp"));
        QCOMPARE(child<QLabel>(mainWindow(), "Label9")->text(), QStringLiteral("Apollo 17 opstijgtrap Landing (inslag)"));
        QCOMPARE(featureScreenPoint(mainWindow()->placement(), s().featureTable.slot(s().selectedFeature).x(),
                                    s().featureTable.slot(s().selectedFeature).y()),
                 QPoint(mainWindow()->clientWidth() / 2, mainWindow()->clientHeight() / 2));

        totalIndex()->resize(420, totalIndex()->height());
        QTRY_VERIFY(list->viewport()->width() > 300);
        QCOMPARE(list->shownText(list->findItems(longest, Qt::MatchExactly).value(0)), longest);
    }

    // In the total index Ctrl + click opens the photograph of a photographed
    // feature, in its view; in the photo index a double click does too.
    void photographsFromTheTotalIndex()
    {
        for (const char* f : {"Copernicus.jpg", "Copernicus.txt", "Tycho.jpg", "Tycho.txt"})
            QVERIFY(dir_->copyAtlasFile(QLatin1String(f)));
        openMainWindow();
        key(Qt::Key_F3);
        QTRY_VERIFY(totalIndex()->isVisible());
        makeActive(totalIndex());
        ListBox* list = totalIndex()->ListBox1;
        const QPoint middle(mainWindow()->clientWidth() / 2, mainWindow()->clientHeight() / 2);
        auto selectedPoint = [] {
            const FeatureRecord& r = s().featureTable.slot(s().selectedFeature);
            return featureScreenPoint(mainWindow()->placement(), r.x(), r.y());
        };
        {
            ModalDriver viewer;
            QVERIFY(pressEntry(list, QStringLiteral("Copernicus *   [lk]"), Qt::LeftButton, Qt::ControlModifier));
            QCOMPARE(viewer.seen, 1);
            QCOMPARE(viewer.texts, QStringList({photoViewer()->windowTitle()}));
        }
        QCOMPARE(photoViewer()->photoFileName, QStringLiteral("Copernicus.jpg"));
        QCOMPARE(s().imageFileName, QStringLiteral("maan_lk.bmp"));
        QCOMPARE(s().featureTable.slot(s().selectedFeature).name(), QStringLiteral("Copernicus *"));
        QVERIFY(selectedPoint() != middle);   // selected, not brought to the middle
        {
            // Not with Shift as well, not for a name without the mark, not
            // for a double click outside the photo index.
            ModalDriver none;
            QVERIFY(pressEntry(list, QStringLiteral("Tycho *   [vm]"), Qt::LeftButton,
                               Qt::ControlModifier | Qt::ShiftModifier));
            QVERIFY(pressEntry(list, QStringLiteral("Linné   [vm]"), Qt::LeftButton, Qt::ControlModifier));
            QVERIFY(pressEntry(list, QStringLiteral("Tycho *   [lk]"), Qt::LeftButton, Qt::NoModifier, true));
            QCOMPARE(none.seen, 0);
        }

        typeKey(totalIndex(), Qt::Key_F4);
        QCOMPARE(totalIndex()->windowTitle().right(12), QStringLiteral("detailfoto's"));
        {
            ModalDriver viewer;
            QVERIFY(pressEntry(list, QStringLiteral("Tycho *   [vm]")));
            QCOMPARE(viewer.seen, 0);
            QCOMPARE(s().imageFileName, QStringLiteral("maan_vm.bmp"));
            QCOMPARE(selectedPoint(), middle);
            QVERIFY(pressEntry(list, QStringLiteral("Tycho *   [lk]"), Qt::LeftButton, Qt::NoModifier, true));
            QCOMPARE(viewer.seen, 1);
        }
        QCOMPARE(photoViewer()->photoFileName, QStringLiteral("Tycho.jpg"));
        QCOMPARE(s().imageFileName, QStringLiteral("maan_lk.bmp"));
        QCOMPARE(s().featureTable.slot(s().selectedFeature).name(), QStringLiteral("Tycho *"));
        QCOMPARE(selectedPoint(), middle);
    }

    // The help window, the photo index and the search beside the main window
    // stay above it; a question asked there, and a photograph opened from the
    // photo index, come above them; none of them is kept above other programs.
    void questionsAndPhotographsComeAboveTheWindowsBeside()
    {
        if (!onDesktop())
            QSKIP("only a window manager stacks the windows");
        for (const char* f : {"Tycho.jpg", "Tycho.txt", "maanhelp.rtf"})
            QVERIFY(dir_->copyAtlasFile(QLatin1String(f)));
        openMainWindow();
        key(Qt::Key_F1);
        QTRY_VERIFY(helpViewer()->isVisible());
        activateMain();
        key(Qt::Key_F4);
        QTRY_VERIFY(totalIndex()->isVisible());
        activateMain();
        key(Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(searchWindow()->isVisible());
        activateMain();
        const QList<QWidget*> beside{helpViewer(), totalIndex(), searchWindow()};
        // Above the main window, which has the keyboard, and above no other
        // program.
        for (QWidget* w : beside) {
            QVERIFY2(!windowManagerState(w).contains(QStringLiteral("_NET_WM_STATE_ABOVE")),
                     qPrintable(w->windowTitle()));
            QVERIFY2(stackingPlace(w) > stackingPlace(mainWindow()), qPrintable(w->windowTitle()));
        }

        int questionPlace = -1;
        QList<int> besidePlaces;
        {
            ModalDriver driver({[&](QWidget* box) {
                QTest::qWait(300);   // the window manager stacks it
                questionPlace = stackingPlace(box);
                for (QWidget* w : beside)
                    besidePlaces.append(stackingPlace(w));
                answer(QMessageBox::No)(box);
            }});
            key(Qt::Key_Escape);
        }
        QCOMPARE(besidePlaces.size(), 3);
        for (int place : besidePlaces) {
            QVERIFY(place >= 0);
            QVERIFY2(questionPlace > place, qPrintable(QStringLiteral("question %1, beside %2").arg(questionPlace).arg(place)));
        }
        QVERIFY(mainWindow()->isVisible());

        makeActive(totalIndex());
        int photoPlace = -1, listPlace = -1;
        {
            ModalDriver viewer({[&](QWidget* photo) {
                QTest::qWait(300);
                photoPlace = stackingPlace(photo);
                listPlace = stackingPlace(totalIndex());
                photo->close();
            }});
            QVERIFY(pressEntry(totalIndex()->ListBox1, QStringLiteral("Tycho *   [vm]"), Qt::LeftButton,
                               Qt::NoModifier, true));
            QCOMPARE(viewer.seen, 1);
        }
        QVERIFY2(photoPlace > listPlace, qPrintable(QStringLiteral("photograph %1, list %2").arg(photoPlace).arg(listPlace)));
    }
};

QTEST_MAIN(TestAcrossWindows)
#include "test_acrosswindows.moc"
