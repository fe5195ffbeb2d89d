#include "print/TWarnBottomMargin.h"

#include "platform/UserDialogs.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char *const kBotMarg = "Business Cards need to print to within 0.5 inches of the bottom, but the "
                             "current printer has a bottom margin setting of :";
const char *const kDifference = "This could result in the bottom of the last two business cards being cut "
                                "off by approximately:";

QLabel *wrappedLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

TWarnBottomMargin::TWarnBottomMargin(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("ALERT"));
    auto *layout = new QVBoxLayout(this);
    BotMarg = wrappedLabel(QString::fromLatin1(kBotMarg), this);
    Difference = wrappedLabel(QString::fromLatin1(kDifference), this);
    layout->addWidget(BotMarg);
    layout->addWidget(Difference);
    layout->addWidget(wrappedLabel(
        QStringLiteral("If your printer driver supports it, you could change the bottom margin to 0.5 "
                       "inches. Otherwise, you should design your cards so that the bottom portion of the "
                       "cards is not used."),
        this));
    QLabel *note = wrappedLabel(QStringLiteral("(Note: some printers, including some of the HP Deskjet "
                                               "series, cannot print beyond a 0.66 inch bottom margin)"),
                                this);
    QFont italic = note->font();
    italic.setItalic(true);
    note->setFont(italic);
    layout->addWidget(note);
    DontShowCheck = new QCheckBox(QStringLiteral("Don't show this warning again"), this);
    layout->addWidget(DontShowCheck);

    auto *buttons = new QHBoxLayout;
    OKButton = new QPushButton(QStringLiteral("Continue"), this);
    OKButton->setDefault(true);
    Cancelbutton = new QPushButton(QStringLiteral("Cancel Printing"), this);
    Helpbutton = new QPushButton(QStringLiteral("Help"), this);
    buttons->addWidget(OKButton);
    buttons->addWidget(Cancelbutton);
    buttons->addWidget(Helpbutton);
    layout->addLayout(buttons);
    connect(OKButton, &QPushButton::clicked, this, &TWarnBottomMargin::OKButtonClick);
    connect(Cancelbutton, &QPushButton::clicked, this, &TWarnBottomMargin::CancelbuttonClick);
    connect(Helpbutton, &QPushButton::clicked, this, &TWarnBottomMargin::HelpbuttonClick);
    resize(420, sizeHint().height());
}

void TWarnBottomMargin::ShowBottomMargin(double inches)
{
    BotMarg->setText(QString::fromLatin1(kBotMarg) + QStringLiteral(" %1 inches").arg(inches, 0, 'f', 3));
    Difference->setText(QString::fromLatin1(kDifference)
                        + QStringLiteral(" %1 inches").arg(inches - 0.5, 0, 'f', 3));
}

void TWarnBottomMargin::HelpbuttonClick()
{
    UserDialogs::showHelp(2105);
}
