#include "report/ReportPage.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPicture>
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

void playPicture(QPainter &painter, const QPicture &picture)
{
    const QPaintDevice *device = painter.device();
    painter.save();
    if (device && device->logicalDpiX() > 0 && device->logicalDpiY() > 0)
        painter.scale(double(picture.logicalDpiX()) / device->logicalDpiX(),
                      double(picture.logicalDpiY()) / device->logicalDpiY());
    painter.drawPicture(0, 0, picture);
    painter.restore();
}

} // namespace ReportPage
