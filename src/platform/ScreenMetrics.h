#pragma once

#include <QSize>

// The one place that says how many logical pixels make an inch on the screen
// and how large the screen is. Card geometry is stored in screen pixels, so
// every conversion between pixels and inches reads this. Tests set it to 96
// or 120 so that nothing depends on the machine's display.
namespace ScreenMetrics {

// Logical pixels per inch of the screen (96 on a normal display).
int pixelsPerInch();

// Screen size in pixels.
QSize screenSize();

// Overrides both until reset; 0 or an empty size leaves that value alone.
void setOverride(int pixelsPerInch, QSize screenSize = QSize());
void resetOverride();

} // namespace ScreenMetrics
