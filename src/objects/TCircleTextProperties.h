#pragma once

#include <QDialog>
#include <QSize>

#include <memory>

class ObjectSampleView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QToolButton;
class TDFSXPColorButton;
class TGPCircleText;

// The "CircleText Properties" dialog: text, arc, letter style, font and
// colour of a circular text tried out live on a preview. EditProperties
// copies the card object into the preview before and takes the preview back
// only when the dialog closes with Ok.
//
// Each control's handler is public so that tests drive the dialog without
// exec(): set the control, call its handler, read Preview().
class TCircleTextProperties : public QDialog
{
    Q_OBJECT
public:
    static constexpr int HelpTopicNumber = 40017;
    static constexpr int MinZoomPercent = 50;
    static constexpr int MaxZoomPercent = 100;
    static constexpr int ZoomStepPercent = 10;

    explicit TCircleTextProperties(QWidget *parent = nullptr);
    ~TCircleTextProperties() override;

    TGPCircleText &Preview() const { return *m_preview; }
    // The preview's zoom in whole percent (50 to 100).
    int ZoomPercent() const { return m_zoomPercent; }
    // Back to 100 % with exactly the size the preview had there, so that
    // zooming the preview never resizes the object.
    void ResetPreviewZoom();

    QLineEdit *CaptionText = nullptr;
    ObjectSampleView *Panel1 = nullptr;
    QSlider *DegreesBar = nullptr;
    QLabel *DegreesLabel = nullptr;
    QSlider *StartingAngleBar = nullptr;
    QLabel *StartingAngleLabel = nullptr;
    QCheckBox *cbDrawLettersAngled = nullptr;
    QCheckBox *cbMirrored = nullptr;
    QPushButton *Fontbutton = nullptr;
    TDFSXPColorButton *FontColorButton = nullptr;
    QToolButton *FontSizeUp = nullptr;
    QToolButton *FontSizeDown = nullptr;
    QPushButton *ZoomPlusButton = nullptr;
    QPushButton *ZoomMinusButton = nullptr;
    QLabel *ZoomLabel = nullptr;
    QPushButton *OkButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QPushButton *HelpButton = nullptr;

    // Shows the preview's values in the controls (after it was copied in).
    void FormActivate();

    void CaptionTextChange();
    void DegreesBarChange();
    void StartingAngleBarChange();
    void cbDrawLettersAngledClick();
    void cbMirroredClick();
    void FontbuttonClick();
    void FontColorChange();
    void FontSizeClick(bool up);
    void ZoomClick(bool plus);
    void OkButtonClick();
    void HelpButtonClick();

private:
    void BuildControls();
    void ConnectControls();
    void RefreshPreview();
    void ShowBarLabels();
    void ApplyZoom();

    std::unique_ptr<TGPCircleText> m_preview;
    QSize m_fullSize;
    int m_zoomPercent = MaxZoomPercent;
};
