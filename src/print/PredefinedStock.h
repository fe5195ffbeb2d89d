#pragma once

#include "design/SheetLayout.h"

#include <QString>
#include <QStringList>

// The built-in table of pre-cut card stocks. The stock index is what layouts
// store (PredefLayout), so the table order is part of the file format; the
// layout dialog lists the same names in a display order of its own.
namespace PredefinedStock {

constexpr int Count = 26;

struct Stock {
    const char *Name;
    int Papersize;
    float Height, Width;
    int Down;
    float TopMargin, LeftMargin, HPitch, VPitch;
    // Every stock is two cards across.
    static constexpr int Across = 2;
};

// The stock with the given index; `index` must lie in 0 .. Count - 1.
const Stock &At(int index);

// The 26 names in stock-index order and in display order.
QStringList LayoutNames();
QStringList DisplayNames();

// The display position whose name equals the name of stock `index`; 1 when
// no name matches (also for an index outside the table).
int LayoutToDisplay(int index);
// The stock index whose name equals the name at display `position`; 0 when
// no name matches (also for a position outside the list).
int DisplayToLayout(int position);

// Copies the stock's card size, Across, Down, margins, pitches and paper into
// `layout`; PredefLayout and Portrait are left alone.
void ApplyTo(int index, SheetLayout &layout);

} // namespace PredefinedStock
