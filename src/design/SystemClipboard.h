#pragma once

#include <QByteArray>

class QImage;
class QMimeData;

// Karvello's objects on the system clipboard, beside the card's clipboard
// file: a private type that other running copies of Karvello paste, and a
// PNG picture of the objects for every other program. Each copy of the
// program marks what it puts there, so that its own copy is pasted from the
// clipboard file as always, and only what came from elsewhere is read back.
namespace SystemClipboard {

inline constexpr char ObjectsMimeType[] = "application/x-karvello-objects";

// Puts streamed objects and their picture on the system clipboard.
void Publish(const QByteArray &objects, const QImage &picture);

// The system clipboard's contents, or null when there is none.
const QMimeData *Contents();

// Whether `data` is what this copy of the program put there last.
bool IsOwn(const QMimeData &data);

// Objects another copy of Karvello put on the clipboard (empty: none).
QByteArray ForeignObjects(const QMimeData &data);

// Whether something from elsewhere is there that Paste takes: objects,
// a picture or text.
bool HasForeignContent();

} // namespace SystemClipboard
