#pragma once

// Benchmarks of karvello-bench: each file registers its measurements with
// KARVELLO_BENCH; `karvello-bench [name-part]` runs all (or the matching
// ones) and prints one line per figure.

#include <QString>

#include <functional>

namespace Bench {

using Function = std::function<void()>;
bool add(const char *name, Function run);
// Prints "name: value unit" (and the limit when one is given).
void report(const QString &name, double value, const QString &unit, double limit = 0);
// Milliseconds per run of `body`, the median of `rounds` timed runs.
double medianMs(int rounds, const std::function<void()> &body);

} // namespace Bench

#define KARVELLO_BENCH_CAT2(a, b) a##b
#define KARVELLO_BENCH_CAT(a, b) KARVELLO_BENCH_CAT2(a, b)
#define KARVELLO_BENCH(name)                                                                                  \
    static void KARVELLO_BENCH_CAT(bench_, __LINE__)();                                                        \
    static const bool KARVELLO_BENCH_CAT(registered_, __LINE__) =                                              \
        Bench::add(name, &KARVELLO_BENCH_CAT(bench_, __LINE__));                                                \
    static void KARVELLO_BENCH_CAT(bench_, __LINE__)()
