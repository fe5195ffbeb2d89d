#include "objects/TGBaseLabel.h"

#include "design/CardFields.h"
#include "design/CardMerge.h"
#include "design/TGBusinessCardPanel32.h"
#include "objects/ShapeMenus.h"
#include "objects/TGFont3DEffects.h"
#include "platform/Canvas.h"
#include "platform/Numbers.h"
#include "platform/ScreenMetrics.h"
#include "platform/UserDialogs.h"

#include <QDialog>
#include <QMenu>

QStringList alignmentNames() { return {"taLeftJustify", "taRightJustify", "taCenter"}; }
QStringList shadowDirectionNames()
{
    return {"sdNone", "sdRight", "sdLeft", "sdDownRight", "sdDownLeft", "sdDown"};
}
QStringList highlightDirectionNames()
{
    return {"hdNone", "hdright", "hdLeft", "hdUpRight", "hdUpLeft", "hdUp"};
}

TGBaseLabel::TGBaseLabel(QObject *owner) : TGGraphicControl(owner)
{
    InitSize(142, 33);
    m_font.setSize(10, ScreenMetrics::pixelsPerInch());
    m_font.color = clBlack;
}

const TPropertyList &TGBaseLabel::properties()
{
    using C = TGBaseLabel;
    static const TPropertyList list = TPropertyBuilder<C>(TGGraphicControl::properties())
        .enumeration("Alignment", alignmentNames(), &C::Alignment, &C::SetAlignment, 0)
        .integer("DepthHighlight", &C::DepthHighlight, &C::SetDepthHighlight, 0)
        .integer("DepthShadow", &C::DepthShadow, &C::SetDepthShadow, 0)
        .enumeration("DirectionHighlight", highlightDirectionNames(), &C::DirectionHighlight,
                     &C::SetDirectionHighlight, 4)
        .enumeration("DirectionShadow", shadowDirectionNames(), &C::DirectionShadow,
                     &C::SetDirectionShadow, 3)
        .color("colorHighlight", &C::colorHighlight, &C::SetcolorHighlight, 16776960)
        .color("colorShadow", &C::colorShadow, &C::SetcolorShadow, 8421504)
        .integer("Angle", &C::Angle, &C::SetAngle, 0)
        .string("Caption", &C::Caption, &C::SetCaption)
        .font("Font", &C::Font, &C::SetFont)
        .boolean("Transparent", &C::Transparent, &C::SetTransparent)
        .color("BackColor", &C::BackColor, &C::SetBackColor)
        .enumeration("BorderStyle", borderStyleNames(), &C::BorderStyle, &C::SetBorderStyle)
        .build();
    return list;
}

QPoint TGBaseLabel::shadowOffset(TShadowDirection direction, int d)
{
    switch (direction) {
    case sdRight: return {d, 0};
    case sdLeft: return {-d, 0};
    case sdDownRight: return {d, d};
    case sdDownLeft: return {-d, d};
    case sdDown: return {0, d};
    default: return {0, 0};
    }
}

QPoint TGBaseLabel::highlightOffset(THighlightDirection direction, int d)
{
    switch (direction) {
    case hdright: return {d, 0};
    case hdLeft: return {-d, 0};
    case hdUpRight: return {d, -d};
    case hdUpLeft: return {-d, -d};
    case hdUp: return {0, -d};
    default: return {0, 0};
    }
}

void TGBaseLabel::SetAlignment(TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    m_layoutDirty = true;
    Invalidate();
    if (!IsLoading())
        NotifyChanged();
}

void TGBaseLabel::SetDepthHighlight(int value)
{
    if (value == m_depthHighlight)
        return;
    m_depthHighlight = value;
    EffectsChanged();
}

void TGBaseLabel::SetDirectionHighlight(THighlightDirection value)
{
    if (value == m_directionHighlight)
        return;
    m_directionHighlight = value;
    EffectsChanged();
}

void TGBaseLabel::SetDepthShadow(int value)
{
    if (value == m_depthShadow)
        return;
    m_depthShadow = value;
    EffectsChanged();
}

void TGBaseLabel::SetDirectionShadow(TShadowDirection value)
{
    if (value == m_directionShadow)
        return;
    m_directionShadow = value;
    EffectsChanged();
}

void TGBaseLabel::EffectsChanged()
{
    m_shadowOffset = shadowOffset(m_directionShadow, m_depthShadow);
    m_highlightOffset = highlightOffset(m_directionHighlight, m_depthHighlight);
    m_layoutDirty = true;
    Invalidate();
}

void TGBaseLabel::SetcolorHighlight(TColor value)
{
    if (value == m_colorHighlight)
        return;
    m_colorHighlight = value;
    Invalidate();
}

void TGBaseLabel::SetcolorShadow(TColor value)
{
    if (value == m_colorShadow)
        return;
    m_colorShadow = value;
    Invalidate();
}

void TGBaseLabel::SetAngle(int value)
{
    if (value == m_angle || (value != 0 && value != 90 && value != 180 && value != 270))
        return;
    m_angle = value;
    m_layoutDirty = true;
    // A document stores the turned box already; only a turn by the user swaps it.
    if (IsLoading())
        return;
    if (value != 0)
        SetAlignment(taLeftJustify);
    const bool upright = value == 0 || value == 180;
    if ((upright && Width() < Height()) || (!upright && Width() > Height()))
        SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TGBaseLabel::SetCaption(const QString &value)
{
    if (value == m_caption)
        return;
    m_caption = value;
    // The text width is part of the layout (right and centred alignment).
    m_layoutDirty = true;
    Invalidate();
    if (!IsLoading())
        NotifyChanged();
}

void TGBaseLabel::SetFont(const TFont &value)
{
    if (value == m_font)
        return;
    m_font = value;
    m_layoutDirty = true;
    Invalidate();
    if (!IsLoading())
        NotifyChanged();
}

void TGBaseLabel::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    if (m_transparentItem)
        m_transparentItem->setChecked(value);
    if (!IsLoading())
        NotifyChanged();
    Invalidate();
}

void TGBaseLabel::SetBackColor(TColor value)
{
    if (value == m_backColor)
        return;
    m_backColor = value;
    if (!IsLoading())
        NotifyChanged();
    Invalidate();
}

void TGBaseLabel::SetBorderStyle(TBorderStyle value)
{
    if (value == m_borderStyle)
        return;
    m_borderStyle = value;
    Invalidate();
    if (!IsLoading())
        NotifyChanged();
}

TFont TGBaseLabel::ZoomedFont() const
{
    TFont font = m_font;
    if (Zoom() != 1.0f) {
        const int ppi = ScreenMetrics::pixelsPerInch();
        font.setSize(Numbers::truncate(double(m_font.size(ppi)) * double(Zoom())), ppi);
    }
    return font;
}

void TGBaseLabel::RecalcLayout()
{
    if (!m_layoutDirty)
        return;
    // Always measured at the screen's resolution, whatever the target is,
    // so that prints and exports reuse the layout of the screen. A turned
    // font measures as the upright one.
    const int ppi = ScreenMetrics::pixelsPerInch();
    const TFont font = ZoomedFont();
    const TTextMetrics tm = Fonts::metrics(font, ppi);
    TLabelLayoutInput in;
    // The internal leading is counted on top of the full height that
    // already holds it.
    in.textHeight = tm.height + tm.internalLeading + tm.externalLeading;
    in.textWidth = Fonts::textExtent(font, ppi, m_caption + QLatin1Char(' ')).width();
    in.angle = m_angle;
    in.alignment = int(LayoutAlignment());
    in.width = Width();
    in.height = Height();
    in.shadowOffset = m_shadowOffset;
    in.highlightOffset = m_highlightOffset;
    m_layout = computeLabelLayout(in);
    if (m_layout.width != Width() || m_layout.height != Height())
        SetBounds(Left(), Top(), m_layout.width, m_layout.height);
    // The box follows the raw text only; filled fields are placed in it.
    if (const QString shown = ShownCaption(); shown != m_caption) {
        in.textWidth = Fonts::textExtent(font, ppi, shown + QLatin1Char(' ')).width();
        in.width = Width();
        in.height = Height();
        const TLabelLayout filled = computeLabelLayout(in);
        const QSize box(m_layout.width, m_layout.height);
        m_layout = filled;
        m_layout.width = box.width();
        m_layout.height = box.height();
    }
    m_layoutDirty = false;
}

void TGBaseLabel::PaintTo(TCanvas &canvas)
{
    RecalcLayout();
    if (!m_transparent) {
        canvas.setPen(TPen{clBlack, 1, psClear, pmCopy});
        canvas.setBrush(TBrush{m_backColor, bsSolid, {}});
        canvas.rectangle(0, 0, Width(), Height());
    }
    canvas.setFont(ZoomedFont());
    canvas.setFontEscapement(m_angle * 10);
    canvas.setBrush(TBrush{clWhite, bsClear, {}});
    // Each copy is drawn from its alignment point, so that text set for
    // paper keeps that point where the screen layout has it.
    const unsigned textAlign = canvas.textAlign();
    int anchor = 0;
    const QString caption = ShownCaption();
    if (m_angle == 0 && LayoutAlignment() != taLeftJustify) {
        const int width = canvas.textWidth(caption);
        const bool right = LayoutAlignment() == taRightJustify;
        canvas.setTextAlign((right ? TA_RIGHT : TA_CENTER) | TA_TOP);
        anchor = right ? width : width / 2;
    }
    const auto draw = [&](const QRect &clip, QPoint origin) {
        canvas.textRect(clip, origin.x() + anchor, origin.y(), caption);
    };
    if (m_depthShadow > 0 && m_directionShadow != sdNone) {
        canvas.font().color = m_colorShadow;
        draw(m_layout.shadowRect, m_layout.shadowOrigin);
    }
    if (m_depthHighlight > 0 && m_directionHighlight != hdNone) {
        canvas.font().color = m_colorHighlight;
        draw(m_layout.highlightRect, m_layout.highlightOrigin);
    }
    canvas.font().color = m_font.color;
    draw(m_layout.mainRect, m_layout.mainOrigin);
    canvas.setTextAlign(textAlign);
    canvas.setFontEscapement(0);
    if (m_borderStyle == bsSingle) {
        canvas.setPen(TPen{clBlack, 1, psSolid, pmCopy});
        canvas.setBrush(TBrush{clWhite, bsClear, {}});
        canvas.rectangle(0, 0, Width(), Height());
    }
}

void TGBaseLabel::PaintTo(QPainter &painter)
{
    TCanvas canvas(&painter);
    PaintTo(canvas);
}

void TGBaseLabel::Paint(TCanvas &canvas)
{
    if (TGBusinessCardPanel32 *panel = CardPanel(); panel && panel->PaintingSuppressed())
        return;
    if (Width() < 5 || Height() < 5)
        m_layoutDirty = true;
    PaintTo(canvas);
    TGGraphicControl::Paint(canvas);
}

void TGBaseLabel::FitToText()
{
    if (m_angle != 0)
        return;
    const int x = std::max({m_layout.mainRect.left(), m_layout.shadowRect.left(), m_layout.highlightRect.left()});
    const int y = std::max({m_layout.mainRect.top(), m_layout.shadowRect.top(), m_layout.highlightRect.top()});
    const int ppi = ScreenMetrics::pixelsPerInch();
    const TFont font = ZoomedFont();
    const int w = x + Fonts::textExtent(font, ppi, m_caption + QStringLiteral("     ")).width();
    const int h = y + Fonts::textExtent(font, ppi, m_caption).height();
    if (Width() < w)
        SetWidth(w);
    if (Height() < h)
        SetHeight(h);
    m_layoutDirty = true;
    Invalidate();
}

void TGBaseLabel::BoundsChanged()
{
    TGGraphicControl::BoundsChanged();
    m_layoutDirty = true;
    if (Width() < 1 || Height() < 1)
        SetBounds(Left(), Top(), std::max(Width(), 1), std::max(Height(), 1));
}

void TGBaseLabel::ApplyFont(const TFont &font)
{
    SetFont(font);
    m_layoutDirty = true;
}

void TGBaseLabel::ChooseFont()
{
    const std::optional<TFont> font = UserDialogs::current().chooseFont(m_font, false);
    if (!font)
        return;
    SetFont(*font);
    m_layoutDirty = true;
    Invalidate();
}

void TGBaseLabel::EditEffects()
{
    TGFont3DEffects dialog(*this);
    if (UserDialogs::runModal(dialog) == QDialog::Accepted)
        NotifyChanged();
}

void TGBaseLabel::ChooseBackColor()
{
    const std::optional<TColor> color = UserDialogs::current().chooseColor(m_backColor);
    if (!color)
        return;
    SetBackColor(*color);
    SetTransparent(false);
    Invalidate();
}

void TGBaseLabel::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    AppendLabelItems();
}

void TGBaseLabel::AppendLabelItems()
{
    AddMenuSeparator();
    AddMenuItem("Font", [this] { ChooseFont(); });
    AddMenuItem("3D Effects", [this] { EditEffects(); });
    const ShapeMenus::Choices alignments{{"Left", taLeftJustify}, {"Center", taCenter}, {"Right", taRightJustify}};
    m_alignmentItems = ShapeMenus::fillChoices(AddSubMenu("Alignment"), alignments, this, [this](int value) {
        SetAlignment(TAlignment(value));
        NotifyChanged();
    });
    m_transparentItem = AddMenuItem("Transparent", [this] { SetTransparent(!m_transparent); });
    m_transparentItem->setCheckable(true);
    m_transparentItem->setChecked(m_transparent);
    AddMenuItem("Background Color", [this] { ChooseBackColor(); });
    m_borderItem = AddMenuItem("Border", [this] { SetBorderStyle(m_borderStyle == bsSingle ? bsNone : bsSingle); });
    m_borderItem->setCheckable(true);
}

void TGBaseLabel::RefreshPopup()
{
    TGGraphicControl::RefreshPopup();
    if (m_borderItem)
        m_borderItem->setChecked(m_borderStyle == bsSingle);
    if (m_transparentItem)
        m_transparentItem->setChecked(m_transparent);
    ShapeMenus::tick(m_alignmentItems, int(m_alignment));
}

TGBusinessCardPanel32 *TGBaseLabel::CardPanel() const
{
    if (auto *panel = qobject_cast<TGBusinessCardPanel32 *>(Panel()))
        return panel;
    return qobject_cast<TGBusinessCardPanel32 *>(parent());
}

QString TGBaseLabel::ShownCaption() const
{
    return CardMerge::Shown(*this, m_caption);
}

QStringList TGBaseLabel::FieldNames() const
{
    return CardFields::names(m_caption);
}

void TGBaseLabel::FieldsChanged()
{
    m_layoutDirty = true;
    Invalidate();
}
