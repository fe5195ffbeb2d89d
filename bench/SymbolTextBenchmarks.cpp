// Figures of the symbol fonts and the multi-line label: drawing a Wingdings
// symbol through the Unicode table against a plain text label, and word
// wrapping a full editor's worth of text.
#include "Bench.h"

#include "objects/TGBusinessCardLabel.h"
#include "objects/TGMultiLineLabel.h"
#include "objects/TGSymbolLabel.h"
#include "platform/Canvas.h"
#include "platform/ScreenMetrics.h"

#include <QImage>

namespace {

double paintMs(TGBaseLabel &label)
{
    QImage image(label.Width(), label.Height(), QImage::Format_RGB32);
    return Bench::medianMs(200, [&] {
        image.fill(Qt::white);
        TCanvas canvas(&image);
        label.SetLayoutDirty();
        label.PaintTo(canvas);
    });
}

} // namespace

KARVELLO_BENCH("symbol fonts")
{
    TGSymbolLabel symbol;
    symbol.SetCaption("(");
    symbol.SetBounds(0, 0, 60, 60);
    TGBusinessCardLabel text;
    text.SetCaption("(");
    TFont font = symbol.Font();
    font.name = "Arial";
    text.SetFont(font);
    text.SetBounds(0, 0, 60, 60);
    Bench::report("Symbol label paint, Wingdings 24 pt", paintMs(symbol), "ms");
    Bench::report("Text label paint, Arial 24 pt", paintMs(text), "ms");

    TGMultiLineLabel lines;
    lines.SetBounds(0, 0, 100, 200);
    lines.SetItems({QString("Karvello Printing Ltd. ").repeated(11).left(254)});
    lines.SetWordWrap(true);
    Bench::report("Multi-line rewrap, 254 chars, 100 px",
                  Bench::medianMs(50, [&] { lines.Rewrap(); }), "ms");
}
