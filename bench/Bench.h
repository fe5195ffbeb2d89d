#pragma once

// Figures of one object class or subsystem that do not fit the table's
// generated cards (a SuperShape card, a rich-text card, ...). A file
// registers its measurement with KARVELLO_BENCH; karvello-bench runs every
// registered one after the standard figures, and each Bench::report becomes
// a row of the same table.

#include <QString>

#include <functional>

namespace Bench {

using Function = std::function<void()>;
bool add(const char *name, Function run);
// A row of the table: the value in the median column, the unit and the
// limit (when one is given) in the goal column.
void report(const QString &name, double value, const QString &unit, double limit = 0);
// Milliseconds per run of `body`, the median of `rounds` timed runs after
// one warm-up run.
double medianMs(int rounds, const std::function<void()> &body);
// True for "--quick": registered figures should use their smallest case.
bool quick();

} // namespace Bench

#define KARVELLO_BENCH_CAT2(a, b) a##b
#define KARVELLO_BENCH_CAT(a, b) KARVELLO_BENCH_CAT2(a, b)
#define KARVELLO_BENCH(name)                                                                                  \
    static void KARVELLO_BENCH_CAT(bench_, __LINE__)();                                                        \
    static const bool KARVELLO_BENCH_CAT(registered_, __LINE__) =                                              \
        Bench::add(name, &KARVELLO_BENCH_CAT(bench_, __LINE__));                                                \
    static void KARVELLO_BENCH_CAT(bench_, __LINE__)()
