#pragma once

#include "design/TGGraphicControl.h"
#include "platform/Pen.h"

#include <QList>

// What the shape and the line share: the pen they are drawn with, the
// one-time building of their menu entries after the base entries, and the
// "Line Thickness" submenu whose tick follows the pen width. Each class
// still declares the pen among its stored properties in its own place.
class TGPenObject : public TGGraphicControl
{
    Q_OBJECT
public:
    const TPen &Pen() const { return m_pen; }
    // Copies the pen and repaints.
    void SetPen(const TPen &pen);

    // The thickness tick; subclasses add their own ticks.
    void RefreshPopup() override;

protected:
    explicit TGPenObject(QObject *owner = nullptr);

    // The base menu, then the object's own entries.
    void BuildMenu() override;
    // Appends the object's own entries to its menu; runs once, in BuildMenu.
    virtual void AppendMenuItems() = 0;
    // "Line Thickness" with "1 Point" ... "10 Point": the pen width in
    // pixels, reported as a change.
    void AddThicknessMenu();
    // The colour dialog preset with the pen colour; a chosen colour becomes
    // the pen's and is reported as a change.
    void ChoosePenColor();

private:
    TPen m_pen;
    QList<QAction *> m_thicknessItems;
};
