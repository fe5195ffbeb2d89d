#pragma once

#include <QByteArray>
#include <QRawFont>
#include <QString>

// A copy of an installed TrueType or OpenType font under another family
// name, built from the font's own tables with a new naming table. Font
// dialogs list families from the font database only; registering such a
// copy is how a family that is drawn by substitution (the Windows symbol
// fonts) gets offered there by its own name. Empty when the font's tables
// cannot be read.
namespace SfntRename {

QByteArray renamedCopy(const QRawFont &font, const QString &family);

} // namespace SfntRename
