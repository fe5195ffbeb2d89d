#pragma once

#include <QPointF>

class QColor;
class QFont;
class QPainter;
class QString;

// Large letters drawn from a cache of their pixels.
//
// Qt keeps the pixels of letters up to 64 device pixels high; larger ones
// (a label zoomed to 800 %, or 400 % on a HiDPI screen) are filled from the
// font's outlines on every repaint, which costs a frame's budget for a
// screenful of text. Here each run of such text is drawn once into a
// transparent image at its exact position within a device pixel, in tiles
// as far as it shows, and copied to the screen after that, so repaints
// cost a copy.
namespace LargeTextCache {

// Draws `text` as QPainter::drawText(at, text) would with `font` and
// `color`, from the cache when that is worth it: on the GUI thread, on a
// raster device, unrotated, and with letters above Qt's own cache size.
// Returns false, having drawn nothing, in every other case.
bool draw(QPainter &painter, QPointF at, const QFont &font, const QColor &color, const QString &text);

// Drops every cached image (tests; memory pressure).
void clear();
// How many tiles of text are cached now (tests).
int size();

} // namespace LargeTextCache
