#include <QtTest>

#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextEdit>
#include <cmath>
#include <functional>
#include <memory>

#include "astro/libration.h"
#include "data/numbertext.h"
#include "platform/canvasview.h"
#include "platform/dialogs.h"
#include "platform/rtfreader.h"
#include "tests/common/program.h"
#include "tests/common/windowsystem.h"
#include "tests/common/workdir.h"

namespace {
const QChar deg(0xB0);
constexpr double kPi = 3.14159265358979323846;
const QRgb aqua = qRgb(0, 255, 255);
const QRgb red = qRgb(255, 0, 0);
const QRgb silver = qRgb(192, 192, 192);
const QRgb grey = qRgb(128, 128, 128);
const QRgb white = qRgb(255, 255, 255);

// Runs `steps` while `form` is shown modally, then closes it, also when a
// check inside `steps` fails.
void whileShownModally(Form* form, std::function<void()> steps)
{
    QTimer::singleShot(0, form, [form, steps] {
        struct Closer {
            Form* f;
            ~Closer() { f->close(); }
        } closer{form};
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCoreApplication::processEvents();
        steps();
    });
    form->showModal();
}

// Runs `action` on the next modal window once it is up.
void whenModal(std::function<void(QWidget*)> action, int triesLeft = 200)
{
    QTimer::singleShot(10, [action, triesLeft] {
        if (QWidget* w = QApplication::activeModalWidget(); w && w->isVisible())
            action(w);
        else if (triesLeft > 0)
            whenModal(action, triesLeft - 1);
    });
}

// An explanation placed for a maximised demonstration: `width` wide where
// the screen has room beside `drawing` (narrowed down to `least`), else over
// it at an edge of the screen; never over the menu bar's commands.
void verifyBeside(Form* demo, const QRect& placed, const QRect& drawing, int least, int width)
{
    const QRect screen = demo->screen()->availableGeometry();
    QVERIFY(screen.contains(placed));
    QRect commands;
    for (QAction* a : demo->menuBar()->actions())
        commands |= demo->menuBar()->actionGeometry(a).translated(demo->menuBar()->mapToGlobal(QPoint(0, 0)));
    QVERIFY(!placed.intersects(commands));
    const bool room = std::max(drawing.left() - screen.left(), screen.right() - drawing.right()) >= least;
    if (room) {
        QVERIFY2(!placed.intersects(drawing), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(placed.x()).arg(placed.y()).arg(placed.width()).arg(placed.height())));
        QVERIFY(placed.width() >= least && placed.width() <= width);
    } else {
        QVERIFY(placed.left() == screen.left() || placed.right() == screen.right());
        QCOMPARE(placed.width(), width);
    }
}

void press(Form* form, int key, int times = 1)
{
    for (int i = 0; i < times; ++i) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : static_cast<QWidget*>(form);
        QTest::keyClick(target, Qt::Key(key));
    }
}

int countPixels(const Canvas& c, QRgb colour, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += c.pixel(x, y) == colour ? 1 : 0;
    return n;
}

// Text is smoothed at its edges: its strokes hold the pure colour or close to it.
int countYellowish(const Canvas& c, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = c.pixel(x, y);
            n += qRed(p) > 160 && qGreen(p) > 160 && qBlue(p) < 60 ? 1 : 0;
        }
    return n;
}

double toDegrees(double radians) { return radians * 180 / kPi; }
}

class TestLibration : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWorkDir> dir_;

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands)); }

    void init()
    {
        dir_ = std::make_unique<TestWorkDir>();
        startProgram();
    }

    void cleanup()
    {
        stopProgram();
        dir_.reset();
    }

    // --- Libration in longitude ------------------------------------------

    void orbitTellingRows()
    {
        const LongitudeModel model;
        const OrbitTable table = maakMaanbaan(model, 0, 0);
        struct Row { int step, x, y; double baanhoek, libration; };
        const Row rows[] = {
            {0, 238, 0, 0.000, 0.000},           {9, 159, 182, 50.997, -5.997},
            {18, -23, 249, 97.870, -7.870},      {27, -194, 171, 140.211, -5.211},
            {36, -262, 0, 180.000, 0.000},       {45, -194, -171, -140.211, 5.211},
            {54, -23, -249, -97.870, 7.870},     {71, 237, -23, -5.765, 0.765},
        };
        for (const Row& r : rows) {
            const OrbitEntry& e = table[std::size_t(r.step)];
            QCOMPARE(e.x, r.x);
            QCOMPARE(-e.y, r.y);
            QVERIFY2(std::fabs(toDegrees(e.baanhoek) - r.baanhoek) < 0.001, qPrintable(QString::number(r.step)));
            const LongitudeReading reading = longitudeReading(model, table, r.step);
            QVERIFY2(std::fabs(reading.libration - r.libration) < 0.001, qPrintable(QString::number(r.step)));
        }
        // Apogee lies straight to the left: +180, never -180.
        QCOMPARE(table[36].baanhoek, kPi);
        QCOMPARE(table[0].afstand, 356400.0);
        for (int i = 0; i <= OrbitSteps; ++i) {
            QVERIFY(table[std::size_t(i)].baanhoek > -kPi && table[std::size_t(i)].baanhoek <= kPi);
            QVERIFY(table[std::size_t(i)].afstand <= table[36].afstand);
            const double E = solveKepler(i * 2 * kPi / OrbitSteps, model.excentriciteit);
            QVERIFY(std::fabs(E - model.excentriciteit * std::sin(E) - i * 2 * kPi / OrbitSteps) < 1e-6);
        }
        QCOMPARE(earthOffset(model), 11);
        QCOMPARE(earthOffset({100, 0.125, 1}), 12);   // an exact half goes to the even neighbour
    }

    void signsAndSentencesAlongTheOrbit()
    {
        const LongitudeModel model;
        const OrbitTable table = maakMaanbaan(model, 400, 300);
        const QString middle = QStringLiteral("U ziet de maanschijf in middenpositie");
        const QString east = QStringLiteral("Aan maan-O-zijde is nu meer te zien");
        const QString west = QStringLiteral("Aan maan-W-zijde is nu meer te zien");
        double least = 0, most = 0;
        for (int step = 0; step < OrbitSteps; ++step) {
            const LongitudeReading r = longitudeReading(model, table, step);
            const QStringList lines = longitudeLines(r);
            QCOMPARE(lines.size(), 6);
            const QString& expected = step == 0 || step == 36 ? middle : step < 36 ? east : west;
            QCOMPARE(lines[4], expected);
            if (step != 0 && step != 36)
                QVERIFY((r.libration < 0) == (step < 36));
            least = std::min(least, r.libration);
            most = std::max(most, r.libration);
        }
        QVERIFY(least < -7.85 && least > -7.95);
        QVERIFY(most > 7.85 && most < 7.95);

        QCOMPARE(longitudeLines(longitudeReading(model, table, 0)),
                 QStringList({"0,00 dagen na nieuwe maan", QString("maanrotatie om zijn as 0,00") + deg,
                              QString("maanverplaatsing in zijn baan 0,00") + deg,
                              QString("Libratie in lengte = 0,00") + deg, middle, "Afstand 356400 km"}));
        const QStringList apogee = longitudeLines(longitudeReading(model, table, 36));
        QCOMPARE(apogee[2], QString("maanverplaatsing in zijn baan 180,00") + deg);
        QCOMPARE(apogee[3], QString("Libratie in lengte = 0,00") + deg);
        const QStringList last = longitudeLines(longitudeReading(model, table, 71));
        QCOMPARE(last[0], QStringLiteral("27,20 dagen na nieuwe maan"));
        QCOMPARE(last[1], QString("maanrotatie om zijn as 355,00") + deg);
        QCOMPARE(last[2], QString("maanverplaatsing in zijn baan -5,76") + deg);
        QCOMPARE(last[3], QString("Libratie in lengte = 0,76") + deg);
        QCOMPARE(longitudeLines(longitudeReading(model, table, 9))[3], QString("Libratie in lengte = -6,00") + deg);
    }

    void longitudeWindowStepsAndDraws()
    {
        LongitudeDemo* w = longitudeDemo();
        whileShownModally(w, [w] {
            QTRY_COMPARE(w->Panel2->text(), QStringLiteral("U kijkt nu op de noordpolen van aarde en maan.   "
                                                           "Verander de positie van de maan met de horizontale pijltoetsen"));
            QCOMPARE(w->windowTitle(), QStringLiteral("Verklaring van de Libratie in de lengte"));
            QCOMPARE(w->middenx, w->clientWidth() / 2);
            QCOMPARE(w->middeny, w->clientHeight() / 2);
            QCOMPARE(w->stap, 0);
            QCOMPARE(w->Label[0]->text(), QStringLiteral("0,00 dagen na nieuwe maan"));
            QCOMPARE(w->Label[5]->text(), QStringLiteral("Afstand 356400 km"));
            QVERIFY(w->Label[5]->geometry().bottom() < w->Panel1->height());
            const Canvas& c = w->PaintBox1->canvas();
            const int mx = w->middenx, my = w->middeny;

            // The Earth, radius 20, centred 11 pixels right of the drawing centre.
            QCOMPARE(c.pixel(mx + 11, my + 10), aqua);
            int left = mx + 11, right = mx + 11;
            while (c.pixel(left - 1, my + 10) == aqua)
                --left;
            while (c.pixel(right + 1, my + 10) == aqua)
                ++right;
            QCOMPARE(left + right, 2 * (mx + 11) - 1);   // pixels 11 - 20 .. 11 + 19
            // The Moon at perigee, its marker upright.
            QCOMPARE(c.pixel(mx + 238, my - 5), red);
            QCOMPARE(c.pixel(mx + 248, my), white);
            QVERIFY(countYellowish(c, QRect(mx + 265, my - 5, 50, 14)) > 10);
            QVERIFY(countYellowish(c, QRect(mx - 330, my - 5, 50, 14)) > 10);

            press(w, Qt::Key_Right, 18);
            QCOMPARE(w->stap, 18);
            const int x = mx - 23, y = my - 249;
            QCOMPARE(c.pixel(x, y), red);          // the marker, now level
            QCOMPARE(c.pixel(x - 10, y), red);
            QCOMPARE(c.pixel(x + 10, y), white);   // the outline
            QCOMPARE(c.pixel(x, y - 10), white);
            QCOMPARE(c.pixel(mx + 238, my - 5), qRgb(0, 0, 0));   // the old position is gone
            QCOMPARE(w->Label[3]->text(), QString("Libratie in lengte = -7,87") + deg);

            press(w, Qt::Key_Right, 18);
            QCOMPARE(w->Label[4]->text(), QStringLiteral("U ziet de maanschijf in middenpositie"));
            QCOMPARE(w->Label[3]->text(), QString("Libratie in lengte = 0,00") + deg);

            // Wrapping both ways.
            press(w, Qt::Key_Left, 37);
            QCOMPARE(w->stap, 71);
            QCOMPARE(w->Label[0]->text(), QStringLiteral("27,20 dagen na nieuwe maan"));
            press(w, Qt::Key_Right);
            QCOMPARE(w->stap, 0);
        });
        QVERIFY(!w->isVisible());
    }

    void wholeOrbitAndBack()
    {
        LongitudeDemo* w = longitudeDemo();
        whileShownModally(w, [w] {
            QTRY_COMPARE(w->stap, 0);
            w->Totaal1->trigger();
            QVERIFY(w->totaal);
            QVERIFY(w->Panel1->isHidden());
            QVERIFY(!w->Totaal1->isEnabled() && w->Stapsgewijs1->isEnabled());
            QCOMPARE(w->Panel2->text(),
                     QStringLiteral("Dit is de gehele maanbaan om de aarde. De positie van de nieuwe maan is rechts van de aarde. "));
            const Canvas& c = w->PaintBox1->canvas();
            // Every position has its Moon with the red marker through its centre.
            for (int i = 0; i < OrbitSteps; ++i)
                QVERIFY2(c.pixel(w->maanbaan[std::size_t(i)].x, w->maanbaan[std::size_t(i)].y) == red,
                         qPrintable(QString::number(i)));
            QVERIFY(countYellowish(c, QRect(w->middenx + 265, w->middeny - 5, 50, 14)) > 10);
            // The arrows change nothing visible.
            const QImage before = c.image().copy();
            press(w, Qt::Key_Right, 3);
            QCOMPARE(w->PaintBox1->canvas().image(), before);

            w->Stapsgewijs1->trigger();
            QVERIFY(!w->totaal && w->Panel1->isVisible());
            QVERIFY(!w->Stapsgewijs1->isEnabled() && w->Totaal1->isEnabled());
            QCOMPARE(w->stap, 0);
            w->Totaal1->trigger();
        });
        // Opened again: stepwise at step 0, with the panel and the menu as they were left.
        whileShownModally(w, [w] {
            QTRY_COMPARE(w->Stapsgewijs1->isEnabled(), true);
            QVERIFY(!w->totaal);
            QCOMPARE(w->stap, 0);
            QVERIFY(w->Panel1->isHidden());
            QVERIFY(!w->Totaal1->isEnabled());
        });
    }

    void explanationOfTheLongitudeDoesNotRestart()
    {
        QVERIFY(writeWholeFile("libratie.rtf", "{\\rtf1 Libratie in lengte}"));
        LongitudeDemo* w = longitudeDemo();
        helpViewer()->setOuterGeometry(300, 40, 600, 200);
        whileShownModally(w, [w] {
            QTRY_COMPARE(w->Panel2->text().isEmpty(), false);
            press(w, Qt::Key_Right, 5);
            QRect placed;
            bool modal = false;
            QString text;
            whenModal([&](QWidget* help) {
                modal = help == helpViewer();
                // Placed again once the window manager has framed it.
                QTRY_COMPARE(helpViewer()->outerGeometry().height(), 500);
                placed = helpViewer()->outerGeometry();
                QTRY_VERIFY(!helpViewer()->richEdit()->toPlainText().isEmpty());
                text = helpViewer()->richEdit()->toPlainText();
                helpViewer()->close();
            });
            w->Toelichting1->trigger();
            QVERIFY(modal);
            // The number panel and the orbit stay in sight.
            QRect drawing(w->Panel1->mapToGlobal(QPoint(0, 0)), w->Panel1->size());
            for (const OrbitEntry& p : w->maanbaan)
                drawing |= QRect(w->PaintBox1->mapToGlobal(QPoint(p.x - 10, p.y - 10)), QSize(21, 21));
            verifyBeside(w, placed, drawing, 200, 250);
            QCOMPARE(text, QStringLiteral("Libratie in lengte"));
            QCOMPARE(helpViewer()->helpFileName, QStringLiteral("libratie.rtf"));
            QCOMPARE(w->stap, 5);
            QCOMPARE(w->Label[0]->text(), QStringLiteral("1,91 dagen na nieuwe maan"));
        });
    }

    // --- Libration in latitude -------------------------------------------

    void latitudeTellingValues()
    {
        struct Row { double dagen; double phi; int dx, dy; double b; bool towards; };
        const Row rows[] = {
            {0, 0, 200, 0, 6.5, true},          {1.0, 26.35, 179, -44, 5.822, true},
            {5.0, 131.77, -133, -75, -4.325, false}, {6.8, 179.21, -200, -1, -6.499, false},
            {13.7, 361.05, 200, -2, 6.499, true},
        };
        for (const Row& r : rows) {
            const LatitudeState s = latitudeState(r.dagen, 30, 272, 400);
            QVERIFY(std::fabs(toDegrees(s.phi) - r.phi) < 0.01);
            QCOMPARE(s.moonX - 272, r.dx);
            QCOMPARE(s.moonY - 400, r.dy);
            QVERIFY2(std::fabs(s.poleTilt - r.b) < 0.001, qPrintable(QString::number(s.poleTilt)));
            QCOMPARE(poleLine(s.poleTilt).endsWith(r.towards ? QString(deg) + " naar de aarde toegekeerd"
                                                             : QString(deg) + " van de aarde afgekeerd"),
                     true);
        }
        // 3.4 days: about 0.05 degrees, still towards the Earth.
        QCOMPARE(poleLine(latitudeState(3.4, 30, 0, 0).poleTilt),
                 QString("De noordpool van de maan is nu 0,0") + deg + " naar de aarde toegekeerd");
        QCOMPARE(daysLine(-2.5), QStringLiteral("-2,5 dagen verder"));
    }

    void hiddenLinesOfTheMoon()
    {
        // The equator's far half is hidden; the near half runs through the front.
        const std::vector<PolyPoint> equator = parallelCircle(0, 0, 50, MoonAxisElevation, 0, 30);
        QCOMPARE(int(equator.size()), 73);
        QVERIFY(!equator.front().draw);
        for (std::size_t i = 1; i < equator.size(); ++i) {
            const int lambda = int(i) * 5;
            if (lambda > 0 && lambda < 180)
                QVERIFY(equator[i].draw);
            if (lambda > 180 && lambda < 360)
                QVERIFY(!equator[i].draw);
        }
        QCOMPARE(equator[18].x, 0);     // 90 degrees: straight in front, below the centre
        QCOMPARE(equator[18].y, 25);
        // The boundary of the Earth-facing half reaches 15 pixels past the rim.
        const std::vector<PolyPoint> boundary = azimuthCircle(0, 0, 50, kPi / 2, 30);
        QCOMPARE(int(boundary.size()), 31);
        const ObliqueView view(30);
        int pastRim = 0;
        for (std::size_t k = 1; k < boundary.size(); ++k) {
            const double beta = 12.0 * double(k) * kPi / 180;
            const double facing = view.facing(-50 * std::sin(beta), -50 * std::cos(beta));
            QCOMPARE(boundary[k].draw, facing >= -15);
            pastRim += facing < 0 && facing >= -15 ? 1 : 0;
        }
        QVERIFY(pastRim >= 2);
        const LineSpec axis = moonAxis(0, 0, 50, MoonAxisElevation, 30);
        QCOMPARE(QList<int>({axis.x1, axis.y1, axis.x2, axis.y2}), QList<int>({-6, -43, -11, -86}));
    }

    void latitudeWindowKeysAndPicture()
    {
        LatitudeDemo* w = latitudeDemo();
        whileShownModally(w, [w] {
            QTRY_COMPARE(w->Label1->text(), QString("Richting waarin U naar het baanvlak kijkt is 30") + deg);
            QCOMPARE(w->Label3->text(), QStringLiteral("0,0 dagen verder"));
            QCOMPARE(w->Label2->text(), QString("De noordpool van de maan is nu 6,5") + deg + " naar de aarde toegekeerd");
            const Canvas& c = w->PaintBox->canvas();
            const int X = w->centrumx + 200, Y = w->centrumy;
            QCOMPARE(w->centrumy, (w->clientHeight() - 41) / 2);
            QCOMPARE(c.pixel(w->centrumx, w->centrumy), aqua);
            QCOMPARE(c.pixel(X + 30, Y - 30), silver);
            // The equator's near half shows, its far half does not; the axis leans left.
            QVERIFY(countPixels(c, red, QRect(X - 45, Y + 10, 91, 20)) > 40);
            QCOMPARE(countPixels(c, red, QRect(X - 45, Y - 30, 91, 16)), 0);
            QVERIFY(countPixels(c, red, QRect(X - 12, Y - 86, 7, 43)) > 30);
            QVERIFY(countPixels(c, grey, QRect(X - 1, Y - 50, 3, 101)) > 40);

            press(w, Qt::Key_Right, 10);
            QCOMPARE(w->dagen, 1.0);
            QCOMPARE(w->Label3->text(), QStringLiteral("1,0 dagen verder"));
            press(w, Qt::Key_Right, 24);
            QCOMPARE(w->Label2->text(), QString("De noordpool van de maan is nu 0,0") + deg + " naar de aarde toegekeerd");
            press(w, Qt::Key_Right, 34);
            QCOMPARE(w->dagen, 6.8);
            QCOMPARE(w->Label2->text(), QString("De noordpool van de maan is nu 6,5") + deg + " van de aarde afgekeerd");
            press(w, Qt::Key_Left, 68);
            QCOMPARE(w->dagen, 0.0);
            QCOMPARE(w->Label3->text(), QStringLiteral("0,0 dagen verder"));
            press(w, Qt::Key_Left, 101);
            QCOMPARE(w->dagen, -10.0);
            QCOMPARE(w->Label3->text(), QStringLiteral("-10,0 dagen verder"));

            press(w, Qt::Key_Up, 12);
            QCOMPARE(w->kijkhoek, 85);
            press(w, Qt::Key_Down, 18);
            QCOMPARE(w->kijkhoek, 0);
            QCOMPARE(w->Label1->text(), QString("Richting waarin U naar het baanvlak kijkt is 0") + deg);
            // Seen edge-on the orbit is a line through the Earth.
            QVERIFY(countPixels(c, silver, QRect(w->centrumx + 60, w->centrumy, 130, 1)) > 120);
        });
        // Reopened, the window shows what it was left with.
        whileShownModally(w, [w] {
            QTRY_COMPARE(w->Label3->text(), QStringLiteral("-10,0 dagen verder"));
            QCOMPARE(w->kijkhoek, 0);
        });
        QCOMPARE(stepDays(59.95, 1), 60.0);
        QCOMPARE(stepDays(60, 1), 60.0);
        double d = 0;
        for (int i = 0; i < 137; ++i)
            d = stepDays(d, 1);
        QCOMPARE(d, 13.7);
    }

    void latitudeExplanationBesideTheWindow()
    {
        QVERIFY(writeWholeFile("libratie2.rtf", "{\\rtf1 Ja-knikken}"));
        LatitudeDemo* w = latitudeDemo();
        const QRect screen = QApplication::primaryScreen()->availableGeometry();
        QCOMPARE(w->frameGeometry().right(), screen.right());
        QCOMPARE(w->frameGeometry().top(), screen.top());
        QCOMPARE(w->frameGeometry().height(), screen.height());
        whileShownModally(w, [w, screen] {
            QTRY_VERIFY(!w->Label1->text().isEmpty());
            press(w, Qt::Key_F1);
            QVERIFY(helpViewer()->isVisible());
            QVERIFY(!helpViewer()->isModal());
            QCOMPARE(helpViewer()->outerGeometry(), QRect(screen.left(), screen.top(), 260, screen.height()));
            QCOMPARE(helpViewer()->richEdit()->toPlainText(), QStringLiteral("Ja-knikken"));
            QCOMPARE(helpViewer()->helpFileName, QStringLiteral("libratie2.rtf"));
            QCOMPARE(QApplication::activeModalWidget(), w);
            // The keyboard stays with the demonstration: its arrows move the Moon.
            QTRY_COMPARE(QApplication::activeWindow(), w);
            press(w, Qt::Key_Right);
            QCOMPARE(w->dagen, 0.1);
            // A window system that activates the viewer once it is on the
            // screen anyway gets the focus taken back at once (only the
            // offscreen platform lets a test play such a window system).
            if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
                QApplication::setActiveWindow(helpViewer());
                QTRY_COMPARE(QApplication::activeWindow(), w);
            }
            // Later the user may go to the viewer, which takes keys beside the
            // modal window, and back.
            QTest::qWait(1100);
            helpViewer()->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), helpViewer());
            helpViewer()->richEdit()->setFocus();
            QTest::keyClick(helpViewer()->windowHandle(), Qt::Key_End, Qt::ControlModifier);
            QVERIFY(helpViewer()->richEdit()->textCursor().atEnd());
            w->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), w);
            press(w, Qt::Key_Right);
            QCOMPARE(w->dagen, 0.2);
        });
        QVERIFY(!helpViewer()->isVisible());
        // Closing the window closes the explanation also when it was opened elsewhere.
        helpViewer()->show();
        w->show();
        w->close();
        QVERIFY(!helpViewer()->isVisible());
    }

    // --- The Moon's face under libration ---------------------------------

    void gridUnderLibration()
    {
        const GridFigure flat = librationGridFigure(400, 300, 270, 0.5, 3);
        QCOMPARE(int(flat.lines.size()), 17);
        for (const LineSpec& l : flat.lines)
            QCOMPARE(l.y1, l.y2);
        QCOMPARE(int(flat.arcs.size()), 19);   // the meridians only
        for (double B : {1.0, -1.0, 7.0}) {
            const GridFigure g = librationGridFigure(400, 300, 270, B, 0);
            QCOMPARE(int(g.arcs.size()), 17 + 19);
            for (int i = 0; i < 17; ++i)   // lower halves for positive B, upper for negative
                QCOMPARE(g.arcs[std::size_t(i)].x3, B > 0 ? 400 - 100000 : 400 + 100000);
            QCOMPARE(int(g.lines.size()), 1);   // the central meridian at L = 0
        }
        // The half-height of a parallel is added unrounded: 20 degrees at B = 7
        // in a disc of radius 100 reaches y 154 (a rounded 11 would give 155).
        const ArcSpec p20 = librationGridFigure(300, 200, 100, 7, 0).arcs[10];
        QCOMPARE(p20.y1, 154);
        QCOMPARE(p20.y2, 177);
        QCOMPARE(p20.x1, 300 - 94);
        // Meridians: the 0 degree one lies right of the centre for L > 0.
        const ArcSpec m0 = librationGridFigure(300, 200, 100, 0, 5).arcs[9];
        QCOMPARE(m0.x2 - 300, 9);
        QCOMPARE(m0.y3, 200 + 10000);

        QCOMPARE(librationStatusLine(0, 0), QString("De Libratie is nu 0,0") + deg + " in breedte en 0,0" + deg
                                                + " in lengte. ***  Wijzig dit met de pijltoetsen. *** ");
        QCOMPARE(stepLibration(7.5, 0.5, 8), 8.0);
        QCOMPARE(stepLibration(8, 0.5, 8), 8.0);
        QCOMPARE(stepLibration(-7, -0.5, 7), -7.0);
    }

    void moonImageKeysAndPicture()
    {
        LibrationFace* w = librationFace();
        whileShownModally(w, [w] {
            QTRY_COMPARE(w->Panel1->text(), QString("De Libratie is nu 0,0") + deg + " in breedte en 0,0" + deg
                                                + " in lengte. ***  Wijzig dit met de pijltoetsen. *** ");
            const Canvas& c = w->PaintBox->canvas();
            const int xc = w->PaintBox->width() / 2, yc = w->PaintBox->height() / 2;
            QCOMPARE(w->PaintBox->height(), w->clientHeight() - 20);
            const int Rw = int(std::nearbyint(yc * 0.9));
            // Red equator and central meridian through the centre, on a white disc.
            QCOMPARE(c.pixel(xc, yc), red);
            QCOMPARE(c.pixel(xc + Rw / 4, yc), red);
            QCOMPARE(c.pixel(xc, yc - Rw / 4), red);
            QCOMPARE(c.pixel(xc + Rw / 4, yc - Rw / 20), white);
            QCOMPARE(c.pixel(xc + Rw + 3, yc), qRgb(0, 0, 0));

            press(w, Qt::Key_Up);   // 0.5: still straight
            QCOMPARE(c.pixel(xc + Rw / 4, yc), red);
            press(w, Qt::Key_Up);   // 1.0: the lower half of a flat ellipse
            QVERIFY(c.pixel(xc + Rw / 4, yc) != red);
            QVERIFY(countPixels(c, red, QRect(xc + Rw / 4, yc + 1, 1, 8)) > 0);
            press(w, Qt::Key_Down, 4);   // -1.0: the upper half
            QVERIFY(c.pixel(xc + Rw / 4, yc) != red);
            QVERIFY(countPixels(c, red, QRect(xc + Rw / 4, yc - 8, 1, 8)) > 0);
            press(w, Qt::Key_Up, 2);

            press(w, Qt::Key_Right, 16);
            QCOMPARE(w->librationLongitude, 8.0);
            press(w, Qt::Key_Right);
            QCOMPARE(w->librationLongitude, 8.0);
            press(w, Qt::Key_Up, 14);
            QCOMPARE(w->librationLatitude, 7.0);
            press(w, Qt::Key_Up);
            QCOMPARE(w->Panel1->text(), QString("De Libratie is nu 7,0") + deg + " in breedte en 8,0" + deg
                                            + " in lengte. ***  Wijzig dit met de pijltoetsen. *** ");
            press(w, Qt::Key_Left, 32);
            QVERIFY(w->Panel1->text().startsWith(QString("De Libratie is nu 7,0") + deg + " in breedte en -8,0" + deg));
            press(w, Qt::Key_Escape);
            QVERIFY(!w->isVisible());
        });
        QCOMPARE(w->librationLongitude, -8.0);
        whileShownModally(w, [w] {
            QTRY_VERIFY(w->Panel1->text().contains(QString("-8,0") + deg + " in lengte"));
        });
    }

    void moonImageExplanation()
    {
        LibrationFace* w = librationFace();
        whileShownModally(w, [w] {
            QString message;
            whenModal([&](QWidget* box) {
                if (auto* m = qobject_cast<QMessageBox*>(box)) {
                    message = m->text();
                    m->button(QMessageBox::Ok)->click();
                }
            });
            w->Toelichting1->trigger();
            QCOMPARE(message, QStringLiteral("File libratiebeeld.rtfontbreekt"));
            QVERIFY(!helpViewer()->isVisible());
            QVERIFY(w->isVisible());

            QVERIFY(writeWholeFile("libratiebeeld.rtf", "{\\rtf1 Het maanbeeld}"));
            QRect placed;
            bool modal = false;
            whenModal([&](QWidget* help) {
                modal = help == helpViewer();
                // Placed again once the window manager has framed it.
                QTRY_COMPARE(helpViewer()->outerGeometry().height(), 320);
                placed = helpViewer()->outerGeometry();
                helpViewer()->close();
            });
            w->Toelichting1->trigger();
            QVERIFY(modal);
            const int yc = w->PaintBox->height() / 2, r = toPixel(yc * 0.9);
            const QPoint centre = w->PaintBox->mapToGlobal(QPoint(w->PaintBox->width() / 2, yc));
            verifyBeside(w, placed, QRect(centre - QPoint(r, r), QSize(2 * r + 1, 2 * r + 1)), 300, 500);
            QCOMPARE(helpViewer()->helpFileName, QStringLiteral("libratiebeeld.rtf"));
        });
    }

    // --- From the main window, and the help's place -------------------------

    void demonstrationsOpenFromTheHelpMenu()
    {
        for (auto [action, window] : {std::pair<QAction*, Form*>{child<QAction>(mainWindow(), "Liberatie1"), longitudeDemo()},
                                      {child<QAction>(mainWindow(), "Libratieinbreedte1"), latitudeDemo()},
                                      {child<QAction>(mainWindow(), "Hetmaanbeeld1"), librationFace()}}) {
            bool modal = false;
            whenModal([&, window = window](QWidget* shown) {
                modal = shown == window;
                window->close();
            });
            action->trigger();
            QVERIFY2(modal, qPrintable(action->text()));
        }
    }

    // The road that once gave a help window of twice the screen's height:
    // the explanation of the longitude, Esc, Esc, back to the main window, F1.
    void mainHelpAfterTheLongitudeExplanation()
    {
        QVERIFY(writeWholeFile("libratie.rtf", "{\\rtf1 Libratie in lengte}"));
        QVERIFY(writeWholeFile("maanhelp.rtf", "{\\rtf1 Handleiding}"));
        const QRect screen = QApplication::primaryScreen()->availableGeometry();
        MainWindow* main = mainWindow();
        main->firstActivation = false;
        main->setGeometry(screen);
        main->show();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        for (int round = 0; round < 8; ++round) {
            whileShownModally(longitudeDemo(), [] {
                QTimer::singleShot(0, [] {
                    QTRY_VERIFY(helpViewer()->isVisible() && QApplication::activeModalWidget() == helpViewer());
                    QTest::qWait(100);
                    press(helpViewer(), Qt::Key_Escape);
                });
                longitudeDemo()->Toelichting1->trigger();
                QVERIFY(!helpViewer()->isVisible());
            });
            makeActive(main);
            press(main, Qt::Key_F1);
            QTRY_VERIFY(helpViewer()->isVisible());
            QTRY_COMPARE(helpViewer()->outerGeometry().size(), QSize(500, screen.height()));
            QTest::qWait(200);   // what the window manager does after
            const QRect frame = frameOnScreen(helpViewer());
            QVERIFY2(screen.contains(frame), qPrintable(QStringLiteral("round %1: %2,%3 %4x%5").arg(round)
                         .arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())));
            QCOMPARE(frame.height(), screen.height());
            helpViewer()->close();
        }
    }

    void explanationsShipWithTheAtlas()
    {
        for (const char* name : {"libratie.rtf", "libratie2.rtf", "libratiebeeld.rtf"}) {
            const QByteArray bytes = readWholeFile(TestWorkDir::atlasDir() + QLatin1Char('/') + QLatin1String(name));
            QVERIFY2(isRichText(bytes), name);
            QTextDocument document;
            readRichText(&document, bytes, HelpViewer::defaultFont());
            const QString text = document.toPlainText();
            QVERIFY2(text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size() >= 300, name);
            QVERIFY2(text.contains(QStringLiteral("Esc")) && text.contains(QStringLiteral("Pijltoets")), name);
            QVERIFY2(!text.contains(QLatin1Char('\\')) && !text.contains(QChar::ReplacementCharacter), name);
        }
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    TestLibration test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_libration.moc"
