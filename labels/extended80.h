#pragma once
// The 10-byte x87 extended-precision float that label files and the template catalogue
// store, converted bit by bit so the result never depends on what long double is on the
// machine that builds the program.
//
// Layout, little-endian: bytes 0..7 the 64-bit significand with its explicit integer bit,
// bytes 8..9 the 15-bit biased exponent (bias 16383) with the sign in the top bit.

#include <array>
#include <cstdint>

using Extended80 = std::array<std::uint8_t, 10>;

// Exact: every double has an extended value of the same magnitude.
Extended80 DoubleToExtended(double value);

// Rounds to the nearest double (ties to even); values beyond the double range become
// infinities or zeros, subnormal doubles are produced where needed.
double ExtendedToDouble(const Extended80& bytes);
