#include "data/real48.h"

#include <cmath>
#include <limits>

namespace {
constexpr std::uint64_t kFractionScale = std::uint64_t(1) << 39;
constexpr std::uint64_t kFractionMask = kFractionScale - 1;
}

Real48 encodeReal48(double value)
{
    Real48 out{};
    if (value == 0.0 || std::isnan(value))
        return out;
    const bool negative = value < 0;
    double magnitude = std::fabs(value);
    if (std::isinf(magnitude))
        magnitude = std::numeric_limits<double>::max();

    int exp2 = 0;
    const double mantissa = std::frexp(magnitude, &exp2);   // [0.5, 1)
    int e = exp2 + 128;                                     // (2m) * 2^(e-129)
    // Ties away from zero, as the format's writers do.
    auto fraction = static_cast<std::uint64_t>(std::round((2.0 * mantissa - 1.0) * double(kFractionScale)));
    if (fraction == kFractionScale) {
        fraction = 0;
        ++e;
    }
    if (e <= 0)
        return out;                 // too small to represent: zero
    if (e > 255) {                  // too large: the largest representable magnitude
        e = 255;
        fraction = kFractionMask;
    }
    out[0] = static_cast<std::uint8_t>(e);
    std::uint64_t bits = fraction & kFractionMask;
    if (negative)
        bits |= std::uint64_t(1) << 39;
    for (int i = 0; i < 5; ++i)
        out[1 + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    return out;
}

double decodeReal48(const Real48& bytes)
{
    if (bytes[0] == 0)
        return 0.0;
    std::uint64_t bits = 0;
    for (int i = 0; i < 5; ++i)
        bits |= std::uint64_t(bytes[1 + i]) << (8 * i);
    const double magnitude = std::ldexp(1.0 + double(bits & kFractionMask) / double(kFractionScale), int(bytes[0]) - 129);
    return (bits >> 39) ? -magnitude : magnitude;
}
