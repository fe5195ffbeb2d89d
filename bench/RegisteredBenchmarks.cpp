#include "Bench.h"
#include "CardBenchmarks.h"

#include <vector>

namespace {

struct Entry {
    const char *name;
    Bench::Function run;
};

std::vector<Entry> &entries()
{
    static std::vector<Entry> list;
    return list;
}

QList<BenchRow> &reported()
{
    static QList<BenchRow> rows;
    return rows;
}

bool quickRun = false;

} // namespace

namespace Bench {

bool add(const char *name, Function run)
{
    entries().push_back({name, std::move(run)});
    return true;
}

void report(const QString &name, double value, const QString &unit, double limit)
{
    BenchRow row;
    row.operation = name;
    row.timing.milliseconds = {value};
    if (unit != QLatin1String("ms"))
        row.goal = unit;
    if (limit > 0)
        row.goal += (row.goal.isEmpty() ? QString() : QStringLiteral(", ")) + QStringLiteral("< %1").arg(limit)
                    + (unit == QLatin1String("ms") ? QStringLiteral(" ms") : QString());
    reported() << row;
}

double medianMs(int rounds, const std::function<void()> &body)
{
    return measure(quickRun ? 1 : std::max(1, rounds), body).median();
}

bool quick()
{
    return quickRun;
}

} // namespace Bench

QList<BenchRow> benchRegistered(const BenchOptions &options)
{
    quickRun = options.runs <= 1;
    reported().clear();
    for (const Entry &entry : entries())
        entry.run();
    return reported();
}
