#pragma once

#include <functional>

class QDialog;

// The auxiliary dialogs are shown modally through this runner, so that tests
// can drive them without an event loop. The default runner is QDialog::exec().
namespace DialogRunner {

int Run(QDialog &dialog);
// Replaces the runner; an empty function restores exec().
void SetRunner(std::function<int(QDialog &)> runner);

// The dialogs' "Help" buttons; the application installs the help window.
void ShowHelp(int topic);
void SetHelpHandler(std::function<void(int topic)> handler);

} // namespace DialogRunner
