#pragma once

#include "platform/UserDialogs.h"

#include <QTextStream>

// Dialogs for a program without windows: messages go to a text stream
// (standard error), questions are answered No and every chooser is
// cancelled.
class ConsoleDialogs : public UserDialogs
{
public:
    explicit ConsoleDialogs(QTextStream &messages) : m_messages(messages) {}

    bool ask(const QString &text, const QString &caption) override;
    void inform(const QString &text) override;
    void error(const QString &text) override;
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &,
                         const QString &) override { return {}; }
    std::optional<TColor> chooseColor(TColor) override { return std::nullopt; }
    std::optional<TFont> chooseFont(const TFont &, bool) override { return std::nullopt; }
    void beep() override {}

private:
    QTextStream &m_messages;
};
