// Memory and repaint time of the print preview at every zoom step, with a
// card that has a bitmap background (the most expensive thing a preview
// draws). Run: QT_QPA_PLATFORM=offscreen build/karvello-bench

#include "design/TGBusinessCardPanel32.h"
#include "objects/TBCShapes.h"
#include "platform/ScreenMetrics.h"
#include "print/TCardSheetPrinter.h"
#include "print/TPreviewForm.h"
#include "print/TPreviewPage.h"
#include "report/RecordedTarget.h"
#include "report/ReportPlayer.h"
#include "report/ReportPage.h"
#include <QPicture>
#include "report/TReport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

// Resident and peak resident memory of this process in MiB.
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

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ScreenMetrics::setOverride(96);
    QTemporaryDir dir;
    const QString background = dir.filePath(QStringLiteral("bg.bmp"));
    QImage art(1050, 600, QImage::Format_RGB32);
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x)
            art.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    art.save(background, "BMP");

    const RecordedJob job = recording(background);
    const double before = statusMiB("VmRSS:");
    TPreviewForm form(job);
    form.resize(1024, 768);
    form.show();
    QApplication::processEvents();
    std::printf("RSS before the preview %.1f MiB, with it shown %.1f MiB\n\n", before, statusMiB("VmRSS:"));
    std::printf("zoom  RSS MiB  preview's peak MiB  largest buffer KiB  cache KiB  wheel steps  "
                "slowest ms  mean ms\n");
    for (const int zoom : {10, 25, 50, 100, 150, 200, 300, 400, 600, 800}) {
        form.SetZoomFactor(zoom);
        QApplication::processEvents();
        QScrollBar *down = form.ScrollBox1->verticalScrollBar();
        QScrollBar *across = form.ScrollBox1->horizontalScrollBar();
        across->setValue(across->maximum() / 3);
        qint64 slowest = 0, total = 0;
        int steps = 0;
        // Down the page a wheel step (3 lines of 20 pixels) at a time, with
        // a frame's worth of idle time between steps.
        for (int y = 0; y <= down->maximum() && steps < 200; y += 60, ++steps) {
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
        std::printf("%4d  %7.1f  %18.1f  %18lld  %9lld  %11d  %10lld  %7.1f\n", zoom, statusMiB("VmRSS:"),
                    statusMiB("VmHWM:") - before, form.PageImage->LargestBufferBytes() / 1024,
                    form.PageImage->CachedBytes() / 1024, steps, slowest, steps ? double(total) / steps : 0.0);
    }
    return 0;
}
