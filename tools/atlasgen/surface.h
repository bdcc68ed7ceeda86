#pragma once
#include <QString>
#include <cmath>
#include <vector>

// The Moon's surface as the source maps give it: an albedo mosaic and a map of
// surface normals, both equirectangular with longitude 0 in the middle.

constexpr double MoonRadiusKm = 1737.4;
constexpr double DegToRad = 0.017453292519943295;
constexpr double RadToDeg = 57.29577951308232;

struct Vec3 {
    double x = 0, y = 0, z = 0;
    Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator*(double s) const { return {x * s, y * s, z * s}; }
    double dot(const Vec3& o) const { return x * o.x + y * o.y + z * o.z; }
    Vec3 normalized() const
    {
        const double n = std::sqrt(dot(*this));
        return n > 0 ? *this * (1.0 / n) : *this;
    }
};

// Selenocentric unit vectors: x towards (0, 0), y towards (0, 90 E), z north.
Vec3 surfaceUp(double latitude, double longitude);
Vec3 surfaceEast(double longitude);
Vec3 surfaceNorth(double latitude, double longitude);

// A grey equirectangular map sampled with wrap-around in longitude.
class GreyMap {
public:
    GreyMap() = default;
    GreyMap(int width, int height) : w_(width), h_(height), v_(std::size_t(width) * height, 0.f) {}
    int width() const { return w_; }
    int height() const { return h_; }
    float& at(int x, int y) { return v_[std::size_t(y) * w_ + x]; }
    float at(int x, int y) const { return v_[std::size_t(y) * w_ + x]; }
    // Bilinear; pixel centres lie at half-integer map coordinates.
    float sample(double latitude, double longitude) const;
    // Map column and row of a point (continuous, pixel centres at .5).
    double columnOf(double longitude) const;
    double rowOf(double latitude) const;
    double kmPerPixel() const { return 2 * M_PI * MoonRadiusKm / w_; }

private:
    int w_ = 0, h_ = 0;
    std::vector<float> v_;
};

// Surface normals as (east, north, up) components, for relief shading. The
// map's slopes are scaled by `exaggeration` (1 keeps them as stored).
class NormalMap {
public:
    bool load(const QString& pngFile);
    // Unit normal in the local frame (east, north, up).
    Vec3 sample(double latitude, double longitude, double exaggeration) const;
    // Height change per km along the surface, eastward and northward.
    void slopes(double latitude, double longitude, double exaggeration, double* east, double* north) const;

private:
    GreyMap east_, north_, up_;
};

// The albedo mosaic, read as luminance.
bool loadAlbedo(const QString& jpegFile, GreyMap* map, QString* error);
