#include "tools/atlasgen/render.h"

#include "astro/projection.h"

#include <algorithm>
#include <thread>

namespace {
// Runs body(row) for every row on two threads; rows are independent, so the
// result does not depend on the split.
void forEachRow(int rows, const std::function<void(int)>& body)
{
    std::thread other([&] {
        for (int y = 1; y < rows; y += 2)
            body(y);
    });
    for (int y = 0; y < rows; y += 2)
        body(y);
    other.join();
}
}

LightMap::LightMap(const NormalMap& normals, int width, int height, const Sun& sun, double shading, double heights,
                   double latitudeMin, double latitudeMax)
    : grid_(width, height)
{
    const Vec3 s = surfaceUp(sun.latitude, sun.longitude);
    const int first = std::clamp(int(std::floor(grid_.rowOf(latitudeMax))) - 2, 0, height - 1);
    const int last = std::clamp(int(std::ceil(grid_.rowOf(latitudeMin))) + 2, 0, height - 1);
    int subsolar = int(std::floor(grid_.columnOf(sun.longitude))) % width;
    if (subsolar < 0)
        subsolar += width;
    const double penumbraKm = 0.15;

    forEachRow(last - first + 1, [&](int r) {
        const int y = first + r;
        const double lat = 90.0 - (y + 0.5) * 180.0 / height;
        const double dx = grid_.kmPerPixel() * std::cos(lat * DegToRad);
        const std::size_t n = std::size_t(width);
        std::vector<float> lambert(n), slope(n), sunEast(n), sunUp(n);
        for (int x = 0; x < width; ++x) {
            const double lon = (x + 0.5) * 360.0 / width - 180.0;
            double se, sn;
            normals.slopes(lat, lon, shading, &se, &sn);
            const Vec3 up = surfaceUp(lat, lon), east = surfaceEast(lon), north = surfaceNorth(lat, lon);
            const Vec3 n = (east * -se + north * -sn + up).normalized();
            lambert[std::size_t(x)] = float(std::max(0.0, n.dot(s)));
            slope[std::size_t(x)] = float(se * heights / shading);
            sunEast[std::size_t(x)] = float(s.dot(east));
            sunUp[std::size_t(x)] = float(s.dot(up));
        }
        // Around a whole circle of latitude the heights must close; the map's
        // slopes carry a small bias that would otherwise tilt the terrain.
        double bias = 0;
        for (float v : slope)
            bias += v;
        bias /= width;
        for (float& v : slope)
            v -= float(bias);
        // Walk away from the subsolar point, westward and then eastward,
        // carrying the grazing line over the highest obstacle met so far.
        for (int direction : {-1, +1}) {
            double line = -1e9, h = 0;
            for (int k = 0; k < width / 2; ++k) {
                int x = (subsolar + direction * (k + (direction > 0 ? 1 : 0))) % width;
                if (x < 0)
                    x += width;
                const std::size_t i = std::size_t(x);
                const double towardsSun = -direction * sunEast[i];   // horizontal sun component along the walk, reversed
                const double tanElevation = std::clamp(sunUp[i] / std::max(1e-3, towardsSun), -5.0, 50.0);
                h += direction * slope[i] * dx;
                line -= dx * tanElevation;
                const double depth = line - h;
                const double lit = depth <= 0 ? 1.0 : std::max(0.0, 1.0 - depth / penumbraKm);
                line = std::max(line, h);
                grid_.at(x, y) = float(lambert[i] * lit);
            }
        }
    });
}

float Tone::operator()(float albedo) const
{
    const float t = std::clamp((albedo - black) / (white - black), 0.f, 1.f);
    return std::pow(t, gamma);
}

Tone fitTone(const GreyMap& albedo)
{
    // Histogram of the near side (longitudes -90..90), weighted by area.
    std::vector<double> histogram(1024, 0.0);
    double total = 0;
    for (int y = 0; y < albedo.height(); ++y) {
        const double lat = 90.0 - (y + 0.5) * 180.0 / albedo.height();
        const double weight = std::cos(lat * DegToRad);
        for (int x = albedo.width() / 4; x < 3 * albedo.width() / 4; ++x) {
            histogram[std::size_t(std::clamp(int(albedo.at(x, y) * 1023.f), 0, 1023))] += weight;
            total += weight;
        }
    }
    auto percentile = [&](double p) {
        double sum = 0;
        for (int i = 0; i < 1024; ++i) {
            sum += histogram[std::size_t(i)];
            if (sum >= p * total)
                return float(i / 1023.0);
        }
        return 1.f;
    };
    Tone tone;
    const float low = percentile(0.005), high = percentile(0.998);
    // Dark maria keep some grey; the brightest rays just reach white.
    tone.black = low - 0.35f * (high - low);
    tone.white = high;
    tone.gamma = 1.25f;
    return tone;
}

QImage renderDisc(const DiscFrame& f, const SurfaceBrightness& brightness, double sourceKmPerPixel)
{
    QImage out(f.width, f.height, QImage::Format_Grayscale8);
    const double kmPerPixel = MoonRadiusKm / f.radius;
    forEachRow(f.height, [&](int row) {
        uchar* line = out.scanLine(row);
        for (int col = 0; col < f.width; ++col) {
            const double cx = (col + 0.5 - f.centreX) / f.radius;
            const double cy = (f.centreY - row - 0.5) / f.radius;
            const double rho = std::hypot(cx, cy);
            if (rho > 1.0 + 1.5 / f.radius) {
                line[col] = 0;
                continue;
            }
            // Samples per pixel side: enough for the footprint on the map.
            double stretchH = 1, stretchV = 1;
            const double inside = rho > 0.9999 ? 0.9999 / rho : 1.0;
            orthographicStretch(cx * inside, cy * inside, &stretchH, &stretchV);
            const double footprint = std::max(stretchH, stretchV) * kmPerPixel / sourceKmPerPixel;
            const int n = std::clamp(int(std::ceil(footprint * 1.5)), 2, 8);
            double sum = 0;
            for (int j = 0; j < n; ++j) {
                for (int i = 0; i < n; ++i) {
                    const double x = (col + (i + 0.5) / n - f.centreX) / f.radius;
                    const double y = (f.centreY - row - (j + 0.5) / n) / f.radius;
                    double lat, lon;
                    if (!unprojectOrthographic(x, y, f.B, f.L, &lat, &lon))
                        continue;
                    sum += brightness(lat, lon);
                }
            }
            line[col] = uchar(std::clamp(int(std::lround(255.0 * sum / (n * n))), 0, 255));
        }
    });
    return out;
}

QRect litBounds(const QImage& picture)
{
    int left = picture.width(), right = -1, top = picture.height(), bottom = -1;
    for (int y = 0; y < picture.height(); ++y) {
        const uchar* line = picture.constScanLine(y);
        for (int x = 0; x < picture.width(); ++x) {
            if (line[x] > 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}
