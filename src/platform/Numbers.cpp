#include "platform/Numbers.h"

#include <cmath>

namespace Numbers {

int roundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value)); // default FE_TONEAREST is half-to-even
}

int truncate(double value)
{
    return static_cast<int>(std::trunc(value));
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
