#include "platform/Numbers.h"

#include <cmath>
#include <limits>

namespace Numbers {

namespace {

// A whole number as an int. Both conversions saturate: values past the int
// range give INT_MIN or INT_MAX, NaN gives 0 (the plain cast would be
// undefined).
int saturated(double whole)
{
    if (std::isnan(whole))
        return 0;
    if (whole <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (whole >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return static_cast<int>(whole);
}

} // namespace

int roundHalfEven(double value)
{
    return saturated(std::nearbyint(value)); // default FE_TONEAREST is half-to-even
}

double settle(double value)
{
    constexpr int bits = 20;
    return std::ldexp(std::nearbyint(std::ldexp(value, bits)), -bits);
}

int truncate(double value)
{
    return saturated(std::trunc(value));
}

int mulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    std::int64_t quotient = product / denominator;
    const std::int64_t remainder = product % denominator;
    // Round half away from zero, as the platform's MulDiv does.
    if (2 * std::llabs(remainder) >= std::llabs(static_cast<std::int64_t>(denominator)))
        quotient += ((product < 0) != (denominator < 0)) ? -1 : 1;
    return static_cast<int>(quotient);
}

float zoomAfterSteps(int steps)
{
    float zoom = 1.0f;
    const float step = 0.1f;
    for (int i = 0; i < steps; ++i)
        zoom = zoom + step;
    for (int i = 0; i > steps; --i)
        zoom = zoom - step;
    return zoom;
}

} // namespace Numbers
