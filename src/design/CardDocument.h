#pragma once

#include "design/SheetLayout.h"

#include <QString>

class TGBasePanel;
class TGBusinessCardPanel32;

// Card documents: the objects in "name.KVL" (the component stream
// container) and the background file and sheet layout in the companion
// "name.KVE" (an INI file; older documents have a one-line text file there).
// The main window keeps the layout and the background name; these functions
// take them and hand back what was found, so they work without a window.
namespace CardDocument {

// What a card document holds besides its objects.
struct Companion {
    SheetLayoutSetting layout;
    QString backgroundFile; // full path, possibly empty
};

// The result of opening a card document.
struct Opened {
    bool ok = false;            // false: the objects could not be read; the card is empty
    QString message;            // the text shown to the user when not ok
    bool companionFound = false;
    bool companionIsIni = false; // false with companionFound: the older text form
    // The layout to use from now on: the companion's, or the current one
    // unchanged when there is no INI companion.
    SheetLayoutSetting layout;
    QString backgroundFile;     // as named by the companion (empty when none)
    bool backgroundLoaded = false; // the named file existed and was loaded
    QString contactList;        // as named by the companion (empty when none)
    QString contactListError;   // why that list could not be attached
};

// The text shown when a document cannot be read.
QString UnableToOpenMessage(const QString &path);

// "card.KVE" for "card.KVL" (the last extension replaced, added when none).
QString CompanionFileName(const QString &path);

// Writes the panel's objects, always at zoom 1.0 (the zoom is restored
// afterwards), then runs the panel's `ObjectsLoaded`. The old file is
// replaced only when the new one was written completely. False (with
// `error`) on failure.
bool SaveToFile(TGBusinessCardPanel32 &panel, const QString &path, QString *error = nullptr);

// The panel's objects as a container at zoom 1.0 (the zoom is restored
// afterwards, and the panel's `ObjectsLoaded` runs). False (with `error`)
// when an object cannot be written.
bool ObjectsAtZoomOne(TGBusinessCardPanel32 &panel, QByteArray *bytes, QString *error = nullptr);

// Reads a container file into the panel when the file exists (true and
// nothing read otherwise). The objects are scaled to the panel's zoom,
// connected, and `ObjectsLoaded` runs. On failure every object read from
// the file is removed again and `error` names the fault.
bool LoadFromFile(TGBasePanel &panel, const QString &path, QString *error = nullptr);

// "Save" / "Save As": drops the objects lying outside the card
// (`DeleteObjectsOutside`), then writes the objects into `path` and the
// companion beside it (keys in their fixed order). Neither file is touched
// unless its new content was written completely. False (with `error`) on
// failure.
bool SaveCardDocument(TGBusinessCardPanel32 &panel, const QString &path,
                      const Companion &companion, QString *error = nullptr);

// Writes a prepared container into `path` and the companion beside it
// (naming `contactList` when there is one), each file replaced only once
// its new content is complete.
bool WriteCardDocument(const QString &path, const QByteArray &objects, const Companion &companion,
                       QString *error = nullptr, const QString &contactList = QString());

// "Open": clears the card (objects, selection, background, portrait flag),
// reads the objects and the companion (found without regard to letter
// case), loads the background when its file exists and sizes the card from
// the resulting layout. A failure to read the objects leaves an empty card
// and is shown to the user through Inform. `currentLayout` is kept when
// the companion is missing or of the older kind.
Opened OpenCardDocument(TGBusinessCardPanel32 &panel, const QString &path,
                        const SheetLayoutSetting &currentLayout);

} // namespace CardDocument
