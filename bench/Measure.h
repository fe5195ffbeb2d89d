#pragma once

#include <QList>
#include <QString>

#include <functional>

// Runs an operation several times and keeps the wall-clock times, so that
// the table can show the median with the spread around it.
struct Timing {
    QList<double> milliseconds; // one per run, in run order

    double median() const;
    double min() const;
    double max() const;
};

// One warm-up call (not counted), then `runs` timed calls.
Timing measure(int runs, const std::function<void()> &operation);

// Peak resident memory of this process so far, in megabytes.
double peakMemoryMegabytes();
