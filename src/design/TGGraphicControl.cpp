#include "design/TGGraphicControl.h"

#include "design/TGBasePanel.h"
#include "design/TGHandle.h"
#include "design/TGObjectStreamer.h"
#include "platform/Canvas.h"
#include "platform/Numbers.h"

#include <QCoreApplication>
#include <QMenu>

TGGraphicControl::TGGraphicControl(QObject *owner) : QObject(owner) {}

TGGraphicControl::~TGGraphicControl() = default;

const TPropertyList &TGGraphicControl::properties()
{
    using C = TGGraphicControl;
    static const TPropertyList list = TPropertyBuilder<C>()
        .integer("Tag", &C::Tag, &C::SetTag, 0)
        .integer("Left", &C::Left, &C::SetLeft)
        .integer("Top", &C::Top, &C::SetTop)
        .integer("Width", &C::Width, &C::SetWidth)
        .integer("Height", &C::Height, &C::SetHeight)
        .integer("Cursor", &C::Cursor, &C::SetCursor, 0)
        .string("Hint", &C::Hint, &C::SetHint, QString())
        .boolean("Locked", &C::Locked, &C::SetLocked)
        .boolean("Unselectable", &C::Unselectable, &C::SetUnselectable)
        .build();
    return list;
}

QString TGGraphicControl::ClassName() const
{
    return QString::fromLatin1(metaObject()->className());
}

void TGGraphicControl::SetBounds(int left, int top, int width, int height)
{
    const QRect r(left, top, width, height);
    if (r == m_bounds)
        return;
    Invalidate();
    const QRect before = m_bounds;
    m_bounds = r;
    if (!m_zoomScaling)
        TrackDocumentBounds(before);
    Invalidate();
    if (!m_loading)
        BoundsChanged();
}

void TGGraphicControl::TrackDocumentBounds(const QRect &before)
{
    if (m_zoom == 1.0f || m_zoom <= 0.0f) {
        m_docBounds = m_bounds;
        return;
    }
    // Only what changed is read back from the zoomed pixels: a move keeps
    // the document size, a resize on the right keeps the document position.
    const double z = double(m_zoom);
    auto unzoom = [z](int v) { return Numbers::roundHalfEven(double(v) / z); };
    if (m_bounds.left() != before.left())
        m_docBounds.moveLeft(unzoom(m_bounds.left()));
    if (m_bounds.top() != before.top())
        m_docBounds.moveTop(unzoom(m_bounds.top()));
    if (m_bounds.width() != before.width())
        m_docBounds.setWidth(unzoom(m_bounds.width()));
    if (m_bounds.height() != before.height())
        m_docBounds.setHeight(unzoom(m_bounds.height()));
}

void TGGraphicControl::SetLoading(bool value)
{
    if (m_loading && !value)
        m_lastBounds = m_bounds;
    m_loading = value;
}

void TGGraphicControl::SetLocked(bool value)
{
    if (value == m_locked)
        return;
    m_locked = value;
    if (m_loading)
        return;
    if (m_lockedItem)
        m_lockedItem->setChecked(value);
    NotifyChanged();
}

void TGGraphicControl::SetUnselectable(bool value)
{
    if (value == m_unselectable)
        return;
    m_unselectable = value;
    if (m_loading)
        return;
    NotifyChanged();
    if (value && m_panel)
        m_panel->Handle()->DeselectObject(this);
}

void TGGraphicControl::SetVisible(bool value)
{
    if (value == m_visible)
        return;
    m_visible = value;
    Invalidate();
}

void TGGraphicControl::SetZoom(float factor)
{
    if (factor == m_zoom)
        return;
    const double z = double(factor);
    auto scale = [z](int v) { return Numbers::roundHalfEven(double(v) * z); };
    const QRect doc = m_docBounds;
    m_zoomScaling = true;
    SetBounds(scale(doc.left()), scale(doc.top()), scale(doc.width()), scale(doc.height()));
    m_zoomScaling = false;
    m_zoom = factor;
    BoundsChanged();
}

void TGGraphicControl::SetDocumentBounds(const QRect &document)
{
    if (document.isEmpty() || document == m_docBounds)
        return;
    const double z = double(m_zoom);
    auto scale = [z](int v) { return Numbers::roundHalfEven(double(v) * z); };
    m_docBounds = document;
    m_zoomScaling = true;
    SetBounds(scale(document.left()), scale(document.top()), scale(document.width()), scale(document.height()));
    m_zoomScaling = false;
}

void TGGraphicControl::SetZoomDirect(float factor)
{
    if (factor == m_zoom)
        return;
    m_zoom = factor;
    // The bounds are read afresh at the new factor.
    m_docBounds = QRect();
    TrackDocumentBounds(QRect());
}

void TGGraphicControl::SetPanel(TGBasePanel *panel)
{
    m_panel = panel;
}

void TGGraphicControl::Loaded()
{
    m_menuWanted = true;
}

QMenu *TGGraphicControl::ObjectMenu() const
{
    if (!m_menu && m_menuWanted) {
        // Filling a menu is a matter of the object's own state, not of its value.
        auto *self = const_cast<TGGraphicControl *>(this);
        m_menu = std::make_unique<QMenu>();
        self->BuildMenu();
        self->RefreshPopup();
    }
    return m_menu.get();
}

void TGGraphicControl::BuildMenu()
{
    QObject::connect(m_menu.get(), &QMenu::aboutToShow, this, [this] { RefreshPopup(); });
    // A choice in a submenu, whoever added it, names the change it makes
    // after the submenu ("Alignment", "Line Thickness", ...).
    QObject::connect(m_menu.get(), &QMenu::triggered, this, [this](QAction *item) {
        auto *submenu = qobject_cast<QMenu *>(item->parent());
        if (m_panel && submenu && submenu != m_menu.get())
            m_panel->HintAction(submenu->title());
    });
    AddMenuItem("Bring To Front", [this] { NotifyChanged(); BringToFront(); });
    AddMenuItem("Send To Back", [this] { NotifyChanged(); SendToBack(); });
    AddMenuItem("Cut", [this] { NotifyChanged(); if (m_panel) m_panel->ObjectCut(this); });
    AddMenuItem("Copy", [this] { if (m_panel) m_panel->ObjectCopy(this); });
    AddMenuItem("Delete", [this] { NotifyChanged(); if (m_panel) m_panel->ObjectDelete(this); });
    AddMenuItem("Clone", [this] { Clone(); });
    AddMenuSeparator();
    m_lockedItem = AddMenuItem("Locked", [this] { SetLocked(!m_locked); });
    m_lockedItem->setCheckable(true);
    m_lockedItem->setChecked(m_locked);
    AddMenuItem("Unselectable", [this] { SetUnselectable(true); });
    AddMenuSeparator();
    AddMenuItem("Center Vertically", [this] { CenterVertically(); });
    AddMenuItem("Center Horizontally", [this] { CenterHorizontally(); });
}

QAction *TGGraphicControl::AddMenuItem(const QString &caption, std::function<void()> action)
{
    QAction *item = m_menu->addAction(caption);
    QObject::connect(item, &QAction::triggered, this, [this, caption, action] {
        const TGPanelAction scope(m_panel, caption);
        action();
    });
    return item;
}

QAction *TGGraphicControl::AddMenuSeparator()
{
    return m_menu->addSeparator();
}

QMenu *TGGraphicControl::AddSubMenu(const QString &caption)
{
    return m_menu->addMenu(caption);
}

void TGGraphicControl::Paint(TCanvas &) {}

void TGGraphicControl::BoundsChanged()
{
    if (m_inBoundsCheck)
        return;
    m_inBoundsCheck = true;
    if (m_lastBounds == QRect(0, 0, 0, 0))
        m_lastBounds = m_bounds;
    if (m_bounds != m_lastBounds) {
        NotifyChanged();
        m_lastBounds = m_bounds;
        if (m_panel)
            m_panel->PostRefit();
    }
    m_inBoundsCheck = false;
}

void TGGraphicControl::RefreshPopup()
{
    if (m_lockedItem)
        m_lockedItem->setChecked(m_locked);
}

void TGGraphicControl::ApplyFont(const TFont &) {}

void TGGraphicControl::PrintTo(TReport &, double, double) {}

void TGGraphicControl::NotifyChanged()
{
    if (m_panel && !m_panel->Printing())
        m_panel->ReportChange();
}

void TGGraphicControl::PaintSelectionMarks(TCanvas &canvas)
{
    if (!m_panel || !m_panel->Handle()->IsSelected(this))
        return;
    const TGHandle &handle = *m_panel->Handle();
    const bool single = handle.SelectionCount() == 1;
    canvas.brush() = TBrush{single ? handle.Color() : handle.SecondaryColor(), bsSolid, {}};
    const int l = Left() - 2, t = Top() - 2, r = Left() + Width() + 2, b = Top() + Height() + 2;
    // Squares given by their corners, right and bottom exclusive.
    auto square = [&canvas](int x1, int y1, int x2, int y2) {
        canvas.fillRect(QRect(x1, y1, x2 - x1, y2 - y1));
    };
    square(l, t, l + 5, t + 5);
    square(r - 5, t, r, t + 5);
    square(r - 5, b - 5, r, b);
    square(l, b - 5, l + 5, b);
    if (!single)
        return;
    const int hx = Numbers::truncate((r - l) * 0.5);
    const int hy = Numbers::truncate((b - t) * 0.5);
    square(l + hx - 2, t, l + hx + 3, t + 5);
    square(l + hx - 2, b - 5, l + hx + 3, b);
    square(l, t + hy - 2, l + 5, t + hy + 3);
    square(r - 5, t + hy - 2, r, t + hy + 3);
}

TGGraphicControl *TGGraphicControl::FindLastSameClass() const
{
    if (!m_panel)
        return nullptr;
    const QList<TGGraphicControl *> &objects = m_panel->Objects();
    for (auto it = objects.crbegin(); it != objects.crend(); ++it) {
        if ((*it)->metaObject()->inherits(metaObject()))
            return *it;
    }
    return nullptr;
}

void TGGraphicControl::Invalidate()
{
    // The marks reach 2 pixels outside the object.
    if (m_panel && m_visible)
        m_panel->update(m_bounds.adjusted(-3, -3, 3, 3));
}

void TGGraphicControl::BringToFront()
{
    if (m_panel)
        m_panel->BringToFront(this);
}

void TGGraphicControl::SendToBack()
{
    if (!m_panel)
        return;
    m_panel->SendToBack(this);
    m_panel->Handle()->ClearSelection();
}

void TGGraphicControl::CenterVertically()
{
    if (!m_panel)
        return;
    SetTop(m_panel->height() / 2 - Height() / 2);
    NotifyChanged();
    QCoreApplication::processEvents();
    m_panel->update();
}

void TGGraphicControl::CenterHorizontally()
{
    if (!m_panel)
        return;
    SetLeft(m_panel->width() / 2 - Width() / 2);
    NotifyChanged();
    QCoreApplication::processEvents();
    m_panel->update();
}

void TGGraphicControl::Clone()
{
    TGBasePanel *panel = m_panel;
    TGObjectStreamer *streamer = panel ? panel->Streamer() : nullptr;
    if (!streamer)
        return;
    const QByteArray bytes = streamer->WriteObjects({this});
    streamer->ReadObjects(bytes, *panel, {});
    QCoreApplication::processEvents();
    TGGraphicControl *copy = FindLastSameClass();
    if (!copy || copy == this)
        return;
    copy->SetTop(Top() + 25);
    copy->BringToFront();
    panel->ObjectsLoaded();
    if (panel->Handle()->IsSelected(this)) {
        panel->Handle()->DeselectObject(this);
        panel->Handle()->SelectObject(copy);
    }
    panel->ConnectObjects();
    NotifyChanged();
}

QString TGGraphicControl::TrimLeadingSpaces(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    return text.mid(i);
}

QString TGGraphicControl::TrimTrailingSpaces(const QString &text)
{
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == QLatin1Char(' '))
        --n;
    return text.left(n);
}

QString TGGraphicControl::TrimSpaces(const QString &text)
{
    return TrimTrailingSpaces(TrimLeadingSpaces(text));
}
