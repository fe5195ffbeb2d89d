#include "objects/TGPRichBaseLabel.h"

#include "design/CardFields.h"
#include "design/CardMerge.h"
#include "design/TGBusinessCardPanel32.h"
#include "objects/TRichTextLabelEditor.h"
#include "platform/AppRoutines.h"
#include "platform/Canvas.h"
#include "platform/Numbers.h"
#include "platform/ScreenMetrics.h"
#include "platform/UserDialogs.h"
#include "richtext/TRichTextEngine.h"

#include <QAction>
#include <QPainter>
#include <QTextDocument>

TGPRichBaseLabel::TGPRichBaseLabel(QObject *owner) : TGGraphicControl(owner)
{
    InitSize(190, 33);
}

const TPropertyList &TGPRichBaseLabel::properties()
{
    using C = TGPRichBaseLabel;
    // The document is stored as "RTFText.Data", whose bytes are the RTF itself.
    static const TPropertyList list = TPropertyBuilder<C>(TGGraphicControl::properties())
        .bitmap("RTFText", [](const C &o) { return o.RTFText().Rtf(); },
                [](C &o, const QByteArray &rtf) { o.SetRTFText(TRichText::fromRtf(rtf)); })
        .enumeration("BorderStyle", borderStyleNames(), &C::BorderStyle, &C::SetBorderStyle)
        .boolean("Transparent", &C::Transparent, &C::SetTransparent)
        .color("BGColor", &C::BGColor, &C::SetBGColor)
        .build();
    return list;
}

void TGPRichBaseLabel::SetRTFText(const TRichText &text)
{
    m_text = text;
    if (IsLoading())
        return;
    Invalidate();
    NotifyChanged();
}

void TGPRichBaseLabel::SetBorderStyle(TBorderStyle value)
{
    if (value == m_borderStyle)
        return;
    m_borderStyle = value;
    if (IsLoading())
        return;
    Invalidate();
    NotifyChanged();
}

void TGPRichBaseLabel::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    Invalidate();
}

void TGPRichBaseLabel::SetBGColor(TColor value)
{
    if (value == m_bgColor)
        return;
    m_bgColor = value;
    if (IsLoading())
        return;
    Invalidate();
    NotifyChanged();
}

QSize TGPRichBaseLabel::PageSizeTwips() const
{
    const double zoom = Zoom();
    const double ppi = ScreenMetrics::pixelsPerInch();
    return QSize(Numbers::truncate(Width() / zoom / ppi * 1440), Numbers::truncate(Height() / zoom / ppi * 1440));
}

void TGPRichBaseLabel::PaintTo(QPainter &painter)
{
    if (!m_master || Width() <= 0 || Height() <= 0)
        return;
    TCanvas canvas(&painter);
    const TColor background = m_transparent ? clWhite : m_bgColor;
    canvas.setPen(TPen{clBlack, 1, psSolid, pmCopy});
    if (!m_transparent) {
        canvas.setBrush(TBrush{m_bgColor, bsSolid, {}});
        canvas.fillRect(QRect(0, 0, Width(), Height()));
    }
    m_master->SetBackgroundColor(Colors::toQColor(background));
    m_master->SetDocument(ShownText());
    m_master->SetZoom(Numbers::truncate(double(Zoom()) * 100));
    const QSize page = PageSizeTwips();
    m_master->SetPageSize(page.width(), page.height());
    m_master->SetMargins(QMargins());
    m_master->SetWordWrap(true);
    m_master->SetPixelsPerInch(ScreenMetrics::pixelsPerInch());
    m_master->PaintFirstPage(*canvas.painter(), QRect(0, 0, Width(), Height()));
    if (m_borderStyle == bsSingle) {
        canvas.setPen(TPen{clBlack, 1, psSolid, pmCopy});
        canvas.setBrush(TBrush{clWhite, bsClear, {}});
        canvas.rectangle(0, 0, Width(), Height());
    }
}

void TGPRichBaseLabel::Paint(TCanvas &canvas)
{
    if (auto *panel = qobject_cast<TGBusinessCardPanel32 *>(Panel()); panel && panel->PaintingSuppressed())
        return;
    PaintTo(*canvas.painter());
    TGGraphicControl::Paint(canvas);
}

void TGPRichBaseLabel::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    AppendMenuItems();
}

void TGPRichBaseLabel::Loaded()
{
    TGGraphicControl::Loaded();
    if (IsLoading())
        return;
    m_master = TRichTextEngine::FindMaster(this);
    if (!m_master) {
        // The object stays, drawing nothing, rather than taking the program down.
        UserDialogs::current().error(QStringLiteral("No master rich text object found"));
    }
    DoubleClickAction = [this] { EditRichText(); };
}

void TGPRichBaseLabel::AppendMenuItems()
{
    AddMenuSeparator();
    m_transparentItem = AddMenuItem("Transparent", [this] { SetTransparent(!m_transparent); });
    m_transparentItem->setCheckable(true);
    AddMenuItem("Background Color", [this] { ChooseBackgroundColor(); });
    m_borderItem = AddMenuItem("Border", [this] { SetBorderStyle(m_borderStyle == bsSingle ? bsNone : bsSingle); });
    m_borderItem->setCheckable(true);
    m_borderItem->setChecked(m_borderStyle == bsSingle);
    AddMenuItem("Edit", [this] { EditRichText(); });
}

void TGPRichBaseLabel::ChooseBackgroundColor()
{
    const std::optional<TColor> color = UserDialogs::current().chooseColor(m_bgColor);
    if (!color)
        return;
    m_bgColor = *color;
    NotifyChanged();
    m_transparent = false;
    Invalidate();
}

void TGPRichBaseLabel::RefreshPopup()
{
    TGGraphicControl::RefreshPopup();
    if (m_transparentItem)
        m_transparentItem->setChecked(m_transparent);
    if (m_borderItem)
        m_borderItem->setChecked(m_borderStyle == bsSingle);
}

void TGPRichBaseLabel::EditRichText()
{
    BusyCursor();
    TRichTextLabelEditor editor;
    editor.LoadFrom(*this);
    NormalCursor();
    if (UserDialogs::runModal(editor) == QDialog::Accepted) {
        m_text = editor.Text();
        Invalidate();
        NotifyChanged();
    }
}

TRichText TGPRichBaseLabel::ShownText() const
{
    const QByteArray rtf = m_text.Rtf();
    const QByteArray shown = CardMerge::ShownRtf(*this, rtf);
    return shown == rtf ? m_text : TRichText::fromRtf(shown);
}

QStringList TGPRichBaseLabel::FieldNames() const
{
    return CardFields::rtfNames(m_text.Rtf());
}
