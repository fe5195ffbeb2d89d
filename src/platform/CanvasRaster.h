#pragma once

#include "platform/Pen.h"

#include <QColor>
#include <QList>
#include <QPainter>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <vector>

// The pixel rules behind TCanvas: which pixels a one-pixel line covers, how
// the dash styles run along it, and how a pen mode mixes with the picture.
namespace CanvasRaster {

// Pixels of a one-pixel line from `from` towards `to`, the end point left
// out (a zero-length line has no pixels).
std::vector<QPoint> linePixels(QPoint from, QPoint to);

// Pixels of a figure through the vertices, each once, in drawing order; a
// closed figure joins the last vertex back to the first.
std::vector<QPoint> outlinePixels(const QPolygon &vertices, bool closed);

// The on/off run lengths of a cosmetic pen style; empty for solid styles.
std::vector<int> dashPattern(TPenStyle style);

// Splits pixels into those on a dash and those in a gap, the pattern
// starting afresh at the first pixel.
void splitDashes(const std::vector<QPoint> &pixels, const std::vector<int> &pattern,
                 std::vector<QPoint> &on, std::vector<QPoint> &off);

// Joins horizontally adjacent pixels of a row into one-row rectangles.
QList<QRect> spans(std::vector<QPoint> pixels);

// How to paint with a pen mode: whether anything is drawn, the painter's
// composition mode and the colour that goes in (pmBlack, pmWhite and
// pmNotCopy become plain copies of black, white and the inverted colour).
struct Ink {
    bool draws = true;
    QPainter::CompositionMode composition = QPainter::CompositionMode_SourceOver;
    QColor color;
};
Ink ink(TPenMode mode, const QColor &color, bool rasterOpsSupported);

} // namespace CanvasRaster
