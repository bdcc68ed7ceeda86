// The main window's picture: the view, its overlay, the grid, the read-out,
// the terminator and the phase figure.
#include "app/mainwindow.h"

#include "app/mainwindowstyle.h"
#include "astro/projection.h"
#include "data/featurenames.h"
#include "data/numbertext.h"

#include <QLabel>
#include <QPixmap>
#include <algorithm>
#include <cmath>

using namespace mainwindowstyle;

ViewPlacement MainWindow::placement() const
{
    const RunState& s = state_;
    return {s.zoomFactor, s.originX, s.originY, s.bitmapWidth, s.bitmapHeight, s.rotated180};
}

void MainWindow::repaintNow()
{
    surface_->repaintNow();
}

void MainWindow::FormPaint()
{
    RunState& s = state_;
    Canvas& canvas_ = canvas();
    canvas_.resize(surface_->width(), surface_->height());
    canvas_.fill(Qt::black);
    if (!picture_.isNull()) {
        const int right = s.originX + toPixel(s.zoomFactor * s.bitmapWidth);
        const int bottom = s.originY + toPixel(s.zoomFactor * s.bitmapHeight);
        if (s.rotated180)
            canvas_.stretchDraw(right, bottom, s.originX, s.originY, picture_);
        else
            canvas_.stretchDraw(s.originX, s.originY, right, bottom, picture_);
    }
    pijl();
    if (s.rotated180)
        Panel1->clear();

    const ViewPlacement v = placement();
    const FeatureTable& table = s.featureTable;
    const QRect visible = QRect(0, 0, canvas_.width(), canvas_.height()).adjusted(-10, -10, 10, 10);
    if (s.markersOn) {
        const QStringList& words = largeAreaWords();
        for (int i = 1; i <= FeatureTableSize; ++i) {
            const FeatureRecord& r = table.slot(i);
            if (!r.inUse())
                continue;
            const QPoint p = featureScreenPoint(v, r.x(), r.y());
            if (!visible.contains(p))
                continue;   // nothing of its marker would show
            const QString name = r.name();
            if (i == s.selectedFeature)
                drawCircle(p.x(), p.y(), 8, kYellow);
            if (s.kindFilter == QLatin1String("Crater") && isCraterName(name))
                drawCross(p.x(), p.y(), 2, kRed);
            if (!s.kindFilter.isEmpty() && !name.contains(s.kindFilter))
                continue;
            drawCross(p.x(), p.y(), 2, kRed);
            for (const QString& w : words)
                if (name.contains(w))
                    drawCross(p.x(), p.y(), 3, kLime);
            if (hasPhotographMark(name))
                drawCircle(p.x(), p.y(), 2, kRed);
        }
    }
    if (s.namesOn) {
        const QRect textArea(-2000, -100, canvas_.width() + 2000, canvas_.height() + 100);
        for (int i = 1; i <= FeatureTableSize; ++i) {
            const FeatureRecord& r = table.slot(i);
            if (!r.inUse())
                continue;
            const QPoint p = featureScreenPoint(v, r.x(), r.y());
            canvas_.font = QFont(QStringLiteral("ariel"), 8);
            canvas_.fontColor = kLime;
            if (!textArea.contains(p))
                continue;   // its box lies wholly outside
            const QString name = r.name();
            if (s.kindFilter == QLatin1String("Crater") && isCraterName(name))
                canvas_.textOut(p.x(), p.y(), name);
            if (!s.kindFilter.isEmpty() && !name.contains(s.kindFilter))
                continue;
            canvas_.textOut(p.x(), p.y(), name);
        }
    }
    if (s.terminatorOn)
        terminator(phaseAngle);
    if (s.gridOn)
        tekenraster();
    titelbalk();
}

void MainWindow::pijl()
{
    if (firstActivation)
        return;
    Canvas& c = canvas();
    c.fontColor = kYellow;
    c.penColor = kYellow;
    if (!state_.rotated180) {
        c.textOut(3, 1, QStringLiteral("normaal beeld"));
        c.textOut(3, 14, QStringLiteral("noord"));
        c.line(10, 30, 10, 55);
        c.line(10, 30, 7, 35);
        c.line(10, 30, 13, 35);
    } else {
        c.textOut(3, 1, QStringLiteral("180") + QChar(0xB0) + QStringLiteral(" grdraaid beeld"));
        c.textOut(3, 58, QStringLiteral("noord"));
        c.line(10, 30, 10, 55);
        c.line(10, 55, 7, 50);
        c.line(10, 55, 13, 50);
    }
}

void MainWindow::drawCross(int x, int y, int h, const QColor& colour)
{
    Canvas& c = canvas();
    c.penColor = colour;
    c.line(x - h, y, x + h + 1, y);
    c.line(x, y - h, x, y + h + 1);
}

void MainWindow::drawCircle(double x, double y, double r, const QColor& colour)
{
    Canvas& c = canvas();
    c.penColor = colour;
    c.penWidth = 1;
    c.moveTo(toPixel(x + r), toPixel(y));
    for (int i = 1; i <= 24; ++i) {
        const double a = i * 2 * M_PI / 24;
        c.lineTo(toPixel(std::cos(a) * r + x), toPixel(y + r * std::sin(a)));
    }
}

void MainWindow::drawPickCircle(int x, int y, int radius, const QColor& colour)
{
    Canvas& c = canvas();
    // The painting expects the pen it left behind.
    const int penWidth = c.penWidth;
    c.penColor = colour;
    c.penWidth = 2;
    c.moveTo(x + radius, y);
    for (int k = 1; k <= 36; ++k) {
        const double angle = k * 2 * M_PI / 36;
        c.lineTo(toPixel(x + radius * std::cos(angle)), toPixel(y + radius * std::sin(angle)));
    }
    c.penWidth = penWidth;
    surface_->showCanvas();
}

// --- Grid, read-out, scale ---------------------------------------------------

void MainWindow::rastercorrectie()
{
    ::rastercorrectie(state_.imageFileName, placement(), &disc);
}

void MainWindow::tekenraster()
{
    if (state_.rotated180)
        return;
    rastercorrectie();
    Canvas& c = canvas();
    c.penWidth = 1;
    const QRect visible = QRect(0, 0, c.width(), c.height()).adjusted(-2, -2, 2, 2);
    for (const GridPolyline& l : gridLines(disc, visible)) {
        c.penColor = l.red ? kRed : kSilver;
        c.moveTo(l.points.front().x(), l.points.front().y());
        for (std::size_t i = 1; i < l.points.size(); ++i)
            c.lineTo(l.points[i].x(), l.points[i].y());
        // Lines leave out their end point; a grid line ends where it ends.
        const QPoint& end = l.points.back();
        c.line(end.x(), end.y(), end.x() + 1, end.y());
    }
    c.penColor = kSilver;
}

void MainWindow::coordinatenmeting(int X, int Y)
{
    Label10->clear();
    Label11->clear();
    if (state_.rotated180)
        return;
    rastercorrectie();
    const Readout r = coordinateReadout(disc, state_.zoomFactor, X, Y);
    if (!r.onDisc)
        return;
    Panel1->setText(coordinateText(r.latitude, r.longitude));
    Label10->setText(horizontalScaleText(r.horizontalKm));
    Label11->setText(verticalScaleText(r.verticalKm));
    // The panel widens to its texts, which are longer with some figures and
    // fonts than the panel was drawn for.
    int textWidth = 0;
    for (QLabel* l : {Label10, Label11}) {
        l->resize(std::max(90, l->sizeHint().width()), l->height());
        textWidth = std::max(textWidth, l->width());
    }
    Panel3->resize(std::max(96, textWidth + 6), Panel3->height());
}

void MainWindow::Coordinatenraster1Click()
{
    state_.gridOn = !state_.gridOn;
    Coordinatenraster1->setChecked(state_.gridOn);
    repaintNow();
}

void MainWindow::SchaalS1Click()
{
    state_.localScaleOn = !state_.localScaleOn;
    SchaalS1->setChecked(state_.localScaleOn);
    Panel3->setVisible(state_.localScaleOn);
}

// --- Terminator and phase figure ---------------------------------------------

void MainWindow::terminator(double E)
{
    if (state_.rotated180)
        return;
    rastercorrectie();
    Canvas& c = canvas();
    c.penColor = kYellow;
    c.penWidth = 1;
    const ArcSpec a = terminatorArc(disc.centreX, disc.centreY, disc.radius, E);
    c.arc(a.x1, a.y1, a.x2, a.y2, a.x3, a.y3, a.x4, a.y4);
}

void MainWindow::Schijngestalte(double E)
{
    Image1->setGeometry(clientWidth() - 70, 20, 70, 70);
    const int x0 = 35, y0 = 35, r = 25;
    const int kase = phaseFigureCase(E);
    const double lit = illuminatedPercent(E);
    Image1->setVisible(state_.terminatorOn);
    Label1->setVisible(state_.terminatorOn);

    Canvas& f = figure_;
    f.resize(70, 70);
    f.fill(Qt::black);
    f.brushColor = Qt::white;
    f.penColor = Qt::white;
    f.penClear = false;
    const int c = toPixel(25 * std::cos(E * 0.017453292519943295));
    auto rightHalf = [&] { f.pie(x0 - r, y0 - r, x0 + r, y0 + r, x0, y0 + 100, x0, y0 - 100); };
    auto leftHalf = [&] { f.pie(x0 - r, y0 - r, x0 + r, y0 + r, x0, y0 - 100, x0, y0 + 100); };
    auto innerRight = [&] { f.pie(x0 - c, y0 - r, x0 + c, y0 + r, x0, y0 + 100, x0, y0 - 100); };
    auto innerLeft = [&] { f.pie(x0 - c, y0 - r, x0 + c, y0 + r, x0, y0 - 100, x0, y0 + 100); };
    auto penAndBrush = [&](const QColor& col) {
        f.penColor = col;
        f.brushColor = col;
    };
    switch (kase) {
    case 0:
        penAndBrush(kEarthshineGrey);
        f.ellipse(x0 - r, y0 - r, x0 + r, y0 + r);
        break;
    case 1:
        rightHalf();
        if (lit >= 10) {
            penAndBrush(Qt::black);
        } else {
            penAndBrush(kEarthshineGrey);
            leftHalf();
        }
        innerRight();
        break;
    case 2:
        rightHalf();
        innerLeft();
        f.brushColor = Qt::black;
        break;
    case 3:
        leftHalf();
        innerRight();
        f.brushColor = Qt::black;
        break;
    default:
        leftHalf();
        if (lit >= 10) {
            penAndBrush(Qt::black);
        } else {
            penAndBrush(kEarthshineGrey);
            rightHalf();
        }
        innerLeft();
        break;
    }
    f.endPainting();
    Image1->setPixmap(QPixmap::fromImage(f.image()));
    Label1->move(clientWidth() - 85, 5);
    Label1->setText(numberText(lit, 3, 1) + QStringLiteral("% zichtbaar"));
    Label1->adjustSize();
}

void MainWindow::Terminator1Click()
{
    RunState& s = state_;
    s.terminatorOn = !s.terminatorOn;
    Terminator1->setChecked(s.terminatorOn);
    Panel2->setVisible(s.terminatorOn);
    Image1->setVisible(s.terminatorOn);
    Label1->setVisible(s.terminatorOn);
    repaintNow();
}
