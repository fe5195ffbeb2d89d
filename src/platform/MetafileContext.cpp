#include "platform/MetafilePlayer.h"

#include "platform/Fonts.h"
#include "platform/PictureFiles.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <cmath>
#include <numbers>

namespace MetafilePlayer {

namespace {

// GDI constants the context interprets.
enum { PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME };
constexpr int PS_STYLE_MASK = 0x0F, PS_ENDCAP_MASK = 0x0F00, PS_JOIN_MASK = 0xF000;
constexpr int PS_ENDCAP_SQUARE = 0x100, PS_ENDCAP_FLAT = 0x200, PS_JOIN_BEVEL = 0x1000, PS_JOIN_MITER = 0x2000;
enum { BS_SOLID, BS_NULL, BS_HATCHED, BS_PATTERN, BS_INDEXED, BS_DIBPATTERN, BS_DIBPATTERNPT };
// The largest glyph side, in device pixels, drawn through Qt's glyph cache.
constexpr double MaxGlyphImagePixels = 1024;
constexpr int R2_BLACK = 1, R2_NOP = 11, R2_WHITE = 16;
constexpr int TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24;
constexpr quint32 SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6,
                  SRCINVERT = 0x00660046, NOTSRCCOPY = 0x00330008, PATCOPY = 0x00F00021,
                  PATINVERT = 0x005A0049, DSTINVERT = 0x00550009, BLACKNESS = 0x00000042,
                  WHITENESS = 0x00FF0062;

double length(QPointF v) { return std::hypot(v.x(), v.y()); }

// How far one logical unit reaches on the painter's device along x and y.
QSizeF unitScale(const QTransform &t)
{
    return QSizeF(length(t.map(QPointF(1, 0)) - t.map(QPointF(0, 0))),
                  length(t.map(QPointF(0, 1)) - t.map(QPointF(0, 0))));
}

QPainterPath rectPath(const QRectF &r)
{
    QPainterPath p;
    p.addRect(r.normalized());
    return p;
}

} // namespace

QColor ColorRef(quint32 colorref)
{
    return QColor(int(colorref & 0xFF), int((colorref >> 8) & 0xFF), int((colorref >> 16) & 0xFF));
}

qsizetype DibInfoSize(const char *info, qsizetype available)
{
    if (available < 12)
        return 0;
    const quint32 headerSize = qFromLittleEndian<quint32>(info);
    if (headerSize == 12) {
        const int bits = qFromLittleEndian<quint16>(info + 10);
        const qsizetype size = 12 + (bits <= 8 ? qsizetype(3) << bits : 0);
        return size <= available ? size : 0;
    }
    if (headerSize < 40 || headerSize > 124 || available < qsizetype(headerSize))
        return 0;
    const int bits = qFromLittleEndian<quint16>(info + 14);
    const quint32 compression = qFromLittleEndian<quint32>(info + 16);
    quint32 colors = qFromLittleEndian<quint32>(info + 32);
    if (bits <= 8 && (colors == 0 || colors > (1u << bits)))
        colors = 1u << bits;
    else if (bits > 8)
        colors = colors > 256 ? 0 : colors;
    qsizetype size = qsizetype(headerSize) + qsizetype(colors) * 4;
    if (compression == 3 && headerSize == 40)
        size += 12; // the three bit-field masks
    return size <= available ? size : 0;
}

QImage DibToImage(const char *info, qsizetype infoSize, const char *bits, qsizetype bitsSize)
{
    if (infoSize < 12 || bitsSize < 0 || infoSize + bitsSize > PictureFiles::MaxFileBytes)
        return QImage();
    // Make a BMP file of it, so the one checked bitmap reader decodes it.
    QByteArray file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    qToLittleEndian<quint32>(quint32(14 + infoSize + bitsSize), file.data() + 2);
    qToLittleEndian<quint32>(quint32(14 + infoSize), file.data() + 10);
    file.append(info, infoSize);
    file.append(bits, bitsSize);
    return PictureFiles::DecodeBitmap(file);
}

GdiContext::GdiContext(QPainter &painter, const QTransform &deviceToFrame, const QSizeF &frame)
    : m_painter(painter), m_base(painter.worldTransform()), m_deviceToFrame(deviceToFrame), m_frame(frame)
{
    m_painter.save();
}

GdiContext::~GdiContext()
{
    m_painter.restore();
}

void GdiContext::SetMapMode(int mode, const QSizeF &devicePixelsPerMm)
{
    st.mapMode = mode;
    m_pixelsPerMm = devicePixelsPerMm;
}

QTransform GdiContext::PageTransform() const
{
    double sx = 1, sy = 1;
    const double mmX = m_pixelsPerMm.width(), mmY = m_pixelsPerMm.height();
    switch (st.mapMode) {
    case 2: sx = mmX / 10; sy = -mmY / 10; break;            // MM_LOMETRIC
    case 3: sx = mmX / 100; sy = -mmY / 100; break;          // MM_HIMETRIC
    case 4: sx = mmX * 0.254; sy = -mmY * 0.254; break;      // MM_LOENGLISH
    case 5: sx = mmX * 0.0254; sy = -mmY * 0.0254; break;    // MM_HIENGLISH
    case 6: sx = mmX * 25.4 / 1440; sy = -mmY * 25.4 / 1440; break; // MM_TWIPS
    case 7:
    case 8:
        if (st.windowExt.width() != 0 && st.windowExt.height() != 0) {
            sx = st.viewportExt.width() / st.windowExt.width();
            sy = st.viewportExt.height() / st.windowExt.height();
            if (st.mapMode == 7) { // isotropic: the smaller scale both ways
                const double m = std::min(std::abs(sx), std::abs(sy));
                sx = std::copysign(m, sx);
                sy = std::copysign(m, sy);
            }
        }
        break;
    default: break; // MM_TEXT
    }
    QTransform t;
    t.translate(st.viewportOrg.x(), st.viewportOrg.y());
    t.scale(sx, sy);
    t.translate(-st.windowOrg.x(), -st.windowOrg.y());
    return t;
}

QTransform GdiContext::LogicalToFrame() const
{
    return st.world * PageTransform() * m_deviceToFrame;
}

void GdiContext::SaveDC()
{
    if (m_saved.size() < 1024)
        m_saved.push_back(st);
}

void GdiContext::RestoreDC(int relative)
{
    const qsizetype index = relative < 0 ? qsizetype(m_saved.size()) + relative : relative - 1;
    if (index < 0 || index >= qsizetype(m_saved.size()))
        return;
    st = m_saved[size_t(index)];
    m_saved.resize(size_t(index));
    ApplyClip();
}

// ---- pens, brushes, fonts ----

bool GdiContext::PenVisible() const
{
    return (st.pen.style & PS_STYLE_MASK) != PS_NULL && st.rop2 != R2_NOP;
}

QPen GdiContext::MakePen() const
{
    QColor color = st.rop2 == R2_BLACK ? QColor(Qt::black) : st.rop2 == R2_WHITE ? QColor(Qt::white) : st.pen.color;
    QPen pen(color);
    pen.setWidthF(st.pen.width);
    const int style = st.pen.style & PS_STYLE_MASK;
    // Dashes only on thin pens, as the platform drew them.
    if (st.pen.width <= 1 || style == PS_INSIDEFRAME) {
        static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                              Qt::DashDotDotLine, Qt::NoPen, Qt::SolidLine};
        pen.setStyle(style <= PS_INSIDEFRAME ? styles[style] : Qt::SolidLine);
    }
    if (st.pen.width == 0)
        pen.setCosmetic(true);
    const int cap = st.pen.style & PS_ENDCAP_MASK, join = st.pen.style & PS_JOIN_MASK;
    pen.setCapStyle(cap == PS_ENDCAP_FLAT ? Qt::FlatCap : cap == PS_ENDCAP_SQUARE ? Qt::SquareCap : Qt::RoundCap);
    pen.setJoinStyle(join == PS_JOIN_MITER ? Qt::MiterJoin : join == PS_JOIN_BEVEL ? Qt::BevelJoin : Qt::RoundJoin);
    return pen;
}

QBrush GdiContext::MakeBrush(const GdiBrush &b) const
{
    QBrush brush;
    switch (b.style) {
    case BS_NULL:
        return QBrush(Qt::NoBrush);
    case BS_HATCHED: {
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        brush = QBrush(b.color, b.hatch >= 0 && b.hatch < 6 ? hatches[b.hatch] : Qt::SolidPattern);
        break;
    }
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
        if (b.pattern.isNull())
            return QBrush(b.color);
        brush = QBrush(b.pattern);
        break;
    default:
        return QBrush(b.color);
    }
    // Hatches and patterns are laid in device pixels, whatever the mapping.
    const QSizeF s = unitScale(LogicalToFrame() * m_base);
    if (s.width() > 0 && s.height() > 0)
        brush.setTransform(QTransform::fromScale(1 / s.width(), 1 / s.height()));
    return brush;
}

QFont GdiContext::MakeFont(double *scale) const
{
    QFont font(Fonts::resolveFamily(st.font.face.isEmpty() ? QStringLiteral("Arial") : st.font.face));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setWeight(QFont::Weight(std::clamp(st.font.weight == 0 ? 400 : st.font.weight, 1, 1000)));
    font.setItalic(st.font.italic);
    font.setUnderline(st.font.underline);
    font.setStrikeOut(st.font.strikeOut);
    // Heights are logical units: negative the character height, positive the
    // cell height. Small heights are drawn larger and scaled down so that
    // whole-pixel font sizes keep their proportions.
    double h = std::abs(double(st.font.height));
    if (h == 0)
        h = 12;
    const double k = h < 64 ? std::ceil(64 / h) : 1;
    if (st.font.height > 0) {
        font.setPixelSize(1000);
        const QFontMetricsF m(font);
        h = h * 1000 / std::max(1.0, m.ascent() + m.descent());
    }
    font.setPixelSize(std::max(1, int(std::lround(h * k))));
    if (st.font.width > 0) {
        const double average = QFontMetricsF(font).averageCharWidth();
        if (average > 0)
            font.setStretch(std::clamp(int(std::lround(st.font.width * k * 100 / average)), 1, 4000));
    }
    *scale = 1 / k;
    return font;
}

// ---- drawing ----

void GdiContext::Draw(const QPainterPath &path, bool fill, bool stroke)
{
    if (st.rop2 == R2_NOP)
        return;
    m_painter.setWorldTransform(LogicalToFrame() * m_base);
    QPainterPath p = path;
    p.setFillRule(st.winding ? Qt::WindingFill : Qt::OddEvenFill);
    if (fill && st.brush.style != BS_NULL) {
        if (st.brush.style == BS_HATCHED && st.bkOpaque)
            m_painter.fillPath(p, st.bkColor);
        m_painter.fillPath(p, MakeBrush(st.brush));
    }
    if (stroke && PenVisible())
        m_painter.strokePath(p, MakePen());
}

void GdiContext::MoveTo(QPointF p)
{
    st.current = p;
    if (m_pathOpen)
        m_path.moveTo(p);
}

void GdiContext::LineTo(QPointF p)
{
    if (m_pathOpen) {
        if (m_path.elementCount() == 0)
            m_path.moveTo(st.current);
        m_path.lineTo(p);
    } else {
        QPainterPath line(st.current);
        line.lineTo(p);
        Draw(line, false, true);
    }
    st.current = p;
}

void GdiContext::Polyline(const QPolygonF &points)
{
    if (points.size() < 2)
        return;
    QPainterPath p;
    p.addPolygon(points);
    if (m_pathOpen)
        m_path.addPath(p);
    else
        Draw(p, false, true);
}

void GdiContext::PolylineTo(const QPolygonF &points)
{
    for (const QPointF &p : points)
        LineTo(p);
}

void GdiContext::PolyBezier(const QPolygonF &points, bool fromCurrent)
{
    QPainterPath p(fromCurrent ? st.current : points.value(0));
    qsizetype i = fromCurrent ? 0 : 1;
    for (; i + 2 < points.size(); i += 3)
        p.cubicTo(points[i], points[i + 1], points[i + 2]);
    st.current = p.currentPosition();
    if (m_pathOpen) {
        if (fromCurrent && m_path.elementCount() > 0)
            m_path.connectPath(p);
        else
            m_path.addPath(p);
    } else {
        Draw(p, false, true);
    }
}

void GdiContext::Polygon(const QPolygonF &points)
{
    PolyPolygon({points});
}

void GdiContext::PolyPolygon(const std::vector<QPolygonF> &polygons)
{
    QPainterPath p;
    for (const QPolygonF &polygon : polygons) {
        if (polygon.size() < 2)
            continue;
        p.addPolygon(polygon);
        p.closeSubpath();
    }
    if (m_pathOpen)
        m_path.addPath(p);
    else
        Draw(p, true, true);
}

void GdiContext::PolyPolyline(const std::vector<QPolygonF> &polylines)
{
    for (const QPolygonF &line : polylines)
        Polyline(line);
}

void GdiContext::Rectangle(const QRectF &r)
{
    QPainterPath p = rectPath(r);
    if (m_pathOpen)
        m_path.addPath(p);
    else
        Draw(p, true, true);
}

void GdiContext::RoundRect(const QRectF &r, QSizeF corner)
{
    QPainterPath p;
    p.addRoundedRect(r.normalized(), std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
    if (m_pathOpen)
        m_path.addPath(p);
    else
        Draw(p, true, true);
}

void GdiContext::Ellipse(const QRectF &r)
{
    QPainterPath p;
    p.addEllipse(r.normalized());
    if (m_pathOpen)
        m_path.addPath(p);
    else
        Draw(p, true, true);
}

void GdiContext::Arc(const QRectF &boxIn, QPointF start, QPointF end, int kind, bool to)
{
    const QRectF box = boxIn.normalized();
    if (box.width() <= 0 || box.height() <= 0)
        return;
    const QPointF c = box.center();
    auto angle = [&](QPointF p) {
        return std::atan2(-(p.y() - c.y()) / box.height(), (p.x() - c.x()) / box.width()) * 180 / std::numbers::pi;
    };
    const double a0 = angle(start);
    double sweep = angle(end) - a0;
    if (st.clockwiseArcs) {
        while (sweep >= 0)
            sweep -= 360;
    } else {
        while (sweep <= 0)
            sweep += 360;
    }
    QPainterPath p;
    if (kind == 2)
        p.moveTo(c);
    else
        p.arcMoveTo(box, a0);
    if (to && kind == 0) {
        QPainterPath line(st.current);
        line.lineTo(p.currentPosition());
        p = line;
    }
    p.arcTo(box, a0, sweep);
    if (kind != 0)
        p.closeSubpath();
    if (to)
        st.current = p.currentPosition();
    if (m_pathOpen)
        m_path.addPath(p);
    else
        Draw(p, kind != 0, true);
}

void GdiContext::SetPixel(QPointF p, const QColor &color)
{
    m_painter.setWorldTransform(LogicalToFrame() * m_base);
    const QSizeF s = unitScale(LogicalToFrame() * m_base);
    m_painter.fillRect(QRectF(p, QSizeF(s.width() > 0 ? 1 / s.width() : 1, s.height() > 0 ? 1 / s.height() : 1)), color);
}

void GdiContext::Text(QPointF at, const QString &text, const std::vector<double> &dx, const QRectF &rect,
                      bool opaque, bool clipped)
{
    const QTransform toFrame = LogicalToFrame();
    if (opaque && !rect.isEmpty()) {
        m_painter.setWorldTransform(toFrame * m_base);
        m_painter.fillRect(rect.normalized(), st.bkColor);
    }
    if (text.isEmpty())
        return;
    if (st.textAlign & TA_UPDATECP)
        at = st.current;
    double fontScale;
    const QFont font = MakeFont(&fontScale);
    const QFontMetricsF metrics(font);
    // Advances in the font's own units.
    std::vector<double> advances;
    double width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const double a = i < qsizetype(dx.size()) ? dx[size_t(i)] / fontScale : metrics.horizontalAdvance(text[i]);
        advances.push_back(a);
        width += a;
    }
    if (dx.empty())
        width = metrics.horizontalAdvance(text);
    // Text stands upright whatever way the mapping turns the axes: it is
    // drawn at its anchor in frame units with the mapping's scale only.
    const QPointF anchor = toFrame.map(at);
    const QSizeF s = unitScale(toFrame);
    QTransform local;
    local.translate(anchor.x(), anchor.y());
    local.rotate(-st.font.escapement / 10.0);
    local.scale(s.width() * fontScale, s.height() * fontScale);
    double x = 0, y = 0;
    const int horizontal = st.textAlign & TA_CENTER;
    if (horizontal == TA_CENTER)
        x = -width / 2;
    else if (horizontal == TA_RIGHT)
        x = -width;
    const int vertical = st.textAlign & TA_BASELINE;
    if (vertical == TA_BASELINE)
        y = 0;
    else if (vertical == TA_BOTTOM)
        y = -metrics.descent();
    else
        y = metrics.ascent();
    m_painter.save();
    if (clipped && !rect.isEmpty()) {
        m_painter.setWorldTransform(toFrame * m_base);
        m_painter.setClipRect(rect.normalized(), Qt::IntersectClip);
    }
    m_painter.setWorldTransform(local * m_base);
    m_painter.setFont(font);
    m_painter.setPen(st.textColor);
    if (st.bkOpaque && !opaque)
        m_painter.fillRect(QRectF(x, y - metrics.ascent(), width, metrics.height()), st.bkColor);
    // Qt keeps a glyph as an image when the transform's area scale is small,
    // but a transform stretched along one axis (or a font stretched by the
    // metafile) keeps that area small while the glyph grows to gigabytes.
    // Glyphs that large on the device are filled as outlines instead, as Qt
    // itself draws large text.
    const QTransform device = m_painter.deviceTransform();
    const double axis = std::max(std::hypot(device.m11(), device.m12()), std::hypot(device.m21(), device.m22()));
    const double widthFactor = std::max(1.0, font.stretch() / 100.0);
    const bool outlines = font.pixelSize() * axis * widthFactor > MaxGlyphImagePixels;
    auto draw = [&](QPointF origin, const QString &part) {
        if (!outlines) {
            m_painter.drawText(origin, part);
            return;
        }
        QPainterPath path;
        path.addText(origin, font, part);
        m_painter.fillPath(path, st.textColor);
    };
    if (dx.empty()) {
        draw(QPointF(x, y), text);
    } else {
        double pos = x;
        for (qsizetype i = 0; i < text.size(); ++i) {
            draw(QPointF(pos, y), QString(text[i]));
            pos += advances[size_t(i)];
        }
    }
    m_painter.restore();
    if (st.textAlign & TA_UPDATECP)
        st.current = QPointF(at.x() + width * fontScale, at.y());
}

void GdiContext::Blit(const QRectF &destIn, const QImage &image, const QRectF &source, quint32 rop)
{
    if (image.isNull() || destIn.width() == 0 || destIn.height() == 0)
        return;
    const QRect src = source.toAlignedRect().intersected(image.rect());
    if (src.isEmpty())
        return;
    QImage part = image.copy(src).mirrored(destIn.width() < 0, destIn.height() < 0);
    if (rop == NOTSRCCOPY)
        part.invertPixels();
    m_painter.save();
    m_painter.setWorldTransform(LogicalToFrame() * m_base);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, st.stretchMode == 4);
    const bool raster = m_painter.paintEngine() && m_painter.paintEngine()->type() == QPaintEngine::Raster;
    switch (rop) {
    case SRCAND:
        m_painter.setCompositionMode(raster ? QPainter::RasterOp_SourceAndDestination : QPainter::CompositionMode_Multiply);
        break;
    case SRCPAINT:
        m_painter.setCompositionMode(raster ? QPainter::RasterOp_SourceOrDestination : QPainter::CompositionMode_Lighten);
        break;
    case SRCINVERT:
        m_painter.setCompositionMode(raster ? QPainter::RasterOp_SourceXorDestination : QPainter::CompositionMode_Difference);
        break;
    default:
        break;
    }
    m_painter.drawImage(destIn.normalized(), part);
    m_painter.restore();
}

void GdiContext::PatBlt(const QRectF &dest, quint32 rop)
{
    QPainterPath p = rectPath(dest);
    m_painter.save();
    m_painter.setWorldTransform(LogicalToFrame() * m_base);
    switch (rop) {
    case BLACKNESS:
        m_painter.fillPath(p, Qt::black);
        break;
    case WHITENESS:
        m_painter.fillPath(p, Qt::white);
        break;
    case DSTINVERT:
    case PATINVERT:
        m_painter.setCompositionMode(QPainter::CompositionMode_Difference);
        m_painter.fillPath(p, rop == DSTINVERT ? QBrush(Qt::white) : MakeBrush(st.brush));
        break;
    default:
        if (st.brush.style != BS_NULL)
            m_painter.fillPath(p, MakeBrush(st.brush));
        break;
    }
    m_painter.restore();
}

void GdiContext::FillRegion(const QPainterPath &deviceRegion, const GdiBrush &brush)
{
    m_painter.save();
    m_painter.setWorldTransform(m_deviceToFrame * m_base);
    if (brush.style != BS_NULL)
        m_painter.fillPath(deviceRegion, MakeBrush(brush));
    m_painter.restore();
}

} // namespace MetafilePlayer
