#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A list of contacts to fill a card's fields from: field names and, for each
// record, one value per field. Read from a CSV file (a header row of field
// names) or a vCard file (design/VCardReader).
struct ContactList {
    QStringList fields;
    QList<QStringList> records;

    // The field's column, names compared ignoring case, spaces and hyphens
    // ("Address 1" is "address1"); -1 when the list lacks it. The first of
    // two equal names wins.
    int fieldIndex(const QString &name) const;
    QString value(int record, int field) const { return records.value(record).value(field); }
    int size() const { return int(records.size()); }
};

namespace ContactLists {

// Larger files, longer values or more fields per record are refused.
constexpr qint64 MaxFileBytes = 256LL * 1024 * 1024;
constexpr int MaxFields = 1000;
constexpr int MaxValueLength = 1 << 20;

// A field name as fields are compared: lower case, no spaces or hyphens.
QString normalizedName(const QString &name);

// The bytes as text: UTF-16 with a byte-order mark, else UTF-8 with or
// without one. False with "Line N is not UTF-8 text." when it is neither.
bool decode(const QByteArray &bytes, QString &text, QString *error);

// A vCard file when its first line begins a vCard, else a CSV file. False
// with a message naming the line when the list is malformed.
bool parse(const QByteArray &bytes, ContactList &list, QString *error);
bool read(const QString &path, ContactList &list, QString *error);

} // namespace ContactLists
