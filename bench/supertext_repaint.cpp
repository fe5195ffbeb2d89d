// Repaint time of a 72-point gradient SuperText at 150 %: the first paint
// builds the glyph layers, later paints of the unchanged text copy them.
// Run: QT_QPA_PLATFORM=offscreen build/karvello-bench-supertext_repaint

#include "effects/TGSuperText.h"
#include "platform/Canvas.h"
#include "platform/ScreenMetrics.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ScreenMetrics::setOverride(96);
    TGSuperText text;
    TFont font = text.Font();
    font.setSize(72, 96);
    text.SetFont(font);
    text.SetCaption("Business Cards");
    text.SetShadowDepth(3);
    text.SetOutlineWidth(1);
    text.SetSurfaceType(TGSuperText::stGradientFill);
    text.FitToText();
    text.SetZoom(1.5f);
    text.SetLayoutDirty();
    QImage card(text.Width(), text.Height(), QImage::Format_RGB32);

    const auto paint = [&] {
        card.fill(Qt::white);
        TCanvas canvas(&card, 96);
        text.Paint(canvas);
    };
    QElapsedTimer timer;
    timer.start();
    paint();
    const double first = timer.nsecsElapsed() / 1e6;

    constexpr int Rounds = 200;
    timer.restart();
    for (int i = 0; i < Rounds; ++i)
        paint();
    const double cached = timer.nsecsElapsed() / 1e6 / Rounds;

    // A change of caption each time: the layers are built on every paint.
    timer.restart();
    for (int i = 0; i < 20; ++i) {
        text.SetCaption(QStringLiteral("Business Cards %1").arg(i));
        paint();
    }
    const double rebuilt = timer.nsecsElapsed() / 1e6 / 20;

    std::printf("SuperText 72 pt gradient at 150 %% (%d x %d pixels)\n", text.Width(), text.Height());
    std::printf("  first paint:          %.2f ms\n", first);
    std::printf("  repaint, unchanged:   %.3f ms (limit 4 ms)\n", cached);
    std::printf("  repaint, new caption: %.2f ms\n", rebuilt);
    return cached < 4.0 ? 0 : 1;
}
