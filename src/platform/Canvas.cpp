#include "platform/Canvas.h"

#include "platform/CanvasRaster.h"
#include "platform/CanvasRegions.h"
#include "platform/ScreenMetrics.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPicture>

TCanvas::TCanvas(QPaintDevice *device, int pixelsPerInch)
    : m_ownPainter(std::make_unique<QPainter>(device)), m_painter(m_ownPainter.get())
{
    setPixelsPerInch(pixelsPerInch);
    begin();
}

TCanvas::TCanvas(QPainter *painter, int pixelsPerInch) : m_painter(painter)
{
    m_painter->save();
    setPixelsPerInch(pixelsPerInch);
    begin();
}

TCanvas::~TCanvas()
{
    if (m_ownPainter)
        m_ownPainter->end();
    else
        m_painter->restore();
}

void TCanvas::begin()
{
    m_baseTransform = m_painter->transform();
    m_baseHasClip = m_painter->hasClipping();
    if (m_baseHasClip)
        m_baseClip = m_painter->clipRegion();
    m_painter->setRenderHint(QPainter::Antialiasing, m_antialiasing);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter->setRenderHint(QPainter::TextAntialiasing, true);
    m_painter->setBrushOrigin(0, 0);
    const QPaintDevice *target = m_painter->device();
    const qreal ratio = target ? target->devicePixelRatioF() : 1.0;
    m_hairline = ratio > 1.0 ? 1.0 / ratio : 1.0;
}

QPaintDevice *TCanvas::device() const { return m_painter->device(); }

void TCanvas::setPixelsPerInch(int pixelsPerInch)
{
    m_pixelsPerInch = pixelsPerInch > 0 ? pixelsPerInch : ScreenMetrics::pixelsPerInch();
}

void TCanvas::setOrigin(QPoint origin)
{
    m_origin = origin;
    applyClip();
}

void TCanvas::setAntialiasing(bool on)
{
    m_antialiasing = on;
    m_painter->setRenderHint(QPainter::Antialiasing, on);
}

void TCanvas::setSmooth(bool on)
{
    m_smooth = on;
    setAntialiasing(on);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, on);
}

TBackgroundMode TCanvas::backgroundMode() const
{
    if (m_bkOverride && m_bkOverrideBrush == m_brush)
        return m_bkMode;
    return m_brush.style == bsSolid ? bmOpaque : bmTransparent;
}

void TCanvas::setBackgroundMode(TBackgroundMode mode)
{
    m_bkOverride = true;
    m_bkMode = mode;
    m_bkOverrideBrush = m_brush;
}

bool TCanvas::rasterOps() const
{
    const QPaintEngine *engine = m_painter->paintEngine();
    return engine && engine->hasFeature(QPaintEngine::RasterOpModes);
}

QColor TCanvas::penColor() const { return Colors::toQColor(m_pen.color); }

QBrush TCanvas::fillBrush() const
{
    if (m_brush.hasPattern())
        return QBrush(m_brush.bitmap);
    switch (m_brush.style) {
    case bsSolid: return QBrush(Colors::toQColor(m_brush.color));
    case bsClear: return QBrush(Qt::NoBrush);
    default: return QBrush(Brushes::hatchPattern(m_brush.style, m_brush.color));
    }
}

void TCanvas::fillSpans(const QList<QRect> &spans, const QColor &color, TPenMode mode)
{
    const auto ink = CanvasRaster::ink(mode, color, rasterOps());
    if (!ink.draws || spans.isEmpty())
        return;
    m_painter->save();
    m_painter->setCompositionMode(ink.composition);
    for (const QRect &span : spans)
        m_painter->fillRect(span, ink.color);
    m_painter->restore();
}

void TCanvas::fillArea(const QPainterPath &area, TPenMode mode)
{
    QBrush brush = fillBrush();
    if (brush.style() == Qt::NoBrush || area.isEmpty())
        return;
    const auto ink = CanvasRaster::ink(mode, brush.color(), rasterOps());
    if (!ink.draws)
        return;
    if (brush.style() == Qt::SolidPattern || mode == pmBlack || mode == pmWhite || mode == pmNotCopy)
        brush = QBrush(ink.color);
    m_painter->save();
    m_painter->setCompositionMode(ink.composition);
    m_painter->fillPath(area, brush);
    m_painter->restore();
}

void TCanvas::fillWithPen(const QPainterPath &area)
{
    const auto ink = CanvasRaster::ink(m_pen.mode, penColor(), rasterOps());
    if (!ink.draws || area.isEmpty())
        return;
    m_painter->save();
    m_painter->setCompositionMode(ink.composition);
    m_painter->fillPath(area, ink.color);
    m_painter->restore();
}

void TCanvas::fillRect(const QRect &rect, TPenMode mode)
{
    QPainterPath area;
    area.addRect(QRectF(rect.normalized()));
    fillArea(area, mode);
}

void TCanvas::frameRect(const QRect &rect)
{
    const QRect outer = rect.normalized();
    QPainterPath frame;
    frame.addRect(QRectF(outer));
    if (outer.width() > 2 && outer.height() > 2)
        frame.addRect(QRectF(outer.adjusted(1, 1, -1, -1)));
    frame.setFillRule(Qt::OddEvenFill);
    fillArea(frame, pmCopy);
}

TColor TCanvas::pixel(int x, int y) const
{
    const QPaintDevice *target = device();
    if (!target || target->devType() != QInternal::Image)
        return clNone;
    const auto *image = static_cast<const QImage *>(target);
    const QPoint at = m_baseTransform.map(QPoint(x, y) + m_origin);
    if (!image->rect().contains(at))
        return clNone;
    return Colors::fromQColor(image->pixelColor(at));
}

void TCanvas::setPixel(int x, int y, TColor color)
{
    fillSpans({QRect(x, y, 1, 1)}, Colors::toQColor(color), pmCopy);
}

void TCanvas::applyClip()
{
    m_painter->setTransform(m_baseTransform);
    if (m_baseHasClip)
        m_painter->setClipRegion(m_baseClip);
    else
        m_painter->setClipping(false);
    if (m_hasClip) {
        // Qt's raster engine ignores a complex region that replaces the clip
        // right after clipping was switched off; switching it on first helps.
        if (!m_baseHasClip)
            m_painter->setClipping(true);
        m_painter->setClipRegion(m_clip, m_baseHasClip ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    m_painter->setTransform(QTransform::fromTranslate(m_origin.x(), m_origin.y()) * m_baseTransform);
}

void TCanvas::selectClipRegion(const QRegion &deviceRegion)
{
    m_clip = deviceRegion;
    m_hasClip = true;
    applyClip();
}

void TCanvas::intersectClipRegion(const QRegion &deviceRegion)
{
    selectClipRegion(m_hasClip ? m_clip.intersected(deviceRegion) : deviceRegion);
}

void TCanvas::intersectClipRect(int l, int t, int r, int b)
{
    intersectClipRegion(CanvasRegions::rect(l, t, r, b).translated(m_origin));
}

void TCanvas::selectClipPath(const QPainterPath &logicalPath)
{
    selectClipRegion(CanvasRegions::fromPath(logicalPath.translated(m_origin)));
}

void TCanvas::clearClip()
{
    m_hasClip = false;
    m_clip = QRegion();
    applyClip();
}

void TCanvas::fillPath(const QPainterPath &path) { fillArea(path, m_pen.mode); }

void TCanvas::strokePath(const QPainterPath &path)
{
    if (m_pen.style == psClear)
        return;
    m_painter->save();
    const auto ink = CanvasRaster::ink(m_pen.mode, penColor(), rasterOps());
    if (ink.draws) {
        m_painter->setCompositionMode(ink.composition);
        m_painter->strokePath(path, qPen(ink.color));
    }
    m_painter->restore();
}

void TCanvas::draw(int x, int y, const QImage &image)
{
    m_painter->drawImage(QPoint(x, y), image);
}

void TCanvas::stretchDraw(const QRect &rect, const QImage &image)
{
    if (image.isNull() || rect.isEmpty())
        return;
    m_painter->drawImage(rect, image);
}

void TCanvas::stretchDraw(int x, int y, int width, int height, const QImage &image)
{
    if (image.isNull() || width == 0 || height == 0)
        return;
    const bool mirror = width < 0;
    const bool flip = height < 0;
    const QRect target(mirror ? x + width + 1 : x, flip ? y + height + 1 : y, std::abs(width), std::abs(height));
    if (!mirror && !flip) {
        stretchDraw(target, image);
        return;
    }
    m_painter->drawImage(target, image.mirrored(mirror, flip));
}

void TCanvas::stretchDraw(const QRect &rect, const QPicture &picture)
{
    const QRect source = picture.boundingRect();
    if (source.isEmpty() || rect.isEmpty())
        return;
    m_painter->save();
    m_painter->translate(rect.topLeft());
    m_painter->scale(double(rect.width()) / source.width(), double(rect.height()) / source.height());
    m_painter->translate(-source.topLeft());
    m_painter->drawPicture(0, 0, picture);
    m_painter->restore();
}
