#include "design/CardPainting.h"

#include "platform/Canvas.h"
#include "platform/CanvasRegions.h"

namespace {
constexpr int kCardCorner = 24;
constexpr TColor kGridColor = clGreen;

void clipToShape(TCanvas &canvas, TLabelShapeType shape, int width, int height)
{
    canvas.selectClipRegion(CardPainting::shapeRegion(shape, width, height).translated(canvas.origin()));
}
} // namespace

namespace CardPainting {

QRegion shapeRegion(TLabelShapeType shape, int width, int height)
{
    switch (shape) {
    case lsRoundRect:
        return CanvasRegions::roundRect(0, 0, width + 1, height + 1, kCardCorner, kCardCorner);
    case lsEllipse:
        return CanvasRegions::ellipse(0, 0, width + 1, height + 1);
    case lsRectangle:
        break;
    }
    return CanvasRegions::rect(0, 0, width + 1, height + 1);
}

void paintOutline(TCanvas &canvas, TLabelShapeType shape, int width, int height)
{
    canvas.setPen(TPen{clBlack, 1, psDot, pmCopy});
    canvas.setBrush(TBrush{clWhite, bsClear, {}});
    switch (shape) {
    case lsRectangle: canvas.rectangle(0, 0, width, height); break;
    case lsRoundRect: canvas.roundRect(0, 0, width, height, kCardCorner, kCardCorner); break;
    case lsEllipse: canvas.ellipse(0, 0, width, height); break;
    }
    canvas.setPen(TPen());
}

QImage gridPattern(TGridSize size)
{
    QImage pattern(8, 8, QImage::Format_RGB32);
    pattern.fill(Qt::white);
    const QRgb dot = Colors::toQColor(kGridColor).rgb();
    pattern.setPixel(2, 2, dot);
    if (size == gs4x4) {
        pattern.setPixel(6, 2, dot);
        pattern.setPixel(2, 6, dot);
        pattern.setPixel(6, 6, dot);
    }
    return pattern;
}

void paintGrid(TCanvas &canvas, TLabelShapeType shape, TGridSize size, int width, int height)
{
    clipToShape(canvas, shape, width, height);
    canvas.setBrush(TBrush{kGridColor, bsSolid, gridPattern(size)});
    canvas.fillRect(QRect(0, 0, width, height), pmMask);
    canvas.clearClip();
    canvas.setBrush(TBrush());
}

void paintPicture(TCanvas &canvas, TLabelShapeType shape, const QImage &picture, int width, int height)
{
    clipToShape(canvas, shape, width, height);
    canvas.stretchDraw(QRect(0, 0, width, height), picture);
    canvas.clearClip();
}

QImage rotateQuarterClockwise(const QImage &image)
{
    // Qt's y axis points down, so +90 degrees turns clockwise; quarter turns
    // move whole pixels.
    return image.transformed(QTransform().rotate(90));
}

} // namespace CardPainting
