#pragma once

#include "print/SheetGeometry.h"

#include <QLineF>
#include <QList>
#include <QSizeF>

class TReport;

// Cut marks for cards printed on plain paper: short lines in the sheet's
// margins that continue every card edge, so that the cards can be cut out
// with a ruler. They lie outside the block of cards, never on a card.
namespace CutMarks {

// Space between the cards and a mark, and a mark's full length, in inches.
constexpr double Gap = 1.0 / 16;
constexpr double Length = 0.25;

// The marks in inches from the page's top-left corner, for every position
// of the layout. A margin too narrow for a mark gets none; a mark that
// would run off the page is shortened.
QList<QLineF> Lines(const TSheetGeometry &geometry, bool portrait, const QSizeF &pageInches);

// Draws them in thin black on the job's current page.
void Print(TReport &job, const TSheetGeometry &geometry, bool portrait);

// Whether "Print cut marks" is ticked (section "Printer" of the settings file).
bool Remembered();
void Remember(bool on);

} // namespace CutMarks
