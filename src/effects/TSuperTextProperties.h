#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <QTimer>

#include <memory>

class ObjectSampleView;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QToolButton;
class TDFSXPColorButton;
class TGSuperText;

// The "SuperText Properties" dialog: text, font, surface, shadow and outline
// of a SuperText tried out on a private sample that grows and shrinks with
// the text. EditProperties copies the card object into the sample before
// and takes the sample back only when the dialog closes with OK.
//
// Each control's handler is public so that tests drive the dialog without
// exec(): set the control, call its handler, read Sample().
class TSuperTextProperties : public QDialog
{
    Q_OBJECT
public:
    static constexpr int HelpTopicNumber = 40014;
    static constexpr int RefitInterval = 200; // ms

    explicit TSuperTextProperties(QWidget *parent = nullptr);
    ~TSuperTextProperties() override;

    TGSuperText &Sample() const { return *m_sample; }
    QString TexturePath() const { return m_texturePath; }
    void SetTexturePath(const QString &path) { m_texturePath = path; }
    const QImage &LastUsedTexture() const { return m_lastTexture; }
    // The picture "Texture" shows before any file was loaded.
    static QImage DefaultTexture();
    bool CaptionChanged() const { return m_captionChanged; }

    QLineEdit *CaptionText = nullptr;
    QListWidget *SurfaceTypeCombo = nullptr;
    QWidget *FontColorPanel = nullptr;
    TDFSXPColorButton *FontColorButton = nullptr;
    QWidget *GradientPanel = nullptr;
    QComboBox *FillDirectionCombo = nullptr;
    TDFSXPColorButton *GradientFromcolorButton = nullptr;
    TDFSXPColorButton *GradientToColorButton = nullptr;
    QWidget *TexturePanel = nullptr;
    QPushButton *LoadImageButton = nullptr;
    TDFSXPColorButton *ShadowColorButton = nullptr;
    QComboBox *ShadowOrientationCombo = nullptr;
    QSpinBox *ShadowDepthSpinner = nullptr;
    TDFSXPColorButton *OutlineColorButton = nullptr;
    QComboBox *OutlineStyleCombo = nullptr;
    QSpinBox *OutLineWidthSpinner = nullptr;
    QPushButton *HelpButton = nullptr;
    QPushButton *SelectFontButton = nullptr;
    QToolButton *FontSizeUp = nullptr;
    QToolButton *FontSizeDown = nullptr;
    QPushButton *SelectSymbolButton = nullptr;
    QPushButton *OkButton = nullptr;
    QPushButton *CancelButton = nullptr;
    ObjectSampleView *SamplePanel = nullptr;
    QTimer Timer1;

    // Shows the sample's values in the controls.
    void FormActivate();
    void UpdatePanels();

    void CaptionTextChange();
    void SurfaceTypeComboClick();
    void FillDirectionComboChange();
    void OutlineStyleComboChange();
    void ShadowOrientationComboChange();
    void OutLineWidthSpinnerChange();
    void ShadowDepthSpinnerChange();
    void SelectFontClick();
    void FontSizeClick(bool up);
    void SelectSymbolClick();
    void LoadImageButtonClick();
    void Timer1Timer();
    void OkButtonClick();
    void HelpButtonClick();

private:
    void BuildControls();
    void ConnectControls();
    void RefreshSample();
    void FitSample();
    void ShowFaceInTextBox();

    std::unique_ptr<TGSuperText> m_sample;
    QString m_texturePath;
    QImage m_lastTexture;
    bool m_captionChanged = false;
};
