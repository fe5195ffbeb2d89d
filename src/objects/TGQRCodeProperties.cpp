#include "objects/TGQRCodeProperties.h"

#include "objects/QRCodeDrawing.h"
#include "objects/VCard.h"
#include "platform/Canvas.h"
#include "platform/UserDialogs.h"
#include "widgets/TDFSXPColorButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// The live sample: the code as the card shows it, on a light checkerboard
// where it is transparent.
class TQRSampleView : public QFrame
{
public:
    explicit TQRSampleView(const TGQRCodeProperties &dialog, QWidget *parent)
        : QFrame(parent), m_dialog(dialog)
    {
        setFrameShape(QFrame::StyledPanel);
        setMinimumSize(240, 240);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QFrame::paintEvent(event);
        QPainter painter(this);
        const QRect inside = contentsRect().adjusted(6, 6, -6, -6);
        // At the screen's own resolution: sharp module edges on a HiDPI screen.
        painter.drawImage(inside.topLeft(), m_dialog.RenderSample(inside.size(), devicePixelRatioF()));
    }

private:
    const TGQRCodeProperties &m_dialog;
};

TDFSXPColorButton *colorButton(QWidget *parent)
{
    auto *button = new TDFSXPColorButton(parent);
    button->SetOtherBtnCaption("&Other");
    button->setFixedSize(45, 22);
    return button;
}

} // namespace

TGQRCodeProperties::TGQRCodeProperties(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("QR Code Properties"));
    BuildControls();
    SetPersonalInformation({});
    Refresh();
}

TGQRCodeProperties::~TGQRCodeProperties() = default;

void TGQRCodeProperties::BuildControls()
{
    auto *left = new QVBoxLayout;
    left->addWidget(BuildContentGroup(), 1);
    left->addWidget(BuildLookGroup());

    auto *sampleGroup = new QGroupBox(QStringLiteral("Sample"), this);
    auto *sampleLayout = new QVBoxLayout(sampleGroup);
    SampleBox = new TQRSampleView(*this, sampleGroup);
    StatusLabel = new QLabel(sampleGroup);
    StatusLabel->setWordWrap(true);
    StatusLabel->setMinimumHeight(StatusLabel->fontMetrics().lineSpacing() * 4);
    StatusLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    sampleLayout->addWidget(SampleBox, 1);
    sampleLayout->addWidget(StatusLabel);

    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addWidget(sampleGroup, 2);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    OkButton = buttons->button(QDialogButtonBox::Ok);
    OkButton->setText(QStringLiteral("Ok"));
    OkButton->setDefault(true);
    CancelButton = buttons->button(QDialogButtonBox::Cancel);
    connect(OkButton, &QPushButton::clicked, this, &TGQRCodeProperties::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *main = new QVBoxLayout(this);
    main->addLayout(columns, 1);
    main->addWidget(buttons);
    resize(720, 460);
}

QWidget *TGQRCodeProperties::BuildContentGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Content"), this);
    auto *layout = new QVBoxLayout(group);
    auto *kindForm = new QFormLayout;
    ContentKindCombo = new QComboBox(group);
    ContentKindCombo->addItems({QStringLiteral("Contact card (from Personal Information)"),
                                QStringLiteral("Web address"), QStringLiteral("Text")});
    kindForm->addRow(QStringLiteral("&Holds:"), ContentKindCombo);
    layout->addLayout(kindForm);

    ContentPages = new QStackedWidget(group);
    auto *cardPage = new QWidget;
    auto *cardLayout = new QVBoxLayout(cardPage);
    cardLayout->setContentsMargins(0, 0, 0, 0);
    auto *cardNote = new QLabel(QStringLiteral("Built from Edit > Personal Information whenever this dialog "
                                               "opens; empty values are left out."),
                                cardPage);
    cardNote->setWordWrap(true);
    ContactCardView = new QPlainTextEdit(cardPage);
    ContactCardView->setReadOnly(true);
    ContactCardView->setLineWrapMode(QPlainTextEdit::NoWrap);
    cardLayout->addWidget(cardNote);
    cardLayout->addWidget(ContactCardView, 1);

    auto *webPage = new QWidget;
    auto *webLayout = new QFormLayout(webPage);
    webLayout->setContentsMargins(0, 0, 0, 0);
    WebAddressEdit = new QLineEdit(webPage);
    WebAddressEdit->setPlaceholderText(QStringLiteral("https://www.example.com"));
    webLayout->addRow(QStringLiteral("&Address:"), WebAddressEdit);

    auto *textPage = new QWidget;
    auto *textLayout = new QVBoxLayout(textPage);
    textLayout->setContentsMargins(0, 0, 0, 0);
    TextEdit = new QPlainTextEdit(textPage);
    textLayout->addWidget(TextEdit);

    ContentPages->addWidget(cardPage);
    ContentPages->addWidget(webPage);
    ContentPages->addWidget(textPage);
    layout->addWidget(ContentPages, 1);

    connect(ContentKindCombo, &QComboBox::currentIndexChanged, this, &TGQRCodeProperties::ContentKindComboChange);
    connect(WebAddressEdit, &QLineEdit::textChanged, this, &TGQRCodeProperties::Refresh);
    connect(TextEdit, &QPlainTextEdit::textChanged, this, &TGQRCodeProperties::Refresh);
    return group;
}

QWidget *TGQRCodeProperties::BuildLookGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Appearance"), this);
    auto *form = new QFormLayout(group);
    ModuleColorButton = colorButton(group);
    ModuleColorButton->SetColor(clBlack);
    form->addRow(QStringLiteral("Module color:"), ModuleColorButton);

    auto *back = new QHBoxLayout;
    BackColorButton = colorButton(group);
    BackColorButton->SetColor(clWhite);
    TransparentCheck = new QCheckBox(QStringLiteral("&Transparent"), group);
    back->addWidget(BackColorButton);
    back->addWidget(TransparentCheck);
    back->addStretch();
    form->addRow(QStringLiteral("Background color:"), back);

    LevelCombo = new QComboBox(group);
    LevelCombo->addItems({QStringLiteral("L - about 7% may be damaged"), QStringLiteral("M - about 15% may be damaged"),
                          QStringLiteral("Q - about 25% may be damaged"), QStringLiteral("H - about 30% may be damaged")});
    LevelCombo->setCurrentIndex(int(qlM));
    form->addRow(QStringLiteral("&Error correction:"), LevelCombo);

    QuietZoneCheck = new QCheckBox(QStringLiteral("&Quiet zone of four modules around the code"), group);
    QuietZoneCheck->setChecked(true);
    form->addRow(QString(), QuietZoneCheck);

    connect(ModuleColorButton, &TDFSXPColorButton::ColorChange, this, [this] { SampleBox->update(); });
    connect(BackColorButton, &TDFSXPColorButton::ColorChange, this, [this] { SampleBox->update(); });
    connect(TransparentCheck, &QCheckBox::toggled, this, &TGQRCodeProperties::Refresh);
    connect(LevelCombo, &QComboBox::currentIndexChanged, this, &TGQRCodeProperties::Refresh);
    connect(QuietZoneCheck, &QCheckBox::toggled, this, [this] { SampleBox->update(); });
    return group;
}

void TGQRCodeProperties::SetPersonalInformation(const QStringList &values)
{
    m_contactCard = VCard::ContactCard(values);
    ContactCardView->setPlainText(m_contactCard);
    Refresh();
}

void TGQRCodeProperties::LoadFrom(const TGQRCode &code)
{
    switch (code.ContentKind()) {
    case qcWebAddress:
        WebAddressEdit->setText(code.Content());
        break;
    case qcText:
        TextEdit->setPlainText(code.Content());
        break;
    case qcContactCard:
        break; // rebuilt from the personal information instead
    }
    ContentKindCombo->setCurrentIndex(int(code.ContentKind()));
    ModuleColorButton->SetColor(code.ModuleColor());
    BackColorButton->SetColor(code.BackColor());
    TransparentCheck->setChecked(code.Transparent());
    LevelCombo->setCurrentIndex(int(code.Level()));
    QuietZoneCheck->setChecked(code.QuietZone());
    ContentKindComboChange();
}

void TGQRCodeProperties::StoreTo(TGQRCode &code) const
{
    code.SetContentKind(ContentKind());
    code.SetContent(CurrentContent());
    code.SetLevel(TQRLevel(LevelCombo->currentIndex()));
    code.SetModuleColor(ModuleColorButton->Color());
    code.SetBackColor(BackColorButton->Color());
    code.SetTransparent(TransparentCheck->isChecked());
    code.SetQuietZone(QuietZoneCheck->isChecked());
}

TQRContent TGQRCodeProperties::ContentKind() const
{
    return TQRContent(std::max(0, ContentKindCombo->currentIndex()));
}

QString TGQRCodeProperties::NormalisedWebAddress(const QString &typed)
{
    const QString address = typed.trimmed();
    static const QRegularExpression scheme(QStringLiteral("^([a-z][a-z0-9+.-]*://|(mailto|tel|sms|geo):)"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (address.isEmpty() || scheme.match(address).hasMatch())
        return address;
    return QStringLiteral("https://") + address;
}

QString TGQRCodeProperties::CurrentContent() const
{
    switch (ContentKind()) {
    case qcWebAddress: return NormalisedWebAddress(WebAddressEdit->text());
    case qcText: return TextEdit->toPlainText();
    case qcContactCard: break;
    }
    return m_contactCard;
}

void TGQRCodeProperties::ContentKindComboChange()
{
    ContentPages->setCurrentIndex(int(ContentKind()));
    Refresh();
}

void TGQRCodeProperties::Refresh()
{
    if (!LevelCombo || !StatusLabel)
        return; // still being built
    m_matrix = QRMatrix::Encode(CurrentContent(), TQRLevel(LevelCombo->currentIndex()), &m_error);
    BackColorButton->setEnabled(!TransparentCheck->isChecked());
    QPalette palette = StatusLabel->palette();
    palette.setColor(QPalette::WindowText, m_matrix ? QColor(Qt::black) : QColor(0xB0, 0, 0));
    StatusLabel->setPalette(palette);
    StatusLabel->setText(StatusText());
    SampleBox->update();
}

QString TGQRCodeProperties::StatusText() const
{
    if (!m_matrix)
        return m_error;
    return QStringLiteral("Version %1: %2 x %2 modules, %3 bytes.")
        .arg(m_matrix->Version())
        .arg(m_matrix->Size())
        .arg(CurrentContent().toUtf8().size());
}

QImage TGQRCodeProperties::RenderSample(QSize size, qreal ratio) const
{
    size = size.expandedTo(QSize(1, 1));
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    const bool transparent = TransparentCheck->isChecked();
    QPainter painter(&image);
    if (transparent) {
        constexpr int Cell = 8;
        for (int y = 0; y < size.height(); y += Cell)
            for (int x = 0; x < size.width(); x += Cell)
                if (((x + y) / Cell) % 2)
                    painter.fillRect(x, y, Cell, Cell, QColor(0xE4, 0xE4, 0xE4));
    }
    if (m_matrix) {
        TCanvas canvas(&painter);
        QRCodeDrawing::Paint(canvas, *m_matrix, QRect(QPoint(0, 0), size), QuietZoneCheck->isChecked(),
                             ModuleColorButton->Color(),
                             transparent ? std::nullopt : std::optional<TColor>(BackColorButton->Color()));
    }
    painter.end();
    return image;
}

void TGQRCodeProperties::OkButtonClick()
{
    Refresh();
    if (!m_matrix) {
        UserDialogs::current().inform(m_error);
        return;
    }
    accept();
}
