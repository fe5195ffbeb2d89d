#pragma once

#include "design/TGGraphicControl.h"
#include "effects/EffectOutline.h"
#include "effects/EffectSurfaces.h"
#include "effects/StoredTexture.h"
#include "effects/TTextured.h"
#include "platform/Fonts.h"
#include "platform/Pen.h"

#include <QByteArray>
#include <QImage>
#include <QPainterPath>
#include <QPoint>
#include <QRect>

class QAction;

// The special-effects text: one line of text drawn as glyph outlines. The
// glyphs become a clipping region and their inside is painted with the font
// colour, a tiled texture or a cached two-colour gradient; a silhouette of
// the same glyphs in one colour can fall as a shadow in five directions,
// and the outlines can be stroked with their own pen. Printing writes the
// glyphs through the job's text and path operations, so they stay vectors.
//
// The glyph layers of an unchanged caption, font, size and look are kept in
// one cached picture, so a repaint costs one copy.
class TGSuperText : public TGGraphicControl, public TTextured
{
    Q_OBJECT
public:
    // What fills the letters. Not the SuperShape's type of the same name.
    enum TSurfaceType { stNormal, stBrushTransparent, stBrushImage, stGradientFill };
    enum TShadowOrientation { sdNone, sdRight, sdLeft, sdDownRight, sdDownLeft, sdDown };
    enum TBorderStyle { bsNone, bsSingle };
    static QStringList surfaceTypeNames();
    static QStringList shadowOrientationNames();
    static QStringList borderStyleNames();

    explicit TGSuperText(QObject *owner = nullptr);
    ~TGSuperText() override;

    static const TPropertyList &properties();
    const TPropertyList &StoredProperties() const override { return properties(); }

    int ShadowDepth() const { return m_shadowDepth; }
    void SetShadowDepth(int value);
    TShadowOrientation ShadowOrientation() const { return m_shadowOrientation; }
    void SetShadowOrientation(TShadowOrientation value);
    TColor Shadowcolor() const { return m_shadowColor; }
    void SetShadowcolor(TColor value);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool ControlTransparent() const { return m_controlTransparent; }
    void SetControlTransparent(bool value);
    TColor BGColor() const { return m_bgColor; }
    void SetBGColor(TColor value);
    QString Caption() const { return m_caption; }
    // The caption with its fields filled (design/CardMerge).
    QString ShownCaption() const;
    QStringList FieldNames() const override;
    QList<QRectF> TextRuns() override;
    QString TextForMessages() const override { return ShownCaption(); }
    void SetCaption(const QString &value);
    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &value);
    TFillDirection FillDirection() const { return m_fillDirection; }
    void SetFillDirection(TFillDirection value);
    TColor GradientToColor() const { return m_gradientToColor; }
    void SetGradientToColor(TColor value);
    TColor GradientFromColor() const { return m_gradientFromColor; }
    void SetGradientFromColor(TColor value);
    const QImage &Image() const { return m_texture.image(); }
    // Copies the picture; a null image empties the texture. No repaint.
    void SetImage(const QImage &image);
    TColor OutlineColor() const { return m_outline.color; }
    void SetOutlineColor(TColor value);
    TPenStyle OutlineStyle() const { return m_outline.style; }
    void SetOutlineStyle(TPenStyle value);
    int OutlineWidth() const { return m_outline.width; }
    void SetOutlineWidth(int value);
    TSurfaceType SurfaceType() const { return m_surfaceType; }
    void SetSurfaceType(TSurfaceType value);
    QString LastBitmapFileNameandPath() const { return m_lastBitmapFile; }
    void SetLastBitmapFileNameandPath(const QString &value) { m_lastBitmapFile = value; }

    // The texture as card documents store it; setting it throws StreamError
    // for damaged or oversized data.
    QByteArray ImageData() const { return m_texture.data(); }
    void SetImageData(const QByteArray &data) { m_texture.setData(data); }

    // TTextured
    const QImage &TextureImage() const override { return m_texture.image(); }
    void SetTextureImage(const QImage &image) override;

    // Layout state (object pixels at the current zoom).
    QPoint ShadowOffset() const { return m_shadowOffset; }
    QPoint TextMargin() const { return m_textMargin; }
    QRect TextRect() const { return m_textRect; }
    QRect ShadowRect() const { return m_shadowRect; }
    QPoint TextOrigin() const { return m_textOrigin; }
    QPoint ShadowOrigin() const { return m_shadowOrigin; }
    bool LayoutDirty() const { return m_layoutDirty; }
    void SetLayoutDirty() { m_layoutDirty = true; }
    const QImage &GradientBitmap() const { return m_gradient; }

    // Measures the caption and places text and shadow; only when the layout
    // is dirty. May shrink a transparent frameless text to its line.
    void RunLayout();
    // The font at the object's zoom: Trunc(size x zoom) points.
    TFont ZoomedFont() const;
    // The caption cut at the last character that fits in `room` pixels with `font`.
    QString FittedCaption(const TFont &font, int room) const;
    // The glyph outlines of `text` written with its cell's top-left at `at`.
    QPainterPath GlyphPath(const TFont &font, QPoint at, const QString &text) const;

    // Sizes the object round its caption; true when the caption fits.
    bool FitToText();
    // Takes the caption, font, look and size of another SuperText.
    void CopyTextFrom(const TGSuperText &other);
    // The "Properties" command: the dialog edits a private copy, which is
    // taken back only on OK.
    void EditProperties();
    virtual void ChooseFont();
    void ChooseBackgroundColor();

    void Loaded() override;
    void Paint(TCanvas &canvas) override;
    void BoundsChanged() override;
    void RefreshPopup() override;
    void ApplyFont(const TFont &font) override;
    void PrintTo(TReport &report, double left, double top) override;

protected:
    void BuildMenu() override;

private:
    // Builds the gradient when the letters are filled with one; repaints.
    void RebuildGradient();
    void WidenForCaption();
    // Repaints and marks the card changed.
    void ChangedAndReported();
    void RecalcShadowOffset();
    void LookChanged();
    void PaintPlaceholder(TCanvas &canvas) const;
    // `ratio`: device pixels per pixel of the canvas it is drawn on.
    const QImage &GlyphLayer(const TFont &font, const QString &text, qreal ratio = 1.0);
    static QPoint offsetFor(TShadowOrientation orientation, int depth);

    int m_shadowDepth = 0;
    TShadowOrientation m_shadowOrientation = sdDownRight;
    TColor m_shadowColor = clGray;
    TBorderStyle m_borderStyle = bsNone;
    bool m_controlTransparent = true;
    TColor m_bgColor = clWhite;
    QString m_caption = QStringLiteral("Text");
    TFont m_font;
    TFillDirection m_fillDirection = gdRight;
    TColor m_gradientToColor = clYellow;
    TColor m_gradientFromColor = clBlue;
    StoredTexture m_texture;
    EffectOutline m_outline;
    TSurfaceType m_surfaceType = stGradientFill;
    QString m_lastBitmapFile;

    QImage m_gradient;
    QPoint m_shadowOffset;
    QPoint m_textMargin;
    QRect m_textRect;
    QRect m_shadowRect;
    QPoint m_textOrigin;
    QPoint m_shadowOrigin;
    bool m_layoutDirty = true;
    bool m_inLayout = false;
    bool m_inPaint = false;

    // The glyph layers drawn last, and what they were drawn from.
    struct LayerKey {
        QString text;
        TFont font;
        QSize size;
        QPoint textOrigin, shadowOrigin;
        bool shadow = false;
        TColor shadowColor = 0;
        TSurfaceType surface = stNormal;
        qint64 fill = 0;
        float zoom = 1;
        TColor outlineColor = 0;
        TPenStyle outlineStyle = psSolid;
        int outlineWidth = 0;
        qreal ratio = 1.0;
        bool operator==(const LayerKey &) const = default;
    };
    LayerKey m_layerKey;
    QImage m_layer;

    QAction *m_borderItem = nullptr;
    QAction *m_transparentItem = nullptr;
};
