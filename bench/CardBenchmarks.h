#pragma once

#include "Measure.h"

#include <QList>
#include <QString>

#include <optional>

// One row of the table: an operation on a card of `size` objects, its
// timing, and where a yardstick was measured in the same run, the ratio of
// the median to the yardstick's median.
struct BenchRow {
    QString operation;
    int size = 0;
    Timing timing;
    std::optional<double> yardstickRatio;
    QString goal; // e.g. "< 8 ms"
};

struct BenchOptions {
    QList<int> sizes = {10, 100, 1000};
    int runs = 9;
    QString scratchFolder; // documents and PDF files go here
};

// Each adds its rows for every size in the options.
QList<BenchRow> benchRepaint(const BenchOptions &options);
QList<BenchRow> benchDrag(const BenchOptions &options);
QList<BenchRow> benchDocuments(const BenchOptions &options);
QList<BenchRow> benchPrinting(const BenchOptions &options);
QList<BenchRow> benchPreview(const BenchOptions &options);
QList<BenchRow> benchStartup(const BenchOptions &options);
// The figures other files register with KARVELLO_BENCH (Bench.h).
QList<BenchRow> benchRegistered(const BenchOptions &options);
