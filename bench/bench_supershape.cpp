// Repainting a card of ten multi-purpose shapes at 150 %: the surfaces are
// cached bitmaps, so a frame is clip regions and tile draws only.
#include "Bench.h"

#include "design/TGBusinessCardPanel32.h"
#include "effects/TSuperShape.h"
#include "platform/Canvas.h"

#include <QImage>

KARVELLO_BENCH("supershape repaint")
{
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    QImage texture(24, 24, QImage::Format_RGB32);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            texture.setPixel(x, y, qRgb(x * 10, y * 10, 128));
    for (int i = 0; i < 10; ++i) {
        auto *s = new TSuperShape(&panel);
        s->Loaded();
        panel.PlaceObject(s, QRect(10 + (i % 5) * 62, 10 + (i / 5) * 90, 90, 80));
        s->SetShape(TGPShapeType(i % 9));
        s->SetShadowOrient(soLowerRight);
        if (i % 2) {
            s->SetSurfaceType(TSuperShape::stBrushImage);
            s->SetImage(texture);
        }
    }
    panel.SetZoom(1.5f);
    QImage frame(panel.size(), QImage::Format_RGB32);
    const double ms = Bench::medianMs(50, [&] {
        TCanvas canvas(&frame);
        panel.PaintAll(canvas);
    });
    Bench::report("supershape: ten gradient/texture shapes at 150 %, one frame", ms, "ms", 8);
}
