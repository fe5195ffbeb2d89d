#pragma once

#include "design/SheetLayout.h"

#include <QDialog>
#include <optional>
#include <stdexcept>

class LengthEdit;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

// A layout the "Business Card Layout" dialog refused; the dialog shows the
// message and stays open.
class EValid : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The "Business Card Layout" dialog: a predefined stock or hand-typed card
// size, margins, pitches, counts, paper and orientation, shown in inches or
// millimetres. It edits its own copy of a layout; the caller applies the
// result on OK. Everything it does is reachable without exec(): construct
// it, set the controls, call OkButtonClick() and read Layout().
class TEditCardLayout : public QDialog
{
    Q_OBJECT
public:
    static constexpr int HelpTopicNumber = 3101;

    explicit TEditCardLayout(const SheetLayoutSetting &setting, QWidget *parent = nullptr);

    // Shows the dialog modally; the edited layout and display unit on OK,
    // nothing on Cancel.
    static std::optional<SheetLayoutSetting> Execute(const SheetLayoutSetting &setting,
                                                     QWidget *parent = nullptr);

    // The dialog's layout copy (after OK: the accepted layout).
    const SheetLayout &Layout() const { return m_layout; }
    bool UseMM() const;
    SheetLayoutSetting Setting() const { return {m_layout, UseMM()}; }

    // The controls, by the names the handlers refer to.
    QComboBox *PredefinedLayouts = nullptr;
    QRadioButton *Inchesbutton = nullptr;
    QRadioButton *MMButton = nullptr;
    LengthEdit *eCardwidth = nullptr;
    LengthEdit *eCardHeight = nullptr;
    LengthEdit *eHorizPitch = nullptr;
    LengthEdit *eVertPitch = nullptr;
    LengthEdit *eleftmarg = nullptr;
    LengthEdit *etopmarg = nullptr;
    QSpinBox *enbracross = nullptr;
    QSpinBox *enbrdown = nullptr;
    QComboBox *epapersize = nullptr;
    QRadioButton *eLandscape = nullptr;
    QRadioButton *ePortrait = nullptr;
    QPushButton *OkButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QPushButton *HelpButton = nullptr;

signals:
    // The "Help" button; the application shows the topic.
    void HelpRequested(int topic);

public slots:
    // First activation: selects the layout's stock and shows its values.
    void FormActivate();
    void PredefinedLayoutsChange();
    void InchesbuttonClick();
    void MMButtonClick();
    void eCardwidthExit();
    void eCardHeightExit();
    // Takes the controls into the layout; closes with OK and returns true
    // when ValidCard accepts it, otherwise stays open and returns false.
    bool OkButtonClick();
    void CancelbuttonClick();
    void HelpButtonClick();

public:
    void FillEditsFromValues();
    // Shows the first rule the layout breaks and returns false.
    bool ValidCard();

private:
    void FormCreate();
    QWidget *createStockRow();
    QWidget *createUnitRow();
    QWidget *createMeasuresBox();
    QGroupBox *createOrientationBox();
    QWidget *createButtonRow();
    void connectHandlers();

    QList<LengthEdit *> lengthEdits() const;
    QList<float *> layoutLengths();
    void showLayoutLengths(int decimals, double factor);
    void takeEditLengths(double factor);

    SheetLayout m_layout;
    bool m_suppressStockChange = true;
    bool m_activated = false;
    bool m_editsInMM = false; // the unit the six length edits show
};
