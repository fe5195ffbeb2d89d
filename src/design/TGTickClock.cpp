#include "design/TGTickClock.h"

#include <QElapsedTimer>

namespace {
std::function<quint32()> &source()
{
    static std::function<quint32()> s;
    return s;
}

quint32 realTick()
{
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    // Never 0: a tick of 0 means "no press yet" to the handle.
    return quint32(timer.elapsed()) + 1;
}
} // namespace

namespace TGTickClock {

quint32 now()
{
    return source() ? source()() : realTick();
}

void setSource(std::function<quint32()> s)
{
    source() = std::move(s);
}

} // namespace TGTickClock
