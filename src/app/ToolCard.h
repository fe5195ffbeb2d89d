#pragma once

#include "design/CardDocument.h"
#include "design/TGBusinessCardPanel32.h"
#include "platform/UserDialogs.h"

#include <QString>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>
#include <optional>

// What every karvello-tool command starts from: a card panel with the
// program's classes at 96 pixels per inch, whose messages go to `err` and
// whose clipboard file is private, so the tool never touches the clipboard
// of a running program. The previous dialogs come back when it goes.
namespace ToolCommands {

// Exit statuses of the commands.
constexpr int kSucceeded = 0;
constexpr int kFailed = 1;
constexpr int kBadArguments = 2;

class ToolCard
{
public:
    explicit ToolCard(QTextStream &err);
    ~ToolCard();
    ToolCard(const ToolCard &) = delete;
    ToolCard &operator=(const ToolCard &) = delete;

    // Opens a card document onto the panel; none (with the reason on `err`)
    // when the file is missing or cannot be read. A background that its
    // companion names but that cannot be loaded is warned about on `err`.
    std::optional<CardDocument::Opened> open(const QString &path);
    // The warning on `err` for a background that cannot be loaded.
    void warnBackgroundNotLoaded(const QString &fileName);

    // Opens the back beside the front document at `frontPath` (opened
    // before) onto `back`; true with `back` null when the card has none,
    // false (with the reason on `err`) when it cannot be read.
    bool openBack(const QString &frontPath, const CardDocument::Opened &front);
    // The back's background file when it was loaded.
    QString backBackground;

    std::unique_ptr<TGBusinessCardPanel32> panel;
    std::unique_ptr<TGBusinessCardPanel32> back;

private:
    QTextStream &m_err;
    QTemporaryDir m_scratch;
    std::unique_ptr<UserDialogs> m_previousDialogs;
};

} // namespace ToolCommands
