#pragma once

#include "design/TGGraphicControl.h"
#include "effects/EffectOutline.h"
#include "effects/EffectSurfaces.h"
#include "effects/StoredTexture.h"
#include "effects/SuperShapeFigure.h"
#include "effects/TTextured.h"
#include "platform/Brush.h"
#include "platform/Pen.h"

#include <QByteArray>
#include <QImage>
#include <QRegion>

// The multi-purpose shape: one closed outline of ten kinds painted in three
// layers — an optional drop shadow, a surface inside the outline and an
// outline pen. The surface is a cached bitmap (gradient, solid colour or a
// texture picture) tiled over the object while a clipping region of the
// outline's exact shape cuts it; printing draws the gradient again band by
// band at the printer's resolution.
//
// Setters ignore out-of-range values silently, as the documents of the
// original program expect.
class TSuperShape : public TGGraphicControl, public TTextured
{
    Q_OBJECT
public:
    // What fills the outline. "Pattern" is a solid surface in BackColor.
    enum TSurfaceType { stBrushTransparent, stBrushPattern, stBrushImage, stGradientFill };
    static QStringList surfaceTypeNames();

    explicit TSuperShape(QObject *owner = nullptr);
    ~TSuperShape() override;

    static const TPropertyList &properties();
    const TPropertyList &StoredProperties() const override { return properties(); }

    TColor BackColor() const { return m_backColor; }
    void SetBackColor(TColor value);
    TFillDirection FillDirection() const { return m_fillDirection; }
    void SetFillDirection(TFillDirection value);
    TColor ForeColor() const { return m_foreColor; }
    void SetForeColor(TColor value);
    TColor GradientToColor() const { return m_gradientToColor; }
    void SetGradientToColor(TColor value);
    const QImage &Image() const { return m_texture.image(); }
    // Copies the picture; a null image empties the texture. No repaint.
    void SetImage(const QImage &image);
    int InVectorPercent() const { return m_inVectorPercent; }
    void SetInVectorPercent(int value);
    TColor OutlineColor() const { return m_outline.color; }
    void SetOutlineColor(TColor value);
    TPenStyle OutlineStyle() const { return m_outline.style; }
    void SetOutlineStyle(TPenStyle value);
    int OutlineWidth() const { return m_outline.width; }
    void SetOutlineWidth(int value);
    TBrushStyle Pattern() const { return m_pattern; }
    void SetPattern(TBrushStyle value);
    int RoundPerc() const { return m_roundPerc; }
    void SetRoundPerc(int value);
    TColor ShadowColor() const { return m_shadowColor; }
    void SetShadowColor(TColor value);
    int ShadowDepth() const { return m_shadowDepth; }
    void SetShadowDepth(int value);
    TShadowOrient ShadowOrient() const { return m_shadowOrient; }
    void SetShadowOrient(TShadowOrient value);
    TGPShapeType Shape() const { return m_shape; }
    void SetShape(TGPShapeType value);
    int StartingAngle() const { return m_startingAngle; }
    void SetStartingAngle(int value);
    TSurfaceType SurfaceType() const { return m_surfaceType; }
    void SetSurfaceType(TSurfaceType value);
    int Vectors() const { return m_vectors; }
    void SetVectors(int value);
    QString LastBitmapFileNameandPath() const { return m_lastBitmapFile; }
    void SetLastBitmapFileNameandPath(const QString &value) { m_lastBitmapFile = value; }

    // The texture as card documents store it (a bitmap's own stream);
    // setting it throws StreamError for damaged or oversized data.
    QByteArray ImageData() const { return m_texture.data(); }
    void SetImageData(const QByteArray &data) { m_texture.setData(data); }

    // TTextured
    const QImage &TextureImage() const override { return m_texture.image(); }
    void SetTextureImage(const QImage &image) override { SetImage(image); }

    // The cached surfaces (for tests and the benchmarks).
    const QImage &GradientBitmap() const { return m_gradient; }
    const QImage &SolidBitmap() const { return m_solid; }

    // The geometry the object paints and prints with.
    SuperShapeFigure::Params FigureParams() const;

    // Makes this object look like `other`, size included (not the texture path).
    void CopyShapeFrom(const TSuperShape &other);
    // The "Properties" command: edits a private copy in the dialog and takes
    // it back only on OK.
    void EditProperties();

    void Loaded() override;
    void Paint(TCanvas &canvas) override;
    void BoundsChanged() override;
    void PrintTo(TReport &report, double left, double top) override;

protected:
    void BuildMenu() override;

private:
    void RebuildGradient();
    void RebuildSolid();
    void SurfaceChanged();
    // A gradient read from a document has no bitmap until its first use.
    void EnsureSurfaces();
    void PaintFigure(TCanvas &canvas, const SuperShapeFigure::Box &box, const SuperShapeFigure::Box &sizeBox);
    QRegion FigureRegion(const SuperShapeFigure::Box &box) const;
    const QImage *SurfaceBitmap() const;

    TColor m_backColor = clRed;
    TFillDirection m_fillDirection = gdUp;
    TColor m_foreColor = clBlack;
    TColor m_gradientToColor = clBlue;
    StoredTexture m_texture;
    int m_inVectorPercent = 50;
    EffectOutline m_outline;
    TBrushStyle m_pattern = bsClear;
    int m_roundPerc = 25;
    TColor m_shadowColor = clBlack;
    int m_shadowDepth = 5;
    TShadowOrient m_shadowOrient = soNone;
    TGPShapeType m_shape = gstStar;
    int m_startingAngle = 90;
    TSurfaceType m_surfaceType = stGradientFill;
    int m_vectors = 10;
    QString m_lastBitmapFile;

    QImage m_gradient;
    QImage m_solid;
    // The last clip region of the figure, reused while the geometry stays.
    mutable SuperShapeFigure::Params m_regionParams;
    mutable SuperShapeFigure::Box m_regionBox;
    mutable QRegion m_region;
};
