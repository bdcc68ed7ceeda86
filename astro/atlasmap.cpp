#include "astro/atlasmap.h"

#include "data/numbertext.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180.0;

int nearest(double v) { return toPixel(v); }
}

AtlasDisc atlasDisc(const AtlasPlacement& p)
{
    return {p.originX + nearest(p.scale * AtlasDiscCentreX), p.originY + nearest(p.scale * AtlasDiscCentreY),
            p.scale * AtlasDiscRadius};
}

AtlasGrid atlasGrid(int cx, int cy, int R)
{
    AtlasGrid grid;
    for (int i = -8; i <= 8; ++i) {
        const double a = i * kPi / 18;
        const int y = cy - nearest(R * std::sin(a));
        const int w = nearest(R * std::cos(a));
        grid.parallels.push_back({cx - w, y, cx + w, y});
    }
    // Eastern meridians, 0 to 90 degrees east: right halves, bottom to top.
    for (int j = 0; j <= 9; ++j) {
        const int s = nearest(R * std::sin(10 * j * kDegree));
        grid.meridians.push_back({cx - s, cy - R, cx + s, cy + R, cx, cy + 100, cx, cy - 100, j == 0});
    }
    // Western meridians, 90 to 10 degrees west: left halves, top to bottom.
    for (int j = 0; j <= 8; ++j) {
        const int c = nearest(R * std::cos(10 * j * kDegree));
        grid.meridians.push_back({cx - c, cy - R, cx + c, cy + R, cx, cy - 100, cx, cy + 100, false});
    }
    grid.equator = {cx - R, cy, cx + R, cy, true};
    grid.centralMeridian = {cx, cy - R, cx, cy + R, true};
    return grid;
}

AtlasReadout atlasReadout(const AtlasDisc& disc, int x, int y)
{
    AtlasReadout out;
    const double R = disc.radius;
    const double dy = double(disc.centreY) - y;
    if (R <= 0 || std::fabs(dy) / R >= 1)
        return out;
    const double lat = std::asin(dy / R);
    const double r = R * std::cos(lat);
    const double dx = double(x) - disc.centreX;
    if (std::fabs(dx) / r >= 1)
        return out;
    out.onDisc = true;
    out.latitude = lat / kDegree;
    out.longitude = std::asin(dx / r) / kDegree;
    return out;
}

QString atlasReadoutText(const AtlasReadout& r)
{
    const QChar deg(0xB0);
    return QString::number(int(roundHalfEven(std::fabs(r.latitude)))) + deg
        + (r.latitude >= 0 ? QStringLiteral("N ") : QStringLiteral("S "))
        + QString::number(int(std::round(std::fabs(r.longitude)))) + deg
        + (r.longitude >= 0 ? QStringLiteral("E") : QStringLiteral("W"));
}

QPointF atlasPicturePoint(const AtlasPlacement& p, double x, double y)
{
    return {(x - p.originX) / p.scale, (y - p.originY) / p.scale};
}

QPoint atlasOriginPlacing(const QPointF& picturePoint, double x, double y, double scale)
{
    return {nearest(x - scale * picturePoint.x()), nearest(y - scale * picturePoint.y())};
}
