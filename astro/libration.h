#pragma once
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "astro/overlay.h"

// The three libration demonstrations: the Moon on its elliptical orbit seen
// from above the poles, the nodding Moon on an obliquely seen circular orbit,
// and the grid of the Moon's face under a chosen libration.

// --- Libration in longitude --------------------------------------------------

struct LongitudeModel {
    double baanas = 250;            // semi-major axis of the drawn orbit, pixels
    double excentriciteit = 0.046;
    double omlooptijd = 27.55455;   // anomalistic month, days
};

constexpr int OrbitSteps = 72;      // steps 0 .. 71; entry 72 closes the orbit

struct OrbitEntry {
    int x = 0;                      // screen point of the Moon's centre
    int y = 0;
    double baanhoek = 0;            // direction from the drawn Earth, radians in (-pi, pi]
    double afstand = 0;             // Earth-Moon distance, km
};
using OrbitTable = std::array<OrbitEntry, OrbitSteps + 1>;

// E - e sin E = M by Newton's method from E = 0, until a step is below 0.001.
double solveKepler(double meanAnomaly, double eccentricity);
// The orbit for the drawing centre (middenx, middeny); step 0 is perigee, to the right.
OrbitTable maakMaanbaan(const LongitudeModel& model, int middenx, int middeny);
// The Earth's distance right of the orbit's focus: a e rounded as the exact
// product of the two stored values (11 for 250 and 0.046, whose double lies a
// hair below 0.046).
int earthOffset(const LongitudeModel& model);
// The Moon's rotation marker at step `stap`: a diameter fixed to its body.
LineSpec rotationMarker(int x, int y, int stap);

struct LongitudeReading {
    double days = 0;                // after new moon (perigee)
    double rotation = 0;            // about its axis, degrees
    double displacement = 0;        // along its orbit, degrees
    double libration = 0;           // libratiehoek, degrees
    double distance = 0;            // km
};
LongitudeReading longitudeReading(const LongitudeModel& model, const OrbitTable& table, int stap);
// The six lines of the information panel: days, rotation, displacement,
// libration, the sentence on which limb shows more, and the distance.
QStringList longitudeLines(const LongitudeReading& reading);

// --- Libration in latitude ---------------------------------------------------

struct PolyPoint {
    int x = 0;
    int y = 0;
    bool draw = true;               // false: the pen only moves to this point
};

// The oblique view: T degrees between the line of sight and the orbit plane.
struct ObliqueView {
    explicit ObliqueView(int kijkhoek);
    double sinT;
    double cosT;
    // (p, q, r) from a centre: p right, q along the orbit's normal, r towards the viewer.
    PolyPoint project(int X, int Y, double p, double q, double r) const;
    double facing(double q, double r) const { return r * cosT + q * sinT; }
};

constexpr double LatitudeOrbitRadius = 200;
constexpr double LatitudeMoonRadius = 50;
constexpr double MoonAxisElevation = 83.5;   // degrees above the orbit plane

struct LatitudeState {
    double phi = 0;                 // orbital angle, radians
    int moonX = 0;                  // screen point of the Moon's centre
    int moonY = 0;
    double poleTilt = 0;            // b, degrees: >= 0 the north pole is turned to the Earth
};
// The Moon for the Earth at (centrumx, centrumy); the drawn Moon goes round
// twice in 27.32 days of the counter.
LatitudeState latitudeState(double dagen, int kijkhoek, int centrumx, int centrumy);

// 36-sided polygon of the orbit around the Earth at (cx, cy); 37 points.
std::vector<PolyPoint> orbitPolygon(int cx, int cy, int kijkhoek);
// The parallel of latitude B on a sphere of radius R at (X, Y) whose axis
// stands A degrees above the orbit plane, leaning left; its far side hidden.
std::vector<PolyPoint> parallelCircle(int X, int Y, double R, double A, double B, int kijkhoek);
// The great circle through the orbit's normal and the horizontal direction
// alpha; drawn up to 15 pixels past the visible rim.
std::vector<PolyPoint> azimuthCircle(int X, int Y, double R, double alpha, int kijkhoek);
// The Moon's axis from its north pole to 50 pixels beyond it.
LineSpec moonAxis(int X, int Y, double R, double A, int kijkhoek);

// The arrow keys: the day counter in tenths within -10 .. 60, kept on whole
// tenths so that going back and forth returns to the same figure; the viewing
// angle in whole degrees within 0 .. 85.
double stepDays(double dagen, int tenths);
int stepViewingAngle(int kijkhoek, int degrees);

// Label1, Label2, Label3 of the window.
QString viewingAngleLine(int kijkhoek);
QString poleLine(double poleTilt);
QString daysLine(double dagen);

// --- The Moon's face under libration -----------------------------------------

// Parallels and meridians every 10 degrees on the disc of radius Rw at (xc, yc)
// seen under libration B in latitude and L in longitude: near halves of flat
// ellipses, with straight parallels while |B| < 1. A teaching picture, not the
// exact projection of the main window's grid.
GridFigure librationGridFigure(int xc, int yc, int Rw, double B, double L);

// One arrow press: half a degree, held within -limit .. limit.
double stepLibration(double value, double delta, double limit);
constexpr double LongitudeLibrationLimit = 8;
constexpr double LatitudeLibrationLimit = 7;

// «De Libratie is nu 0,0° in breedte en 0,0° in lengte. ***  Wijzig dit met de pijltoetsen. *** »
QString librationStatusLine(double B, double L);
