#include "astro/overlay.h"

#include "astro/calendar.h"
#include "astro/projection.h"
#include "data/numbertext.h"

#include <QRectF>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kDegToRad = 0.017453292519943295;
}

QPoint featureScreenPoint(const ViewPlacement& v, double posX, double posY)
{
    const double half = v.zoomFactor * 0.5;
    if (v.rotated180)
        return QPoint(toPixel(v.zoomFactor * v.bitmapWidth - posX * half + v.originX),
                      toPixel(v.zoomFactor * v.bitmapHeight - posY * half + v.originY));
    return QPoint(toPixel(posX * half + v.originX), toPixel(posY * half + v.originY));
}

void screenToHalfPixels(const ViewPlacement& v, int x, int y, double* posX, double* posY)
{
    if (v.rotated180) {
        *posX = (v.zoomFactor * v.bitmapWidth + v.originX - double(x)) / v.zoomFactor * 2.0;
        *posY = (v.zoomFactor * v.bitmapHeight + v.originY - double(y)) / v.zoomFactor * 2.0;
        return;
    }
    *posX = (double(x) - v.originX) / v.zoomFactor * 2.0;
    *posY = (double(y) - v.originY) / v.zoomFactor * 2.0;
}

void rastercorrectie(const QString& imageFileName, const ViewPlacement& v, DiscGeometry* disc)
{
    const ViewGeometry* g = viewGeometryFor(imageFileName);
    if (!g)
        return;
    disc->centreX = toPixel(v.zoomFactor * 0.5 * g->centreX + v.originX);
    disc->centreY = toPixel(v.zoomFactor * 0.5 * g->centreY + v.originY);
    disc->radius = toPixel(v.zoomFactor * 2 * g->radiusConstant);
    disc->latitudeTilt = g->latitudeTilt;
    disc->longitudeShift = g->longitudeShift;
}

namespace {
// Follows one grid line, given as a function from an angle (radians) to its
// point on the unit disc with its depth (negative on the far side), and
// splits it into screen polylines.
class GridTracer {
public:
    GridTracer(const DiscGeometry& disc, const QRect& visible, std::vector<GridPolyline>* out)
        : cx_(disc.centreX), cy_(disc.centreY), R_(disc.radius), visible_(visible), out_(out)
    {
    }

    template <typename F>
    void trace(const F& f, double t0, double t1, bool red)
    {
        red_ = red;
        open_ = false;
        // Pieces of 2 degrees are short enough to find every stretch on the
        // near side; longer ones are split below where the view needs it.
        const int pieces = std::max(1, int(std::lround((t1 - t0) / (2 * kDegToRad))));
        double a = t0;
        Point pa = f(a);
        for (int i = 1; i <= pieces; ++i) {
            const double b = t0 + (t1 - t0) * i / pieces;
            const Point pb = f(b);
            piece(f, a, pa, b, pb, 0);
            a = b;
            pa = pb;
        }
    }

    struct Point {
        double x, y, depth;
    };

private:
    template <typename F>
    void piece(const F& f, double a, Point pa, double b, Point pb, int level)
    {
        const bool nearA = pa.depth >= 0, nearB = pb.depth >= 0;
        if (!nearA && !nearB) {
            open_ = false;
            return;
        }
        if (nearA != nearB) {
            // Cut where the line passes the limb.
            double lo = a, hi = b;
            for (int k = 0; k < 30; ++k) {
                const double m = 0.5 * (lo + hi);
                if ((f(m).depth >= 0) == nearA)
                    lo = m;
                else
                    hi = m;
            }
            const double t = nearA ? lo : hi;
            Point limb = f(t);
            limb.depth = 0;
            if (nearA)
                piece(f, a, pa, t, limb, level);
            else
                piece(f, t, limb, b, pb, level);
            if (nearA)
                open_ = false;
            return;
        }
        const QPointF sa = screen(pa), sb = screen(pb);
        // A line on the sphere bends away from its chord by at most R d^2 / 8.
        const double d = b - a;
        const double sag = R_ * d * d / 8;
        const QRectF reach = QRectF(sa, sb).normalized().adjusted(-sag - 1, -sag - 1, sag + 1, sag + 1);
        if (!reach.intersects(visible_)) {
            open_ = false;
            return;
        }
        if (sag > 0.35 && level < 48) {
            const double m = 0.5 * (a + b);
            const Point pm = f(m);
            piece(f, a, pa, m, pm, level + 1);
            piece(f, m, pm, b, pb, level + 1);
            return;
        }
        const QPoint qa(toPixel(sa.x()), toPixel(sa.y())), qb(toPixel(sb.x()), toPixel(sb.y()));
        if (!open_) {
            out_->push_back({{qa}, red_});
            open_ = true;
        }
        std::vector<QPoint>& points = out_->back().points;
        if (points.back() != qb)
            points.push_back(qb);
    }

    QPointF screen(const Point& p) const { return {cx_ + R_ * p.x, cy_ - R_ * p.y}; }

    double cx_, cy_, R_;
    QRectF visible_;
    std::vector<GridPolyline>* out_;
    bool red_ = false;
    bool open_ = false;
};
}

std::vector<GridPolyline> gridLines(const DiscGeometry& disc, const QRect& visible)
{
    std::vector<GridPolyline> lines;
    if (disc.radius <= 0)
        return lines;
    GridTracer tracer(disc, visible, &lines);
    const double b = disc.latitudeTilt * kDegToRad, l = disc.longitudeShift * kDegToRad;
    const double sinB = std::sin(b), cosB = std::cos(b);
    // Each line keeps its own latitude or longitude: one sine and cosine a point.
    for (int i = -8; i <= 8; ++i) {
        const double phi = 10.0 * i * kDegToRad, sinLat = std::sin(phi), cosLat = std::cos(phi);
        tracer.trace(
            [&](double lambda) {
                GridTracer::Point p;
                p.depth = projectOrthographic(sinLat, cosLat, std::sin(lambda + l), std::cos(lambda + l), sinB, cosB,
                                              &p.x, &p.y);
                return p;
            },
            -M_PI, M_PI, i == 0);
    }
    for (int i = -9; i <= 9; ++i) {
        const double dLambda = 10.0 * i * kDegToRad + l, sinDLon = std::sin(dLambda), cosDLon = std::cos(dLambda);
        tracer.trace(
            [&](double phi) {
                GridTracer::Point p;
                p.depth = projectOrthographic(std::sin(phi), std::cos(phi), sinDLon, cosDLon, sinB, cosB, &p.x, &p.y);
                return p;
            },
            -M_PI / 2, M_PI / 2, i == 0);
    }
    return lines;
}

ArcSpec terminatorArc(int cx, int cy, int R, double E)
{
    const int a = toPixel(R * std::cos(E * kDegToRad));
    ArcSpec arc{cx - a, cy - R, cx + a, cy + R, 0, 0, 0, 0, false};
    const bool rightHalf = (E >= 0 && E < 90) || (E >= 180 && E < 270);
    if (rightHalf) {
        arc.x3 = cx; arc.y3 = cy + 100; arc.x4 = cx; arc.y4 = cy - 100;
    } else {
        arc.x3 = cx; arc.y3 = cy - 100; arc.x4 = cx; arc.y4 = cy + 100;
    }
    return arc;
}

double kmPerScreenPixel(double zoomFactor)
{
    // The Moon's radius, 1738 km, over the disc radius that every view is
    // taken to have: 2 x 268 bitmap pixels.
    return 1738.0 / (zoomFactor * 2 * 268);
}

Readout coordinateReadout(const DiscGeometry& disc, double zoomFactor, int x, int y)
{
    Readout r;
    if (disc.radius <= 0)
        return r;
    const double R = disc.radius;
    const double ux = (double(x) - disc.centreX) / R;
    const double uy = (double(disc.centreY) - y) / R;
    if (!unprojectOrthographic(ux, uy, disc.latitudeTilt, disc.longitudeShift, &r.latitude, &r.longitude))
        return r;
    r.onDisc = true;
    // The pointer's arms are 32 pixels long.
    const double s = 32 * kmPerScreenPixel(zoomFactor);
    // On the limb itself the foreshortening is without bound: the figure of
    // the point half a pixel inside stands for it.
    double sx = ux, sy = uy;
    const double rho = std::hypot(ux, uy), inside = (R - 0.5) / R;
    if (rho > inside && rho > 0) {
        sx *= inside / rho;
        sy *= inside / rho;
    }
    double h = 1, v = 1;
    orthographicStretch(sx, sy, &h, &v);
    r.horizontalKm = s * h;
    r.verticalKm = s * v;
    return r;
}

QString coordinateText(double latitude, double longitude)
{
    const QChar deg(0xB0);
    return numberText(std::fabs(latitude), 3, 0) + deg + (latitude >= 0 ? QStringLiteral("N ") : QStringLiteral("S "))
        + numberText(std::fabs(longitude), 3, 0) + deg + (longitude >= 0 ? QStringLiteral("E") : QStringLiteral("W"));
}

QString horizontalScaleText(double km)
{
    return distanceText(km, 4) + QStringLiteral(" km kruis hor.");
}

QString verticalScaleText(double km)
{
    return distanceText(km, 4) + QStringLiteral(" km kruis vert.");
}

int phaseFigureCase(double E)
{
    int c = 4;
    if (E >= 0 && E < 90)
        c = 1;
    else if (E >= 90 && E < 180)
        c = 2;
    else if (E >= 180 && E < 270)
        c = 3;
    if (illuminatedPercent(E) < 0.5)
        c = 0;
    return c;
}
