#pragma once

#include "platform/Colors.h"

#include <QImage>
#include <QRectF>
#include <QStringList>
#include <QPoint>
#include <QRect>
#include <QSize>

class TCanvas;
class TReport;

// The side of an object on which a two-colour gradient reaches its "to"
// colour. Shared by the special-effect objects.
enum TFillDirection { gdUp, gdDown, gdLeft, gdRight };
QStringList fillDirectionNames();

// The surfaces the special-effect objects fill their outlines or letters
// with. A surface is never a platform brush: it is a bitmap (a gradient, a
// solid colour or a texture picture) tiled over the whole object rectangle
// while a clipping region of the figure cuts it to shape. On paper the
// gradient is drawn again band by band at the printer's resolution, so it
// stays smooth however fine the printer is.
namespace EffectSurfaces {

constexpr int GradientBands = 256;

// The colours at the start (top or left edge) and end (bottom or right) of
// a gradient from `base` towards `to` in `direction`, both resolved to RGB.
struct GradientEnds {
    TColor start;
    TColor end;
};
GradientEnds gradientEnds(TColor base, TColor to, TFillDirection direction);

// Colour of band 0..255: start + MulDiv(i, delta, 255) per component, each
// reduced to its low 8 bits. Band 0 is exactly the start, band 255 the end.
TColor bandColor(const GradientEnds &ends, int band);

// Pixel rectangle of band 0..255 over an area of width x height: bands run
// across for gdLeft and gdRight, down for gdUp and gdDown. Bands may be
// empty when the area is narrower than 256 pixels.
QRect bandRect(int band, int width, int height, TFillDirection direction);

// The gradient surface of an object: exactly width x height pixels. Null
// for an empty size.
QImage gradientBitmap(int width, int height, TColor base, TColor to, TFillDirection direction);

// The solid surface: width x height pixels of one colour. Null for an empty size.
QImage solidBitmap(int width, int height, TColor color);

// Tile size of a texture picture on the screen: its own size, scaled by the
// zoom (truncated) when the zoom is not exactly 1.0.
QSize textureTileSize(const QImage &texture, float zoom);

// Fills the canvas's current clipping region with `bitmap` stretched into
// tiles of `tile` from the object's (0, 0) until width x height is covered.
// An empty bitmap or tile draws nothing.
void tileSurface(TCanvas &canvas, const QImage &bitmap, QSize tile, int width, int height);

// What an object's PrintTo keeps while it prints: the job, the scale from
// screen pixels to printer pixels, the printer's unprintable offset and the
// card's origin on the page in printer pixels.
struct PrintState {
    TReport *report = nullptr;
    float scaleX = 1;
    float scaleY = 1;
    QPoint printerOffset; // truncated unprintable left and top margins, printer pixels
    QPoint printOrigin;   // truncated card origin, printer pixels from the sheet's corner
    float originX = 0;    // card origin in inches
    float originY = 0;
    qint64 colorCount = 256;

    // Fills the state for a card whose top-left corner is (x, y) inches on the page.
    static PrintState begin(TReport &report, double x, double y);

    // A pixel point of an object at (objectLeft, objectTop) on the card as a
    // printer point (device pixels: the unprintable offset taken off).
    QPoint printerPoint(int objectLeft, int objectTop, int px, int py) const;
    // The object's rectangle in printer pixels from the sheet's corner:
    // left and top truncated, width and height rounded half to even.
    QRect pageBox(int objectLeft, int objectTop, int width, int height) const;
    // The inch rectangle of a pixel rectangle (l, t, r, b) of an object.
    QRectF inchRect(int objectLeft, int objectTop, int l, int t, int r, int b) const;
};

// The screen's colour count: 2 to the power of its bits per pixel, 256 when
// that cannot be read.
qint64 screenColorCount();

// A page box is given by its corners (left, top) and (right, bottom) in
// printer pixels from the sheet's physical corner; right and bottom are
// corners, not the last pixel, so the box covers right - left + 1 pixels.
struct PageBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    static PageBox fromRect(const QRect &r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
};

// Prints `bitmap` as tiles over the box, each tile the bitmap's size scaled
// to the printer and stretched 0.01 inch further right and down so that
// neighbouring tiles overlap and no seam shows. `composed` (a preview on a
// screen of 256 colours or fewer) first paints all tiles into one bitmap of
// the box's size and prints that. The caller has selected the clip region.
void printTiles(const PrintState &state, const QImage &bitmap, const PageBox &box, bool composed);

// Prints a gradient over the box as 256 filled bands at the printer's own
// resolution. The bands divide the box itself, so the printed edges show the
// same colours as the screen; the fill reaches `extraWidth` x `extraHeight`
// printer pixels beyond the box (the end colour continues there) so that no
// rounding leaves a gap inside the clip region.
void printGradient(const PrintState &state, const PageBox &box, int extraWidth, int extraHeight,
                   TColor base, TColor to, TFillDirection direction);

} // namespace EffectSurfaces
