#include "app/TCardSideCommands.h"

#include "app/TMainMenus.h"
#include "app/TMainScreen.h"
#include "app/TUndoHistory.h"
#include "design/CardSides.h"
#include "design/TGBusinessCardPanel32.h"
#include "platform/AppRoutines.h"
#include "platform/UserDialogs.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

TCardSideCommands::TCardSideCommands(TMainScreen &window) : QObject(&window), m_window(window)
{
    TMainMenus &menus = *window.Menus;
    menus.ViewMenu->addSeparator();
    auto *sides = new QActionGroup(this);
    FrontItem = menus.ViewMenu->addAction(QStringLiteral("Front"));
    FrontItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    BackItem = menus.ViewMenu->addAction(QStringLiteral("Back"));
    BackItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    for (QAction *item : {FrontItem, BackItem}) {
        item->setCheckable(true);
        sides->addAction(item);
    }
    connect(FrontItem, &QAction::triggered, this, [this] { ShowSide(false); });
    connect(BackItem, &QAction::triggered, this, [this] { ShowSide(true); });

    menus.EditMenu->addSeparator();
    AddBackItem = menus.EditMenu->addAction(QStringLiteral("Add Back"));
    RemoveBackItem = menus.EditMenu->addAction(QStringLiteral("Remove Back"));
    connect(AddBackItem, &QAction::triggered, this, &TCardSideCommands::AddBack);
    connect(RemoveBackItem, &QAction::triggered, this, &TCardSideCommands::RemoveBack);

    // The switch sits above the card and shows which side is on screen.
    Switch = new QWidget;
    Switch->setObjectName(QStringLiteral("SideSwitch"));
    auto *row = new QHBoxLayout(Switch);
    row->setContentsMargins(8, 4, 8, 4);
    row->setSpacing(0);
    FrontButton = new QPushButton(QStringLiteral("Front"), Switch);
    BackButton = new QPushButton(QStringLiteral("Back"), Switch);
    auto *buttons = new QButtonGroup(Switch);
    for (QPushButton *button : {FrontButton, BackButton}) {
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        buttons->addButton(button);
        row->addWidget(button);
    }
    row->addStretch();
    connect(FrontButton, &QPushButton::clicked, this, [this] { ShowSide(false); });
    connect(BackButton, &QPushButton::clicked, this, [this] { ShowSide(true); });
    if (auto *column = qobject_cast<QVBoxLayout *>(window.centralWidget()->layout()))
        column->insertWidget(column->indexOf(window.ScrollBox1), Switch);

    connect(&window, &TMainScreen::SidesChanged, this, &TCardSideCommands::UpdateItems);
    UpdateItems();
}

void TCardSideCommands::UpdateItems()
{
    const CardSides &sides = m_window.Sides();
    const bool back = sides.BackShown();
    FrontItem->setChecked(!back);
    BackItem->setChecked(back);
    BackItem->setEnabled(sides.HasBack);
    FrontButton->setChecked(!back);
    BackButton->setChecked(back);
    BackButton->setEnabled(sides.HasBack);
    BackButton->setToolTip(sides.HasBack ? QString() : QStringLiteral("The card has no back: Edit, Add Back"));
    AddBackItem->setEnabled(!sides.HasBack);
    RemoveBackItem->setEnabled(sides.HasBack);
}

void TCardSideCommands::ShowSide(bool back)
{
    CardSides sides = m_window.Sides();
    if ((back && !sides.HasBack) || sides.BackShown() == back) {
        UpdateItems();
        return;
    }
    TGBusinessCardPanel32 &panel = *m_window.BusinessCardPanel;
    m_window.History->Settle();
    QString background = m_window.BackgroundPath();
    QString error;
    const bool wasLoading = m_window.Loading();
    m_window.SetLoading(true);
    const bool ok = sides.Swap(panel, background, &error);
    m_window.SetLoading(wasLoading);
    if (ok) {
        m_window.SetBackgroundPath(background);
        m_window.SetSides(sides);
    } else {
        UserDialogs::current().error(error);
    }
    m_window.History->Rebase();
    UpdateItems();
}

void TCardSideCommands::AddBack()
{
    if (m_window.Sides().HasBack) {
        ShowSide(true);
        return;
    }
    m_window.History->Settle();
    CardSides sides = m_window.Sides();
    sides.HasBack = true;
    sides.Shown = CardSides::sdFront;
    sides.HiddenObjects.clear();
    sides.HiddenBackground.clear();
    m_window.SetSides(sides);
    m_window.History->Settle(QStringLiteral("Add Back"));
    ShowSide(true);
}

void TCardSideCommands::RemoveBack()
{
    if (!m_window.Sides().HasBack)
        return;
    if (!Ask(QStringLiteral("Remove the back of the card?"), QStringLiteral("CONFIRM")))
        return;
    ShowSide(false);
    if (m_window.Sides().BackShown())
        return; // the front could not be shown
    m_window.History->Settle();
    m_window.SetSides(CardSides());
    m_window.History->Settle(QStringLiteral("Remove Back"));
}

void TCardSideCommands::ChangeHiddenSide(TMainScreen &window,
                                         const std::function<void(TGBusinessCardPanel32 &)> &change)
{
    CardSides sides = window.Sides();
    if (!sides.HasBack)
        return;
    TGBusinessCardPanel32 &shown = *window.BusinessCardPanel;
    QString error;
    auto panel = CardSides::MakePanel(&window, shown, window.Layout().Layout, sides.HiddenObjects,
                                      QString(), &error);
    if (!panel || (change(*panel), !CardSides::Capture(*panel, &sides.HiddenObjects, &error))) {
        UserDialogs::current().error(error);
        return;
    }
    window.SetSides(sides);
}
