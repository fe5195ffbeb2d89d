// A card filled from a contact list printed once per record into a PDF
// file: the time for 100 and 1,000 records (which should grow in step with
// the records) and the peak memory the run adds.

#include "Bench.h"

#include "design/CardMerge.h"
#include "design/ContactList.h"
#include "design/TGBusinessCardPanel32.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGMultiLineLabel.h"
#include "platform/ScreenMetrics.h"
#include "print/TCardSheetPrinter.h"
#include "report/PdfTarget.h"
#include "report/TReport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

namespace {

double statusMiB(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray wanted(key);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(wanted))
            return line.mid(wanted.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

// Linux starts the peak resident size ("VmHWM:") again from the current one.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

std::shared_ptr<ContactList> staff(int records)
{
    auto list = std::make_shared<ContactList>();
    list->fields = {QStringLiteral("Name"), QStringLiteral("Title"), QStringLiteral("Phone1"), QStringLiteral("Email")};
    for (int i = 1; i <= records; ++i)
        list->records << QStringList{QStringLiteral("Person %1").arg(i), QStringLiteral("Title %1").arg(i % 17),
                                     QStringLiteral("555-%1").arg(i, 4, 10, QLatin1Char('0')),
                                     QStringLiteral("person%1@example.org").arg(i)};
    return list;
}

// Milliseconds to print every record of a list of `records`.
double printRecords(int records, const QString &pdf)
{
    ScreenMetrics::setOverride(96);
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    auto *name = new TGBusinessCardLabel(&panel);
    panel.AddObject(name);
    name->SetCaption(QStringLiteral("{Name}"));
    name->SetBounds(20, 20, 250, 24);
    auto *lines = new TGMultiLineLabel(&panel);
    panel.AddObject(lines);
    lines->SetItems({QStringLiteral("{Title}"), QStringLiteral("Tel. {Phone 1}"), QStringLiteral("{Email}")});
    lines->SetBounds(20, 60, 250, 60);
    CardMerge::Of(panel).Attach(staff(records), QString());

    TCardSheetPrinter sheet;
    sheet.Panel = &panel;
    sheet.Geometry = TSheetGeometry::FromLayout(SheetLayout());
    sheet.OneCardPerRecord = true;
    TReport job(std::make_unique<PdfTarget>(pdf));
    job.setPaperSize(SheetLayout::PaperLetter);
    job.onBeforePrint = [&](TReport &j) { sheet.BeforePrintLabels(j); };
    job.onPrint = [&](TReport &j) { sheet.PrintLabels(j); };
    QElapsedTimer timer;
    timer.start();
    job.run();
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

KARVELLO_BENCH("contact list printing")
{
    QTemporaryDir scratch;
    const QString pdf = scratch.filePath(QStringLiteral("records.pdf"));
    // Each run's peak is its own: the peak resident size starts again at
    // what the process holds (earlier figures of the run had theirs).
    resetPeak();
    const double small = printRecords(100, pdf);
    const double smallPeak = statusMiB("VmHWM:");
    Bench::report(QStringLiteral("contact list: 100 records to PDF"), small, QStringLiteral("ms"));
    if (Bench::quick())
        return;
    resetPeak();
    const double large = printRecords(1000, pdf);
    const double largePeak = statusMiB("VmHWM:");
    Bench::report(QStringLiteral("contact list: 1,000 records to PDF"), large, QStringLiteral("ms"), 10 * small * 1.5);
    // Records are printed one at a time: ten times the records must not
    // need much more memory.
    Bench::report(QStringLiteral("contact list: peak memory, 100 records"), smallPeak, QStringLiteral("MiB"));
    Bench::report(QStringLiteral("contact list: peak memory, 1,000 records"), largePeak, QStringLiteral("MiB"),
                  smallPeak + 20);
}
