#pragma once
#include <array>
#include <cstdint>

// The 6-byte real of the index files: byte 0 is the exponent (bias 129, 0 means
// zero), bytes 1..5 a 39-bit fraction and the sign in the top bit.
using Real48 = std::array<std::uint8_t, 6>;

Real48 encodeReal48(double value);
double decodeReal48(const Real48& bytes);

// The value as the 6-byte real would hold it.
inline double toReal48Precision(double value) { return decodeReal48(encodeReal48(value)); }
