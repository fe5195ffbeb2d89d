#include "design/TGCursors.h"

#include <QPainter>
#include <QPixmap>

namespace {

QCursor magnifyCursor()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 4));
    p.drawEllipse(QRect(3, 3, 16, 16));
    p.drawLine(17, 17, 27, 27);
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(QRect(3, 3, 16, 16));
    p.setPen(QPen(Qt::black, 3));
    p.drawLine(17, 17, 27, 27);
    p.end();
    return QCursor(pixmap, 11, 11);
}

} // namespace

namespace TGCursors {

QCursor cursorFor(int number)
{
    switch (number) {
    case crHandGrab: return QCursor(Qt::OpenHandCursor);
    case crSizeNESW: return QCursor(Qt::SizeBDiagCursor);
    case crSizeNS: return QCursor(Qt::SizeVerCursor);
    case crSizeNWSE: return QCursor(Qt::SizeFDiagCursor);
    case crSizeWE: return QCursor(Qt::SizeHorCursor);
    case crHandPoint: return QCursor(Qt::PointingHandCursor);
    case crDrag: return QCursor(Qt::DragCopyCursor);
    case crMagnify: {
        static const QCursor cursor = magnifyCursor();
        return cursor;
    }
    default: return QCursor(Qt::ArrowCursor);
    }
}

} // namespace TGCursors
