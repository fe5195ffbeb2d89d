#include "design/TGPanelMenu.h"

#include "design/TGBasePanel.h"
#include "design/TGHandle.h"

#include <QFileInfo>
#include <QMenu>

TGPanelMenu::TGPanelMenu(TGBasePanel *panel) : m_panel(panel), m_menu(new QMenu)
{
    using P = TGBasePanel;
    m_needSelection << Add("Bring To Front", &P::BringSelectionToFront)
                    << Add("Send To Back", &P::SendSelectionToBack);
    m_menu->addSeparator();
    m_needSelection << Add("Cut", &P::Cut) << Add("Copy", &P::Copy);
    m_paste = Add("Paste", &P::Paste);
    m_menu->addSeparator();
    m_needSelection << Add("Delete", &P::Delete);
    m_menu->addSeparator();
    m_needSelection << Add("Align Left", &P::AlignLeft) << Add("Align Right", &P::AlignRight)
                    << Add("Align Tops", &P::AlignTops) << Add("Align Bottoms", &P::AlignBottoms);
    m_menu->addSeparator();
    m_needSelection << Add("Center Vertically", &P::CenterSelectionVertically)
                    << Add("Center Horizontally", &P::CenterSelectionHorizontally);
    m_menu->addSeparator();
    m_lockAll = Add("Lock All", &P::LockAll);
    m_unlockAll = Add("Unlock All", &P::UnlockAll);
    m_menu->addSeparator();
    Add("Mark All Selectable", &P::MarkAllSelectable);
    Add("Mark All Unselectable", &P::MarkAllUnselectable);
    Add("Select All", &P::SelectAll);
    m_menu->addSeparator();
    m_needSelection << Add("Font", &P::ChooseFont);
    connect(m_menu, &QMenu::aboutToShow, this, &TGPanelMenu::UpdateEnabled);
}

TGPanelMenu::~TGPanelMenu()
{
    delete m_menu;
}

QAction *TGPanelMenu::Add(const char *caption, void (TGBasePanel::*command)())
{
    const QString name = QString::fromLatin1(caption);
    QAction *item = m_menu->addAction(name);
    TGBasePanel *panel = m_panel;
    connect(item, &QAction::triggered, panel, [panel, command, name] {
        const TGPanelAction action(panel, name);
        (panel->*command)();
    });
    return item;
}

void TGPanelMenu::UpdateEnabled()
{
    const bool selection = m_panel->Handle()->SelectionCount() > 0;
    for (QAction *item : m_needSelection)
        item->setEnabled(selection);
    m_paste->setEnabled(m_panel->CanPaste());
    const bool several = m_panel->ChildCount() > 1;
    m_lockAll->setEnabled(several);
    m_unlockAll->setEnabled(several);
}
