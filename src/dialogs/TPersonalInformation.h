#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QPushButton;

// "Personal Information": the owner's ten facts (name, company, title, three
// address lines, two phones, e-mail, fax) that templates fill into their
// labels and text labels offer for insertion.
class TPersonalInformation : public QDialog
{
    Q_OBJECT
public:
    static constexpr int HelpTopicNumber = 2102;

    explicit TPersonalInformation(QWidget *parent = nullptr);

    // The ten values in the settings file's order; missing ones are empty.
    void SetValues(const QStringList &values);
    QStringList Values() const;

    QLineEdit *pPersonalName = nullptr;
    QLineEdit *pPersonalCompany = nullptr;
    QLineEdit *pPersonalTitle = nullptr;
    QLineEdit *pPersonalAddress1 = nullptr;
    QLineEdit *pPersonalAddress2 = nullptr;
    QLineEdit *pPersonalAddress3 = nullptr;
    QLineEdit *pPersonalPhone1 = nullptr;
    QLineEdit *pPersonalPhone2 = nullptr;
    QLineEdit *pPersonalEmail = nullptr;
    QLineEdit *pPersonalFax = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *Cancelbutton = nullptr;
    QPushButton *Helpbutton = nullptr;

    void OKButtonClick();
    void CancelbuttonClick();
    void HelpbuttonClick();

private:
    QList<QLineEdit *> Edits() const;
};
