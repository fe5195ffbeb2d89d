#include "print/SheetGeometry.h"

TSheetGeometry TSheetGeometry::FromLayout(const SheetLayout &layout, const TSheetNudges &nudges)
{
    TSheetGeometry g;
    g.CardHeight = layout.Height;
    g.CardWidth = layout.Width;
    g.Across = layout.Across;
    g.Down = layout.Down;
    g.Top = layout.TopMargin + nudges.TopMarginNudge / 32.0;
    g.Left = layout.LeftMargin + nudges.LeftMarginNudge / 32.0;
    g.VerticalPitch = layout.VPitch + nudges.VerticalSpacing / 32.0;
    g.HorizontalPitch = layout.HPitch + nudges.HorizontalSpacing / 32.0;
    return g;
}

QPointF TSheetGeometry::CardOrigin(int row, int column, bool portrait, double pageHeight) const
{
    if (!portrait)
        return {Left + column * HorizontalPitch, Top + row * VerticalPitch};
    return {Top + row * VerticalPitch, pageHeight - Left - (column + 1) * HorizontalPitch};
}

QSizeF TSheetGeometry::CellSize(bool portrait) const
{
    return portrait ? QSizeF(CardHeight, CardWidth) : QSizeF(CardWidth, CardHeight);
}
