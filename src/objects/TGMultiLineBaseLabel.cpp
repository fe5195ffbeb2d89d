#include "objects/TGMultiLineBaseLabel.h"

#include "design/CardFields.h"
#include "design/CardMerge.h"
#include "design/RecordedDrawing.h"
#include "objects/ShapeMenus.h"
#include "platform/Canvas.h"
#include "platform/EditControlWrap.h"
#include "platform/Numbers.h"
#include "platform/PrintFonts.h"
#include "platform/ScreenMetrics.h"
#include "platform/UserDialogs.h"
#include "report/TReport.h"

#include <QAction>
#include <QMenu>
#include <QPainter>

TGMultiLineBaseLabel::TGMultiLineBaseLabel(QObject *owner) : TGGraphicControl(owner)
{
    InitSize(190, 33);
    m_font.setSize(10, ScreenMetrics::pixelsPerInch());
}

const TPropertyList &TGMultiLineBaseLabel::properties()
{
    using C = TGMultiLineBaseLabel;
    static const TPropertyList list = TPropertyBuilder<C>(TGGraphicControl::properties())
        .strings("Items", &C::Items, &C::SetItems)
        .boolean("AutoSize", &C::AutoSize, &C::SetAutoSize)
        .enumeration("Alignment", alignmentNames(), &C::Alignment, &C::SetAlignment, 0)
        .font("Font", &C::Font, &C::SetFont)
        .boolean("WordWrap", &C::WordWrap, &C::SetWordWrap, false)
        .build();
    return list;
}

void TGMultiLineBaseLabel::SetItems(const QStringList &value)
{
    m_items = value;
    if (m_wordWrap && !IsLoading())
        Rewrap();
    Invalidate();
}

void TGMultiLineBaseLabel::SetAlignment(TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    Invalidate();
}

void TGMultiLineBaseLabel::SetFont(const TFont &value)
{
    if (value == m_font)
        return;
    m_font = value;
    if (m_wordWrap && !IsLoading())
        Rewrap();
    Invalidate();
    if (!IsLoading())
        NotifyChanged();
}

void TGMultiLineBaseLabel::SetWordWrap(bool value)
{
    if (value == m_wordWrap)
        return;
    m_wordWrap = value;
    if (IsLoading())
        return; // wrapped once loading is done (Loaded)
    if (value)
        Rewrap();
    Invalidate();
    NotifyChanged();
}

TFont TGMultiLineBaseLabel::ZoomedFont() const
{
    TFont font = m_font;
    if (Zoom() != 1.0f) {
        const int ppi = ScreenMetrics::pixelsPerInch();
        font.setSize(Numbers::truncate(double(m_font.size(ppi)) * double(Zoom())), ppi);
    }
    return font;
}

void TGMultiLineBaseLabel::Rewrap()
{
    m_wrapped.clear();
    m_brokenInWord.clear();
    if (!m_wordWrap)
        return;
    m_wrapped = EditControlWrap::wrap(ShownItems().join(QLatin1String("\r\n")), ZoomedFont(),
                                      ScreenMetrics::pixelsPerInch(), Width(), &m_brokenInWord);
    Invalidate();
}

QStringList TGMultiLineBaseLabel::ShownLines() const
{
    QStringList lines = m_wordWrap ? m_wrapped : ShownItems();
    if (lines.isEmpty())
        lines << QStringLiteral("<blank>");
    else if (lines.size() == 1 && TrimSpaces(lines.constFirst()).isEmpty())
        lines << QStringLiteral("<blank>");
    return lines;
}

void TGMultiLineBaseLabel::PaintTo(TCanvas &canvas)
{
    const QStringList lines = ShownLines();
    canvas.setFont(ZoomedFont());
    canvas.setBrush(TBrush{clWhite, bsClear, {}});
    const int h = canvas.textHeight(QStringLiteral("XXX"));
    // Lines are drawn from their alignment point, which text set for paper keeps.
    const unsigned textAlign = canvas.textAlign();
    int x = 0;
    if (m_alignment == taRightJustify) {
        canvas.setTextAlign(TA_RIGHT | TA_TOP);
        x = Width() - 1;
    } else if (m_alignment == taCenter) {
        canvas.setTextAlign(TA_CENTER | TA_TOP);
        x = Width() / 2 + 1;
    }
    for (int i = 0; i < lines.size(); ++i)
        canvas.textRect(QRect(0, i * h, Width(), h), x, i * h, lines.at(i));
    canvas.setTextAlign(textAlign);
}

QPicture TGMultiLineBaseLabel::MakeMetafile(bool printText)
{
    return RecordedDrawing::recordCanvas(*this, printText, [this](TCanvas &canvas) { PaintTo(canvas); });
}

// Printed as the screen drawing, recorded and stretched over the box, with
// the lines set for the output's resolution.
void TGMultiLineBaseLabel::PrintTo(TReport &report, double left, double top)
{
    if (Width() < 1 || Height() < 1)
        return;
    RecordedDrawing::print(report, *this, left, top, MakeMetafile(RecordedDrawing::printText(report)));
}

QString TGMultiLineBaseLabel::RestOfBrokenWord(int line) const
{
    QString rest;
    for (int j = line + 1; j < m_wrapped.size(); ++j) {
        const QString &next = m_wrapped.at(j);
        qsizetype k = 0;
        while (k < next.size() && next.at(k) != QLatin1Char(' ') && next.at(k) != QLatin1Char('\t'))
            ++k;
        rest += next.left(k);
        if (k < next.size() || !m_brokenInWord.value(j))
            break;
    }
    return rest;
}

// Each shown line from its alignment point (as PaintTo draws it), as long
// as the longer of its screen and paper settings. A wrapped line that ends
// inside a word too long for a line is as long as the whole word plus the
// room the wrap keeps clear (the control's frame and margins): the word is
// cut, so it shows as past the box.
QList<QRectF> TGMultiLineBaseLabel::TextRuns()
{
    const int ppi = ScreenMetrics::pixelsPerInch();
    const TFont font = ZoomedFont();
    const int h = Fonts::textExtent(font, ppi, QStringLiteral("XXX")).height();
    const QStringList lines = ShownLines();
    const int keptClear = Width() - EditControlWrap::formatWidth(font, ppi, Width());
    QList<QRectF> runs;
    for (int i = 0; i < lines.size(); ++i) {
        QString text = lines.at(i);
        int extra = 0;
        if (m_wordWrap && m_brokenInWord.value(i)) {
            text += RestOfBrokenWord(i);
            extra = keptClear;
        }
        const int screen = Fonts::textExtent(font, ppi, text).width() + extra;
        const qreal paper = Fonts::printTextWidth(font, ppi, text) + extra;
        qreal left = 0, paperLeft = 0;
        if (m_alignment == taRightJustify) {
            left = Width() - 1 - screen;
            paperLeft = Width() - 1 - paper;
        } else if (m_alignment == taCenter) {
            left = Width() / 2 + 1 - screen / 2;
            paperLeft = left + (screen - paper) / 2;
        }
        const qreal start = std::min(left, paperLeft);
        const qreal end = std::max(left + screen, paperLeft + paper);
        runs << QRectF(start, i * h, end - start, h);
    }
    return runs;
}

void TGMultiLineBaseLabel::FitLines()
{
    TFont font = ZoomedFont();
    const int ppi = ScreenMetrics::pixelsPerInch();
    if (m_wordWrap)
        Rewrap();
    const QStringList lines = m_wordWrap ? m_wrapped : ShownItems();
    const int h = Fonts::textExtent(font, ppi, QStringLiteral("XXX")).height();
    int width = Width();
    for (const QString &line : lines)
        width = std::max(width, Fonts::textExtent(font, ppi, line).width());
    SetBounds(Left(), Top(), width, h * int(lines.size()));
    Invalidate();
}

void TGMultiLineBaseLabel::Paint(TCanvas &canvas)
{
    PaintTo(canvas);
    TGGraphicControl::Paint(canvas);
}

void TGMultiLineBaseLabel::BoundsChanged()
{
    // Moving or resizing rewraps first, as the platform's size notification did.
    if (m_wordWrap)
        Rewrap();
    TGGraphicControl::BoundsChanged();
}

void TGMultiLineBaseLabel::ApplyFont(const TFont &font)
{
    SetFont(font);
    if (m_wordWrap)
        Rewrap();
}

void TGMultiLineBaseLabel::ChooseFont()
{
    if (const std::optional<TFont> font = UserDialogs::current().chooseFont(m_font, false))
        SetFont(*font);
    if (m_wordWrap)
        Rewrap();
}

void TGMultiLineBaseLabel::Loaded()
{
    TGGraphicControl::Loaded();
    if (m_wordWrap)
        Rewrap();
}

void TGMultiLineBaseLabel::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    AddMenuSeparator();
    AddMenuItem("Font", [this] { ChooseFont(); });
    const ShapeMenus::Choices alignments{{"Left", taLeftJustify}, {"Center", taCenter}, {"Right", taRightJustify}};
    m_alignmentItems = ShapeMenus::fillChoices(AddSubMenu("Alignment"), alignments, this, [this](int value) {
        SetAlignment(TAlignment(value));
        NotifyChanged();
    });
}

void TGMultiLineBaseLabel::RefreshPopup()
{
    TGGraphicControl::RefreshPopup();
    ShapeMenus::tick(m_alignmentItems, int(m_alignment));
}

// A value with line breaks fills several lines.
QStringList TGMultiLineBaseLabel::ShownItems() const
{
    const QString raw = m_items.join(QLatin1Char('\n'));
    if (!CardFields::hasFields(raw))
        return m_items;
    QString shown = CardMerge::Shown(*this, raw);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown.split(QLatin1Char('\n'));
}

QStringList TGMultiLineBaseLabel::FieldNames() const
{
    return CardFields::names(m_items.join(QLatin1Char('\n')));
}

void TGMultiLineBaseLabel::FieldsChanged()
{
    if (m_wordWrap)
        Rewrap();
    Invalidate();
}
