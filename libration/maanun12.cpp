#include "libration/maanun12.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "app/sharedstate.h"
#include "app/windows.h"
#include "libration/canvasview.h"
#include "platform/dialogs.h"
#include "platform/rtfreader.h"
#include "viewers/maanun5.h"

namespace {
const QColor kAqua(0, 255, 255), kSilver(192, 192, 192), kRed(255, 0, 0), kGrey(128, 128, 128);
constexpr double kPi = 3.14159265358979323846;
constexpr int DesignWidth = 544;
}

Tlibratie2dlg::Tlibratie2dlg(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("Verklaring van libratie in de breedte (ja-knikken van de maan)"));
    setFont(QFont(installedFontFamily(QStringLiteral("MS Sans Serif")), 8));

    auto* area = new QWidget(this);
    PaintBox = new CanvasView(area);
    PaintBox->onDraw = [this] { FormPaint(); };
    Panel1 = new QWidget(area);
    Panel1->setFixedHeight(41);
    setPanelColours(Panel1);
    Label1 = new QLabel(Panel1);
    Label2 = new QLabel(Panel1);
    Label3 = new QLabel(Panel1);
    Label1->setGeometry(19, 6, 370, 15);
    Label2->setGeometry(19, 24, 500, 15);
    Label3->setGeometry(396, 6, 140, 15);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PaintBox, 1);
    layout->addWidget(Panel1);
    setClient(area);

    QMenuBar* bar = menuBar();
    Afsluiten1 = bar->addAction(QStringLiteral("Afsluiten"));
    Toelichting1 = bar->addAction(QStringLiteral("Toelichting  [F1]"));
    connect(Afsluiten1, &QAction::triggered, this, &Tlibratie2dlg::Afsluiten1Click);
    connect(Toelichting1, &QAction::triggered, this, &Tlibratie2dlg::Toelichting1Click);

    // FormCreate
    dagen = 0;
    kijkhoek = 30;
    placeOnScreen();
}

void Tlibratie2dlg::placeOnScreen()
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

QMargins Tlibratie2dlg::frameMargins() const
{
    const QRect frame = frameGeometry(), inner = geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

bool Tlibratie2dlg::event(QEvent* e)
{
    const bool result = Form::event(e);
    const QEvent::Type type = e->type();
    // The frame is known once the window system has decorated the window.
    if ((type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize) && isVisible() && !placing_
        && frameMargins() != placedWithMargins_)
        placeOnScreen();
    return result;
}

void Tlibratie2dlg::drawPolyline(const std::vector<PolyPoint>& points)
{
    Canvas& c = PaintBox->canvas();
    for (const PolyPoint& p : points) {
        if (p.draw)
            c.lineTo(p.x, p.y);
        else
            c.moveTo(p.x, p.y);
    }
}

void Tlibratie2dlg::FormPaint()
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

void Tlibratie2dlg::tekenmaan(int X, int Y, double phi)
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

bool Tlibratie2dlg::FormKeyDown(int key, Qt::KeyboardModifiers)
{
    switch (key) {
    case Qt::Key_Escape:
        Afsluiten1Click();
        return true;
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
        return false;
    }
    PaintBox->repaintNow();
    return true;
}

void Tlibratie2dlg::FormClose()
{
    if (!helpdlg)
        return;
    reclaimFocus_ = false;
    helpdlg->removeEventFilter(this);
    helpdlg->close();
    if (QWindow* help = helpdlg->windowHandle())
        help->setTransientParent(nullptr);
}

void Tlibratie2dlg::Afsluiten1Click()
{
    close();
}

void Tlibratie2dlg::Toelichting1Click()
{
    shared().helpFileName = QStringLiteral("libratie2.rtf");
    if (!helpdlg)
        return;
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    helpdlg->setOuterGeometry(screen.left(), screen.top(), 260, screen.height());
    // Beside this modal window the viewer takes the mouse and keys only as a
    // window of this one; it does not become the program's focused window
    // either, so it is given its file here.
    winId();
    helpdlg->winId();
    helpdlg->windowHandle()->setTransientParent(windowHandle());
    helpdlg->show();
    runReportingErrors([] { helpdlg->loadHelpFile(); });
    // The window system may activate the viewer only once it is on the screen,
    // after this window took the focus back: that first activation, if it comes
    // at once, is undone too.
    helpdlg->installEventFilter(this);
    reclaimFocus_ = true;
    QTimer::singleShot(1000, this, [this] { reclaimFocus_ = false; });
    takeFocusBack();
}

void Tlibratie2dlg::takeFocusBack()
{
    activateWindow();
    raise();
    PaintBox->setFocus();
}

bool Tlibratie2dlg::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == helpdlg && e->type() == QEvent::WindowActivate && reclaimFocus_) {
        reclaimFocus_ = false;
        QTimer::singleShot(0, this, [this] { takeFocusBack(); });
    }
    return Form::eventFilter(watched, e);
}
