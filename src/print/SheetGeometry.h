#pragma once

#include "design/SheetLayout.h"

#include <QPointF>
#include <QSizeF>

// Fine-tuning offsets of the printed sheet, in 1/32 inch.
struct TSheetNudges {
    int TopMarginNudge = 0;
    int LeftMarginNudge = 0;
    int VerticalSpacing = 0;
    int HorizontalSpacing = 0;
};

// Where the cards of a sheet land at print time: the layout with the
// fine-tuning nudges added, in inches.
struct TSheetGeometry {
    double CardHeight = 2.0;
    double CardWidth = 3.5;
    int Across = 2;
    int Down = 5;
    double Top = 0.5;
    double Left = 0.75;
    double HorizontalPitch = 3.5;
    double VerticalPitch = 2.0;

    static TSheetGeometry FromLayout(const SheetLayout &layout, const TSheetNudges &nudges = {});

    int PositionCount() const { return Across * Down; }
    // The card's top-left corner on the page. A portrait card goes on a
    // landscape page: rows run left to right and columns bottom to top.
    QPointF CardOrigin(int row, int column, bool portrait, double pageHeight) const;
    // The card's cell on the page (turned for a portrait card).
    QSizeF CellSize(bool portrait) const;
};
