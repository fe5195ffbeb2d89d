#include "platform/UserDialogs.h"

#include "platform/QtUserDialogs.h"

#include <QDialog>
#include <QPointer>
#include <QWidget>

#include <utility>

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

using ModalRunner = std::function<int(QDialog &)>;

// Shared, so that a runner that replaces itself while it runs (a nested
// dialog's script) stays alive until it returns.
std::shared_ptr<ModalRunner> &modalRunner()
{
    static std::shared_ptr<ModalRunner> runner;
    return runner;
}

std::function<void(int)> &helpHandler()
{
    static std::function<void(int)> handler;
    return handler;
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

TAnswer UserDialogs::askWithCancel(const QString &text, const QString &caption)
{
    return ask(text, caption) ? TAnswer::anYes : TAnswer::anNo;
}

std::optional<TColor> UserDialogs::chooseColorWithCustom(TColor initial, QList<TColor> &)
{
    return chooseColor(initial);
}

int UserDialogs::runModal(QDialog &dialog)
{
    const std::shared_ptr<ModalRunner> runner = modalRunner();
    return runner ? (*runner)(dialog) : dialog.exec();
}

std::function<int(QDialog &)> UserDialogs::setModalRunner(std::function<int(QDialog &)> runner)
{
    std::shared_ptr<ModalRunner> previous = std::exchange(
        modalRunner(), runner ? std::make_shared<ModalRunner>(std::move(runner)) : nullptr);
    return previous ? *previous : ModalRunner();
}

void UserDialogs::showHelp(int topic)
{
    if (const auto handler = helpHandler())
        handler(topic);
}

std::function<void(int)> UserDialogs::setHelpHandler(std::function<void(int)> handler)
{
    return std::exchange(helpHandler(), std::move(handler));
}
