#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <utility>

class QAction;
class QMenu;
class QObject;

// Menu pieces the shape and the line share: submenus of tagged choices
// whose tick follows the current value, and the colour dialog.
namespace ShapeMenus {

using Choices = QList<std::pair<QString, int>>;

// "1 Point" ... "10 Point", tagged 1 to 10.
Choices thicknessChoices();

// Fills `submenu` with one checkable entry per choice; choosing one calls
// `choose` with its tag. Returns the entries.
QList<QAction *> fillChoices(QMenu *submenu, const Choices &choices, QObject *context,
                             std::function<void(int)> choose);
// Ticks the entry whose tag is `tag` (none when no entry has it).
void tick(const QList<QAction *> &entries, int tag);

} // namespace ShapeMenus
