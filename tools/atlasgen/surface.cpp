#include "tools/atlasgen/surface.h"

#include "tools/atlasgen/jpegio.h"

#include <QImage>
#include <algorithm>

Vec3 surfaceUp(double latitude, double longitude)
{
    const double p = latitude * DegToRad, l = longitude * DegToRad;
    return {std::cos(p) * std::cos(l), std::cos(p) * std::sin(l), std::sin(p)};
}

Vec3 surfaceEast(double longitude)
{
    const double l = longitude * DegToRad;
    return {-std::sin(l), std::cos(l), 0};
}

Vec3 surfaceNorth(double latitude, double longitude)
{
    const double p = latitude * DegToRad, l = longitude * DegToRad;
    return {-std::sin(p) * std::cos(l), -std::sin(p) * std::sin(l), std::cos(p)};
}

double GreyMap::columnOf(double longitude) const
{
    return (longitude + 180.0) / 360.0 * w_;
}

double GreyMap::rowOf(double latitude) const
{
    return (90.0 - latitude) / 180.0 * h_;
}

float GreyMap::sample(double latitude, double longitude) const
{
    const double fx = columnOf(longitude) - 0.5;
    const double fy = std::clamp(rowOf(latitude) - 0.5, 0.0, double(h_ - 1));
    const double x0f = std::floor(fx), y0f = std::floor(fy);
    const double tx = fx - x0f, ty = fy - y0f;
    int x0 = int(x0f) % w_;
    if (x0 < 0)
        x0 += w_;
    const int x1 = (x0 + 1) % w_;
    const int y0 = int(y0f), y1 = std::min(y0 + 1, h_ - 1);
    const double top = at(x0, y0) * (1 - tx) + at(x1, y0) * tx;
    const double bottom = at(x0, y1) * (1 - tx) + at(x1, y1) * tx;
    return float(top * (1 - ty) + bottom * ty);
}

bool NormalMap::load(const QString& pngFile)
{
    QImage image(pngFile);
    if (image.isNull())
        return false;
    image = image.convertToFormat(QImage::Format_RGB888);
    const int w = image.width(), h = image.height();
    east_ = GreyMap(w, h);
    north_ = GreyMap(w, h);
    up_ = GreyMap(w, h);
    for (int y = 0; y < h; ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            // Red grows eastward, green southward (image-down), blue upward.
            east_.at(x, y) = (line[3 * x] - 127.5f) / 127.5f;
            north_.at(x, y) = -(line[3 * x + 1] - 127.5f) / 127.5f;
            up_.at(x, y) = (line[3 * x + 2] - 127.5f) / 127.5f;
        }
    }
    return true;
}

void NormalMap::slopes(double latitude, double longitude, double exaggeration, double* east, double* north) const
{
    const double e = east_.sample(latitude, longitude);
    const double n = north_.sample(latitude, longitude);
    const double u = std::max(0.2, double(up_.sample(latitude, longitude)));
    *east = -exaggeration * e / u;
    *north = -exaggeration * n / u;
}

Vec3 NormalMap::sample(double latitude, double longitude, double exaggeration) const
{
    double se, sn;
    slopes(latitude, longitude, exaggeration, &se, &sn);
    return Vec3{-se, -sn, 1.0}.normalized();
}

bool loadAlbedo(const QString& jpegFile, GreyMap* map, QString* error)
{
    int w = 0, h = 0;
    std::vector<unsigned char> pixels;
    if (!readGreyJpeg(jpegFile, &pixels, &w, &h, error))
        return false;
    *map = GreyMap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            map->at(x, y) = pixels[std::size_t(y) * w + x] / 255.0f;
    return true;
}
