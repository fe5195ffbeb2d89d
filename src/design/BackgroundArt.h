#pragma once

#include "platform/Picture.h"

#include <QImage>
#include <QString>

// The card's background art as the card panel, printing and the background
// art dialog read it.
namespace BackgroundArt {

// Reads a background file: ".WMF" and ".EMF" as metafiles, ".BMP", JPEG
// and icon files as bitmaps (extensions in any letter case), any other
// picture format Qt reads as a bitmap within the same size limits. The name
// may differ from the file's in letter case. False, with `error` set, when
// the file cannot be read.
bool Load(const QString &fileName, TPicture &picture, QString *error = nullptr);

// What the program and the tool say when a card or template names a
// background that cannot be loaded, so that a card with white text is not
// silently made or printed on white: the file is missing, or unreadable.
QString NotLoadedMessage(const QString &fileName);

// The background of an upright card: a bitmap is turned a quarter clockwise;
// a metafile is first drawn at its own size into the top-left corner of a
// white landscape card (3.5 x 2 inches at the screen's pixels per inch).
QImage TurnedForPortrait(const TPicture &picture);

} // namespace BackgroundArt
