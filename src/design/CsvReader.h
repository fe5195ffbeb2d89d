#pragma once

#include <QString>

struct ContactList;

// Comma-separated values as RFC 4180 has them: the first row names the
// fields; a field in double quotes may hold separators, doubled quotes and
// line breaks. The separator (comma, semicolon or tab) is the one that
// occurs most often outside quotes in the header line. Lines end in CR LF,
// LF or CR; blank lines are skipped, and a record with fewer fields than the
// header has empty values for the rest.
namespace CsvReader {

// The separator the header line uses.
QChar separatorOf(const QString &text);

// False with a message naming the line when the text is malformed: an
// unclosed quote, text after a closing quote, more fields than the header.
bool parse(const QString &text, ContactList &list, QString *error);

} // namespace CsvReader
