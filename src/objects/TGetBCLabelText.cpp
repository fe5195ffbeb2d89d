#include "objects/TGetBCLabelText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TGetBCLabelText::TGetBCLabelText(const QString &text, const QStringList &personal, QWidget *parent)
    : TGetLabelText(text, parent)
{
    auto *prompt = new QLabel("or select personal information", this);
    PersonalInfoCombo = new QComboBox(this);
    prompt->setBuddy(PersonalInfoCombo);
    ContentLayout()->addWidget(prompt);
    ContentLayout()->addWidget(PersonalInfoCombo);

    PersonalInfoCombo->clear();
    for (const QString &value : personal)
        if (!value.isEmpty())
            PersonalInfoCombo->addItem(value);
    PersonalInfoCombo->setCurrentIndex(-1);
    PersonalInfoCombo->setEnabled(PersonalInfoCombo->count() > 0);
    connect(PersonalInfoCombo, &QComboBox::activated, this, &TGetBCLabelText::PersonalInfoComboChange);
}

void TGetBCLabelText::PersonalInfoComboChange()
{
    if (PersonalInfoCombo->currentIndex() >= 0)
        LabelText->setText(PersonalInfoCombo->currentText());
}
