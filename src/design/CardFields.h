#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Fields in an object's text: "{Field Name}" stands for a value of the
// record shown, "{{" for a brace. A brace that opens no field (no closing
// brace on the same line) is text. The stored text keeps the fields; only
// what is drawn has them filled.
namespace CardFields {

// A field's value, or none when there is no such field (the field then
// stays as written).
using Lookup = std::function<std::optional<QString>(const QString &name)>;

bool hasFields(const QString &text);
QString fill(const QString &text, const Lookup &lookup);
// The field names in the text, in order, each once.
QStringList names(const QString &text);

// The same over RTF, where the editor writes braces as "\{" and "\}";
// values are written as RTF text (Unicode escapes, "\line" breaks).
bool hasRtfFields(const QByteArray &rtf);
QByteArray fillRtf(const QByteArray &rtf, const Lookup &lookup);
QStringList rtfNames(const QByteArray &rtf);

// A value as RTF text.
QByteArray rtfText(const QString &value);

} // namespace CardFields
