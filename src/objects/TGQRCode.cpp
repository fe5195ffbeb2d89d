#include "objects/TGQRCode.h"

#include "design/CardFields.h"
#include "design/CardMerge.h"
#include "design/TGBusinessCardPanel32.h"
#include "objects/QRCodeDrawing.h"
#include "objects/TGQRCodeProperties.h"
#include "objects/VCard.h"
#include "platform/Canvas.h"
#include "platform/Numbers.h"
#include "platform/ScreenMetrics.h"
#include "platform/UserDialogs.h"

#include <QDialog>

namespace {

constexpr int PersonalValueCount = 10;

} // namespace

TGQRCode::TGQRCode(QObject *owner) : TGGraphicControl(owner)
{
    InitSize(96, 96);
}

TGQRCode::~TGQRCode() = default;

const TPropertyList &TGQRCode::properties()
{
    using C = TGQRCode;
    static const TPropertyList list = TPropertyBuilder<C>(TGGraphicControl::properties())
        .enumeration("ContentKind", qrContentNames(), &C::ContentKind, &C::SetContentKind, int(qcContactCard))
        .string("Content", &C::Content, &C::SetContent, QString())
        .enumeration("Level", qrLevelNames(), &C::Level, &C::SetLevel, int(qlM))
        .color("ModuleColor", &C::ModuleColor, &C::SetModuleColor, clBlack)
        .color("BackColor", &C::BackColor, &C::SetBackColor, clWhite)
        .boolean("Transparent", &C::Transparent, &C::SetTransparent, false)
        .boolean("QuietZone", &C::QuietZone, &C::SetQuietZone, true)
        .build();
    return list;
}

void TGQRCode::Changed()
{
    Invalidate();
    if (!IsLoading())
        NotifyChanged();
}

void TGQRCode::ContentChanged()
{
    m_matrixValid = false;
    m_matrix.reset();
    Changed();
}

void TGQRCode::SetContentKind(TQRContent value)
{
    if (value < qcContactCard || value > qcText || value == m_kind)
        return;
    m_kind = value;
    Changed();
}

void TGQRCode::SetContent(const QString &value)
{
    if (value == m_content)
        return;
    m_content = value;
    ContentChanged();
}

void TGQRCode::SetLevel(TQRLevel value)
{
    if (value < qlL || value > qlH || value == m_level)
        return;
    m_level = value;
    ContentChanged();
}

void TGQRCode::SetModuleColor(TColor value)
{
    if (value == m_moduleColor)
        return;
    m_moduleColor = value;
    Changed();
}

void TGQRCode::SetBackColor(TColor value)
{
    if (value == m_backColor)
        return;
    m_backColor = value;
    Changed();
}

void TGQRCode::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    Changed();
}

void TGQRCode::SetQuietZone(bool value)
{
    if (value == m_quietZone)
        return;
    m_quietZone = value;
    Changed();
}

const std::optional<QRMatrix> &TGQRCode::Matrix() const
{
    const QString content = ShownContent();
    if (!m_matrixValid || content != m_matrixContent) {
        m_matrix = QRMatrix::Encode(content, m_level, &m_encodeError);
        m_matrixContent = content;
        m_matrixValid = true;
    }
    return m_matrix;
}

QString TGQRCode::EncodeError() const
{
    Matrix();
    return m_encodeError;
}

std::optional<TColor> TGQRCode::Background() const
{
    if (m_transparent)
        return std::nullopt;
    return m_backColor;
}

QStringList TGQRCode::PanelPersonalInformation() const
{
    const auto *panel = qobject_cast<const TGBusinessCardPanel32 *>(Panel());
    QStringList values;
    for (int i = 0; i < PersonalValueCount; ++i)
        values << (panel ? panel->PersonalInformation(i) : QString());
    return values;
}

// ---- the dialog ----

bool TGQRCode::EditProperties()
{
    TGQRCodeProperties dialog;
    dialog.SetPersonalInformation(PanelPersonalInformation());
    dialog.LoadFrom(*this);
    const int result = UserDialogs::runModal(dialog);
    if (result != QDialog::Accepted)
        return false;
    dialog.StoreTo(*this);
    return true;
}

void TGQRCode::AddToCard(TGBusinessCardPanel32 &panel)
{
    const int side = Numbers::roundHalfEven(double(ScreenMetrics::pixelsPerInch()) * double(panel.Zoom()));
    const QRect r((panel.width() - side) / 2, (panel.height() - side) / 2, side, side);
    const TLPanelState before = panel.PanelState();
    panel.SetPanelState(psQRCode);
    panel.CreateObject(r);
    panel.SetPanelState(before);
}

// ---- menu ----

void TGQRCode::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    AddMenuSeparator();
    AddMenuItem("QR Code Properties", [this] { EditProperties(); });
}

// ---- drawing ----

void TGQRCode::Paint(TCanvas &canvas)
{
    const auto *panel = qobject_cast<TGBusinessCardPanel32 *>(Panel());
    if ((panel && panel->PaintingSuppressed()) || Width() <= 0 || Height() <= 0)
        return;
    if (const std::optional<QRMatrix> &matrix = Matrix()) {
        QRCodeDrawing::Paint(canvas, *matrix, QRect(0, 0, Width(), Height()), m_quietZone, m_moduleColor,
                             Background());
        return;
    }
    // Nothing to show: a dotted frame keeps the box findable.
    TPen pen;
    pen.color = clGray;
    pen.style = psDot;
    canvas.setPen(pen);
    TBrush brush;
    brush.style = bsClear;
    canvas.setBrush(brush);
    canvas.rectangle(0, 0, Width(), Height());
}

// A contact card on a card filled from a list is the record's own card;
// other codes fill the fields in their text.
QString TGQRCode::ShownContent() const
{
    if (m_kind == qcContactCard)
        if (const std::optional<QStringList> record = CardMerge::RecordPersonal(*this))
            return VCard::ContactCard(*record);
    return CardMerge::Shown(*this, m_content);
}

QStringList TGQRCode::FieldNames() const
{
    return CardFields::names(m_content);
}
