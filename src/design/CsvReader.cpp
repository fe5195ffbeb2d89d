#include "design/CsvReader.h"

#include "design/ContactList.h"

namespace {

bool isLineEnd(QChar c) { return c == QLatin1Char('\n') || c == QLatin1Char('\r'); }

class Scanner
{
public:
    Scanner(const QString &text, QChar separator) : m_text(text), m_separator(separator) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    int line() const { return m_line; }

    // One row into `row`; false with `error` set when it is malformed.
    bool row(QStringList &row, QString *error)
    {
        row.clear();
        m_rowLine = m_line;
        while (true) {
            QString field;
            if (!this->field(field, error))
                return false;
            if (row.size() >= ContactLists::MaxFields)
                return fail(error, QStringLiteral("Line %1 has more than %2 fields.").arg(m_rowLine).arg(ContactLists::MaxFields));
            row << field;
            if (atEnd())
                return true;
            const QChar c = m_text.at(m_pos);
            if (c == m_separator) {
                ++m_pos;
                continue;
            }
            skipLineEnd();
            return true;
        }
    }

    // Whether the rest of the current line is empty (a blank line).
    bool blankLine() const { return atEnd() || isLineEnd(m_text.at(m_pos)); }
    void skipLineEnd()
    {
        if (atEnd())
            return;
        if (m_text.at(m_pos) == QLatin1Char('\r') && m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == QLatin1Char('\n'))
            ++m_pos;
        ++m_pos;
        ++m_line;
    }

private:
    static bool fail(QString *error, const QString &message)
    {
        if (error)
            *error = message;
        return false;
    }

    bool field(QString &out, QString *error)
    {
        if (atEnd() || m_text.at(m_pos) != QLatin1Char('"')) {
            const qsizetype start = m_pos;
            while (!atEnd() && m_text.at(m_pos) != m_separator && !isLineEnd(m_text.at(m_pos)))
                ++m_pos;
            out = m_text.mid(start, m_pos - start);
            return checkLength(out, error);
        }
        const int opened = m_line;
        ++m_pos;
        while (true) {
            if (atEnd())
                return fail(error, QStringLiteral("Line %1: a quoted field is not closed.").arg(opened));
            const QChar c = m_text.at(m_pos);
            if (c == QLatin1Char('"')) {
                if (m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == QLatin1Char('"')) {
                    out += c;
                    m_pos += 2;
                    continue;
                }
                ++m_pos;
                break;
            }
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                // A line break inside quotes is part of the value, as LF.
                out += QLatin1Char('\n');
                skipLineEnd();
            } else {
                out += c;
                ++m_pos;
            }
            if (!checkLength(out, error))
                return false;
        }
        if (!atEnd() && m_text.at(m_pos) != m_separator && !isLineEnd(m_text.at(m_pos)))
            return fail(error, QStringLiteral("Line %1: text after a closing quote.").arg(m_line));
        return true;
    }

    bool checkLength(const QString &value, QString *error) const
    {
        if (value.size() <= ContactLists::MaxValueLength)
            return true;
        return fail(error, QStringLiteral("Line %1: a value is too long.").arg(m_line));
    }

    const QString &m_text;
    const QChar m_separator;
    qsizetype m_pos = 0;
    int m_line = 1;
    int m_rowLine = 1;
};

} // namespace

QChar CsvReader::separatorOf(const QString &text)
{
    int counts[3] = {0, 0, 0};
    const QChar separators[3] = {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')};
    bool quoted = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && isLineEnd(c))
            break;
        else if (!quoted)
            for (int i = 0; i < 3; ++i)
                if (c == separators[i])
                    ++counts[i];
    }
    int best = 0;
    for (int i = 1; i < 3; ++i)
        if (counts[i] > counts[best])
            best = i;
    return separators[best];
}

bool CsvReader::parse(const QString &text, ContactList &list, QString *error)
{
    list = ContactList();
    Scanner scanner(text, separatorOf(text));
    while (!scanner.atEnd() && scanner.blankLine())
        scanner.skipLineEnd();
    if (scanner.atEnd()) {
        if (error)
            *error = QStringLiteral("Line 1: the list has no header row of field names.");
        return false;
    }
    if (!scanner.row(list.fields, error))
        return false;
    for (QString &name : list.fields)
        name = name.trimmed();
    QStringList row;
    while (!scanner.atEnd()) {
        if (scanner.blankLine()) {
            scanner.skipLineEnd();
            continue;
        }
        const int line = scanner.line();
        if (!scanner.row(row, error))
            return false;
        if (row.size() > list.fields.size()) {
            if (error)
                *error = QStringLiteral("Line %1 has %2 fields, the header %3.")
                             .arg(line)
                             .arg(row.size())
                             .arg(list.fields.size());
            return false;
        }
        while (row.size() < list.fields.size())
            row << QString();
        list.records << row;
    }
    return true;
}
