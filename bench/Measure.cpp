#include "Measure.h"

#include <QElapsedTimer>

#include <sys/resource.h>

#include <algorithm>

double Timing::median() const
{
    if (milliseconds.isEmpty())
        return 0;
    QList<double> sorted = milliseconds;
    std::sort(sorted.begin(), sorted.end());
    const qsizetype n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

double Timing::min() const
{
    return milliseconds.isEmpty() ? 0 : *std::min_element(milliseconds.begin(), milliseconds.end());
}

double Timing::max() const
{
    return milliseconds.isEmpty() ? 0 : *std::max_element(milliseconds.begin(), milliseconds.end());
}

Timing measure(int runs, const std::function<void()> &operation)
{
    operation();
    Timing timing;
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        clock.start();
        operation();
        timing.milliseconds << clock.nsecsElapsed() / 1.0e6;
    }
    return timing;
}

double peakMemoryMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}
