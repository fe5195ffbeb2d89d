#include "app/ZoomSteps.h"

#include <algorithm>
#include <iterator>

namespace ZoomSteps {
namespace {

constexpr float Steps[] = {0.25f, 0.33f, 0.5f, 0.67f, 0.75f, 0.9f, 1.0f, 1.1f,
                           1.25f, 1.5f,  2.0f, 3.0f,  4.0f,  6.0f, 8.0f};
// Factors within this of a step count as that step (a fitted zoom lies between).
constexpr float Tolerance = 0.001f;

} // namespace

float larger(float zoom)
{
    for (float step : Steps) {
        if (step > zoom + Tolerance)
            return step;
    }
    return Maximum;
}

float smaller(float zoom)
{
    for (auto it = std::rbegin(Steps); it != std::rend(Steps); ++it) {
        if (*it < zoom - Tolerance)
            return *it;
    }
    return Minimum;
}

float clamped(float zoom)
{
    return std::clamp(zoom, Minimum, Maximum);
}

} // namespace ZoomSteps
