#include "platform/SvgDrawing.h"

#include "platform/PictureFiles.h"
#include "platform/ScreenMetrics.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cmath>

#include <zlib.h>

namespace {

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

bool isGzip(const QByteArray &bytes)
{
    return bytes.startsWith("\x1F\x8B");
}

// Inflates an SVGZ within the document limit.
bool inflateGzip(const QByteArray &gz, QByteArray &xml, QString *error)
{
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return fail(error, QStringLiteral("Damaged SVGZ file"));
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(gz.constData()));
    stream.avail_in = uInt(gz.size());
    xml.clear();
    char chunk[65536];
    int result = Z_OK;
    while (result == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef *>(chunk);
        stream.avail_out = sizeof chunk;
        result = inflate(&stream, Z_NO_FLUSH);
        if (result != Z_OK && result != Z_STREAM_END)
            break;
        xml.append(chunk, qsizetype(sizeof chunk - stream.avail_out));
        if (xml.size() > TSvgDrawing::MaxXmlBytes) {
            inflateEnd(&stream);
            return fail(error, QStringLiteral("SVG picture is too large"));
        }
        if (result == Z_OK && stream.avail_in == 0 && stream.avail_out != 0)
            break; // the input ended early
    }
    inflateEnd(&stream);
    if (result != Z_STREAM_END)
        return fail(error, QStringLiteral("SVGZ file is truncated or damaged"));
    return true;
}

// A link that stays inside the document: "#id" or a "data:" address.
bool internalLink(QStringView value)
{
    const QStringView link = value.trimmed();
    return link.isEmpty() || link.startsWith(u'#') || link.startsWith(u"data:", Qt::CaseInsensitive);
}

bool linksOutside(const QXmlStreamAttributes &attributes)
{
    for (const QXmlStreamAttribute &a : attributes)
        if (a.name() == u"href" && !internalLink(a.value()))
            return true;
    return false;
}

// The document without the elements that link outside it; `removed` tells
// whether there were any. Unchanged bytes when there were none.
bool withoutOutsideLinks(const QByteArray &xml, QByteArray &out, bool &removed, QString *error)
{
    removed = false;
    {
        QXmlStreamReader scan(xml);
        while (!scan.atEnd()) {
            if (scan.readNext() == QXmlStreamReader::StartElement && linksOutside(scan.attributes())) {
                removed = true;
                break;
            }
        }
        if (!removed) {
            if (scan.hasError())
                return fail(error, QStringLiteral("Damaged SVG file: ") + scan.errorString());
            out = xml;
            return true;
        }
    }
    out.clear();
    QXmlStreamReader reader(xml);
    QXmlStreamWriter writer(&out);
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement && linksOutside(reader.attributes())) {
            reader.skipCurrentElement();
            continue;
        }
        if (token == QXmlStreamReader::ProcessingInstruction || token == QXmlStreamReader::Invalid)
            continue;
        writer.writeCurrentToken(reader);
    }
    if (reader.hasError())
        return fail(error, QStringLiteral("Damaged SVG file: ") + reader.errorString());
    return true;
}

} // namespace

TSvgDrawing::TSvgDrawing() = default;
TSvgDrawing::~TSvgDrawing() = default;

bool TSvgDrawing::LooksLikeSvg(const QByteArray &bytes)
{
    if (isGzip(bytes))
        return true;
    const QByteArray head = bytes.left(4096);
    return head.contains("<svg") || head.contains(":svg");
}

std::shared_ptr<const TSvgDrawing> TSvgDrawing::FromData(const QByteArray &bytes, QString *error)
{
    if (bytes.size() > MaxXmlBytes) {
        fail(error, QStringLiteral("SVG picture is too large"));
        return nullptr;
    }
    QByteArray xml = bytes;
    if (isGzip(bytes) && !inflateGzip(bytes, xml, error))
        return nullptr;
    if (!xml.left(4096).contains("<svg") && !xml.left(4096).contains(":svg")) {
        fail(error, QStringLiteral("Not an SVG file"));
        return nullptr;
    }
    std::shared_ptr<TSvgDrawing> drawing(new TSvgDrawing);
    QByteArray safe;
    if (!withoutOutsideLinks(xml, safe, drawing->m_linksRemoved, error))
        return nullptr;
    drawing->m_renderer = std::make_unique<QSvgRenderer>();
    if (!drawing->m_renderer->load(safe) || !drawing->m_renderer->isValid()) {
        fail(error, QStringLiteral("Damaged SVG file"));
        return nullptr;
    }
    QSizeF size = drawing->m_renderer->defaultSize();
    if (size.isEmpty())
        size = drawing->m_renderer->viewBoxF().size();
    if (!(size.width() >= 0.5 && size.height() >= 0.5)
        || !PictureFiles::SizeAllowed(qint64(std::ceil(size.width())), qint64(std::ceil(size.height())))) {
        fail(error, QStringLiteral("SVG picture size out of range"));
        return nullptr;
    }
    drawing->m_data = bytes;
    drawing->m_inches = size / 96.0;
    return drawing;
}

bool TSvgDrawing::Compressed() const
{
    return isGzip(m_data);
}

QSize TSvgDrawing::Size() const
{
    const double ppi = ScreenMetrics::pixelsPerInch();
    return QSize(std::max(1, int(std::lround(m_inches.width() * ppi))),
                 std::max(1, int(std::lround(m_inches.height() * ppi))));
}

QRect TSvgDrawing::Frame() const
{
    return QRect(0, 0, std::max(1, int(std::lround(m_inches.width() * 96))),
                 std::max(1, int(std::lround(m_inches.height() * 96))));
}

void TSvgDrawing::Play(QPainter &painter, const QRectF &target, bool reverse, bool flip) const
{
    painter.save();
    painter.translate(reverse ? target.right() : target.left(), flip ? target.bottom() : target.top());
    painter.scale(reverse ? -1 : 1, flip ? -1 : 1);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    m_renderer->render(&painter, QRectF(0, 0, target.width(), target.height()));
    painter.restore();
}

const QPicture &TSvgDrawing::Picture(bool reverse, bool flip) const
{
    std::unique_ptr<QPicture> &picture = m_pictures[(reverse ? 1 : 0) + (flip ? 2 : 0)];
    if (!picture) {
        picture = std::make_unique<QPicture>();
        QPainter painter(picture.get());
        Play(painter, Frame(), reverse, flip);
        painter.end();
        picture->setBoundingRect(Frame());
    }
    return *picture;
}
