#include "app/TMRUFileList.h"

#include "app/TMRUMenuItem.h"
#include "platform/IniFile.h"

#include <QMenu>

TMRUFileList::TMRUFileList(QMenu *menu, const QString &iniFileName, const QString &section,
                           QObject *parent)
    : QObject(parent), m_menu(menu), m_iniFileName(iniFileName), m_section(section)
{
}

void TMRUFileList::SetMaximum(int maximum)
{
    m_maximum = qMax(1, maximum);
    Trim();
    RebuildMenu();
}

void TMRUFileList::Add(const QString &path)
{
    m_items.removeAll(path);
    m_items.prepend(path);
    Trim();
    RebuildMenu();
}

void TMRUFileList::Remove(const QString &path)
{
    m_items.removeAll(path);
    RebuildMenu();
}

void TMRUFileList::Trim()
{
    while (m_items.size() > m_maximum)
        m_items.removeLast();
}

void TMRUFileList::RebuildMenu()
{
    for (QAction *action : std::as_const(m_menuItems)) {
        if (m_menu)
            m_menu->removeAction(action);
        action->deleteLater();
    }
    m_menuItems.clear();
    if (!m_menu || m_items.isEmpty())
        return;
    m_menuItems << m_menu->addSeparator();
    for (int i = 0; i < m_items.size(); ++i) {
        auto *item = new TMRUMenuItem(i + 1, m_items[i], this);
        const QString path = m_items[i];
        // The click rebuilds this menu; old items are deleted later, so the
        // clicked one outlives its own signal.
        connect(item, &QAction::triggered, this, [this, path] { ItemClicked(path); });
        m_menu->addAction(item);
        m_menuItems << item;
    }
}

QList<QAction *> TMRUFileList::MenuItems() const
{
    return m_menuItems.mid(1);
}

void TMRUFileList::ItemClicked(const QString &path)
{
    Remove(path);
    emit FileClicked(path);
}

void TMRUFileList::Load()
{
    // By key number, not by where the keys stand: the file may have been
    // edited, and other keys in the section are not entries.
    const IniFile ini(m_iniFileName);
    m_items.clear();
    for (int i = 0; i < m_maximum; ++i) {
        const QString path = ini.readString(m_section, QStringLiteral("F%1").arg(i), QString());
        if (!path.isEmpty() && !m_items.contains(path))
            m_items << path;
    }
    RebuildMenu();
}

bool TMRUFileList::Save() const
{
    IniFile ini(m_iniFileName);
    ini.eraseSection(m_section);
    for (int i = 0; i < m_items.size(); ++i)
        ini.writeString(m_section, QStringLiteral("F%1").arg(i), m_items[i]);
    return ini.flush();
}
