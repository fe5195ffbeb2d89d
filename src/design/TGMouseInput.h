#pragma once

#include <QMouseEvent>
#include <QPoint>

// One mouse event as the panel and the handle pass it between each other:
// `pos` is relative to whoever handles it.
struct TGMouseInput {
    QPoint pos;
    Qt::MouseButton button = Qt::NoButton;   // the button pressed or released
    Qt::MouseButtons buttons = Qt::NoButton; // buttons held
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QPoint globalPos;

    bool shift() const { return modifiers & Qt::ShiftModifier; }
    bool leftHeld() const { return buttons & Qt::LeftButton; }
    TGMouseInput movedBy(QPoint offset) const
    {
        TGMouseInput moved = *this;
        moved.pos += offset;
        return moved;
    }

    static TGMouseInput from(const QMouseEvent &e)
    {
        return TGMouseInput{e.position().toPoint(), e.button(), e.buttons(), e.modifiers(),
                            e.globalPosition().toPoint()};
    }
};
