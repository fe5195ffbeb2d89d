#include "platform/MetafilePlayer.h"

#include "platform/Windows1252.h"

#include <QPainter>
#include <QtEndian>

#include <uemf.h>

#include <cstring>

// Enhanced metafile (EMF) records. Each record was checked by libuemf when
// the metafile was made (counts and offsets inside the record); the reader
// checks again before it reads, so a record never reaches outside itself.

namespace MetafilePlayer {

namespace {

class Record
{
public:
    Record(const char *data, qsizetype bytes) : m_data(data), m_bytes(bytes) {}
    quint32 Type() const { return U32(0); }
    qsizetype Size() const { return m_bytes; }
    bool Has(qint64 bytes) const { return bytes >= 0 && bytes <= m_bytes; }
    qint32 I32(qsizetype at) const { return Has(at + 4) ? qFromLittleEndian<qint32>(m_data + at) : 0; }
    quint32 U32(qsizetype at) const { return quint32(I32(at)); }
    qint16 I16(qsizetype at) const { return Has(at + 2) ? qFromLittleEndian<qint16>(m_data + at) : 0; }
    float F32(qsizetype at) const
    {
        float f = 0;
        if (Has(at + 4))
            std::memcpy(&f, m_data + at, 4);
        return std::isfinite(f) ? f : 0.0f;
    }
    QPointF Point(qsizetype at) const { return QPointF(I32(at), I32(at + 4)); }
    QRectF Rect(qsizetype at) const { return QRectF(Point(at), Point(at + 8)); }
    const char *At(qsizetype at) const { return m_data + at; }
    // A byte range inside the record, or null.
    const char *Range(quint32 offset, quint32 bytes) const
    {
        return qint64(offset) + qint64(bytes) <= m_bytes ? m_data + offset : nullptr;
    }
    QPolygonF Points(qsizetype at, qint64 count, bool small) const
    {
        QPolygonF points;
        const int step = small ? 4 : 8;
        if (count < 0 || !Has(at + count * step))
            return points;
        points.reserve(count);
        for (qint64 i = 0; i < count; ++i)
            points << (small ? QPointF(I16(at + i * 4), I16(at + i * 4 + 2)) : Point(at + i * 8));
        return points;
    }

private:
    const char *m_data;
    qsizetype m_bytes;
};

QPainterPath regionPath(const Record &r, qsizetype at, quint32 bytes)
{
    // RGNDATAHEADER: size, type, count, region size, bounds; then rectangles.
    QPainterPath path;
    if (!r.Has(at + qint64(bytes)) || bytes < 32)
        return path;
    const quint32 count = r.U32(at + 8);
    if (qint64(count) * 16 + 32 > bytes)
        return path;
    for (quint32 i = 0; i < count; ++i)
        path.addRect(r.Rect(at + 32 + qsizetype(i) * 16).normalized());
    path.setFillRule(Qt::WindingFill);
    return path;
}

QTransform xform(const Record &r, qsizetype at)
{
    return QTransform(r.F32(at), r.F32(at + 4), r.F32(at + 8), r.F32(at + 12), r.F32(at + 16), r.F32(at + 20));
}

class EmfReader
{
public:
    explicit EmfReader(GdiContext &dc) : m_dc(dc) {}
    void Play(const Record &r);

private:
    GdiObject *Object(quint32 index)
    {
        return index < m_objects.size() ? &m_objects[index] : nullptr;
    }
    void Store(quint32 index, const GdiObject &object)
    {
        if (index >= 65536)
            return;
        if (index >= m_objects.size())
            m_objects.resize(index + 1);
        m_objects[index] = object;
    }
    void SelectObject(quint32 index);
    QImage Dib(const Record &r, quint32 offBmi, quint32 cbBmi, quint32 offBits, quint32 cbBits) const;
    void Poly(const Record &r, bool small);
    void PolyPoly(const Record &r, bool small);
    void Text(const Record &r, bool wide);

    GdiContext &m_dc;
    std::vector<GdiObject> m_objects;
};

void EmfReader::SelectObject(quint32 index)
{
    GdiState &st = m_dc.st;
    if (index & 0x80000000u) {
        switch (index & 0x7FFFFFFFu) {
        case 0: st.brush = {0, Qt::white, 0, {}}; break;
        case 1: st.brush = {0, QColor(0xC0, 0xC0, 0xC0), 0, {}}; break;
        case 2: st.brush = {0, QColor(0x80, 0x80, 0x80), 0, {}}; break;
        case 3: st.brush = {0, QColor(0x40, 0x40, 0x40), 0, {}}; break;
        case 4: st.brush = {0, Qt::black, 0, {}}; break;
        case 5: st.brush.style = 1; break;
        case 6: st.pen = {0, 0, Qt::white}; break;
        case 7: st.pen = {0, 0, Qt::black}; break;
        case 8: st.pen.style = 5; break;
        default:
            if ((index & 0x7FFFFFFFu) >= 10 && (index & 0x7FFFFFFFu) <= 17)
                st.font = GdiFont();
            break;
        }
        return;
    }
    const GdiObject *o = Object(index);
    if (!o)
        return;
    if (o->kind == GdiObject::okPen)
        st.pen = o->pen;
    else if (o->kind == GdiObject::okBrush)
        st.brush = o->brush;
    else if (o->kind == GdiObject::okFont)
        st.font = o->font;
}

QImage EmfReader::Dib(const Record &r, quint32 offBmi, quint32 cbBmi, quint32 offBits, quint32 cbBits) const
{
    const char *info = r.Range(offBmi, cbBmi);
    const char *bits = r.Range(offBits, cbBits);
    if (!info || !bits || cbBmi == 0)
        return QImage();
    return DibToImage(info, cbBmi, bits, cbBits);
}

void EmfReader::Poly(const Record &r, bool small)
{
    const QPolygonF points = r.Points(28, r.U32(24), small);
    if (points.isEmpty())
        return;
    const quint32 t = r.Type();
    const quint32 base = small ? t - (U_EMR_POLYBEZIER16 - U_EMR_POLYBEZIER) : t;
    switch (base) {
    case U_EMR_POLYBEZIER: m_dc.PolyBezier(points, false); break;
    case U_EMR_POLYGON: m_dc.Polygon(points); break;
    case U_EMR_POLYLINE: m_dc.Polyline(points); break;
    case U_EMR_POLYBEZIERTO: m_dc.PolyBezier(points, true); break;
    case U_EMR_POLYLINETO: m_dc.PolylineTo(points); break;
    default: break;
    }
}

void EmfReader::PolyPoly(const Record &r, bool small)
{
    const quint32 polys = r.U32(24);
    const quint32 total = r.U32(28);
    if (!r.Has(32 + qint64(polys) * 4))
        return;
    qsizetype at = 32 + qsizetype(polys) * 4;
    quint64 sum = 0;
    std::vector<QPolygonF> list;
    for (quint32 i = 0; i < polys; ++i) {
        const quint32 count = r.U32(32 + qsizetype(i) * 4);
        sum += count;
        if (sum > total)
            return;
        QPolygonF p = r.Points(at, count, small);
        if (qsizetype(p.size()) != qsizetype(count))
            return;
        list.push_back(p);
        at += qsizetype(count) * (small ? 4 : 8);
    }
    const quint32 t = r.Type();
    if (t == U_EMR_POLYPOLYGON || t == U_EMR_POLYPOLYGON16)
        m_dc.PolyPolygon(list);
    else
        m_dc.PolyPolyline(list);
}

void EmfReader::Text(const Record &r, bool wide)
{
    constexpr quint32 ETO_OPAQUE = 2, ETO_CLIPPED = 4, ETO_GLYPH_INDEX = 0x10, ETO_PDY = 0x2000;
    const QPointF at = r.Point(36);
    const quint32 chars = r.U32(44);
    const quint32 offString = r.U32(48);
    const quint32 options = r.U32(52);
    const QRectF rect = r.Rect(56);
    const quint32 offDx = r.U32(72);
    if (chars > 65536)
        return;
    const char *text = r.Range(offString, chars * (wide ? 2 : 1));
    if (!text)
        return;
    QString string;
    if (!(options & ETO_GLYPH_INDEX)) {
        if (wide) {
            string.resize(chars);
            for (quint32 i = 0; i < chars; ++i)
                string[i] = QChar(qFromLittleEndian<quint16>(text + 2 * i));
        } else {
            string = Windows1252::decode(QByteArrayView(text, chars));
        }
    }
    std::vector<double> dx;
    const quint32 step = (options & ETO_PDY) ? 8 : 4;
    if (offDx != 0 && r.Range(offDx, chars * step) && qsizetype(chars) == string.size())
        for (quint32 i = 0; i < chars; ++i)
            dx.push_back(r.I32(offDx + i * step));
    m_dc.Text(at, string, dx, rect, options & ETO_OPAQUE, options & ETO_CLIPPED);
}

void EmfReader::Play(const Record &r)
{
    GdiState &st = m_dc.st;
    switch (r.Type()) {
    case U_EMR_POLYBEZIER: case U_EMR_POLYGON: case U_EMR_POLYLINE: case U_EMR_POLYBEZIERTO:
    case U_EMR_POLYLINETO:
        Poly(r, false);
        break;
    case U_EMR_POLYBEZIER16: case U_EMR_POLYGON16: case U_EMR_POLYLINE16: case U_EMR_POLYBEZIERTO16:
    case U_EMR_POLYLINETO16:
        Poly(r, true);
        break;
    case U_EMR_POLYPOLYLINE: case U_EMR_POLYPOLYGON: PolyPoly(r, false); break;
    case U_EMR_POLYPOLYLINE16: case U_EMR_POLYPOLYGON16: PolyPoly(r, true); break;
    case U_EMR_SETWINDOWEXTEX:
        if (r.I32(8) != 0 && r.I32(12) != 0)
            st.windowExt = QSizeF(r.I32(8), r.I32(12));
        break;
    case U_EMR_SETWINDOWORGEX: st.windowOrg = r.Point(8); break;
    case U_EMR_SETVIEWPORTEXTEX:
        if (r.I32(8) != 0 && r.I32(12) != 0)
            st.viewportExt = QSizeF(r.I32(8), r.I32(12));
        break;
    case U_EMR_SETVIEWPORTORGEX: st.viewportOrg = r.Point(8); break;
    case U_EMR_SETPIXELV: m_dc.SetPixel(r.Point(8), ColorRef(r.U32(16))); break;
    case U_EMR_SETMAPMODE: st.mapMode = int(r.U32(8)); break;
    case U_EMR_SETBKMODE: st.bkOpaque = r.U32(8) == 2; break;
    case U_EMR_SETPOLYFILLMODE: st.winding = r.U32(8) == 2; break;
    case U_EMR_SETROP2: st.rop2 = int(r.U32(8)); break;
    case U_EMR_SETSTRETCHBLTMODE: st.stretchMode = int(r.U32(8)); break;
    case U_EMR_SETTEXTALIGN: st.textAlign = int(r.U32(8)); break;
    case U_EMR_SETTEXTCOLOR: st.textColor = ColorRef(r.U32(8)); break;
    case U_EMR_SETBKCOLOR: st.bkColor = ColorRef(r.U32(8)); break;
    case U_EMR_OFFSETCLIPRGN: m_dc.OffsetClip(r.Point(8)); break;
    case U_EMR_MOVETOEX: m_dc.MoveTo(r.Point(8)); break;
    case U_EMR_EXCLUDECLIPRECT: m_dc.ExcludeClipRect(r.Rect(8)); break;
    case U_EMR_INTERSECTCLIPRECT: m_dc.IntersectClipRect(r.Rect(8)); break;
    case U_EMR_SCALEVIEWPORTEXTEX:
    case U_EMR_SCALEWINDOWEXTEX: {
        const qint32 xNum = r.I32(8), xDen = r.I32(12), yNum = r.I32(16), yDen = r.I32(20);
        if (xNum == 0 || xDen == 0 || yNum == 0 || yDen == 0)
            break;
        QSizeF &ext = r.Type() == U_EMR_SCALEWINDOWEXTEX ? st.windowExt : st.viewportExt;
        ext = QSizeF(ext.width() * xNum / xDen, ext.height() * yNum / yDen);
        break;
    }
    case U_EMR_SAVEDC: m_dc.SaveDC(); break;
    case U_EMR_RESTOREDC: m_dc.RestoreDC(r.I32(8)); break;
    case U_EMR_SETWORLDTRANSFORM: st.world = xform(r, 8); break;
    case U_EMR_MODIFYWORLDTRANSFORM:
        switch (r.U32(32)) {
        case 1: st.world = QTransform(); break;
        case 2: st.world = xform(r, 8) * st.world; break;
        case 3: st.world = st.world * xform(r, 8); break;
        case 4: st.world = xform(r, 8); break;
        default: break;
        }
        break;
    case U_EMR_SELECTOBJECT: SelectObject(r.U32(8)); break;
    case U_EMR_CREATEPEN: {
        GdiObject o;
        o.kind = GdiObject::okPen;
        o.pen.style = int(r.U32(12));
        o.pen.width = std::max(0, r.I32(16));
        o.pen.color = ColorRef(r.U32(24));
        Store(r.U32(8), o);
        break;
    }
    case U_EMR_EXTCREATEPEN: {
        GdiObject o;
        o.kind = GdiObject::okPen;
        const quint32 style = r.U32(28);
        o.pen.style = int(style & 0xFFFF);
        // Cosmetic pens are one device pixel wide whatever they say.
        o.pen.width = (style & 0x00010000u) ? double(r.U32(32)) : 0.0;
        o.pen.color = ColorRef(r.U32(40));
        if (r.U32(36) == 1) // BS_NULL brush: no line
            o.pen.style = (o.pen.style & ~0x0F) | 5;
        Store(r.U32(8), o);
        break;
    }
    case U_EMR_CREATEBRUSHINDIRECT: {
        GdiObject o;
        o.kind = GdiObject::okBrush;
        o.brush.style = int(r.U32(12));
        o.brush.color = ColorRef(r.U32(16));
        o.brush.hatch = int(r.U32(20));
        if (o.brush.style >= 3)
            o.brush.style = 0;
        Store(r.U32(8), o);
        break;
    }
    case U_EMR_CREATEMONOBRUSH:
    case U_EMR_CREATEDIBPATTERNBRUSHPT: {
        GdiObject o;
        o.kind = GdiObject::okBrush;
        o.brush.style = 5;
        o.brush.color = Qt::black;
        o.brush.pattern = Dib(r, r.U32(16), r.U32(20), r.U32(24), r.U32(28));
        Store(r.U32(8), o);
        break;
    }
    case U_EMR_EXTCREATEFONTINDIRECTW: {
        GdiObject o;
        o.kind = GdiObject::okFont;
        GdiFont &f = o.font;
        f.height = r.I32(12);
        f.width = std::abs(r.I32(16));
        f.escapement = r.I32(20);
        f.weight = r.I32(28);
        if (r.Has(40 + 64)) {
            f.italic = r.At(32)[0];
            f.underline = r.At(33)[0];
            f.strikeOut = r.At(34)[0];
            f.charset = quint8(r.At(35)[0]);
            for (int i = 0; i < 32; ++i) {
                const quint16 c = quint16(r.I16(40 + 2 * i));
                if (c == 0)
                    break;
                f.face += QChar(c);
            }
        }
        Store(r.U32(8), o);
        break;
    }
    case U_EMR_DELETEOBJECT:
        if (GdiObject *o = Object(r.U32(8)))
            *o = GdiObject();
        break;
    case U_EMR_ANGLEARC: {
        const QPointF c = r.Point(8);
        const double radius = r.U32(16);
        const double start = r.F32(20), sweep = r.F32(24);
        const QRectF box(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius);
        QPainterPath p;
        p.arcMoveTo(box, start);
        m_dc.LineTo(p.currentPosition());
        p.arcTo(box, start, sweep);
        m_dc.PolylineTo(p.toFillPolygon().mid(1));
        break;
    }
    case U_EMR_ELLIPSE: m_dc.Ellipse(r.Rect(8)); break;
    case U_EMR_RECTANGLE: m_dc.Rectangle(r.Rect(8)); break;
    case U_EMR_ROUNDRECT: m_dc.RoundRect(r.Rect(8), QSizeF(r.I32(24), r.I32(28))); break;
    case U_EMR_ARC: m_dc.Arc(r.Rect(8), r.Point(24), r.Point(32), 0); break;
    case U_EMR_CHORD: m_dc.Arc(r.Rect(8), r.Point(24), r.Point(32), 1); break;
    case U_EMR_PIE: m_dc.Arc(r.Rect(8), r.Point(24), r.Point(32), 2); break;
    case U_EMR_ARCTO: m_dc.Arc(r.Rect(8), r.Point(24), r.Point(32), 0, true); break;
    case U_EMR_LINETO: m_dc.LineTo(r.Point(8)); break;
    case U_EMR_SETARCDIRECTION: st.clockwiseArcs = r.U32(8) == 2; break;
    case U_EMR_BEGINPATH: m_dc.BeginPath(); break;
    case U_EMR_ENDPATH: m_dc.EndPath(); break;
    case U_EMR_CLOSEFIGURE: m_dc.CloseFigure(); break;
    case U_EMR_FILLPATH: m_dc.FillPath(); break;
    case U_EMR_STROKEANDFILLPATH: m_dc.StrokeAndFillPath(); break;
    case U_EMR_STROKEPATH: m_dc.StrokePath(); break;
    case U_EMR_SELECTCLIPPATH: m_dc.SelectClipPath(int(r.U32(8))); break;
    case U_EMR_ABORTPATH: m_dc.AbortPath(); break;
    case U_EMR_EXTSELECTCLIPRGN: {
        const quint32 bytes = r.U32(8);
        const int mode = int(r.U32(12));
        if (bytes == 0)
            m_dc.SelectClip(std::nullopt, mode);
        else
            m_dc.SelectClip(regionPath(r, 16, bytes), mode);
        break;
    }
    case U_EMR_FILLRGN: {
        const GdiObject *brush = Object(r.U32(28));
        if (brush && brush->kind == GdiObject::okBrush)
            m_dc.FillRegion(regionPath(r, 32, r.U32(24)), brush->brush);
        break;
    }
    case U_EMR_PAINTRGN: m_dc.FillRegion(regionPath(r, 28, r.U32(24)), st.brush); break;
    case U_EMR_BITBLT:
    case U_EMR_STRETCHBLT: {
        const QRectF dest(r.I32(24), r.I32(28), r.I32(32), r.I32(36));
        const quint32 rop = r.U32(40);
        const QImage image = Dib(r, r.U32(84), r.U32(88), r.U32(92), r.U32(96));
        if (image.isNull()) {
            m_dc.PatBlt(dest, rop);
            break;
        }
        const QSizeF srcSize = r.Type() == U_EMR_STRETCHBLT ? QSizeF(r.I32(100), r.I32(104)) : dest.size();
        m_dc.Blit(dest, image, QRectF(QPointF(r.I32(44), r.I32(48)), srcSize), rop);
        break;
    }
    case U_EMR_STRETCHDIBITS: {
        const QImage image = Dib(r, r.U32(48), r.U32(52), r.U32(56), r.U32(60));
        if (image.isNull())
            break;
        QRectF source(r.I32(32), r.I32(36), r.I32(40), r.I32(44));
        // Source rows count from the bottom of a bottom-up bitmap.
        if (const char *info = r.Range(r.U32(48), 12); info && qFromLittleEndian<qint32>(info + 8) > 0)
            source.moveTop(image.height() - source.bottom());
        m_dc.Blit(QRectF(r.I32(24), r.I32(28), r.I32(72), r.I32(76)), image, source, r.U32(68));
        break;
    }
    case U_EMR_SETDIBITSTODEVICE: {
        const QImage image = Dib(r, r.U32(48), r.U32(52), r.U32(56), r.U32(60));
        if (!image.isNull())
            m_dc.Blit(QRectF(r.I32(24), r.I32(28), r.I32(40), r.I32(44)), image,
                      QRectF(r.I32(32), r.I32(36), r.I32(40), r.I32(44)), 0x00CC0020);
        break;
    }
    case U_EMR_EXTTEXTOUTA: Text(r, false); break;
    case U_EMR_EXTTEXTOUTW: Text(r, true); break;
    default:
        break; // comments, palettes, colour management and unknown records
    }
}

} // namespace

void PlayEmf(QPainter &painter, const QByteArray &data, const QSizeF &frame)
{
    if (data.size() < 88)
        return;
    const Record header(data.constData(), qFromLittleEndian<quint32>(data.constData() + 4));
    const double devW = header.I32(72), devH = header.I32(76);
    const double mmW = header.I32(80), mmH = header.I32(84);
    if (devW <= 0 || devH <= 0 || mmW <= 0 || mmH <= 0)
        return;
    // Reference-device pixels to hundredths of a millimetre, from the frame's corner.
    const double kx = mmW * 100 / devW, ky = mmH * 100 / devH;
    QPointF origin(header.I32(24), header.I32(28));
    if (header.I32(32) <= header.I32(24) || header.I32(36) <= header.I32(28))
        origin = QPointF(header.I32(8) * kx, header.I32(12) * ky);
    const QTransform deviceToFrame = QTransform::fromScale(kx, ky) * QTransform::fromTranslate(-origin.x(), -origin.y());
    GdiContext dc(painter, deviceToFrame, frame);
    dc.SetMapMode(1, QSizeF(devW / mmW, devH / mmH));
    EmfReader reader(dc);
    qsizetype at = 0;
    while (at + 8 <= data.size()) {
        const quint32 type = qFromLittleEndian<quint32>(data.constData() + at);
        const quint32 size = qFromLittleEndian<quint32>(data.constData() + at + 4);
        if (size < 8 || qint64(size) > data.size() - at)
            break;
        if (type == U_EMR_EOF)
            break;
        reader.Play(Record(data.constData() + at, size));
        at += size;
    }
}

} // namespace MetafilePlayer
