#include "objects/TGBaseLabel.h"

#include "platform/ScreenMetrics.h"
#include "report/TReport.h"

#include <QPainter>

QPicture TGBaseLabel::MakeMetafile()
{
    QPicture picture;
    picture.setBoundingRect(QRect(0, 0, Width(), Height()));
    QPainter painter(&picture);
    PaintTo(painter);
    painter.end();
    // The frame is the label's box, also when the drawing is smaller.
    picture.setBoundingRect(QRect(0, 0, Width(), Height()));
    return picture;
}

// Text prints as the screen drawing recorded and stretched over the label's
// box in inches, so the printed label looks exactly like the one on screen.
void TGBaseLabel::PrintTo(TReport &report, double left, double top)
{
    if (Width() < 1 || Height() < 1)
        return;
    const double ppi = ScreenMetrics::pixelsPerInch();
    const QPicture picture = MakeMetafile();
    report.stretchDraw(left + Left() / ppi, top + Top() / ppi, left + (Left() + Width()) / ppi,
                       top + (Top() + Height()) / ppi, picture, QRect(0, 0, Width(), Height()));
}
