// The panel's mouse and keys: clicks on objects, the rubber band, the
// hand-over to the selection handle while it holds the mouse.
#include "design/TGBasePanel.h"

#include "design/TGCursors.h"
#include "design/TGGraphicControl.h"
#include "design/TGHandle.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

void TGBasePanel::mousePressEvent(QMouseEvent *event)
{
    const TGPanelAction action(this);
    const TGMouseInput in = TGMouseInput::from(*event);
    if (TGGraphicControl *object = ObjectAt(in.pos))
        ObjectMouseDown(object, in);
    else
        PanelMouseDown(in);
}

void TGBasePanel::mouseMoveEvent(QMouseEvent *event)
{
    const TGMouseInput in = TGMouseInput::from(*event);
    if (m_handle->HasCapture() && !m_bandActive)
        m_handle->HandleMove(in.movedBy(-m_handle->pos()));
    else
        PanelMouseMove(in);
}

void TGBasePanel::mouseReleaseEvent(QMouseEvent *event)
{
    const TGPanelAction action(this);
    const TGMouseInput in = TGMouseInput::from(*event);
    if (m_handle->HasCapture() && !m_bandActive)
        m_handle->HandleRelease(in.movedBy(-m_handle->pos()));
    else
        PanelMouseUp(in);
}

void TGBasePanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    const TGPanelAction action(this);
    const TGMouseInput in = TGMouseInput::from(*event);
    if (TGGraphicControl *object = ObjectAt(in.pos))
        OpenProperties(object, in.globalPos);
    else
        emit DoubleClickEvent();
}

bool TGBasePanel::HasCardFocus() const
{
    const QWidget *focus = QApplication::focusWidget();
    return !focus || focus == this || focus == m_handle;
}

void TGBasePanel::keyPressEvent(QKeyEvent *event)
{
    const TGPanelAction action(this);
    if (!HandleKey(event->key(), event->modifiers()))
        QWidget::keyPressEvent(event);
}

void TGBasePanel::ObjectMouseDown(TGGraphicControl *object, const TGMouseInput &in)
{
    if (!m_pointing || object->Unselectable()) {
        PanelMouseDown(in);
        return;
    }
    if (!in.shift())
        m_handle->ClearSelection();
    m_handle->SelectObject(object);
    if (!in.leftHeld())
        m_handle->ReleaseCapture();
    m_handle->update();
    if (m_handle->SelectionCount() == 1 && in.button == Qt::RightButton)
        PopupMenu(object->ObjectMenu(), in.globalPos);
}

void TGBasePanel::PanelMouseDown(const TGMouseInput &in)
{
    m_bandStart = m_bandEnd = in.pos;
    if (in.button == Qt::RightButton || in.button == Qt::MiddleButton) {
        PopupMenu(PanelMenu(), in.globalPos);
        return;
    }
    if (in.button != Qt::LeftButton)
        return;
    m_bandActive = true;
    SetScreenCursor(TGCursors::crHandPoint);
    update();
}

void TGBasePanel::PanelMouseMove(const TGMouseInput &in)
{
    if (m_bandActive) {
        SetScreenCursor(TGCursors::crHandPoint);
        m_bandEnd = in.pos;
        update();
        return;
    }
    TGGraphicControl *over = ObjectAt(in.pos);
    if (m_hovered && m_hovered != over)
        LeaveHoveredObject();
    m_hovered = over;
    if (m_pointing && over)
        SetScreenCursor(TGCursors::crHandPoint);
}

void TGBasePanel::leaveEvent(QEvent *event)
{
    if (m_hovered && !m_bandActive)
        LeaveHoveredObject();
    QWidget::leaveEvent(event);
}

void TGBasePanel::LeaveHoveredObject()
{
    m_hovered = nullptr;
    SetScreenCursor(m_pointing ? TGCursors::crDefault : TGCursors::crDrag);
}

void TGBasePanel::PanelMouseUp(const TGMouseInput &in)
{
    if (!m_bandActive)
        return;
    m_bandEnd = in.pos;
    const QRect r = RubberBandRect();
    m_bandActive = false;
    update();
    if (m_pointing) {
        SelectByRect(r, in.shift());
        SetScreenCursor(TGCursors::crDefault);
        return;
    }
    CreateObject(r);
    emit DroppedObjectEvent(r);
}

void TGBasePanel::SelectByRect(const QRect &r, bool shift)
{
    QList<TGGraphicControl *> result = shift ? m_handle->Selection() : QList<TGGraphicControl *>();
    const QList<TGGraphicControl *> before = result;
    m_handle->ClearSelection();
    for (auto it = m_objects.crbegin(); it != m_objects.crend(); ++it) {
        TGGraphicControl *o = *it;
        if (!o->BoundsRect().intersects(r))
            continue;
        if (shift && before.contains(o))
            result.removeOne(o);
        else
            result.append(o);
    }
    for (TGGraphicControl *o : result)
        m_handle->SelectObject(o);
    // Nothing is being dragged after a band.
    m_handle->ReleaseCapture();
}

bool TGBasePanel::HandleKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (ctrl && key == Qt::Key_C) {
        Copy();
    } else if (ctrl && key == Qt::Key_V) {
        const TGPanelAction action(this, QStringLiteral("Paste"));
        Paste();
    } else if (ctrl && key == Qt::Key_X) {
        const TGPanelAction action(this, QStringLiteral("Cut"));
        Cut();
    } else if (!ctrl && key == Qt::Key_Delete) {
        const TGPanelAction action(this, QStringLiteral("Delete"));
        Delete();
    } else if (ctrl && key == Qt::Key_A) {
        SelectAll();
    } else if (ctrl && key == Qt::Key_D) {
        const TGPanelAction action(this, QStringLiteral("Duplicate"));
        Duplicate();
    } else if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && !ctrl && HasCardFocus()) {
        SelectNext(key == Qt::Key_Tab && !(modifiers & Qt::ShiftModifier));
    } else {
        return false;
    }
    return true;
}
