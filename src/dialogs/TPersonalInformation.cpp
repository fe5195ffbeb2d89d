#include "dialogs/TPersonalInformation.h"

#include "platform/UserDialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TPersonalInformation::TPersonalInformation(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("Personal Information"));
    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    const auto add = [&](QLineEdit *&edit, const QString &label) {
        edit = new QLineEdit(this);
        edit->setMinimumWidth(260);
        form->addRow(label, edit);
    };
    add(pPersonalName, QStringLiteral("Name"));
    add(pPersonalCompany, QStringLiteral("Company"));
    add(pPersonalTitle, QStringLiteral("Title"));
    add(pPersonalAddress1, QStringLiteral("Address 1"));
    add(pPersonalAddress2, QStringLiteral("Address 2"));
    add(pPersonalAddress3, QStringLiteral("Address 3"));
    add(pPersonalPhone1, QStringLiteral("Phone 1"));
    add(pPersonalPhone2, QStringLiteral("Phone 2"));
    add(pPersonalEmail, QStringLiteral("E-mail"));
    add(pPersonalFax, QStringLiteral("Fax"));

    auto *buttons = new QDialogButtonBox(this);
    OKButton = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    Cancelbutton = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    Helpbutton = buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TPersonalInformation::OKButtonClick);
    connect(Cancelbutton, &QPushButton::clicked, this, &TPersonalInformation::CancelbuttonClick);
    connect(Helpbutton, &QPushButton::clicked, this, &TPersonalInformation::HelpbuttonClick);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QList<QLineEdit *> TPersonalInformation::Edits() const
{
    return {pPersonalName,     pPersonalCompany,  pPersonalTitle,  pPersonalAddress1,
            pPersonalAddress2, pPersonalAddress3, pPersonalPhone1, pPersonalPhone2,
            pPersonalEmail,    pPersonalFax};
}

void TPersonalInformation::SetValues(const QStringList &values)
{
    const QList<QLineEdit *> edits = Edits();
    for (int i = 0; i < edits.size(); ++i)
        edits[i]->setText(values.value(i));
}

QStringList TPersonalInformation::Values() const
{
    QStringList values;
    for (const QLineEdit *edit : Edits())
        values << edit->text();
    return values;
}

void TPersonalInformation::OKButtonClick()
{
    accept();
}

void TPersonalInformation::CancelbuttonClick()
{
    reject();
}

void TPersonalInformation::HelpbuttonClick()
{
    UserDialogs::showHelp(HelpTopicNumber);
}
