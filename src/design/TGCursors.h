#pragma once

#include <QCursor>

// The cursor numbers the design surface uses, and the cursors they show.
// "HANDGRAB" and "HANDPOINT" are Qt's open hand and pointing hand; "MAGNIFY"
// is drawn here as a small magnifying glass.
namespace TGCursors {

constexpr int crDefault = 0;
constexpr int crHandGrab = 6;
constexpr int crSizeNESW = -6;
constexpr int crSizeNS = -7;
constexpr int crSizeNWSE = -8;
constexpr int crSizeWE = -9;
constexpr int crHandPoint = -10;
constexpr int crDrag = -12;
constexpr int crMagnify = 7;

QCursor cursorFor(int number);

} // namespace TGCursors
