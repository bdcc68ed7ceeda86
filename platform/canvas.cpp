#include "platform/canvas.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;

// A quarter the size, each pixel the mean of four (rounded), in the format of
// the source: 32-bit colour or 8-bit grey.
QImage halve(const QImage& src)
{
    const int w = std::max(1, src.width() / 2);
    const int h = std::max(1, src.height() / 2);
    QImage out(w, h, src.format());
    const bool grey = src.format() == QImage::Format_Grayscale8;
    for (int y = 0; y < h; ++y) {
        const uchar* r0 = src.constScanLine(std::min(2 * y, src.height() - 1));
        const uchar* r1 = src.constScanLine(std::min(2 * y + 1, src.height() - 1));
        uchar* o = out.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const int a = std::min(2 * x, src.width() - 1), b = std::min(2 * x + 1, src.width() - 1);
            if (grey) {
                o[x] = uchar((r0[a] + r0[b] + r1[a] + r1[b] + 2) / 4);
                continue;
            }
            const auto* q0 = reinterpret_cast<const QRgb*>(r0);
            const auto* q1 = reinterpret_cast<const QRgb*>(r1);
            const QRgb p[4] = {q0[a], q0[b], q1[a], q1[b]};
            int rr = 2, gg = 2, bb = 2;
            for (QRgb c : p) {
                rr += qRed(c);
                gg += qGreen(c);
                bb += qBlue(c);
            }
            reinterpret_cast<QRgb*>(o)[x] = qRgb(rr / 4, gg / 4, bb / 4);
        }
    }
    return out;
}

// Keeps coordinates handed to the toolkit's rasteriser in its fixed-point range.
int clampCoord(long long v)
{
    return int(std::clamp<long long>(v, -(1 << 24), 1 << 24));
}

// The outline of a figure in the box from (x1, y1) to (x2, y2): the box's
// right and bottom edges lie outside the figure, so a 1-pixel pen runs through
// the last pixels inside.
QRectF figureOutline(int x1, int y1, int x2, int y2)
{
    const int left = clampCoord(std::min(x1, x2)), right = clampCoord(std::max(x1, x2));
    const int top = clampCoord(std::min(y1, y2)), bottom = clampCoord(std::max(y1, y2));
    return QRectF(left, top, right - left - 1, bottom - top - 1);
}
}

ScaledPicture::ScaledPicture(const QImage& source, Depth depth)
{
    if (source.isNull())
        return;
    levels_.push_back(source.convertToFormat(depth == Depth::Grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32));
    while (levels_.back().width() > 16 && levels_.back().height() > 16)
        levels_.push_back(halve(levels_.back()));
}

const QImage& ScaledPicture::levelFor(double scale, double* levelScale) const
{
    std::size_t k = 0;
    double s = scale;
    while (s <= 0.5 && k + 1 < levels_.size()) {
        s *= 2.0;
        ++k;
    }
    *levelScale = double(levels_[0].width()) / double(levels_[k].width());
    return levels_[k];
}

qsizetype ScaledPicture::byteCount() const
{
    qsizetype n = 0;
    for (const auto& l : levels_)
        n += l.sizeInBytes();
    return n;
}

QPainter& Canvas::painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
    }
    return *painter_;
}

void Canvas::endPainting()
{
    painter_.reset();
}

void Canvas::resize(int width, int height)
{
    width = std::max(1, width);
    height = std::max(1, height);
    if (image_.width() == width && image_.height() == height)
        return;
    endPainting();
    image_ = QImage(width, height, QImage::Format_RGB32);
    image_.fill(Qt::black);
}

QRgb Canvas::pixel(int x, int y) const
{
    const_cast<Canvas*>(this)->endPainting();
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return 0;
    return image_.pixel(x, y) | 0xFF000000u;
}

void Canvas::fill(const QColor& colour)
{
    endPainting();
    image_.fill(colour);
}

void Canvas::fillRect(const QRect& r, const QColor& colour)
{
    painter().fillRect(r.normalized().intersected(image_.rect()), colour);
}

void Canvas::moveTo(int x, int y)
{
    pos_ = QPoint(x, y);
}

void Canvas::lineTo(int x, int y)
{
    plotLine(pos_.x(), pos_.y(), x, y);
    pos_ = QPoint(x, y);
}

void Canvas::line(int x1, int y1, int x2, int y2)
{
    plotLine(x1, y1, x2, y2);
    pos_ = QPoint(x2, y2);
}

void Canvas::plotLine(int x1, int y1, int x2, int y2)
{
    if (penClear || image_.isNull())
        return;
    const QRect bounds = image_.rect().adjusted(-penWidth, -penWidth, penWidth, penWidth);
    const long long dxl = std::llabs((long long)x2 - x1), dyl = std::llabs((long long)y2 - y1);
    const bool shortLine = dxl + dyl < 4 * (image_.width() + image_.height());
    if (penWidth <= 1 && !shortLine) {
        // Walk only the part over the surface (grown by a pixel). An end cut
        // off there lies outside, so leaving it out changes nothing; an end
        // inside is still left out.
        const double dx = double(x2) - x1, dy = double(y2) - y1;
        double t0 = 0, t1 = 1;
        auto clip = [&](double p, double q) {   // keeps the part where p * t <= q
            if (p == 0)
                return q >= 0;
            const double r = q / p;
            if (p < 0) {
                if (r > t1)
                    return false;
                t0 = std::max(t0, r);
            } else {
                if (r < t0)
                    return false;
                t1 = std::min(t1, r);
            }
            return true;
        };
        if (!clip(-dx, x1 + 1.0) || !clip(dx, image_.width() - double(x1)) || !clip(-dy, y1 + 1.0)
            || !clip(dy, image_.height() - double(y1)))
            return;
        const int cx1 = int(std::lround(x1 + t0 * dx)), cy1 = int(std::lround(y1 + t0 * dy));
        const int cx2 = t1 < 1 ? int(std::lround(x1 + t1 * dx)) : x2;
        const int cy2 = t1 < 1 ? int(std::lround(y1 + t1 * dy)) : y2;
        plotLine(cx1, cy1, cx2, cy2);
        return;
    }
    if (penWidth <= 1) {
        // Bresenham, leaving out the end point.
        const QRgb c = penColor.rgb();
        const int w = image_.width(), h = image_.height();
        int x = x1, y = y1;
        const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
        const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
        int err = dx + dy;
        while (!(x == x2 && y == y2)) {
            if (x >= 0 && y >= 0 && x < w && y < h)
                reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = c;
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y += sy;
            }
        }
        return;
    }
    // Wide lines: the toolkit clips them; the end point is covered by the
    // pen's width anyway.
    QLineF l(clampCoord(x1), clampCoord(y1), clampCoord(x2), clampCoord(y2));
    if (!bounds.contains(l.p1().toPoint()) && !bounds.contains(l.p2().toPoint())) {
        // Quick reject when both ends lie on the same outer side.
        if ((l.x1() < bounds.left() && l.x2() < bounds.left()) || (l.x1() > bounds.right() && l.x2() > bounds.right())
            || (l.y1() < bounds.top() && l.y2() < bounds.top()) || (l.y1() > bounds.bottom() && l.y2() > bounds.bottom()))
            return;
    }
    QPainter& p = painter();
    p.setPen(QPen(penColor, penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawLine(l);
}

namespace {
// Parametric angle on the ellipse of the ray from its centre towards (px, py);
// screen y grows downwards, angles counter-clockwise on screen.
double rayAngle(double cx, double cy, double a, double b, double px, double py)
{
    const double theta = std::atan2(-(py - cy), px - cx);
    return std::atan2(a * std::sin(theta), b * std::cos(theta));
}

struct ArcGeometry {
    double cx, cy, a, b, t0, span;
};

ArcGeometry arcGeometry(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    ArcGeometry g;
    g.cx = (double(x1) + x2) / 2.0;
    g.cy = (double(y1) + y2) / 2.0;
    g.a = std::fabs(double(x2) - x1) / 2.0;
    g.b = std::fabs(double(y2) - y1) / 2.0;
    g.t0 = rayAngle(g.cx, g.cy, std::max(g.a, 1e-9), std::max(g.b, 1e-9), x3, y3);
    double t1 = rayAngle(g.cx, g.cy, std::max(g.a, 1e-9), std::max(g.b, 1e-9), x4, y4);
    g.span = t1 - g.t0;
    while (g.span <= 0)
        g.span += 2 * kPi;
    if (std::fabs(g.span - 2 * kPi) < 1e-12)
        g.span = 2 * kPi;
    return g;
}
}

void Canvas::arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    if (penClear || image_.isNull())
        return;
    const ArcGeometry g = arcGeometry(x1, y1, x2, y2, x3, y3, x4, y4);
    // A polyline close enough to the ellipse that it rasterises to the same
    // pixels; only the visible stretches are plotted, so huge ellipses at high
    // zoom cost no more than what shows.
    const double r = std::max(g.a, g.b);
    const double step = std::clamp(std::sqrt(0.5 / std::max(r, 1.0)), 1e-6, 0.2);
    const QRect view = image_.rect().adjusted(-2, -2, 2, 2);
    auto pointAt = [&](double t) {
        return QPoint(clampCoord(std::llround(g.cx + g.a * std::cos(t))),
                      clampCoord(std::llround(g.cy - g.b * std::sin(t))));
    };
    // Pieces of the arc whose bounds miss the view are skipped whole, so the
    // cost follows what shows, not the ellipse's size.
    struct Piece { double t0, t1; QPoint p0, p1; };
    std::vector<Piece> stack;
    stack.push_back({g.t0, g.t0 + g.span, pointAt(g.t0), pointAt(g.t0 + g.span)});
    while (!stack.empty()) {
        const Piece piece = stack.back();
        stack.pop_back();
        const double dt = piece.t1 - piece.t0;
        const double bulge = r * (dt >= kPi ? 2.0 : 1.0 - std::cos(dt / 2)) + 2;
        const int grow = int(std::min(bulge, 1e8));
        const QRect bounds = QRect(piece.p0, piece.p1).normalized().adjusted(-grow, -grow, grow, grow);
        if (!bounds.intersects(view))
            continue;
        if (dt <= step * 1.0001) {
            plotLine(piece.p0.x(), piece.p0.y(), piece.p1.x(), piece.p1.y());
            continue;
        }
        const double tm = piece.t0 + dt / 2;
        const QPoint pm = pointAt(tm);
        // Later pieces first on the stack, so pieces are plotted in order.
        stack.push_back({tm, piece.t1, pm, piece.p1});
        stack.push_back({piece.t0, tm, piece.p0, pm});
    }
    // The end point itself belongs to the arc.
    const QPoint last = pointAt(g.t0 + g.span);
    if (last.x() >= 0 && last.y() >= 0 && last.x() < width() && last.y() < height())
        reinterpret_cast<QRgb*>(image_.scanLine(last.y()))[last.x()] = penColor.rgb();
}

void Canvas::pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    if (image_.isNull())
        return;
    const ArcGeometry g = arcGeometry(x1, y1, x2, y2, x3, y3, x4, y4);
    QPainter& p = painter();
    if (penClear)
        p.setPen(Qt::NoPen);
    else
        p.setPen(QPen(penColor, penWidth));
    p.setBrush(brushColor);
    const QRectF box(g.cx - g.a, g.cy - g.b, 2 * g.a, 2 * g.b);
    p.drawPie(box, int(std::lround(g.t0 * 180 / kPi * 16)), int(std::lround(g.span * 180 / kPi * 16)));
}

void Canvas::ellipse(int x1, int y1, int x2, int y2)
{
    if (image_.isNull() || x1 == x2 || y1 == y2)
        return;
    QPainter& p = painter();
    if (penClear)
        p.setPen(Qt::NoPen);
    else
        p.setPen(QPen(penColor, penWidth));
    p.setBrush(brushColor);
    p.drawEllipse(figureOutline(x1, y1, x2, y2));
}

void Canvas::rectangle(int x1, int y1, int x2, int y2)
{
    if (image_.isNull() || x1 == x2 || y1 == y2)
        return;
    QPainter& p = painter();
    if (penClear)
        p.setPen(Qt::NoPen);
    else
        p.setPen(QPen(penColor, penWidth));
    p.setBrush(brushColor);
    p.drawRect(figureOutline(x1, y1, x2, y2));
}

QSize Canvas::textExtent(const QString& text) const
{
    const QFontMetrics fm(font);
    return QSize(fm.horizontalAdvance(text), fm.height());
}

void Canvas::textOut(int x, int y, const QString& text)
{
    if (image_.isNull() || text.isEmpty())
        return;
    const QImage& sprite = textSprite(text);
    const QRect box(x, y, sprite.width(), sprite.height());
    pos_ = QPoint(x + box.width(), y);
    if (!box.intersects(image_.rect()))
        return;
    painter().drawImage(box.topLeft(), sprite);
}

const QImage& Canvas::textSprite(const QString& text)
{
    // QFont::key is costly and the style rarely changes between two names.
    if (spriteStyle_.key.isEmpty() || spriteStyle_.font != font || spriteStyle_.text != fontColor || spriteStyle_.box != brushColor) {
        spriteStyle_ = {font, fontColor, brushColor,
                        font.key() + QLatin1Char('|') + fontColor.name() + brushColor.name() + QLatin1Char('|')};
    }
    const QString key = spriteStyle_.key + text;
    auto it = sprites_.find(key);
    if (it != sprites_.end())
        return *it;
    if (sprites_.size() > 8000)
        sprites_.clear();
    const QFontMetrics fm(font);
    QImage sprite(std::max(1, fm.horizontalAdvance(text)), std::max(1, fm.height()), QImage::Format_RGB32);
    sprite.fill(brushColor);
    QPainter p(&sprite);
    p.setFont(font);
    p.setPen(fontColor);
    p.drawText(QPoint(0, fm.ascent()), text);
    p.end();
    return *sprites_.insert(key, sprite);
}

void Canvas::stretchDraw(int left, int top, int right, int bottom, const ScaledPicture& picture)
{
    if (image_.isNull() || picture.isNull())
        return;
    const double w = double(right) - left, h = double(bottom) - top;
    if (w == 0 || h == 0)
        return;
    const double sx = w / picture.width(), sy = h / picture.height();
    const QRectF target = QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
    const QRectF visible = target.intersected(QRectF(image_.rect()));
    if (visible.isEmpty())
        return;
    double levelScale = 1;
    const QImage& level = picture.levelFor(std::min(std::fabs(sx), std::fabs(sy)), &levelScale);
    QPainter& p = painter();
    const QRect visiblePixels = visible.toAlignedRect();
    const QRect corners(QPoint(left, top), QPoint(right, bottom));
    const bool samePlace = stretched_.pictureKey == level.cacheKey() && stretched_.target == corners
                           && stretched_.canvasSize == image_.size() && stretched_.visible == visiblePixels;
    if (samePlace && !stretched_.pixels.isNull()) {
        p.drawImage(visiblePixels.topLeft(), stretched_.pixels);
        return;
    }
    // Screen point -> level pixel: (screen - origin) / scale / levelScale.
    const double ax = sx * levelScale, ay = sy * levelScale;
    QRectF source(QPointF((visible.left() - left) / ax, (visible.top() - top) / ay),
                  QPointF((visible.right() - left) / ax, (visible.bottom() - top) / ay));
    source = source.normalized();
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (sx < 0 || sy < 0) {
        // Turned: mirror both axes about the visible rectangle's centre.
        p.translate(visible.center());
        p.scale(sx < 0 ? -1 : 1, sy < 0 ? -1 : 1);
        p.translate(-visible.center());
    }
    p.drawImage(visible, level, source);
    p.restore();
    // Kept as it came out (nothing else drawn over it yet), but only once the
    // same place comes twice: during a drag every place is new and the copy
    // would only cost time.
    if (samePlace) {
        endPainting();
        stretched_.pixels = image_.copy(visiblePixels);
    } else {
        stretched_ = {level.cacheKey(), corners, image_.size(), visiblePixels, QImage()};
    }
}
