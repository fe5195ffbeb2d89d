#include "report/ReportPage.h"

#include <QPainter>
#include <QRegion>

namespace ReportPage {

void maskUnprintable(QPainter &painter, const ReportDeviceMetrics &metrics)
{
    const QRegion outside = QRegion(QRect(QPoint(0, 0), metrics.page)).subtracted(metrics.printable);
    if (outside.isEmpty())
        return;
    painter.save();
    painter.setClipping(false);
    for (const QRect &r : outside)
        painter.fillRect(r, Qt::white);
    painter.restore();
}

} // namespace ReportPage
