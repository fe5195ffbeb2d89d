#include "Bench.h"

#include "platform/ScreenMetrics.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
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

} // namespace

namespace Bench {

bool add(const char *name, Function run)
{
    entries().push_back({name, std::move(run)});
    return true;
}

void report(const QString &name, double value, const QString &unit, double limit)
{
    QString line = QStringLiteral("%1: %2 %3").arg(name).arg(value, 0, 'f', 3).arg(unit);
    if (limit > 0)
        line += QStringLiteral(" (limit %1 %2%3)").arg(limit).arg(unit, value <= limit ? "" : ", EXCEEDED");
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

double medianMs(int rounds, const std::function<void()> &body)
{
    body(); // warm caches
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        body();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace Bench

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ScreenMetrics::setOverride(96);
    const QString filter = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    for (const Entry &e : entries()) {
        if (filter.isEmpty() || QString::fromLatin1(e.name).contains(filter, Qt::CaseInsensitive))
            e.run();
    }
    return 0;
}
