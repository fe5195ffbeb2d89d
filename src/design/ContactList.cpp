#include "design/ContactList.h"

#include "design/CsvReader.h"
#include "design/VCardReader.h"
#include "platform/PlainFile.h"

#include <QStringDecoder>

int ContactList::fieldIndex(const QString &name) const
{
    const QString wanted = ContactLists::normalizedName(name);
    for (int i = 0; i < fields.size(); ++i)
        if (ContactLists::normalizedName(fields.at(i)) == wanted)
            return i;
    return -1;
}

QString ContactLists::normalizedName(const QString &name)
{
    QString out;
    out.reserve(name.size());
    for (const QChar c : name)
        if (!c.isSpace() && c != QLatin1Char('-'))
            out += c.toCaseFolded();
    return out;
}

bool ContactLists::decode(const QByteArray &bytes, QString &text, QString *error)
{
    const bool little = bytes.startsWith("\xFF\xFE");
    if (little || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                             QStringDecoder::Flag::Stateless);
        text = utf16.decode(QByteArrayView(bytes).sliced(2));
        return true;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = utf8.decode(bytes);
    if (!text.isEmpty() && text.front() == QChar::ByteOrderMark)
        text.remove(0, 1);
    if (!utf8.hasError())
        return true;
    // Name the first line that does not decode.
    int line = 1;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QStringDecoder check(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = check.decode(QByteArrayView(bytes).sliced(start, end - start));
        if (check.hasError())
            break;
        ++line;
        start = end + 1;
    }
    if (error)
        *error = QStringLiteral("Line %1 is not UTF-8 text.").arg(line);
    text.clear();
    return false;
}

bool ContactLists::parse(const QByteArray &bytes, ContactList &list, QString *error)
{
    list = ContactList();
    QString text;
    if (!decode(bytes, text, error))
        return false;
    const QString start = text.left(64).trimmed();
    if (start.startsWith(QLatin1String("BEGIN:VCARD"), Qt::CaseInsensitive))
        return VCardReader::parse(text, list, error);
    return CsvReader::parse(text, list, error);
}

bool ContactLists::read(const QString &path, ContactList &list, QString *error)
{
    QByteArray bytes;
    if (!PlainFile::read(path, MaxFileBytes, bytes, error))
        return false;
    return parse(bytes, list, error);
}
