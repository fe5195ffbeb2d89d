#pragma once

#include "design/Properties.h"

#include <QList>
#include <QObject>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class TCanvas;
class TReport;
class TGBasePanel;
struct TFont;

// The base of every design object on the card: a light, window-less item
// with bounds in card pixels at the current zoom, the stored flags `Locked`
// and `Unselectable`, its own right-click menu and change reporting to its
// panel. The panel owns the objects, keeps their z-order, paints them and
// routes the mouse to them; an object does no selection or dragging itself.
//
// Subclasses add Q_OBJECT (the meta-object class name is the stream class
// name), a static `properties()` starting with their base's list, and
// override the virtual operations they need.
class TGGraphicControl : public QObject
{
    Q_OBJECT
public:
    explicit TGGraphicControl(QObject *owner = nullptr);
    ~TGGraphicControl() override;

    // The stored properties of this class, in stream order.
    static const TPropertyList &properties();
    // The list of the object's own (most derived) class.
    virtual const TPropertyList &StoredProperties() const { return properties(); }
    // Stream class name, e.g. "TBCShapes".
    QString ClassName() const;

    // Object name (unique on the panel).
    QString Name() const { return objectName(); }
    void SetName(const QString &name) { setObjectName(name); }

    // Bounds in card pixels at the current zoom.
    int Left() const { return m_bounds.left(); }
    int Top() const { return m_bounds.top(); }
    int Width() const { return m_bounds.width(); }
    int Height() const { return m_bounds.height(); }
    QRect BoundsRect() const { return m_bounds; }
    void SetLeft(int value) { SetBounds(value, Top(), Width(), Height()); }
    void SetTop(int value) { SetBounds(Left(), value, Width(), Height()); }
    void SetWidth(int value) { SetBounds(Left(), Top(), value, Height()); }
    void SetHeight(int value) { SetBounds(Left(), Top(), Width(), value); }
    // Moves and resizes; unless loading, runs the position check (`BoundsChanged`).
    void SetBounds(int left, int top, int width, int height);
    void SetBounds(const QRect &r) { SetBounds(r.left(), r.top(), r.width(), r.height()); }

    int Tag() const { return m_tag; }
    void SetTag(int value) { m_tag = value; }
    QString Hint() const { return m_hint; }
    void SetHint(const QString &value) { m_hint = value; }
    int Cursor() const { return m_cursor; }
    void SetCursor(int value) { m_cursor = value; }

    bool Locked() const { return m_locked; }
    void SetLocked(bool value);
    bool Unselectable() const { return m_unselectable; }
    void SetUnselectable(bool value);

    bool Visible() const { return m_visible; }
    void SetVisible(bool value);

    float Zoom() const { return m_zoom; }
    // The bounds at zoom 1.0, as the document holds them. Zooming derives
    // the bounds from them (each value rounded half to even) rather than
    // from the last zoom's, so zooming never moves an object; a move or a
    // resize at a zoom sets only the values it changes.
    QRect DocumentBounds() const { return m_docBounds; }
    void SetZoom(float factor);
    // Restores the document bounds (an undo step); the bounds follow at
    // the current zoom. An empty rectangle is ignored.
    void SetDocumentBounds(const QRect &document);
    // Takes the factor without scaling (placing and connecting objects);
    // the bounds are then read at that zoom.
    void SetZoomDirect(float factor);

    // True while a stream reader sets properties: setters only store. The
    // bounds the object has when loading ends are where it starts, so its
    // first move from there reports a change.
    bool IsLoading() const { return m_loading; }
    void SetLoading(bool value);

    TGBasePanel *Panel() const { return m_panel; }
    void SetPanel(TGBasePanel *panel);

    // The object's own menu: null before `Loaded`, built the first time it
    // is asked for after that (reading a card of many objects builds none).
    QMenu *ObjectMenu() const;

    // Runs instead of opening the menu when the single selected object is
    // double-clicked (the rich-text object opens its editor with it).
    std::function<void()> DoubleClickAction;

    // Runs once the object's stored properties are all set; from then on
    // its menu can be built. Subclasses call this first.
    virtual void Loaded();
    // Draws the content in the object's own coordinates: (0, 0) is the
    // object's top-left corner and the canvas is clipped to its bounds. The
    // panel paints selection marks itself after all objects.
    virtual void Paint(TCanvas &canvas);
    // Position check: reports a change and posts the handle re-fit when the
    // bounds differ from those of the last check. The first check only
    // records them.
    virtual void BoundsChanged();
    // Brings ticks up to date just before the object menu opens.
    virtual void RefreshPopup();
    virtual void ApplyFont(const TFont &font);
    // Draws on a print job; left and top are the card's corner on the page in inches.
    virtual void PrintTo(TReport &report, double left, double top);
    // Where the object's own lines of text run, in its own pixels: one
    // rectangle per line, from the earlier to the later end of the line as
    // the screen and as paper set it (see design/TextFit). Empty for objects
    // without lines of text, or whose text always fits by itself.
    virtual QList<QRectF> TextRuns() { return {}; }
    // The object's text as a message about it quotes it.
    virtual QString TextForMessages() const { return {}; }
    // The fields ("{Name}") the object's text uses (design/CardFields).
    virtual QStringList FieldNames() const { return {}; }
    // The record its fields are filled from changed: what depends on the
    // shown text is worked out again. The box never changes.
    virtual void FieldsChanged() { Invalidate(); }

    // Asks the panel to report a change (not while it prints).
    void NotifyChanged();
    // Fills the selection marks on the panel's canvas when selected.
    void PaintSelectionMarks(TCanvas &panelCanvas);
    // The topmost object on the panel of this object's class or one derived from it.
    TGGraphicControl *FindLastSameClass() const;
    // Repaints the object's area of the panel.
    void Invalidate();

    // Object menu commands.
    void BringToFront();
    void SendToBack();
    void CenterVertically();
    void CenterHorizontally();
    void Clone();

    // Space-only trimming (other white space is kept).
    static QString TrimLeadingSpaces(const QString &text);
    static QString TrimTrailingSpaces(const QString &text);
    static QString TrimSpaces(const QString &text);

protected:
    // Fills the object menu the first time it is wanted: the base entries;
    // subclasses call their base first and then append their own. The ticks
    // are brought in step (RefreshPopup) afterwards.
    virtual void BuildMenu();
    // The size an object has before it is placed; no position check.
    void InitSize(int width, int height) { m_bounds.setSize(QSize(width, height)); }
    // Adds an entry to the object menu; `action` runs when it is chosen.
    QAction *AddMenuItem(const QString &caption, std::function<void()> action);
    QAction *AddMenuSeparator();
    // A submenu of the object menu.
    QMenu *AddSubMenu(const QString &caption);

private:
    // Brings the document bounds up to date after the bounds changed from
    // `before` at the current zoom.
    void TrackDocumentBounds(const QRect &before);

    QRect m_bounds{0, 0, 0, 0};
    QRect m_lastBounds{0, 0, 0, 0};
    QRect m_docBounds{0, 0, 0, 0};
    bool m_zoomScaling = false;
    bool m_inBoundsCheck = false;
    float m_zoom = 1.0f;
    int m_tag = 0;
    QString m_hint;
    int m_cursor = 0;
    bool m_locked = false;
    bool m_unselectable = false;
    bool m_visible = true;
    bool m_loading = false;
    TGBasePanel *m_panel = nullptr;
    mutable std::unique_ptr<QMenu> m_menu;
    bool m_menuWanted = false;
    QAction *m_lockedItem = nullptr;
};
