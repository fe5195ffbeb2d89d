#include "objects/TCircleTextProperties.h"

#include "design/ObjectSampleView.h"
#include "objects/TGPCircleText.h"
#include "platform/FormPlacement.h"
#include "platform/HelpTopics.h"
#include "platform/ScreenMetrics.h"
#include "platform/UserDialogs.h"
#include "widgets/TDFSXPColorButton.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QSlider *quarterBar(QWidget *parent)
{
    auto *bar = new QSlider(Qt::Horizontal, parent);
    bar->setRange(1, 4);
    bar->setPageStep(1);
    bar->setTickInterval(1);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setMinimumWidth(100);
    return bar;
}

QString degreesText(int position)
{
    return QString::number(position * 90) + QStringLiteral(" degrees");
}

} // namespace

TCircleTextProperties::TCircleTextProperties(QWidget *parent) : QDialog(parent)
{
    static const bool helpRegistered = (RegisterHelpTopic(HelpTopicNumber, "circletext.html"), true);
    Q_UNUSED(helpRegistered);
    setObjectName("TCircleTextProperties");
    setWindowTitle("CircleText Properties");
    m_preview = std::make_unique<TGPCircleText>();
    m_preview->SetBounds(0, 0, 100, 100);
    m_fullSize = QSize(100, 100);
    BuildControls();
    ConnectControls();
    PlaceDialog(*this);
    CaptionText->setFocus();
}

TCircleTextProperties::~TCircleTextProperties() = default;

void TCircleTextProperties::BuildControls()
{
    CaptionText = new QLineEdit(this);
    auto *textRow = new QFormLayout;
    textRow->addRow("Text", CaptionText);

    Panel1 = new ObjectSampleView(*m_preview, QPoint(0, 0), this);
    Panel1->setObjectName("Panel1");
    Panel1->setMinimumSize(290, 260);

    auto *arcBox = new QGroupBox("Arc", this);
    DegreesBar = quarterBar(arcBox);
    DegreesLabel = new QLabel(arcBox);
    StartingAngleBar = quarterBar(arcBox);
    StartingAngleLabel = new QLabel(arcBox);
    cbDrawLettersAngled = new QCheckBox("Angled Characters", arcBox);
    cbMirrored = new QCheckBox("Mirrored", arcBox);
    auto *arcGrid = new QGridLayout(arcBox);
    arcGrid->addWidget(new QLabel("Degrees", arcBox), 0, 0);
    arcGrid->addWidget(DegreesBar, 0, 1);
    arcGrid->addWidget(DegreesLabel, 0, 2);
    arcGrid->addWidget(new QLabel("Starting Angle", arcBox), 1, 0);
    arcGrid->addWidget(StartingAngleBar, 1, 1);
    arcGrid->addWidget(StartingAngleLabel, 1, 2);
    arcGrid->addWidget(cbDrawLettersAngled, 2, 0, 1, 3);
    arcGrid->addWidget(cbMirrored, 3, 0, 1, 3);
    arcGrid->setColumnStretch(1, 1);
    // Room for "360 degrees" so the bar does not jump.
    DegreesLabel->setMinimumWidth(DegreesLabel->fontMetrics().horizontalAdvance("360 degrees") + 4);

    auto *fontBox = new QGroupBox("Font", this);
    Fontbutton = new QPushButton("Select Font", fontBox);
    FontColorButton = new TDFSXPColorButton(fontBox);
    FontColorButton->SetOtherBtnCaption("&Other");
    FontColorButton->setFixedSize(45, 22);
    FontSizeUp = new QToolButton(fontBox);
    FontSizeUp->setArrowType(Qt::UpArrow);
    FontSizeUp->setFixedSize(22, 14);
    FontSizeDown = new QToolButton(fontBox);
    FontSizeDown->setArrowType(Qt::DownArrow);
    FontSizeDown->setFixedSize(22, 14);
    auto *sizeArrows = new QVBoxLayout;
    sizeArrows->setSpacing(0);
    sizeArrows->addWidget(FontSizeUp);
    sizeArrows->addWidget(FontSizeDown);
    auto *fontForm = new QFormLayout(fontBox);
    fontForm->addRow(Fontbutton);
    fontForm->addRow("Font Color", FontColorButton);
    fontForm->addRow("Font Size", sizeArrows);

    auto *zoomRow = new QHBoxLayout;
    ZoomMinusButton = new QPushButton("-", this);
    ZoomPlusButton = new QPushButton("+", this);
    for (QPushButton *b : {ZoomMinusButton, ZoomPlusButton}) {
        b->setFixedWidth(28);
        b->setAutoDefault(false);
    }
    ZoomLabel = new QLabel("100%", this);
    ZoomLabel->setMinimumWidth(ZoomLabel->fontMetrics().horizontalAdvance("100%") + 4);
    zoomRow->addWidget(new QLabel("Zoom", this));
    zoomRow->addWidget(ZoomMinusButton);
    zoomRow->addWidget(ZoomLabel);
    zoomRow->addWidget(ZoomPlusButton);
    zoomRow->addStretch(1);

    auto *settings = new QVBoxLayout;
    settings->addWidget(arcBox);
    settings->addWidget(fontBox);
    settings->addStretch(1);

    auto *previewColumn = new QVBoxLayout;
    previewColumn->addWidget(Panel1, 1);
    previewColumn->addLayout(zoomRow);

    auto *middle = new QHBoxLayout;
    middle->addLayout(previewColumn, 1);
    middle->addLayout(settings);

    auto *buttons = new QDialogButtonBox(this);
    OkButton = buttons->addButton("Ok", QDialogButtonBox::AcceptRole);
    CancelButton = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    HelpButton = buttons->addButton("Help", QDialogButtonBox::HelpRole);
    OkButton->setDefault(true);
    for (QPushButton *b : {Fontbutton, HelpButton, CancelButton})
        b->setAutoDefault(false);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(textRow);
    layout->addLayout(middle, 1);
    layout->addWidget(buttons);
    resize(582, 396);
}

void TCircleTextProperties::ConnectControls()
{
    connect(CaptionText, &QLineEdit::textChanged, this, [this] { CaptionTextChange(); });
    connect(DegreesBar, &QSlider::valueChanged, this, [this] { DegreesBarChange(); });
    connect(StartingAngleBar, &QSlider::valueChanged, this, [this] { StartingAngleBarChange(); });
    connect(cbDrawLettersAngled, &QCheckBox::toggled, this, [this] { cbDrawLettersAngledClick(); });
    connect(cbMirrored, &QCheckBox::toggled, this, [this] { cbMirroredClick(); });
    connect(Fontbutton, &QPushButton::clicked, this, [this] { FontbuttonClick(); });
    connect(FontColorButton, &TDFSXPColorButton::ColorChange, this, [this] { FontColorChange(); });
    connect(FontSizeUp, &QToolButton::clicked, this, [this] { FontSizeClick(true); });
    connect(FontSizeDown, &QToolButton::clicked, this, [this] { FontSizeClick(false); });
    connect(ZoomPlusButton, &QPushButton::clicked, this, [this] { ZoomClick(true); });
    connect(ZoomMinusButton, &QPushButton::clicked, this, [this] { ZoomClick(false); });
    connect(OkButton, &QPushButton::clicked, this, [this] { OkButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this, [this] { HelpButtonClick(); });
}

void TCircleTextProperties::RefreshPreview()
{
    Panel1->Refresh();
}

void TCircleTextProperties::ShowBarLabels()
{
    DegreesLabel->setText(degreesText(DegreesBar->value()));
    StartingAngleLabel->setText(degreesText(StartingAngleBar->value()));
}

void TCircleTextProperties::FormActivate()
{
    const TGPCircleText &p = *m_preview;
    const QSignalBlocker b1(DegreesBar), b2(StartingAngleBar), b3(cbDrawLettersAngled), b4(cbMirrored),
        b5(FontColorButton), b6(CaptionText);
    if (m_zoomPercent == MaxZoomPercent)
        m_fullSize = p.BoundsRect().size();
    DegreesBar->setValue(int(p.Degrees()) + 1);
    StartingAngleBar->setValue(int(p.StartingVector()) + 1);
    ShowBarLabels();
    cbDrawLettersAngled->setChecked(p.DrawLettersAngled());
    cbMirrored->setChecked(p.Mirror());
    FontColorButton->SetColor(p.Font().color);
    CaptionText->setText(p.Caption());
    ZoomLabel->setText(QString::number(m_zoomPercent) + QLatin1Char('%'));
    RefreshPreview();
}

void TCircleTextProperties::CaptionTextChange()
{
    m_preview->SetCaption(CaptionText->text());
    RefreshPreview();
}

void TCircleTextProperties::DegreesBarChange()
{
    m_preview->SetDegrees(TDegrees(DegreesBar->value() - 1));
    ShowBarLabels();
    RefreshPreview();
}

void TCircleTextProperties::StartingAngleBarChange()
{
    m_preview->SetStartingVector(TDegrees(StartingAngleBar->value() - 1));
    ShowBarLabels();
    RefreshPreview();
}

void TCircleTextProperties::cbDrawLettersAngledClick()
{
    m_preview->SetDrawLettersAngled(cbDrawLettersAngled->isChecked());
    RefreshPreview();
}

void TCircleTextProperties::cbMirroredClick()
{
    m_preview->SetMirror(cbMirrored->isChecked());
    RefreshPreview();
}

void TCircleTextProperties::FontbuttonClick()
{
    const std::optional<TFont> font = UserDialogs::current().chooseFont(m_preview->Font(), true);
    if (!font)
        return;
    m_preview->ApplyFont(*font);
    const QSignalBlocker blocker(FontColorButton);
    FontColorButton->SetColor(m_preview->Font().color);
    RefreshPreview();
}

void TCircleTextProperties::FontColorChange()
{
    TFont font = m_preview->Font();
    font.color = FontColorButton->Color();
    m_preview->SetFont(font);
    RefreshPreview();
}

void TCircleTextProperties::FontSizeClick(bool up)
{
    const int ppi = ScreenMetrics::pixelsPerInch();
    TFont font = m_preview->Font();
    const int size = font.size(ppi);
    if (up ? size >= 150 : size <= 10)
        return;
    font.setSize(size + (up ? 5 : -5), ppi);
    m_preview->SetFont(font);
    RefreshPreview();
}

// Whole percent steps: repeated float steps of 0.1 would drift past the
// limits (0.5 is not exact in binary tenths).
void TCircleTextProperties::ZoomClick(bool plus)
{
    if (plus ? m_zoomPercent >= MaxZoomPercent : m_zoomPercent <= MinZoomPercent)
        return;
    m_zoomPercent += plus ? ZoomStepPercent : -ZoomStepPercent;
    ApplyZoom();
}

// The preview is scaled from its full size each time, never step by step,
// so coming back to 100 % gives back exactly the size it had.
void TCircleTextProperties::ApplyZoom()
{
    m_preview->SetZoomDirect(1.0f);
    m_preview->SetBounds(QRect(QPoint(0, 0), m_fullSize));
    m_preview->SetZoom(float(m_zoomPercent) / 100.0f);
    ZoomLabel->setText(QString::number(m_zoomPercent) + QLatin1Char('%'));
    RefreshPreview();
}

void TCircleTextProperties::ResetPreviewZoom()
{
    m_zoomPercent = MaxZoomPercent;
    ApplyZoom();
}

void TCircleTextProperties::OkButtonClick()
{
    if (CaptionText->text().isEmpty()) {
        UserDialogs::current().inform("Please enter some text");
        CaptionText->setFocus();
        return;
    }
    accept();
}

void TCircleTextProperties::HelpButtonClick()
{
    HelpTopic(HelpTopicNumber);
}
