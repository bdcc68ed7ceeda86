#include <QtTest>

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>

#include "astro/atlasmap.h"
#include "data/cp1252.h"
#include "tests/common/program.h"
#include "tests/common/modaldriver.h"
#include "tests/common/windowsystem.h"
#include "tests/common/workdir.h"

namespace {
const QRgb aqua = qRgb(0, 255, 255);
const QRgb red = qRgb(255, 0, 0);
const QString deg(QChar(0xB0));

QString readoutAt(const AtlasPlacement& p, int x, int y)
{
    const AtlasReadout r = atlasReadout(atlasDisc(p), x, y);
    return r.onDisc ? atlasReadoutText(r) : QString();
}

AtlasMap* viewer() { return atlasMap(); }
QRgb px(int x, int y) { return viewer()->canvas().pixel(x, y); }
QPoint origin() { return {viewer()->atlasOriginX, viewer()->atlasOriginY}; }

// Types a key where the platform delivers it: to the focused control, else the window.
void key(QWidget* window, int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
    QTest::keyClick(target, Qt::Key(k), modifiers);
}
}

class TestAtlasMap : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWorkDir> dir_;

    // The main window and the viewer, shown, with the viewer's client area
    // set to the given size and the viewer active.
    void openViewer(int width = 286, int height = 146)
    {
        startProgram();
        mainWindow()->firstActivation = false;
        mainWindow()->show();
        QTRY_VERIFY(mainWindow()->phaseReportCount > 0);
        mainWindow()->Kaartenindex1Click();
        QVERIFY(QTest::qWaitForWindowExposed(viewer()));
        viewer()->setClientSize(width, height);
        QTRY_COMPARE(viewer()->clientWidth(), width);
        QTRY_COMPARE(viewer()->clientHeight(), height);
        makeViewerActive();
    }

    void makeViewerActive()
    {
        makeActive(viewer());
        viewer()->surface()->setFocus();
        QTRY_COMPARE(QApplication::activeWindow(), viewer());
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<TestWorkDir>(
            QStringList{QStringLiteral("atlasindex.jpg"), QStringLiteral("kaarten.txt"), QStringLiteral("titelmaan.bmp")});
    }

    void cleanup()
    {
        stopProgram();
        dir_.reset();
    }

    void discAndReadoutGeometry()
    {
        const AtlasPlacement half{0.5, 0, 0}, full{1.0, 0, 0};
        const AtlasDisc h = atlasDisc(half), f = atlasDisc(full);
        // 545 x 0.5 = 272.5 goes to the even neighbour.
        QCOMPARE(QPoint(h.centreX, h.centreY), QPoint(264, 272));
        QCOMPARE(h.radius, 259.0);
        QCOMPARE(QPoint(f.centreX, f.centreY), QPoint(528, 545));
        QCOMPARE(f.radius, 518.0);
        const AtlasDisc moved = atlasDisc({0.5, -30, 17});
        QCOMPARE(QPoint(moved.centreX, moved.centreY), QPoint(234, 289));

        QCOMPARE(readoutAt(half, 264, 272), QStringLiteral("0") + deg + QStringLiteral("N 0") + deg + QStringLiteral("E"));
        // On the northern and southern rim, and on the equator's ends: nothing.
        QCOMPARE(readoutAt(half, 264, 272 - 259), QString());
        QCOMPARE(readoutAt(half, 264, 272 + 259), QString());
        QCOMPARE(readoutAt(half, 264 - 259, 272), QString());
        QCOMPARE(readoutAt(half, 264 + 259, 272), QString());
        QCOMPARE(readoutAt(half, 0, 0), QString());
        QCOMPARE(readoutAt(half, 264, 272 - 258), QStringLiteral("85") + deg + QStringLiteral("N 0") + deg + QStringLiteral("E"));
        // asin(100/259) = 22.71 deg; asin(-100 / (259 cos 22.71 deg)) = -24.74 deg.
        QCOMPARE(readoutAt(half, 164, 372), QStringLiteral("23") + deg + QStringLiteral("S 25") + deg + QStringLiteral("W"));
        QCOMPARE(readoutAt(full, 528 + 259, 545), QStringLiteral("0") + deg + QStringLiteral("N 30") + deg + QStringLiteral("E"));
        // Just south of the equator rounds to 0 and still says south.
        QCOMPARE(readoutAt(full, 528, 546), QStringLiteral("0") + deg + QStringLiteral("S 0") + deg + QStringLiteral("E"));
        // The degree sign is the byte 0xB0 in Windows-1252.
        QCOMPARE(toCp1252(readoutAt(half, 264, 272)), QByteArray("0\xB0N 0\xB0" "E"));
    }

    void gridConstruction()
    {
        const AtlasGrid g = atlasGrid(264, 272, 259);
        QCOMPARE(int(g.parallels.size()), 17);
        QCOMPARE(int(g.meridians.size()), 19);
        // 20 deg N: y = 272 - round(88.58) = 183, half-width round(243.38) = 243.
        const LineSpec p20 = g.parallels[10];
        QCOMPARE(QList<int>({p20.x1, p20.y1, p20.x2, p20.y2}), QList<int>({21, 183, 507, 183}));
        QVERIFY(!p20.red);
        // The 0-degree meridian is red and flat; 90 deg E is the right half of the rim.
        QVERIFY(g.meridians[0].red && g.meridians[0].x1 == 264 && g.meridians[0].x2 == 264);
        const ArcSpec east90 = g.meridians[9];
        QCOMPARE(QList<int>({east90.x1, east90.y1, east90.x2, east90.y2}), QList<int>({5, 13, 523, 531}));
        QVERIFY(east90.y3 > 272 && east90.y4 < 272 && !east90.red);
        // 90 deg W: the left half of the rim, from the top to the bottom.
        const ArcSpec west90 = g.meridians[10];
        QCOMPARE(QList<int>({west90.x1, west90.x2}), QList<int>({5, 523}));
        QVERIFY(west90.y3 < 272 && west90.y4 > 272);
        QVERIFY(g.equator.red && g.centralMeridian.red);
        QCOMPARE(QList<int>({g.equator.x1, g.equator.x2, g.centralMeridian.y1, g.centralMeridian.y2}),
                 QList<int>({5, 523, 13, 531}));
    }

    void startStateAndPlacement()
    {
        startProgram();
        AtlasMap* v = viewer();
        QCOMPARE(v->windowTitle(), QStringLiteral("De kaarten uit de   'Atlas de la Lune'"));
        QCOMPARE(v->atlasScale, 0.5);
        QVERIFY(v->atlasHalfSize && !v->atlasGridOn);
        QCOMPARE(origin(), QPoint(0, 0));
        QCOMPARE(v->Image1.width(), 1056);
        QCOMPARE(v->Image1.height(), 1090);
        // Above the main window only, not above every program of the desktop.
        QCOMPARE(v->windowType(), Qt::Tool);
        QCOMPARE(v->parentWidget(), mainWindow());
        QVERIFY(!(v->windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(v->windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(!(v->windowFlags() & Qt::WindowMinimizeButtonHint));
        QCOMPARE(v->surface()->toolTip(), QStringLiteral("Versleep het beeld met de muis"));
        QStringList bar;
        for (QAction* a : v->menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar, QStringList({"&Afsluiten", " naar 2 :1 ", "&Raster", "Kaartkeuze", "&Help"}));
        QStringList popup;
        for (QAction* a : v->PopupMenu1->actions())
            popup << a->text();
        QCOMPARE(popup, QStringList({"Hint aan/uit", "2:1", "Raster"}));
        QCOMPARE(v->Panel1->size(), QSize(79, 13));
        // A lowered bevel two pixels wide: dark above and left, light below
        // and right, both lines of it, around the white panel.
        const QImage panel = v->Panel1->grab().toImage();
        const auto lightness = [&panel](int x, int y) { return qGray(panel.pixel(x, y)); };
        QCOMPARE(lightness(39, 6), 255);
        for (int i : {0, 1}) {
            QVERIFY(lightness(39, i) < 200 && lightness(i, 6) < 200);
            QVERIFY(lightness(39, 12 - i) > lightness(39, i));
            QVERIFY(lightness(78 - i, 6) > lightness(i, 6));
        }

        // At the top right of the main window, 40 pixels down; without a
        // window manager the outer frame is the window itself.
        mainWindow()->setGeometry(QApplication::primaryScreen()->availableGeometry());
        mainWindow()->firstActivation = false;
        mainWindow()->show();
        mainWindow()->Kaartenindex1Click();
        QVERIFY(QTest::qWaitForWindowExposed(v));
        QTRY_COMPARE(v->frameGeometry(), QRect(mainWindow()->clientWidth() - 295, 40, 295, 200));
        // Hints off and on again.
        v->Hintaanuit1Click();
        QVERIFY(v->surface()->toolTip().isEmpty());
        v->Hintaanuit1Click();
        QCOMPARE(v->surface()->toolTip(), QStringLiteral("Versleep het beeld met de muis"));
    }

    void missingPictureKeepsTheDisc()
    {
        QVERIFY(QFile::remove(QStringLiteral("atlasindex.jpg")));
        QVERIFY(writeWholeFile(QStringLiteral("atlasindex.jpg"), "no picture"));
        openViewer();
        QVERIFY(viewer()->Image1.isNull());
        QCOMPARE(px(10, 10), qRgb(0, 0, 0));
        QTest::mouseClick(viewer()->surface(), Qt::LeftButton, {}, QPoint(264, 272 - 100));
        QCOMPARE(viewer()->Panel1->text(), QStringLiteral("23") + deg + QStringLiteral("N 0") + deg + QStringLiteral("E"));
        viewer()->Raster1Click();
        QCOMPARE(px(264, 100), red);
    }

    void pictureGridAndReadoutOnTheWindow()
    {
        openViewer(600, 600);
        AtlasMap* v = viewer();
        // The picture at half size: its black corner, the grey disc.
        QCOMPARE(qGray(px(3, 3)), 0);
        QVERIFY(qGray(px(264, 272)) > 40);
        QVERIFY(px(264, 200) != red);
        key(v, Qt::Key_R);
        QVERIFY(v->atlasGridOn);
        QCOMPARE(px(264, 200), red);            // central meridian
        QCOMPARE(px(200, 272), red);            // equator
        QCOMPARE(px(300, 183), aqua);           // 20 deg N
        QCOMPARE(px(21, 183), aqua);            // its western end
        QCOMPARE(px(264 + 259, 272), aqua);     // the limb at the equator
        QCOMPARE(px(264, 272 - 259), red);      // north pole, central meridian's end
        // The read-out follows a press with any button; the panel sits at the bottom left.
        QTest::mousePress(v->surface(), Qt::LeftButton, {}, QPoint(164, 372));
        QCOMPARE(v->Panel1->text(), QStringLiteral("23") + deg + QStringLiteral("S 25") + deg + QStringLiteral("W"));
        QTest::mouseRelease(v->surface(), Qt::LeftButton, {}, QPoint(164, 372));
        QCOMPARE(origin(), QPoint(0, 0));
        QTest::mouseClick(v->surface(), Qt::MiddleButton, {}, QPoint(264, 272 - 259));
        QVERIFY(v->Panel1->text().isEmpty());
        QCOMPARE(v->Panel1->geometry(), QRect(0, 600 - 13, 79, 13));
        v->setClientSize(500, 400);
        QTRY_COMPARE(v->Panel1->geometry(), QRect(0, 400 - 13, 79, 13));
        key(v, Qt::Key_R);
        QVERIFY(!v->atlasGridOn);
    }

    void draggingMovesAtTheReleaseWithTheLeftButtonOnly()
    {
        openViewer(600, 600);
        QWidget* s = viewer()->surface();
        QTest::mousePress(s, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(s, QPoint(140, 70));
        QCOMPARE(origin(), QPoint(0, 0));
        QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(140, 70));
        QCOMPARE(origin(), QPoint(40, -30));
        // A right drag opens the pop-up menu at its end and does not move
        // the picture.
        QTest::mousePress(s, Qt::RightButton, {}, QPoint(100, 100));
        QTest::mouseRelease(s, Qt::RightButton, {}, QPoint(200, 150));
        QTRY_VERIFY(viewer()->PopupMenu1->isVisible());
        viewer()->PopupMenu1->close();
        QCOMPARE(origin(), QPoint(40, -30));
    }

    void halfFullHalfKeepsTheCentrePoint()
    {
        openViewer(286, 146);
        AtlasMap* v = viewer();
        v->atlasOriginX = -77;
        v->atlasOriginY = -123;
        const QPointF before = atlasPicturePoint(v->placement(), 143, 73);
        v->half1Click();
        QCOMPARE(v->atlasScale, 1.0);
        QVERIFY(!v->atlasHalfSize);
        QCOMPARE(v->half1->text(), QStringLiteral("naar 1:1 "));
        QCOMPARE(v->half2->text(), QStringLiteral("2:1"));
        const QPointF full = atlasPicturePoint(v->placement(), 143, 73);
        QVERIFY(qAbs(full.x() - before.x()) <= 1 && qAbs(full.y() - before.y()) <= 1);
        // F7 and the keypad's plus do the same.
        key(v, Qt::Key_F7);
        QCOMPARE(v->atlasScale, 0.5);
        QCOMPARE(v->half1->text(), QStringLiteral("naar 2:1 "));
        const QPointF back = atlasPicturePoint(v->placement(), 143, 73);
        QVERIFY2(qAbs(back.x() - before.x()) <= 2 && qAbs(back.y() - before.y()) <= 2,
                 qPrintable(QStringLiteral("%1,%2 -> %3,%4").arg(before.x()).arg(before.y()).arg(back.x()).arg(back.y())));
        makeViewerActive();
        key(v, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(v->atlasScale, 1.0);
        makeViewerActive();
        key(v, Qt::Key_Plus);   // the main keyboard's plus is not the command
        QCOMPARE(v->atlasScale, 1.0);
    }

    void arrowKeysAndTheFocus()
    {
        openViewer(286, 146);
        AtlasMap* v = viewer();
        // Ctrl + Down: 275 pixels, and the keyboard stays here; pressing Ctrl
        // on its own first does not hand it over either.
        QTest::keyPress(QApplication::focusWidget(), Qt::Key_Control, Qt::ControlModifier);
        QCOMPARE(QApplication::activeWindow(), v);
        key(v, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(origin(), QPoint(0, 275));
        QCOMPARE(QApplication::activeWindow(), v);
        key(v, Qt::Key_Down);
        QCOMPARE(origin(), QPoint(0, 300));
        QCOMPARE(QApplication::activeWindow(), v);
        // Ctrl + Right: 275 pixels, then the main window has the keyboard.
        key(v, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(origin(), QPoint(275, 300));
        QTRY_COMPARE(QApplication::activeWindow(), mainWindow());
        QVERIFY(v->isVisible());
        // The next arrow moves the main window's picture, not the map.
        const int mainX = mainWindow()->state().originX;
        key(mainWindow(), Qt::Key_Right);
        QCOMPARE(mainWindow()->state().originX, mainX + 25);
        QCOMPARE(origin(), QPoint(275, 300));

        makeViewerActive();
        key(v, Qt::Key_Left);
        QCOMPARE(origin(), QPoint(250, 300));
        QTRY_COMPARE(QApplication::activeWindow(), mainWindow());
        makeViewerActive();
        key(v, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);   // not exactly Ctrl
        QCOMPARE(origin(), QPoint(250, 275));
        // Any other key hands the keyboard over too.
        makeViewerActive();
        key(v, Qt::Key_Q);
        QTRY_COMPARE(QApplication::activeWindow(), mainWindow());
        QCOMPARE(origin(), QPoint(250, 275));
    }

    // The map enlarged over the main window, the keyboard back in the main
    // window: a question asked there comes above the map, not under it.
    void modalWindowsComeAboveTheMap()
    {
        if (!onDesktop())
            QSKIP("only a window manager stacks the windows");
        openViewer();
        AtlasMap* v = viewer();
        v->showMaximized();
        QTRY_VERIFY(v->isMaximized());
        QVERIFY(!windowManagerState(v).contains(QStringLiteral("_NET_WM_STATE_ABOVE")));
        makeViewerActive();
        key(v, Qt::Key_Right);
        QTRY_COMPARE(QApplication::activeWindow(), mainWindow());

        int mapPlace = -1, questionPlace = -1, selectionPlace = -1;
        QString question;
        {
            ModalDriver driver({[&](QWidget* box) {
                                    QTest::qWait(300);   // the window manager stacks it
                                    mapPlace = stackingPlace(v);
                                    questionPlace = stackingPlace(box);
                                    question = qobject_cast<QMessageBox*>(box)->text();
                                    answer(QMessageBox::No)(box);
                                },
                                [&](QWidget* dialog) {
                                    QTest::qWait(300);
                                    selectionPlace = stackingPlace(dialog);
                                    dialog->close();
                                }});
            key(mainWindow(), Qt::Key_Escape);
            key(mainWindow(), Qt::Key_G);
        }
        QCOMPARE(question, QStringLiteral("Dit programma verlaten?"));
        QVERIFY(mapPlace >= 0);
        QVERIFY2(questionPlace > mapPlace, qPrintable(QStringLiteral("question %1, map %2").arg(questionPlace).arg(mapPlace)));
        QVERIFY2(selectionPlace > mapPlace, qPrintable(QStringLiteral("selection %1, map %2").arg(selectionPlace).arg(mapPlace)));
        QVERIFY(mainWindow()->isVisible());
    }

    void closingKeysAndTheSheetChoice()
    {
        openViewer();
        AtlasMap* v = viewer();
        v->Kaartkeuze1Click();
        QVERIFY(QTest::qWaitForWindowExposed(mapChoice()));
        // Closing the viewer closes the sheet choice with it.
        makeViewerActive();
        key(v, Qt::Key_Escape);
        QVERIFY(!v->isVisible());
        QVERIFY(!mapChoice()->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), mainWindow());

        // The 4 key opens it from the main window and closes it again, from
        // the main keyboard and from the numeric keypad.
        mainWindow()->surface()->setFocus();
        key(mainWindow(), Qt::Key_4);
        QVERIFY(QTest::qWaitForWindowExposed(v));
        makeViewerActive();
        key(v, Qt::Key_4);
        QVERIFY(!v->isVisible());
        mainWindow()->Kaartenindex1Click();
        QVERIFY(QTest::qWaitForWindowExposed(v));
        makeViewerActive();
        key(v, Qt::Key_4, Qt::KeypadModifier);
        QVERIFY(!v->isVisible());
        // Its state survives the closing.
        mainWindow()->Kaartenindex1Click();
        v->Raster1Click();
        v->Afsluiten1Click();
        QVERIFY(!v->isVisible());
        mainWindow()->Kaartenindex1Click();
        QVERIFY(v->atlasGridOn);
    }

    void helpOpensTheExplanationOrSaysItIsMissing()
    {
        openViewer();
        AtlasMap* v = viewer();
        {
            BoxDriver boxes;
            v->Toelichting1Click();
            QCOMPARE(boxes.texts, QStringList({"File atlasindex.rtfontbreekt"}));
        }
        QVERIFY(!helpViewer()->isVisible());

        QVERIFY(dir_->copyAtlasFile(QStringLiteral("atlasindex.rtf")));
        QString loaded;
        bool modal = false;
        QRect placed;
        QTimer::singleShot(0, helpViewer(), [&] {
            QTRY_VERIFY(helpViewer()->isVisible());
            placed = helpViewer()->outerGeometry();
            QTRY_VERIFY(!helpViewer()->richEdit()->toPlainText().isEmpty());
            loaded = helpViewer()->richEdit()->toPlainText();
            modal = helpViewer()->isShownModally();
            helpViewer()->close();
        });
        v->Toelichting1Click();
        QCOMPARE(helpViewer()->helpFileName, QStringLiteral("atlasindex.rtf"));
        QVERIFY(modal);
        QCOMPARE(helpViewer()->outerGeometry().size(), QSize(500, 200));
        // Beside the map, level with it, the map left in sight.
        QCOMPARE(placed.top(), v->outerGeometry().top());
        QCOMPARE(placed.right() + 1, v->outerGeometry().left());
        QVERIFY(loaded.contains(QStringLiteral("Kaartkeuze")));
        // At least 200 words of explanation.
        QVERIFY(loaded.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size() >= 200);
    }

    // A right drag over the pop-up's entries runs none of them: the pop-up
    // opens where the button comes up. A plain right click opens it too, and
    // a click on an entry runs it. Real pointer events of an X server
    // (xdotool), which grabs the pointer for an open pop-up; offscreen the
    // same is checked with the toolkit's events.
    void rightDragRunsNoPopupEntry()
    {
        openViewer();
        AtlasMap* v = viewer();
        QWidget* surface = v->surface();
        const QPoint start(40, 30);
        const QPoint end = start + QPoint(30, 38);   // over "2:1" or "Raster" of a pop-up opened at the start
        auto button = [&](bool down, const QPoint& at) {
            if (onDesktop()) {
                const QPoint p = surface->mapToGlobal(at);
                QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(p.x()),
                                                              QString::number(p.y())});
                QTest::qWait(150);
                QProcess::execute(QStringLiteral("xdotool"),
                                  {down ? QStringLiteral("mousedown") : QStringLiteral("mouseup"), QStringLiteral("3")});
                QTest::qWait(300);
            } else if (down) {
                QTest::mousePress(surface, Qt::RightButton, {}, at);
            } else {
                QTest::mouseMove(surface, at);
                QTest::mouseRelease(surface, Qt::RightButton, {}, at);
            }
        };
        for (int round = 0; round < 2; ++round) {
            const double scale = v->atlasScale;
            const bool grid = v->atlasGridOn;
            button(true, start);
            QVERIFY(!v->PopupMenu1->isVisible());
            button(false, end);
            QCOMPARE(v->atlasScale, scale);
            QCOMPARE(v->atlasGridOn, grid);
            QTRY_VERIFY(v->PopupMenu1->isVisible());
            QCOMPARE(v->PopupMenu1->pos(), surface->mapToGlobal(end));
            v->PopupMenu1->close();
            QTRY_VERIFY(!v->PopupMenu1->isVisible());
        }
        // A click: the pop-up, and its entry run by a click of its own.
        button(true, start);
        button(false, start);
        QTRY_VERIFY(v->PopupMenu1->isVisible());
        const QRect raster = v->PopupMenu1->actionGeometry(v->Raster2);
        QTest::mouseClick(v->PopupMenu1, Qt::LeftButton, {}, raster.center());
        QTRY_VERIFY(v->atlasGridOn);
        // The press still reads out where it was made.
        QCOMPARE(v->Panel1->text(), readoutAt(v->placement(), start.x(), start.y()));
    }
};

QTEST_MAIN(TestAtlasMap)
#include "test_atlasmap.moc"
