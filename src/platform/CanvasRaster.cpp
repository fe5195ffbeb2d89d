#include "platform/CanvasRaster.h"

#include <QSet>
#include <algorithm>
#include <cstdlib>

namespace CanvasRaster {

std::vector<QPoint> linePixels(QPoint from, QPoint to)
{
    std::vector<QPoint> pixels;
    const int dx = std::abs(to.x() - from.x());
    const int dy = std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1;
    const int sy = from.y() < to.y() ? 1 : -1;
    const int steps = std::max(dx, dy);
    pixels.reserve(std::size_t(steps));
    int x = from.x();
    int y = from.y();
    int error = dx - dy;
    for (int i = 0; i < steps; ++i) {
        pixels.emplace_back(x, y);
        const int twice = 2 * error;
        if (twice > -dy) {
            error -= dy;
            x += sx;
        }
        if (twice < dx) {
            error += dx;
            y += sy;
        }
    }
    return pixels;
}

std::vector<QPoint> outlinePixels(const QPolygon &vertices, bool closed)
{
    std::vector<QPoint> pixels;
    const int count = int(vertices.size());
    const int segments = closed ? count : count - 1;
    for (int i = 0; i < segments; ++i) {
        const auto line = linePixels(vertices[i], vertices[(i + 1) % count]);
        pixels.insert(pixels.end(), line.begin(), line.end());
    }
    if (closed && pixels.empty() && count > 0)
        pixels.push_back(vertices[0]); // a figure shrunk to one point
    // Figures that fold back over themselves (a rectangle one pixel wide)
    // would otherwise touch pixels twice, which undoes exclusive-or drawing.
    QSet<QPoint> seen;
    std::vector<QPoint> once;
    once.reserve(pixels.size());
    for (const QPoint &p : pixels) {
        if (!seen.contains(p)) {
            seen.insert(p);
            once.push_back(p);
        }
    }
    return once;
}

std::vector<int> dashPattern(TPenStyle style)
{
    switch (style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

void splitDashes(const std::vector<QPoint> &pixels, const std::vector<int> &pattern,
                 std::vector<QPoint> &on, std::vector<QPoint> &off)
{
    if (pattern.empty()) {
        on.insert(on.end(), pixels.begin(), pixels.end());
        return;
    }
    std::size_t run = 0;
    int left = pattern[0];
    for (const QPoint &p : pixels) {
        (run % 2 == 0 ? on : off).push_back(p);
        if (--left == 0) {
            run = (run + 1) % pattern.size();
            left = pattern[run];
        }
    }
}

QList<QRect> spans(std::vector<QPoint> pixels)
{
    std::sort(pixels.begin(), pixels.end(), [](QPoint a, QPoint b) {
        return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
    });
    QList<QRect> rects;
    for (const QPoint &p : pixels) {
        if (!rects.isEmpty()) {
            QRect &last = rects.last();
            if (last.top() == p.y() && last.right() + 1 == p.x()) {
                last.setRight(p.x());
                continue;
            }
        }
        rects.append(QRect(p, QSize(1, 1)));
    }
    return rects;
}

Ink ink(TPenMode mode, const QColor &color, bool rasterOpsSupported)
{
    using CM = QPainter::CompositionMode;
    Ink result;
    result.color = color;
    switch (mode) {
    case pmNop: result.draws = false; return result;
    case pmCopy: return result;
    case pmBlack: result.color = Qt::black; return result;
    case pmWhite: result.color = Qt::white; return result;
    case pmNotCopy: result.color = QColor(~color.rgb() | 0xff000000u); return result;
    default: break;
    }
    if (!rasterOpsSupported)
        return result;
    static const CM modes[] = {
        CM::RasterOp_NotDestination,              // pmNot
        CM::CompositionMode_SourceOver,           // pmCopy (handled above)
        CM::CompositionMode_SourceOver,           // pmNotCopy (handled above)
        CM::RasterOp_SourceOrNotDestination,      // pmMergePenNot
        CM::RasterOp_SourceAndNotDestination,     // pmMaskPenNot
        CM::RasterOp_NotSourceOrDestination,      // pmMergeNotPen
        CM::RasterOp_NotSourceAndDestination,     // pmMaskNotPen
        CM::RasterOp_SourceOrDestination,         // pmMerge
        CM::RasterOp_NotSourceAndNotDestination,  // pmNotMerge
        CM::RasterOp_SourceAndDestination,        // pmMask
        CM::RasterOp_NotSourceOrNotDestination,   // pmNotMask
        CM::RasterOp_SourceXorDestination,        // pmXor
        CM::RasterOp_NotSourceXorDestination,     // pmNotXor
    };
    result.composition = modes[mode - pmNot];
    return result;
}

} // namespace CanvasRaster
