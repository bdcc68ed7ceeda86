#include "astro/libration.h"

#include <QChar>
#include <algorithm>
#include <cmath>

#include "data/numbertext.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;
const QChar kDegree(0xB0);

int px(double v) { return toPixel(v); }
}

// --- Libration in longitude --------------------------------------------------

double solveKepler(double meanAnomaly, double eccentricity)
{
    double E = 0;
    for (;;) {
        const double next = E - (E - eccentricity * std::sin(E) - meanAnomaly) / (1 - eccentricity * std::cos(E));
        const bool done = std::fabs(next - E) < 0.001;
        E = next;
        if (done || !std::isfinite(E))
            return E;
    }
}

int earthOffset(const LongitudeModel& model)
{
    // The rounded double product may land on a half that the exact product
    // misses; its rounding error, exact by fma, tells which side it lies on.
    const double product = model.baanas * model.excentriciteit;
    const double error = std::fma(model.baanas, model.excentriciteit, -product);
    const double below = std::floor(product);
    if (product - below == 0.5 && error != 0)
        return int(error < 0 ? below : below + 1);
    return toPixel(product);
}

OrbitTable maakMaanbaan(const LongitudeModel& model, int middenx, int middeny)
{
    const double a = model.baanas;
    const double e = model.excentriciteit;
    const double b = a * std::sqrt(1 - e * e);
    const double perigee = a * (1 - e);
    OrbitTable table;
    for (int i = 0; i <= OrbitSteps; ++i) {
        const double E = solveKepler(i * 2 * kPi / OrbitSteps, e);
        const double xr = a * (std::cos(E) - e);
        const double yr = b * std::sin(E);
        OrbitEntry& entry = table[std::size_t(i)];
        entry.x = middenx + px(xr);
        entry.y = middeny - px(yr);
        entry.baanhoek = std::atan2(yr, xr - a * e);
        // At apogee Newton stops a hair past pi and atan2 answers -pi: that
        // is the direction +pi, straight to the left.
        if (entry.baanhoek < -kPi + 1e-9)
            entry.baanhoek = kPi;
        entry.afstand = std::sqrt(xr * xr + yr * yr) * 356400 / perigee;
    }
    return table;
}

LineSpec rotationMarker(int x, int y, int stap)
{
    const double theta = double(stap) / OrbitSteps * 2 * kPi;
    const int dx = px(10 * std::sin(theta));
    const int dy = px(10 * std::cos(theta));
    return {x - dx, y - dy, x + dx, y + dy, true};
}

LongitudeReading longitudeReading(const LongitudeModel& model, const OrbitTable& table, int stap)
{
    stap = std::clamp(stap, 0, OrbitSteps);
    const double theta = double(stap) / OrbitSteps * 2 * kPi;
    const OrbitEntry& entry = table[std::size_t(stap)];
    LongitudeReading r;
    r.days = model.omlooptijd * stap / OrbitSteps;
    r.rotation = theta * 180 / kPi;
    r.displacement = entry.baanhoek * 180 / kPi;
    r.libration = (theta - entry.baanhoek) * 180 / kPi;
    if (r.libration > 360)
        r.libration -= 360;
    r.distance = entry.afstand;
    return r;
}

QStringList longitudeLines(const LongitudeReading& r)
{
    auto figure = [](double v) { return numberText(v, 3, 2); };
    QString side;
    // The same bounds as the angles in radians: 0.001 rad either way.
    const double d = r.libration * kDeg;
    if (std::fabs(d) < 0.001)
        side = QStringLiteral("U ziet de maanschijf in middenpositie");
    else if (d < 0)
        side = QStringLiteral("Aan maan-O-zijde is nu meer te zien");
    else
        side = QStringLiteral("Aan maan-W-zijde is nu meer te zien");
    return {
        figure(r.days) + QStringLiteral(" dagen na nieuwe maan"),
        QStringLiteral("maanrotatie om zijn as ") + figure(r.rotation) + kDegree,
        QStringLiteral("maanverplaatsing in zijn baan ") + figure(r.displacement) + kDegree,
        QStringLiteral("Libratie in lengte = ") + figure(r.libration) + kDegree,
        side,
        QStringLiteral("Afstand ") + numberText(r.distance, 7, 0) + QStringLiteral(" km"),
    };
}

// --- Libration in latitude ---------------------------------------------------

ObliqueView::ObliqueView(int kijkhoek)
    : sinT(std::sin(kijkhoek * kDeg))
    , cosT(std::cos(kijkhoek * kDeg))
{
}

PolyPoint ObliqueView::project(int X, int Y, double p, double q, double r) const
{
    return {px(X + p), px(Y - (q * cosT - r * sinT)), true};
}

LatitudeState latitudeState(double dagen, int kijkhoek, int centrumx, int centrumy)
{
    const ObliqueView view(kijkhoek);
    LatitudeState s;
    s.phi = dagen / 27.32 * 4 * kPi;
    s.moonX = px(centrumx + LatitudeOrbitRadius * std::cos(s.phi));
    s.moonY = px(centrumy - LatitudeOrbitRadius * view.sinT * std::sin(s.phi));
    s.poleTilt = std::asin(std::cos(s.phi) * std::sin((90 - MoonAxisElevation) * kDeg)) / kDeg;
    return s;
}

std::vector<PolyPoint> orbitPolygon(int cx, int cy, int kijkhoek)
{
    const ObliqueView view(kijkhoek);
    std::vector<PolyPoint> points;
    for (int k = 0; k <= 36; ++k) {
        const double theta = k * 2 * kPi / 36;
        points.push_back({px(cx + LatitudeOrbitRadius * std::cos(theta)),
                          px(cy - LatitudeOrbitRadius * view.sinT * std::sin(theta)), k > 0});
    }
    return points;
}

std::vector<PolyPoint> parallelCircle(int X, int Y, double R, double A, double B, int kijkhoek)
{
    const ObliqueView view(kijkhoek);
    const double sinA = std::sin(A * kDeg), cosA = std::cos(A * kDeg);
    const double sinB = std::sin(B * kDeg), cosB = std::cos(B * kDeg);
    std::vector<PolyPoint> points;
    for (int lambda = 0; lambda <= 360; lambda += 5) {
        const double cosL = std::cos(lambda * kDeg), sinL = std::sin(lambda * kDeg);
        const double p = R * (cosB * cosL * sinA - sinB * cosA);
        const double q = R * (cosB * cosL * cosA + sinB * sinA);
        const double r = R * cosB * sinL;
        PolyPoint point = view.project(X, Y, p, q, r);
        point.draw = lambda > 0 && view.facing(q, r) >= 0;
        points.push_back(point);
    }
    return points;
}

std::vector<PolyPoint> azimuthCircle(int X, int Y, double R, double alpha, int kijkhoek)
{
    const ObliqueView view(kijkhoek);
    const double cosA = std::cos(alpha), sinA = std::sin(alpha);
    std::vector<PolyPoint> points;
    for (int k = 0; k <= 30; ++k) {
        const double beta = 12 * k * kDeg;
        const double p = R * cosA * std::cos(beta);
        const double q = -R * std::sin(beta);
        const double r = -R * sinA * std::cos(beta);
        PolyPoint point = view.project(X, Y, p, q, r);
        // Drawn a little past the rim, so the circle visibly turns away.
        point.draw = k > 0 && view.facing(q, r) >= -15;
        points.push_back(point);
    }
    return points;
}

LineSpec moonAxis(int X, int Y, double R, double A, int kijkhoek)
{
    const ObliqueView view(kijkhoek);
    const double cosA = std::cos(A * kDeg), sinA = std::sin(A * kDeg);
    const PolyPoint pole = view.project(X, Y, -R * cosA, R * sinA, 0);
    const PolyPoint end = view.project(X, Y, -(R + 50) * cosA, (R + 50) * sinA, 0);
    return {pole.x, pole.y, end.x, end.y, true};
}

double stepDays(double dagen, int tenths)
{
    const double next = std::nearbyint(dagen * 10 + tenths) / 10;
    return std::clamp(next, -10.0, 60.0);
}

int stepViewingAngle(int kijkhoek, int degrees)
{
    return std::clamp(kijkhoek + degrees, 0, 85);
}

QString viewingAngleLine(int kijkhoek)
{
    return QStringLiteral("Richting waarin U naar het baanvlak kijkt is ") + QString::number(kijkhoek) + kDegree;
}

QString poleLine(double poleTilt)
{
    return QStringLiteral("De noordpool van de maan is nu ") + numberText(std::fabs(poleTilt), 2, 1)
        + (poleTilt >= 0 ? kDegree + QStringLiteral(" naar de aarde toegekeerd")
                         : kDegree + QStringLiteral(" van de aarde afgekeerd"));
}

QString daysLine(double dagen)
{
    return numberText(dagen, 3, 1) + QStringLiteral(" dagen verder");
}

// --- The Moon's face under libration -----------------------------------------

GridFigure librationGridFigure(int xc, int yc, int Rw, double B, double L)
{
    GridFigure g;
    const double sinB = std::sin(B * kDeg);
    for (int i = -8; i <= 8; ++i) {
        const double phi = 10 * i * kDeg;
        const bool red = i == 0;
        const int a = px(Rw * std::cos(phi));
        const double k = Rw * std::cos(phi) * sinB;   // kept real: no rounding before the sum
        const double v = -Rw * std::sin(phi);
        const int mid = px(v + yc);
        // A tilt below a degree shows as straight lines (B = 0 included).
        if (std::fabs(B) < 1) {
            g.lines.push_back({xc - a, mid, xc + a, mid, red});
            continue;
        }
        ArcSpec arc{xc - a, px(v + yc - k), xc + a, px(v + yc + k), 0, mid, 0, mid, red};
        if (B > 0) {
            arc.x3 = xc - 100000;   // the lower half
            arc.x4 = xc + 100000;
        } else {
            arc.x3 = xc + 100000;   // the upper half
            arc.x4 = xc - 100000;
        }
        g.arcs.push_back(arc);
    }
    for (int i = -9; i <= 9; ++i) {
        const bool red = i == 0;
        const int w = px(Rw * std::sin((L + 10 * i) * kDeg));
        const bool rightHalf = L >= 0 ? i >= 0 : i > 0;
        ArcSpec arc{xc - w, yc - Rw, xc + w, yc + Rw, xc, 0, xc, 0, red};
        arc.y3 = rightHalf ? yc + 10000 : yc - 10000;
        arc.y4 = rightHalf ? yc - 10000 : yc + 10000;
        g.arcs.push_back(arc);
        if (L == 0 && i == 0)
            g.lines.push_back({xc, yc - Rw, xc, yc + Rw, true});
    }
    return g;
}

double stepLibration(double value, double delta, double limit)
{
    return std::clamp(value + delta, -limit, limit);
}

QString librationStatusLine(double B, double L)
{
    return QStringLiteral("De Libratie is nu ") + numberText(B, 3, 1) + kDegree + QStringLiteral(" in breedte en ")
        + numberText(L, 3, 1) + kDegree + QStringLiteral(" in lengte.")
        + QStringLiteral(" ***  Wijzig dit met de pijltoetsen. *** ");
}
