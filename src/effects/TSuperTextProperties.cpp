#include "effects/TSuperTextProperties.h"

#include "design/ObjectSampleView.h"
#include "effects/TGSuperText.h"
#include "effects/TSuperTextGetSymbol.h"
#include "effects/TTextureBrowser.h"
#include "platform/AppRoutines.h"
#include "platform/FormPlacement.h"
#include "platform/HelpTopics.h"
#include "platform/ScreenMetrics.h"
#include "platform/UserDialogs.h"
#include "widgets/TDFSXPColorButton.h"

#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

TDFSXPColorButton *colorButton(QWidget *parent)
{
    auto *button = new TDFSXPColorButton(parent);
    button->SetOtherBtnCaption("&Other");
    button->setFixedSize(45, 22);
    return button;
}

// The example text of the texture browser, as the browser's form holds it.
std::unique_ptr<TGSuperText> browserExample()
{
    auto example = std::make_unique<TGSuperText>();
    TFont font = example->Font();
    font.name = QStringLiteral("Times New Roman");
    font.setSize(48, ScreenMetrics::pixelsPerInch());
    example->SetFont(font);
    example->SetCaption("Text");
    example->SetFillDirection(gdRight);
    example->SetGradientFromColor(clBlue);
    example->SetGradientToColor(clYellow);
    example->SetSurfaceType(TGSuperText::stBrushImage);
    example->SetControlTransparent(true);
    example->SetBorderStyle(TGSuperText::bsNone);
    return example;
}

} // namespace

QImage TSuperTextProperties::DefaultTexture()
{
    // A small seamless weave of warm browns.
    QImage texture(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool warp = ((x / 4) + (y / 8)) % 2 == 0;
            const int shade = warp ? 150 + 6 * (y % 8) : 120 + 6 * (x % 8);
            texture.setPixel(x, y, qRgb(shade, shade * 3 / 4, shade / 2));
        }
    return texture;
}

TSuperTextProperties::TSuperTextProperties(QWidget *parent) : QDialog(parent)
{
    static const bool helpRegistered = (RegisterHelpTopic(HelpTopicNumber, "supertext.html"), true);
    Q_UNUSED(helpRegistered);
    setObjectName("TSuperTextProperties");
    setWindowTitle("SuperText Properties");
    setFont(QFont(Fonts::resolveFamily("Arial"), 8));
    m_lastTexture = DefaultTexture();
    m_sample = std::make_unique<TGSuperText>();
    m_sample->SetBounds(0, 0, 100, 100);
    BuildControls();
    ConnectControls();
    PlaceDialog(*this);
    m_captionChanged = false;
    Timer1.setInterval(RefitInterval);
    connect(&Timer1, &QTimer::timeout, this, &TSuperTextProperties::Timer1Timer);
    Timer1.start();
    CaptionText->setFocus();
}

TSuperTextProperties::~TSuperTextProperties() = default;

void TSuperTextProperties::BuildControls()
{
    CaptionText = new QLineEdit(this);
    auto *textRow = new QFormLayout;
    textRow->addRow("Text", CaptionText);

    SamplePanel = new ObjectSampleView(*m_sample, QPoint(0, 0), this);
    SamplePanel->setFixedSize(554, 190);
    SamplePanel->setFrameShape(QFrame::Box);

    // Surface: the list and the three panels that share one place.
    auto *surfaceBox = new QGroupBox("Surface Type", this);
    SurfaceTypeCombo = new QListWidget(surfaceBox);
    SurfaceTypeCombo->addItems({"Normal", "Transparent", "Texture", "Gradient Fill"});
    SurfaceTypeCombo->setFixedSize(96, 4 * 17 + 6);

    FontColorPanel = new QWidget(surfaceBox);
    FontColorButton = colorButton(FontColorPanel);
    auto *fontColorForm = new QFormLayout(FontColorPanel);
    fontColorForm->setContentsMargins(0, 0, 0, 0);
    fontColorForm->addRow("Font Color", FontColorButton);

    GradientPanel = new QWidget(surfaceBox);
    FillDirectionCombo = new QComboBox(GradientPanel);
    FillDirectionCombo->addItems({"Up", "Down", "Left", "Right"});
    GradientFromcolorButton = colorButton(GradientPanel);
    GradientToColorButton = colorButton(GradientPanel);
    auto *gradientForm = new QFormLayout(GradientPanel);
    gradientForm->setContentsMargins(0, 0, 0, 0);
    gradientForm->addRow("Fill Direction", FillDirectionCombo);
    gradientForm->addRow("From Color", GradientFromcolorButton);
    gradientForm->addRow("To Color", GradientToColorButton);

    TexturePanel = new QWidget(surfaceBox);
    LoadImageButton = new QPushButton("Load Texture", TexturePanel);
    auto *textureLayout = new QVBoxLayout(TexturePanel);
    textureLayout->setContentsMargins(0, 0, 0, 0);
    textureLayout->addWidget(LoadImageButton);
    textureLayout->addStretch(1);

    auto *surfaceLayout = new QGridLayout(surfaceBox);
    surfaceLayout->addWidget(SurfaceTypeCombo, 0, 0, Qt::AlignTop);
    surfaceLayout->addWidget(FontColorPanel, 0, 1, Qt::AlignTop);
    surfaceLayout->addWidget(GradientPanel, 0, 1, Qt::AlignTop);
    surfaceLayout->addWidget(TexturePanel, 0, 1, Qt::AlignTop);
    surfaceLayout->setColumnStretch(1, 1);

    auto *shadowBox = new QGroupBox("Shadow", this);
    ShadowColorButton = colorButton(shadowBox);
    ShadowOrientationCombo = new QComboBox(shadowBox);
    ShadowOrientationCombo->addItems({"None", "Right", "Left", "Down and Right", "Down and Left", "Down"});
    ShadowDepthSpinner = new QSpinBox(shadowBox);
    ShadowDepthSpinner->setRange(0, 10);
    auto *shadowForm = new QFormLayout(shadowBox);
    shadowForm->addRow("Shadow Color", ShadowColorButton);
    shadowForm->addRow("Shadow Orientation", ShadowOrientationCombo);
    shadowForm->addRow("Shadow Depth", ShadowDepthSpinner);

    auto *outlineBox = new QGroupBox("Outline", this);
    OutlineColorButton = colorButton(outlineBox);
    OutlineStyleCombo = new QComboBox(outlineBox);
    OutlineStyleCombo->addItems({"Solid Line", "Dash Line", "Dotted Line", "DashDot Line", "DashDotDot Line", "Clear"});
    OutLineWidthSpinner = new QSpinBox(outlineBox);
    OutLineWidthSpinner->setRange(0, 10);
    auto *outlineForm = new QFormLayout(outlineBox);
    outlineForm->addRow("Outline Color", OutlineColorButton);
    outlineForm->addRow("OutLine Style", OutlineStyleCombo);
    outlineForm->addRow("Outline Width", OutLineWidthSpinner);

    HelpButton = new QPushButton("Help", this);
    SelectFontButton = new QPushButton("Select Font", this);
    FontSizeUp = new QToolButton(this);
    FontSizeUp->setArrowType(Qt::UpArrow);
    FontSizeUp->setFixedSize(18, 12);
    FontSizeDown = new QToolButton(this);
    FontSizeDown->setArrowType(Qt::DownArrow);
    FontSizeDown->setFixedSize(18, 12);
    auto *fontSize = new QVBoxLayout;
    fontSize->setSpacing(0);
    fontSize->addWidget(FontSizeUp);
    fontSize->addWidget(FontSizeDown);
    SelectSymbolButton = new QPushButton("Select Symbol", this);
    OkButton = new QPushButton("Ok", this);
    OkButton->setDefault(true);
    CancelButton = new QPushButton("Cancel", this);

    auto *buttonBar = new QHBoxLayout;
    buttonBar->addWidget(HelpButton);
    buttonBar->addWidget(SelectFontButton);
    buttonBar->addWidget(new QLabel("Font Size", this));
    buttonBar->addLayout(fontSize);
    buttonBar->addWidget(SelectSymbolButton);
    buttonBar->addStretch(1);
    buttonBar->addWidget(OkButton);
    buttonBar->addWidget(CancelButton);

    auto *settings = new QHBoxLayout;
    settings->addWidget(surfaceBox, 1);
    settings->addWidget(shadowBox);
    settings->addWidget(outlineBox);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(textRow);
    layout->addWidget(SamplePanel, 0, Qt::AlignHCenter);
    layout->addLayout(settings);
    layout->addStretch(1);
    layout->addLayout(buttonBar);
    resize(582, 423);
}

void TSuperTextProperties::ConnectControls()
{
    connect(CaptionText, &QLineEdit::textChanged, this, [this] { CaptionTextChange(); });
    connect(SurfaceTypeCombo, &QListWidget::itemClicked, this, [this] { SurfaceTypeComboClick(); });
    connect(SurfaceTypeCombo, &QListWidget::currentRowChanged, this, [this] { SurfaceTypeComboClick(); });
    connect(FillDirectionCombo, &QComboBox::activated, this, [this] { FillDirectionComboChange(); });
    connect(OutlineStyleCombo, &QComboBox::activated, this, [this] { OutlineStyleComboChange(); });
    connect(ShadowOrientationCombo, &QComboBox::activated, this, [this] { ShadowOrientationComboChange(); });
    connect(OutLineWidthSpinner, &QSpinBox::valueChanged, this, [this] { OutLineWidthSpinnerChange(); });
    connect(ShadowDepthSpinner, &QSpinBox::valueChanged, this, [this] { ShadowDepthSpinnerChange(); });
    connect(FontColorButton, &TDFSXPColorButton::ColorChange, this, [this](TColor color) {
        TFont font = m_sample->Font();
        font.color = color;
        m_sample->SetFont(font);
        RefreshSample();
    });
    connect(GradientFromcolorButton, &TDFSXPColorButton::ColorChange, this, [this](TColor color) {
        m_sample->SetGradientFromColor(color);
        RefreshSample();
    });
    connect(GradientToColorButton, &TDFSXPColorButton::ColorChange, this, [this](TColor color) {
        m_sample->SetGradientToColor(color);
        RefreshSample();
    });
    connect(ShadowColorButton, &TDFSXPColorButton::ColorChange, this, [this](TColor color) {
        m_sample->SetShadowcolor(color);
        RefreshSample();
    });
    connect(OutlineColorButton, &TDFSXPColorButton::ColorChange, this, [this](TColor color) {
        m_sample->SetOutlineColor(color);
        RefreshSample();
    });
    connect(HelpButton, &QPushButton::clicked, this, [this] { HelpButtonClick(); });
    connect(SelectFontButton, &QPushButton::clicked, this, [this] { SelectFontClick(); });
    connect(FontSizeUp, &QToolButton::clicked, this, [this] { FontSizeClick(true); });
    connect(FontSizeDown, &QToolButton::clicked, this, [this] { FontSizeClick(false); });
    connect(SelectSymbolButton, &QPushButton::clicked, this, [this] { SelectSymbolClick(); });
    connect(LoadImageButton, &QPushButton::clicked, this, [this] { LoadImageButtonClick(); });
    connect(OkButton, &QPushButton::clicked, this, [this] { OkButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TSuperTextProperties::RefreshSample()
{
    SamplePanel->Refresh();
}

void TSuperTextProperties::FitSample()
{
    m_sample->FitToText();
    RefreshSample();
}

void TSuperTextProperties::ShowFaceInTextBox()
{
    QFont face = CaptionText->font();
    face.setFamily(Fonts::resolveFamily(m_sample->Font().name));
    CaptionText->setFont(face);
}

void TSuperTextProperties::FormActivate()
{
    const TGSuperText &s = *m_sample;
    // The text box is filled with its signals on: like typing, filling it
    // marks the caption changed, so the timer fits the sample to it.
    const QSignalBlocker b1(SurfaceTypeCombo), b2(FillDirectionCombo), b3(OutlineStyleCombo),
        b4(ShadowOrientationCombo), b5(OutLineWidthSpinner), b6(ShadowDepthSpinner), b8(GradientFromcolorButton),
        b9(GradientToColorButton), b10(FontColorButton), b11(OutlineColorButton), b12(ShadowColorButton);
    SurfaceTypeCombo->setCurrentRow(int(s.SurfaceType()));
    FillDirectionCombo->setCurrentIndex(int(s.FillDirection()));
    GradientFromcolorButton->SetColor(s.GradientFromColor());
    GradientToColorButton->SetColor(s.GradientToColor());
    FontColorButton->SetColor(s.Font().color);
    OutlineColorButton->SetColor(s.OutlineColor());
    ShadowColorButton->SetColor(s.Shadowcolor());
    OutlineStyleCombo->setCurrentIndex(std::clamp(int(s.OutlineStyle()), 0, OutlineStyleCombo->count() - 1));
    OutLineWidthSpinner->setValue(s.OutlineWidth());
    ShadowOrientationCombo->setCurrentIndex(int(s.ShadowOrientation()));
    ShadowDepthSpinner->setValue(s.ShadowDepth());
    UpdatePanels();
    if (s.Image().width() > 0)
        m_lastTexture = s.Image();
    CaptionText->setText(s.Caption());
    ShowFaceInTextBox();
    RefreshSample();
}

void TSuperTextProperties::UpdatePanels()
{
    const TGSuperText::TSurfaceType type = m_sample->SurfaceType();
    GradientPanel->setVisible(type == TGSuperText::stGradientFill);
    TexturePanel->setVisible(type == TGSuperText::stBrushImage);
    FontColorPanel->setVisible(type == TGSuperText::stNormal);
}

void TSuperTextProperties::CaptionTextChange()
{
    m_sample->SetCaption(CaptionText->text());
    m_captionChanged = true;
    RefreshSample();
}

void TSuperTextProperties::SurfaceTypeComboClick()
{
    const int row = SurfaceTypeCombo->currentRow();
    if (row < 0)
        return;
    m_sample->SetSurfaceType(TGSuperText::TSurfaceType(row));
    if (m_sample->SurfaceType() == TGSuperText::stBrushImage)
        m_sample->SetImage(m_lastTexture);
    FitSample();
    UpdatePanels();
}

void TSuperTextProperties::FillDirectionComboChange()
{
    m_sample->SetFillDirection(TFillDirection(FillDirectionCombo->currentIndex()));
    RefreshSample();
}

void TSuperTextProperties::OutlineStyleComboChange()
{
    m_sample->SetOutlineStyle(TPenStyle(OutlineStyleCombo->currentIndex()));
    RefreshSample();
}

void TSuperTextProperties::ShadowOrientationComboChange()
{
    m_sample->SetShadowOrientation(TGSuperText::TShadowOrientation(ShadowOrientationCombo->currentIndex()));
    RefreshSample();
}

void TSuperTextProperties::OutLineWidthSpinnerChange()
{
    m_sample->SetOutlineWidth(OutLineWidthSpinner->value());
    RefreshSample();
}

void TSuperTextProperties::ShadowDepthSpinnerChange()
{
    m_sample->SetShadowDepth(ShadowDepthSpinner->value());
    RefreshSample();
}

void TSuperTextProperties::SelectFontClick()
{
    const std::optional<TFont> font = UserDialogs::current().chooseFont(m_sample->Font(), true);
    if (!font)
        return;
    m_sample->ApplyFont(*font);
    FitSample();
    ShowFaceInTextBox();
}

void TSuperTextProperties::FontSizeClick(bool up)
{
    const int ppi = ScreenMetrics::pixelsPerInch();
    TFont font = m_sample->Font();
    const int size = font.size(ppi);
    if (up ? size >= 150 : size <= 10)
        return;
    font.setSize(size + (up ? 5 : -5), ppi);
    m_sample->SetFont(font);
    FitSample();
}

void TSuperTextProperties::SelectSymbolClick()
{
    TSuperTextGetSymbol selector(this);
    if (!selector.NoFonts()) {
        selector.FormActivate();
        if (UserDialogs::runModal(selector) == QDialog::Accepted) {
            CaptionText->setText(selector.ChosenChar());
            TFont font = m_sample->Font();
            font.name = selector.ChosenFontName();
            font.charset = SYMBOL_CHARSET;
            m_sample->SetFont(font);
            FitSample();
            ShowFaceInTextBox();
        }
    }
    NormalCursor();
}

void TSuperTextProperties::LoadImageButtonClick()
{
    const QString previousFolder = QDir::currentPath();
    std::unique_ptr<TGSuperText> made = browserExample();
    TGSuperText &example = *made;
    TSuperTextBrushImageBrowser browser(std::move(made), this);
    browser.Start(m_texturePath, ProgramFolder());
    example.CopyTextFrom(*m_sample);
    browser.RefreshExample();
    PlaceDialog(browser);
    if (UserDialogs::runModal(browser) == QDialog::Accepted) {
        m_sample->SetImage(example.Image());
        m_lastTexture = example.Image();
        m_texturePath = browser.FileName();
    }
    QDir::setCurrent(previousFolder);
    FitSample();
}

void TSuperTextProperties::Timer1Timer()
{
    Timer1.stop();
    if (m_captionChanged) {
        FitSample();
        m_captionChanged = false;
    }
    Timer1.start();
}

void TSuperTextProperties::OkButtonClick()
{
    if (CaptionText->text().isEmpty()) {
        UserDialogs::current().inform("Please enter some text");
        CaptionText->setFocus();
        return;
    }
    accept();
}

void TSuperTextProperties::HelpButtonClick()
{
    HelpTopic(HelpTopicNumber);
}
