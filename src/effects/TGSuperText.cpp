#include "effects/TGSuperText.h"

#include "design/CardFields.h"
#include "design/CardMerge.h"
#include "design/ChangedValue.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/stream/StreamError.h"
#include "effects/TSuperTextProperties.h"
#include "platform/Numbers.h"
#include "platform/PrintFonts.h"
#include "platform/ScreenMetrics.h"
#include "platform/UserDialogs.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>

namespace {

// Clears a flag when the scope ends, also on an error.
struct FlagGuard {
    bool &flag;
    explicit FlagGuard(bool &f) : flag(f) { flag = true; }
    ~FlagGuard() { flag = false; }
};

} // namespace

QStringList TGSuperText::surfaceTypeNames()
{
    return {"stNormal", "stBrushTransparent", "stBrushImage", "stGradientFill"};
}

QStringList TGSuperText::shadowOrientationNames()
{
    return {"sdNone", "sdRight", "sdLeft", "sdDownRight", "sdDownLeft", "sdDown"};
}

QStringList TGSuperText::borderStyleNames()
{
    return {"bsNone", "bsSingle"};
}

TGSuperText::TGSuperText(QObject *owner) : TGGraphicControl(owner)
{
    m_font.name = QStringLiteral("Arial");
    m_font.setSize(48, ScreenMetrics::pixelsPerInch());
    m_font.style = fsBold;
    m_font.color = clBlack;
    InitSize(142, 33);
    // The first gradient is built at the construction size.
    m_fillDirection = gdUp;
    SetFillDirection(gdRight);
}

TGSuperText::~TGSuperText() = default;

const TPropertyList &TGSuperText::properties()
{
    using C = TGSuperText;
    static const TPropertyList list = TPropertyBuilder<C>(TGGraphicControl::properties())
        .integer("ShadowDepth", &C::ShadowDepth, &C::SetShadowDepth, 0)
        .enumeration("ShadowOrientation", shadowOrientationNames(), &C::ShadowOrientation,
                     &C::SetShadowOrientation, int(sdDownRight))
        .color("Shadowcolor", &C::Shadowcolor, &C::SetShadowcolor, int(clGray))
        .enumeration("BorderStyle", borderStyleNames(), &C::BorderStyle, &C::SetBorderStyle)
        .boolean("ControlTransparent", &C::ControlTransparent, &C::SetControlTransparent)
        .color("BGColor", &C::BGColor, &C::SetBGColor)
        .string("Caption", &C::Caption, &C::SetCaption)
        .font("Font", &C::Font, &C::SetFont)
        .enumeration("FillDirection", fillDirectionNames(), &C::FillDirection, &C::SetFillDirection)
        .color("GradientToColor", &C::GradientToColor, &C::SetGradientToColor)
        .color("GradientFromColor", &C::GradientFromColor, &C::SetGradientFromColor)
        .bitmap("Image", &C::ImageData, &C::SetImageData)
        .color("OutlineColor", &C::OutlineColor, &C::SetOutlineColor)
        .enumeration("OutlineStyle", EffectOutline::styleNames(), &C::OutlineStyle, &C::SetOutlineStyle)
        .integer("OutlineWidth", &C::OutlineWidth, &C::SetOutlineWidth)
        .enumeration("SurfaceType", surfaceTypeNames(), &C::SurfaceType, &C::SetSurfaceType)
        .string("LastBitmapFileNameandPath", &C::LastBitmapFileNameandPath, &C::SetLastBitmapFileNameandPath)
        .build();
    return list;
}

// ---- setters ----

QPoint TGSuperText::offsetFor(TShadowOrientation orientation, int d)
{
    switch (orientation) {
    case sdNone: return QPoint(0, 0);
    case sdRight: return QPoint(d, 0);
    case sdLeft: return QPoint(-d, 0);
    case sdDownRight: return QPoint(d, d);
    case sdDownLeft: return QPoint(-d, d);
    case sdDown: return QPoint(0, d);
    }
    return QPoint(0, 0);
}

void TGSuperText::RecalcShadowOffset()
{
    m_shadowOffset = offsetFor(m_shadowOrientation, m_shadowDepth);
    m_layoutDirty = true;
    Invalidate();
}

void TGSuperText::SetShadowDepth(int value)
{
    if (storeChanged(m_shadowDepth, value))
        RecalcShadowOffset();
}

void TGSuperText::SetShadowOrientation(TShadowOrientation value)
{
    if (value >= sdNone && value <= sdDown && storeChanged(m_shadowOrientation, value))
        RecalcShadowOffset();
}

void TGSuperText::SetShadowcolor(TColor value)
{
    if (storeChanged(m_shadowColor, value))
        Invalidate();
}

void TGSuperText::SetBorderStyle(TBorderStyle value)
{
    if (value >= bsNone && value <= bsSingle && storeChanged(m_borderStyle, value))
        ChangedAndReported();
}

void TGSuperText::SetControlTransparent(bool value)
{
    if (storeChanged(m_controlTransparent, value))
        Invalidate();
}

void TGSuperText::SetBGColor(TColor value)
{
    if (storeChanged(m_bgColor, value))
        ChangedAndReported();
}

void TGSuperText::SetCaption(const QString &value)
{
    if (!storeChanged(m_caption, value))
        return;
    m_layoutDirty = true;
    ChangedAndReported();
}

void TGSuperText::SetFont(const TFont &value)
{
    if (!storeChanged(m_font, value))
        return;
    m_layoutDirty = true;
    Invalidate();
}

void TGSuperText::SetFillDirection(TFillDirection value)
{
    if (value >= gdUp && value <= gdRight && storeChanged(m_fillDirection, value))
        RebuildGradient();
}

void TGSuperText::SetGradientToColor(TColor value)
{
    if (storeChanged(m_gradientToColor, value))
        RebuildGradient();
}

void TGSuperText::SetGradientFromColor(TColor value)
{
    if (!storeChanged(m_gradientFromColor, value))
        return;
    NotifyChanged();
    RebuildGradient();
}

void TGSuperText::SetImage(const QImage &image)
{
    m_texture.set(image);
}

void TGSuperText::SetTextureImage(const QImage &image)
{
    m_texture.set(image);
    Invalidate();
}

void TGSuperText::SetOutlineColor(TColor value)
{
    if (m_outline.setColor(value))
        Invalidate();
}

void TGSuperText::SetOutlineStyle(TPenStyle value)
{
    if (m_outline.setStyle(value))
        Invalidate();
}

void TGSuperText::SetOutlineWidth(int value)
{
    if (m_outline.setWidth(value))
        Invalidate();
}

void TGSuperText::SetSurfaceType(TSurfaceType value)
{
    if (value < stNormal || value > stGradientFill || !storeChanged(m_surfaceType, value))
        return;
    Invalidate();
    if (value != stBrushImage)
        SetImage(QImage());
    if (value == stGradientFill)
        RebuildGradient();
    // Letters without a fill keep a visible outline.
    if (value == stBrushTransparent && m_outline.style == psClear)
        SetOutlineStyle(psSolid);
}

void TGSuperText::RebuildGradient()
{
    if (m_surfaceType == stGradientFill && !IsLoading())
        m_gradient = EffectSurfaces::gradientBitmap(Width(), Height(), m_gradientFromColor, m_gradientToColor,
                                                    m_fillDirection);
    Invalidate();
}

void TGSuperText::ChangedAndReported()
{
    Invalidate();
    NotifyChanged();
}

// ---- layout ----

TFont TGSuperText::ZoomedFont() const
{
    if (Zoom() == 1.0f)
        return m_font;
    const int ppi = ScreenMetrics::pixelsPerInch();
    TFont font = m_font;
    font.setSize(Numbers::truncate(double(m_font.size(ppi)) * double(Zoom())), ppi);
    return font;
}

void TGSuperText::RunLayout()
{
    if (!m_layoutDirty || m_inLayout)
        return;
    QPoint d = m_shadowOffset;
    if (Zoom() != 1.0f)
        d = QPoint(Numbers::truncate(double(Zoom()) * d.x()), Numbers::truncate(d.y() * double(Zoom())));
    struct Done {
        TGSuperText &t;
        ~Done()
        {
            t.m_inLayout = false;
            t.m_layoutDirty = false;
        }
    } done{*this};
    m_inLayout = true;

    const int ppi = ScreenMetrics::pixelsPerInch();
    const TFont font = ZoomedFont();
    const int th = Fonts::textExtent(font, ppi, m_caption).height();
    const int tw = Fonts::textExtent(font, ppi, m_caption + QLatin1Char(' ')).width();
    m_textMargin = QPoint(d.x() < 0 ? -d.x() : 0, d.y() < 0 ? -d.y() : 0);
    if (Width() <= 5)
        SetWidth(tw);
    const int f = std::abs(d.y()) + th;
    // A transparent, frameless text shrinks to its line.
    if (1.2 * f < Height() && m_controlTransparent && m_borderStyle == bsNone)
        SetHeight(Numbers::truncate(1.2 * f));
    if (Height() < f)
        SetHeight(f);
    // Rectangles from their corners, right and bottom exclusive.
    m_textRect = QRect(QPoint(m_textMargin.x() + 5, m_textMargin.y()), QPoint(Width() - 1, th + m_textMargin.y() - 1));
    m_shadowRect = m_textRect.translated(d);
    m_textOrigin = m_textRect.topLeft();
    m_shadowOrigin = QPoint(m_textRect.left() + d.x(), m_shadowRect.top());
}

QString TGSuperText::FittedCaption(const TFont &font, int room) const
{
    const int ppi = ScreenMetrics::pixelsPerInch();
    QString s = ShownCaption();
    while (!s.isEmpty() && Fonts::textExtent(font, ppi, s).width() > room)
        s.chop(1);
    return s;
}

bool TGSuperText::FitToText()
{
    QCoreApplication::processEvents();
    const QSize extent = Fonts::textExtent(m_font, ScreenMetrics::pixelsPerInch(), m_caption);
    const int cx = extent.width(), cy = extent.height();
    RunLayout();
    const int c = std::max(m_textRect.left(), m_shadowRect.left());
    const int d = std::max(m_textRect.top(), m_shadowRect.top());
    SetBounds(Left(), Top(), Numbers::truncate(c + cx * 1.2), Numbers::truncate((cy + d) * 1.2));
    if (Height() < cy)
        SetHeight(Numbers::truncate(cy * 1.5));
    if (Width() < cx)
        SetWidth(Numbers::truncate(cx * 1.5));
    return Height() >= cy && Width() >= cx;
}

void TGSuperText::BoundsChanged()
{
    TGGraphicControl::BoundsChanged();
    m_layoutDirty = true;
    if (Width() <= 0 || Height() <= 0)
        SetBounds(Left(), Top(), std::max(1, Width()), std::max(1, Height()));
    RebuildGradient();
}

void TGSuperText::ApplyFont(const TFont &font)
{
    SetFont(font);
    m_layoutDirty = true;
}

// ---- copying and dialogs ----

void TGSuperText::CopyTextFrom(const TGSuperText &other)
{
    SetCaption(other.Caption());
    SetFont(other.Font());
    SetControlTransparent(other.ControlTransparent());
    SetBGColor(other.BGColor());
    SetBorderStyle(other.BorderStyle());
    SetCaption(other.Caption());
    SetGradientFromColor(other.GradientFromColor());
    SetFillDirection(other.FillDirection());
    SetGradientToColor(other.GradientToColor());
    SetImage(other.Image());
    SetOutlineColor(other.OutlineColor());
    SetOutlineStyle(other.OutlineStyle());
    SetOutlineWidth(other.OutlineWidth());
    SetShadowcolor(other.Shadowcolor());
    SetShadowDepth(other.ShadowDepth());
    SetShadowOrientation(other.ShadowOrientation());
    SetSurfaceType(other.SurfaceType());
    SetWidth(other.Width());
    SetHeight(other.Height());
}

void TGSuperText::EditProperties()
{
    TSuperTextProperties dialog;
    TGSuperText &s = dialog.Sample();
    s.CopyTextFrom(*this);
    dialog.SetTexturePath(m_lastBitmapFile);
    dialog.FormActivate();
    if (UserDialogs::runModal(dialog) != QDialog::Accepted)
        return;
    SetGradientFromColor(s.GradientFromColor());
    SetFillDirection(s.FillDirection());
    SetGradientToColor(s.GradientToColor());
    SetImage(s.Image());
    SetOutlineColor(s.OutlineColor());
    SetOutlineStyle(s.OutlineStyle());
    SetOutlineWidth(s.OutlineWidth());
    SetShadowcolor(s.Shadowcolor());
    SetShadowDepth(s.ShadowDepth());
    SetShadowOrientation(s.ShadowOrientation());
    SetSurfaceType(s.SurfaceType());
    m_lastBitmapFile = dialog.TexturePath();
    m_font.color = s.Font().color;
    ApplyFont(s.Font());
    SetCaption(s.Caption());
    RebuildGradient();
    WidenForCaption();
    Invalidate();
    NotifyChanged();
}

// The dialog's sample was fitted round the caption; a box too narrow for
// the caption would cut what the user saw there, so it widens as the sample
// did. A box wide enough keeps the size the user gave it.
void TGSuperText::WidenForCaption()
{
    RunLayout();
    const int e = std::max(m_textRect.left(), m_shadowRect.left());
    const int cx = Fonts::textExtent(ZoomedFont(), ScreenMetrics::pixelsPerInch(), m_caption).width();
    if (Width() - e < cx) {
        SetWidth(Numbers::truncate(e + cx * 1.2));
        RunLayout();
    }
}

void TGSuperText::ChooseFont()
{
    const std::optional<TFont> font = UserDialogs::current().chooseFont(m_font, true);
    if (!font)
        return;
    SetFont(*font);
    m_layoutDirty = true;
}

void TGSuperText::ChooseBackgroundColor()
{
    const std::optional<TColor> color = UserDialogs::current().chooseColor(m_bgColor);
    if (!color)
        return;
    SetBGColor(*color);
    NotifyChanged();
    SetControlTransparent(false);
    Invalidate();
}

void TGSuperText::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    AddMenuSeparator();
    AddMenuItem("Font", [this] { ChooseFont(); });
    m_transparentItem = AddMenuItem("Transparent", [this] { SetControlTransparent(!m_controlTransparent); });
    m_transparentItem->setCheckable(true);
    AddMenuItem("Background Color", [this] { ChooseBackgroundColor(); });
    m_borderItem = AddMenuItem("Border", [this] { SetBorderStyle(m_borderStyle == bsSingle ? bsNone : bsSingle); });
    m_borderItem->setCheckable(true);
    AddMenuItem("Properties", [this] { EditProperties(); });
}

void TGSuperText::Loaded()
{
    TGGraphicControl::Loaded();
    try {
        RebuildGradient();
    } catch (...) {
        // A gradient that cannot be built leaves the letters unfilled.
    }
}

void TGSuperText::RefreshPopup()
{
    TGGraphicControl::RefreshPopup();
    if (m_borderItem)
        m_borderItem->setChecked(m_borderStyle == bsSingle);
    if (m_transparentItem)
        m_transparentItem->setChecked(m_controlTransparent);
}

QString TGSuperText::ShownCaption() const
{
    return CardMerge::Shown(*this, m_caption);
}

QStringList TGSuperText::FieldNames() const
{
    return CardFields::names(m_caption);
}

// The whole caption from the text's left edge: what does not fit is cut
// when drawn, so a filled field that runs past the box is reported.
QList<QRectF> TGSuperText::TextRuns()
{
    RunLayout();
    const int ppi = ScreenMetrics::pixelsPerInch();
    const TFont font = ZoomedFont();
    const QString caption = ShownCaption();
    if (caption.isEmpty())
        return {};
    const QSize screen = Fonts::textExtent(font, ppi, caption);
    const qreal paper = Fonts::printTextWidth(font, ppi, caption);
    const int e = std::max(m_textRect.left(), m_shadowRect.left());
    return {QRectF(e, m_textRect.top(), std::max<qreal>(screen.width(), paper), m_textRect.height())};
}
