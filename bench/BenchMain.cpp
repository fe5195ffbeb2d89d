// karvello-bench: how long the main operations take on generated cards of
// growing size, printed as one table. "--quick" runs the smallest size once
// (the test suite's smoke run).
#include "CardBenchmarks.h"

#include "app/CardClasses.h"
#include "platform/UserDialogs.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

// Answers every box so that nothing waits for a person.
class SilentDialogs : public UserDialogs
{
public:
    bool ask(const QString &, const QString &) override { return false; }
    void inform(const QString &) override {}
    void error(const QString &) override {}
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &, const QString &) override { return {}; }
    std::optional<TColor> chooseColor(TColor) override { return std::nullopt; }
    std::optional<TFont> chooseFont(const TFont &, bool) override { return std::nullopt; }
    void beep() override {}
};

QString number(double value)
{
    return QString::number(value, 'f', value < 10 ? 2 : 1);
}

void printTable(const QList<BenchRow> &rows, double peakMemory)
{
    QTextStream out(stdout);
    out << QStringLiteral("%1 %2 %3 %4 %5 %6  %7\n")
               .arg(QStringLiteral("operation"), -46)
               .arg(QStringLiteral("size"), 5)
               .arg(QStringLiteral("median ms"), 10)
               .arg(QStringLiteral("min ms"), 9)
               .arg(QStringLiteral("max ms"), 9)
               .arg(QStringLiteral("ratio"), 7)
               .arg(QStringLiteral("goal"));
    for (const BenchRow &row : rows) {
        out << QStringLiteral("%1 %2 %3 %4 %5 %6  %7\n")
                   .arg(row.operation, -46)
                   .arg(row.size ? QString::number(row.size) : QStringLiteral("-"), 5)
                   .arg(number(row.timing.median()), 10)
                   .arg(number(row.timing.min()), 9)
                   .arg(number(row.timing.max()), 9)
                   .arg(row.yardstickRatio ? number(*row.yardstickRatio) : QStringLiteral("-"), 7)
                   .arg(row.goal);
    }
    out << QStringLiteral("peak memory of the whole run: %1 MB (goal < 150 MB)\n").arg(number(peakMemory));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchOptions options;
    const QStringList args = app.arguments();
    if (args.contains(QStringLiteral("--quick"))) {
        options.sizes = {10};
        options.runs = 1;
    }
    // "--sizes 10,100" and "--runs 5" narrow a run while looking into one figure.
    if (const qsizetype at = args.indexOf(QStringLiteral("--sizes")); at > 0 && at + 1 < args.size()) {
        options.sizes.clear();
        for (const QString &size : args.at(at + 1).split(u','))
            if (const int n = size.toInt(); n > 0)
                options.sizes << n;
    }
    if (const qsizetype at = args.indexOf(QStringLiteral("--runs")); at > 0 && at + 1 < args.size())
        options.runs = std::max(1, args.at(at + 1).toInt());
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        std::fputs("karvello-bench: no scratch folder\n", stderr);
        return 1;
    }
    options.scratchFolder = scratch.path();
    UserDialogs::install(std::make_unique<SilentDialogs>());
    registerCardClasses();

    // "--only print" runs the groups whose name starts so (for profiling one figure).
    QString only;
    if (const qsizetype at = args.indexOf(QStringLiteral("--only")); at > 0 && at + 1 < args.size())
        only = args.at(at + 1);
    const QList<std::pair<QString, QList<BenchRow> (*)(const BenchOptions &)>> groups = {
        {QStringLiteral("startup"), benchStartup},   {QStringLiteral("repaint"), benchRepaint},
        {QStringLiteral("drag"), benchDrag},         {QStringLiteral("documents"), benchDocuments},
        {QStringLiteral("print"), benchPrinting},    {QStringLiteral("preview"), benchPreview},
        {QStringLiteral("registered"), benchRegistered},
    };
    QList<BenchRow> rows;
    for (const auto &[name, run] : groups) {
        if (name.startsWith(only))
            rows << run(options);
    }
    printTable(rows, peakMemoryMegabytes());
    return 0;
}
