#include "effects/SuperShapeFigure.h"

#include "platform/Numbers.h"

#include <algorithm>
#include <cmath>
#include <numbers>

QStringList shapeKindNames()
{
    return {"gstRectangle",     "gstRoundRect",    "gstEllipse",    "gstDiamond",      "gstStar",
            "gstTriangleLeft", "gstTriangleRight", "gstTriangleUp", "gstTriangleDown", "gstPolyGon"};
}

QStringList shadowOrientNames()
{
    return {"soNone", "soLowerRight", "soUpperRight", "soUpperLeft", "soLowerLeft"};
}

namespace SuperShapeFigure {

Rects rects(const Params &p)
{
    int d = p.shadowDepth;
    if (p.zoom != 1.0f)
        d = Numbers::truncate(double(p.shadowDepth) * double(p.zoom));
    const int h = p.outlineWidth / 2;
    const int a = p.width - p.outlineWidth + 1;
    const int b = p.height - p.outlineWidth + 1;
    if (p.shape == gstDiamond && p.shadowOrient != soNone) {
        if (p.shadowOrient == soLowerRight || p.shadowOrient == soUpperRight)
            return {{h, h, a - d, b}, {h + d, h, a, b}};
        return {{h + d, h, a, b}, {h, h, a - d, b}};
    }
    switch (p.shadowOrient) {
    case soNone:
        break;
    case soLowerRight:
        return {{h, h, a - d, b - d}, {h + d, h + d, a, b}};
    case soUpperRight:
        return {{h, h + d, a - d, b}, {h + d, h, a, b - d}};
    case soUpperLeft:
        return {{h + d, h + d, a, b}, {h, h, a - d, b - d}};
    case soLowerLeft:
        return {{h + d, h, a, b - d}, {h, h + d, a - d, b}};
    }
    return {{h, h, a, b}, {0, 0, 0, 0}};
}

QPolygon polygonPoints(TGPShapeType shape, const Box &size, QPoint at)
{
    const int l = at.x();
    const int t = at.y();
    const int w = size.width();
    const int ht = size.height();
    switch (shape) {
    case gstDiamond:
        return QPolygon({{l + w / 2, t}, {l + w - 1, t + ht / 2}, {l + w / 2, t + ht - 1}, {l, t + ht / 2}});
    case gstTriangleLeft:
        return QPolygon({{l + w - 1, t}, {l + w - 1, t + ht - 1}, {l, t + ht / 2}});
    case gstTriangleRight:
        return QPolygon({{l, t}, {l + w - 1, t + ht / 2}, {l, t + ht - 1}});
    case gstTriangleUp:
        return QPolygon({{l + w / 2, t}, {l, t + ht - 1}, {l + w - 1, t + ht - 1}});
    case gstTriangleDown:
        return QPolygon({{l, t}, {l + w / 2, t + ht - 1}, {l + w - 1, t}});
    default:
        return QPolygon();
    }
}

QPolygon starPoints(int x, int y, int width, int height, QPoint offset, int vectors, int inVectorPercent,
                    int startingAngle)
{
    QPolygon points;
    if (vectors <= 0)
        return points;
    const int hw = width / 2;
    const int hh = height / 2;
    const int r = std::min(hw, hh) - 4;
    const double ri = r * (100 - inVectorPercent) * 0.01;
    points.reserve(vectors + 1);
    for (int m = 0; m <= vectors; ++m) {
        const double a = (360.0 / vectors * m - startingAngle) * std::numbers::pi / 180.0;
        const double radius = (m % 2 == 0) ? double(r) : ri;
        points.append(QPoint(Numbers::roundHalfEven(std::cos(a) * radius) + x + hw + offset.x(),
                             Numbers::roundHalfEven(std::sin(a) * radius) + y + hh + offset.y()));
    }
    return points;
}

int cornerSize(const Params &p)
{
    return Numbers::truncate(std::max(p.width, p.height) * (p.roundPerc * 0.01));
}

QPolygon figurePolygon(const Params &p, const Box &box, const Box &sizeBox)
{
    if (p.shape == gstStar || p.shape == gstPolyGon) {
        QPolygon points = starPoints(box.left, box.top, box.width(), box.height(), QPoint(), p.vectors,
                                     p.inVectorPercent, p.startingAngle);
        points.resize(std::min<qsizetype>(points.size(), p.vectors));
        return points;
    }
    return polygonPoints(p.shape, sizeBox, QPoint(box.left, box.top));
}

} // namespace SuperShapeFigure
