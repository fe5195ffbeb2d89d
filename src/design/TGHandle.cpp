#include "design/TGHandle.h"

#include "design/TGBasePanel.h"
#include "design/TGCursors.h"
#include "design/TGGraphicControl.h"
#include "design/TGTickClock.h"

#include <algorithm>

namespace {
constexpr int kHiddenSize = 24;
constexpr int kRoom = 5;      // 2 pixels left and top, 3 right and bottom
constexpr int kRefitRoom = 6; // one more at the right and bottom after a move
} // namespace

TGHandle::TGHandle(TGBasePanel *panel) : QWidget(panel), m_panel(panel)
{
    setObjectName(QStringLiteral("Handle"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    Hide();
}

void TGHandle::SetGridStep(int step)
{
    const bool snapping = SnapToGrid();
    m_storedGrid = step;
    if (snapping)
        m_gridX = m_gridY = step;
}

void TGHandle::SetSnapToGrid(bool value)
{
    m_gridX = m_gridY = value ? m_storedGrid : 1;
}

void TGHandle::SelectObject(TGGraphicControl *object)
{
    if (object && object->Unselectable())
        return;
    m_pressTime = TGTickClock::now();
    if (!object || IsSelected(object))
        return;
    m_panel->SetScreenCursor(TGCursors::crHandGrab);
    m_selection.append(object);
    if (m_selection.size() == 1) {
        m_feedback = QRect();
        setEnabled(true);
        show();
    }
    FitAround(kRoom);
    m_zone = 0;
    GrabFocusAndMouse();
    m_panel->update();
    emit m_panel->SelectionChanged();
}

void TGHandle::GrabFocusAndMouse()
{
    raise();
    m_capture = true;
    setFocus();
}

void TGHandle::DeselectObject(TGGraphicControl *object)
{
    if (!m_selection.removeOne(object))
        return;
    if (m_selection.isEmpty())
        Hide();
    else
        FitAround(kRoom);
    m_panel->update();
    emit m_panel->SelectionChanged();
}

void TGHandle::ClearSelection()
{
    const bool had = !m_selection.isEmpty();
    m_selection.clear();
    Hide();
    m_panel->update();
    if (had)
        emit m_panel->SelectionChanged();
}

void TGHandle::Hide()
{
    hide();
    setEnabled(false);
    resize(kHiddenSize, kHiddenSize);
    m_feedback = QRect();
    m_dragging = false;
    m_keyMove = false;
    m_capture = false;
}

bool TGHandle::IsSelected(const TGGraphicControl *object) const
{
    return m_selection.contains(const_cast<TGGraphicControl *>(object));
}

TGGraphicControl *TGHandle::SelectedObject(int index) const
{
    if (index < 0 || index >= m_selection.size())
        return nullptr;
    return m_selection.at(index);
}

void TGHandle::BringSelectionToFront()
{
    if (m_selection.isEmpty())
        return;
    for (TGGraphicControl *o : m_selection)
        m_panel->BringToFront(o);
    raise();
    setFocus();
}

void TGHandle::SendSelectionToBack()
{
    if (m_selection.isEmpty())
        return;
    for (TGGraphicControl *o : m_selection)
        m_panel->SendToBack(o);
    raise();
    setFocus();
}

QRect TGHandle::SelectionUnion() const
{
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const TGGraphicControl *o : m_selection) {
        left = std::min(left, o->Left());
        top = std::min(top, o->Top());
        right = std::max(right, o->Left() + o->Width());
        bottom = std::max(bottom, o->Top() + o->Height());
    }
    return m_selection.isEmpty() ? QRect() : QRect(left, top, right - left, bottom - top);
}

void TGHandle::FitAround(int room)
{
    if (m_selection.isEmpty())
        return;
    const QRect u = SelectionUnion();
    setGeometry(u.left() - 2, u.top() - 2, u.width() + room, u.height() + room);
}

void TGHandle::Refit()
{
    if (m_selection.isEmpty())
        return;
    raise();
    FitAround(kRefitRoom);
    m_panel->update();
    emit m_panel->SelectionChanged();
}

void TGHandle::ApplyBounds(const QRect &b)
{
    const QRect old = geometry();
    for (TGGraphicControl *o : m_selection) {
        if (o->Locked())
            continue;
        o->SetBounds(b.x() + o->Left() - old.x(), b.y() + o->Top() - old.y(),
                     b.width() + o->Width() - old.width(), b.height() + o->Height() - old.height());
    }
    setGeometry(b);
    m_panel->update();
    emit m_panel->SelectionChanged();
}

QRect TGHandle::FeedbackRect() const
{
    return m_feedback;
}

void TGHandle::SetFeedback(const QRect &panelRect)
{
    if (panelRect == m_feedback)
        return;
    m_feedback = panelRect;
    m_panel->update();
}

TGGraphicControl *TGHandle::SelectedObjectAt(QPoint handlePoint) const
{
    const QPoint p = handlePoint + pos();
    for (TGGraphicControl *o : m_selection) {
        if (o->BoundsRect().contains(p))
            return o;
    }
    return nullptr;
}

void TGHandle::ToggleObjectsAt(QPoint handlePoint)
{
    const QPoint p = handlePoint + pos();
    QList<TGGraphicControl *> keep = m_selection;
    ClearSelection();
    keep.removeIf([p](TGGraphicControl *o) { return o->BoundsRect().contains(p); });
    for (TGGraphicControl *o : keep)
        SelectObject(o);
}
