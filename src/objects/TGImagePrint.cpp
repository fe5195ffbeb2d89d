#include "objects/TGImage.h"

#include "platform/ScreenMetrics.h"
#include "report/TReport.h"

// A bitmap prints at its own full resolution (a mirrored one at the box's
// size; a PNG and its kin mirrored at full resolution), a metafile or an SVG
// drawing as vectors; all stretched into the box's inches.
void TGImage::PrintTo(TReport &report, double left, double top)
{
    if (m_picture.IsEmpty())
        return;
    const double ppi = ScreenMetrics::pixelsPerInch();
    const double x1 = left + Left() / ppi;
    const double y1 = top + Top() / ppi;
    const double x2 = left + (Left() + Width()) / ppi;
    const double y2 = top + (Top() + Height()) / ppi;
    if (m_picture.IsImage())
        report.stretchDraw(x1, y1, x2, y2, m_picture.Bitmap().mirrored(m_reverse, m_flip));
    else if (m_picture.IsSvg())
        report.stretchDraw(x1, y1, x2, y2, m_picture.Svg()->Picture(m_reverse, m_flip), m_picture.Svg()->Frame());
    else if (m_picture.IsBitmap())
        report.stretchDraw(x1, y1, x2, y2, (m_flip || m_reverse) ? MirroredBitmap() : m_picture.Bitmap());
    else
        report.stretchDraw(x1, y1, x2, y2, m_picture.Metafile()->Picture());
    if (m_borderStyle == bsSingle) {
        report.setPen(clBlack, psSolid, 1, pmCopy);
        report.setBrush(clWhite, bsClear);
        report.rectangle(x1, y1, x2, y2);
    }
}
