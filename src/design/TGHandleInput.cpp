// The handle's mouse and keyboard: moving and resizing the selection.
#include "design/TGHandle.h"

#include "design/TGBasePanel.h"
#include "design/TGCursors.h"
#include "design/TGGraphicControl.h"
#include "design/TGTickClock.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr quint32 kQuickClickMs = 150; // a press and release quicker than this never moves
constexpr quint32 kDragDelayMs = 10;
constexpr int kMinSize = 5;

bool near(int a, int b)
{
    return std::abs(a - b) < 8;
}

int zoneCursor(int zone)
{
    switch (zone) {
    case 1: case 4: return TGCursors::crSizeNWSE;
    case 2: case 3: return TGCursors::crSizeNESW;
    case 5: case 7: return TGCursors::crSizeNS;
    case 6: case 8: return TGCursors::crSizeWE;
    default: return TGCursors::crHandGrab;
    }
}

} // namespace

int TGHandle::ZoneAt(QPoint p) const
{
    const int x = p.x(), y = p.y(), w = width(), h = height();
    const bool midX = std::fabs(x - w / 2.0) < 6;
    const bool midY = std::fabs(y - h / 2.0) < 6;
    // Later tests win.
    int zone = 0;
    if (near(x, 0) && near(y, 0)) zone = 1;
    if (near(x, w) && near(y, h)) zone = 4;
    if (near(x, w) && near(y, 0)) zone = 2;
    if (near(x, 0) && near(y, h)) zone = 3;
    if (midX && near(y, 0)) zone = 5;
    if (midX && near(y, h)) zone = 7;
    if (midY && near(x, 0)) zone = 6;
    if (midY && near(x, w)) zone = 8;
    return zone;
}

QRect TGHandle::DraggedBounds(QPoint p) const
{
    const int gx = m_gridX, gy = m_gridY;
    auto snapX = [gx](int v) { return gx * (v / gx); };
    auto snapY = [gy](int v) { return gy * (v / gy); };
    const int x = p.x(), y = p.y(), x0 = m_dragStart.x(), y0 = m_dragStart.y();
    const int l = this->x(), t = this->y(), w = width(), h = height();
    const int movedLeft = snapX(x + l - x0), movedTop = snapY(y + t - y0);
    const int sizedWidth = snapX(x + w - x0) - 1, sizedHeight = snapY(y + h - y0) - 1;
    const bool left = m_zone == 1 || m_zone == 3 || m_zone == 6;
    const bool top = m_zone == 1 || m_zone == 2 || m_zone == 5;
    const bool right = m_zone == 2 || m_zone == 4 || m_zone == 8;
    const bool bottom = m_zone == 3 || m_zone == 4 || m_zone == 7;
    if (m_zone == 0)
        return QRect(movedLeft, movedTop, w, h);
    int nl = l, nt = t, nw = w, nh = h;
    if (left) { nl = movedLeft; nw = w + l - movedLeft; }
    if (top) { nt = movedTop; nh = h + t - movedTop; }
    if (right) nw = sizedWidth;
    if (bottom) nh = sizedHeight;
    // The smallest size is the object's, not the handle's: a 5 x 5 handle
    // would leave an object of no size at all, which could no longer be
    // seen or picked and would be dropped when the card is saved.
    const QSize room = size() - SelectionUnion().size();
    return QRect(nl, nt, std::max(nw, kMinSize + room.width()), std::max(nh, kMinSize + room.height()));
}

namespace {

// The nearest of `targets` to any of `candidates` within reach: the shift
// that makes them meet and where they meet.
struct Snap {
    int shift = 0;
    int at = 0;
    bool found = false;
};

Snap nearest(const QList<int> &candidates, const QList<int> &targets, int reach)
{
    Snap best;
    for (int c : candidates) {
        for (int t : targets) {
            const int d = t - c;
            if (std::abs(d) <= reach && (!best.found || std::abs(d) < std::abs(best.shift)))
                best = Snap{d, t, true};
        }
    }
    return best;
}

} // namespace

QRect TGHandle::SnapToGuides(const QRect &dragged)
{
    if (m_guidesOff || m_selection.isEmpty()) {
        m_panel->SetGuides({});
        return dragged;
    }
    // The objects' union inside the handle rectangle.
    const QRect u0 = SelectionUnion();
    const int roomW = width() - u0.width(), roomH = height() - u0.height();
    const QRect u(dragged.left() + 2, dragged.top() + 2, dragged.width() - roomW, dragged.height() - roomH);
    QList<int> xs{m_panel->width() / 2}, ys{m_panel->height() / 2};
    for (const TGGraphicControl *o : m_panel->Objects()) {
        if (IsSelected(o) || !o->Visible())
            continue;
        xs << o->Left() << o->Left() + o->Width() / 2 << o->Left() + o->Width();
        ys << o->Top() << o->Top() + o->Height() / 2 << o->Top() + o->Height();
    }
    const bool move = m_zone == 0;
    const bool left = m_zone == 1 || m_zone == 3 || m_zone == 6;
    const bool top = m_zone == 1 || m_zone == 2 || m_zone == 5;
    const bool right = m_zone == 2 || m_zone == 4 || m_zone == 8;
    const bool bottom = m_zone == 3 || m_zone == 4 || m_zone == 7;
    const int ux = u.left() + u.width() / 2, uy = u.top() + u.height() / 2;
    const int ur = u.left() + u.width(), ub = u.top() + u.height();
    const Snap sx = move ? nearest({u.left(), ux, ur}, xs, GuideReach)
                  : left ? nearest({u.left()}, xs, GuideReach)
                  : right ? nearest({ur}, xs, GuideReach) : Snap{};
    const Snap sy = move ? nearest({u.top(), uy, ub}, ys, GuideReach)
                  : top ? nearest({u.top()}, ys, GuideReach)
                  : bottom ? nearest({ub}, ys, GuideReach) : Snap{};
    QRect r = dragged;
    QList<QLine> guides;
    if (sx.found) {
        if (move) r.translate(sx.shift, 0);
        else if (left) r.setLeft(r.left() + sx.shift);
        else r.setWidth(r.width() + sx.shift);
        guides << QLine(sx.at, 0, sx.at, m_panel->height() - 1);
    }
    if (sy.found) {
        if (move) r.translate(0, sy.shift);
        else if (top) r.setTop(r.top() + sy.shift);
        else r.setHeight(r.height() + sy.shift);
        guides << QLine(0, sy.at, m_panel->width() - 1, sy.at);
    }
    m_panel->SetGuides(guides);
    return r;
}

QPoint TGHandle::ClampToPanel(QPoint p) const
{
    return QPoint(std::clamp(p.x(), -x(), m_panel->width() - x()),
                  std::clamp(p.y(), -y(), m_panel->height() - y()));
}

void TGHandle::HandlePress(const TGMouseInput &in)
{
    if (in.button == Qt::LeftButton) {
        if (!m_panel->Pointing()) {
            m_panel->PanelMouseDown(in.movedBy(pos()));
            return;
        }
        if (m_selection.isEmpty())
            return;
        if (in.shift()) {
            ToggleObjectsAt(in.pos);
            return;
        }
        m_pressTime = TGTickClock::now();
        m_dragStart = in.pos;
        m_dragging = true;
        return;
    }
    if (in.button == Qt::RightButton) {
        TGGraphicControl *o = SelectionCount() == 1 ? SelectedObjectAt(in.pos) : nullptr;
        if (o && o->ObjectMenu())
            m_panel->PopupMenu(o->ObjectMenu(), in.globalPos);
        else
            m_panel->PopupMenu(m_panel->PanelMenu(), in.globalPos);
        return;
    }
    m_panel->PanelMouseDown(in.movedBy(pos()));
}

void TGHandle::HandleMove(const TGMouseInput &in)
{
    if (m_panel->RubberBandActive()) {
        m_panel->PanelMouseMove(in.movedBy(pos()));
        return;
    }
    if (!m_panel->Pointing()) {
        m_panel->SetScreenCursor(TGCursors::crDrag);
        return;
    }
    if (m_afterDoubleClick) {
        // The double-click's own press began a drag; it must not move anything.
        m_afterDoubleClick = false;
        m_pressTime = 0;
        if (m_dragging)
            EndDrag();
        return;
    }
    const quint32 now = TGTickClock::now();
    if (in.leftHeld() && !m_dragging && m_pressTime != 0 && now - m_pressTime > kDragDelayMs
        && !m_selection.isEmpty()) {
        m_dragging = true;
        m_dragStart = in.pos;
    }
    if (!in.leftHeld())
        m_capture = false;
    if (!m_dragging) {
        if (in.buttons == Qt::NoButton) {
            m_zone = SelectionCount() == 1 ? ZoneAt(in.pos) : 0;
            m_panel->SetScreenCursor(TGCursors::crHandGrab);
            m_panel->SetScreenCursor(zoneCursor(m_zone));
        }
        return;
    }
    m_guidesOff = in.modifiers & Qt::AltModifier;
    const QRect r = SnapToGuides(DraggedBounds(ClampToPanel(in.pos)));
    SetFeedback(r.adjusted(2, 2, -3, -3));
}

void TGHandle::HandleRelease(const TGMouseInput &in)
{
    if (in.button != Qt::LeftButton || !m_dragging) {
        m_panel->PanelMouseUp(in.movedBy(pos()));
        return;
    }
    // The release is clamped like the drag outline, so the objects land
    // where the outline showed them.
    QPoint p = ClampToPanel(in.pos);
    if (TGTickClock::now() - m_pressTime < kQuickClickMs)
        p = m_dragStart;
    m_guidesOff = in.modifiers & Qt::AltModifier;
    if (p != m_dragStart)
        ApplyBounds(SnapToGuides(DraggedBounds(p)));
    EndDrag();
}

void TGHandle::EndDrag()
{
    m_panel->SetGuides({});
    m_feedback = QRect();
    setFocus();
    m_dragging = false;
    m_pressTime = 0;
    m_capture = false;
    m_panel->SetScreenCursor(TGCursors::crDefault);
    m_panel->update();
}

void TGHandle::HandleDoubleClick(const TGMouseInput &in)
{
    m_afterDoubleClick = true;
    if (SelectionCount() != 1)
        return;
    TGGraphicControl *o = SelectedObjectAt(in.pos);
    if (!o)
        return;
    // Its properties, or its text editor for text; its menu when it has none.
    m_panel->OpenProperties(o, in.globalPos);
}

bool TGHandle::HandleArrowKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (key != Qt::Key_Left && key != Qt::Key_Right && key != Qt::Key_Up && key != Qt::Key_Down)
        return false;
    if (m_selection.isEmpty())
        return true;
    if (!m_keyMove) {
        m_keyLeft = x() + 2;
        m_keyTop = y() + 2;
        m_keyRight = x() + width() - 3;
        m_keyBottom = y() + height() - 3;
        m_keyMove = true;
    }
    const bool resize = (modifiers & Qt::ControlModifier) && SelectionCount() == 1;
    const int step = (modifiers & Qt::ShiftModifier) && !resize ? 10 : 1;
    int &l = m_keyLeft, &t = m_keyTop, &r = m_keyRight, &b = m_keyBottom;
    // A move stops at the card's edge: never below 0, never beyond the panel.
    switch (key) {
    case Qt::Key_Left:
        if (resize) { if (r - l + 1 > 10) --r; }
        else { const int d = std::min(step, std::max(0, l)); l -= d; r -= d; }
        break;
    case Qt::Key_Up:
        if (resize) { if (b - t + 1 > 10) --b; }
        else { const int d = std::min(step, std::max(0, t)); t -= d; b -= d; }
        break;
    case Qt::Key_Right:
        if (resize) { if (r + 1 <= m_panel->width()) ++r; }
        else { const int d = std::min(step, std::max(0, m_panel->width() - r)); l += d; r += d; }
        break;
    case Qt::Key_Down:
        if (resize) { if (b + 1 <= m_panel->height()) ++b; }
        else { const int d = std::min(step, std::max(0, m_panel->height() - b)); t += d; b += d; }
        break;
    }
    SetFeedback(QRect(l, t, r - l, b - t));
    return true;
}

bool TGHandle::HandleArrowKeyRelease(int)
{
    if (!m_keyMove)
        return false;
    m_keyMove = false;
    m_feedback = QRect();
    ApplyBounds(QRect(m_keyLeft - 2, m_keyTop - 2, m_keyRight - m_keyLeft + 5,
                      m_keyBottom - m_keyTop + 5));
    update();
    m_panel->update();
    return true;
}

void TGHandle::mousePressEvent(QMouseEvent *event)
{
    const TGPanelAction action(m_panel);
    HandlePress(TGMouseInput::from(*event));
}

void TGHandle::mouseMoveEvent(QMouseEvent *event)
{
    HandleMove(TGMouseInput::from(*event));
}

void TGHandle::mouseReleaseEvent(QMouseEvent *event)
{
    const TGPanelAction action(m_panel);
    HandleRelease(TGMouseInput::from(*event));
}

void TGHandle::mouseDoubleClickEvent(QMouseEvent *event)
{
    const TGPanelAction action(m_panel);
    HandleDoubleClick(TGMouseInput::from(*event));
}

void TGHandle::keyPressEvent(QKeyEvent *event)
{
    const TGPanelAction action(m_panel);
    if (HandleArrowKey(event->key(), event->modifiers()))
        return;
    if (!m_panel->HandleKey(event->key(), event->modifiers()))
        QWidget::keyPressEvent(event);
}

void TGHandle::keyReleaseEvent(QKeyEvent *event)
{
    // The release of an arrow key moves the selection: a nudge.
    const TGPanelAction action(m_panel, QString(), m_keyMove && !event->isAutoRepeat());
    if (event->isAutoRepeat() || !HandleArrowKeyRelease(event->key()))
        QWidget::keyReleaseEvent(event);
}

void TGHandle::leaveEvent(QEvent *)
{
    if (!m_dragging)
        m_panel->SetScreenCursor(m_panel->Pointing() ? TGCursors::crDefault : TGCursors::crDrag);
}
