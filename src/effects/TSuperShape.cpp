#include "effects/TSuperShape.h"

#include "design/ChangedValue.h"
#include "effects/TSuperShapeProperties.h"
#include "platform/UserDialogs.h"

#include <QDialog>

namespace {

QStringList brushStyleNames()
{
    QStringList names;
    for (int i = bsSolid; i <= bsDiagCross; ++i)
        names << Brushes::styleIdent(TBrushStyle(i));
    return names;
}

} // namespace

QStringList TSuperShape::surfaceTypeNames()
{
    return {"stBrushTransparent", "stBrushPattern", "stBrushImage", "stGradientFill"};
}

TSuperShape::TSuperShape(QObject *owner) : TGGraphicControl(owner)
{
    InitSize(25, 25);
}

TSuperShape::~TSuperShape() = default;

const TPropertyList &TSuperShape::properties()
{
    using C = TSuperShape;
    // No stored defaults: the original writes every one of them.
    static const TPropertyList list = TPropertyBuilder<C>(TGGraphicControl::properties())
        .color("BackColor", &C::BackColor, &C::SetBackColor)
        .enumeration("FillDirection", fillDirectionNames(), &C::FillDirection, &C::SetFillDirection)
        .color("ForeColor", &C::ForeColor, &C::SetForeColor)
        .color("GradientToColor", &C::GradientToColor, &C::SetGradientToColor)
        .bitmap("Image", &C::ImageData, &C::SetImageData)
        .integer("InVectorPercent", &C::InVectorPercent, &C::SetInVectorPercent)
        .color("OutlineColor", &C::OutlineColor, &C::SetOutlineColor)
        .enumeration("OutlineStyle", EffectOutline::styleNames(), &C::OutlineStyle, &C::SetOutlineStyle)
        .integer("OutlineWidth", &C::OutlineWidth, &C::SetOutlineWidth)
        .enumeration("Pattern", brushStyleNames(), &C::Pattern, &C::SetPattern)
        .integer("RoundPerc", &C::RoundPerc, &C::SetRoundPerc)
        .color("ShadowColor", &C::ShadowColor, &C::SetShadowColor)
        .integer("ShadowDepth", &C::ShadowDepth, &C::SetShadowDepth)
        .enumeration("ShadowOrient", shadowOrientNames(), &C::ShadowOrient, &C::SetShadowOrient)
        .enumeration("Shape", shapeKindNames(), &C::Shape, &C::SetShape)
        .integer("StartingAngle", &C::StartingAngle, &C::SetStartingAngle)
        .enumeration("SurfaceType", surfaceTypeNames(), &C::SurfaceType, &C::SetSurfaceType)
        .integer("Vectors", &C::Vectors, &C::SetVectors)
        .string("LastBitmapFileNameandPath", &C::LastBitmapFileNameandPath, &C::SetLastBitmapFileNameandPath)
        .build();
    return list;
}

// ---- setters ----

// A changed colour or direction rebuilds the surface that uses it.
void TSuperShape::SurfaceChanged()
{
    if (m_surfaceType == stGradientFill)
        RebuildGradient();
    if (m_surfaceType == stBrushPattern)
        RebuildSolid();
    Invalidate();
}

void TSuperShape::SetBackColor(TColor value)
{
    if (storeChanged(m_backColor, value))
        SurfaceChanged();
}

void TSuperShape::SetFillDirection(TFillDirection value)
{
    if (value >= gdUp && value <= gdRight && storeChanged(m_fillDirection, value))
        SurfaceChanged();
}

void TSuperShape::SetForeColor(TColor value)
{
    if (storeChanged(m_foreColor, value))
        SurfaceChanged();
}

void TSuperShape::SetGradientToColor(TColor value)
{
    if (storeChanged(m_gradientToColor, value))
        SurfaceChanged();
}

void TSuperShape::SetImage(const QImage &image)
{
    m_texture.set(image);
}

void TSuperShape::SetInVectorPercent(int value)
{
    if (value >= 0 && value <= 100 && storeChanged(m_inVectorPercent, value))
        Invalidate();
}

void TSuperShape::SetOutlineColor(TColor value)
{
    if (m_outline.setColor(value))
        Invalidate();
}

void TSuperShape::SetOutlineStyle(TPenStyle value)
{
    if (m_outline.setStyle(value))
        Invalidate();
}

void TSuperShape::SetOutlineWidth(int value)
{
    if (m_outline.setWidth(value))
        Invalidate();
}

void TSuperShape::SetPattern(TBrushStyle value)
{
    if (value < bsSolid || value > bsDiagCross || !storeChanged(m_pattern, value))
        return;
    RebuildSolid();
    Invalidate();
}

void TSuperShape::SetRoundPerc(int value)
{
    if (storeChanged(m_roundPerc, value))
        Invalidate();
}

void TSuperShape::SetShadowColor(TColor value)
{
    if (storeChanged(m_shadowColor, value))
        SurfaceChanged();
}

void TSuperShape::SetShadowDepth(int value)
{
    if (value <= Width() / 2 && value <= Height() / 2 && storeChanged(m_shadowDepth, value))
        SurfaceChanged();
}

void TSuperShape::SetShadowOrient(TShadowOrient value)
{
    if (value >= soNone && value <= soLowerLeft && storeChanged(m_shadowOrient, value))
        SurfaceChanged();
}

void TSuperShape::SetShape(TGPShapeType value)
{
    if (value < gstRectangle || value > gstPolyGon || !storeChanged(m_shape, value))
        return;
    if (value == gstStar) {
        if (m_inVectorPercent == 0)
            SetInVectorPercent(50);
        if (m_vectors < 10)
            SetVectors(10);
        if (m_startingAngle != 90)
            SetStartingAngle(90);
    }
    Invalidate();
}

void TSuperShape::SetStartingAngle(int value)
{
    if (value >= 0 && value <= 359 && storeChanged(m_startingAngle, value))
        Invalidate();
}

void TSuperShape::SetSurfaceType(TSurfaceType value)
{
    if (value < stBrushTransparent || value > stGradientFill || !storeChanged(m_surfaceType, value))
        return;
    Invalidate();
    if (value != stBrushImage)
        SetImage(QImage());
    if (value == stGradientFill)
        RebuildGradient();
    if (value == stBrushPattern)
        RebuildSolid();
    if (value == stBrushTransparent) {
        // A transparent shape always keeps a visible outline and never casts a shadow.
        m_shadowOrient = soNone;
        m_pattern = bsClear;
        if (m_outline.style == psClear)
            SetOutlineStyle(psSolid);
    }
}

void TSuperShape::SetVectors(int value)
{
    if (value >= 3 && value <= 60 && storeChanged(m_vectors, value))
        Invalidate();
}

// ---- surfaces ----

void TSuperShape::RebuildGradient()
{
    m_gradient = EffectSurfaces::gradientBitmap(Width(), Height(), m_backColor, m_gradientToColor, m_fillDirection);
    Invalidate();
}

void TSuperShape::RebuildSolid()
{
    m_solid = EffectSurfaces::solidBitmap(Width(), Height(), m_backColor);
}

void TSuperShape::EnsureSurfaces()
{
    if (m_surfaceType == stBrushPattern && m_solid.isNull())
        RebuildSolid();
    if (m_surfaceType == stGradientFill && m_gradient.size() != QSize(Width(), Height()))
        RebuildGradient();
}

const QImage *TSuperShape::SurfaceBitmap() const
{
    switch (m_surfaceType) {
    case stBrushPattern:
        return &m_solid;
    case stBrushImage:
        return &m_texture.image();
    case stGradientFill:
        return &m_gradient;
    case stBrushTransparent:
        break;
    }
    return nullptr;
}

void TSuperShape::BoundsChanged()
{
    // A resized gradient shape gets a gradient of its new size.
    if (m_surfaceType == stGradientFill)
        RebuildGradient();
    TGGraphicControl::BoundsChanged();
}

void TSuperShape::Loaded()
{
    TGGraphicControl::Loaded();
    EnsureSurfaces();
}

void TSuperShape::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    AddMenuSeparator();
    AddMenuItem("Properties", [this] { EditProperties(); });
}

SuperShapeFigure::Params TSuperShape::FigureParams() const
{
    SuperShapeFigure::Params p;
    p.width = Width();
    p.height = Height();
    p.outlineWidth = m_outline.width;
    p.shadowDepth = m_shadowDepth;
    p.zoom = Zoom();
    p.shadowOrient = m_shadowOrient;
    p.shape = m_shape;
    p.vectors = m_vectors;
    p.inVectorPercent = m_inVectorPercent;
    p.startingAngle = m_startingAngle;
    p.roundPerc = m_roundPerc;
    return p;
}

// ---- copying and editing ----

void TSuperShape::CopyShapeFrom(const TSuperShape &other)
{
    SetBackColor(other.BackColor());
    SetFillDirection(other.FillDirection());
    SetForeColor(other.ForeColor());
    SetGradientToColor(other.GradientToColor());
    SetImage(other.Image());
    SetInVectorPercent(other.InVectorPercent());
    SetOutlineColor(other.OutlineColor());
    SetOutlineStyle(other.OutlineStyle());
    SetOutlineWidth(other.OutlineWidth());
    SetPattern(other.Pattern());
    SetRoundPerc(other.RoundPerc());
    SetShadowColor(other.ShadowColor());
    SetShadowDepth(other.ShadowDepth());
    SetShadowOrient(other.ShadowOrient());
    SetShape(other.Shape());
    SetStartingAngle(other.StartingAngle());
    SetSurfaceType(other.SurfaceType());
    SetVectors(other.Vectors());
    SetWidth(other.Width());
    SetHeight(other.Height());
}

void TSuperShape::EditProperties()
{
    TSuperShapeProperties dialog;
    TSuperShape &s = dialog.Sample();
    s.CopyShapeFrom(*this);
    dialog.SetTexturePath(m_lastBitmapFile);
    dialog.FormActivate();
    const int result = UserDialogs::runModal(dialog);
    if (result != QDialog::Accepted)
        return;
    SetBackColor(s.BackColor());
    SetFillDirection(s.FillDirection());
    SetForeColor(s.ForeColor());
    SetGradientToColor(s.GradientToColor());
    SetImage(s.Image());
    SetInVectorPercent(s.InVectorPercent());
    SetOutlineColor(s.OutlineColor());
    SetOutlineStyle(s.OutlineStyle());
    SetOutlineWidth(s.OutlineWidth());
    SetPattern(s.Pattern());
    SetRoundPerc(s.RoundPerc());
    SetShadowColor(s.ShadowColor());
    SetShadowDepth(s.ShadowDepth());
    SetShadowOrient(s.ShadowOrient());
    SetShape(s.Shape());
    SetStartingAngle(s.StartingAngle());
    SetSurfaceType(s.SurfaceType());
    SetVectors(s.Vectors());
    m_lastBitmapFile = dialog.TexturePath();
    Invalidate();
    NotifyChanged();
}
