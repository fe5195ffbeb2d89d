#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;

// The recent-files list: full paths, most recent first, at most `Maximum`.
// It shows itself at the end of a menu (a separator and "&1 path" ...);
// clicking an entry removes it and reports the path. It is kept in an INI
// section as "F0", "F1", ..., but only when Save() is called.
class TMRUFileList : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultMaximum = 5;

    TMRUFileList(QMenu *menu, const QString &iniFileName, const QString &section,
                 QObject *parent = nullptr);

    int Maximum() const { return m_maximum; }
    void SetMaximum(int maximum);
    const QStringList &Items() const { return m_items; }
    bool IsEmpty() const { return m_items.isEmpty(); }

    // Puts the path first (moved when present); the oldest falls off.
    void Add(const QString &path);
    void Remove(const QString &path);
    void RebuildMenu();
    // The entries in the menu, in order (tests click them).
    QList<QAction *> MenuItems() const;

    // Reads the keys "F0" ... in the order of their numbers (most recent
    // first), then rebuilds the menu.
    void Load();
    // Erases the section and writes the entries; false on a write failure.
    bool Save() const;

signals:
    // An entry was clicked; it has already left the list.
    void FileClicked(const QString &path);

private:
    void ItemClicked(const QString &path);
    void Trim();

    QPointer<QMenu> m_menu;
    QString m_iniFileName;
    QString m_section;
    int m_maximum = DefaultMaximum;
    QStringList m_items;
    QList<QAction *> m_menuItems; // the separator first, then the entries
};
