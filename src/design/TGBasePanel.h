#pragma once

#include "design/TGMouseInput.h"
#include "platform/Fonts.h"

#include <QLine>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <memory>

class QImage;
class QMenu;
class QMimeData;
class TCanvas;
class TReport;
class TGGraphicControl;
class TGHandle;
class TGObjectStreamer;
class TGPanelMenu;

// The design surface: owns the design objects in z-order (first lowest),
// paints them, routes the mouse to them and to its selection handle, and
// carries the selection commands (z-order, clipboard, alignment, locking).
// In a drawing state (`Pointing` false) a drag on it yields the rectangle of
// a new object (`CreateObject`).
class TGBasePanel : public QWidget
{
    Q_OBJECT
public:
    explicit TGBasePanel(QWidget *parent = nullptr);
    ~TGBasePanel() override;

    TGHandle *Handle() const { return m_handle; }

    // Objects in z-order, first lowest.
    const QList<TGGraphicControl *> &Objects() const { return m_objects; }
    int ObjectCount() const { return int(m_objects.size()); }
    // Child controls as the menu counts them: the objects and the handle.
    int ChildCount() const { return ObjectCount() + 1; }
    TGGraphicControl *FindObject(const QString &name) const;
    // The lowest free "<prefix><n>" for n from `first` to 1000.
    QString UniqueName(const QString &prefix, int first) const;
    // The names `count` objects added one after the other would get from
    // UniqueName, found in one pass over the objects.
    QStringList UniqueNames(const QString &prefix, int first, int count) const;

    // Makes the panel the object's parent and puts it on top.
    void AddObject(TGGraphicControl *object);
    // Deselects, takes off the panel and frees (later) the object.
    void FreeObject(TGGraphicControl *object);
    void BringToFront(TGGraphicControl *object);
    void SendToBack(TGGraphicControl *object);
    // The topmost visible object at a panel point (null: none).
    TGGraphicControl *ObjectAt(QPoint p) const;

    bool Pointing() const { return m_pointing; }
    void SetPointing(bool value) { m_pointing = value; }
    bool Printing() const { return m_printing; }
    void SetPrinting(bool value) { m_printing = value; }
    bool SuppressChanges() const { return m_suppressChanges; }
    void SetSuppressChanges(bool value) { m_suppressChanges = value; }
    bool Zooming() const { return m_zooming; }
    // Anti-aliased shapes, lines, text and pictures on the screen; off, the
    // card shows the exact pixels its exports and tests rely on.
    bool SmoothDrawing() const { return m_smoothDrawing; }
    void SetSmoothDrawing(bool value);
    float Zoom() const { return m_zoom; }

    // The font new text objects start with and the font dialog opens with.
    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &font) { m_font = font; }

    // Grid step for snapping and the grid (4 or 8) and whether moves snap.
    bool SnapToGrid() const;
    void SetSnapToGrid(bool value);

    // Fires LabelChangedEvent unless zooming or suppressed.
    void ReportChange();

    // One user action on the card (a click, a key, a menu command with its
    // dialog) is bracketed by BeginAction and EndAction, nested as the
    // handlers call each other. When the outermost one ends,
    // ActionCompleted names it: the first name given, else the last hint.
    // `nudge` marks a move by the arrow keys.
    void BeginAction(const QString &name = QString(), bool nudge = false);
    void EndAction();
    bool InAction() const { return m_actionDepth > 0; }
    // Names a change made outside any action (a submenu choice).
    void HintAction(const QString &name) { m_actionHint = name; }
    // The hint, cleared.
    QString TakeActionHint();

    void PlaceObject(TGGraphicControl *object, QRect r);
    void ConnectObjects();
    void RemoveAllObjects();
    void PullObjectsInside();
    void DeleteObjectsOutside();
    void PrintAll(TReport &report, double left, double top);
    virtual void ObjectsLoaded() {}
    // Called when a drag ends in a drawing state; r is normalised.
    virtual void CreateObject(QRect r) {}

    // Selection commands (the panel menu).
    void BringSelectionToFront();
    void SendSelectionToBack();
    void AlignLeft();
    void AlignRight();
    void AlignTops();
    void AlignBottoms();
    void CenterSelectionVertically();
    void CenterSelectionHorizontally();
    void LockAll();
    void UnlockAll();
    void MarkAllSelectable();
    void MarkAllUnselectable();
    void SelectAll();
    void ChooseFont();
    // Copies of the selection beside it, selected in its place (the
    // clipboard file is left alone).
    void Duplicate();
    // Selects the next (previous) selectable object in z-order after the
    // last selected one, round the card.
    void SelectNext(bool forward);
    // Clears the selection and selects the objects (unselectable ones are skipped).
    void SelectOnly(const QList<TGGraphicControl *> &objects);
    // Opens the object's properties: the action registered for its class
    // (its text editor for text), else its menu at `globalPos`. False
    // when it has neither.
    bool OpenProperties(TGGraphicControl *object, QPoint globalPos);
    using TPropertiesAction = std::function<void(TGGraphicControl &)>;
    // The properties action of a class and the classes derived from it.
    static void RegisterProperties(const QMetaObject *objectClass, TPropertiesAction action);
    static TPropertiesAction PropertiesAction(const TGGraphicControl &object);

    // Thin guide lines shown while a drag snaps to other objects or the
    // card's centre lines (panel coordinates).
    const QList<QLine> &Guides() const { return m_guides; }
    void SetGuides(const QList<QLine> &guides);

    // Clipboard on the selection, through the clipboard file and the system
    // clipboard. Paste takes what another program or another copy of
    // Karvello put on the system clipboard since, else the clipboard file.
    void Cut();
    void Copy();
    void Paste();
    void Delete();
    // The same from one object's own menu.
    void ObjectCut(TGGraphicControl *object);
    void ObjectCopy(TGGraphicControl *object);
    void ObjectPaste();
    void ObjectDelete(TGGraphicControl *object);
    // Whether Paste has something to take.
    bool CanPaste() const;
    // Pastes a picture or text from another program (the object classes
    // live above the panel); true when it placed something.
    using TForeignPaste = std::function<bool(const QMimeData &)>;
    void SetForeignPaste(TForeignPaste paste) { m_foreignPaste = std::move(paste); }
    // A picture of the objects as the card shows them, on transparency,
    // at twice the card's pixels at 100 % (twice the shown pixels when
    // zoomed out), so that it is sharp pasted elsewhere.
    QImage PictureOf(const QList<TGGraphicControl *> &objects);
    // "Clipbrd.tmp" in the program folder unless set.
    QString ClipboardFileName() const;
    void SetClipboardFileName(const QString &file) { m_clipboardFile = file; }
    // The streamer the clipboard and cloning use (the installed one by default).
    TGObjectStreamer *Streamer() const;
    void SetStreamer(TGObjectStreamer *streamer) { m_streamer = streamer; }

    QMenu *PanelMenu() const;
    // Enables the panel menu's entries for the current selection.
    void UpdatePanelMenu();
    // Opens a menu at a global position (non-blocking); the last one is kept for tests.
    virtual void PopupMenu(QMenu *menu, QPoint globalPos);
    QMenu *LastPopupMenu() const;
    // Replaces showing menus (tests record them instead of opening them).
    void SetPopupHandler(std::function<void(QMenu *, QPoint)> handler) { m_popupHandler = std::move(handler); }

    // The screen cursor by number (see TGCursors).
    int ScreenCursor() const { return m_screenCursor; }
    void SetScreenCursor(int number);

    // Rubber band state (panel coordinates).
    bool RubberBandActive() const { return m_bandActive; }
    QRect RubberBandRect() const;
    // From the press to the current (or last release) point of the band: the
    // way the mouse went.
    QPoint RubberBandVector() const { return m_bandEnd - m_bandStart; }

    // The posted re-fit of the handle after objects moved.
    void PostRefit();
    void RefitHandle();

    // Mouse input from the objects and the handle, in panel coordinates.
    void ObjectMouseDown(TGGraphicControl *object, const TGMouseInput &in);
    void PanelMouseDown(const TGMouseInput &in);
    void PanelMouseMove(const TGMouseInput &in);
    void PanelMouseUp(const TGMouseInput &in);
    void SelectByRect(const QRect &r, bool shift);
    bool HandleKey(int key, Qt::KeyboardModifiers modifiers);
    // The keyboard is on the card: the panel or its handle has the focus
    // (or no widget has).
    bool HasCardFocus() const;

    // Paints the card's background, then every visible object in z-order,
    // the selection marks and the drag outlines.
    void PaintAll(TCanvas &canvas);
    // Paints the objects as they are, into a canvas whose origin is the
    // card's corner (no marks).
    void PaintObjects(TCanvas &canvas);

signals:
    void LabelChangedEvent();
    void ActionCompleted(const QString &name, bool nudge);
    void DroppedObjectEvent(QRect r);
    void DoubleClickEvent();
    // The selection, or the bounds of a selected object, changed.
    void SelectionChanged();

protected:
    // The card under the objects; the base fills white.
    virtual void PaintBackground(TCanvas &canvas);
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;
    // Tab steps through the objects rather than the window's controls.
    bool focusNextPrevChild(bool next) override { return false; }

    float m_zoom = 1.0f;
    bool m_zooming = false;

private:
    friend class TGHandle;
    void PaintOutlines(TCanvas &canvas);
    void PaintObject(TCanvas &canvas, TGGraphicControl *object, QPoint base);
    void WriteClipboard(const QList<TGGraphicControl *> &objects);
    void PasteFromClipboard();
    void DeleteSelection();
    // The mouse left the object it was over: the pointing or the tool's cursor.
    void LeaveHoveredObject();

    TGHandle *m_handle = nullptr;
    std::unique_ptr<TGPanelMenu> m_menu;
    QList<TGGraphicControl *> m_objects;
    bool m_pointing = true;
    bool m_printing = false;
    bool m_suppressChanges = false;
    bool m_smoothDrawing = false;
    QRect m_paintRect; // the exposed part while painting the screen
    QList<QLine> m_guides;
    TFont m_font;
    bool m_bandActive = false;
    QPoint m_bandStart;
    QPoint m_bandEnd;
    QString m_clipboardFile;
    quint32 m_lastPaste = 0;
    TGObjectStreamer *m_streamer = nullptr;
    TForeignPaste m_foreignPaste;
    QPointer<QMenu> m_lastPopup;
    std::function<void(QMenu *, QPoint)> m_popupHandler;
    int m_screenCursor = 0;
    QPointer<TGGraphicControl> m_hovered; // the object under the mouse
    bool m_refitPosted = false;
    int m_actionDepth = 0;
    QString m_actionName;
    QString m_actionHint;
    bool m_actionNudge = false;
};

// BeginAction and EndAction for one scope; a null panel does nothing.
class TGPanelAction
{
public:
    explicit TGPanelAction(TGBasePanel *panel, const QString &name = QString(), bool nudge = false)
        : m_panel(panel)
    {
        if (m_panel)
            m_panel->BeginAction(name, nudge);
    }
    ~TGPanelAction()
    {
        if (m_panel)
            m_panel->EndAction();
    }
    TGPanelAction(const TGPanelAction &) = delete;
    TGPanelAction &operator=(const TGPanelAction &) = delete;

private:
    QPointer<TGBasePanel> m_panel;
};
