#include "astro/projection.h"

#include <cmath>

namespace {
constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;

const ViewGeometry kViews[ViewCount] = {
    {"maan_ek.bmp", 373, 1170, 267, -0.8, -4.5},
    {"maan_vm.bmp", 1144, 1090, 268, -1.0, 4.8},
    {"maan_lk.bmp", 1310, 1230, 269, -1.5, -7.9},
};
}

const ViewGeometry* viewGeometries() { return kViews; }

const ViewGeometry* viewGeometryFor(const QString& imageFileName)
{
    for (const auto& v : kViews)
        if (imageFileName == QLatin1String(v.imageFileName))
            return &v;
    return nullptr;
}

double projectOrthographic(double latitude, double longitude, double B, double L, double* x, double* y)
{
    const double phi = latitude * kDegToRad;
    const double dLambda = (longitude + L) * kDegToRad;   // centre longitude is -L
    const double b = B * kDegToRad;
    return projectOrthographic(std::sin(phi), std::cos(phi), std::sin(dLambda), std::cos(dLambda), std::sin(b),
                               std::cos(b), x, y);
}

bool unprojectOrthographic(double x, double y, double B, double L, double* latitude, double* longitude)
{
    const double rho = std::hypot(x, y);
    if (!(rho <= 1.0))
        return false;
    const double b = B * kDegToRad;
    if (rho == 0.0) {
        *latitude = B;
        *longitude = -L;
        return true;
    }
    const double sinC = rho;
    const double cosC = std::sqrt(std::max(0.0, 1.0 - rho * rho));
    const double s = std::clamp(cosC * std::sin(b) + y * sinC * std::cos(b) / rho, -1.0, 1.0);
    *latitude = std::asin(s) * kRadToDeg;
    double lon = -L + std::atan2(x * sinC, rho * cosC * std::cos(b) - y * sinC * std::sin(b)) * kRadToDeg;
    if (lon > 180.0)
        lon -= 360.0;
    else if (lon <= -180.0)
        lon += 360.0;
    *longitude = lon;
    return true;
}

void orthographicStretch(double x, double y, double* horizontal, double* vertical)
{
    const double rho2 = x * x + y * y;
    if (rho2 == 0.0) {
        *horizontal = *vertical = 1.0;
        return;
    }
    const double cos2c = 1.0 - rho2;
    if (cos2c <= 0.0) {
        // On the limb only the radial direction is foreshortened without bound;
        // along the limb a length keeps its size.
        *horizontal = x == 0.0 ? 1.0 : HUGE_VAL;
        *vertical = y == 0.0 ? 1.0 : HUGE_VAL;
        return;
    }
    *horizontal = std::sqrt((x * x / cos2c + y * y) / rho2);
    *vertical = std::sqrt((y * y / cos2c + x * x) / rho2);
}
