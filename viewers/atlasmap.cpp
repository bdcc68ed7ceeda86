#include "viewers/atlasmap.h"

#include "data/numbertext.h"
#include "platform/accessibility.h"
#include "platform/dialogs.h"
#include "platform/jpegloader.h"
#include "platform/windowplacement.h"
#include "session/atlassession.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {
const QColor kAqua(0, 255, 255), kRed(255, 0, 0);
const QString kHint = QStringLiteral("Versleep het beeld met de muis");
const QString kPictureFile = QStringLiteral("atlasindex.jpg");
const QString kHelpFile = QStringLiteral("atlasindex.rtf");
constexpr int ArrowStep = 25;
constexpr int CtrlArrowStep = 250;

bool isModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_AltGr: case Qt::Key_Meta:
    case Qt::Key_Super_L: case Qt::Key_Super_R: case Qt::Key_CapsLock: case Qt::Key_NumLock:
        return true;
    default:
        return false;
    }
}
}

// --- The viewer ------------------------------------------------------------

AtlasMap::AtlasMap(AtlasSession* session, QWidget* parent)
    : Form(parent)
    , session_(session)
{
    setWindowTitle(QStringLiteral("De kaarten uit de   'Atlas de la Lune'"));
    // A tool window of its parent, the main window: above that window only,
    // and below the program's modal windows and message boxes.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    surface_ = new CanvasView(this);
    surface_->setObjectName(QStringLiteral("surface"));
    describeControl(surface_, QStringLiteral("Kaart van de atlas"),
                    QStringLiteral("De maanschijf met de kaartbladen van de Atlas de la Lune. Slepen of de "
                                   "pijltoetsen verschuiven de kaart, een klik geeft de coördinaten"));
    setClient(surface_);
    surface_->onResize = [this] { FormResize(); };
    surface_->onDraw = [this] { FormPaint(); };
    surface_->onMousePress = [this](QMouseEvent* e) {
        const QPoint p = e->position().toPoint();
        FormMouseDown(p.x(), p.y());
    };
    // The pop-up opens when the right button comes up: opened at the press,
    // the release that ends a drag would run the entry under it.
    surface_->onMouseRelease = [this](QMouseEvent* e) {
        const QPoint p = e->position().toPoint();
        FormMouseUp(e->button(), p.x(), p.y());
        if (e->button() == Qt::RightButton)
            PopupMenu1->popup(e->globalPosition().toPoint());
    };
    // The program's small Arial, as in the main window: it keeps all five
    // commands of the menu bar in sight in a window 295 pixels wide.
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(11);
    setFont(arial);

    QMenuBar* bar = menuBar();
    auto addBar = [this, bar](const QString& text, void (AtlasMap::*handler)()) {
        QAction* a = bar->addAction(text);
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    Afsluiten1 = addBar(QStringLiteral("&Afsluiten"), &AtlasMap::Afsluiten1Click);
    half1 = addBar(QStringLiteral(" naar 2 :1 "), &AtlasMap::half1Click);
    Raster1 = addBar(QStringLiteral("&Raster"), &AtlasMap::Raster1Click);
    Kaartkeuze1 = addBar(QStringLiteral("Kaartkeuze"), &AtlasMap::Kaartkeuze1Click);
    Toelichting1 = addBar(QStringLiteral("&Help"), &AtlasMap::Toelichting1Click);

    PopupMenu1 = new QMenu(this);
    auto addPopup = [this](const QString& text, void (AtlasMap::*handler)()) {
        QAction* a = PopupMenu1->addAction(text);
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    Hintaanuit1 = addPopup(QStringLiteral("Hint aan/uit"), &AtlasMap::Hintaanuit1Click);
    half2 = addPopup(QStringLiteral("2:1"), &AtlasMap::half1Click);
    Raster2 = addPopup(QStringLiteral("Raster"), &AtlasMap::Raster1Click);

    Panel1 = new ValueLabel(QStringLiteral("Coördinaten"),
                            QStringLiteral("Breedte en lengte op de maan van het aangeklikte punt"), surface_);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    Panel1->setPalette(white);
    Panel1->setFont(arial);   // 11 pixels: 8 points on a 96-dpi screen
    Panel1->resize(79, 13);
    // The read-out must not swallow the presses and drags meant for the picture.
    Panel1->setAttribute(Qt::WA_TransparentForMouseEvents);

    // FormCreate; the state starts at half size with the origin at (0, 0).
    runReportingErrors([this] { OpenFile(kPictureFile); });
    resize(OuterWidth, OuterHeight);
    surface_->setToolTip(kHint);
}

void AtlasMap::OpenFile(const QString& fileName)
{
    if (!QFileInfo(fileName).isFile())
        return;
    // Decoded as the photo viewer decodes (greyscale, accurate integer DCT,
    // full scale, 236 levels), whole, before the window is first shown: a
    // progressive file has no passes left to show by then.
    Image1 = ScaledPicture(loadJpegFile(fileName), ScaledPicture::Depth::Grey);
}

void AtlasMap::setVisible(bool visible)
{
    // Placed just before it is first shown, once the main window has its real
    // size: its outer frame at the top-right corner of the atlas.
    if (visible && !placed_) {
        placed_ = true;
        const QRect main = session_->mainClientArea();
        setOuterGeometry(main.left() + main.width() - OuterWidth, OuterTop, OuterWidth, OuterHeight);
    }
    Form::setVisible(visible);
}

// --- Painting ----------------------------------------------------------------

void AtlasMap::FormPaint()
{
    Canvas& canvas_ = canvas();
    canvas_.fill(Qt::black);
    if (!Image1.isNull())
        canvas_.stretchDraw(atlasOriginX, atlasOriginY, atlasOriginX + toPixel(atlasScale * Image1.width()),
                            atlasOriginY + toPixel(atlasScale * Image1.height()), Image1);
    if (atlasGridOn)
        tekenraster();
    canvas_.endPainting();
}

void AtlasMap::tekenraster()
{
    const AtlasDisc disc = atlasDisc(placement());
    const AtlasGrid grid = atlasGrid(disc.centreX, disc.centreY, toPixel(disc.radius));
    Canvas& canvas_ = canvas();
    canvas_.penWidth = 1;
    canvas_.penColor = kAqua;
    for (const LineSpec& l : grid.parallels)
        canvas_.line(l.x1, l.y1, l.x2, l.y2);
    for (const ArcSpec& a : grid.meridians) {
        canvas_.penColor = a.red ? kRed : kAqua;
        canvas_.arc(a.x1, a.y1, a.x2, a.y2, a.x3, a.y3, a.x4, a.y4);
    }
    canvas_.penColor = kRed;
    for (const LineSpec& l : {grid.equator, grid.centralMeridian})
        canvas_.line(l.x1, l.y1, l.x2, l.y2);
}

void AtlasMap::repaintNow()
{
    surface_->repaintNow();
}

void AtlasMap::FormResize()
{
    if (Panel1)
        Panel1->move(0, clientHeight() - Panel1->height());
}

// --- Mouse -------------------------------------------------------------------

void AtlasMap::FormMouseDown(int x, int y)
{
    atlasPressX = x;
    atlasPressY = y;
    Panel1->clear();
    const AtlasReadout r = atlasReadout(atlasDisc(placement()), x, y);
    if (r.onDisc)
        Panel1->setText(atlasReadoutText(r));
}

void AtlasMap::FormMouseUp(Qt::MouseButton button, int x, int y)
{
    if (button != Qt::LeftButton)
        return;
    const int dx = x - atlasPressX, dy = y - atlasPressY;
    if (dx != 0 || dy != 0)
        moveOrigin(dx, dy);
}

void AtlasMap::moveOrigin(int dx, int dy)
{
    atlasOriginX = std::clamp(atlasOriginX + dx, -PixelLimit, PixelLimit);
    atlasOriginY = std::clamp(atlasOriginY + dy, -PixelLimit, PixelLimit);
    repaintNow();
}

// --- Keys --------------------------------------------------------------------

bool AtlasMap::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    // A modifier on its own is only the start of a combination such as Ctrl +
    // Down, which must still reach this window.
    if (isModifierKey(key))
        return false;
    const bool pad = modifiers.testFlag(Qt::KeypadModifier);
    bool handled = true;
    int dx = 0, dy = 0;
    switch (key) {
    case Qt::Key_Escape: case Qt::Key_4: close(); break;
    case Qt::Key_F7: half1Click(); break;
    case Qt::Key_R: Raster1Click(); break;
    case Qt::Key_Plus: if (pad) half1Click(); else handled = false; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    default: handled = false; break;
    }
    if (dx != 0 || dy != 0) {
        const int step = (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier ? ArrowStep + CtrlArrowStep : ArrowStep;
        moveOrigin(dx * step, dy * step);
    }
    // The map stays on top while the keyboard goes back to the atlas.
    if (key != Qt::Key_Down) {
        session_->activateMainWindow();
        return true;
    }
    return handled;
}

// --- Commands ----------------------------------------------------------------

void AtlasMap::half1Click()
{
    const double mx = clientWidth() * 0.5, my = clientHeight() * 0.5;
    const QPointF p = atlasPicturePoint(placement(), mx, my);
    atlasHalfSize = !atlasHalfSize;
    atlasScale = atlasHalfSize ? 0.5 : 1.0;
    half1->setText(atlasHalfSize ? QStringLiteral("naar 2:1 ") : QStringLiteral("naar 1:1 "));
    centrePicturePoint(p.x(), p.y());
}

void AtlasMap::centrePicturePoint(double px, double py)
{
    const QPoint origin = atlasOriginPlacing(QPointF(px, py), clientWidth() * 0.5, clientHeight() * 0.5, atlasScale);
    atlasOriginX = origin.x();
    atlasOriginY = origin.y();
    repaintNow();
}

void AtlasMap::Raster1Click()
{
    atlasGridOn = !atlasGridOn;
    repaintNow();
}

void AtlasMap::Hintaanuit1Click()
{
    hintsOn_ = !hintsOn_;
    surface_->setToolTip(hintsOn_ ? kHint : QString());
}

void AtlasMap::Kaartkeuze1Click()
{
    emit sheetChoiceAsked();
}

void AtlasMap::Toelichting1Click()
{
    HelpRequest help;
    help.fileName = kHelpFile;
    help.sayWhenMissing = true;
    help.setFrame(frameBeside(outerGeometry(), QSize(500, 200), screen()->availableGeometry(), 300));
    help.owner = this;
    session_->showHelp(help);
}

void AtlasMap::Afsluiten1Click()
{
    close();
}
