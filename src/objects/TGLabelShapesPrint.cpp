#include "objects/TGLabelShapes.h"

#include "platform/Numbers.h"
#include "platform/ScreenMetrics.h"
#include "report/TReport.h"

// Shapes print as vector shapes: the outline pen becomes hundredths of an
// inch (a negative width for the job), so a thin screen outline stays thin
// on a high-resolution printer.
void TGLabelShapes::PrintTo(TReport &report, double left, double top)
{
    const double ppi = ScreenMetrics::pixelsPerInch();
    report.setPen(Pen().color, Pen().style, -Numbers::truncate(Pen().width / ppi * 100), Pen().mode);
    report.setBrush(m_brush.color, m_brush.style);
    const double x1 = left + Left() / ppi;
    const double y1 = top + Top() / ppi;
    const double x2 = left + (Left() + Width()) / ppi;
    const double y2 = top + (Top() + Height()) / ppi;
    switch (m_shape) {
    case stRectangle:
    case stSquare:
        report.rectangle(x1, y1, x2, y2);
        break;
    case stRoundRect:
    case stRoundSquare: {
        const double r = Height() < Width() ? x2 - x1 : y2 - y1;
        const double corner = m_roundPerc * 0.01 * r;
        report.roundRect(x1, y1, x2, y2, corner, corner);
        break;
    }
    case stEllipse:
    case stCircle:
        report.ellipse(x1, y1, x2, y2);
        break;
    }
}
