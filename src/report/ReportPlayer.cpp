#include "report/ReportPlayer.h"

#include "report/ReportPage.h"

#include <QPainter>
#include <cmath>
#include <utility>

ReportPlayer::ReportPlayer(RecordedJob job) : job_(std::move(job)) {}

bool ReportPlayer::play(int index, QPainter &painter, const QRectF &pageRect) const
{
    if (index < 0 || index >= job_.pageCount() || !job_.metrics.isValid())
        return false;
    const ReportDeviceMetrics &m = job_.metrics;
    painter.save();
    painter.translate(pageRect.topLeft());
    painter.scale(pageRect.width() / m.page.width(), pageRect.height() / m.page.height());
    painter.fillRect(QRect(QPoint(0, 0), m.page), Qt::white);
    painter.save();
    painter.translate(m.printable.topLeft());
    ReportPage::playPicture(painter, job_.pages.at(index));
    painter.restore();
    ReportPage::maskUnprintable(painter, m);
    painter.restore();
    return true;
}

QImage ReportPlayer::render(int index, double pixelsPerInch) const
{
    if (index < 0 || index >= job_.pageCount())
        return {};
    const QSizeF inches = pageSizeInches();
    QImage image(std::lround(inches.width() * pixelsPerInch), std::lround(inches.height() * pixelsPerInch),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    play(index, painter, QRectF(QPointF(0, 0), image.size()));
    return image;
}
