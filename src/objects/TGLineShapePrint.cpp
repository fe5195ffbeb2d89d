#include "objects/TGLineShape.h"

#include "platform/ScreenMetrics.h"
#include "report/TReport.h"

// The pen's pixel width is handed over unconverted as hundredths of an inch:
// a 3-pixel line prints 0.03 inch wide whatever the screen's resolution.
void TGLineShape::PrintTo(TReport &report, double left, double top)
{
    const double ppi = ScreenMetrics::pixelsPerInch();
    report.setPen(Pen().color, Pen().style, -Pen().width, pmCopy);
    const int h = Pen().width / 2;
    const double x1 = left + Left() / ppi;
    const double y1 = top + (Top() + h) / ppi;
    const double x2 = left + (Left() + Width()) / ppi;
    const double y2 = top + (Top() + h + Height()) / ppi;
    switch (m_lineStyle) {
    case stHorizontal:
        report.moveTo(x1, y1);
        report.lineTo(x2, y1);
        break;
    case stVertical:
        report.moveTo(x1, y1);
        report.lineTo(x1, y2);
        break;
    case stAngleSlopingUp:
        report.moveTo(x1, y2);
        report.lineTo(x2, y1);
        break;
    case stAngleSlopingDown:
        report.moveTo(x1, y1);
        report.lineTo(x2, y2);
        break;
    }
}
