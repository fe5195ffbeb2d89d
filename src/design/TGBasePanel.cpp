#include "design/TGBasePanel.h"

#include "design/ObjectPrinting.h"
#include "design/TGCursors.h"
#include "design/TGGraphicControl.h"
#include "design/TGHandle.h"
#include "design/TGObjectStreamer.h"
#include "design/TGPanelMenu.h"
#include "platform/AppRoutines.h"
#include "platform/Canvas.h"

#include <QCoreApplication>
#include <QSet>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

#include <utility>

namespace {
constexpr int kMinPlacedWidth = 10;
constexpr int kMinPlacedHeight = 15;
} // namespace

TGBasePanel::TGBasePanel(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_handle = new TGHandle(this);
    m_menu = std::make_unique<TGPanelMenu>(this);
}

TGBasePanel::~TGBasePanel()
{
    // The clipboard lives only as long as the panel.
    const QString clipboard = ClipboardFileName();
    if (!clipboard.isEmpty())
        QFile::remove(clipboard);
}

TGGraphicControl *TGBasePanel::FindObject(const QString &name) const
{
    for (TGGraphicControl *o : m_objects) {
        if (o->Name().compare(name, Qt::CaseInsensitive) == 0)
            return o;
    }
    return nullptr;
}

QString TGBasePanel::UniqueName(const QString &prefix, int first) const
{
    return UniqueNames(prefix, first, 1).constFirst();
}

QStringList TGBasePanel::UniqueNames(const QString &prefix, int first, int count) const
{
    // Numbers normally stay within kLastNameNumber; past it the count goes
    // on rather than giving two objects one name.
    // One pass over the objects for all the names: a document of a thousand
    // objects is named as a whole, not object by object.
    QSet<int> taken;
    for (const TGGraphicControl *o : m_objects) {
        const QString name = o->Name();
        if (name.size() > prefix.size() && name.startsWith(prefix, Qt::CaseInsensitive)) {
            bool isNumber = false;
            const int number = QStringView(name).mid(prefix.size()).toInt(&isNumber);
            // "Special01" is not "Special1": only names spelt as the number count.
            if (isNumber && QString::number(number) == QStringView(name).mid(prefix.size()))
                taken.insert(number);
        }
    }
    QStringList names;
    names.reserve(count);
    for (int n = first; names.size() < count; ++n) {
        if (!taken.contains(n))
            names << prefix + QString::number(n);
    }
    return names;
}

void TGBasePanel::AddObject(TGGraphicControl *object)
{
    // Only an object that names this panel can be on it already: reading a
    // large card does not search the list for each object.
    if (!object || (object->Panel() == this && m_objects.contains(object)))
        return;
    if (object->parent() != this)
        object->setParent(this);
    object->SetPanel(this);
    m_objects.append(object);
    object->Invalidate();
}

void TGBasePanel::FreeObject(TGGraphicControl *object)
{
    if (!object || !m_objects.contains(object))
        return;
    m_handle->DeselectObject(object);
    object->Invalidate();
    m_objects.removeOne(object);
    object->SetPanel(nullptr);
    // Later: the object may be freed from its own menu command.
    object->deleteLater();
}

void TGBasePanel::BringToFront(TGGraphicControl *object)
{
    const qsizetype i = m_objects.indexOf(object);
    if (i < 0)
        return;
    m_objects.move(i, m_objects.size() - 1);
    object->Invalidate();
}

void TGBasePanel::SendToBack(TGGraphicControl *object)
{
    const qsizetype i = m_objects.indexOf(object);
    if (i < 0)
        return;
    m_objects.move(i, 0);
    object->Invalidate();
}

TGGraphicControl *TGBasePanel::ObjectAt(QPoint p) const
{
    for (auto it = m_objects.crbegin(); it != m_objects.crend(); ++it) {
        if ((*it)->Visible() && (*it)->BoundsRect().contains(p))
            return *it;
    }
    return nullptr;
}

bool TGBasePanel::SnapToGrid() const
{
    return m_handle->SnapToGrid();
}

void TGBasePanel::SetSnapToGrid(bool value)
{
    m_handle->SetSnapToGrid(value);
}

void TGBasePanel::ReportChange()
{
    if (!m_zooming && !m_suppressChanges)
        emit LabelChangedEvent();
}

void TGBasePanel::BeginAction(const QString &name, bool nudge)
{
    if (m_actionDepth++ == 0) {
        m_actionName.clear();
        m_actionNudge = false;
    }
    if (m_actionName.isEmpty())
        m_actionName = name;
    m_actionNudge = m_actionNudge || nudge;
}

void TGBasePanel::EndAction()
{
    if (m_actionDepth == 0 || --m_actionDepth > 0)
        return;
    const QString hint = TakeActionHint();
    emit ActionCompleted(m_actionName.isEmpty() ? hint : m_actionName, m_actionNudge);
}

QString TGBasePanel::TakeActionHint()
{
    return std::exchange(m_actionHint, QString());
}

void TGBasePanel::PlaceObject(TGGraphicControl *object, QRect r)
{
    object->SetVisible(false);
    AddObject(object);
    object->SetName(UniqueName(QStringLiteral("Special"), 1));
    object->SetBounds(r.left(), r.top(), std::max(r.width(), kMinPlacedWidth),
                      std::max(r.height(), kMinPlacedHeight));
    object->SetZoomDirect(m_zoom);
    object->SetVisible(true);
    ReportChange();
    QCoreApplication::processEvents();
}

void TGBasePanel::ConnectObjects()
{
    for (TGGraphicControl *o : m_objects)
        o->SetZoomDirect(m_zoom);
}

void TGBasePanel::RemoveAllObjects()
{
    m_handle->ClearSelection();
    if (m_objects.isEmpty())
        return;
    // One deferred deletion for them all: each deleteLater of its own wakes
    // the event loop, a thousand times for a large card.
    auto *leaving = new QObject(this);
    for (TGGraphicControl *o : std::as_const(m_objects)) {
        o->SetPanel(nullptr);
        o->setParent(leaving);
    }
    m_objects.clear();
    update();
    leaving->deleteLater();
}

void TGBasePanel::PullObjectsInside()
{
    m_handle->ClearSelection();
    for (TGGraphicControl *o : m_objects) {
        if (o->Top() > height() - 10)
            o->SetTop(height() - 10);
        if (o->Left() > width() - 20)
            o->SetLeft(width() - 20);
    }
}

void TGBasePanel::DeleteObjectsOutside()
{
    m_handle->ClearSelection();
    const QList<TGGraphicControl *> objects = m_objects;
    for (TGGraphicControl *o : objects) {
        if (o->Top() > height() - 10 || o->Left() > width() - 10 || o->Width() < 1 || o->Height() < 1)
            FreeObject(o);
    }
}

void TGBasePanel::PrintAll(TReport &report, double left, double top)
{
    for (TGGraphicControl *o : m_objects)
        PrintObject(report, *o, left, top);
}

QMenu *TGBasePanel::PanelMenu() const
{
    return m_menu->Menu();
}

void TGBasePanel::UpdatePanelMenu()
{
    m_menu->UpdateEnabled();
}

void TGBasePanel::PopupMenu(QMenu *menu, QPoint globalPos)
{
    if (!menu)
        return;
    m_lastPopup = menu;
    if (m_popupHandler)
        m_popupHandler(menu, globalPos);
    else
        menu->popup(globalPos);
}

QMenu *TGBasePanel::LastPopupMenu() const
{
    return m_lastPopup;
}

void TGBasePanel::SetScreenCursor(int number)
{
    m_screenCursor = number;
    const QCursor cursor = TGCursors::cursorFor(number);
    setCursor(cursor);
    m_handle->setCursor(cursor);
}

QRect TGBasePanel::RubberBandRect() const
{
    // From the press point to the current point, which lies just outside.
    const int l = std::min(m_bandStart.x(), m_bandEnd.x());
    const int t = std::min(m_bandStart.y(), m_bandEnd.y());
    const int r = std::max(m_bandStart.x(), m_bandEnd.x());
    const int b = std::max(m_bandStart.y(), m_bandEnd.y());
    return QRect(l, t, r - l, b - t);
}

QString TGBasePanel::ClipboardFileName() const
{
    return m_clipboardFile.isEmpty() ? ProgramFolder() + QStringLiteral("Clipbrd.tmp") : m_clipboardFile;
}

void TGBasePanel::PostRefit()
{
    if (m_refitPosted)
        return;
    m_refitPosted = true;
    QMetaObject::invokeMethod(this, &TGBasePanel::RefitHandle, Qt::QueuedConnection);
}

void TGBasePanel::RefitHandle()
{
    m_refitPosted = false;
    m_handle->Refit();
}

TGObjectStreamer *TGBasePanel::Streamer() const
{
    return m_streamer ? m_streamer : TGObjectStreamer::current();
}

void TGBasePanel::PaintBackground(TCanvas &canvas)
{
    canvas.brush() = TBrush{clWhite, bsSolid, {}};
    canvas.fillRect(QRect(0, 0, width(), height()));
}

void TGBasePanel::PaintObject(TCanvas &canvas, TGGraphicControl *object, QPoint base)
{
    canvas.setOrigin(base + object->BoundsRect().topLeft());
    canvas.setPen(TPen());
    canvas.setBrush(TBrush());
    canvas.setFont(m_font);
    canvas.intersectClipRect(0, 0, object->Width(), object->Height());
    object->Paint(canvas);
    canvas.clearClip();
}

void TGBasePanel::PaintObjects(TCanvas &canvas)
{
    const QPoint base = canvas.origin();
    for (TGGraphicControl *o : m_objects) {
        if (!o->Visible())
            continue;
        // Objects wholly outside the exposed part need no drawing (their
        // marks and outlines reach a few pixels out).
        if (!m_paintRect.isNull() && !m_paintRect.intersects(o->BoundsRect().adjusted(-4, -4, 4, 4)))
            continue;
        PaintObject(canvas, o, base);
    }
    canvas.setOrigin(base);
}

QImage TGBasePanel::PictureOf(const QList<TGGraphicControl *> &objects)
{
    QRect bounds;
    for (TGGraphicControl *o : objects)
        bounds |= o->BoundsRect();
    if (bounds.isEmpty())
        return {};
    // Twice the card's own pixels whatever the zoom, so that a copy made at
    // 800 % is not a picture of many megapixels; zoomed out, twice the
    // pixels shown, whose letters are set at that size.
    const qreal scale = 2.0 / std::max(1.0, double(m_zoom));
    QImage picture(QSize(qCeil(bounds.width() * scale), qCeil(bounds.height() * scale)),
                   QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    // Enlarged as for a HiDPI screen (hairlines stay one pixel); reduced by
    // the painter, as an image's pixel ratio below 1 is ignored.
    if (scale >= 1.0)
        picture.setDevicePixelRatio(scale);
    {
        QPainter painter(&picture);
        if (scale < 1.0)
            painter.scale(scale, scale);
        TCanvas canvas(&painter);
        canvas.setSmooth(true);
        // In z-order, as the card shows them.
        for (TGGraphicControl *o : m_objects) {
            if (o->Visible() && objects.contains(o))
                PaintObject(canvas, o, -bounds.topLeft());
        }
    }
    return picture;
}

void TGBasePanel::PaintAll(TCanvas &canvas)
{
    PaintBackground(canvas);
    PaintObjects(canvas);
    for (TGGraphicControl *o : m_handle->Selection())
        o->PaintSelectionMarks(canvas);
    PaintOutlines(canvas);
}

void TGBasePanel::PaintOutlines(TCanvas &canvas)
{
    // White dotted outlines mixed by exclusive-or, so they show on any card.
    canvas.setPen(TPen{clWhite, 1, psDot, pmXor});
    canvas.setBrush(TBrush{clWhite, bsClear, {}});
    if (m_bandActive)
        canvas.rectangle(RubberBandRect());
    if (!m_handle->FeedbackRect().isNull())
        canvas.rectangle(m_handle->FeedbackRect());
    // Snap guides: thin lines in a colour no card uses much.
    canvas.setPen(TPen{clFuchsia, 1, psSolid, pmCopy});
    for (const QLine &guide : m_guides) {
        canvas.moveTo(guide.x1(), guide.y1());
        canvas.lineTo(guide.x2() + (guide.dx() == 0 ? 0 : 1), guide.y2() + (guide.dy() == 0 ? 0 : 1));
    }
    canvas.setPen(TPen());
}

void TGBasePanel::SetSmoothDrawing(bool value)
{
    if (value == m_smoothDrawing)
        return;
    m_smoothDrawing = value;
    update();
}

void TGBasePanel::paintEvent(QPaintEvent *event)
{
    // Only the exposed part, at the screen's own resolution: a zoomed card
    // is mostly outside the view, and a HiDPI screen wants its own pixels.
    const QRect exposed = event->rect().intersected(rect());
    if (exposed.isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    QImage buffer(exposed.size() * ratio, QImage::Format_RGB32);
    buffer.setDevicePixelRatio(ratio);
    {
        QPainter painter(&buffer);
        painter.translate(-exposed.topLeft());
        TCanvas canvas(&painter);
        canvas.setSmooth(m_smoothDrawing);
        m_paintRect = exposed;
        PaintAll(canvas);
        m_paintRect = QRect();
    }
    QPainter(this).drawImage(exposed.topLeft(), buffer);
}
