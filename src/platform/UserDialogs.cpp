#include "platform/UserDialogs.h"

#include "platform/QtUserDialogs.h"

#include <QPointer>
#include <QWidget>

namespace {

std::unique_ptr<UserDialogs> &installed()
{
    static std::unique_ptr<UserDialogs> dialogs;
    return dialogs;
}

QPointer<QWidget> &parent()
{
    static QPointer<QWidget> widget;
    return widget;
}

} // namespace

UserDialogs &UserDialogs::current()
{
    auto &dialogs = installed();
    if (!dialogs)
        dialogs = std::make_unique<QtUserDialogs>();
    return *dialogs;
}

std::unique_ptr<UserDialogs> UserDialogs::install(std::unique_ptr<UserDialogs> dialogs)
{
    auto previous = std::move(installed());
    installed() = std::move(dialogs);
    return previous;
}

void UserDialogs::setParentWidget(QWidget *widget)
{
    parent() = widget;
}

QWidget *UserDialogs::parentWidget()
{
    return parent().data();
}

std::optional<TColor> UserDialogs::chooseColorWithCustom(TColor initial, QList<TColor> &)
{
    return chooseColor(initial);
}
