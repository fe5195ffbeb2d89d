#pragma once

#include <QImage>

class TGBusinessCardPanel32;

// The fastest drawing Qt itself can do of the same card: the same text,
// rectangles, ellipses and lines at the same places, drawn with a bare
// QPainter without any of the card's rules (exclusive edges, effects
// through the canvas, selection, grid). A yardstick, not a replacement.
void paintYardstick(const TGBusinessCardPanel32 &panel, QImage &image, bool smooth = false);
