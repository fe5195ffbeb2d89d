#pragma once

// The zoom factors the zoom commands step through, from 25 % to 800 %.
namespace ZoomSteps {

constexpr float Minimum = 0.25f;
constexpr float Maximum = 8.0f;

// The next step above (below) `zoom`; the limit when there is none.
float larger(float zoom);
float smaller(float zoom);
// Within the limits.
float clamped(float zoom);

} // namespace ZoomSteps
