#pragma once

#include <QObject>

class QAction;
class QMenu;
class TGBasePanel;

// The panel's right-click menu (also the handle's): its entries in order and
// the rule that enables them just before it opens.
class TGPanelMenu : public QObject
{
    Q_OBJECT
public:
    explicit TGPanelMenu(TGBasePanel *panel);
    ~TGPanelMenu() override;

    QMenu *Menu() const { return m_menu; }
    void UpdateEnabled();

private:
    QAction *Add(const char *caption, void (TGBasePanel::*command)());

    TGBasePanel *m_panel;
    QMenu *m_menu;
    QList<QAction *> m_needSelection;
    QAction *m_paste = nullptr;
    QAction *m_lockAll = nullptr;
    QAction *m_unlockAll = nullptr;
};
