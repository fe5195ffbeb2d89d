#include "effects/TextureStream.h"

#include "design/stream/StreamError.h"
#include "platform/PictureFiles.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QtEndian>

#include <cstdlib>

namespace TextureStream {

namespace {

[[noreturn]] void fail(const QString &what)
{
    throw StreamError(QStringLiteral("Image: %1").arg(what));
}

quint32 u32(const QByteArray &b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
qint32 i32(const QByteArray &b, int at) { return qFromLittleEndian<qint32>(b.constData() + at); }
quint16 u16(const QByteArray &b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }

// Checks what the bitmap file header claims before any decoder allocates
// pixels for it.
void checkHeader(const QByteArray &file)
{
    constexpr int FileHeader = 14;
    if (file.size() < FileHeader + 12 || file.at(0) != 'B' || file.at(1) != 'M')
        fail(QStringLiteral("no bitmap file"));
    const quint32 infoSize = u32(file, FileHeader);
    qint64 width = 0;
    qint64 height = 0;
    int bits = 0;
    quint32 compression = 0;
    if (infoSize == 12) {
        width = u16(file, FileHeader + 4);
        height = u16(file, FileHeader + 6);
        bits = u16(file, FileHeader + 10);
    } else if (infoSize >= 40 && file.size() >= FileHeader + 40) {
        width = i32(file, FileHeader + 4);
        height = std::llabs(qint64(i32(file, FileHeader + 8)));
        bits = u16(file, FileHeader + 14);
        compression = u32(file, FileHeader + 16);
    } else {
        fail(QStringLiteral("damaged bitmap header"));
    }
    if (width > MaxSide || height > MaxSide || !PictureFiles::SizeAllowed(width, height))
        fail(QStringLiteral("bitmap of %1 x %2 pixels refused").arg(width).arg(height));
    const quint32 dataOffset = u32(file, 10);
    if (dataOffset >= quint32(file.size()))
        fail(QStringLiteral("bitmap without pixel data"));
    // Uncompressed rows are padded to 4 bytes; the file must hold them all.
    const bool uncompressed = compression == 0 || compression == 3;
    if (uncompressed && bits > 0) {
        const qint64 rowBytes = ((width * bits + 31) / 32) * 4;
        if (rowBytes * height > qint64(file.size()) - dataOffset)
            fail(QStringLiteral("bitmap data is truncated"));
    }
}

} // namespace

QByteArray encode(const QImage &image)
{
    if (image.isNull() || image.width() == 0 || image.height() == 0)
        return QByteArray();
    QByteArray file;
    QBuffer buffer(&file);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "BMP");
    const QImage opaque = image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_RGB32) : image;
    if (!writer.write(opaque))
        return QByteArray();
    QByteArray stream(4, '\0');
    qToLittleEndian<quint32>(quint32(file.size()), stream.data());
    return stream + file;
}

QImage decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QImage();
    if (bytes.size() < 4)
        fail(QStringLiteral("bitmap length is truncated"));
    const quint32 length = u32(bytes, 0);
    if (length > quint32(bytes.size() - 4))
        fail(QStringLiteral("bitmap of %1 bytes holds only %2").arg(length).arg(bytes.size() - 4));
    if (length == 0)
        return QImage();
    const QByteArray file = bytes.mid(4, int(length));
    checkHeader(file);
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "BMP");
    QImage image = reader.read();
    if (image.isNull())
        fail(QStringLiteral("damaged bitmap (%1)").arg(reader.errorString()));
    return image;
}

} // namespace TextureStream
