#pragma once

#include <QtGlobal>

#include <functional>

// The millisecond tick the selection handle and the clipboard time their
// rules by (quick clicks, paste repeats). Tests replace it so that they can
// step time without sleeping.
namespace TGTickClock {

// Milliseconds since an arbitrary start, wrapping like a 32-bit tick.
quint32 now();
// Replaces the clock; an empty function restores the real one.
void setSource(std::function<quint32()> source);

} // namespace TGTickClock
