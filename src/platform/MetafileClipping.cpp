#include "platform/MetafilePlayer.h"

#include <QPainter>

// The device context's clipping region and its path: a clip is kept in frame
// units, so later mapping changes leave it where it was set, as the
// platform's device-coordinate clip regions stay.

namespace MetafilePlayer {

namespace {

enum { RGN_AND = 1, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY };

QPainterPath rectPath(const QRectF &r)
{
    QPainterPath p;
    p.addRect(r.normalized());
    return p;
}

} // namespace

// ---- clipping ----

void GdiContext::ApplyClip()
{
    m_painter.restore();
    m_painter.save();
    m_painter.setWorldTransform(m_base);
    if (st.clip)
        m_painter.setClipPath(*st.clip, Qt::IntersectClip);
}

void GdiContext::Combine(const QPainterPath &p, int mode)
{
    if (mode == RGN_COPY) {
        st.clip = p;
    } else if (!st.clip) {
        // No clip is everything: only an intersection or a cut changes it.
        QPainterPath all;
        all.addRect(QRectF(QPointF(-1e6, -1e6), QPointF(1e6, 1e6)));
        if (mode == RGN_AND)
            st.clip = p;
        else if (mode == RGN_DIFF || mode == RGN_XOR)
            st.clip = all.subtracted(p);
    } else if (mode == RGN_AND) {
        st.clip = st.clip->intersected(p);
    } else if (mode == RGN_OR) {
        st.clip = st.clip->united(p);
    } else if (mode == RGN_XOR) {
        st.clip = st.clip->subtracted(p).united(p.subtracted(*st.clip));
    } else if (mode == RGN_DIFF) {
        st.clip = st.clip->subtracted(p);
    }
    ApplyClip();
}

void GdiContext::IntersectClipRect(const QRectF &r)
{
    Combine(LogicalToFrame().map(rectPath(r)), RGN_AND);
}

void GdiContext::ExcludeClipRect(const QRectF &r)
{
    Combine(LogicalToFrame().map(rectPath(r)), RGN_DIFF);
}

void GdiContext::OffsetClip(QPointF offset)
{
    if (!st.clip)
        return;
    const QTransform t = LogicalToFrame();
    st.clip->translate(t.map(offset) - t.map(QPointF(0, 0)));
    ApplyClip();
}

void GdiContext::SelectClip(const std::optional<QPainterPath> &deviceRegion, int mode)
{
    if (!deviceRegion) {
        if (mode == RGN_COPY) {
            st.clip.reset();
            ApplyClip();
        }
        return;
    }
    Combine(m_deviceToFrame.map(*deviceRegion), mode);
}

void GdiContext::SelectClipPath(int mode)
{
    QPainterPath p = m_path;
    p.setFillRule(st.winding ? Qt::WindingFill : Qt::OddEvenFill);
    Combine(LogicalToFrame().map(p), mode);
    m_path = QPainterPath();
}

// ---- paths ----

void GdiContext::BeginPath()
{
    m_path = QPainterPath();
    m_pathOpen = true;
}

void GdiContext::AbortPath()
{
    m_path = QPainterPath();
    m_pathOpen = false;
}

void GdiContext::CloseFigure()
{
    if (m_pathOpen)
        m_path.closeSubpath();
}

void GdiContext::FillPath()
{
    Draw(m_path, true, false);
    m_path = QPainterPath();
}

void GdiContext::StrokePath()
{
    Draw(m_path, false, true);
    m_path = QPainterPath();
}

void GdiContext::StrokeAndFillPath()
{
    Draw(m_path, true, true);
    m_path = QPainterPath();
}

} // namespace MetafilePlayer
