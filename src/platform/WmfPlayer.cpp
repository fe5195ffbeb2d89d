#include "platform/MetafilePlayer.h"

#include "platform/Windows1252.h"

#include <QPainter>
#include <QStringDecoder>
#include <QtEndian>

// Windows metafile (WMF) records. Every parameter read is checked against
// its record, and every record was checked against the file when the
// metafile was made.

namespace MetafilePlayer {

namespace {

constexpr int PlaceableSize = 22;
constexpr int HeaderSize = 18;
constexpr int ETO_OPAQUE = 2, ETO_CLIPPED = 4;

class Record
{
public:
    Record(const char *data, qsizetype bytes) : m_data(data), m_bytes(bytes) {}
    int Function() const { return qFromLittleEndian<quint16>(m_data + 4); }
    // Parameter words after the 6-byte record head.
    qsizetype Words() const { return (m_bytes - 6) / 2; }
    bool Has(qsizetype words) const { return Words() >= words; }
    qint16 S(qsizetype i) const { return i < Words() ? qFromLittleEndian<qint16>(m_data + 6 + 2 * i) : 0; }
    quint16 U(qsizetype i) const { return quint16(S(i)); }
    quint32 U32(qsizetype i) const { return quint32(U(i)) | (quint32(U(i + 1)) << 16); }
    const char *Bytes(qsizetype word) const { return m_data + 6 + 2 * word; }
    qsizetype BytesFrom(qsizetype word) const { return std::max<qsizetype>(0, m_bytes - 6 - 2 * word); }
    QPointF Point(qsizetype i) const { return QPointF(S(i), S(i + 1)); }
    // Parameters stored bottom, right, top, left.
    QRectF ReversedRect(qsizetype i) const { return QRectF(QPointF(S(i + 3), S(i + 2)), QPointF(S(i + 1), S(i))); }

private:
    const char *m_data;
    qsizetype m_bytes;
};

QString decodeText(const QByteArray &bytes, int charset)
{
    static const QHash<int, const char *> codepages = {
        {161, "windows-1253"}, {162, "windows-1254"}, {177, "windows-1255"}, {178, "windows-1256"},
        {186, "windows-1257"}, {204, "windows-1251"}, {238, "windows-1250"}, {222, "windows-874"},
        {128, "Shift_JIS"},   {129, "EUC-KR"},       {134, "GBK"},          {136, "Big5"}};
    if (charset == 2) // symbol fonts: the bytes are glyph positions
        return QString::fromLatin1(bytes);
    if (const char *name = codepages.value(charset)) {
        QStringDecoder decoder(name);
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return Windows1252::decode(bytes);
}

class WmfReader
{
public:
    WmfReader(GdiContext &dc) : m_dc(dc) {}
    void Play(const Record &r);

private:
    int AddObject(const GdiObject &object);
    GdiObject *Object(int index);
    void SelectObject(int index);
    std::vector<QPolygonF> PolyPolygon(const Record &r) const;
    QPolygonF Points(const Record &r, qsizetype first, qsizetype count) const;
    void StretchDib(const Record &r, quint32 rop, QRectF dest, QRectF source, qsizetype dibWord);
    QPainterPath Region(const Record &r) const;

    GdiContext &m_dc;
    std::vector<GdiObject> m_objects;
};

int WmfReader::AddObject(const GdiObject &object)
{
    for (size_t i = 0; i < m_objects.size(); ++i)
        if (m_objects[i].kind == GdiObject::okNone) {
            m_objects[i] = object;
            return int(i);
        }
    if (m_objects.size() < 65535)
        m_objects.push_back(object);
    return int(m_objects.size()) - 1;
}

GdiObject *WmfReader::Object(int index)
{
    return index >= 0 && size_t(index) < m_objects.size() ? &m_objects[size_t(index)] : nullptr;
}

void WmfReader::SelectObject(int index)
{
    const GdiObject *o = Object(index);
    if (!o)
        return;
    switch (o->kind) {
    case GdiObject::okPen: m_dc.st.pen = o->pen; break;
    case GdiObject::okBrush: m_dc.st.brush = o->brush; break;
    case GdiObject::okFont: m_dc.st.font = o->font; break;
    case GdiObject::okRegion: m_dc.SelectClip(o->region, 5); break;
    default: break;
    }
}

QPolygonF WmfReader::Points(const Record &r, qsizetype first, qsizetype count) const
{
    QPolygonF points;
    if (count < 0 || !r.Has(first + 2 * count))
        return points;
    points.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        points << r.Point(first + 2 * i);
    return points;
}

std::vector<QPolygonF> WmfReader::PolyPolygon(const Record &r) const
{
    std::vector<QPolygonF> polygons;
    const int n = r.U(0);
    qsizetype at = 1 + n;
    if (!r.Has(at))
        return polygons;
    for (int i = 0; i < n; ++i) {
        const int count = r.U(1 + i);
        QPolygonF p = Points(r, at, count);
        if (p.size() != count)
            return {};
        polygons.push_back(p);
        at += 2 * count;
    }
    return polygons;
}

QPainterPath WmfReader::Region(const Record &r) const
{
    // nextInChain, objectType, objectCount(2 words), regionSize, scanCount,
    // maxScan, bounding box, then scans: count, top, bottom, pairs, count.
    QPainterPath region;
    const int scans = r.U(5);
    qsizetype at = 11;
    for (int s = 0; s < scans && r.Has(at + 3); ++s) {
        const int count = r.U(at);
        const int top = r.S(at + 1), bottom = r.S(at + 2);
        if (!r.Has(at + 3 + count + 1))
            break;
        for (int i = 0; i + 1 < count; i += 2)
            region.addRect(QRectF(QPointF(r.S(at + 3 + i), top), QPointF(r.S(at + 4 + i), bottom)));
        at += 3 + count + 1;
    }
    if (region.isEmpty() && r.Has(11))
        region.addRect(QRectF(QPointF(r.S(7), r.S(8)), QPointF(r.S(9), r.S(10))));
    region.setFillRule(Qt::WindingFill);
    return region;
}

void WmfReader::StretchDib(const Record &r, quint32 rop, QRectF dest, QRectF source, qsizetype dibWord)
{
    const char *info = r.Bytes(dibWord);
    const qsizetype available = r.BytesFrom(dibWord);
    const qsizetype infoSize = DibInfoSize(info, available);
    if (infoSize == 0)
        return;
    const QImage image = DibToImage(info, infoSize, info + infoSize, available - infoSize);
    if (image.isNull())
        return;
    // Source rows count from the bottom of a bottom-up bitmap.
    if (qFromLittleEndian<qint32>(info + 8) > 0 && qFromLittleEndian<quint32>(info) >= 40)
        source.moveTop(image.height() - source.bottom());
    m_dc.Blit(dest, image, source, rop);
}

void WmfReader::Play(const Record &r)
{
    GdiState &st = m_dc.st;
    switch (r.Function()) {
    case 0x0201: st.bkColor = ColorRef(r.U32(0)); break;                       // SETBKCOLOR
    case 0x0102: st.bkOpaque = r.U(0) == 2; break;                             // SETBKMODE
    case 0x0104: st.rop2 = r.U(0); break;                                      // SETROP2
    case 0x0106: st.winding = r.U(0) == 2; break;                              // SETPOLYFILLMODE
    case 0x0107: st.stretchMode = r.U(0); break;                               // SETSTRETCHBLTMODE
    case 0x0209: st.textColor = ColorRef(r.U32(0)); break;                     // SETTEXTCOLOR
    case 0x012E: st.textAlign = r.U(0); break;                                 // SETTEXTALIGN
    case 0x020B: st.windowOrg = QPointF(r.S(1), r.S(0)); break;                // SETWINDOWORG
    case 0x020C:                                                               // SETWINDOWEXT
        if (r.S(0) != 0 && r.S(1) != 0)
            st.windowExt = QSizeF(r.S(1), r.S(0));
        break;
    case 0x020F: st.windowOrg += QPointF(r.S(1), r.S(0)); break;               // OFFSETWINDOWORG
    case 0x0410:                                                               // SCALEWINDOWEXT
        if (r.S(0) != 0 && r.S(2) != 0 && r.S(1) != 0 && r.S(3) != 0)
            st.windowExt = QSizeF(st.windowExt.width() * r.S(3) / r.S(2), st.windowExt.height() * r.S(1) / r.S(0));
        break;
    case 0x0214: m_dc.MoveTo(QPointF(r.S(1), r.S(0))); break;                  // MOVETO
    case 0x0213: m_dc.LineTo(QPointF(r.S(1), r.S(0))); break;                  // LINETO
    case 0x0415: m_dc.ExcludeClipRect(r.ReversedRect(0)); break;               // EXCLUDECLIPRECT
    case 0x0416: m_dc.IntersectClipRect(r.ReversedRect(0)); break;             // INTERSECTCLIPRECT
    case 0x0220: m_dc.OffsetClip(QPointF(r.S(1), r.S(0))); break;              // OFFSETCLIPRGN
    case 0x0817:                                                               // ARC
    case 0x0830:                                                               // CHORD
    case 0x081A:                                                               // PIE
        if (r.Has(8))
            m_dc.Arc(r.ReversedRect(4), QPointF(r.S(3), r.S(2)), QPointF(r.S(1), r.S(0)),
                     r.Function() == 0x0817 ? 0 : r.Function() == 0x0830 ? 1 : 2);
        break;
    case 0x0418: m_dc.Ellipse(r.ReversedRect(0)); break;                       // ELLIPSE
    case 0x041B: m_dc.Rectangle(r.ReversedRect(0)); break;                     // RECTANGLE
    case 0x061C: m_dc.RoundRect(r.ReversedRect(2), QSizeF(r.S(1), r.S(0))); break; // ROUNDRECT
    case 0x041F: m_dc.SetPixel(QPointF(r.S(3), r.S(2)), ColorRef(r.U32(0))); break; // SETPIXEL
    case 0x061D:                                                               // PATBLT
        m_dc.PatBlt(QRectF(r.S(5), r.S(4), r.S(3), r.S(2)), r.U32(0));
        break;
    case 0x001E: m_dc.SaveDC(); break;                                         // SAVEDC
    case 0x0127: m_dc.RestoreDC(r.S(0)); break;                                // RESTOREDC
    case 0x0324: m_dc.Polygon(Points(r, 1, r.U(0))); break;                    // POLYGON
    case 0x0325: m_dc.Polyline(Points(r, 1, r.U(0))); break;                   // POLYLINE
    case 0x0538: m_dc.PolyPolygon(PolyPolygon(r)); break;                      // POLYPOLYGON
    case 0x0521: {                                                             // TEXTOUT
        const int count = r.U(0);
        const qsizetype textWords = (count + 1) / 2;
        if (!r.Has(1 + textWords + 2))
            break;
        const QByteArray bytes(r.Bytes(1), count);
        m_dc.Text(QPointF(r.S(2 + textWords), r.S(1 + textWords)), decodeText(bytes, st.font.charset), {}, {},
                  false, false);
        break;
    }
    case 0x0A32: {                                                             // EXTTEXTOUT
        const int count = r.U(2), options = r.U(3);
        const bool hasRect = options & (ETO_OPAQUE | ETO_CLIPPED);
        const qsizetype textAt = 4 + (hasRect ? 4 : 0);
        const qsizetype textWords = (count + 1) / 2;
        if (!r.Has(textAt + textWords))
            break;
        QRectF rect;
        if (hasRect)
            rect = QRectF(QPointF(r.S(4), r.S(5)), QPointF(r.S(6), r.S(7)));
        std::vector<double> dx;
        if (r.Has(textAt + textWords + count))
            for (int i = 0; i < count; ++i)
                dx.push_back(r.S(textAt + textWords + i));
        const QString text = decodeText(QByteArray(r.Bytes(textAt), count), st.font.charset);
        if (dx.size() != size_t(text.size()))
            dx.clear(); // multi-byte text: the advances are per byte
        m_dc.Text(QPointF(r.S(1), r.S(0)), text, dx, rect, options & ETO_OPAQUE, options & ETO_CLIPPED);
        break;
    }
    case 0x0F43:                                                               // STRETCHDIB
        if (r.Has(11))
            StretchDib(r, r.U32(0), QRectF(r.S(10), r.S(9), r.S(8), r.S(7)), QRectF(r.S(6), r.S(5), r.S(4), r.S(3)), 11);
        break;
    case 0x0B41:                                                               // DIBSTRETCHBLT
        if (r.Has(10) && r.BytesFrom(10) > 12 && r.Words() > 10)
            StretchDib(r, r.U32(0), QRectF(r.S(9), r.S(8), r.S(7), r.S(6)), QRectF(r.S(5), r.S(4), r.S(3), r.S(2)), 10);
        break;
    case 0x0940:                                                               // DIBBITBLT
        if (r.Has(8) && r.BytesFrom(8) > 12)
            StretchDib(r, r.U32(0), QRectF(r.S(7), r.S(6), r.S(5), r.S(4)), QRectF(r.S(3), r.S(2), r.S(5), r.S(4)), 8);
        else if (r.Has(9))
            m_dc.PatBlt(QRectF(r.S(8), r.S(7), r.S(6), r.S(5)), r.U32(0));
        break;
    case 0x012D: SelectObject(r.U(0)); break;                                  // SELECTOBJECT
    case 0x012C: {                                                             // SELECTCLIPREGION
        const GdiObject *o = Object(r.U(0));
        m_dc.SelectClip(o && o->kind == GdiObject::okRegion ? std::optional<QPainterPath>(o->region) : std::nullopt, 5);
        break;
    }
    case 0x0228: {                                                             // FILLREGION
        const GdiObject *region = Object(r.U(0));
        const GdiObject *brush = Object(r.U(1));
        if (region && brush && region->kind == GdiObject::okRegion && brush->kind == GdiObject::okBrush)
            m_dc.FillRegion(region->region, brush->brush);
        break;
    }
    case 0x012B: {                                                             // PAINTREGION
        const GdiObject *region = Object(r.U(0));
        if (region && region->kind == GdiObject::okRegion)
            m_dc.FillRegion(region->region, st.brush);
        break;
    }
    case 0x01F0:                                                               // DELETEOBJECT
        if (GdiObject *o = Object(r.U(0)))
            *o = GdiObject();
        break;
    case 0x02FA: {                                                             // CREATEPENINDIRECT
        GdiObject o;
        o.kind = GdiObject::okPen;
        o.pen.style = r.U(0);
        o.pen.width = r.S(1) < 0 ? 0 : r.S(1);
        o.pen.color = ColorRef(r.U32(3));
        AddObject(o);
        break;
    }
    case 0x02FC: {                                                             // CREATEBRUSHINDIRECT
        GdiObject o;
        o.kind = GdiObject::okBrush;
        o.brush.style = r.U(0);
        o.brush.color = ColorRef(r.U32(1));
        o.brush.hatch = r.U(3);
        if (o.brush.style == 3 || o.brush.style == 5 || o.brush.style == 6)
            o.brush.style = 0; // a pattern without a bitmap paints solid
        AddObject(o);
        break;
    }
    case 0x0142: {                                                             // DIBCREATEPATTERNBRUSH
        GdiObject o;
        o.kind = GdiObject::okBrush;
        o.brush.style = 5;
        const qsizetype infoSize = DibInfoSize(r.Bytes(2), r.BytesFrom(2));
        if (infoSize > 0)
            o.brush.pattern = DibToImage(r.Bytes(2), infoSize, r.Bytes(2) + infoSize, r.BytesFrom(2) - infoSize);
        o.brush.color = Qt::black;
        AddObject(o);
        break;
    }
    case 0x02FB: {                                                             // CREATEFONTINDIRECT
        GdiObject o;
        o.kind = GdiObject::okFont;
        GdiFont &f = o.font;
        f.height = r.S(0);
        f.width = std::abs(r.S(1));
        f.escapement = r.S(2);
        f.weight = r.S(4);
        const char *b = r.Bytes(5);
        if (r.BytesFrom(5) >= 8) {
            f.italic = b[0];
            f.underline = b[1];
            f.strikeOut = b[2];
            f.charset = quint8(b[3]);
            const QByteArray face(b + 8, std::min<qsizetype>(32, r.BytesFrom(5) - 8));
            f.face = Windows1252::decode(face.left(face.indexOf('\0') < 0 ? face.size() : face.indexOf('\0')));
        }
        AddObject(o);
        break;
    }
    case 0x06FF: {                                                             // CREATEREGION
        GdiObject o;
        o.kind = GdiObject::okRegion;
        o.region = Region(r);
        AddObject(o);
        break;
    }
    case 0x00F7:                                                               // CREATEPALETTE
    case 0x01F9: {                                                             // CREATEPATTERNBRUSH (bitmap16)
        GdiObject o;
        o.kind = r.Function() == 0x00F7 ? GdiObject::okOther : GdiObject::okBrush;
        o.brush.color = Qt::gray;
        AddObject(o);
        break;
    }
    default:
        break; // escapes, palettes and unknown records change nothing
    }
}

} // namespace

void PlayWmf(QPainter &painter, const QByteArray &data, const QRect &box, int inch, const QSizeF &frame)
{
    if (data.size() < PlaceableSize + HeaderSize)
        return;
    GdiContext dc(painter, QTransform(), frame);
    dc.st.mapMode = 8;
    dc.st.windowOrg = box.topLeft();
    dc.st.windowExt = QSizeF(box.width(), box.height());
    dc.st.viewportExt = frame;
    Q_UNUSED(inch);
    WmfReader reader(dc);
    qsizetype at = PlaceableSize + HeaderSize;
    while (at + 6 <= data.size()) {
        const quint32 words = qFromLittleEndian<quint32>(data.constData() + at);
        if (words < 3 || qint64(words) * 2 > data.size() - at)
            break;
        const Record record(data.constData() + at, qsizetype(words) * 2);
        if (record.Function() == 0)
            break;
        reader.Play(record);
        at += qsizetype(words) * 2;
    }
}

} // namespace MetafilePlayer
