#include "objects/LabelLayout.h"

#include "platform/Numbers.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A box by its edges; right and bottom are just outside it.
struct Edges {
    int left = 0, top = 0, right = 0, bottom = 0;

    Edges moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    QRect pixels() const { return QRect(QPoint(left, top), QSize(right - left, bottom - top)); }
    // The text's reference point: the corner the rotated text starts from.
    QPoint origin(int angle) const
    {
        switch (angle) {
        case 90: return {left, bottom};
        case 180: return {right, bottom};
        case 270: return {right, top};
        default: return {left, top};
        }
    }
};

// An offset (dx, dy) as seen by text turned counter-clockwise by `angle`.
QPoint turned(QPoint d, int angle)
{
    switch (angle) {
    case 90: return {d.y(), -d.x()};
    case 180: return {-d.x(), -d.y()};
    case 270: return {-d.y(), d.x()};
    default: return d;
    }
}

QPoint margins(QPoint s, QPoint h)
{
    int mx = 0, my = 0;
    if (s.x() < 0)
        mx = std::abs(s.x());
    if (h.x() < 0)
        mx = std::max(std::abs(h.x()), mx);
    if (s.y() < 0)
        my = std::abs(s.y());
    if (h.y() < 0)
        my = std::max(std::abs(h.y()), my);
    return {mx, my};
}

// The box's clamps: between L and 1.2 L across the lines of text; along
// the text the box is kept unless it is far too small (or, at 180 degrees,
// far too wide, as the text is drawn from the right edge).
void clampBox(const TLabelLayoutInput &in, int lineHeight, int &width, int &height)
{
    const int tw = in.textWidth;
    const double l12 = 1.2 * lineHeight;
    if (in.angle == 0 || in.angle == 180) {
        if (in.angle == 180 && 2 * tw < width)
            width = 2 * tw;
        if (width <= 5)
            width = tw;
        if (l12 < height)
            height = Numbers::truncate(l12);
        if (height < lineHeight)
            height = lineHeight;
    } else {
        if (1.2 * tw < height)
            height = Numbers::truncate(1.2 * tw);
        if (height < 5)
            height = tw;
        if (l12 < width)
            width = Numbers::truncate(l12);
        if (width < lineHeight)
            width = lineHeight;
    }
}

Edges mainEdges(const TLabelLayoutInput &in, QPoint m, int width, int height)
{
    const int th = in.textHeight;
    const bool upright = in.angle == 0 || in.angle == 180;
    Edges e = upright ? Edges{m.x(), m.y(), width, m.y() + th}
                      : Edges{m.y(), m.x(), m.y() + th, height - m.y()};
    const int w = e.right - e.left + 1;
    const int h = e.bottom - e.top + 1;
    if (in.angle == 90)
        e = e.moved(0, height - h + in.highlightOffset.x());
    else if (in.angle == 180)
        e = e.moved(width - w - in.shadowOffset.y(), 0);
    return e;
}

int alignedX(const TLabelLayoutInput &in, const Edges &main)
{
    switch (in.alignment) {
    case 1: return main.right - in.textWidth;
    case 2: return Numbers::divTrunc(main.right - main.left, 2) - Numbers::divTrunc(in.textWidth, 2);
    default: return main.left;
    }
}

} // namespace

TLabelLayout computeLabelLayout(const TLabelLayoutInput &in)
{
    const QPoint s = in.shadowOffset, h = in.highlightOffset;
    TLabelLayout out;
    out.textMargin = margins(s, h);
    const int lineHeight = in.textHeight + s.y() - h.y();
    out.width = in.width;
    out.height = in.height;
    clampBox(in, lineHeight, out.width, out.height);

    const Edges main = mainEdges(in, out.textMargin, out.width, out.height);
    const QPoint ds = turned(s, in.angle), dh = turned(h, in.angle);
    const Edges shadow = main.moved(ds.x(), ds.y());
    const Edges highlight = main.moved(dh.x(), dh.y());
    out.mainRect = main.pixels();
    out.shadowRect = shadow.pixels();
    out.highlightRect = highlight.pixels();
    out.mainOrigin = main.origin(in.angle);
    out.shadowOrigin = shadow.origin(in.angle);
    out.highlightOrigin = highlight.origin(in.angle);

    if (in.angle == 0) {
        const int x = alignedX(in, main);
        out.mainOrigin.setX(x);
        out.highlightOrigin.setX(x + h.x());
        out.shadowOrigin.setX(x + s.x());
    }
    return out;
}
