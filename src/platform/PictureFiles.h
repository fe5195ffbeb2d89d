#pragma once

#include <QImage>
#include <QString>

// Reading the picture files the program accepts for clip art, textures and
// background art: bitmaps (.BMP), icons (.ICO) and JPEG files (.JPG, .JIF,
// .JPEG). Metafiles are not pictures in this sense; they are played, not
// decoded.

// The picture in `path`, or a null image with the reason in `error` when the
// file cannot be read or holds no picture of a known kind.
QImage LoadPictureFile(const QString &path, QString *error = nullptr);
// The same for a picture held in memory; `fileName` picks the kind by its
// extension where the bytes alone do not tell.
QImage LoadPictureData(const QByteArray &data, const QString &fileName, QString *error = nullptr);
