#include "labels/extended80.h"

#include <bit>

namespace {

constexpr int kDoubleBias = 1023;
constexpr int kExtendedBias = 16383;
constexpr std::uint64_t kFractionMask = (std::uint64_t(1) << 52) - 1;
constexpr std::uint64_t kIntegerBit = std::uint64_t(1) << 63;

Extended80 Pack(bool negative, int biasedExponent, std::uint64_t significand)
{
    Extended80 bytes{};
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<std::uint8_t>(significand >> (8 * i));
    const unsigned top = (negative ? 0x8000u : 0u) | (static_cast<unsigned>(biasedExponent) & 0x7FFFu);
    bytes[8] = static_cast<std::uint8_t>(top);
    bytes[9] = static_cast<std::uint8_t>(top >> 8);
    return bytes;
}

double FromBits(std::uint64_t bits)
{
    return std::bit_cast<double>(bits);
}

// Drops the lowest `shift` bits (1..64) of a significand, rounding to nearest, ties to even.
std::uint64_t ShiftRounded(std::uint64_t significand, int shift)
{
    if (shift == 64) {
        const std::uint64_t half = kIntegerBit;
        return significand > half ? 1 : 0;
    }
    const std::uint64_t kept = significand >> shift;
    const std::uint64_t rest = significand & ((std::uint64_t(1) << shift) - 1);
    const std::uint64_t half = std::uint64_t(1) << (shift - 1);
    return kept + ((rest > half || (rest == half && (kept & 1))) ? 1 : 0);
}

} // namespace

Extended80 DoubleToExtended(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & kFractionMask;

    if (exponent == 0x7FF) {
        // Infinity keeps only the integer bit; a NaN stays a quiet NaN with its payload.
        const std::uint64_t significand =
            fraction == 0 ? kIntegerBit : kIntegerBit | (std::uint64_t(1) << 62) | (fraction << 11);
        return Pack(negative, 0x7FFF, significand);
    }
    if (exponent == 0) {
        if (fraction == 0)
            return Pack(negative, 0, 0);
        // A subnormal double is a normal extended number: move its top bit to bit 63.
        const int lead = std::countl_zero(fraction);
        const int unbiased = 1 - kDoubleBias - 52 + 63 - lead;
        return Pack(negative, unbiased + kExtendedBias, fraction << lead);
    }
    return Pack(negative, exponent - kDoubleBias + kExtendedBias, kIntegerBit | (fraction << 11));
}

double ExtendedToDouble(const Extended80& bytes)
{
    std::uint64_t significand = 0;
    for (int i = 7; i >= 0; --i)
        significand = (significand << 8) | bytes[i];
    const unsigned top = bytes[8] | (unsigned(bytes[9]) << 8);
    const bool negative = (top & 0x8000u) != 0;
    const int exponent = static_cast<int>(top & 0x7FFFu);
    const std::uint64_t sign = negative ? std::uint64_t(1) << 63 : 0;

    if (exponent == 0x7FFF) {
        // Only a significand of the integer bit alone is an infinity; the rest are NaNs.
        if ((significand << 1) == 0)
            return FromBits(sign | (std::uint64_t(0x7FF) << 52));
        return FromBits(sign | (std::uint64_t(0x7FF) << 52) | (std::uint64_t(1) << 51) | ((significand << 1) >> 12));
    }
    if (significand == 0)
        return FromBits(sign);

    // value = significand * 2^(scale); exponent 0 scales like exponent 1 (denormals).
    const int scale = (exponent == 0 ? 1 : exponent) - kExtendedBias - 63;
    const int lead = std::countl_zero(significand);
    significand <<= lead;
    int unbiased = scale - lead + 63; // exponent of the top bit

    if (unbiased > kDoubleBias)
        return FromBits(sign | (std::uint64_t(0x7FF) << 52));
    if (unbiased >= 1 - kDoubleBias) {
        std::uint64_t kept = ShiftRounded(significand, 11);
        if (kept == (std::uint64_t(1) << 53)) {
            kept >>= 1;
            ++unbiased;
            if (unbiased > kDoubleBias)
                return FromBits(sign | (std::uint64_t(0x7FF) << 52));
        }
        return FromBits(sign | (std::uint64_t(unbiased + kDoubleBias) << 52) | (kept & kFractionMask));
    }
    // Subnormal result: fewer bits survive; a carry into bit 52 yields the smallest normal.
    const int shift = 11 + (1 - kDoubleBias - unbiased);
    if (shift > 64)
        return FromBits(sign);
    return FromBits(sign | ShiftRounded(significand, shift));
}
