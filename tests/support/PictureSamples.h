#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Picture files built byte by byte for tests: bitmaps of every depth and
// compression, icons with several images, JPEG files, and metafiles.
namespace PictureSamples {

// A w x h test pattern: colour quadrants (top-left red, top-right green,
// bottom-left blue, bottom-right white) with a black top row.
QImage pattern(int width, int height);

// A BMP file of `image` at `bits` per pixel (1, 4, 8, 16, 24, 32); palettes
// are built from the colours used (at most 2^bits of them).
QByteArray bitmapFile(const QImage &image, int bits);
// An 8-bit (rle = 8) or 4-bit (rle = 4) run-length encoded BMP of `image`.
QByteArray rleBitmapFile(const QImage &image, int rle);
// A BMP header claiming width x height at `bits` without the pixels.
QByteArray bitmapHeaderOnly(int width, int height, int bits);

// An icon file holding a 32-bit image per entry.
QByteArray iconFile(const QList<QImage> &images);

// A JPEG file of `image` written through libjpeg.
QByteArray jpegFile(const QImage &image);

// Writes bytes to a file; false on failure.
bool writeFile(const QString &path, const QByteArray &bytes);

} // namespace PictureSamples
