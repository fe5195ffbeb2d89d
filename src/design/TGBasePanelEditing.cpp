// Editing habits of the panel beyond its menu: duplicating, stepping the
// selection through the objects, opening an object's properties, and the
// guide lines a snapping drag shows.
#include "design/TGBasePanel.h"

#include "design/TGGraphicControl.h"
#include "design/TGHandle.h"
#include "design/TGObjectStreamer.h"

#include <QCoreApplication>
#include <QHash>
#include <QMenu>

namespace {

constexpr int kDuplicateOffset = 15;

QHash<const QMetaObject *, TGBasePanel::TPropertiesAction> &propertiesActions()
{
    static QHash<const QMetaObject *, TGBasePanel::TPropertiesAction> actions;
    return actions;
}

} // namespace

void TGBasePanel::SelectOnly(const QList<TGGraphicControl *> &objects)
{
    m_handle->ClearSelection();
    for (TGGraphicControl *o : objects)
        m_handle->SelectObject(o);
    m_handle->ReleaseCapture();
    m_handle->update();
    update();
}

void TGBasePanel::Duplicate()
{
    TGObjectStreamer *streamer = Streamer();
    const QList<TGGraphicControl *> selection = m_handle->Selection();
    if (!streamer || selection.isEmpty())
        return;
    // In z-order, so the copies stack as the originals do.
    QList<TGGraphicControl *> ordered;
    for (TGGraphicControl *o : m_objects) {
        if (selection.contains(o))
            ordered.append(o);
    }
    QList<TGGraphicControl *> copies;
    streamer->ReadObjects(streamer->WriteObjects(ordered), *this, [](TGGraphicControl &o) {
        o.SetBounds(o.Left() + kDuplicateOffset, o.Top() + kDuplicateOffset, o.Width(), o.Height());
    }, &copies);
    ConnectObjects();
    ObjectsLoaded();
    SelectOnly(copies);
    ReportChange();
    QCoreApplication::processEvents();
}

void TGBasePanel::SelectNext(bool forward)
{
    QList<TGGraphicControl *> candidates;
    for (TGGraphicControl *o : m_objects) {
        if (o->Visible() && !o->Unselectable())
            candidates.append(o);
    }
    if (candidates.isEmpty())
        return;
    const QList<TGGraphicControl *> &selection = m_handle->Selection();
    const qsizetype n = candidates.size();
    qsizetype at = selection.isEmpty() ? -1 : candidates.indexOf(selection.last());
    if (at < 0)
        at = forward ? n - 1 : 0;
    const qsizetype next = forward ? (at + 1) % n : (at + n - 1) % n;
    SelectOnly({candidates.at(next)});
}

void TGBasePanel::RegisterProperties(const QMetaObject *objectClass, TPropertiesAction action)
{
    propertiesActions().insert(objectClass, std::move(action));
}

TGBasePanel::TPropertiesAction TGBasePanel::PropertiesAction(const TGGraphicControl &object)
{
    const auto &actions = propertiesActions();
    for (const QMetaObject *c = object.metaObject(); c; c = c->superClass()) {
        const auto found = actions.constFind(c);
        if (found != actions.cend())
            return *found;
    }
    return {};
}

bool TGBasePanel::OpenProperties(TGGraphicControl *object, QPoint globalPos)
{
    if (!object)
        return false;
    if (object->DoubleClickAction) {
        object->DoubleClickAction();
        return true;
    }
    if (const TPropertiesAction action = PropertiesAction(*object)) {
        action(*object);
        update();
        return true;
    }
    if (!object->ObjectMenu())
        return false;
    PopupMenu(object->ObjectMenu(), globalPos);
    return true;
}

void TGBasePanel::SetGuides(const QList<QLine> &guides)
{
    if (guides == m_guides)
        return;
    m_guides = guides;
    update();
}
