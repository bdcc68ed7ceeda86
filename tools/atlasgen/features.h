#pragma once
#include <QImage>
#include <QList>
#include <QSet>
#include <QString>

#include "tools/atlasgen/gazetteer.h"
#include "tools/atlasgen/render.h"

struct ViewGeometry;

// A feature as the atlas uses it: the stored name and where it lies.
struct AtlasFeature {
    QString name;          // Windows-1252-safe, one word for craters
    QString typeCode;      // gazetteer code, "LS" for a landing site
    double latitude = 0;
    double longitude = 0;
    double diameterKm = 0;   // length for rilles, ridges, chains, valleys and scarps
    bool wellKnown = false;
    bool fullMoonSight = false;   // bright rays or floor: always in the full-moon index
    bool impact = false;     // a landing site where a craft struck the surface
};

// Slots a view's index leaves empty for the user's own features.
constexpr int FreeSlotsForUser = 100;
// A marker this close to three others (bitmap pixels) would make a blot.
constexpr double CrowdRadiusPixels = 3.0;
constexpr int MostMarkersInCrowd = 3;
// Smaller than this in the view's image, a feature cannot be seen there.
constexpr double SmallestVisiblePixels = 3.0;

// Every feature the atlas may show: the landing sites, then the gazetteer's
// craters and named areas and relief, largest first. Satellite craters
// ("Copernicus A") are left out.
QList<AtlasFeature> atlasCandidates(const QList<GazetteerEntry>& gazetteer, QStringList* notes);

// Position of a surface point on a view bitmap, in half-pixels; false when it
// lies on the far side.
bool halfPixelPosition(const ViewGeometry& view, double latitude, double longitude, double* x, double* y);

// The size by which a feature is seen, in km: its diameter, or for long,
// narrow features a fraction of their length.
double visibleSizeKm(const AtlasFeature& f);

// How large a feature looks in a view, in bitmap pixels: its visible size at
// the view's scale, shrunk by the foreshortening towards the limb.
double apparentPixels(const AtlasFeature& f, const ViewGeometry& view);

// Where a feature catches the light first: its centre moved towards the sun by
// its radius, so that a crater whose floor is still dark is judged by its
// sunlit wall. Long, narrow features keep their centre.
void litRim(const AtlasFeature& f, const Sun& sun, double* latitude, double* longitude);

// The index of one view, at most FeatureTableSize - FreeSlotsForUser features:
// on the visible side, inside the bitmap, and with its lit rim at least half a
// degree into the day; the landing sites first, at full moon the bright-rayed
// craters next, then by apparent size with a bonus for well-known names and
// for a photograph; nothing smaller than SmallestVisiblePixels unless a landing
// site or well known, and never more than MostMarkersInCrowd markers within
// CrowdRadiusPixels of one another. Names of features with a photograph (by
// plain name) get " *". With the view's picture, the lit rim must also have a
// lit pixel within 4 pixels, so that none sits in a shadow near the terminator.
QList<AtlasFeature> chooseForView(const QList<AtlasFeature>& candidates, const ViewGeometry& view, const Sun* sun,
                                  int bitmapWidth, int bitmapHeight, const QSet<QString>& photographed,
                                  const QImage* picture = nullptr);

// The name with the photograph mark.
QString markedName(const QString& name);
