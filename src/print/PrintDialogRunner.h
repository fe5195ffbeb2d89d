#pragma once

#include <functional>

class QDialog;

// The print dialogs are shown modally through this runner, so that tests can
// drive them (press their buttons, run the status window's job) without an
// event loop. The default runner is QDialog::exec().
namespace PrintDialogRunner {

int Run(QDialog &dialog);
// Replaces the runner; an empty function restores exec().
void SetRunner(std::function<int(QDialog &)> runner);

// The print dialogs' "Help" buttons; the application installs the help window.
void ShowHelp(int topic);
void SetHelpHandler(std::function<void(int topic)> handler);

} // namespace PrintDialogRunner
