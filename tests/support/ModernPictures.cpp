#include "support/ModernPictures.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>

#include <zlib.h>

namespace ModernPictures {

namespace {

void appendU32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

void appendChunk(QByteArray &png, const char *type, const QByteArray &data)
{
    appendU32(png, quint32(data.size()));
    const QByteArray body = QByteArray(type, 4) + data;
    png.append(body);
    appendU32(png, quint32(crc32(0, reinterpret_cast<const Bytef *>(body.constData()), uInt(body.size()))));
}

// Packs samples of `depth` bits into bytes, most significant bits first.
class TBitWriter
{
public:
    explicit TBitWriter(QByteArray &out) : m_out(out) {}
    void put(quint32 value, int depth)
    {
        if (depth == 16) {
            m_out.append(char(value >> 8)).append(char(value));
            return;
        }
        if (depth == 8) {
            m_out.append(char(value));
            return;
        }
        m_byte = quint8(m_byte | (value << (8 - depth - m_bits)));
        m_bits += depth;
        if (m_bits == 8)
            flush();
    }
    void flush()
    {
        if (m_bits > 0)
            m_out.append(char(m_byte));
        m_byte = 0;
        m_bits = 0;
    }

private:
    QByteArray &m_out;
    quint8 m_byte = 0;
    int m_bits = 0;
};

quint32 scaled(int value8, int depth)
{
    return depth == 16 ? quint32(value8) * 257 : quint32((value8 * ((1 << depth) - 1) + 127) / 255);
}

} // namespace

QByteArray pngFile(const QImage &source, int colorType, int bitDepth, bool interlaced)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    QList<QRgb> palette;
    if (colorType == 3)
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!palette.contains(image.pixel(x, y)))
                    palette << image.pixel(x, y);

    auto putPixel = [&](TBitWriter &bits, QRgb p) {
        switch (colorType) {
        case 0: bits.put(scaled(qGreen(p), bitDepth), bitDepth); break;
        case 2:
            for (int c : {qRed(p), qGreen(p), qBlue(p)})
                bits.put(scaled(c, bitDepth), bitDepth);
            break;
        case 3: bits.put(quint32(palette.indexOf(p)), bitDepth); break;
        case 4:
            bits.put(scaled(qGreen(p), bitDepth), bitDepth);
            bits.put(scaled(qAlpha(p), bitDepth), bitDepth);
            break;
        default:
            for (int c : {qRed(p), qGreen(p), qBlue(p), qAlpha(p)})
                bits.put(scaled(c, bitDepth), bitDepth);
            break;
        }
    };
    // Adam7 passes: start and step across and down; one pass when not interlaced.
    struct TPass { int x0, y0, dx, dy; };
    const QList<TPass> passes = interlaced
        ? QList<TPass>{{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}
        : QList<TPass>{{0, 0, 1, 1}};
    QByteArray raw;
    for (const TPass &pass : passes) {
        if (pass.x0 >= image.width())
            continue;
        for (int y = pass.y0; y < image.height(); y += pass.dy) {
            raw.append(char(0)); // filter: none
            TBitWriter bits(raw);
            for (int x = pass.x0; x < image.width(); x += pass.dx)
                putPixel(bits, image.pixel(x, y));
            bits.flush();
        }
    }

    QByteArray png("\x89PNG\r\n\x1A\n", 8);
    QByteArray header;
    appendU32(header, quint32(image.width()));
    appendU32(header, quint32(image.height()));
    header.append(char(bitDepth)).append(char(colorType)).append(char(0)).append(char(0)).append(char(interlaced ? 1 : 0));
    appendChunk(png, "IHDR", header);
    if (colorType == 3) {
        QByteArray plte, trns;
        for (QRgb p : palette) {
            plte.append(char(qRed(p))).append(char(qGreen(p))).append(char(qBlue(p)));
            trns.append(char(qAlpha(p)));
        }
        appendChunk(png, "PLTE", plte);
        appendChunk(png, "tRNS", trns);
    }
    appendChunk(png, "IDAT", qCompress(raw).mid(4)); // without Qt's length prefix: a zlib stream
    appendChunk(png, "IEND", QByteArray());
    return png;
}

QByteArray writtenFile(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(100); // lossless WebP
    return writer.write(image) ? bytes : QByteArray();
}

QImage halfTransparent(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(0, 0, width / 2, height, QColor(255, 0, 0));
    painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, QColor(0, 0, 255, 128));
    return image;
}

QByteArray svgFile(int width, int height, const QByteArray &extra)
{
    return QStringLiteral("<?xml version=\"1.0\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                          "width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\">\n"
                          "<rect x=\"0\" y=\"0\" width=\"%3\" height=\"%2\" fill=\"#ff0000\"/>\n")
               .arg(width)
               .arg(height)
               .arg(width / 2.0)
               .toUtf8()
        + extra + "</svg>\n";
}

QByteArray gzip(const QByteArray &bytes)
{
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&stream, uLong(bytes.size()))) + 64, Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

} // namespace ModernPictures
