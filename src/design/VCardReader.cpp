#include "design/VCardReader.h"

#include "design/ContactList.h"

#include <QHash>
#include <QSet>

namespace {

enum Personal { Name, Company, Title, Address1, Address2, Address3, Phone1, Phone2, Email, Fax, PersonalCount };

struct Line {
    int number = 0;
    QString text;
};

// Physical lines joined where the next one begins with a blank or a tab.
QList<Line> unfold(const QString &text)
{
    QList<Line> lines;
    int number = 0;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text.at(end) != QLatin1Char('\n') && text.at(end) != QLatin1Char('\r'))
            ++end;
        const QString physical = text.mid(pos, end - pos);
        ++number;
        if (!physical.isEmpty() && (physical.front() == QLatin1Char(' ') || physical.front() == QLatin1Char('\t'))
            && !lines.isEmpty())
            lines.last().text += physical.mid(1);
        else
            lines << Line{number, physical};
        if (end < text.size() && text.at(end) == QLatin1Char('\r') && end + 1 < text.size()
            && text.at(end + 1) == QLatin1Char('\n'))
            ++end;
        pos = end + 1;
    }
    return lines;
}

struct Property {
    QString name;       // upper case, group removed
    QStringList types;  // TYPE parameter values, upper case
    QString value;      // as written
};

// "group.NAME;PARAM=a,b;TYPE=x:value"; false without a colon.
bool splitProperty(const QString &line, Property &property)
{
    // The colon that ends the name and parameters is the first one outside
    // double-quoted parameter values.
    bool quoted = false;
    qsizetype colon = -1;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char(':') && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon <= 0)
        return false;
    const QStringList head = line.left(colon).split(QLatin1Char(';'));
    QString name = head.first().trimmed().toUpper();
    if (const qsizetype dot = name.lastIndexOf(QLatin1Char('.')); dot >= 0)
        name = name.mid(dot + 1);
    if (name.isEmpty())
        return false;
    property.name = name;
    property.types.clear();
    for (qsizetype i = 1; i < head.size(); ++i) {
        const QString param = head.at(i).trimmed();
        const qsizetype eq = param.indexOf(QLatin1Char('='));
        const QString key = eq < 0 ? QString() : param.left(eq).toUpper();
        const QString values = eq < 0 ? param : param.mid(eq + 1);
        // vCard 2.1 style bare types ("TEL;FAX:") count as types too.
        if (eq < 0 || key == QLatin1String("TYPE"))
            for (const QString &t : values.split(QLatin1Char(',')))
                property.types << t.trimmed().remove(QLatin1Char('"')).toUpper();
    }
    property.value = line.mid(colon + 1);
    return true;
}

QString joinNonEmpty(const QStringList &parts, const QString &separator)
{
    QStringList kept;
    for (const QString &p : parts)
        if (!p.trimmed().isEmpty())
            kept << p.trimmed();
    return kept.join(separator);
}

class ContactBuilder
{
public:
    explicit ContactBuilder(ContactList &list) : m_list(list)
    {
        m_list.fields = VCardReader::personalFields();
        for (int i = 0; i < m_list.fields.size(); ++i)
            m_columns.insert(ContactLists::normalizedName(m_list.fields.at(i)), i);
    }

    void begin()
    {
        m_values = QStringList();
        m_seen.clear();
        m_phones = 0;
    }

    void add(const Property &p)
    {
        if (p.name == QLatin1String("FN"))
            setPersonal(Name, VCardReader::unescape(p.value, false).value(0));
        else if (p.name == QLatin1String("ORG"))
            setPersonal(Company, joinNonEmpty(VCardReader::unescape(p.value, true), QStringLiteral(", ")));
        else if (p.name == QLatin1String("TITLE"))
            setPersonal(Title, VCardReader::unescape(p.value, false).value(0));
        else if (p.name == QLatin1String("ADR"))
            address(VCardReader::unescape(p.value, true));
        else if (p.name == QLatin1String("TEL"))
            phone(p);
        else if (p.name == QLatin1String("EMAIL"))
            setPersonal(Email, VCardReader::unescape(p.value, false).value(0));
        else if (p.name != QLatin1String("VERSION") && !m_seen.contains(p.name))
            set(column(p.name), VCardReader::unescape(p.value, false).join(QLatin1Char(';')), p.name);
    }

    void end()
    {
        while (m_values.size() < m_list.fields.size())
            m_values << QString();
        m_list.records << m_values;
    }

private:
    void setPersonal(Personal field, const QString &value)
    {
        set(int(field), value, m_list.fields.at(field));
    }

    // The first value of a property in a contact is the one kept.
    void set(int column, const QString &value, const QString &key)
    {
        if (column < 0 || m_seen.contains(key))
            return;
        m_seen.insert(key);
        while (m_values.size() <= column)
            m_values << QString();
        m_values[column] = value;
    }

    int column(const QString &name)
    {
        const QString key = ContactLists::normalizedName(name);
        if (const auto it = m_columns.constFind(key); it != m_columns.constEnd())
            return *it;
        if (m_list.fields.size() >= ContactLists::MaxFields)
            return -1;
        m_list.fields << name;
        m_columns.insert(key, int(m_list.fields.size() - 1));
        return int(m_list.fields.size() - 1);
    }

    // PO box; extended; street; locality; region; postal code; country:
    // street lines first, then the town line, then the country.
    void address(const QStringList &parts)
    {
        const QString street = joinNonEmpty({parts.value(0), parts.value(1), parts.value(2)}, QStringLiteral(", "));
        const QString town = joinNonEmpty({parts.value(5), parts.value(3), parts.value(4)}, QStringLiteral(" "));
        setPersonal(Address1, street);
        setPersonal(Address2, town);
        setPersonal(Address3, parts.value(6).trimmed());
    }

    void phone(const Property &p)
    {
        QString number = VCardReader::unescape(p.value, false).value(0);
        if (number.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
            number = number.mid(4);
        if (p.types.contains(QLatin1String("FAX"))) {
            setPersonal(Fax, number);
            return;
        }
        if (m_phones < 2)
            setPersonal(m_phones == 0 ? Phone1 : Phone2, number);
        ++m_phones;
    }

    ContactList &m_list;
    QHash<QString, int> m_columns;
    QStringList m_values;
    QSet<QString> m_seen;
    int m_phones = 0;
};

bool fail(QString *error, int line, const QString &what)
{
    if (error)
        *error = QStringLiteral("Line %1: %2").arg(line).arg(what);
    return false;
}

} // namespace

QStringList VCardReader::personalFields()
{
    return {QStringLiteral("Name"),     QStringLiteral("Company"),  QStringLiteral("Title"),
            QStringLiteral("Address1"), QStringLiteral("Address2"), QStringLiteral("Address3"),
            QStringLiteral("Phone1"),   QStringLiteral("Phone2"),   QStringLiteral("Email"),
            QStringLiteral("Fax")};
}

QStringList VCardReader::unescape(const QString &value, bool structured)
{
    QStringList parts;
    QString current;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar next = value.at(++i);
            if (next == QLatin1Char('n') || next == QLatin1Char('N'))
                current += QLatin1Char('\n');
            else
                current += next;
        } else if (structured && c == QLatin1Char(';')) {
            parts << current;
            current.clear();
        } else {
            current += c;
        }
    }
    parts << current;
    return parts;
}

bool VCardReader::parse(const QString &text, ContactList &list, QString *error)
{
    list = ContactList();
    ContactBuilder builder(list);
    int openedAt = 0;
    Property property;
    for (const Line &line : unfold(text)) {
        if (line.text.trimmed().isEmpty())
            continue;
        if (line.text.size() > ContactLists::MaxValueLength)
            return fail(error, line.number, QStringLiteral("the line is too long."));
        if (!splitProperty(line.text, property))
            return fail(error, line.number, QStringLiteral("a vCard line needs a name and a colon."));
        const QString value = property.value.trimmed().toUpper();
        if (property.name == QLatin1String("BEGIN")) {
            if (value != QLatin1String("VCARD"))
                return fail(error, line.number, QStringLiteral("only vCards can be read."));
            if (openedAt)
                return fail(error, line.number, QStringLiteral("a vCard begins before the one of line %1 ends.").arg(openedAt));
            openedAt = line.number;
            builder.begin();
        } else if (!openedAt) {
            return fail(error, line.number, QStringLiteral("text outside BEGIN:VCARD and END:VCARD."));
        } else if (property.name == QLatin1String("END")) {
            builder.end();
            openedAt = 0;
        } else if (property.name == QLatin1String("VERSION")) {
            if (value != QLatin1String("3.0") && value != QLatin1String("4.0"))
                return fail(error, line.number, QStringLiteral("vCard version %1 cannot be read (3.0 and 4.0 can).").arg(property.value.trimmed()));
        } else {
            builder.add(property);
        }
    }
    if (openedAt)
        return fail(error, openedAt, QStringLiteral("the vCard begun here does not end."));
    if (list.records.isEmpty())
        return fail(error, 1, QStringLiteral("the file holds no vCard."));
    // A property first met in a later contact is a field the earlier ones lack.
    for (QStringList &record : list.records)
        while (record.size() < list.fields.size())
            record << QString();
    return true;
}
