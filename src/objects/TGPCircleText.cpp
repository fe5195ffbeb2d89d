#include "objects/TGPCircleText.h"

#include "design/CardFields.h"
#include "design/CardMerge.h"
#include "design/ChangedValue.h"
#include "design/RecordedDrawing.h"
#include "design/TGBusinessCardPanel32.h"
#include "objects/TCircleTextProperties.h"
#include "objects/TGBaseLabel.h"
#include "platform/Canvas.h"
#include "platform/Numbers.h"
#include "platform/ScreenMetrics.h"
#include "platform/UserDialogs.h"

#include <QAction>
#include <QPainter>

#include <algorithm>

namespace {

// Sets a flag for the life of the scope, also when it ends by an error.
struct FlagGuard {
    bool &flag;
    explicit FlagGuard(bool &f) : flag(f) { flag = true; }
    ~FlagGuard() { flag = false; }
};

// Puts the canvas's text alignment and background mode back when the
// letters are done.
struct TextStateGuard {
    TCanvas &canvas;
    unsigned align;
    TBackgroundMode mode;
    explicit TextStateGuard(TCanvas &c) : canvas(c), align(c.textAlign()), mode(c.backgroundMode()) {}
    ~TextStateGuard()
    {
        canvas.setFontEscapement(0);
        canvas.setTextAlign(align);
        canvas.setBackgroundMode(mode);
    }
};

bool validDegrees(TDegrees value)
{
    return value >= dg90 && value <= dg360;
}

} // namespace

TGPCircleText::TGPCircleText(QObject *owner) : TGGraphicControl(owner)
{
    m_font.name = QStringLiteral("Arial");
    m_font.setSize(10, ScreenMetrics::pixelsPerInch());
    m_font.style = fsBold;
    m_font.color = clBlack;
    InitSize(142, 33);
}

const TPropertyList &TGPCircleText::properties()
{
    using C = TGPCircleText;
    // No property has a stored default: every one is always written.
    static const TPropertyList list = TPropertyBuilder<C>(TGGraphicControl::properties())
        .enumeration("StartingVector", degreesNames(), &C::StartingVector, &C::SetStartingVector)
        .enumeration("Degrees", degreesNames(), &C::Degrees, &C::SetDegrees)
        .font("Font", &C::Font, &C::SetFont)
        .boolean("Mirror", &C::Mirror, &C::SetMirror)
        .boolean("DrawLettersAngled", &C::DrawLettersAngled, &C::SetDrawLettersAngled)
        .enumeration("BorderStyle", borderStyleNames(), &C::BorderStyle, &C::SetBorderStyle)
        .boolean("ControlTransparent", &C::ControlTransparent, &C::SetControlTransparent)
        .color("BGColor", &C::BGColor, &C::SetBGColor)
        .string("Caption", &C::Caption, &C::SetCaption)
        .build();
    return list;
}

// ---- setters ----

// Every setting is part of the design, so each change marks the card
// changed (the "Transparent" and "Font" menu entries rely on it).
void TGPCircleText::Changed()
{
    Invalidate();
    if (!IsLoading())
        NotifyChanged();
}

void TGPCircleText::SetStartingVector(TDegrees value)
{
    if (validDegrees(value) && storeChanged(m_startingVector, value))
        Changed();
}

void TGPCircleText::SetDegrees(TDegrees value)
{
    if (validDegrees(value) && storeChanged(m_degrees, value))
        Changed();
}

void TGPCircleText::SetFont(const TFont &value)
{
    if (storeChanged(m_font, value))
        Changed();
}

void TGPCircleText::SetMirror(bool value)
{
    if (storeChanged(m_mirror, value))
        Changed();
}

void TGPCircleText::SetDrawLettersAngled(bool value)
{
    if (storeChanged(m_drawLettersAngled, value))
        Changed();
}

void TGPCircleText::SetBorderStyle(TBorderStyle value)
{
    if (value >= bsNone && value <= bsSingle && storeChanged(m_borderStyle, value))
        Changed();
}

void TGPCircleText::SetControlTransparent(bool value)
{
    if (storeChanged(m_controlTransparent, value))
        Changed();
}

void TGPCircleText::SetBGColor(TColor value)
{
    if (storeChanged(m_bgColor, value))
        Changed();
}

void TGPCircleText::SetCaption(const QString &value)
{
    if (storeChanged(m_caption, value))
        Changed();
}

// ---- drawing ----

TFont TGPCircleText::ZoomedFont() const
{
    TFont font = m_font;
    if (Zoom() != 1.0f) {
        const int ppi = ScreenMetrics::pixelsPerInch();
        font.setSize(Numbers::truncate(double(m_font.size(ppi)) * double(Zoom())), ppi);
    }
    return font;
}

namespace {

CircleTextLayout::Input layoutInput(const TGPCircleText &o, const TTextMetrics &metrics, int letterCount)
{
    CircleTextLayout::Input in;
    in.width = o.Width();
    in.height = o.Height();
    in.textHeight = metrics.height;
    in.averageWidth = metrics.averageCharWidth;
    in.startingVector = o.StartingVector();
    in.degrees = o.Degrees();
    in.mirror = o.Mirror();
    in.angled = o.DrawLettersAngled();
    in.letterCount = letterCount;
    return in;
}

} // namespace

CircleTextLayout::Result TGPCircleText::Layout() const
{
    const TTextMetrics metrics = Fonts::metrics(ZoomedFont(), ScreenMetrics::pixelsPerInch());
    const int n = int(CircleTextLayout::splitLetters(ShownCaption()).size());
    return CircleTextLayout::compute(layoutInput(*this, metrics, n));
}

void TGPCircleText::PaintTo(TCanvas &canvas)
{
    canvas.setFont(ZoomedFont());
    canvas.setFontEscapement(0);
    // The frame goes under the letters.
    if (!m_controlTransparent || m_borderStyle == bsSingle) {
        canvas.setBrush(TBrush{m_bgColor, m_controlTransparent ? bsClear : bsSolid, {}});
        canvas.setPen(TPen{clBlack, 1, m_borderStyle == bsSingle ? psSolid : psClear, pmCopy});
        canvas.rectangle(0, 0, Width(), Height());
    }
    canvas.setBrush(TBrush{clWhite, bsClear, {}});
    const QStringList letters = CircleTextLayout::splitLetters(ShownCaption());
    if (letters.isEmpty())
        return;
    const CircleTextLayout::Result layout =
        CircleTextLayout::compute(layoutInput(*this, canvas.textMetrics(), int(letters.size())));

    const TextStateGuard restore(canvas);
    canvas.setTextAlign(TA_CENTER | TA_BOTTOM);
    canvas.setBackgroundMode(bmTransparent);
    for (const CircleTextLayout::Letter &l : layout.letters) {
        // A letter whose anchor falls outside the box is left out, not cut.
        if (!l.inside)
            continue;
        canvas.setFontEscapement(m_drawLettersAngled ? l.rotation : 0);
        canvas.textOut(l.at.x(), l.at.y(), letters[l.letter]);
    }
}

void TGPCircleText::PaintTo(QPainter &painter)
{
    TCanvas canvas(&painter);
    PaintTo(canvas);
}

void TGPCircleText::Paint(TCanvas &canvas)
{
    if (m_painting)
        return;
    auto *panel = qobject_cast<TGBusinessCardPanel32 *>(Panel());
    if (!panel)
        panel = qobject_cast<TGBusinessCardPanel32 *>(parent());
    if (panel && panel->PaintingSuppressed())
        return;
    const FlagGuard guard(m_painting);
    PaintTo(canvas);
    TGGraphicControl::Paint(canvas);
}

QPicture TGPCircleText::MakeMetafile(bool printText)
{
    return RecordedDrawing::recordCanvas(*this, printText, [this](TCanvas &canvas) { PaintTo(canvas); });
}

// The letters print as the recorded screen drawing, so they keep their
// places and stay text in a PDF. Above the screen's resolution each letter
// is set with the font's own advance, centred on the anchor the screen
// gives it: centring it on its screen width would shift it sideways.
void TGPCircleText::PrintTo(TReport &report, double left, double top)
{
    if (Width() < 1 || Height() < 1)
        return;
    RecordedDrawing::print(report, *this, left, top, MakeMetafile(RecordedDrawing::printText(report)));
}

void TGPCircleText::BoundsChanged()
{
    TGGraphicControl::BoundsChanged();
    if (Width() < 1 || Height() < 1)
        SetBounds(Left(), Top(), std::max(1, Width()), std::max(1, Height()));
}

void TGPCircleText::ApplyFont(const TFont &font)
{
    SetFont(font);
}

// ---- copying, dialogs and the menu ----

void TGPCircleText::CopyCircleText(const TGPCircleText &source)
{
    {
        const FlagGuard guard(m_painting);
        SetCaption(source.Caption());
        SetFont(source.Font());
        m_controlTransparent = source.m_controlTransparent;
        m_bgColor = source.m_bgColor;
        m_borderStyle = source.m_borderStyle;
        SetBounds(Left(), Top(), source.Width(), source.Height());
        m_startingVector = source.m_startingVector;
        m_degrees = source.m_degrees;
        m_drawLettersAngled = source.m_drawLettersAngled;
        m_mirror = source.m_mirror;
    }
    Invalidate();
}

void TGPCircleText::EditProperties()
{
    TCircleTextProperties dialog;
    dialog.Preview().CopyCircleText(*this);
    dialog.FormActivate();
    if (UserDialogs::runModal(dialog) != QDialog::Accepted)
        return;
    dialog.ResetPreviewZoom();
    CopyCircleText(dialog.Preview());
    Invalidate();
    NotifyChanged();
}

void TGPCircleText::ChooseFont()
{
    if (const std::optional<TFont> font = UserDialogs::current().chooseFont(m_font, true))
        SetFont(*font);
}

void TGPCircleText::ChooseBackgroundColor()
{
    const std::optional<TColor> color = UserDialogs::current().chooseColor(m_bgColor);
    if (!color)
        return;
    m_bgColor = *color;
    NotifyChanged();
    m_controlTransparent = false;
    Invalidate();
}

void TGPCircleText::BuildMenu()
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

void TGPCircleText::RefreshPopup()
{
    TGGraphicControl::RefreshPopup();
    if (m_borderItem)
        m_borderItem->setChecked(m_borderStyle == bsSingle);
    if (m_transparentItem)
        m_transparentItem->setChecked(m_controlTransparent);
}

QString TGPCircleText::ShownCaption() const
{
    return CardMerge::Shown(*this, m_caption);
}

QStringList TGPCircleText::FieldNames() const
{
    return CardFields::names(m_caption);
}
