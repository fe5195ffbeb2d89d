#pragma once

#include "design/CardDocument.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QWidget;
class TGBusinessCardPanel32;

// A card has a front and, optionally, a back of the same size and
// orientation. The panel shows one side; the other is kept here as a
// document would hold it (a component-stream container at zoom 1 and its
// background file). The back is stored as a second card document beside
// the front: "Jane.KVL" + "Jane.KVE" have "Jane.BACK.KVL" + "Jane.BACK.KVE".
// The front's files are written exactly as for a card without a back, so
// programs that know only one side still open the front.
struct CardSides {
    enum TSide { sdFront, sdBack };

    bool HasBack = false;
    TSide Shown = sdFront;
    QByteArray HiddenObjects; // the side not on the panel (empty: no objects)
    QString HiddenBackground; // full path, possibly empty

    bool operator==(const CardSides &other) const = default;
    bool BackShown() const { return HasBack && Shown == sdBack; }

    // "Jane.BACK.KVL" for "Jane.KVL" (".BACK" before the last extension).
    static QString BackFileName(const QString &frontPath);
    // The back's documents beside `frontPath` as they exist, found in any
    // letter case; empty when there is none.
    static QString FindBack(const QString &frontPath);
    // "Jane.KVL" for "Jane.BACK.KVL" when that front exists (any letter
    // case); otherwise `path` itself.
    static QString FrontOf(const QString &path);

    // The panel's objects as a container at zoom 1 (the zoom is kept).
    // False (with `error`) when an object cannot be written.
    static bool Capture(TGBusinessCardPanel32 &panel, QByteArray *objects, QString *error = nullptr);
    // Puts a side onto the panel: objects, selection and background go, the
    // background file (when it exists) and the objects come, scaled to the
    // panel's zoom. Changes are not reported. False (with `error`) when the
    // objects cannot be read; the panel is then empty.
    static bool Show(TGBusinessCardPanel32 &panel, const QByteArray &objects, const QString &background,
                     QString *error = nullptr);
    // Exchanges the panel's side with the hidden one; `background` is the
    // shown side's background before and the other's after.
    bool Swap(TGBusinessCardPanel32 &panel, QString &background, QString *error = nullptr);

    // A hidden panel with one side of the card for printing and exports,
    // a child of `owner` so that its objects find the window's shared
    // engines. Null (with `error`) when the objects cannot be read.
    static std::unique_ptr<TGBusinessCardPanel32> MakePanel(QWidget *owner, const TGBusinessCardPanel32 &like,
                                                            const SheetLayout &layout,
                                                            const QByteArray &objects,
                                                            const QString &background,
                                                            QString *error = nullptr);

    // Both sides of a card document, the shown one taken from the panel.
    // Writes the front exactly as a one-sided card (`SaveCardDocument`),
    // then the back beside it, or deletes the back's files when the card
    // has none. Every file is replaced only once its new content is
    // complete; a failure on either side is a failed save.
    bool Save(TGBusinessCardPanel32 &panel, const QString &frontPath, const CardDocument::Companion &shown,
              QString *error = nullptr) const;

    // Reads the back beside `frontPath` (when there is one) into HiddenObjects
    // and HiddenBackground, the front being on the panel. False (with
    // `error`) when it exists but cannot be read.
    bool OpenBack(const QString &frontPath, QString *error = nullptr);
};
