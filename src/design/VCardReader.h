#pragma once

#include <QString>
#include <QStringList>

struct ContactList;

// vCard files (versions 3.0 and 4.0) with one or more contacts. Folded lines
// are joined and escaped values (\, \; \n \\) read. FN, ORG, TITLE, ADR, the
// first two voice TELs, a fax TEL and EMAIL fill the ten personal fields;
// every other property (URL, NOTE, X-...) is a field under its own name,
// its first occurrence in each contact.
namespace VCardReader {

// The ten fields every list from a vCard file has, in this order.
QStringList personalFields();

// False with a message naming the line when the text is malformed: a
// property line without a colon, a property outside BEGIN:VCARD ...
// END:VCARD, a contact that does not end, another version.
bool parse(const QString &text, ContactList &list, QString *error);

// A property value with the vCard escapes undone; `structured` values are
// split at unescaped semicolons first.
QStringList unescape(const QString &value, bool structured);

} // namespace VCardReader
