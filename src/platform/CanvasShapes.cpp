#include "platform/Canvas.h"

#include "platform/CanvasRaster.h"

#include <utility>

// Shapes of TCanvas: rectangles, curves, lines and polygons with the pen
// geometry described in Canvas.h.

namespace {

// The pixels of `outer` that are not in `inner`, as up to four bands.
QList<QRect> frameBands(const QRect &outer, const QRect &inner)
{
    if (inner.isEmpty())
        return {outer};
    return {
        QRect(outer.left(), outer.top(), outer.width(), inner.top() - outer.top()),
        QRect(outer.left(), inner.bottom() + 1, outer.width(), outer.bottom() - inner.bottom()),
        QRect(outer.left(), inner.top(), inner.left() - outer.left(), inner.height()),
        QRect(inner.right() + 1, inner.top(), outer.right() - inner.right(), inner.height()),
    };
}

void normalise(int &l, int &t, int &r, int &b)
{
    if (r < l)
        std::swap(l, r);
    if (b < t)
        std::swap(t, b);
}

QPainterPath rectPath(const QRectF &box)
{
    QPainterPath path;
    if (box.width() > 0 && box.height() > 0)
        path.addRect(box);
    return path;
}

} // namespace

int TCanvas::penPixels() const { return m_pen.width > 1 ? m_pen.width : 1; }

bool TCanvas::dashed() const
{
    return penPixels() == 1 && !CanvasRaster::dashPattern(m_pen.style).empty();
}

QPen TCanvas::qPen(const QColor &color) const
{
    QPen pen(color, penPixels(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (penPixels() == 1) {
        pen.setCosmetic(true);
        const auto pattern = CanvasRaster::dashPattern(m_pen.style);
        if (!pattern.empty())
            pen.setDashPattern(QList<qreal>(pattern.begin(), pattern.end()));
    }
    return pen;
}

QRect TCanvas::penOuterBox(int l, int t, int r, int b) const
{
    const int w = penPixels();
    if (w == 1 || m_pen.style == psInsideFrame)
        return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
    const int before = w / 2;
    const int after = w - before - 1;
    return QRect(QPoint(l - before, t - before), QPoint(r - 1 + after, b - 1 + after));
}

void TCanvas::rectangle(const QRect &rect)
{
    rectangle(rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height());
}

void TCanvas::rectangle(int l, int t, int r, int b)
{
    normalise(l, t, r, b);
    if (m_pen.style == psClear) {
        // Without a pen the platform leaves out the last column and row.
        fillArea(rectPath(QRectF(l, t, r - l - 1, b - t - 1)), m_pen.mode);
        return;
    }
    if (penPixels() == 1 && m_hairline < 1.0 && !dashed()) {
        // A hairline just inside the box: the outline encloses the same
        // logical pixels as on a normal screen.
        const QRectF outer(l, t, r - l, b - t);
        const QRectF inner = outer.adjusted(m_hairline, m_hairline, -m_hairline, -m_hairline);
        if (!inner.isEmpty())
            fillArea(rectPath(inner), m_pen.mode);
        QPainterPath frame = rectPath(outer);
        frame.addPath(rectPath(inner));
        frame.setFillRule(Qt::OddEvenFill);
        fillWithPen(frame);
        return;
    }
    const QRect outer = penOuterBox(l, t, r, b);
    const int w = penPixels();
    const QRect inner = outer.adjusted(w, w, -w, -w);
    if (!inner.isEmpty())
        fillArea(rectPath(QRectF(inner)), m_pen.mode);
    if (dashed())
        strokeOutline(QPolygon({QPoint(l, t), QPoint(r - 1, t), QPoint(r - 1, b - 1), QPoint(l, b - 1)}), true);
    else if (!outer.isEmpty())
        fillSpans(frameBands(outer, inner), penColor(), m_pen.mode);
}

void TCanvas::ellipse(const QRect &rect)
{
    ellipse(rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height());
}

void TCanvas::ellipse(int l, int t, int r, int b) { closedCurve(l, t, r, b, 0, 0, true); }

void TCanvas::roundRect(int l, int t, int r, int b, int cornerW, int cornerH)
{
    closedCurve(l, t, r, b, cornerW, cornerH, false);
}

namespace {

// Whether a ring round a solid interior may be painted as the pen's whole
// shape with the interior over it: on pixels, unblended, in copy mode.
bool overpaintsRing(const QPainter &painter, const TPen &pen, const TBrush &brush)
{
    const QPaintDevice *target = painter.device();
    return target && target->devType() == QInternal::Image && !painter.testRenderHint(QPainter::Antialiasing)
        && pen.mode == pmCopy && brush.style == bsSolid;
}

} // namespace

QPainterPath TCanvas::curvePath(const QRectF &box, double radiusX, double radiusY, bool ellipse)
{
    QPainterPath path;
    if (box.width() <= 0 || box.height() <= 0)
        return path;
    if (ellipse)
        path.addEllipse(box);
    else
        path.addRoundedRect(box, std::max(0.0, radiusX), std::max(0.0, radiusY));
    return path;
}

void TCanvas::closedCurve(int l, int t, int r, int b, int cornerW, int cornerH, bool ellipse)
{
    normalise(l, t, r, b);
    const double rx = cornerW / 2.0;
    const double ry = cornerH / 2.0;
    if (m_pen.style == psClear) {
        fillArea(curvePath(QRectF(l, t, r - l - 1, b - t - 1), rx, ry, ellipse), m_pen.mode);
        return;
    }
    const int w = penPixels();
    if (w == 1) {
        // The outline runs through the centres of the edge pixels.
        const QPainterPath centre = curvePath(QRectF(l + 0.5, t + 0.5, r - l - 1, b - t - 1), rx, ry, ellipse);
        fillArea(centre, m_pen.mode);
        strokeCosmetic(centre);
        return;
    }
    const QRect box = penOuterBox(l, t, r, b);
    const QRectF outer(box.left(), box.top(), box.width(), box.height());
    const double grow = m_pen.style == psInsideFrame ? 0.0 : w / 2.0;
    const QPainterPath outerPath = curvePath(outer, rx + grow, ry + grow, ellipse);
    const QPainterPath innerPath =
        curvePath(outer.adjusted(w, w, -w, -w), rx + grow - w, ry + grow - w, ellipse);
    if (overpaintsRing(*m_painter, m_pen, m_brush)) {
        // The same pixels as the ring below with one curve less to fill:
        // without blending, the interior painted over the pen's whole
        // shape leaves exactly the ring in the pen's colour.
        fillWithPen(outerPath);
        fillArea(innerPath, m_pen.mode);
        return;
    }
    fillArea(innerPath, m_pen.mode);
    // The inner curve lies wholly inside the outer one, so filling both with
    // the odd-even rule paints exactly the ring between them, without the
    // cost of a path subtraction on every paint.
    QPainterPath ring = outerPath;
    ring.addPath(innerPath);
    ring.setFillRule(Qt::OddEvenFill);
    fillWithPen(ring);
}

void TCanvas::strokeCosmetic(const QPainterPath &path)
{
    const auto ink = CanvasRaster::ink(m_pen.mode, penColor(), rasterOps());
    if (!ink.draws)
        return;
    m_painter->save();
    m_painter->setCompositionMode(ink.composition);
    if (backgroundMode() == bmOpaque) {
        m_painter->setBackgroundMode(Qt::OpaqueMode);
        m_painter->setBackground(CanvasRaster::ink(m_pen.mode, Colors::toQColor(backgroundColor()), true).color);
    } else {
        m_painter->setBackgroundMode(Qt::TransparentMode);
    }
    m_painter->strokePath(path, qPen(ink.color));
    m_painter->restore();
}

void TCanvas::moveTo(int x, int y) { m_penPos = QPoint(x, y); }

void TCanvas::lineTo(int x, int y)
{
    const QPoint to(x, y);
    strokeOutline(QPolygon({m_penPos, to}), false);
    m_penPos = to;
}

void TCanvas::polyline(const QPolygon &points) { strokeOutline(points, false); }

void TCanvas::polygon(const QPolygon &points)
{
    if (points.size() < 2)
        return;
    QPainterPath interior;
    interior.addPolygon(QPolygonF(points));
    interior.closeSubpath();
    interior.setFillRule(m_polyFillMode);
    fillArea(interior, m_pen.mode);
    strokeOutline(points, true);
}

void TCanvas::strokeOutline(const QPolygon &vertices, bool closed)
{
    if (m_pen.style == psClear || vertices.size() < 2)
        return;
    if (penPixels() > 1) {
        strokeWideLine(vertices, closed);
        return;
    }
    if (strokesOutlines()) {
        // Through the centres of the end pixels, as the pixel runs go.
        QPainterPath path;
        path.addPolygon(QPolygonF(vertices).translated(0.5, 0.5));
        if (closed)
            path.closeSubpath();
        strokeCosmetic(path);
        return;
    }
    std::vector<QPoint> on;
    std::vector<QPoint> off;
    CanvasRaster::splitDashes(CanvasRaster::outlinePixels(vertices, closed),
                              CanvasRaster::dashPattern(m_pen.style), on, off);
    fillSpans(CanvasRaster::spans(std::move(on)), penColor(), m_pen.mode);
    if (!off.empty() && backgroundMode() == bmOpaque)
        fillSpans(CanvasRaster::spans(std::move(off)), Colors::toQColor(backgroundColor()), m_pen.mode);
}

void TCanvas::strokeWideLine(const QPolygon &vertices, bool closed)
{
    // An odd width has a middle pixel: the centre line runs through it.
    const double shift = (penPixels() % 2) * 0.5;
    QPainterPath path;
    path.addPolygon(QPolygonF(vertices).translated(shift, shift));
    if (closed)
        path.closeSubpath();
    const auto ink = CanvasRaster::ink(m_pen.mode, penColor(), rasterOps());
    if (!ink.draws)
        return;
    QPainterPathStroker stroker(qPen(ink.color));
    // Joins overlap themselves, which a mixing pen mode would paint twice;
    // a single segment's stroke is one plain outline already.
    QPainterPath outline = stroker.createStroke(path);
    if (vertices.size() > 2 || closed)
        outline = outline.simplified();
    m_painter->save();
    m_painter->setCompositionMode(ink.composition);
    m_painter->fillPath(outline, ink.color);
    m_painter->restore();
}
