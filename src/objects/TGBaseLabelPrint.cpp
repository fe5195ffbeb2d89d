#include "objects/TGBaseLabel.h"

#include "design/RecordedDrawing.h"

QPicture TGBaseLabel::MakeMetafile()
{
    return RecordedDrawing::record(QSize(Width(), Height()), [this](QPainter &painter) { PaintTo(painter); });
}

// Text prints as the screen drawing recorded and stretched over the label's
// box in inches, so the printed label looks exactly like the one on screen.
void TGBaseLabel::PrintTo(TReport &report, double left, double top)
{
    if (Width() < 1 || Height() < 1)
        return;
    RecordedDrawing::print(report, *this, left, top, MakeMetafile());
}
