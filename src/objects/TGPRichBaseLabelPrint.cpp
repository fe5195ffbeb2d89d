#include "objects/TGPRichBaseLabel.h"

#include "design/RecordedDrawing.h"

QPicture TGPRichBaseLabel::MakeMetafile()
{
    return RecordedDrawing::record(QSize(Width(), Height()), [this](QPainter &painter) { PaintTo(painter); });
}

// The recording keeps the text as text, so a PDF holds selectable text and
// a printer gets outlines at its own resolution.
void TGPRichBaseLabel::PrintTo(TReport &report, double left, double top)
{
    if (Width() < 1 || Height() < 1)
        return;
    RecordedDrawing::print(report, *this, left, top, MakeMetafile());
}
