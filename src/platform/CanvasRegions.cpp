#include "platform/CanvasRegions.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace CanvasRegions {

QRegion rect(int l, int t, int r, int b)
{
    return QRegion(QRect(QPoint(l, t), QPoint(r - 1, b - 1)).normalized());
}

QRegion fromPath(const QPainterPath &path)
{
    const QRect bounds = path.boundingRect().toAlignedRect();
    if (bounds.isEmpty())
        return QRegion();
    QImage mask(bounds.size(), QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.translate(-bounds.topLeft());
        painter.fillPath(path, Qt::white);
    }
    // Row runs in top-to-bottom, left-to-right order form a valid banded
    // rectangle list, so the region is built in one step.
    QList<QRect> runs;
    for (int y = 0; y < mask.height(); ++y) {
        const uchar *row = mask.constScanLine(y);
        int x = 0;
        while (x < mask.width()) {
            if (!row[x]) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < mask.width() && row[x])
                ++x;
            runs.append(QRect(bounds.left() + start, bounds.top() + y, x - start, 1));
        }
    }
    QRegion region;
    region.setRects(runs.constData(), int(runs.size()));
    return region;
}

QRegion ellipse(int l, int t, int r, int b)
{
    QPainterPath path;
    path.addEllipse(QRectF(QPointF(l, t), QPointF(r, b)).normalized());
    return fromPath(path);
}

QRegion roundRect(int l, int t, int r, int b, int cornerW, int cornerH)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(l, t), QPointF(r, b)).normalized(), cornerW / 2.0, cornerH / 2.0);
    return fromPath(path);
}

QRegion polygon(const QPolygon &points, Qt::FillRule rule)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    path.setFillRule(rule);
    return fromPath(path);
}

} // namespace CanvasRegions
