#include "objects/TGetLabelText.h"

#include "platform/FormPlacement.h"
#include "platform/HelpTopics.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TGetLabelText::TGetLabelText(const QString &text, QWidget *parent) : QDialog(parent)
{
    static const bool helpRegistered = (RegisterHelpTopic(HelpTopicNumber, "text.html"), true);
    Q_UNUSED(helpRegistered);
    setWindowTitle("Text");
    auto *layout = new QVBoxLayout(this);
    auto *prompt = new QLabel("Enter Text", this);
    LabelText = new QLineEdit(text, this);
    prompt->setBuddy(LabelText);
    layout->addWidget(prompt);
    layout->addWidget(LabelText);
    m_content = new QVBoxLayout;
    layout->addLayout(m_content);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton("Ok", QDialogButtonBox::AcceptRole);
    QPushButton *help = buttons->addButton("Help", QDialogButtonBox::HelpRole);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TGetLabelText::OkButtonClick);
    connect(help, &QPushButton::clicked, this, &TGetLabelText::HelpButtonClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(320);
    LabelText->setFocus();
    PlaceDialog(*this);
}

QString TGetLabelText::Text() const
{
    return LabelText->text();
}

void TGetLabelText::OkButtonClick()
{
    accept();
}

void TGetLabelText::HelpButtonClick()
{
    HelpTopic(HelpTopicNumber);
}
