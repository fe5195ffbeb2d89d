#pragma once

#include <QString>

class TGBusinessCardPanel32;

// A copy of a card that the Windows version can open: the same objects and
// companion, with every PNG, GIF, TIFF, WebP or SVG picture turned into a
// bitmap on white (which that version draws pictures on anyway).
namespace WindowsCopy {

// Pictures are converted at 300 dots per inch of their box, or at their own
// pixels, and never larger than this on their longer side.
constexpr int MaxSide = 2400;

// Whether the card holds a picture the Windows version cannot read.
bool Needed(const TGBusinessCardPanel32 &panel);
// "card (Windows).KVL" beside "card.KVL".
QString PathFor(const QString &path);
// Writes the copy of the card document saved at `savedPath` (and its
// companion) to `copyPath`. False with `error` set on failure.
bool Write(const QString &savedPath, const QString &copyPath, QString *error = nullptr);

} // namespace WindowsCopy
