#include "app/ConsoleDialogs.h"

bool ConsoleDialogs::ask(const QString &text, const QString &caption)
{
    m_messages << caption << ": " << text << " (answered No)\n";
    m_messages.flush();
    return false;
}

void ConsoleDialogs::inform(const QString &text)
{
    m_messages << text << '\n';
    m_messages.flush();
}

void ConsoleDialogs::error(const QString &text)
{
    m_messages << "error: " << text << '\n';
    m_messages.flush();
}
