// Memory and scrolling of the print preview at its zoom steps, with a card
// that has a bitmap background (the most expensive thing a preview draws).

#include "Bench.h"

#include "design/TGBusinessCardPanel32.h"
#include "objects/TBCShapes.h"
#include "platform/ScreenMetrics.h"
#include "print/TCardSheetPrinter.h"
#include "print/TPreviewForm.h"
#include "print/TPreviewPage.h"
#include "report/RecordedTarget.h"
#include "report/TReport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>

namespace {

// A memory figure of this process ("VmRSS:", "VmHWM:") in MiB.
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

RecordedJob recording(const QString &background)
{
    auto panel = std::make_unique<TGBusinessCardPanel32>();
    panel->resize(336, 192);
    auto *shape = new TBCShapes(panel.get());
    shape->SetBrush(TBrush{clNavy, bsSolid, {}});
    panel->AddObject(shape);
    shape->SetBounds(20, 20, 120, 60);
    auto target = std::make_unique<RecordedTarget>(SimulatedDevice(600, 600));
    RecordedTarget *recorder = target.get();
    TReport job(std::move(target));
    TCardSheetPrinter sheet;
    sheet.Panel = panel.get();
    sheet.Printing = false;
    sheet.BackgroundFile = background;
    sheet.LoadBackGround();
    job.onBeforePrint = [&](TReport &j) { sheet.BeforePrintLabels(j); };
    job.onPrint = [&](TReport &j) { sheet.PrintLabels(j); };
    job.run();
    return recorder->job();
}

} // namespace

KARVELLO_BENCH("preview memory and scrolling")
{
    ScreenMetrics::setOverride(96);
    QTemporaryDir dir;
    const QString background = dir.filePath(QStringLiteral("bg.bmp"));
    QImage art(1050, 600, QImage::Format_RGB32);
    for (int y = 0; y < art.height(); ++y) {
        for (int x = 0; x < art.width(); ++x)
            art.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    }
    art.save(background, "BMP");

    const RecordedJob job = recording(background);
    const double before = statusMiB("VmRSS:");
    TPreviewForm form(job);
    form.resize(1024, 768);
    form.show();
    QApplication::processEvents();
    const QList<int> zooms = Bench::quick() ? QList<int>{800} : QList<int>{10, 50, 100, 200, 400, 800};
    double mostMemory = 0;
    for (const int zoom : zooms) {
        form.SetZoomFactor(zoom);
        QApplication::processEvents();
        QScrollBar *down = form.ScrollBox1->verticalScrollBar();
        QScrollBar *across = form.ScrollBox1->horizontalScrollBar();
        across->setValue(across->maximum() / 3);
        qint64 slowest = 0, total = 0;
        int steps = 0;
        // Down the page a wheel step (3 lines of 20 pixels) at a time, with
        // a frame's worth of idle time between steps.
        for (int y = 0; y <= down->maximum() && steps < (Bench::quick() ? 20 : 200); y += 60, ++steps) {
            down->setValue(y);
            QElapsedTimer timer;
            timer.start();
            form.ScrollBox1->viewport()->repaint();
            const qint64 ms = timer.elapsed();
            slowest = std::max(slowest, ms);
            total += ms;
            QElapsedTimer idle;
            idle.start();
            while (idle.elapsed() < 16)
                QApplication::processEvents(QEventLoop::AllEvents, 16);
        }
        mostMemory = std::max(mostMemory, statusMiB("VmRSS:") - before);
        const QString at = QStringLiteral("preview at %1 %: ").arg(zoom);
        Bench::report(at + QStringLiteral("mean wheel step"), steps ? double(total) / steps : 0.0,
                      QStringLiteral("ms"));
        Bench::report(at + QStringLiteral("slowest wheel step"), double(slowest), QStringLiteral("ms"));
    }
    Bench::report(QStringLiteral("preview: memory it adds, any zoom"), mostMemory, QStringLiteral("MiB"), 60);
    Bench::report(QStringLiteral("preview: largest drawing buffer"),
                  form.PageImage->LargestBufferBytes() / (1024.0 * 1024.0), QStringLiteral("MiB"));
}
