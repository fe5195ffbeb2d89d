#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Reads the picture files the program offers (bitmaps, JPEG pictures and
// icons) into bitmaps, refusing damaged or hostile files cleanly: a picture
// that claims more pixels than its file holds, or more than the limits
// below, is refused before any memory is taken for it.
namespace PictureFiles {

// No picture side may exceed this many pixels, nor the whole picture this
// many pixels (a camera's largest photo; a full 20000 x 20000 bitmap would
// take over a gigabyte).
constexpr int MaxSide = 20000;
constexpr qint64 MaxPixels = qint64(64) * 1000 * 1000;
// Both limits.
constexpr bool SizeAllowed(qint64 width, qint64 height)
{
    return width > 0 && height > 0 && width <= MaxSide && height <= MaxSide
        && width * height <= MaxPixels;
}
// Files larger than this are not read at all.
constexpr qint64 MaxFileBytes = qint64(512) * 1024 * 1024;

// The message of a JPEG decode during which libjpeg reported warnings.
inline constexpr const char *JpegWarnings = "There are warnings";

// The decoders behind LoadPictureFile and LoadPictureData (below).
// A complete BMP file: 1, 4, 8, 16, 24 or 32 bits per pixel, RLE4 and RLE8,
// bit fields, the old 12-byte header.
QImage DecodeBitmap(const QByteArray &bmpFile, QString *error = nullptr);
// A JPEG decoded to a 256-colour palette bitmap (two-pass quantisation,
// Floyd-Steinberg dithering, accurate integer inverse DCT, smooth
// upsampling). Any libjpeg warning fails the decode with JpegWarnings.
QImage DecodeJpeg(const QByteArray &jpegFile, QString *error = nullptr);
// The largest image of an icon file drawn at (0, 0) on a white bitmap of its
// size.
QImage DecodeIcon(const QByteArray &icoFile, QString *error = nullptr);

// The image formats kept as their own files (not turned into bitmaps):
// PNG, GIF, TIFF and WebP, read through Qt's image readers with their alpha.
enum class TImageFormat { None, Png, Gif, Tiff, WebP };
// The format by the file's first bytes.
TImageFormat ImageFormatOf(const QByteArray &file);
// Decodes such a file (a GIF's first frame) into a 32-bit image, with alpha
// where the file has any. Sides and pixels are checked against the limits
// before decoding, and a PNG claiming more pixels than its bytes can hold is
// refused as truncated. A null image with `error` set otherwise.
QImage DecodeImage(const QByteArray &file, QString *error = nullptr);
// The picture's size as its header claims it; invalid when unreadable.
QSize ImageSize(const QByteArray &file);

// Reads a whole file within MaxFileBytes; false with `error` set otherwise.
bool ReadWholeFile(const QString &fileName, QByteArray &data, QString *error = nullptr);

// A complete BMP file for `image` (8 bits with palette for palette images,
// 24 bits otherwise).
QByteArray EncodeBitmap(const QImage &image);

} // namespace PictureFiles

// The picture in `path`: a bitmap (".BMP"), JPEG (".JPG", ".JIF", ".JPEG") or
// icon (".ICO") file, chosen by the extension with letter case ignored. A
// null image with the reason in `error` when the file cannot be read, is
// damaged or hostile, or has another extension. Metafiles are not pictures
// in this sense; they are played (TMetafile), not decoded.
QImage LoadPictureFile(const QString &path, QString *error = nullptr);
// The same for a picture held in memory; `fileName` picks the kind by its
// extension, and the first bytes do where the extension does not tell.
QImage LoadPictureData(const QByteArray &data, const QString &fileName, QString *error = nullptr);
