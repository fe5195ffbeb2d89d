#include "support/PictureSamples.h"

#include "platform/JpegWriter.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QtEndian>

namespace PictureSamples {

namespace {

void put16(QByteArray &b, quint16 v) { char c[2]; qToLittleEndian(v, c); b.append(c, 2); }
void put32(QByteArray &b, quint32 v) { char c[4]; qToLittleEndian(v, c); b.append(c, 4); }

QByteArray fileHeader(quint32 fileSize, quint32 offBits)
{
    QByteArray b("BM");
    put32(b, fileSize);
    put32(b, 0);
    put32(b, offBits);
    return b;
}

QByteArray infoHeader(int w, int h, int bits, int compression, quint32 imageSize, int colors)
{
    QByteArray b;
    put32(b, 40);
    put32(b, quint32(w));
    put32(b, quint32(h));
    put16(b, 1);
    put16(b, quint16(bits));
    put32(b, quint32(compression));
    put32(b, imageSize);
    put32(b, 2835);
    put32(b, 2835);
    put32(b, quint32(colors));
    put32(b, 0);
    return b;
}

QList<QRgb> paletteOf(const QImage &image, int maxColors)
{
    QList<QRgb> colors;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y) | 0xFF000000u;
            if (!colors.contains(c)) {
                Q_ASSERT(colors.size() < maxColors);
                colors << c;
            }
        }
    return colors;
}

QByteArray paletteBytes(const QList<QRgb> &colors)
{
    QByteArray b;
    for (QRgb c : colors) {
        b.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
    }
    return b;
}

} // namespace

QImage pattern(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2, bottom = y >= height / 2;
            QRgb c = !bottom ? (right ? qRgb(0, 255, 0) : qRgb(255, 0, 0)) : (right ? qRgb(255, 255, 255) : qRgb(0, 0, 255));
            if (y == 0)
                c = qRgb(0, 0, 0);
            image.setPixel(x, y, c);
        }
    return image;
}

QByteArray bitmapFile(const QImage &image, int bits)
{
    const int w = image.width(), h = image.height();
    const QList<QRgb> colors = bits <= 8 ? paletteOf(image, 1 << bits) : QList<QRgb>();
    const int stride = ((w * bits + 31) / 32) * 4;
    QByteArray pixels(stride * h, '\0');
    for (int y = 0; y < h; ++y) {
        uchar *row = reinterpret_cast<uchar *>(pixels.data()) + (h - 1 - y) * stride;
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y) | 0xFF000000u;
            switch (bits) {
            case 1: case 4: case 8: {
                const int index = int(colors.indexOf(c));
                const int bitPos = x * bits;
                row[bitPos / 8] |= uchar(index << (8 - bits - bitPos % 8));
                break;
            }
            case 16: {
                const quint16 v = quint16(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3));
                qToLittleEndian(v, row + x * 2);
                break;
            }
            case 24:
                row[x * 3] = uchar(qBlue(c)); row[x * 3 + 1] = uchar(qGreen(c)); row[x * 3 + 2] = uchar(qRed(c));
                break;
            case 32:
                qToLittleEndian(quint32(c & 0xFFFFFFu), row + x * 4);
                break;
            }
        }
    }
    const QByteArray palette = paletteBytes(colors);
    const quint32 off = 14 + 40 + quint32(palette.size());
    return fileHeader(off + quint32(pixels.size()), off) + infoHeader(w, h, bits, 0, quint32(pixels.size()), int(colors.size()))
        + palette + pixels;
}

QByteArray rleBitmapFile(const QImage &image, int rle)
{
    const int w = image.width(), h = image.height();
    const QList<QRgb> colors = paletteOf(image, rle == 8 ? 256 : 16);
    QByteArray data;
    for (int y = h - 1; y >= 0; --y) {
        int x = 0;
        while (x < w) {
            const int index = int(colors.indexOf(image.pixel(x, y) | 0xFF000000u));
            int run = 1;
            while (x + run < w && run < 255 && (image.pixel(x + run, y) | 0xFF000000u) == colors[index])
                ++run;
            data.append(char(run));
            data.append(char(rle == 8 ? index : (index << 4) | index));
            x += run;
        }
        data.append('\0').append('\0'); // end of line
    }
    data.append('\0').append('\1'); // end of bitmap
    const QByteArray palette = paletteBytes(colors);
    const quint32 off = 14 + 40 + quint32(palette.size());
    return fileHeader(off + quint32(data.size()), off)
        + infoHeader(w, h, rle, rle == 8 ? 1 : 2, quint32(data.size()), int(colors.size())) + palette + data;
}

QByteArray bitmapHeaderOnly(int width, int height, int bits)
{
    return fileHeader(54 + 16, 54) + infoHeader(width, height, bits, 0, 0, 0) + QByteArray(16, '\x55');
}

QByteArray iconFile(const QList<QImage> &images)
{
    QByteArray head, body;
    put16(head, 0);
    put16(head, 1);
    put16(head, quint16(images.size()));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (const QImage &image : images) {
        const int w = image.width(), h = image.height();
        const int maskStride = ((w + 31) / 32) * 4;
        QByteArray entry = infoHeader(w, h * 2, 32, 0, 0, 0);
        for (int y = h - 1; y >= 0; --y)
            for (int x = 0; x < w; ++x)
                put32(entry, image.pixel(x, y) | 0xFF000000u);
        entry.append(QByteArray(maskStride * h, '\0'));
        head.append(char(w >= 256 ? 0 : w)).append(char(h >= 256 ? 0 : h)).append('\0').append('\0');
        put16(head, 1);
        put16(head, 32);
        put32(head, quint32(entry.size()));
        put32(head, offset);
        offset += quint32(entry.size());
        body.append(entry);
    }
    return head + body;
}

QByteArray jpegFile(const QImage &image)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sample.jpg");
    if (!JpegWriter::Write(image, path, 95))
        return QByteArray();
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace PictureSamples
