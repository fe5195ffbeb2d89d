#include "objects/VCard.h"

namespace {

enum Field { Name, Company, Title, Address1, Address2, Address3, Phone1, Phone2, Email, Fax };

QString line(const QString &text) { return text + QStringLiteral("\r\n"); }

} // namespace

QString VCard::Escape(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\') || c == QLatin1Char(',') || c == QLatin1Char(';')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            // CR LF, CR or LF: one line break.
            if (c == QLatin1Char('\r') && i + 1 < value.size() && value.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += QStringLiteral("\\n");
        } else {
            out += c;
        }
    }
    return out;
}

QString VCard::ContactCard(const QStringList &personal)
{
    auto value = [&personal](Field field) { return personal.value(int(field)).trimmed(); };
    QString card = line("BEGIN:VCARD") + line("VERSION:3.0");

    // N and FN are required. The last word of the name is taken for the
    // family name; without a name the company names the card.
    const QString name = value(Name);
    if (!name.isEmpty()) {
        const QStringList words = name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QString family = words.last();
        const QString given = words.mid(0, words.size() - 1).join(QLatin1Char(' '));
        card += line("N:" + Escape(family) + ";" + Escape(given) + ";;;");
        card += line("FN:" + Escape(name));
    } else {
        card += line(QStringLiteral("N:;;;;"));
        card += line("FN:" + Escape(value(Company)));
    }
    if (!value(Company).isEmpty())
        card += line("ORG:" + Escape(value(Company)));
    if (!value(Title).isEmpty())
        card += line("TITLE:" + Escape(value(Title)));

    QStringList street;
    for (Field f : {Address1, Address2, Address3})
        if (!value(f).isEmpty())
            street << Escape(value(f));
    // The address lines are free text: they go together into the street part.
    if (!street.isEmpty())
        card += line("ADR;TYPE=WORK:;;" + street.join(QStringLiteral("\\n")) + ";;;;");

    if (!value(Phone1).isEmpty())
        card += line("TEL;TYPE=WORK,VOICE:" + Escape(value(Phone1)));
    if (!value(Phone2).isEmpty())
        card += line("TEL;TYPE=VOICE:" + Escape(value(Phone2)));
    if (!value(Fax).isEmpty())
        card += line("TEL;TYPE=WORK,FAX:" + Escape(value(Fax)));
    if (!value(Email).isEmpty())
        card += line("EMAIL;TYPE=INTERNET:" + Escape(value(Email)));
    card += line("END:VCARD");
    return card;
}
