#pragma once

#include <QString>

// Tests that run the real program as a child process run a copy of it in a
// private folder, so that its settings and folders stay out of the build
// tree, with XDG_RUNTIME_DIR set to `runtimeFolder` (the runtime folder
// decides which copies see each other).
namespace ProgramCopy {

// The copy's path in `programFolder`; empty when the program has not been
// built (the caller skips) or cannot be copied (the caller fails).
QString Make(const QString &programFolder, const QString &runtimeFolder, bool *built = nullptr);

} // namespace ProgramCopy
