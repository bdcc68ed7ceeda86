#pragma once
#include <QChar>
#include <QString>
#include <cmath>

// Real screen coordinates become pixels by rounding to the nearest integer,
// halves to the even neighbour.
inline double roundHalfEven(double v) { return std::nearbyint(v); }

// A real as a 32-bit pixel coordinate: rounded half-even and clamped to a range
// that no drawing or sum of coordinates can overflow.
constexpr int PixelLimit = 1 << 24;
int toPixel(double v);

// A number written with at most `precision` significant digits and exactly
// `decimals` decimals (halves away from zero); a value with more integer digits
// than `precision` is written as mantissa, "E" and exponent ("1,235E5").
// The decimal symbol is the user's (a comma in Dutch settings).
QString numberText(double value, int precision, int decimals);
QString numberText(double value, int precision, int decimals, QChar decimalSymbol);
QChar decimalSymbol();

// A distance in kilometres: from 1 km on a whole number as numberText writes
// it with `precision` significant digits; below 1 km up to three significant
// digits ("0,5", "0,123").
QString distanceText(double km, int precision);
