#include "objects/TGPRichBaseLabel.h"

#include "platform/ScreenMetrics.h"
#include "report/TReport.h"

#include <QPainter>

QPicture TGPRichBaseLabel::MakeMetafile()
{
    QPicture picture;
    picture.setBoundingRect(QRect(0, 0, Width(), Height()));
    QPainter painter(&picture);
    PaintTo(painter);
    painter.end();
    // The frame is the box, also when the drawing is smaller (or empty).
    picture.setBoundingRect(QRect(0, 0, Width(), Height()));
    return picture;
}

// The recording keeps the text as text, so a PDF holds selectable text and
// a printer gets outlines at its own resolution.
void TGPRichBaseLabel::PrintTo(TReport &report, double left, double top)
{
    if (Width() < 1 || Height() < 1)
        return;
    const double ppi = ScreenMetrics::pixelsPerInch();
    const QPicture picture = MakeMetafile();
    report.stretchDraw(left + Left() / ppi, top + Top() / ppi, left + (Left() + Width()) / ppi,
                       top + (Top() + Height()) / ppi, picture, QRect(0, 0, Width(), Height()));
}
