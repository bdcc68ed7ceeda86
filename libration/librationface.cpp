#include "libration/librationface.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScreen>

#include "astro/libration.h"
#include "data/numbertext.h"
#include "platform/accessibility.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/rtfreader.h"
#include "platform/windowplacement.h"
#include "session/atlassession.h"

namespace {
const QColor kSilver(192, 192, 192), kRed(255, 0, 0);
const QString kHelpFile = QStringLiteral("libratiebeeld.rtf");
}

LibrationFace::LibrationFace(AtlasSession* session, QWidget* parent)
    : DemoWindow(session, QStringLiteral("Het zichtbare deel van de maan verplaatst zich door de libratie"), parent)
{
    // A fixed frame with only the system menu.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);

    setFont(QFont());
    PaintBox = drawingArea();
    describeControl(PaintBox, QStringLiteral("Maanbeeld onder libratie"),
                    QStringLiteral("De maanschijf met haar raster; de pijltoetsen veranderen de libratie in lengte "
                                   "en in breedte"));
    PaintBox->onDraw = [this] { FormPaint(); };
    Panel1 = new QLabel(client());
    Panel1->setFixedHeight(20);
    Panel1->setAccessibleDescription(QStringLiteral("De ingestelde libratie"));
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    QFont arial(installedFontFamily(QStringLiteral("Arial")));
    arial.setPixelSize(12);
    Panel1->setFont(arial);
    setPanelColours(Panel1);
    addStatusPanel(Panel1);
    addExplanationCommand(QStringLiteral("Toelichting"));

    // FormCreate
    librationLongitude = 0;
    librationLatitude = 0;

    coverScreen();
}

void LibrationFace::FormPaint()
{
    Canvas& c = PaintBox->canvas();
    c.resize(PaintBox->width(), PaintBox->height());
    c.fill(Qt::black);
    tekenraster();
    c.endPainting();
}

void LibrationFace::tekenraster()
{
    Canvas& c = PaintBox->canvas();
    int xc = 0, yc = 0, Rw = 0;
    disc(&xc, &yc, &Rw);
    const double B = librationLatitude, L = librationLongitude;

    c.penWidth = 1;
    c.penColor = Qt::white;
    c.brushColor = Qt::white;
    c.ellipse(xc - Rw - 1, yc - Rw - 1, xc + Rw + 1, yc + Rw + 1);

    const GridFigure grid = librationGridFigure(xc, yc, Rw, B, L);
    for (const ArcSpec& a : grid.arcs) {
        c.penColor = a.red ? kRed : kSilver;
        c.arc(a.x1, a.y1, a.x2, a.y2, a.x3, a.y3, a.x4, a.y4);
    }
    for (const LineSpec& l : grid.lines) {
        c.penColor = l.red ? kRed : kSilver;
        c.line(l.x1, l.y1, l.x2, l.y2);
    }
    c.penColor = kSilver;
    Panel1->setText(librationStatusLine(B, L));
}

bool LibrationFace::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Escape:
        return DemoWindow::FormKeyDown(key, modifiers);
    case Qt::Key_Left:
        librationLongitude = stepLibration(librationLongitude, -0.5, LongitudeLibrationLimit);
        break;
    case Qt::Key_Right:
        librationLongitude = stepLibration(librationLongitude, 0.5, LongitudeLibrationLimit);
        break;
    case Qt::Key_Up:
        librationLatitude = stepLibration(librationLatitude, 0.5, LatitudeLibrationLimit);
        break;
    case Qt::Key_Down:
        librationLatitude = stepLibration(librationLatitude, -0.5, LatitudeLibrationLimit);
        break;
    default:
        // Any other key changes nothing; the picture is drawn again all the same.
        PaintBox->repaintNow();
        return false;
    }
    PaintBox->repaintNow();
    return true;
}

void LibrationFace::disc(int* xc, int* yc, int* radius) const
{
    // The drawing area is the client area above the status panel.
    *xc = PaintBox->width() / 2;
    *yc = PaintBox->height() / 2;
    *radius = toPixel(*yc * 0.9);
}

void LibrationFace::Toelichting1Click()
{
    // Beside the Moon's face where the screen has room.
    int xc = 0, yc = 0, r = 0;
    disc(&xc, &yc, &r);
    const QRect face(PaintBox->mapToGlobal(QPoint(xc - r - 1, yc - r - 1)), QSize(2 * r + 3, 2 * r + 3));
    HelpRequest help;
    help.fileName = kHelpFile;
    help.sayWhenMissing = true;
    help.setFrame(frameBeside(face, QSize(500, 320), screen()->availableGeometry(), 300));
    help.owner = this;
    session_->showHelp(help);
}
