#pragma once

#include "design/TLPanelState.h"

#include <QImage>
#include <QRegion>

class TCanvas;

// What makes the panel look like a card: its shape, outline and grid, and
// the turn a background takes on an upright card.
namespace CardPainting {

// The card shape spanning (0, 0)-(width + 1, height + 1), in card pixels.
QRegion shapeRegion(TLabelShapeType shape, int width, int height);
// The dotted outline of the card shape.
void paintOutline(TCanvas &canvas, TLabelShapeType shape, int width, int height);
// The 8 x 8 grid pattern: green dots on white at (2, 2) and, for gs4x4,
// also (6, 2), (2, 6) and (6, 6).
QImage gridPattern(TGridSize size);
// The grid over whatever is painted, clipped to the card shape: the pattern
// is ANDed in, so white leaves the card unchanged.
void paintGrid(TCanvas &canvas, TLabelShapeType shape, TGridSize size, int width, int height);
// A picture stretched over the card, clipped to its shape.
void paintPicture(TCanvas &canvas, TLabelShapeType shape, const QImage &picture, int width, int height);

// A quarter turn clockwise: the top-left pixel ends at the top-right.
QImage rotateQuarterClockwise(const QImage &image);

} // namespace CardPainting
