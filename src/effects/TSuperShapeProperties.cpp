#include "effects/TSuperShapeProperties.h"

#include "platform/AppRoutines.h"
#include "platform/FormPlacement.h"
#include "platform/HelpTopics.h"
#include "design/ObjectSampleView.h"
#include "effects/TSuperShape.h"
#include "effects/TTextureBrowser.h"
#include "platform/UserDialogs.h"
#include "widgets/TColorDrop.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QComboBox *choiceList(const QStringList &items, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->addItems(items);
    return list;
}

QSpinBox *spinEdit(int min, int max, int step, QWidget *parent)
{
    auto *spin = new QSpinBox(parent);
    spin->setRange(min, max);
    spin->setSingleStep(step);
    return spin;
}

// A page of option controls under a choice list, without a frame of its own.
QWidget *optionPanel(QFormLayout *&form, QWidget *parent)
{
    auto *panel = new QWidget(parent);
    form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    return panel;
}

} // namespace

TSuperShapeProperties::TSuperShapeProperties(QWidget *parent)
    : QDialog(parent), m_sample(std::make_unique<TSuperShape>())
{
    static const bool helpRegistered = (RegisterHelpTopic(HelpTopicNumber, "supershape.html"), true);
    Q_UNUSED(helpRegistered);
    setWindowTitle("Super Shape Properties");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    setFont(font);
    m_sample->SetBounds(10, 10, 96, 96);
    BuildControls();
    ConnectControls();
    PlaceDialog(*this);
}

TSuperShapeProperties::~TSuperShapeProperties() = default;

void TSuperShapeProperties::BuildControls()
{
    QFormLayout *form = nullptr;

    // Shape, with the star and rounded-rectangle options stacked beneath.
    ShapeCombo = choiceList({"Rectangle", "Round Rectangle", "Ellipse", "Diamond", "Star", "Triangle Left",
                             "Triangle Right", "Triangle Up", "Triangle Down"},
                            this);
    StarPanel = optionPanel(form, this);
    PointsOnStar = spinEdit(5, 20, 1, StarPanel);
    PercentinVector = spinEdit(0, 90, 5, StarPanel);
    form->addRow("Points On Star", PointsOnStar);
    form->addRow("% of Inward Vector", PercentinVector);
    RoundRectPanel = optionPanel(form, this);
    RoundPercent = spinEdit(0, 90, 5, RoundRectPanel);
    form->addRow("Round Percentage", RoundPercent);
    m_shapeOptions = new QStackedWidget(this);
    m_shapeOptions->addWidget(new QWidget(m_shapeOptions));
    m_shapeOptions->addWidget(StarPanel);
    m_shapeOptions->addWidget(RoundRectPanel);
    auto *shapeGroup = new QGroupBox("Shape", this);
    auto *shapeLayout = new QVBoxLayout(shapeGroup);
    shapeLayout->addWidget(ShapeCombo);
    shapeLayout->addWidget(m_shapeOptions);
    shapeLayout->addStretch();

    // Surface, with the solid, gradient and texture options stacked beneath.
    SurfaceTypeCombo = choiceList({"Transparent", "Solid", "Texture", "Gradient Fill"}, this);
    SolidPanel = optionPanel(form, this);
    BackGroundColorCombo = new TColorDrop(SolidPanel);
    form->addRow("Background Color", BackGroundColorCombo);
    GradientPanel = optionPanel(form, this);
    FillDirectionCombo = choiceList({"Up", "Down", "Left", "Right"}, GradientPanel);
    BackGroundColorCombo2 = new TColorDrop(GradientPanel);
    GradientToColorCombo = new TColorDrop(GradientPanel);
    form->addRow("Fill Direction", FillDirectionCombo);
    form->addRow("From Color", BackGroundColorCombo2);
    form->addRow("To Color", GradientToColorCombo);
    TexturePanel = new QWidget(this);
    auto *textureLayout = new QHBoxLayout(TexturePanel);
    textureLayout->setContentsMargins(0, 0, 0, 0);
    LoadImageButton = new QPushButton("Load Texture", TexturePanel);
    textureLayout->addWidget(LoadImageButton);
    textureLayout->addStretch();
    m_surfaceOptions = new QStackedWidget(this);
    m_surfaceOptions->addWidget(new QWidget(m_surfaceOptions));
    m_surfaceOptions->addWidget(SolidPanel);
    m_surfaceOptions->addWidget(GradientPanel);
    m_surfaceOptions->addWidget(TexturePanel);
    auto *surfaceGroup = new QGroupBox("Surface Type", this);
    auto *surfaceLayout = new QVBoxLayout(surfaceGroup);
    surfaceLayout->addWidget(SurfaceTypeCombo);
    surfaceLayout->addWidget(m_surfaceOptions);
    surfaceLayout->addStretch();

    // Shadow and outline rows.
    ShadowColorCombo = new TColorDrop(this);
    ShadowOrientationCombo = choiceList({"None", "Lower Right", "Upper Right", "Upper Left", "Lower Left"}, this);
    ShadowDepthSpinner = spinEdit(0, 10, 1, this);
    OutlineColorCombo = new TColorDrop(this);
    OutlineStyleCombo = choiceList(
        {"Solid Line", "Dash Line", "Dotted Line", "DashDot Line", "DashDotDot Line", "Clear"}, this);
    OutLineWidthSpinner = spinEdit(0, 10, 1, this);
    auto *lines = new QGroupBox("Shadow and Outline", this);
    auto *grid = new QGridLayout(lines);
    auto addCell = [grid, this](int row, int column, const QString &caption, QWidget *control) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(control);
        grid->addWidget(label, row * 2, column);
        grid->addWidget(control, row * 2 + 1, column);
    };
    addCell(0, 0, "Shadow Color", ShadowColorCombo);
    addCell(0, 1, "Shadow Orientation", ShadowOrientationCombo);
    addCell(0, 2, "Shadow Depth", ShadowDepthSpinner);
    addCell(1, 0, "Outline Color", OutlineColorCombo);
    addCell(1, 1, "OutLine Style", OutlineStyleCombo);
    addCell(1, 2, "Outline Width", OutLineWidthSpinner);

    SampleBox = new ObjectSampleView(*m_sample, QPoint(10, 10), this);
    SampleBox->setMinimumSize(230, 230);
    auto *sampleGroup = new QGroupBox("Sample", this);
    auto *sampleLayout = new QVBoxLayout(sampleGroup);
    sampleLayout->addWidget(SampleBox);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *help = buttons->addButton("Help", QDialogButtonBox::HelpRole);
    QPushButton *ok = buttons->addButton("Ok", QDialogButtonBox::AcceptRole);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &TSuperShapeProperties::HelpButtonClick);

    auto *choices = new QHBoxLayout;
    choices->addWidget(shapeGroup);
    choices->addWidget(surfaceGroup);
    auto *left = new QVBoxLayout;
    left->addLayout(choices, 1);
    left->addWidget(lines);
    auto *body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(sampleGroup, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);
    resize(592, 393);
}

void TSuperShapeProperties::ConnectControls()
{
    using Activated = void (QComboBox::*)(int);
    const Activated activated = &QComboBox::activated;
    connect(ShapeCombo, activated, this, &TSuperShapeProperties::ShapeComboClick);
    connect(SurfaceTypeCombo, activated, this, &TSuperShapeProperties::SurfaceTypeComboChange);
    connect(FillDirectionCombo, activated, this, &TSuperShapeProperties::FillDirectionComboChange);
    connect(ShadowOrientationCombo, activated, this, &TSuperShapeProperties::ShadowOrientationComboChange);
    connect(OutlineStyleCombo, activated, this, &TSuperShapeProperties::OutlineStyleComboChange);
    connect(LoadImageButton, &QPushButton::clicked, this, &TSuperShapeProperties::LoadImageButtonClick);

    auto onSpin = [this](QSpinBox *spin, std::function<void(TSuperShape &, int)> set) {
        connect(spin, &QSpinBox::valueChanged, this, [this, set](int value) {
            set(*m_sample, value);
            RefreshSample();
        });
    };
    onSpin(PointsOnStar, [](TSuperShape &s, int v) { s.SetVectors(v * 2); });
    onSpin(PercentinVector, [](TSuperShape &s, int v) { s.SetInVectorPercent(v); });
    onSpin(RoundPercent, [](TSuperShape &s, int v) { s.SetRoundPerc(v); });
    onSpin(ShadowDepthSpinner, [](TSuperShape &s, int v) { s.SetShadowDepth(v); });
    onSpin(OutLineWidthSpinner, [](TSuperShape &s, int v) { s.SetOutlineWidth(v); });

    auto onColor = [this](TColorDrop *drop, std::function<void(TSuperShape &, TColor)> set) {
        connect(drop, &TColorDrop::ColorChanged, this, [this, set](TColor c) {
            set(*m_sample, c);
            RefreshSample();
        });
    };
    onColor(GradientToColorCombo, [](TSuperShape &s, TColor c) { s.SetGradientToColor(c); });
    onColor(ShadowColorCombo, [](TSuperShape &s, TColor c) { s.SetShadowColor(c); });
    onColor(OutlineColorCombo, [](TSuperShape &s, TColor c) { s.SetOutlineColor(c); });
    // "Background Color" and "From Color" are one property shown twice.
    auto linkBackground = [this](TColorDrop *from, TColorDrop *to) {
        connect(from, &TColorDrop::ColorChanged, this, [this, to](TColor c) {
            m_sample->SetBackColor(c);
            const QSignalBlocker quiet(to);
            to->SetColor(c);
            RefreshSample();
        });
    };
    linkBackground(BackGroundColorCombo, BackGroundColorCombo2);
    linkBackground(BackGroundColorCombo2, BackGroundColorCombo);
}

void TSuperShapeProperties::FormActivate()
{
    TSuperShape &s = *m_sample;
    {
        const QList<QWidget *> controls{ShapeCombo, PointsOnStar, PercentinVector, RoundPercent,
                                        SurfaceTypeCombo, FillDirectionCombo, BackGroundColorCombo,
                                        BackGroundColorCombo2, GradientToColorCombo, OutlineColorCombo,
                                        OutlineStyleCombo, OutLineWidthSpinner, ShadowColorCombo,
                                        ShadowOrientationCombo, ShadowDepthSpinner};
        std::vector<std::unique_ptr<QSignalBlocker>> quiet;
        for (QWidget *control : controls)
            quiet.push_back(std::make_unique<QSignalBlocker>(control));
        ShapeCombo->setCurrentIndex(s.Shape() < ShapeCombo->count() ? int(s.Shape()) : -1);
        PointsOnStar->setValue(s.Vectors() / 2);
        PercentinVector->setValue(s.InVectorPercent());
        RoundPercent->setValue(s.RoundPerc());
        SurfaceTypeCombo->setCurrentIndex(int(s.SurfaceType()));
        FillDirectionCombo->setCurrentIndex(int(s.FillDirection()));
        BackGroundColorCombo->SetColor(s.BackColor());
        BackGroundColorCombo2->SetColor(s.BackColor());
        GradientToColorCombo->SetColor(s.GradientToColor());
        OutlineColorCombo->SetColor(s.OutlineColor());
        OutlineStyleCombo->setCurrentIndex(s.OutlineStyle() <= psClear ? int(s.OutlineStyle()) : -1);
        OutLineWidthSpinner->setValue(s.OutlineWidth());
        ShadowColorCombo->SetColor(s.ShadowColor());
        ShadowOrientationCombo->setCurrentIndex(int(s.ShadowOrient()));
        ShadowDepthSpinner->setValue(s.ShadowDepth());
    }
    // A value the spin edit had to clamp is written back as shown. The star
    // points only matter to a star: a polygon keeps its vertex count.
    if (s.Shape() == gstStar && s.Vectors() != PointsOnStar->value() * 2)
        s.SetVectors(PointsOnStar->value() * 2);
    if (s.InVectorPercent() != PercentinVector->value())
        s.SetInVectorPercent(PercentinVector->value());
    if (s.RoundPerc() != RoundPercent->value())
        s.SetRoundPerc(RoundPercent->value());
    if (s.OutlineWidth() != OutLineWidthSpinner->value())
        s.SetOutlineWidth(OutLineWidthSpinner->value());
    if (s.ShadowDepth() != ShadowDepthSpinner->value())
        s.SetShadowDepth(ShadowDepthSpinner->value());
    UpdatePanels();
    m_lastTexture = s.Image();
    RefreshSample();
}

void TSuperShapeProperties::UpdatePanels()
{
    const TSuperShape &s = *m_sample;
    m_shapeOptions->setCurrentIndex(s.Shape() == gstStar ? 1 : s.Shape() == gstRoundRect ? 2 : 0);
    switch (s.SurfaceType()) {
    case TSuperShape::stBrushPattern:
        m_surfaceOptions->setCurrentIndex(1);
        break;
    case TSuperShape::stGradientFill:
        m_surfaceOptions->setCurrentIndex(2);
        break;
    case TSuperShape::stBrushImage:
        m_surfaceOptions->setCurrentIndex(3);
        break;
    case TSuperShape::stBrushTransparent:
        m_surfaceOptions->setCurrentIndex(0);
        break;
    }
}

void TSuperShapeProperties::RefreshSample()
{
    SampleBox->Refresh();
}

void TSuperShapeProperties::ShapeComboClick()
{
    if (ShapeCombo->currentIndex() < 0)
        return;
    m_sample->SetShape(TGPShapeType(ShapeCombo->currentIndex()));
    UpdatePanels();
    RefreshSample();
}

void TSuperShapeProperties::SurfaceTypeComboChange()
{
    if (SurfaceTypeCombo->currentIndex() < 0)
        return;
    m_sample->SetSurfaceType(TSuperShape::TSurfaceType(SurfaceTypeCombo->currentIndex()));
    // The setter dropped the texture when the surface was something else.
    if (m_sample->SurfaceType() == TSuperShape::stBrushImage)
        m_sample->SetImage(m_lastTexture);
    RefreshSample();
    UpdatePanels();
}

void TSuperShapeProperties::FillDirectionComboChange()
{
    if (FillDirectionCombo->currentIndex() >= 0)
        m_sample->SetFillDirection(TFillDirection(FillDirectionCombo->currentIndex()));
    RefreshSample();
}

void TSuperShapeProperties::ShadowOrientationComboChange()
{
    if (ShadowOrientationCombo->currentIndex() >= 0)
        m_sample->SetShadowOrient(TShadowOrient(ShadowOrientationCombo->currentIndex()));
    RefreshSample();
}

void TSuperShapeProperties::OutlineStyleComboChange()
{
    if (OutlineStyleCombo->currentIndex() >= 0)
        m_sample->SetOutlineStyle(TPenStyle(OutlineStyleCombo->currentIndex()));
    RefreshSample();
}

void TSuperShapeProperties::LoadImageButtonClick()
{
    TGBrushImageBrowser browser(this);
    browser.Start(m_texturePath, ProgramFolder());
    browser.ExampleSuperShape().CopyShapeFrom(*m_sample);
    browser.RefreshExample();
    PlaceDialog(browser);
    if (UserDialogs::runModal(browser) == QDialog::Accepted) {
        m_sample->SetImage(browser.ExampleSuperShape().Image());
        m_lastTexture = m_sample->Image();
        m_texturePath = browser.FileName();
    }
    RefreshSample();
}

void TSuperShapeProperties::HelpButtonClick()
{
    HelpTopic(HelpTopicNumber);
}
