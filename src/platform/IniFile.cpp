#include "platform/IniFile.h"

#include "platform/Numbers.h"
#include "platform/PlainFile.h"
#include "platform/Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isBlank(const QString &text)
{
    return text.trimmed().isEmpty();
}

bool allHexDigits(const QString &digits)
{
    if (digits.isEmpty())
        return false;
    for (const QChar c : digits)
        if (!isxdigit(c.toLatin1()) || c.unicode() > 0x7F)
            return false;
    return true;
}

// Whole-number text as the platform's string-to-integer conversion reads it:
// decimal with an optional sign, or hexadecimal after "$" or "0x" (all 32
// bits, so "$FFFFFFFF" is -1).
std::optional<int> parseInteger(const QString &text)
{
    const QString trimmed = text.trimmed();
    int prefix = 0;
    if (trimmed.startsWith(QLatin1Char('$')))
        prefix = 1;
    else if (trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        prefix = 2;
    bool ok = false;
    int result = 0;
    if (prefix == 0) {
        result = trimmed.toInt(&ok, 10);
    } else {
        const QString digits = trimmed.mid(prefix);
        if (allHexDigits(digits))
            result = int(digits.toUInt(&ok, 16));
    }
    if (!ok)
        return std::nullopt;
    return result;
}

// A line break inside a name or value would start a new line in the file
// and corrupt the entries after it, so breaks are stored as spaces.
QString singleLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes); // decoding happens on conversion
    return !utf8.hasError();
}

} // namespace

IniFile::IniFile(const QString &fileName) : m_fileName(fileName)
{
    load();
}

IniFile::~IniFile()
{
    flush();
}

IniFile::Line IniFile::parse(const QString &text)
{
    Line line;
    line.text = text;
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1Char('['))) {
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        line.kind = Line::Section;
        line.name = trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
        return line;
    }
    const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
    if (trimmed.startsWith(QLatin1Char(';')) || equals <= 0)
        return line;
    line.name = trimmed.left(equals).trimmed();
    if (line.name.isEmpty())
        return line;
    line.kind = Line::Entry;
    line.value = trimmed.mid(equals + 1).trimmed();
    return line;
}

void IniFile::load()
{
    if (!QFileInfo::exists(m_fileName))
        return;
    QByteArray bytes;
    if (!PlainFile::read(m_fileName, MaxFileBytes, bytes, &m_readError)) {
        m_unreadable = true;
        m_error = m_readError;
        return;
    }
    m_bom = bytes.startsWith("\xEF\xBB\xBF");
    if (m_bom)
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        m_ansi = true;
        text = Windows1252::decode(bytes);
    }
    const qsizetype firstBreak = text.indexOf(QLatin1Char('\n'));
    m_crlf = firstBreak > 0 && text.at(firstBreak - 1) == QLatin1Char('\r');
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast(); // the final line end does not start another line
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        m_lines.append(parse(line));
    }
}

QByteArray IniFile::serialise() const
{
    const QString lineEnd = m_crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text;
    for (const Line &line : m_lines)
        text += line.text + lineEnd;
    if (m_ansi) {
        // Code-page bytes that happen to form valid UTF-8 would read back as
        // other characters; such a file is written as UTF-8 instead.
        if (const auto bytes = Windows1252::encode(text); bytes && !isValidUtf8(*bytes))
            return *bytes;
    }
    return (m_bom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
}

bool IniFile::flush()
{
    if (!m_modified)
        return true;
    if (m_unreadable) {
        m_error = QStringLiteral("%1 could not be read, so it was not overwritten (%2)").arg(m_fileName, m_readError);
        return false;
    }
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = file.errorString();
        return false;
    }
    file.write(serialise());
    if (!file.commit()) {
        m_error = file.errorString();
        return false;
    }
    m_modified = false;
    m_error.clear();
    return true;
}

int IniFile::findSection(const QString &section) const
{
    for (int i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Line::Section && sameName(m_lines[i].name, section.trimmed()))
            return i;
    return -1;
}

int IniFile::sectionEnd(int header) const
{
    int i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Line::Section)
        ++i;
    return i;
}

int IniFile::findEntry(const QString &section, const QString &key) const
{
    const int header = findSection(section);
    if (header < 0)
        return -1;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (m_lines[i].kind == Line::Entry && sameName(m_lines[i].name, key.trimmed()))
            return i;
    return -1;
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const int index = findEntry(section, key);
    if (index < 0)
        return std::nullopt;
    return m_lines[index].value;
}

QString IniFile::readString(const QString &section, const QString &key,
                            const QString &defaultValue) const
{
    return value(section, key).value_or(defaultValue);
}

void IniFile::writeString(const QString &section, const QString &rawKey, const QString &rawValue)
{
    const QString key = singleLine(rawKey).trimmed();
    const QString value = singleLine(rawValue);
    const int index = findEntry(section, key);
    if (index >= 0) {
        Line &line = m_lines[index];
        if (line.value != value) { // an equal value keeps the line as it is spelled
            line = parse(line.name + QLatin1Char('=') + value);
            m_modified = true;
        }
        return;
    }
    const Line entry = parse(key + QLatin1Char('=') + value);
    int header = findSection(section);
    if (header < 0) {
        if (!m_lines.isEmpty() && !isBlank(m_lines.constLast().text))
            m_lines.append(parse(QString()));
        m_lines.append(parse(QLatin1Char('[') + singleLine(section).trimmed() + QLatin1Char(']')));
        m_lines.append(entry);
    } else {
        // After the section's last non-blank line, so blank separators stay between sections.
        int position = sectionEnd(header);
        while (position - 1 > header && isBlank(m_lines[position - 1].text))
            --position;
        m_lines.insert(position, entry);
    }
    m_modified = true;
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const auto text = value(section, key);
    return text ? parseInteger(*text).value_or(defaultValue) : defaultValue;
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

bool IniFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

double IniFile::readInches(const QString &section, const QString &key, double defaultInches) const
{
    const auto text = value(section, key);
    const auto thousandths = text ? parseInteger(*text) : std::nullopt;
    return thousandths ? *thousandths / 1000.0 : defaultInches;
}

void IniFile::writeInches(const QString &section, const QString &key, double inches)
{
    writeInteger(section, key, Numbers::roundHalfEven(inches * 1000));
}

std::optional<TColor> IniFile::readColor(const QString &section, const QString &key,
                                         TColor defaultValue) const
{
    const auto text = value(section, key);
    return text ? Colors::stringToColor(*text) : std::optional<TColor>(defaultValue);
}

void IniFile::writeColor(const QString &section, const QString &key, TColor value)
{
    writeString(section, key, Colors::colorToString(value));
}

bool IniFile::sectionExists(const QString &section) const
{
    return findSection(section) >= 0;
}

bool IniFile::valueExists(const QString &section, const QString &key) const
{
    return findEntry(section, key) >= 0;
}

QStringList IniFile::sections() const
{
    QStringList result;
    QSet<QString> seen; // a set, so that many sections cost no quadratic time
    for (const Line &line : m_lines)
        if (line.kind == Line::Section && !seen.contains(line.name.toCaseFolded())) {
            seen.insert(line.name.toCaseFolded());
            result << line.name;
        }
    return result;
}

QStringList IniFile::readSection(const QString &section) const
{
    QStringList result;
    const int header = findSection(section);
    if (header < 0)
        return result;
    const int end = sectionEnd(header);
    QSet<QString> seen;
    for (int i = header + 1; i < end; ++i)
        if (m_lines[i].kind == Line::Entry && !seen.contains(m_lines[i].name.toCaseFolded())) {
            seen.insert(m_lines[i].name.toCaseFolded());
            result << m_lines[i].name;
        }
    return result;
}

QStringList IniFile::readSectionValues(const QString &section) const
{
    // The first entry of each name wins, as readString finds it.
    QStringList result;
    const int header = findSection(section);
    if (header < 0)
        return result;
    const int end = sectionEnd(header);
    QSet<QString> seen;
    for (int i = header + 1; i < end; ++i) {
        const Line &line = m_lines[i];
        if (line.kind == Line::Entry && !seen.contains(line.name.toCaseFolded())) {
            seen.insert(line.name.toCaseFolded());
            result << line.name + QLatin1Char('=') + line.value;
        }
    }
    return result;
}

void IniFile::eraseSection(const QString &section)
{
    for (int header = findSection(section); header >= 0; header = findSection(section)) {
        m_lines.remove(header, sectionEnd(header) - header);
        m_modified = true;
    }
}

void IniFile::deleteKey(const QString &section, const QString &key)
{
    for (int index = findEntry(section, key); index >= 0; index = findEntry(section, key)) {
        m_lines.removeAt(index);
        m_modified = true;
    }
}
