#include "print/TPrintFineTune.h"

#include "platform/UserDialogs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TPrintFineTune::TPrintFineTune(const TSheetNudges &nudges, QWidget *parent)
    : QDialog(parent), m_nudges(nudges)
{
    setWindowTitle(QStringLiteral("Printer Fine-Tuning"));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    layout->addLayout(grid);
    lTopMarginNudge = AddPanel(grid, 0, QStringLiteral("Top Margin nudge"),
                               QStringLiteral("Increase or decrease to adjust where vertical printing starts. "),
                               &TPrintFineTune::TopMarginSpinnerUpClick, &TPrintFineTune::TopMarginSpinnerDownClick);
    LLeftMarginNudge = AddPanel(grid, 1, QStringLiteral("Left Margin nudge"),
                                QStringLiteral("Increase or decrease to adjust where horizontal printing starts. "),
                                &TPrintFineTune::LeftMarginSpinnerUpClick, &TPrintFineTune::LeftMarginSpinnerDownClick);
    LVerticalSpacing = AddPanel(
        grid, 2, QStringLiteral("Vertical Spacing"),
        QStringLiteral("Increase or decrease to adjust vertical spacing between cards.( You may need to adjust "
                       "this if printing \"creeps\" between the top and bottom cards.)"),
        &TPrintFineTune::VerticalSpacingSpinnerUpClick, &TPrintFineTune::VerticalSpacingSpinnerDownClick);
    LHorizontalSpacing = AddPanel(
        grid, 3, QStringLiteral("Horizontal Spacing"),
        QStringLiteral("Increase or decrease to adjust horizontal spacing between cards "),
        &TPrintFineTune::HorizontalSpacingSpinnerUpClick, &TPrintFineTune::HorizontalSpacingSpinnerDownClick);

    auto *buttons = new QHBoxLayout;
    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setDefault(true);
    auto *defaults = new QPushButton(QStringLiteral("Restore Default"), this);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto *help = new QPushButton(QStringLiteral("Help"), this);
    for (QPushButton *b : {ok, defaults, cancel, help})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TPrintFineTune::OKButtonClick);
    connect(defaults, &QPushButton::clicked, this, &TPrintFineTune::DefaultButtonClick);
    connect(cancel, &QPushButton::clicked, this, &TPrintFineTune::CancelbuttonClick);
    connect(help, &QPushButton::clicked, this, &TPrintFineTune::HelpbuttonClick);
    ShowValues();
}

QLabel *TPrintFineTune::AddPanel(QGridLayout *grid, int row, const QString &caption, const QString &explanation,
                                 void (TPrintFineTune::*up)(), void (TPrintFineTune::*down)())
{
    auto *panel = new QGroupBox(caption, this);
    auto *h = new QHBoxLayout(panel);
    auto *value = new QLabel(panel);
    QFont bold = value->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    value->setFont(bold);
    value->setMinimumWidth(180);
    auto *arrows = new QVBoxLayout;
    auto *upButton = new QToolButton(panel);
    upButton->setArrowType(Qt::UpArrow);
    auto *downButton = new QToolButton(panel);
    downButton->setArrowType(Qt::DownArrow);
    arrows->addWidget(upButton);
    arrows->addWidget(downButton);
    auto *text = new QLabel(explanation, panel);
    text->setWordWrap(true);
    h->addWidget(value);
    h->addLayout(arrows);
    h->addWidget(text, 1);
    grid->addWidget(panel, row, 0);
    connect(upButton, &QToolButton::clicked, this, up);
    connect(downButton, &QToolButton::clicked, this, down);
    return value;
}

QString TPrintFineTune::NudgeText(int nudge)
{
    if (nudge == 0)
        return QStringLiteral("None");
    if (nudge > 0)
        return QStringLiteral("Increase by %1/32\"").arg(nudge);
    return QStringLiteral("Decrease by %1/32\"").arg(-nudge);
}

void TPrintFineTune::ShowValues()
{
    lTopMarginNudge->setText(NudgeText(m_nudges.TopMarginNudge));
    LLeftMarginNudge->setText(NudgeText(m_nudges.LeftMarginNudge));
    LVerticalSpacing->setText(NudgeText(m_nudges.VerticalSpacing));
    LHorizontalSpacing->setText(NudgeText(m_nudges.HorizontalSpacing));
}

void TPrintFineTune::Down(int &nudge)
{
    if (nudge < Limit)
        ++nudge;
    ShowValues();
}

void TPrintFineTune::Up(int &nudge)
{
    if (nudge >= -Limit + 1)
        --nudge;
    ShowValues();
}

void TPrintFineTune::DefaultButtonClick()
{
    m_nudges = TSheetNudges();
    ShowValues();
}

void TPrintFineTune::HelpbuttonClick()
{
    UserDialogs::showHelp(2103);
}
