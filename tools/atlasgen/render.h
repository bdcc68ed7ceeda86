#pragma once
#include <QImage>
#include <functional>

#include "tools/atlasgen/surface.h"

// The subsolar point; on the Moon its latitude stays within 1.6 degrees.
struct Sun {
    double latitude = 0;
    double longitude = 0;
};

// Light falling on each point of the map grid for one sun: the Lambert term
// of the relief normal, times the cast shadow of the terrain towards the sun.
// Heights come from integrating the normals along each row of latitude; the
// shadow is cast along that row, which is exact on the terminator (where the
// sun stands due east or west) and where the sun is low.
class LightMap {
public:
    // Slopes are scaled by `shading` for the Lambert term and by `heights` for
    // the terrain that casts the shadows.
    LightMap(const NormalMap& normals, int width, int height, const Sun& sun, double shading, double heights,
             double latitudeMin = -90, double latitudeMax = 90);
    float sample(double latitude, double longitude) const { return grid_.sample(latitude, longitude); }

private:
    GreyMap grid_;
};

// Maps albedo to display grey: black and white points and a gamma.
struct Tone {
    float black = 0.f;
    float white = 1.f;
    float gamma = 1.f;
    float operator()(float albedo) const;
};
// Black and white points from the near side's albedo histogram.
Tone fitTone(const GreyMap& albedo);

// An orthographic picture of the sphere: disc centre and radius in picture
// pixels (continuous coordinates, pixel (c, r) covers [c, c+1) x [r, r+1)),
// seen from latitude B and longitude -L.
struct DiscFrame {
    int width = 0;
    int height = 0;
    double centreX = 0;
    double centreY = 0;
    double radius = 0;
    double B = 0;
    double L = 0;
};

// Brightness 0..1 of the surface point at (latitude, longitude).
using SurfaceBrightness = std::function<float(double latitude, double longitude)>;

// Renders the frame, supersampling each pixel; more samples where the limb
// squeezes the surface, so that nothing aliases there. Outside the disc: black.
QImage renderDisc(const DiscFrame& frame, const SurfaceBrightness& brightness, double sourceKmPerPixel);

// Picture columns and rows that hold any lit surface (brightness above 0).
QRect litBounds(const QImage& picture);
