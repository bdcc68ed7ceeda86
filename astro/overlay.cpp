#include "astro/overlay.h"

#include "astro/calendar.h"
#include "astro/projection.h"
#include "data/numbertext.h"

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

GridFigure gridFigure(int cx, int cy, int R, double B, double L)
{
    GridFigure f;
    const double r = R;
    for (int i = -8; i <= 8; ++i) {
        const double phi = 10.0 * i * kDegToRad;
        const int a = toPixel(r * std::cos(phi));
        const int k = toPixel(r * std::cos(phi) * std::sin(B * kDegToRad));
        const double yc = cy - r * std::sin(phi);
        ArcSpec arc{cx - a, toPixel(yc - k), cx + a, toPixel(yc + k), 0, 0, 0, 0, i == 0};
        const int ycr = toPixel(yc);
        if (B > 0) {
            arc.x3 = cx - 100000; arc.y3 = ycr; arc.x4 = cx + 100000; arc.y4 = ycr;
        } else {
            arc.x3 = cx + 100000; arc.y3 = ycr; arc.x4 = cx - 100000; arc.y4 = ycr;
        }
        f.arcs.push_back(arc);
        if (B == 0) {
            const int hw = toPixel(r * std::cos(phi)), dy = toPixel(r * std::sin(phi));
            f.lines.push_back({cx - hw, cy - dy, cx + hw, cy - dy, i == 0});
        }
    }
    for (int i = -9; i <= 9; ++i) {
        const int w = toPixel(r * std::sin((L + 10.0 * i) * kDegToRad));
        ArcSpec arc{cx - w, cy - R, cx + w, cy + R, 0, 0, 0, 0, i == 0};
        const bool right = L >= 0 ? i >= 0 : i > 0;
        if (right) {
            arc.x3 = cx; arc.y3 = cy + 10000; arc.x4 = cx; arc.y4 = cy - 10000;
        } else {
            arc.x3 = cx; arc.y3 = cy - 10000; arc.x4 = cx; arc.y4 = cy + 10000;
        }
        f.arcs.push_back(arc);
        if (L == 0 && i == 0)
            f.lines.push_back({cx, cy - R, cx, cy + R, true});
    }
    return f;
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
    // 55616 = 32 x 1738: the pointer's arms at the disc centre, in kilometres.
    const double s = 55616.0 / (zoomFactor * 2 * 268);
    double h = 1, v = 1;
    orthographicStretch(ux, uy, &h, &v);
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
    return numberText(km, 4, 0) + QStringLiteral(" km kruis hor.");
}

QString verticalScaleText(double km)
{
    return numberText(km, 4, 0) + QStringLiteral(" km kruis vert.");
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
