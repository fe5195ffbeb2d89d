#pragma once

#include <QByteArrayView>
#include <QString>

// Code pages of RTF text: `\ansicpg` names one for the document and each
// font's `\fcharset` may name another for the hexadecimal characters
// (`\'hh`) written in that font.
namespace RtfCodePage {

constexpr int Ansi = 1252;
constexpr int Symbol = 42; // bytes are symbol-font codes

// The code page a font character set stands for; 0 when the set names none
// (the document's code page applies).
int ofCharset(int charset);

// Decodes bytes in a code page; unknown code pages read as Windows-1252.
QString decode(QByteArrayView bytes, int codePage);

} // namespace RtfCodePage
