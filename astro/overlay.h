#pragma once
#include <QPoint>
#include <QRect>
#include <QString>
#include <vector>

// Where the current view's image lies on the window.
struct ViewPlacement {
    double zoomFactor = 0.5;     // screen pixels per bitmap pixel
    int originX = 0;             // client position of the image's top-left corner
    int originY = 0;
    int bitmapWidth = 0;
    int bitmapHeight = 0;
    bool rotated180 = false;
};

// The client point of a feature at (posX, posY) half-pixels, normal or turned,
// rounded half-even and clamped to a safe pixel range.
QPoint featureScreenPoint(const ViewPlacement& v, double posX, double posY);
// The inverse: client point to half-pixels of the bitmap, normal or turned.
void screenToHalfPixels(const ViewPlacement& v, int x, int y, double* posX, double* posY);

// The disc of the current view on the window.
struct DiscGeometry {
    int centreX = 0;
    int centreY = 0;
    int radius = 0;
    double latitudeTilt = 0;     // B
    double longitudeShift = 0;   // L
};
// Recomputes the disc for the view named by imageFileName; an unknown name
// leaves `disc` as it was.
void rastercorrectie(const QString& imageFileName, const ViewPlacement& v, DiscGeometry* disc);

// An elliptic arc as the canvas draws it: a box and two direction points.
struct ArcSpec {
    int x1, y1, x2, y2;          // box
    int x3, y3, x4, y4;          // from the ray towards (x3, y3) to the ray towards (x4, y4)
    bool red = false;            // equator and central meridian
};
struct LineSpec {
    int x1, y1, x2, y2;
    bool red = false;
};
struct GridFigure {
    std::vector<ArcSpec> arcs;
    std::vector<LineSpec> lines;
};

// A line of the coordinate grid as drawn: client points joined by straight
// segments. A grid line that leaves the near side or the visible area goes on
// in another polyline.
struct GridPolyline {
    std::vector<QPoint> points;
    bool red = false;            // equator and 0-degree meridian
};
// The parallels from 80 S to 80 N and the meridians from 90 W to 90 E, every
// 10 degrees, as the exact orthographic projection of the view: the one the
// read-out inverts, so a press on a drawn line reads that line's value. Only
// their near side, and only the parts that reach into `visible`; each segment
// strays less than half a pixel from the true line.
std::vector<GridPolyline> gridLines(const DiscGeometry& disc, const QRect& visible);

// The terminator for elongation E: half an ellipse from pole to pole.
ArcSpec terminatorArc(int cx, int cy, int R, double E);

// Kilometres on the Moon that one screen pixel covers at the centre of the
// disc, at this zoom: the figure the local scale starts from.
double kmPerScreenPixel(double zoomFactor);

// The coordinate read-out at a client point: the exact inverse of the view's
// orthographic projection, and the local scale of the 32-pixel pointer arms.
struct Readout {
    bool onDisc = false;
    double latitude = 0;
    double longitude = 0;
    double horizontalKm = 0;
    double verticalKm = 0;
};
Readout coordinateReadout(const DiscGeometry& disc, double zoomFactor, int x, int y);
// «1°S 5°W»
QString coordinateText(double latitude, double longitude);
QString horizontalScaleText(double km);
QString verticalScaleText(double km);

// The phase figure's case: 0 new moon (less than half a percent lit), 1 waxing
// crescent, 2 waxing gibbous, 3 waning gibbous, 4 waning crescent.
int phaseFigureCase(double E);
