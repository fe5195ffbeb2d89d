#pragma once

#include <array>
#include <cstdint>

// An 80-bit x87 extended-precision number as card documents store it: a
// 64-bit significand with an explicit integer bit (bytes 0-7, little-endian)
// followed by the sign and a 15-bit exponent biased by 16383 (bytes 8-9).
// Conversion is done bit by bit, so it does not depend on the compiler's
// long double.
class Extended80
{
public:
    using Bytes = std::array<std::uint8_t, 10>;

    Extended80() = default; // +0
    explicit Extended80(const Bytes &bytes) : m_bytes(bytes) {}
    Extended80(bool negative, std::uint16_t exponent, std::uint64_t significand);

    // Exact: every double, including denormals, infinities and NaNs, has an
    // extended counterpart that converts back to the identical bits.
    static Extended80 fromDouble(double value);
    // Rounds to nearest, ties to even; too large gives infinity, too small
    // zero or a denormal. NaNs keep the top of their payload and stay NaN.
    double toDouble() const;

    const Bytes &bytes() const { return m_bytes; }
    bool negative() const { return (m_bytes[9] & 0x80) != 0; }
    std::uint16_t exponent() const;
    std::uint64_t significand() const;

    bool operator==(const Extended80 &other) const = default;

private:
    Bytes m_bytes{};
};
