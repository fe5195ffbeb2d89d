#include "design/CardFields.h"

namespace {

bool endsName(QChar c) { return c == QLatin1Char('{') || c == QLatin1Char('\n') || c == QLatin1Char('\r'); }

// Walks plain text: calls `text` for literal runs and `field` for fields.
template <typename Text, typename Field>
void scan(const QString &s, Text text, Field field)
{
    qsizetype i = 0;
    qsizetype literal = 0;
    while (i < s.size()) {
        if (s.at(i) != QLatin1Char('{')) {
            ++i;
            continue;
        }
        if (i + 1 < s.size() && s.at(i + 1) == QLatin1Char('{')) {
            text(QStringView(s).sliced(literal, i + 1 - literal));
            i += 2;
            literal = i;
            continue;
        }
        qsizetype close = i + 1;
        while (close < s.size() && s.at(close) != QLatin1Char('}') && !endsName(s.at(close)))
            ++close;
        if (close >= s.size() || s.at(close) != QLatin1Char('}') || close == i + 1) {
            ++i;
            continue;
        }
        text(QStringView(s).sliced(literal, i - literal));
        field(s.mid(i + 1, close - i - 1), QStringView(s).sliced(i, close + 1 - i));
        i = close + 1;
        literal = i;
    }
    text(QStringView(s).sliced(literal));
}

// The same over RTF bytes: "\{" opens, "\}" closes, "\\" is a backslash.
template <typename Text, typename Field>
void scanRtf(const QByteArray &s, Text text, Field field)
{
    qsizetype i = 0;
    qsizetype literal = 0;
    auto at = [&s](qsizetype k) { return k < s.size() ? s.at(k) : '\0'; };
    while (i < s.size()) {
        if (s.at(i) != '\\') {
            ++i;
            continue;
        }
        if (at(i + 1) != '{') {
            i += 2; // an escaped character, or the start of a control word
            continue;
        }
        if (at(i + 2) == '\\' && at(i + 3) == '{') {
            text(s.mid(literal, i + 2 - literal));
            i += 4;
            literal = i;
            continue;
        }
        qsizetype close = i + 2;
        bool plain = true;
        while (close < s.size() && !(s.at(close) == '\\' && at(close + 1) == '}')) {
            const char c = s.at(close);
            if (c == '\\' || c == '{' || c == '}' || c == '\n' || c == '\r') {
                plain = false;
                break;
            }
            ++close;
        }
        if (!plain || close >= s.size() || close == i + 2) {
            i += 2;
            continue;
        }
        text(s.mid(literal, i - literal));
        field(QString::fromLatin1(s.mid(i + 2, close - i - 2)), s.mid(i, close + 2 - i));
        i = close + 2;
        literal = i;
    }
    text(s.mid(literal));
}

void addOnce(QStringList &names, const QString &name)
{
    if (!names.contains(name))
        names << name;
}

} // namespace

bool CardFields::hasFields(const QString &text)
{
    return text.contains(QLatin1Char('{'));
}

QString CardFields::fill(const QString &text, const Lookup &lookup)
{
    if (!hasFields(text))
        return text;
    QString out;
    out.reserve(text.size());
    scan(
        text, [&out](QStringView t) { out += t; },
        [&out, &lookup](const QString &name, QStringView written) {
            if (const std::optional<QString> value = lookup(name))
                out += *value;
            else
                out += written;
        });
    return out;
}

QStringList CardFields::names(const QString &text)
{
    QStringList found;
    if (hasFields(text))
        scan(text, [](QStringView) {}, [&found](const QString &name, QStringView) { addOnce(found, name); });
    return found;
}

bool CardFields::hasRtfFields(const QByteArray &rtf)
{
    return rtf.contains("\\{");
}

QByteArray CardFields::fillRtf(const QByteArray &rtf, const Lookup &lookup)
{
    if (!hasRtfFields(rtf))
        return rtf;
    QByteArray out;
    out.reserve(rtf.size());
    scanRtf(
        rtf, [&out](const QByteArray &t) { out += t; },
        [&out, &lookup](const QString &name, const QByteArray &written) {
            if (const std::optional<QString> value = lookup(name))
                out += rtfText(*value);
            else
                out += written;
        });
    return out;
}

QStringList CardFields::rtfNames(const QByteArray &rtf)
{
    QStringList found;
    if (hasRtfFields(rtf))
        scanRtf(rtf, [](const QByteArray &) {}, [&found](const QString &name, const QByteArray &) { addOnce(found, name); });
    return found;
}

QByteArray CardFields::rtfText(const QString &value)
{
    QByteArray out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const ushort c = value.at(i).unicode();
        if (c == '\r' && i + 1 < value.size() && value.at(i + 1) == QLatin1Char('\n'))
            continue;
        if (c == '\n' || c == '\r')
            out += "\\line ";
        else if (c == '\\' || c == '{' || c == '}')
            out += '\\' + QByteArray(1, char(c));
        else if (c == '\t')
            out += "\\tab ";
        else if (c >= 0x20 && c < 0x80)
            out += char(c);
        else if (c >= 0x20 || c > 0x7f)
            // Signed 16-bit, as RTF readers expect; "?" for those without Unicode.
            out += "\\u" + QByteArray::number(int(qint16(c))) + '?';
    }
    return out;
}
