#include "tools/atlasgen/features.h"

#include "astro/projection.h"
#include "data/featurenames.h"
#include "data/featuretable.h"
#include "tools/atlasgen/landings.h"
#include "tools/atlasgen/surface.h"
#include "tools/atlasgen/wellknown.h"

#include <algorithm>

namespace {
// Words by which the program tells a feature's kind; a crater name must hold
// none of them or it would be drawn and filtered as something else.
bool containsKindWord(const QString& name)
{
    static const QStringList words{"Mare", "Lacus", "Ocean", "Sinus", "Palus", "Landing", "Mons", "Montes",
                                   "Catena", "Rima", "Rupes", "Promontorium", "Vallis", "Crater", "*"};
    for (const auto& w : words)
        if (name.contains(w))
            return true;
    return false;
}

bool isLinear(const QString& typeCode)
{
    static const QStringList codes{"RI", "CA", "VA", "RU", "DO"};
    return codes.contains(typeCode);
}

// Above every size, below the landing sites.
constexpr double FullMoonSightScore = 1e9;
}

QList<AtlasFeature> atlasCandidates(const QList<GazetteerEntry>& gazetteer, QStringList* notes)
{
    QList<AtlasFeature> out;
    for (const auto& s : landingSites()) {
        AtlasFeature f;
        f.name = landingName(s);
        f.typeCode = QStringLiteral("LS");
        f.latitude = s.latitude;
        f.longitude = s.longitude;
        f.impact = s.impact;
        out.append(f);
    }
    QList<AtlasFeature> named;
    QSet<QString> seen, iauNames;
    for (const auto& e : gazetteer) {
        iauNames.insert(e.iauName);
        const bool crater = e.typeCode == QLatin1String("AA");
        if (!crater && !isRequiredKind(e.typeCode))
            continue;
        AtlasFeature f;
        f.name = atlasName(e.iauName, crater);
        f.typeCode = e.typeCode;
        f.latitude = e.latitude;
        f.longitude = e.longitude;
        f.diameterKm = e.diameterKm;
        f.wellKnown = isWellKnown(e.iauName);
        f.fullMoonSight = isFullMoonSight(e.iauName);
        if (f.name.isEmpty() || f.name.size() > 98 || seen.contains(f.name)) {
            notes->append(QStringLiteral("skipped (empty, long or twice): ") + e.iauName);
            continue;
        }
        if (crater && (containsKindWord(f.name) || !isCraterName(f.name))) {
            notes->append(QStringLiteral("skipped crater with a kind word in its name: ") + e.iauName);
            continue;
        }
        if (!crater && isCraterName(f.name)) {
            notes->append(QStringLiteral("skipped one-word name of another kind: ") + e.iauName);
            continue;
        }
        seen.insert(f.name);
        named.append(f);
    }
    for (const auto& w : wellKnownNames())
        if (!iauNames.contains(w))
            notes->append(QStringLiteral("well-known name not in the gazetteer: ") + w);
    std::sort(named.begin(), named.end(), [](const AtlasFeature& a, const AtlasFeature& b) {
        if (a.diameterKm != b.diameterKm)
            return a.diameterKm > b.diameterKm;
        return a.name < b.name;
    });
    return out + named;
}

bool halfPixelPosition(const ViewGeometry& view, double latitude, double longitude, double* x, double* y)
{
    double dx, dy;
    const double cosC = projectOrthographic(latitude, longitude, view.latitudeTilt, view.longitudeShift, &dx, &dy);
    *x = 2.0 * (view.bitmapCentreX() + view.bitmapRadius() * dx);
    *y = 2.0 * (view.bitmapCentreY() - view.bitmapRadius() * dy);
    return cosC > 0;
}

double visibleSizeKm(const AtlasFeature& f)
{
    return isLinear(f.typeCode) ? 0.3 * f.diameterKm : f.diameterKm;
}

double apparentPixels(const AtlasFeature& f, const ViewGeometry& view)
{
    double dx, dy;
    const double cosC = projectOrthographic(f.latitude, f.longitude, view.latitudeTilt, view.longitudeShift, &dx, &dy);
    if (cosC <= 0)
        return 0;
    // A round feature shrinks to an ellipse with one axis cosC times the other:
    // its area is that of a circle sqrt(cosC) times as wide.
    return visibleSizeKm(f) / MoonRadiusKm * view.bitmapRadius() * std::sqrt(cosC);
}

void litRim(const AtlasFeature& f, const Sun& sun, double* latitude, double* longitude)
{
    *latitude = f.latitude;
    *longitude = f.longitude;
    if (isLinear(f.typeCode) || f.diameterKm <= 0)
        return;
    const Vec3 c = surfaceUp(f.latitude, f.longitude), s = surfaceUp(sun.latitude, sun.longitude);
    const Vec3 towardsSun = s - c * c.dot(s);
    const double length = std::sqrt(towardsSun.dot(towardsSun));
    if (length < 1e-9)
        return;   // the sun overhead: every side is lit alike
    const double r = 0.5 * f.diameterKm / MoonRadiusKm;
    const Vec3 rim = c * std::cos(r) + towardsSun * (std::sin(r) / length);
    *latitude = std::asin(std::clamp(rim.z, -1.0, 1.0)) * RadToDeg;
    *longitude = std::atan2(rim.y, rim.x) * RadToDeg;
}

QString markedName(const QString& name)
{
    return name + QStringLiteral(" *");
}

QList<AtlasFeature> chooseForView(const QList<AtlasFeature>& candidates, const ViewGeometry& view, const Sun* sun,
                                  int bitmapWidth, int bitmapHeight, const QSet<QString>& photographed,
                                  const QImage* picture)
{
    auto litNearby = [picture](double halfX, double halfY) {
        const int c = int(halfX / 2), r = int(halfY / 2);
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx)
                if (picture->rect().contains(c + dx, r + dy) && picture->constScanLine(r + dy)[c + dx] > 0)
                    return true;
        return false;
    };
    struct Ranked {
        AtlasFeature feature;
        double x, y;   // half-pixels
        double score;
    };
    QList<Ranked> ranked;
    const Vec3 s = sun ? surfaceUp(sun->latitude, sun->longitude) : Vec3{};
    for (const auto& c : candidates) {
        double x, y;
        if (!halfPixelPosition(view, c.latitude, c.longitude, &x, &y))
            continue;
        // A marker needs a pixel of the picture to stand on.
        if (x < 2 || y < 2 || x > 2.0 * bitmapWidth - 2 || y > 2.0 * bitmapHeight - 2)
            continue;
        // Half a degree of sun, so that nothing sits in the dark right at the
        // terminator: on the centre, or else on the lit rim where that is in view
        // (a sea's far shore may lie beyond the limb).
        auto lit = [&](double latitude, double longitude) {
            double px, py;
            return (!sun || s.dot(surfaceUp(latitude, longitude)) >= 0.009)
                   && halfPixelPosition(view, latitude, longitude, &px, &py) && (!picture || litNearby(px, py));
        };
        if (!lit(c.latitude, c.longitude)) {
            double rimLatitude, rimLongitude;
            if (!sun)
                continue;
            litRim(c, *sun, &rimLatitude, &rimLongitude);
            if (!lit(rimLatitude, rimLongitude))
                continue;
        }
        const bool landing = c.typeCode == QLatin1String("LS");
        double size = apparentPixels(c, view);
        if (!landing && !c.wellKnown && size < SmallestVisiblePixels)
            continue;
        Ranked r{c, x, y, 0};
        if (photographed.contains(plainName(c.name)))
            r.feature.name = markedName(c.name);
        if (landing) {
            r.score = HUGE_VAL;
        } else if (!sun && c.fullMoonSight) {
            r.score = FullMoonSightScore + size;
        } else {
            // A well-known name counts as at least visible, then thrice its
            // size: Linné and Censorinus are bright spots far larger than
            // their craters.
            if (c.wellKnown)
                size = 3 * std::max(size, SmallestVisiblePixels);
            r.score = hasPhotographMark(r.feature.name) ? 2 * size : size;
        }
        ranked.append(r);
    }
    // Landing sites keep the table's order; the rest by score, then by name so
    // that the result never depends on the sort.
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        if (a.score != b.score)
            return a.score > b.score;
        if (a.score == HUGE_VAL)
            return false;
        return a.feature.name < b.feature.name;
    });

    const int capacity = FeatureTableSize - FreeSlotsForUser;
    const double crowd = 2 * CrowdRadiusPixels;   // in half-pixels
    QList<AtlasFeature> out;
    QList<QPointF> placed;
    QList<int> neighbours;   // per placed marker, how many others lie within the crowd radius
    for (const auto& r : ranked) {
        if (out.size() >= capacity)
            break;
        QList<int> near;
        for (qsizetype i = 0; i < placed.size(); ++i)
            if (std::hypot(placed[i].x() - r.x, placed[i].y() - r.y) <= crowd)
                near.append(int(i));
        const bool crowded = near.size() >= MostMarkersInCrowd
                             || std::any_of(near.begin(), near.end(),
                                            [&](int i) { return neighbours[i] >= MostMarkersInCrowd - 1; });
        if (crowded)
            continue;
        for (int i : near)
            ++neighbours[i];
        placed.append(QPointF(r.x, r.y));
        neighbours.append(int(near.size()));
        out.append(r.feature);
    }
    return out;
}
