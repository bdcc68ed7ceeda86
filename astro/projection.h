#pragma once
#include <QString>

// Where the Moon's disc lies in each view image, and how it is seen: from
// sub-observer latitude B and sub-observer longitude -L.
struct ViewGeometry {
    const char* imageFileName;
    double centreX;          // half-pixels of the bitmap
    double centreY;
    double radiusConstant;   // half the disc radius in bitmap pixels
    double latitudeTilt;     // B, degrees
    double longitudeShift;   // L, degrees

    double bitmapCentreX() const { return centreX * 0.5; }
    double bitmapCentreY() const { return centreY * 0.5; }
    double bitmapRadius() const { return radiusConstant * 2.0; }
};

// The three views, first quarter, full moon, last quarter.
const ViewGeometry* viewGeometries();
constexpr int ViewCount = 3;
// Exact, case-sensitive match on the image file name; null when none matches.
const ViewGeometry* viewGeometryFor(const QString& imageFileName);

// Orthographic projection of a point of the sphere (degrees) onto the unit disc
// seen from latitude B and longitude -L: x east (right), y north (up). Returns
// cos of the angular distance from the disc centre; negative on the far side.
double projectOrthographic(double latitude, double longitude, double B, double L, double* x, double* y);

// The same projection from the sines and cosines of the latitude, of the
// longitude measured from the centre longitude -L, and of B: for callers that
// follow a line of constant latitude or longitude and keep one of them.
inline double projectOrthographic(double sinLat, double cosLat, double sinDLon, double cosDLon, double sinB,
                                  double cosB, double* x, double* y)
{
    *x = cosLat * sinDLon;
    *y = cosB * sinLat - sinB * cosLat * cosDLon;
    return sinB * sinLat + cosB * cosLat * cosDLon;
}

// The inverse, for a point (x east, y north) of the unit disc. False outside
// the disc (distance from the centre greater than 1).
bool unprojectOrthographic(double x, double y, double B, double L, double* latitude, double* longitude);

// Lengths on the sphere covered by a unit length on the disc at (x, y), along
// the screen's horizontal and vertical: the orthographic foreshortening.
// Both are 1 at the centre; they grow without bound towards the limb.
void orthographicStretch(double x, double y, double* horizontal, double* vertical);
