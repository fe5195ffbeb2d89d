#pragma once

#include "design/TGMouseInput.h"
#include "platform/Colors.h"

#include <QList>
#include <QRect>
#include <QWidget>

class TGBasePanel;
class TGGraphicControl;

// The one selection handle of a panel: a transparent child widget laid over
// the selected objects. It keeps the selection, takes the mouse for moving
// and resizing it (eight sizing zones on a single selection, optional grid
// snapping) and the arrow keys for nudging. The panel paints the selection
// marks and the drag outlines; the handle itself paints nothing.
class TGHandle : public QWidget
{
    Q_OBJECT
public:
    explicit TGHandle(TGBasePanel *panel);

    TColor Color() const { return m_color; }
    void SetColor(TColor value) { m_color = value; }
    TColor SecondaryColor() const { return m_secondaryColor; }
    void SetSecondaryColor(TColor value) { m_secondaryColor = value; }

    // Effective snap steps (1 when snapping is off).
    int GridX() const { return m_gridX; }
    int GridY() const { return m_gridY; }
    // Stored grid step, effective while snapping.
    void SetGridStep(int step);
    bool SnapToGrid() const { return m_gridX > 1 || m_gridY > 1; }
    void SetSnapToGrid(bool value);

    // Selection, in the order objects were selected.
    void SelectObject(TGGraphicControl *object);
    void DeselectObject(TGGraphicControl *object);
    void ClearSelection();
    bool IsSelected(const TGGraphicControl *object) const;
    int SelectionCount() const { return int(m_selection.size()); }
    TGGraphicControl *SelectedObject(int index) const;
    const QList<TGGraphicControl *> &Selection() const { return m_selection; }

    void BringSelectionToFront();
    void SendSelectionToBack();

    // The re-fit after objects moved: 4 pixels of room at the right and
    // bottom, objects unchanged.
    void Refit();
    // Moves and resizes every unlocked selected object by the change from
    // the handle's bounds to `bounds`, then takes `bounds`.
    void ApplyBounds(const QRect &bounds);

    // Sizing zone under the mouse (0 = move) for the next drag.
    int Zone() const { return m_zone; }
    bool Dragging() const { return m_dragging; }
    // Drag or key-move outline in panel coordinates (null when none).
    QRect FeedbackRect() const;

    // Mouse input in handle coordinates. The panel forwards the mouse here
    // while the handle holds the capture.
    void HandlePress(const TGMouseInput &in);
    void HandleMove(const TGMouseInput &in);
    void HandleRelease(const TGMouseInput &in);
    void HandleDoubleClick(const TGMouseInput &in);
    bool HasCapture() const { return m_capture; }
    void ReleaseCapture() { m_capture = false; }

    // How near (screen pixels) an edge or centre must come to another
    // object's, or to the card's centre line, to snap to it.
    static constexpr int GuideReach = 5;

    // Arrow keys; false when the key is not one of them. An arrow nudges
    // the selection one pixel, with Shift ten; Ctrl with an arrow sizes a
    // single selection by one pixel.
    bool HandleArrowKey(int key, Qt::KeyboardModifiers modifiers);
    bool HandleArrowKeyRelease(int key);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool focusNextPrevChild(bool next) override { return false; }

private:
    void Hide();
    void FitAround(int room);
    // The bounds of all selected objects together.
    QRect SelectionUnion() const;
    void GrabFocusAndMouse();
    int ZoneAt(QPoint p) const;
    QRect DraggedBounds(QPoint p) const;
    // The dragged handle rectangle moved or sized so that its edges and
    // centres meet other objects' or the card's centre lines when near;
    // the guides to show go to the panel.
    QRect SnapToGuides(const QRect &dragged);
    QPoint ClampToPanel(QPoint p) const;
    void EndDrag();
    TGGraphicControl *SelectedObjectAt(QPoint handlePoint) const;
    void ToggleObjectsAt(QPoint handlePoint);
    void SetFeedback(const QRect &panelRect);

    TGBasePanel *m_panel;
    TColor m_color = clBlack;
    TColor m_secondaryColor = clGray;
    int m_gridX = 1;
    int m_gridY = 1;
    int m_storedGrid = 8;
    QList<TGGraphicControl *> m_selection;
    quint32 m_pressTime = 0;
    QPoint m_dragStart;
    bool m_dragging = false;
    int m_zone = 0;
    QRect m_feedback;
    bool m_keyMove = false;
    int m_keyLeft = 0, m_keyTop = 0, m_keyRight = 0, m_keyBottom = 0;
    bool m_afterDoubleClick = false;
    bool m_guidesOff = false; // Alt held during the drag
    bool m_capture = false;
};
