// Saving and opening card documents, printing sheets, the preview and start-up.
#include "CardBenchmarks.h"
#include "GeneratedCard.h"

#include "app/TMainScreen.h"
#include "design/CardDocument.h"
#include "design/TGBusinessCardPanel32.h"
#include "platform/AppRoutines.h"
#include "print/TCardSheetPrinter.h"
#include "print/TPreviewForm.h"
#include "report/BandedImageTarget.h"
#include "report/PdfTarget.h"
#include "report/RecordedJob.h"
#include "report/RecordedTarget.h"
#include "report/TReport.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

QString scratchPath(const BenchOptions &options, const QString &name)
{
    return QDir(options.scratchFolder).filePath(name);
}

// Prints `sheets` full sheets of the card through the print loop.
bool printSheets(TGBusinessCardPanel32 &panel, TReport &job, int sheets)
{
    TCardSheetPrinter sheet;
    sheet.Panel = &panel;
    sheet.Geometry = TSheetGeometry::FromLayout(SheetLayout());
    sheet.Copies = sheets;
    sheet.Printing = dynamic_cast<RecordedTarget *>(&job.target()) == nullptr;
    job.setPaperSize(SheetLayout::PaperLetter);
    job.setOrientation(poPortrait);
    job.onBeforePrint = [&](TReport &j) { sheet.BeforePrintLabels(j); };
    job.onPrint = [&](TReport &j) { sheet.PrintLabels(j); };
    return job.run();
}

} // namespace

QList<BenchRow> benchDocuments(const BenchOptions &options)
{
    QList<BenchRow> rows;
    for (const int size : options.sizes) {
        GeneratedCard card(size);
        const QString path = scratchPath(options, QStringLiteral("bench%1.KVL").arg(size));
        CardDocument::Companion companion;
        BenchRow save;
        save.operation = QStringLiteral("save document (.KVL + .KVE)");
        save.size = size;
        save.timing = measure(options.runs, [&] { CardDocument::SaveCardDocument(card.panel(), path, companion); });
        if (size == 100)
            save.goal = QStringLiteral("< 20 ms");
        rows << save;

        GeneratedCard reader(0);
        BenchRow open;
        open.operation = QStringLiteral("open document (.KVL + .KVE)");
        open.size = size;
        open.timing = measure(options.runs, [&] {
            CardDocument::OpenCardDocument(reader.panel(), path, SheetLayoutSetting());
            // The objects of the previous opening are deleted later, as in the program's event loop.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        });
        if (size == 100)
            open.goal = QStringLiteral("< 20 ms");
        rows << open;
    }
    return rows;
}

QList<BenchRow> benchPrinting(const BenchOptions &options)
{
    QList<BenchRow> rows;
    for (const int size : options.sizes) {
        GeneratedCard card(size);
        const QString pdf = scratchPath(options, QStringLiteral("bench%1.pdf").arg(size));
        const int runs = std::max(1, options.runs / 3);
        BenchRow toPdf;
        toPdf.operation = QStringLiteral("print 10-up Letter sheet to PDF");
        toPdf.size = size;
        toPdf.timing = measure(runs, [&] {
            TReport job(std::make_unique<PdfTarget>(pdf));
            printSheets(card.panel(), job, 1);
        });
        if (size == 100)
            toPdf.goal = QStringLiteral("< 1000 ms");
        rows << toPdf;

        BenchRow tenSheets;
        tenSheets.operation = QStringLiteral("print 10 sheets to PDF (ratio: to 10 x one)");
        tenSheets.size = size;
        tenSheets.timing = measure(runs, [&] {
            TReport job(std::make_unique<PdfTarget>(pdf));
            printSheets(card.panel(), job, 10);
        });
        if (toPdf.timing.median() > 0)
            tenSheets.yardstickRatio = tenSheets.timing.median() / (10 * toPdf.timing.median());
        tenSheets.goal = QStringLiteral("linear (ratio ~1)");
        rows << tenSheets;

        // Written to a PNG file a band of rows at a time, as a whole page
        // would take 135 MB.
        BenchRow toImage;
        toImage.operation = QStringLiteral("print 10-up Letter sheet to 600-dpi PNG");
        toImage.size = size;
        const QString png = scratchPath(options, QStringLiteral("sheet%1-%2.png").arg(size));
        toImage.timing = measure(runs, [&] {
            TReport job(std::make_unique<BandedImageTarget>(png, SimulatedDevice(600, 600)));
            printSheets(card.panel(), job, 1);
        });
        QFile::remove(png.arg(1));
        if (size == 100)
            toImage.goal = QStringLiteral("< 1000 ms");

        // A peer's figure for the same sheet: poppler rasterising its PDF at 600 dpi.
        BenchRow peer;
        peer.operation = QStringLiteral("peer: pdftoppm -r 600 -png of that PDF");
        peer.size = size;
        const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        if (pdftoppm.isEmpty()) {
            peer.goal = QStringLiteral("pdftoppm not installed");
        } else {
            TReport job(std::make_unique<PdfTarget>(pdf));
            printSheets(card.panel(), job, 1);
            const QString prefix = scratchPath(options, QStringLiteral("peer%1").arg(size));
            peer.timing = measure(runs, [&] {
                QProcess::execute(pdftoppm, {QStringLiteral("-r"), QStringLiteral("600"), QStringLiteral("-png"),
                                             QStringLiteral("-singlefile"), pdf, prefix});
            });
            QFile::remove(prefix + QStringLiteral(".png"));
            peer.goal = QStringLiteral("ratio: 600-dpi image / this");
            if (peer.timing.median() > 0)
                peer.yardstickRatio = toImage.timing.median() / peer.timing.median();
        }
        rows << toImage << peer;
    }
    return rows;
}

QList<BenchRow> benchPreview(const BenchOptions &options)
{
    QList<BenchRow> rows;
    for (const int size : options.sizes) {
        GeneratedCard card(size);
        BenchRow row;
        row.operation = QStringLiteral("record preview and show its page");
        row.size = size;
        row.timing = measure(std::max(1, options.runs / 3), [&] {
            QBuffer stream;
            stream.open(QIODevice::ReadWrite);
            auto target = std::make_unique<RecordedTarget>();
            target->setStream(&stream);
            TReport job(std::move(target));
            card.panel().SetPreview(true);
            printSheets(card.panel(), job, 1);
            card.panel().SetPreview(false);
            std::optional<RecordedJob> recorded = RecordedJob::fromByteArray(stream.data());
            if (!recorded)
                return;
            TPreviewForm preview(std::move(*recorded));
            preview.show();
            if (QTest::qWaitForWindowExposed(&preview))
                preview.repaint();
            preview.close();
        });
        if (size == 100)
            row.goal = QStringLiteral("< 300 ms");
        rows << row;
    }
    return rows;
}

QList<BenchRow> benchStartup(const BenchOptions &options)
{
    QList<BenchRow> rows;
    setProgramFolderOverride(scratchPath(options, QStringLiteral("program")));
    QDir().mkpath(ProgramFolder());
    BenchRow row;
    row.operation = QStringLiteral("start-up to main window shown");
    row.timing = measure(std::max(1, options.runs / 3), [&] {
        TMainScreen window;
        window.show();
        if (QTest::qWaitForWindowExposed(&window))
            QCoreApplication::processEvents();
    });
    row.goal = QStringLiteral("< 500 ms");
    rows << row;
    setProgramFolderOverride(QString());
    return rows;
}
