#pragma once

#include <QDialog>

#include <memory>

class QComboBox;
class QWidget;
class TColorDrop;
class TGBaseLabel;
class TGPLabel;

// The "Text 3D Effects" dialog: shadow and highlight direction, colour and
// depth and the text colour, tried out on a sample label and written back
// to the label on OK. Reachable without exec(): construct it, set the
// lists, call OkButtonClick() and read the label.
class TGFont3DEffects : public QDialog
{
    Q_OBJECT
public:
    static constexpr int HelpTopicNumber = 40008;

    explicit TGFont3DEffects(TGBaseLabel &label, QWidget *parent = nullptr);
    ~TGFont3DEffects() override;

    QComboBox *ShadowDirection = nullptr;
    TColorDrop *ShadowColorCombo = nullptr;
    QComboBox *ShadowDepth = nullptr;
    QComboBox *HighlightDirection = nullptr;
    TColorDrop *HighLightColorCombo = nullptr;
    QComboBox *HighLightDepth = nullptr;
    TColorDrop *FontColorCombo = nullptr;
    QWidget *SamplePanel = nullptr;
    // The preview; it has no panel and is painted by SamplePanel.
    TGPLabel &Sample() const { return *m_sample; }

    void FormActivate();
    void OkButtonClick();
    void HelpButtonClick();

private:
    void BuildControls();
    void ConnectControls();
    // Applies a change to the sample only and shows it.
    void ChangeSample(const std::function<void(TGPLabel &)> &change);

    TGBaseLabel &m_label;
    std::unique_ptr<TGPLabel> m_sample;
};
