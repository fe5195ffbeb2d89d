// Repainting a 72-point gradient SuperText at 150 %: the glyph layers of an
// unchanged caption, font and size are cached, so a frame is one copy.
#include "Bench.h"

#include "design/TGBusinessCardPanel32.h"
#include "effects/TGSuperText.h"
#include "platform/Canvas.h"

#include <QImage>

KARVELLO_BENCH("supertext repaint")
{
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    auto *text = new TGSuperText(&panel);
    text->Loaded();
    panel.PlaceObject(text, QRect(5, 5, 300, 100));
    TFont font = text->Font();
    font.setSize(72, 96);
    text->SetFont(font);
    text->SetCaption("Cards");
    text->SetShadowDepth(3);
    text->FitToText();
    panel.SetZoom(1.5f);
    QImage frame(panel.size(), QImage::Format_RGB32);
    const double cached = Bench::medianMs(50, [&] {
        TCanvas canvas(&frame);
        panel.PaintAll(canvas);
    });
    Bench::report("supertext: 72 pt gradient text at 150 %, one frame", cached, "ms", 4);
    int round = 0;
    const double rebuilt = Bench::medianMs(10, [&] {
        text->SetCaption(round++ % 2 ? "Cards" : "Card5");
        TCanvas canvas(&frame);
        panel.PaintAll(canvas);
    });
    Bench::report("supertext: the same after each change of caption", rebuilt, "ms");
}
