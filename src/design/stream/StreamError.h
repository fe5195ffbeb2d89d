#pragma once

#include <QString>
#include <stdexcept>

// Raised by the component stream reader on damaged or truncated input, and by
// the writer for values the format cannot hold. The reader never returns a
// partial result: either the whole input parses or StreamError is thrown.
class StreamError : public std::runtime_error
{
public:
    explicit StreamError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};
