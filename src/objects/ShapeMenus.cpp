#include "objects/ShapeMenus.h"

#include <QAction>
#include <QMenu>

namespace ShapeMenus {

Choices thicknessChoices()
{
    Choices choices;
    for (int width = 1; width <= 10; ++width)
        choices.append({QString::number(width) + QStringLiteral(" Point"), width});
    return choices;
}

QList<QAction *> fillChoices(QMenu *submenu, const Choices &choices, QObject *context,
                             std::function<void(int)> choose)
{
    QList<QAction *> entries;
    for (const auto &[caption, tag] : choices) {
        QAction *entry = submenu->addAction(caption);
        entry->setCheckable(true);
        entry->setData(tag);
        QObject::connect(entry, &QAction::triggered, context, [choose, tag = tag] { choose(tag); });
        entries.append(entry);
    }
    return entries;
}

void tick(const QList<QAction *> &entries, int tag)
{
    for (QAction *entry : entries)
        entry->setChecked(entry->data().toInt() == tag);
}

} // namespace ShapeMenus
