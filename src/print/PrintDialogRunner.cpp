#include "print/PrintDialogRunner.h"

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

int PrintDialogRunner::Run(QDialog &dialog)
{
    if (runner())
        return runner()(dialog);
    return dialog.exec();
}

void PrintDialogRunner::SetRunner(std::function<int(QDialog &)> runner_)
{
    runner() = std::move(runner_);
}

void PrintDialogRunner::ShowHelp(int topic)
{
    if (helpHandler())
        helpHandler()(topic);
}

void PrintDialogRunner::SetHelpHandler(std::function<void(int topic)> handler)
{
    helpHandler() = std::move(handler);
}
