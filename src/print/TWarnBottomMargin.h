#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

// "ALERT": the printer cannot print close enough to the bottom of the sheet
// for the last row of cards.
class TWarnBottomMargin : public QDialog
{
    Q_OBJECT
public:
    explicit TWarnBottomMargin(QWidget *parent = nullptr);

    QLabel *BotMarg = nullptr;
    QLabel *Difference = nullptr;
    QCheckBox *DontShowCheck = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *Cancelbutton = nullptr;
    QPushButton *Helpbutton = nullptr;

    // Appends the measured bottom margin (inches) to both texts.
    void ShowBottomMargin(double inches);

    void OKButtonClick() { accept(); }
    void CancelbuttonClick() { reject(); }
    void HelpbuttonClick();
};
