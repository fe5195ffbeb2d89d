#pragma once

#include <QString>

class QImage;

// Writes pictures as JPEG files through libjpeg itself, with the settings the
// card export has always used: baseline colour JPEG, the integer (slow, exact)
// DCT and a chosen quality (100 for the card).
namespace JpegWriter {

// Writes `image` to `fileName`; any image format is converted to 24-bit
// colour first. False with `error` set when the file cannot be created or
// libjpeg reports a failure; no partial file is left behind.
bool Write(const QImage &image, const QString &fileName, int quality = 100,
           QString *error = nullptr);

} // namespace JpegWriter
