#pragma once

#include "objects/QRMatrix.h"
#include "platform/Colors.h"

#include <QPainterPath>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>

#include <optional>

class TCanvas;

// Where a code's modules fall. Modules are kept square and the code is
// centred in its box, filling its shorter side as it does on paper.
namespace QRCodeDrawing {

// Modules per side, with the quiet zone when it is on.
int SideModules(const QRMatrix &matrix, bool quietZone);

// The code on a pixel grid: the square it fills (quiet zone included),
// centred in `box`, and the module edges on whole pixels. Modules differ
// by at most one pixel, so the code is sharp and as large as it prints.
struct TPixelLayout {
    QPoint origin;
    int side = 0;    // pixels per side of the square
    int modules = 1; // modules per side
    int Edge(int module) const { return int(qint64(module) * side / modules); }
    QRect Square() const { return QRect(origin, QSize(side, side)); }
};
TPixelLayout PixelLayout(const QRect &box, int sideModules);

// The dark modules in whole pixels of `layout`.
QList<QRect> PixelRects(const QRMatrix &matrix, bool quietZone, const TPixelLayout &layout);
// The same with modules of moduleX x moduleY pixels from `origin` (devices
// whose resolution differs across and down).
QList<QRect> PixelRects(const QRMatrix &matrix, bool quietZone, QPoint origin, int moduleX, int moduleY);

// The dark modules as one path over `square` (the code with its quiet zone;
// square on paper, not necessarily in device units), for vector output.
QPainterPath VectorPath(const QRMatrix &matrix, bool quietZone, const QRectF &square);

// Paints the code centred in `box` on a canvas: the ground (unless
// `background` is empty, for a transparent code) and the modules.
void Paint(TCanvas &canvas, const QRMatrix &matrix, const QRect &box, bool quietZone, TColor moduleColor,
           std::optional<TColor> background);

} // namespace QRCodeDrawing
