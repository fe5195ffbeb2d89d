#pragma once

#include "design/CardSides.h"
#include "design/SheetLayout.h"

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

class TGBusinessCardPanel32;

// The whole card at one moment, as the undo history keeps it: every object
// as the component-stream record the clipboard and documents write (so any
// object class is covered by its property declaration alone), with its name
// and bounds in z-order, plus the background file, the sheet layout, the
// card's orientation and the selection. Objects are at the panel's zoom of
// the moment.
//
// Records are implicitly shared: a snapshot taken with the previous one at
// hand reuses that one's bytes for every object that did not change, so a
// history of many steps holds each version of an object once.
class CardSnapshot
{
public:
    struct Object {
        QString name;
        QRect bounds;
        QByteArray record; // one record of the component stream
        // The bounds at zoom 1.0, which the record at a small zoom cannot hold.
        QRect document;

        bool operator==(const Object &other) const = default;
    };

    QList<Object> objects; // z-order, first lowest
    float zoom = 1.0f;
    bool portrait = false;
    SheetLayoutSetting layout;
    QString background; // full path, possibly empty
    QStringList selection; // names, in the order they were selected
    // The card's back and the side not on the panel; `objects` and
    // `background` are the side shown. Set by the owner of the sides.
    CardSides sides;

    // The panel's card now. StreamError when an object cannot be written
    // (a declaration fault).
    static CardSnapshot Take(const TGBusinessCardPanel32 &panel, const SheetLayoutSetting &layout,
                             const QString &background, const CardSnapshot *previous = nullptr);

    // Puts the panel back to this card: orientation, size and background
    // when they differ from `shownLayout` and `shownBackground` (what the
    // card has now), then the objects. An object whose record is unchanged
    // stays as it is; the others are made again from their records under
    // their old names. Z-order and selection follow. No change is reported.
    // False (with `error`) when a record could not be read; the other
    // objects are restored.
    bool Restore(TGBusinessCardPanel32 &panel, const SheetLayoutSetting &shownLayout,
                 const QString &shownBackground, QString *error = nullptr) const;

    // The same card: objects, names, z-order, background, layout,
    // orientation and the other side. The selection and the zoom do not count.
    bool SameCard(const CardSnapshot &other) const;

    // Bytes this snapshot holds that `other` does not share with it.
    qsizetype BytesBeyond(const CardSnapshot &other) const;

    // A short name for the change from `before` to `after`: "Move",
    // "Resize", "Create", "Paste", "Delete", "Change Order", "Card
    // Layout", "Background Art" or "Change".
    static QString ChangeName(const CardSnapshot &before, const CardSnapshot &after);
};
