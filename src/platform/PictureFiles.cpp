#include "platform/PictureFiles.h"

#include "platform/PlainFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace PictureFiles {

namespace {

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

quint16 u16(const QByteArray &d, qsizetype at) { return qFromLittleEndian<quint16>(d.constData() + at); }
quint32 u32(const QByteArray &d, qsizetype at) { return qFromLittleEndian<quint32>(d.constData() + at); }
qint32 i32(const QByteArray &d, qsizetype at) { return qFromLittleEndian<qint32>(d.constData() + at); }

// Qt refuses images above its allocation limit; the side limit above is the
// one that counts here, so let a full-size picture through.
QImage readWithQt(const QByteArray &data, const char *format, int index = -1)
{
    struct LimitScope {
        int saved = QImageReader::allocationLimit();
        LimitScope() { QImageReader::setAllocationLimit(2048); }
        ~LimitScope() { QImageReader::setAllocationLimit(saved); }
    } limit;
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoTransform(false);
    if (index >= 0 && !reader.jumpToImage(index))
        return QImage();
    return reader.read();
}

// Checks what a BMP's headers claim against the file's size; the decoding
// itself is Qt's.
bool checkBitmapHeaders(const QByteArray &d, QString *error)
{
    constexpr qsizetype fileHeader = 14;
    if (d.size() < fileHeader + 12 || d[0] != 'B' || d[1] != 'M')
        return fail(error, QStringLiteral("Not a bitmap file"));
    const quint32 offBits = u32(d, 10);
    const quint32 infoSize = u32(d, fileHeader);
    if (infoSize != 12 && (infoSize < 40 || infoSize > 124))
        return fail(error, QStringLiteral("Unknown bitmap header"));
    if (d.size() < fileHeader + qsizetype(infoSize))
        return fail(error, QStringLiteral("Bitmap file is truncated"));
    qint64 width, height;
    int bits, compression = 0;
    quint32 colorsUsed = 0;
    if (infoSize == 12) {
        width = u16(d, fileHeader + 4);
        height = qint16(u16(d, fileHeader + 6));
        bits = u16(d, fileHeader + 10);
    } else {
        width = i32(d, fileHeader + 4);
        height = i32(d, fileHeader + 8);
        bits = u16(d, fileHeader + 14);
        compression = int(u32(d, fileHeader + 16));
        colorsUsed = u32(d, fileHeader + 32);
    }
    if (!SizeAllowed(width, std::abs(height)))
        return fail(error, QStringLiteral("Bitmap size out of range"));
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return fail(error, QStringLiteral("Unsupported bitmap depth"));
    enum { RGB = 0, RLE8 = 1, RLE4 = 2, BITFIELDS = 3 };
    const bool compressionOk = compression == RGB || (compression == RLE8 && bits == 8)
        || (compression == RLE4 && bits == 4) || (compression == BITFIELDS && (bits == 16 || bits == 32));
    if (!compressionOk)
        return fail(error, QStringLiteral("Unsupported bitmap compression"));
    if (bits <= 8 && colorsUsed > (1u << bits))
        return fail(error, QStringLiteral("Bitmap palette out of range"));
    if (offBits >= quint32(d.size()))
        return fail(error, QStringLiteral("Bitmap file is truncated"));
    if (compression == RGB || compression == BITFIELDS) {
        const qint64 stride = ((width * bits + 31) / 32) * 4;
        if (qint64(offBits) + stride * std::abs(height) > d.size())
            return fail(error, QStringLiteral("Bitmap file is truncated"));
    }
    return true;
}

// An icon image is a bitmap without file header (its height counting the
// mask too) or a PNG; either must claim no more pixels than its bytes hold.
bool iconImageFits(const QByteArray &d, int entry)
{
    const qsizetype e = 6 + qsizetype(entry) * 16;
    const quint32 bytes = u32(d, e + 8);
    const qsizetype at = qsizetype(u32(d, e + 12));
    if (bytes >= 24 && d.mid(at, 8) == QByteArray("\x89PNG\r\n\x1A\n", 8)) {
        const quint32 w = qFromBigEndian<quint32>(d.constData() + at + 16);
        const quint32 h = qFromBigEndian<quint32>(d.constData() + at + 20);
        return SizeAllowed(w, h);
    }
    if (bytes < 40 || u32(d, at) < 40)
        return false;
    const qint64 w = i32(d, at + 4), h = i32(d, at + 8) / 2;
    const int bits = u16(d, at + 14);
    if (!SizeAllowed(w, h) || bits == 0 || bits > 32)
        return false;
    const qint64 stride = ((w * bits + 31) / 32) * 4;
    return qint64(u32(d, at)) + stride * h <= bytes;
}

// ---- JPEG ----

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void jpegErrorExit(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<JpegError *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings are counted (libjpeg's default), not printed.
void jpegMessage(j_common_ptr cinfo, int level)
{
    if (level < 0)
        cinfo->err->num_warnings++;
}

} // namespace

bool ReadWholeFile(const QString &fileName, QByteArray &data, QString *error)
{
    return PlainFile::read(fileName, MaxFileBytes, data, error);
}

QImage DecodeBitmap(const QByteArray &bmpFile, QString *error)
{
    if (!checkBitmapHeaders(bmpFile, error))
        return QImage();
    QImage image = readWithQt(bmpFile, "BMP");
    if (image.isNull())
        fail(error, QStringLiteral("Damaged bitmap file"));
    return image;
}

namespace {

// The libjpeg calls, with the jump target of its error exit. Everything with a
// destructor lives in the caller's frame, so a jump back skips none.
bool decodeJpegInto(const QByteArray &jpegFile, QImage *image, QString *message)
{
    jpeg_decompress_struct cinfo{};
    JpegError err{};
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = jpegErrorExit;
    err.mgr.emit_message = jpegMessage;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        *message = QString::fromLatin1(err.message);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(jpegFile.constData()),
                 static_cast<unsigned long>(jpegFile.size()));
    jpeg_read_header(&cinfo, TRUE);
    if (!SizeAllowed(cinfo.image_width, cinfo.image_height)) {
        jpeg_destroy_decompress(&cinfo);
        *message = QStringLiteral("Picture size out of range");
        return false;
    }
    cinfo.out_color_space = JCS_RGB;
    cinfo.quantize_colors = TRUE;
    cinfo.desired_number_of_colors = 256;
    cinfo.two_pass_quantize = TRUE;
    cinfo.dither_mode = JDITHER_FS;
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.do_fancy_upsampling = TRUE;
    jpeg_start_decompress(&cinfo);
    *image = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_Indexed8);
    if (image->isNull()) {
        jpeg_destroy_decompress(&cinfo);
        *message = QStringLiteral("Not enough memory for the picture");
        return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image->scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    // The colour map belongs to the decode; copy it before finishing.
    QRgb colors[256];
    const int n = std::clamp(cinfo.actual_number_of_colors, 0, 256);
    const int c = cinfo.out_color_components;
    for (int i = 0; i < n; ++i)
        colors[i] = qRgb(cinfo.colormap[0][i], cinfo.colormap[c > 1 ? 1 : 0][i], cinfo.colormap[c > 2 ? 2 : 0][i]);
    jpeg_finish_decompress(&cinfo);
    const long warnings = err.mgr.num_warnings;
    jpeg_destroy_decompress(&cinfo);
    image->setColorTable(QList<QRgb>(colors, colors + n));
    if (warnings > 0) {
        *message = QString::fromLatin1(JpegWarnings);
        return false;
    }
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray &jpegFile, QString *error)
{
    QImage image;
    QString message;
    if (!decodeJpegInto(jpegFile, &image, &message)) {
        fail(error, message);
        return QImage();
    }
    return image;
}

QImage DecodeIcon(const QByteArray &icoFile, QString *error)
{
    // The directory: reserved 0, type 1 (icon), count, then 16-byte entries
    // each naming a byte range that must lie in the file.
    if (icoFile.size() < 6 || u16(icoFile, 0) != 0 || u16(icoFile, 2) != 1) {
        fail(error, QStringLiteral("Not an icon file"));
        return QImage();
    }
    const int count = u16(icoFile, 4);
    if (count == 0 || 6 + qsizetype(count) * 16 > icoFile.size()) {
        fail(error, QStringLiteral("Icon file is truncated"));
        return QImage();
    }
    int best = -1;
    qint64 bestArea = 0;
    int bestBits = 0;
    for (int i = 0; i < count; ++i) {
        const qsizetype e = 6 + qsizetype(i) * 16;
        const quint32 bytes = u32(icoFile, e + 8);
        const quint32 offset = u32(icoFile, e + 12);
        if (bytes == 0 || quint64(offset) + bytes > quint64(icoFile.size())) {
            fail(error, QStringLiteral("Icon file is truncated"));
            return QImage();
        }
        const int w = quint8(icoFile[e]) ? quint8(icoFile[e]) : 256;
        const int h = quint8(icoFile[e + 1]) ? quint8(icoFile[e + 1]) : 256;
        const int bits = u16(icoFile, e + 6);
        if (qint64(w) * h > bestArea || (qint64(w) * h == bestArea && bits > bestBits)) {
            best = i;
            bestArea = qint64(w) * h;
            bestBits = bits;
        }
    }
    if (!iconImageFits(icoFile, best)) {
        fail(error, QStringLiteral("Damaged icon file"));
        return QImage();
    }
    const QImage icon = readWithQt(icoFile, "ICO", best);
    if (icon.isNull()) {
        fail(error, QStringLiteral("Damaged icon file"));
        return QImage();
    }
    QImage bitmap(icon.size(), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    QPainter painter(&bitmap);
    painter.drawImage(0, 0, icon);
    return bitmap;
}

TImageFormat ImageFormatOf(const QByteArray &file)
{
    if (file.startsWith("\x89PNG\r\n\x1A\n"))
        return TImageFormat::Png;
    if (file.startsWith("GIF87a") || file.startsWith("GIF89a"))
        return TImageFormat::Gif;
    if (file.startsWith(QByteArray("II*\0", 4)) || file.startsWith(QByteArray("MM\0*", 4)))
        return TImageFormat::Tiff;
    if (file.size() >= 12 && file.startsWith("RIFF") && file.mid(8, 4) == "WEBP")
        return TImageFormat::WebP;
    return TImageFormat::None;
}

namespace {

const char *qtFormatName(TImageFormat format)
{
    switch (format) {
    case TImageFormat::Png: return "PNG";
    case TImageFormat::Gif: return "GIF";
    case TImageFormat::Tiff: return "TIFF";
    case TImageFormat::WebP: return "WEBP";
    case TImageFormat::None: break;
    }
    return nullptr;
}

// The most bytes of pixels a PNG of `fileBytes` can unpack to: deflate
// expands at most 1032 times, plus a margin for the smallest files.
bool pngCanHold(const QByteArray &file, QSize size)
{
    if (file.size() < 26)
        return false;
    const int depth = quint8(file[24]), colorType = quint8(file[25]);
    const int channels = colorType == 2 ? 3 : colorType == 4 ? 2 : colorType == 6 ? 4 : 1;
    const qint64 rowBytes = (qint64(size.width()) * channels * std::max(depth, 1) + 7) / 8 + 1;
    return rowBytes * size.height() <= qint64(file.size()) * 1032 + 65536;
}

} // namespace

QSize ImageSize(const QByteArray &file)
{
    const char *format = qtFormatName(ImageFormatOf(file));
    if (!format)
        return QSize();
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    return reader.size();
}

QImage DecodeImage(const QByteArray &file, QString *error)
{
    const TImageFormat kind = ImageFormatOf(file);
    if (kind == TImageFormat::None) {
        fail(error, QStringLiteral("Not a picture file of a known kind"));
        return QImage();
    }
    const QSize size = ImageSize(file);
    if (!size.isValid()) {
        fail(error, QStringLiteral("Damaged picture file"));
        return QImage();
    }
    // A GIF's frame is drawn onto its logical screen, which the decoder
    // allocates whole: a 40-byte file may claim a screen of gigabytes.
    const bool screenAllowed = kind != TImageFormat::Gif || (file.size() >= 10 && SizeAllowed(u16(file, 6), u16(file, 8)));
    if (!SizeAllowed(size.width(), size.height()) || !screenAllowed) {
        fail(error, QStringLiteral("Picture size out of range"));
        return QImage();
    }
    if (kind == TImageFormat::Png && !pngCanHold(file, size)) {
        fail(error, QStringLiteral("Picture file is truncated"));
        return QImage();
    }
    QImage image = readWithQt(file, qtFormatName(kind));
    if (image.isNull() || !SizeAllowed(image.width(), image.height())) {
        fail(error, QStringLiteral("Damaged or truncated picture file"));
        return QImage();
    }
    // 16-bit and palette pictures are drawn from 8 bits per channel.
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

QByteArray EncodeBitmap(const QImage &image)
{
    QImage source = image;
    if (source.format() != QImage::Format_Indexed8 && source.format() != QImage::Format_Mono
        && source.format() != QImage::Format_RGB32)
        source = source.convertToFormat(QImage::Format_RGB32);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "BMP");
    if (!writer.write(source))
        return QByteArray();
    return bytes;
}

} // namespace PictureFiles

namespace {

enum class TKind { None, Bitmap, Jpeg, Icon };

TKind kindOf(const QByteArray &data, const QString &fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toUpper();
    if (ext == QLatin1String("BMP"))
        return TKind::Bitmap;
    if (ext == QLatin1String("JPG") || ext == QLatin1String("JIF") || ext == QLatin1String("JPEG"))
        return TKind::Jpeg;
    if (ext == QLatin1String("ICO"))
        return TKind::Icon;
    if (!ext.isEmpty())
        return TKind::None;
    if (data.startsWith("BM"))
        return TKind::Bitmap;
    if (data.startsWith("\xFF\xD8"))
        return TKind::Jpeg;
    if (data.startsWith(QByteArray("\0\0\1\0", 4)))
        return TKind::Icon;
    return TKind::None;
}

} // namespace

QImage LoadPictureData(const QByteArray &data, const QString &fileName, QString *error)
{
    switch (kindOf(data, fileName)) {
    case TKind::Bitmap: return PictureFiles::DecodeBitmap(data, error);
    case TKind::Jpeg: return PictureFiles::DecodeJpeg(data, error);
    case TKind::Icon: return PictureFiles::DecodeIcon(data, error);
    case TKind::None: break;
    }
    if (error)
        *error = QStringLiteral("Not a picture file of a known kind");
    return QImage();
}

QImage LoadPictureFile(const QString &path, QString *error)
{
    QByteArray data;
    if (!PictureFiles::ReadWholeFile(path, data, error))
        return QImage();
    return LoadPictureData(data, path, error);
}
