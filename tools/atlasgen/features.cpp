#include "tools/atlasgen/features.h"

#include "astro/projection.h"
#include "data/featurenames.h"
#include "data/featuretable.h"
#include "tools/atlasgen/landings.h"

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
}

QList<AtlasFeature> atlasCandidates(const QList<GazetteerEntry>& gazetteer, QStringList* notes)
{
    QList<AtlasFeature> areas, craters, landings;
    QSet<QString> seen;
    for (const auto& e : gazetteer) {
        const bool crater = e.typeCode == QLatin1String("AA");
        if (!crater && !isRequiredKind(e.typeCode))
            continue;
        AtlasFeature f;
        f.name = atlasName(e.iauName, crater);
        f.typeCode = e.typeCode;
        f.latitude = e.latitude;
        f.longitude = e.longitude;
        f.diameterKm = e.diameterKm;
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
        f.rank = crater ? 2 : 0;
        (crater ? craters : areas).append(f);
    }
    for (const auto& s : landingSites()) {
        AtlasFeature f;
        f.name = QString::fromUtf8(s.name);
        f.typeCode = QStringLiteral("LS");
        f.latitude = s.latitude;
        f.longitude = s.longitude;
        f.rank = 1;
        landings.append(f);
    }
    auto byDiameter = [](const AtlasFeature& a, const AtlasFeature& b) {
        if (a.diameterKm != b.diameterKm)
            return a.diameterKm > b.diameterKm;
        return a.name < b.name;
    };
    std::sort(areas.begin(), areas.end(), byDiameter);
    std::sort(craters.begin(), craters.end(), byDiameter);
    return areas + landings + craters;
}

bool halfPixelPosition(const ViewGeometry& view, double latitude, double longitude, double* x, double* y)
{
    double dx, dy;
    const double cosC = projectOrthographic(latitude, longitude, view.latitudeTilt, view.longitudeShift, &dx, &dy);
    *x = 2.0 * (view.bitmapCentreX() + view.bitmapRadius() * dx);
    *y = 2.0 * (view.bitmapCentreY() - view.bitmapRadius() * dy);
    return cosC > 0;
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
    QList<AtlasFeature> out;
    const Vec3 s = sun ? surfaceUp(sun->latitude, sun->longitude) : Vec3{};
    for (const auto& c : candidates) {
        double x, y;
        if (!halfPixelPosition(view, c.latitude, c.longitude, &x, &y))
            continue;
        // A marker needs a pixel of the picture to stand on.
        if (x < 2 || y < 2 || x > 2.0 * bitmapWidth - 2 || y > 2.0 * bitmapHeight - 2)
            continue;
        // Half a degree of sun, so that nothing sits in the dark right at the
        // terminator.
        if (sun && s.dot(surfaceUp(c.latitude, c.longitude)) < 0.009)
            continue;
        if (picture && !litNearby(x, y))
            continue;
        AtlasFeature f = c;
        if (photographed.contains(plainName(c.name)))
            f.name = markedName(c.name);
        out.append(f);
    }
    // Over the limit: the smallest craters go, but never one with a photograph.
    for (qsizetype i = out.size() - 1; i >= 0 && out.size() > FeatureTableSize; --i)
        if (out[i].rank == 2 && !hasPhotographMark(out[i].name))
            out.removeAt(i);
    while (out.size() > FeatureTableSize)
        out.removeLast();
    return out;
}
