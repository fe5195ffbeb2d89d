#pragma once

#include "platform/Fonts.h"

#include <QString>
#include <QStringList>

// Word wrapping as the platform's word-wrapping multi-line edit control does
// it. The control draws inside its sunken frame (two pixels each side) and
// the margins its font asks for (the overhang of the widest-reaching glyph
// sides); what is left is the width a line may take. A line breaks after a
// run of blanks (the blanks stay at the end of the line they end); a word
// wider than a line is broken inside, keeping at least one character per
// line. Line breaks in the text always end a line, and an empty paragraph is
// an empty line.
namespace EditControlWrap {

// The width in pixels a line of text may take in a control `controlWidth`
// pixels wide showing `font`.
int formatWidth(const TFont &font, int pixelsPerInch, int controlWidth);

// The visual lines of `text` (paragraphs separated by "\n" or "\r\n").
// `brokenInWord`, when given, gets one flag a line: true where the line ends
// inside a word that did not fit a line (the word goes on in the next).
QStringList wrap(const QString &text, const TFont &font, int pixelsPerInch, int controlWidth,
                 QList<bool> *brokenInWord = nullptr);

} // namespace EditControlWrap
