#include "design/stream/Extended80.h"

#include <bit>

namespace {

constexpr int kExtendedBias = 16383;
constexpr int kDoubleBias = 1023;
constexpr std::uint16_t kExtendedMaxExponent = 0x7FFF;
constexpr std::uint64_t kIntegerBit = std::uint64_t(1) << 63;
constexpr std::uint64_t kDoubleFractionMask = (std::uint64_t(1) << 52) - 1;
constexpr std::uint64_t kDoubleSignBit = std::uint64_t(1) << 63;
constexpr std::uint64_t kDoubleInfinity = std::uint64_t(0x7FF) << 52;
constexpr std::uint64_t kDoubleQuietBit = std::uint64_t(1) << 51;

// Drops the low `shift` bits (1..64) of value, rounding to nearest, ties to even.
std::uint64_t shiftRightRoundingEven(std::uint64_t value, int shift)
{
    const std::uint64_t kept = shift >= 64 ? 0 : value >> shift;
    const std::uint64_t dropped = shift >= 64 ? value : value & ((std::uint64_t(1) << shift) - 1);
    const std::uint64_t half = std::uint64_t(1) << (shift - 1);
    if (dropped > half || (dropped == half && (kept & 1)))
        return kept + 1;
    return kept;
}

double fromBits(bool negative, std::uint64_t magnitude)
{
    return std::bit_cast<double>(magnitude | (negative ? kDoubleSignBit : 0));
}

} // namespace

Extended80::Extended80(bool negative, std::uint16_t exponent, std::uint64_t significand)
{
    for (int i = 0; i < 8; ++i)
        m_bytes[i] = static_cast<std::uint8_t>(significand >> (8 * i));
    const std::uint16_t top = (exponent & kExtendedMaxExponent) | (negative ? 0x8000 : 0);
    m_bytes[8] = static_cast<std::uint8_t>(top);
    m_bytes[9] = static_cast<std::uint8_t>(top >> 8);
}

std::uint16_t Extended80::exponent() const
{
    return static_cast<std::uint16_t>((m_bytes[8] | (m_bytes[9] << 8)) & kExtendedMaxExponent);
}

std::uint64_t Extended80::significand() const
{
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = (value << 8) | m_bytes[i];
    return value;
}

Extended80 Extended80::fromDouble(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits & kDoubleSignBit) != 0;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & kDoubleFractionMask;

    if (exponent == 0x7FF) // infinity (fraction 0) or NaN, payload kept
        return Extended80(negative, kExtendedMaxExponent, kIntegerBit | (fraction << 11));
    if (exponent == 0 && fraction == 0)
        return Extended80(negative, 0, 0);
    if (exponent == 0) {
        // A double denormal is a normal extended number: move its top bit up
        // to the integer bit. fraction * 2^-1074 = (m / 2^63) * 2^(63 - 1074 - shift).
        const int shift = std::countl_zero(fraction);
        const int unbiased = 63 - 1074 - shift;
        return Extended80(negative, static_cast<std::uint16_t>(unbiased + kExtendedBias),
                          fraction << shift);
    }
    return Extended80(negative, static_cast<std::uint16_t>(exponent - kDoubleBias + kExtendedBias),
                      kIntegerBit | (fraction << 11));
}

double Extended80::toDouble() const
{
    const bool sign = negative();
    const int exp = exponent();
    std::uint64_t m = significand();

    if (exp == kExtendedMaxExponent) {
        const std::uint64_t payload = (m & ~kIntegerBit) >> 11;
        if ((m & kIntegerBit) && (m & ~kIntegerBit) == 0)
            return fromBits(sign, kDoubleInfinity);
        // NaN (pseudo-infinities and pseudo-NaNs too): never let it become infinity.
        return fromBits(sign, kDoubleInfinity | (payload ? payload : kDoubleQuietBit));
    }
    if (m == 0)
        return fromBits(sign, 0);

    // value = (m / 2^63) * 2^(e - bias), where exponent 0 means e = 1
    // (denormal). Normalise so the top bit is set; unnormals are read as
    // the number their bits describe.
    const int shift = std::countl_zero(m);
    m <<= shift;
    int unbiased = (exp == 0 ? 1 : exp) - kExtendedBias - shift;

    if (unbiased > kDoubleBias)
        return fromBits(sign, kDoubleInfinity);
    if (unbiased >= 1 - kDoubleBias) {
        std::uint64_t mantissa = shiftRightRoundingEven(m, 11);
        if (mantissa >> 53) { // rounding carried into a new top bit
            mantissa >>= 1;
            ++unbiased;
        }
        if (unbiased > kDoubleBias)
            return fromBits(sign, kDoubleInfinity);
        const auto biased = static_cast<std::uint64_t>(unbiased + kDoubleBias);
        return fromBits(sign, (biased << 52) | (mantissa & kDoubleFractionMask));
    }
    // Double denormal: value = mantissa * 2^-1074. A carry into bit 52 lands
    // exactly on the smallest normal number, which the same bits encode.
    const int denormalShift = 63 - (unbiased + 1074);
    if (denormalShift > 64)
        return fromBits(sign, 0);
    return fromBits(sign, shiftRightRoundingEven(m, denormalShift));
}
