#include "design/CardSnapshot.h"

#include "design/ComponentStreamer.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"
#include "design/TGHandle.h"
#include "design/stream/ComponentStreamWriter.h"
#include "design/stream/StreamError.h"
#include "platform/CaseInsensitivePath.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

// A name and a list of a few hundred entries cost about this much beside
// the record itself.
constexpr qsizetype kObjectOverhead = 96;

QByteArray recordBytes(const TGGraphicControl &object)
{
    return ComponentStreamWriter::writeSingleRecord(ComponentStreamer::RecordOf(object));
}

// The entry of `name` in `list`, looked for first at `index` (where it is
// unless objects were added, removed or reordered).
const CardSnapshot::Object *findObject(const QList<CardSnapshot::Object> &list, qsizetype index,
                                       const QString &name)
{
    if (index < list.size() && list.at(index).name == name)
        return &list.at(index);
    const auto it = std::find_if(list.cbegin(), list.cend(),
                                 [&name](const CardSnapshot::Object &o) { return o.name == name; });
    return it == list.cend() ? nullptr : &*it;
}

QSet<QString> namesOf(const QList<CardSnapshot::Object> &list)
{
    QSet<QString> names;
    for (const CardSnapshot::Object &o : list)
        names.insert(o.name);
    return names;
}

// The objects made again from their records, by name. Each record is read
// on its own, so one that fails leaves the others.
QHash<QString, TGGraphicControl *> rebuild(TGBusinessCardPanel32 &panel,
                                           const QList<const CardSnapshot::Object *> &entries,
                                           float zoom, QString *error)
{
    QHash<QString, TGGraphicControl *> made;
    for (const CardSnapshot::Object *entry : entries) {
        const QByteArray container = '\x01' + entry->record + '\0';
        QList<TGGraphicControl *> read;
        if (!ComponentStreamer::Read(container, panel, {}, &read, error) || read.size() != 1)
            continue;
        TGGraphicControl *object = read.constFirst();
        object->SetName(entry->name);
        // The record holds the bounds at the zoom it was taken at.
        object->SetZoomDirect(zoom);
        object->SetZoom(panel.Zoom());
        object->SetDocumentBounds(entry->document);
        made.insert(entry->name, object);
    }
    return made;
}

} // namespace

CardSnapshot CardSnapshot::Take(const TGBusinessCardPanel32 &panel, const SheetLayoutSetting &layout,
                                const QString &background, const CardSnapshot *previous)
{
    CardSnapshot s;
    s.zoom = panel.Zoom();
    s.portrait = panel.Portrait();
    s.layout = layout;
    s.background = background;
    const QList<TGGraphicControl *> &objects = panel.Objects();
    s.objects.reserve(objects.size());
    for (qsizetype i = 0; i < objects.size(); ++i) {
        const TGGraphicControl &object = *objects.at(i);
        Object entry{object.Name(), object.BoundsRect(), recordBytes(object), object.DocumentBounds()};
        if (previous) {
            const Object *old = findObject(previous->objects, i, entry.name);
            if (old && old->record == entry.record)
                entry.record = old->record;
        }
        s.objects.append(std::move(entry));
    }
    for (const TGGraphicControl *selected : panel.Handle()->Selection())
        s.selection << selected->Name();
    return s;
}

bool CardSnapshot::Restore(TGBusinessCardPanel32 &panel, const SheetLayoutSetting &shownLayout,
                           const QString &shownBackground, QString *error) const
{
    const bool wasSuppressed = panel.SuppressChanges();
    panel.SetSuppressChanges(true);
    panel.Handle()->ClearSelection();

    const bool cardTurnedOrSized = portrait != panel.Portrait()
        || layout.Layout.Width != shownLayout.Layout.Width
        || layout.Layout.Height != shownLayout.Layout.Height;
    const QString backgroundFile =
        background.isEmpty() ? QString() : CaseInsensitivePath::findExisting(background);
    if (cardTurnedOrSized) {
        panel.ClearBackground();
        panel.SetCardOrientation(portrait, layout.Layout, backgroundFile);
    } else if (background != shownBackground) {
        panel.ClearBackground();
        if (!backgroundFile.isEmpty())
            panel.LoadBackground(backgroundFile);
    }

    // Objects whose record is the same stay; the rest go and are made again.
    QHash<QString, TGGraphicControl *> shown;
    for (TGGraphicControl *object : panel.Objects())
        shown.insert(object->Name(), object);
    const bool sameZoom = zoom == panel.Zoom();
    QHash<QString, TGGraphicControl *> result;
    QList<const Object *> missing;
    for (const Object &entry : objects) {
        TGGraphicControl *object = shown.value(entry.name);
        bool keep = false;
        try {
            keep = object && sameZoom && recordBytes(*object) == entry.record
                && object->DocumentBounds() == entry.document;
        } catch (const StreamError &) {
            keep = false;
        }
        if (keep)
            result.insert(entry.name, object);
        else
            missing << &entry;
    }
    const QSet<TGGraphicControl *> kept(result.cbegin(), result.cend());
    const QList<TGGraphicControl *> before = panel.Objects();
    for (TGGraphicControl *object : before) {
        if (!kept.contains(object))
            panel.FreeObject(object);
    }
    QString reason;
    const QHash<QString, TGGraphicControl *> made = rebuild(panel, missing, zoom, &reason);
    result.insert(made);

    for (const Object &entry : objects) {
        if (TGGraphicControl *object = result.value(entry.name))
            panel.BringToFront(object);
    }
    panel.ConnectObjects();
    panel.ObjectsLoaded();
    for (const QString &name : selection) {
        if (TGGraphicControl *object = result.value(name))
            panel.Handle()->SelectObject(object);
    }
    panel.Handle()->ReleaseCapture();
    panel.SetSuppressChanges(wasSuppressed);
    panel.update();

    const bool complete = made.size() == missing.size();
    if (!complete && error)
        *error = reason;
    return complete;
}

bool CardSnapshot::SameCard(const CardSnapshot &other) const
{
    return objects == other.objects && portrait == other.portrait && layout == other.layout
        && background == other.background && sides == other.sides;
}

qsizetype CardSnapshot::BytesBeyond(const CardSnapshot &other) const
{
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        const Object &entry = objects.at(i);
        const Object *there = findObject(other.objects, i, entry.name);
        if (!there || !entry.record.isSharedWith(there->record))
            bytes += entry.record.size();
        bytes += kObjectOverhead + entry.name.size() * qsizetype(sizeof(QChar));
    }
    if (!sides.HiddenObjects.isSharedWith(other.sides.HiddenObjects))
        bytes += sides.HiddenObjects.size();
    return bytes;
}

QString CardSnapshot::ChangeName(const CardSnapshot &before, const CardSnapshot &after)
{
    if (before.portrait != after.portrait || !(before.layout == after.layout))
        return QStringLiteral("Card Layout");
    if (before.sides.HasBack != after.sides.HasBack)
        return after.sides.HasBack ? QStringLiteral("Add Back") : QStringLiteral("Remove Back");
    const bool sameObjects = before.objects == after.objects;
    if (before.background != after.background)
        return sameObjects ? QStringLiteral("Background Art") : QStringLiteral("Change");
    const QSet<QString> beforeNames = namesOf(before.objects);
    const QSet<QString> afterNames = namesOf(after.objects);
    const QSet<QString> added = afterNames - beforeNames;
    const QSet<QString> removed = beforeNames - afterNames;
    if (!added.isEmpty() && !removed.isEmpty())
        return QStringLiteral("Change");
    if (!removed.isEmpty())
        return QStringLiteral("Delete");
    if (!added.isEmpty()) {
        // Drawing tools name their objects "Special"; the clipboard, "Component".
        const bool drawn = std::all_of(added.cbegin(), added.cend(), [](const QString &name) {
            return name.startsWith(QLatin1String("Special"));
        });
        return drawn ? QStringLiteral("Create") : QStringLiteral("Paste");
    }
    bool moved = false;
    bool resized = false;
    for (qsizetype i = 0; i < after.objects.size(); ++i) {
        const Object &now = after.objects.at(i);
        const Object *then = findObject(before.objects, i, now.name);
        if (!then || then->record == now.record)
            continue;
        if (then->bounds == now.bounds)
            return QStringLiteral("Change"); // something other than the place
        moved = moved || then->bounds.topLeft() != now.bounds.topLeft();
        resized = resized || then->bounds.size() != now.bounds.size();
    }
    if (resized)
        return QStringLiteral("Resize");
    if (moved)
        return QStringLiteral("Move");
    return QStringLiteral("Change Order");
}
