#pragma once

#include <cstdint>

// The integer rules the card's geometry follows everywhere: rounding is
// half-to-even, truncation goes towards zero, and scaling by a ratio goes
// through a 64-bit intermediate. Zoom factors are 32-bit floats.
namespace Numbers {

// Nearest integer, ties to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
int roundHalfEven(double value);

// A value computed in floating point with its last bits of noise taken off
// (to 2^-20): 4.25 + 236 / 96 inch at 300 per inch is 2012.5 again, as
// 0.75 + 236 / 96 gives 962.5, so a drawing lands alike wherever it is put.
double settle(double value);

// Towards zero (-1.7 -> -1).
int truncate(double value);

// number * numerator / denominator with a 64-bit intermediate, rounded half
// away from zero; -1 when denominator is 0.
int mulDiv(int number, int numerator, int denominator);

// Integer division truncating towards zero (C++ already does; named for readers).
constexpr int divTrunc(int a, int b) { return a / b; }

// The zoom factor after `steps` steps of 0.1 from 1.0, each step added in
// 32-bit float arithmetic exactly as repeated "zoom := zoom + 0.1" would.
float zoomAfterSteps(int steps);

} // namespace Numbers
