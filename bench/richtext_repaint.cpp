// Repaint time of a card with five rich-text objects at 150 % zoom: every
// frame loads each object's document into the one master engine and paints
// it, as the card panel does. The target is under 8 ms a frame.
// Run: QT_QPA_PLATFORM=offscreen build/bench_richtext_repaint

#include "design/Properties.h"
#include "design/TGBusinessCardPanel32.h"
#include "objects/TGPRichBaseLabel.h"
#include "platform/Canvas.h"
#include "platform/ScreenMetrics.h"
#include "richtext/TRichText.h"
#include "richtext/TRichTextEngine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

QByteArray document(int i)
{
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
           "{\\colortbl;\\red139\\green0\\blue0;\\red0\\green0\\blue255;}"
           "\\pard\\qc\\f1\\fs32\\b\\cf1 Jane Q. Doe " + QByteArray::number(i) + "\\par"
           "\\pard\\qc\\plain\\f0\\fs18\\i Senior Engineer\\i0  \\emdash  Caf\\'e9 & B\\'fcro\\par"
           "\\pard\\ql\\f0\\fs16\\cf2\\ul jane@example.com\\ulnone\\cf0\\tab +1 555 0100\\par"
           "\\pard\\qj\\fs14 A longer justified line that wraps across the width of the box.\\par}";
}

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ScreenMetrics::setOverride(96);
    registerCardClasses();
    QWidget window;
    TRichTextEngine::CreateMaster(&window);
    auto *panel = new TGBusinessCardPanel32(&window);
    panel->resize(336, 192);
    for (int i = 0; i < 5; ++i) {
        auto *o = new TGPRichBaseLabel(panel);
        o->SetRTFText(TRichText::fromRtf(document(i)));
        o->Loaded();
        panel->PlaceObject(o, QRect(8 + (i % 2) * 164, 8 + (i / 2) * 60, 156, 56));
    }
    panel->SetZoom(1.5f);
    QImage frame(panel->size(), QImage::Format_RGB32);

    // Wall time, and the thread's own processor time (which does not count
    // the time other programs on a busy machine take from it).
    double cpuMs = 0;
    auto paint = [&] {
        QElapsedTimer timer;
        const double cpuBefore = threadCpuMs();
        timer.start();
        TCanvas canvas(&frame);
        panel->PaintAll(canvas);
        cpuMs = threadCpuMs() - cpuBefore;
        return timer.nsecsElapsed() / 1e6;
    };
    const int parsesBefore = RichTextCache::parseCount();
    const double first = paint();
    if (argc > 1)
        frame.save(QString::fromLocal8Bit(argv[1])); // to look at what was measured
    const int parses = RichTextCache::parseCount() - parsesBefore;
    const int frames = 300;
    std::vector<double> times, cpuTimes;
    double total = 0;
    for (int i = 0; i < frames; ++i) {
        times.push_back(paint());
        cpuTimes.push_back(cpuMs);
        total += times.back();
    }
    std::sort(times.begin(), times.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    const double slowest = times.back();
    std::printf("card %dx%d at 150 %%, 5 rich-text objects\n", panel->width(), panel->height());
    std::printf("first frame %.2f ms (%d documents parsed)\n", first, parses);
    std::printf("%d frames: mean %.2f ms, median %.2f ms, 99th percentile %.2f ms, slowest %.2f ms\n", frames,
                total / frames, times[frames / 2], times[frames * 99 / 100], slowest);
    std::printf("processor time per frame: median %.2f ms, 99th percentile %.2f ms, slowest %.2f ms\n",
                cpuTimes[frames / 2], cpuTimes[frames * 99 / 100], cpuTimes.back());
    std::printf("documents parsed after the first frame: %d\n", RichTextCache::parseCount() - parsesBefore - parses);
    return 0;
}
