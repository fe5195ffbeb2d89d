#include "dialogs/DialogRunner.h"

#include <QDialog>

namespace {
std::function<int(QDialog &)> &runner()
{
    static std::function<int(QDialog &)> current;
    return current;
}
std::function<void(int)> &helpHandler()
{
    static std::function<void(int)> current;
    return current;
}
} // namespace

int DialogRunner::Run(QDialog &dialog)
{
    if (runner())
        return runner()(dialog);
    return dialog.exec();
}

void DialogRunner::SetRunner(std::function<int(QDialog &)> runner_)
{
    runner() = std::move(runner_);
}

void DialogRunner::ShowHelp(int topic)
{
    if (helpHandler())
        helpHandler()(topic);
}

void DialogRunner::SetHelpHandler(std::function<void(int topic)> handler)
{
    helpHandler() = std::move(handler);
}
