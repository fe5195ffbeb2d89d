#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TFontListBoxx;

// "Select A Font": one typeface for every text item on the card, chosen from
// the installed scalable families with four samples of it.
class TChangeFontAll : public QDialog
{
    Q_OBJECT
public:
    static constexpr int HelpTopicNumber = 2200;

    explicit TChangeFontAll(QWidget *parent = nullptr);

    // The family chosen in the list (empty when the list is empty).
    QString SelectedFont() const;

    QLabel *Label1 = nullptr;
    TFontListBoxx *FontListBox1 = nullptr;
    QLabel *sample1 = nullptr;
    QLabel *sample2 = nullptr;
    QLabel *sample3 = nullptr;
    QLabel *sample4 = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *Cancelbutton = nullptr;
    QPushButton *Helpbutton = nullptr;

    void FormCreate();
    void FontListBox1Click();
    void OKButtonClick();
    void CancelbuttonClick();
    void HelpbuttonClick();
};
