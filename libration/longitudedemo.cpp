#include "libration/longitudedemo.h"

#include <QAction>
#include <QFontMetrics>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "data/numbertext.h"
#include "platform/accessibility.h"
#include "platform/controls.h"
#include "platform/windowplacement.h"
#include "session/atlassession.h"

namespace {
const QColor kAqua(0, 255, 255), kSilver(192, 192, 192), kRed(255, 0, 0), kYellow(255, 255, 0);
constexpr double kPi = 3.14159265358979323846;

// The words at the two ends of the orbit, from the drawing's centre.
struct OrbitWord {
    int dx;
    const char* text;
};
constexpr OrbitWord kOrbitWords[] = {{265, "perigeum"}, {-330, "apogeum"}};

const QString& stepwiseSentence()
{
    static const QString s = QStringLiteral(
        "U kijkt nu op de noordpolen van aarde en maan.   Verander de positie van de maan met de horizontale pijltoetsen");
    return s;
}
}

LongitudeDemo::LongitudeDemo(AtlasSession* session, QWidget* parent)
    : DemoWindow(session, QStringLiteral("Verklaring van de Libratie in de lengte"), parent)
{
    PaintBox1 = drawingArea();
    describeControl(PaintBox1, QStringLiteral("Maanbaan"),
                    QStringLiteral("De maan in haar baan om de aarde, van boven gezien; de pijltoetsen links en "
                                   "rechts verplaatsen de maan"));
    PaintBox1->canvas().font = font();
    Panel2 = new QLabel(client());
    Panel2->setFixedHeight(17);
    Panel2->setAccessibleDescription(QStringLiteral("Wat de tekening laat zien"));
    Panel2->setAlignment(Qt::AlignCenter);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setPanelColours(Panel2);
    addStatusPanel(Panel2);

    // Five lines as designed, and the distance under them.
    Panel1 = new QWidget(PaintBox1);
    describeControl(Panel1, QStringLiteral("Gegevens"),
                    QStringLiteral("Dagen, draaiing, verplaatsing en libratie bij de getoonde stand"));
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    Panel1->setPalette(white);
    const int lineTops[6] = {3, 19, 36, 52, 69, 86};
    for (int i = 0; i < 6; ++i) {
        Label[i] = new QLabel(Panel1);
        Label[i]->move(3, lineTops[i]);
    }
    // As designed, widened where this font writes the longest line wider.
    const int widest = QFontMetrics(font()).horizontalAdvance(QStringLiteral("maanverplaatsing in zijn baan -180,00")
                                                              + QChar(0xB0));
    Panel1->setGeometry(1, 1, std::max(193, widest + 8), 105);
    for (QLabel* label : Label)
        label->resize(Panel1->width() - 3, 15);

    Stapsgewijs1 = addMenuCommand(QStringLiteral("Stapsgewijs"), [this] { Stapsgewijs1Click(); });
    Totaal1 = addMenuCommand(QStringLiteral("De totale maanbaan"), [this] { Totaal1Click(); });
    addExplanationCommand(QStringLiteral("Toelichting"));

    PaintBox1->onDraw = [this] {
        // A window manager may size the maximised window only after it was
        // activated: the drawing stays centred in what the user sees.
        if (client()->size() != centredFor_)
            setCentre();
        PaintBox1Paint();
    };

    // FormCreate
    model = LongitudeModel();

    coverScreen();
}

void LongitudeDemo::setCentre()
{
    centredFor_ = client()->size();
    middenx = clientWidth() / 2;
    middeny = clientHeight() / 2;
    Maakmaanbaan();
}

void LongitudeDemo::Maakmaanbaan()
{
    maanbaan = maakMaanbaan(model, middenx, middeny);
}

void LongitudeDemo::FormActivate()
{
    setCentre();
    setWindowTitle(QStringLiteral("Verklaring van de Libratie in de lengte"));
    totaal = false;
    Stapsgewijs1->setEnabled(true);
    Panel2->setText(stepwiseSentence());
    stap = 0;
    PaintBox1->repaintNow();
}

void LongitudeDemo::tekenmaan(int x, int y)
{
    Canvas& c = PaintBox1->canvas();
    c.penWidth = 1;

    const int earthX = middenx + earthOffset(model);
    c.penColor = kAqua;
    c.brushColor = kAqua;
    c.ellipse(earthX - 20, middeny - 20, earthX + 20, middeny + 20);

    c.brushColor = Qt::black;
    c.penColor = kSilver;
    c.line(earthX, middeny, x, y);

    c.penColor = Qt::white;
    c.moveTo(x + 10, y);
    for (int k = 1; k <= 25; ++k) {
        const double angle = k * 2 * kPi / 25;
        c.lineTo(x + toPixel(10 * std::cos(angle)), y - toPixel(10 * std::sin(angle)));
    }

    c.penColor = kRed;
    const LineSpec marker = rotationMarker(x, y, stap);
    c.line(marker.x1, marker.y1, marker.x2, marker.y2);
}

void LongitudeDemo::showStep()
{
    const LongitudeReading reading = longitudeReading(model, maanbaan, stap);
    libratiehoek = reading.libration;
    const QStringList lines = longitudeLines(reading);
    for (int i = 0; i < 6; ++i)
        Label[i]->setText(lines[i]);
}

void LongitudeDemo::PaintBox1Paint()
{
    Canvas& c = PaintBox1->canvas();
    c.fill(Qt::black);
    if (totaal) {
        // The panel is hidden: only the drawing follows the steps.
        for (stap = 0; stap <= OrbitSteps; ++stap)
            tekenmaan(maanbaan[std::size_t(stap)].x, maanbaan[std::size_t(stap)].y);
    } else {
        stap = std::clamp(stap, 0, OrbitSteps - 1);
        tekenmaan(maanbaan[std::size_t(stap)].x, maanbaan[std::size_t(stap)].y);
        showStep();
    }
    c.brushColor = Qt::black;
    c.fontColor = kYellow;
    for (const OrbitWord& w : kOrbitWords)
        c.textOut(middenx + w.dx, middeny - 5, QLatin1String(w.text));
    c.endPainting();
}

bool LongitudeDemo::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Right:
        if (++stap > OrbitSteps - 1)
            stap = 0;
        PaintBox1->repaintNow();
        return true;
    case Qt::Key_Left:
        if (--stap < 0)
            stap = OrbitSteps - 1;
        PaintBox1->repaintNow();
        return true;
    default:
        return DemoWindow::FormKeyDown(key, modifiers);
    }
}

void LongitudeDemo::Stapsgewijs1Click()
{
    totaal = false;
    Stapsgewijs1->setEnabled(false);
    Totaal1->setEnabled(true);
    stap = 0;
    PaintBox1->repaintNow();
    Panel1->show();
    Panel2->setText(stepwiseSentence());
}

void LongitudeDemo::Totaal1Click()
{
    totaal = true;
    Totaal1->setEnabled(false);
    Stapsgewijs1->setEnabled(true);
    PaintBox1->repaintNow();
    Panel1->hide();
    Panel2->setText(
        QStringLiteral("Dit is de gehele maanbaan om de aarde. De positie van de nieuwe maan is rechts van de aarde. "));
}

void LongitudeDemo::Toelichting1Click()
{
    // Beside the orbit and the number panel where the screen has room.
    QRect inSight = drawingExtent();
    if (Panel1->isVisible())
        inSight |= Panel1->geometry();
    HelpRequest help;
    help.fileName = QStringLiteral("libratie.rtf");
    help.setFrame(frameBeside(QRect(PaintBox1->mapToGlobal(inSight.topLeft()), inSight.size()), QSize(250, 500),
                              screen()->availableGeometry(), 200));
    help.owner = this;
    session_->showHelp(help);
}

QRect LongitudeDemo::drawingExtent()
{
    QRect box;
    for (const OrbitEntry& p : maanbaan)
        box |= QRect(p.x - 12, p.y - 12, 25, 25);
    const int earthX = middenx + earthOffset(model);
    box |= QRect(earthX - 20, middeny - 20, 41, 41);
    const Canvas& c = PaintBox1->canvas();
    for (const OrbitWord& w : kOrbitWords)
        box |= QRect(QPoint(middenx + w.dx, middeny - 5), c.textExtent(QLatin1String(w.text)));
    return box;
}
