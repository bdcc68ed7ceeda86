#include "libration/latitudedemo.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "platform/accessibility.h"
#include "platform/controls.h"
#include "platform/windowplacement.h"
#include "session/atlassession.h"

namespace {
const QColor kAqua(0, 255, 255), kSilver(192, 192, 192), kRed(255, 0, 0), kGrey(128, 128, 128);
constexpr double kPi = 3.14159265358979323846;
constexpr int DesignWidth = 544;
}

LatitudeDemo::LatitudeDemo(AtlasSession* session, QWidget* parent)
    : DemoWindow(session, QStringLiteral("Verklaring van libratie in de breedte (ja-knikken van de maan)"), parent)
{
    PaintBox = drawingArea();
    describeControl(PaintBox, QStringLiteral("Maan en haar as"),
                    QStringLiteral("De maan in haar baan, schuin van boven gezien; links en rechts laten de tijd "
                                   "lopen, omhoog en omlaag veranderen de kijkhoek"));
    PaintBox->onDraw = [this] { FormPaint(); };
    Panel1 = new QWidget(client());
    Panel1->setFixedHeight(41);
    describeControl(Panel1, QStringLiteral("Gegevens"), QStringLiteral("Kijkhoek, dagen en de stand van de pool"));
    setPanelColours(Panel1);
    Label1 = new QLabel(Panel1);
    Label2 = new QLabel(Panel1);
    Label3 = new QLabel(Panel1);
    Label1->setGeometry(19, 6, 370, 15);
    Label2->setGeometry(19, 24, 500, 15);
    Label3->setGeometry(396, 6, 140, 15);
    addStatusPanel(Panel1);
    addExplanationCommand(QStringLiteral("Toelichting  [F1]"));

    // FormCreate
    dagen = 0;
    kijkhoek = 30;
    placeOnScreen();
}

void LatitudeDemo::placeOnScreen()
{
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    const QMargins m = frameMargins();
    placing_ = true;
    // The frame's corner goes where asked; the frame then grows around the
    // client, and once its size is known the client is sized to fit.
    move(screen.right() + 1 - DesignWidth, screen.top());
    resize(std::max(1, DesignWidth - m.left() - m.right()), std::max(1, screen.height() - m.top() - m.bottom()));
    placing_ = false;
    placedWithMargins_ = m;
}

QMargins LatitudeDemo::frameMargins() const
{
    const QRect frame = frameGeometry(), inner = geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

bool LatitudeDemo::event(QEvent* e)
{
    const bool result = Form::event(e);
    const QEvent::Type type = e->type();
    // The frame is known once the window system has decorated the window.
    if ((type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize) && isVisible() && !placing_
        && frameMargins() != placedWithMargins_)
        placeOnScreen();
    return result;
}

void LatitudeDemo::drawPolyline(const std::vector<PolyPoint>& points)
{
    Canvas& c = PaintBox->canvas();
    for (const PolyPoint& p : points) {
        if (p.draw)
            c.lineTo(p.x, p.y);
        else
            c.moveTo(p.x, p.y);
    }
}

void LatitudeDemo::FormPaint()
{
    Canvas& c = PaintBox->canvas();
    c.resize(PaintBox->width(), PaintBox->height());
    centrumx = PaintBox->width() / 2;
    centrumy = PaintBox->height() / 2;
    c.fill(Qt::black);
    c.penWidth = 1;

    c.penColor = kAqua;
    c.brushColor = kAqua;
    c.ellipse(centrumx - 5, centrumy - 5, centrumx + 5, centrumy + 5);

    c.penColor = kSilver;
    drawPolyline(orbitPolygon(centrumx, centrumy, kijkhoek));

    const LatitudeState moon = latitudeState(dagen, kijkhoek, centrumx, centrumy);
    tekenmaan(moon.moonX, moon.moonY, moon.phi);
    c.endPainting();

    Label1->setText(viewingAngleLine(kijkhoek));
    Label3->setText(daysLine(dagen));
    Label2->setText(poleLine(moon.poleTilt));
}

void LatitudeDemo::tekenmaan(int X, int Y, double phi)
{
    Canvas& c = PaintBox->canvas();
    const double R = LatitudeMoonRadius;
    c.penColor = kSilver;
    c.brushColor = kSilver;
    c.ellipse(X - int(R), Y - int(R), X + int(R), Y + int(R));

    c.penColor = kRed;   // the equator
    drawPolyline(parallelCircle(X, Y, R, MoonAxisElevation, 0, kijkhoek));

    c.penColor = kGrey;  // the boundary of the half turned to the Earth
    drawPolyline(azimuthCircle(X, Y, R, phi + kPi / 2, kijkhoek));

    c.penColor = kRed;   // the axis, seen also where it runs behind
    const LineSpec axis = moonAxis(X, Y, R, MoonAxisElevation, kijkhoek);
    c.line(axis.x1, axis.y1, axis.x2, axis.y2);
}

bool LatitudeDemo::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Up:
        kijkhoek = stepViewingAngle(kijkhoek, 5);
        break;
    case Qt::Key_Down:
        kijkhoek = stepViewingAngle(kijkhoek, -5);
        break;
    case Qt::Key_Right:
        dagen = stepDays(dagen, 1);
        break;
    case Qt::Key_Left:
        dagen = stepDays(dagen, -1);
        break;
    case Qt::Key_F1:
        Toelichting1Click();
        return true;
    default:
        return DemoWindow::FormKeyDown(key, modifiers);
    }
    PaintBox->repaintNow();
    return true;
}

void LatitudeDemo::FormClose()
{
    if (explanation_)
        explanation_->close();
}

void LatitudeDemo::Toelichting1Click()
{
    // Along the screen's left edge, beside this window at its right edge.
    const QRect screen = this->screen()->availableGeometry();
    HelpRequest help;
    help.fileName = QStringLiteral("libratie2.rtf");
    help.setFrame(frameBeside(outerGeometry(), QSize(260, screen.height()), screen, 260, true));
    help.mode = HelpRequest::Mode::BesideModal;
    help.owner = this;
    explanation_ = session_->showHelp(help);
    activateWindow();
    PaintBox->setFocus();
}
