#pragma once
#include <QPoint>
#include <QPointF>
#include <QString>
#include <vector>

#include "astro/atlassheets.h"
#include "astro/overlay.h"

// The index map of the printed atlas: where its Moon disc lies in the viewer,
// the selenographic grid over it and the coordinates of a pressed point.

constexpr int AtlasDiscCentreX = atlassheets::DiscCentreX;
constexpr int AtlasDiscCentreY = atlassheets::DiscCentreY;
constexpr int AtlasDiscRadius = atlassheets::DiscRadius;

// Where the index picture lies in the viewer: screen pixels per picture pixel
// and the client position of the picture's top-left corner.
struct AtlasPlacement {
    double scale = 0.5;
    int originX = 0;
    int originY = 0;
};

// The disc on the screen. The radius is 259 or 518 at the viewer's two sizes.
struct AtlasDisc {
    int centreX = 0;
    int centreY = 0;
    double radius = 0;
};
AtlasDisc atlasDisc(const AtlasPlacement& placement);

// Parallels every 10 degrees as straight lines and meridians every 10 degrees
// as half-ellipses through the poles: the Moon seen straight on. The equator
// and the central meridian are drawn last, in red.
struct AtlasGrid {
    std::vector<LineSpec> parallels;
    std::vector<ArcSpec> meridians;   // the 0-degree one red
    LineSpec equator;
    LineSpec centralMeridian;
};
AtlasGrid atlasGrid(int centreX, int centreY, int radius);

struct AtlasReadout {
    bool onDisc = false;
    double latitude = 0;    // degrees, north positive
    double longitude = 0;   // degrees, east positive
};
// The selenographic position under client point (x, y); off the disc (its
// rim included) gives onDisc false.
AtlasReadout atlasReadout(const AtlasDisc& disc, int x, int y);
// «12°N 30°W»: latitude to the nearest degree (halves to even), longitude to
// the nearest degree.
QString atlasReadoutText(const AtlasReadout& readout);

// The picture point under client point (x, y).
QPointF atlasPicturePoint(const AtlasPlacement& placement, double x, double y);
// The picture origin that puts picture point `picturePoint` under client point
// (x, y) at `scale`, rounded half-even.
QPoint atlasOriginPlacing(const QPointF& picturePoint, double x, double y, double scale);
