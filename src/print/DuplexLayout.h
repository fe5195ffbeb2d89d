#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

// Double-sided sheets. A sheet turned over its long edge (or its short
// edge) shows on its back the page mirrored across the middle line along
// that edge, so a card's back lands behind its front at the mirrored place:
// on a sheet of upright pages a long-edge flip mirrors the columns (column
// c of `Across` is printed at column Across - 1 - c, the left and right
// margins swapped), a short-edge flip mirrors the rows.
enum TDuplexFlip { dfNone, dfLongEdge, dfShortEdge };

namespace DuplexLayout {

// Where the back of the card whose front fills `front` (inches from the
// page's top-left corner) is printed on a page of `page` size (as the job
// draws it: a landscape job has the long edge across). `backOffset`, in
// inches, moves back pages alone, for printers whose duplex path shifts
// the sheet.
QRectF BackRect(const QRectF &front, QSizeF page, TDuplexFlip flip, QPointF backOffset = {});

// The position (row x across + column) at which the back of position
// `index` is printed, for cards laid out upright on an upright page
// (rows down, columns across).
int BackPosition(int index, int across, int down, TDuplexFlip flip);

// The choice of "Print Cards" and the back offset, in the settings file.
TDuplexFlip Remembered();
void Remember(TDuplexFlip flip);
// "BackOffsetX" / "BackOffsetY" of the "Printer" section, 1/32 inch each,
// at most one inch either way.
QPointF BackOffset();

} // namespace DuplexLayout
