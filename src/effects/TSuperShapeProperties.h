#pragma once

#include <QDialog>
#include <QImage>

#include <memory>

class ObjectSampleView;
class QComboBox;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class TColorDrop;
class TSuperShape;

// The "Super Shape Properties" dialog: every property of a multi-purpose
// shape, tried out at once on a private sample shape. The shape's
// EditProperties copies itself into the sample before and takes the sample
// back only when the dialog closes with OK.
//
// Each control's handler is public so that tests drive the dialog without
// exec(): set the control, call its handler, read Sample().
class TSuperShapeProperties : public QDialog
{
    Q_OBJECT
public:
    static constexpr int HelpTopicNumber = 40011;

    explicit TSuperShapeProperties(QWidget *parent = nullptr);
    ~TSuperShapeProperties() override;

    TSuperShape &Sample() const { return *m_sample; }
    // The texture file: the shape's on entry, the one chosen in the browser after.
    QString TexturePath() const { return m_texturePath; }
    void SetTexturePath(const QString &path) { m_texturePath = path; }
    // The texture "Texture" brings back: the sample's when the dialog
    // became active, or the one last loaded.
    const QImage &LastUsedTexture() const { return m_lastTexture; }

    QComboBox *ShapeCombo = nullptr;
    QWidget *StarPanel = nullptr;
    QSpinBox *PointsOnStar = nullptr;
    QSpinBox *PercentinVector = nullptr;
    QWidget *RoundRectPanel = nullptr;
    QSpinBox *RoundPercent = nullptr;
    QComboBox *SurfaceTypeCombo = nullptr;
    QWidget *SolidPanel = nullptr;
    TColorDrop *BackGroundColorCombo = nullptr;
    QWidget *GradientPanel = nullptr;
    QComboBox *FillDirectionCombo = nullptr;
    TColorDrop *BackGroundColorCombo2 = nullptr;
    TColorDrop *GradientToColorCombo = nullptr;
    QWidget *TexturePanel = nullptr;
    QPushButton *LoadImageButton = nullptr;
    TColorDrop *ShadowColorCombo = nullptr;
    QComboBox *ShadowOrientationCombo = nullptr;
    QSpinBox *ShadowDepthSpinner = nullptr;
    TColorDrop *OutlineColorCombo = nullptr;
    QComboBox *OutlineStyleCombo = nullptr;
    QSpinBox *OutLineWidthSpinner = nullptr;
    ObjectSampleView *SampleBox = nullptr;

    // Shows the sample's values in the controls (each time the dialog
    // becomes active); spin edits clamp them into their ranges and write
    // the clamped value back.
    void FormActivate();
    void UpdatePanels();

    void ShapeComboClick();
    void SurfaceTypeComboChange();
    void FillDirectionComboChange();
    void ShadowOrientationComboChange();
    void OutlineStyleComboChange();
    void LoadImageButtonClick();
    void HelpButtonClick();

private:
    void BuildControls();
    void ConnectControls();
    void RefreshSample();

    std::unique_ptr<TSuperShape> m_sample;
    QString m_texturePath;
    QImage m_lastTexture;
    QStackedWidget *m_shapeOptions = nullptr;
    QStackedWidget *m_surfaceOptions = nullptr;
};
