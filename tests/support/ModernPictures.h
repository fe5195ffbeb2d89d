#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>

// Picture files of the kinds kept as their own files, made for tests: PNG
// files of any colour type and depth built byte by byte, TIFF and WebP
// through Qt's writers, SVG text, and gzip for SVGZ.
namespace ModernPictures {

// A PNG of `image` as colour type 0 (grey), 2 (RGB), 3 (palette, with its
// alpha in a tRNS chunk), 4 (grey and alpha) or 6 (RGBA) at `bitDepth`,
// Adam7-interlaced when asked. Grey takes the green channel; a palette
// picture may use at most 2^bitDepth colours.
QByteArray pngFile(const QImage &image, int colorType, int bitDepth, bool interlaced = false);

// The file Qt's writer makes of `image` in `format` ("tiff", "webp", "png").
QByteArray writtenFile(const QImage &image, const char *format);

// A w x h test logo with transparency: the left half opaque red, the top
// right quarter transparent, the bottom right quarter half-transparent blue.
QImage halfTransparent(int width, int height);

// An SVG picture of `width` x `height` pixels: a red rectangle over its left
// half, the right half left empty, and `extra` inside the <svg> element.
QByteArray svgFile(int width, int height, const QByteArray &extra = QByteArray());

// The bytes compressed as a gzip file.
QByteArray gzip(const QByteArray &bytes);

// A tiny committed sample from tests/data/pictures (in the tests, which
// know where their data lives).
#ifdef KARVELLO_TEST_DATA_DIR
inline QByteArray sample(const QString &name)
{
    QFile file(QStringLiteral(KARVELLO_TEST_DATA_DIR "/pictures/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
#endif

} // namespace ModernPictures
