#include "effects/TGSuperText.h"

#include "design/TGBusinessCardPanel32.h"
#include "platform/Canvas.h"
#include "platform/ScreenMetrics.h"

QPainterPath TGSuperText::GlyphPath(const TFont &font, QPoint at, const QString &text) const
{
    // A canvas on a one-pixel image places the text exactly as textOut would.
    static QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TCanvas canvas(&scratch, ScreenMetrics::pixelsPerInch());
    canvas.setFont(font);
    return canvas.textPath(at.x(), at.y(), text);
}

const QImage &TGSuperText::GlyphLayer(const TFont &font, const QString &text, qreal ratio)
{
    LayerKey key;
    key.text = text;
    key.font = font;
    key.size = QSize(Width(), Height());
    key.zoom = Zoom();
    key.textOrigin = m_textOrigin;
    key.shadowOrigin = m_shadowOrigin;
    key.shadow = m_shadowDepth >= 1 && m_shadowOrientation != sdNone;
    key.shadowColor = m_shadowColor;
    key.surface = m_surfaceType;
    key.fill = m_surfaceType == stBrushImage ? m_texture.image().cacheKey()
             : m_surfaceType == stGradientFill ? m_gradient.cacheKey()
                                               : 0;
    key.outlineColor = m_outline.color;
    key.outlineStyle = m_outline.style;
    key.outlineWidth = m_outline.width;
    key.ratio = ratio;
    if (!m_layer.isNull() && key == m_layerKey)
        return m_layer;

    const int w = Width(), h = Height();
    // At the screen's own resolution, so the letters are sharp on a HiDPI screen.
    m_layer = QImage(QSize(std::max(1, w), std::max(1, h)) * ratio, QImage::Format_ARGB32_Premultiplied);
    m_layer.setDevicePixelRatio(ratio);
    m_layer.fill(Qt::transparent);
    m_layerKey = key;
    TCanvas canvas(&m_layer, ScreenMetrics::pixelsPerInch());
    canvas.setFont(font);
    canvas.setBackgroundMode(bmTransparent);

    // The shadow: a silhouette of the glyphs in one colour. Solid colours
    // fill the glyph area itself; pictures are tiled through the glyphs as
    // the clipping region.
    if (key.shadow) {
        canvas.setBrush(TBrush{m_shadowColor, bsSolid, {}});
        canvas.fillPath(canvas.textPath(m_shadowOrigin.x(), m_shadowOrigin.y(), text));
    }

    const QPainterPath glyphs = canvas.textPath(m_textOrigin.x(), m_textOrigin.y(), text);
    // The face: the surface tiled over the object, cut to the letters.
    if (m_surfaceType == stNormal) {
        canvas.setBrush(TBrush{font.color, bsSolid, {}});
        canvas.fillPath(glyphs);
    } else if (m_surfaceType != stBrushTransparent) {
        canvas.selectClipPath(glyphs);
        if (m_surfaceType == stBrushImage)
            EffectSurfaces::tileSurface(canvas, m_texture.image(), EffectSurfaces::textureTileSize(m_texture.image(), Zoom()), w, h);
        else
            EffectSurfaces::tileSurface(canvas, m_gradient, m_gradient.size(), w, h);
        canvas.clearClip();
    }

    // The outline of the glyphs.
    if (m_outline.style != psClear && m_outline.width >= 1) {
        canvas.setBrush(TBrush{clWhite, bsClear, {}});
        canvas.setPen(TPen{m_outline.color, m_outline.width, m_outline.style, pmCopy});
        canvas.setBackgroundMode(bmTransparent);
        canvas.strokePath(glyphs);
    }
    return m_layer;
}

void TGSuperText::PaintPlaceholder(TCanvas &canvas) const
{
    canvas.setPen(TPen{clBlack, 1, psSolid, pmCopy});
    canvas.rectangle(0, 0, Width(), Height());
    canvas.moveTo(0, 0);
    canvas.lineTo(Width(), Height());
    canvas.moveTo(Width(), 0);
    canvas.lineTo(0, Height());
}

void TGSuperText::Paint(TCanvas &canvas)
{
    if (m_inPaint)
        return;
    if (auto *panel = qobject_cast<TGBusinessCardPanel32 *>(Panel()); panel && panel->PaintingSuppressed())
        return;
    struct Done {
        bool &flag;
        ~Done() { flag = false; }
    } done{m_inPaint};
    m_inPaint = true;
    if (Width() < 5 || Height() < 5)
        m_layoutDirty = true;
    RunLayout();
    const int e = std::max(m_textRect.left(), m_shadowRect.left());
    const TFont font = ZoomedFont();
    canvas.setFont(font);

    if (!m_controlTransparent || m_borderStyle == bsSingle) {
        canvas.setBrush(m_controlTransparent ? TBrush{m_bgColor, bsClear, {}} : TBrush{m_bgColor, bsSolid, {}});
        canvas.setPen(m_borderStyle == bsSingle ? TPen{clBlack, 1, psSolid, pmCopy} : TPen{clBlack, 1, psClear, pmCopy});
        canvas.rectangle(0, 0, Width(), Height());
    }

    canvas.setBrush(TBrush{clWhite, bsClear, {}});
    // Text that does not fit is cut, never wrapped.
    const QString s = FittedCaption(font, Width() - e);
    if (s.isEmpty()) {
        PaintPlaceholder(canvas);
        return;
    }
    const QPaintDevice *device = canvas.device();
    canvas.draw(0, 0, GlyphLayer(font, s, device ? device->devicePixelRatioF() : 1.0));
}
