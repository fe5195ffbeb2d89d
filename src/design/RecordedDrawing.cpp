#include "design/RecordedDrawing.h"

#include "design/TGGraphicControl.h"
#include "platform/Canvas.h"
#include "platform/ScreenMetrics.h"
#include "report/ImageTarget.h"
#include "report/TReport.h"

#include <QPainter>

namespace RecordedDrawing {

QPicture record(QSize size, const std::function<void(QPainter &)> &paint)
{
    QPicture picture;
    const QRect frame(QPoint(0, 0), size);
    picture.setBoundingRect(frame);
    QPainter painter(&picture);
    paint(painter);
    painter.end();
    picture.setBoundingRect(frame);
    return picture;
}

QPicture recordCanvas(const TGGraphicControl &object, bool printText, const std::function<void(TCanvas &)> &paint)
{
    return record(QSize(object.Width(), object.Height()), [printText, &paint](QPainter &painter) {
        TCanvas canvas(&painter);
        canvas.setPrintText(printText);
        paint(canvas);
    });
}

bool printText(TReport &report)
{
    const int ppi = ScreenMetrics::pixelsPerInch();
    return !report.targetAs<ImageTarget>() || report.resolutionX() != ppi || report.resolutionY() != ppi;
}

void print(TReport &report, const TGGraphicControl &object, double left, double top, const QPicture &picture)
{
    if (object.Width() < 1 || object.Height() < 1)
        return;
    const double ppi = ScreenMetrics::pixelsPerInch();
    report.stretchDraw(left + object.Left() / ppi, top + object.Top() / ppi,
                       left + (object.Left() + object.Width()) / ppi, top + (object.Top() + object.Height()) / ppi,
                       picture, QRect(0, 0, object.Width(), object.Height()));
}

} // namespace RecordedDrawing
