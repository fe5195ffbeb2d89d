#include "objects/QRCodeDrawing.h"

#include "platform/Canvas.h"

#include <algorithm>

namespace QRCodeDrawing {

int SideModules(const QRMatrix &matrix, bool quietZone)
{
    return matrix.Size() + (quietZone ? 2 * QRMatrix::QuietModules : 0);
}

TPixelLayout PixelLayout(const QRect &box, int sideModules)
{
    TPixelLayout layout;
    layout.modules = std::max(1, sideModules);
    // At least a pixel a module: a smaller box is overrun rather than
    // losing modules.
    layout.side = std::max(layout.modules, std::min(box.width(), box.height()));
    layout.origin = QPoint(box.left() + (box.width() - layout.side) / 2, box.top() + (box.height() - layout.side) / 2);
    return layout;
}

QList<QRect> PixelRects(const QRMatrix &matrix, bool quietZone, const TPixelLayout &layout)
{
    const int q = quietZone ? QRMatrix::QuietModules : 0;
    QList<QRect> rects;
    for (const QRect &r : matrix.DarkRects()) {
        const QPoint topLeft(layout.Edge(q + r.x()), layout.Edge(q + r.y()));
        const QPoint end(layout.Edge(q + r.x() + r.width()), layout.Edge(q + r.y() + r.height()));
        rects.append(QRect(layout.origin + topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())));
    }
    return rects;
}

QList<QRect> PixelRects(const QRMatrix &matrix, bool quietZone, QPoint origin, int moduleX, int moduleY)
{
    const int q = quietZone ? QRMatrix::QuietModules : 0;
    QList<QRect> rects;
    for (const QRect &r : matrix.DarkRects())
        rects.append(QRect(origin.x() + (q + r.x()) * moduleX, origin.y() + (q + r.y()) * moduleY,
                           r.width() * moduleX, r.height() * moduleY));
    return rects;
}

QPainterPath VectorPath(const QRMatrix &matrix, bool quietZone, const QRectF &square)
{
    const int q = quietZone ? QRMatrix::QuietModules : 0;
    const double mx = square.width() / SideModules(matrix, quietZone);
    const double my = square.height() / SideModules(matrix, quietZone);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QRect &r : matrix.DarkRects())
        path.addRect(QRectF(square.left() + (q + r.x()) * mx, square.top() + (q + r.y()) * my, r.width() * mx,
                            r.height() * my));
    return path;
}

void Paint(TCanvas &canvas, const QRMatrix &matrix, const QRect &box, bool quietZone, TColor moduleColor,
           std::optional<TColor> background)
{
    const TPixelLayout layout = PixelLayout(box, SideModules(matrix, quietZone));
    TBrush brush;
    brush.style = bsSolid;
    if (background) {
        brush.color = *background;
        canvas.setBrush(brush);
        canvas.fillRect(layout.Square());
    }
    brush.color = moduleColor;
    canvas.setBrush(brush);
    for (const QRect &r : PixelRects(matrix, quietZone, layout))
        canvas.fillRect(r);
}

} // namespace QRCodeDrawing
