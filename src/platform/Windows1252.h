#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The platform's ANSI text is Windows-1252: ISO-8859-1 except for the block
// 0x80-0x9F, which holds typographic characters (euro sign, curly quotes,
// dashes, ...). The five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the C1 control code points of the same value, as
// the platform's own conversion does, so every byte sequence decodes and
// encodes back unchanged.
namespace Windows1252 {

// The character a byte stands for.
char16_t toUnicode(unsigned char byte);

// The byte for a UTF-16 code unit; none when the code page has no such
// character (most of Unicode, surrogates, and the C1 controls it reuses).
std::optional<unsigned char> fromUnicode(char16_t unit);

QString decode(QByteArrayView bytes);

// The bytes for the text; none when any character cannot be represented.
std::optional<QByteArray> encode(const QString &text);

// The bytes for the text with every character that cannot be represented
// replaced by '?' (a surrogate pair gives a single '?').
QByteArray encodeLossy(const QString &text);

bool canEncode(const QString &text);

} // namespace Windows1252
