#pragma once

#include <QByteArray>

class QTextDocument;

// Writes a QTextDocument as RTF in the plain dialect rich-edit controls
// write ("{\rtf1\ansi\deff0\deftab720{\fonttbl...}{\colortbl ;...}"): one
// font table entry per family used, a colour table, and for every
// paragraph its alignment, indents, spacing, line spacing and tab stops
// followed by its text runs, each with its full character formatting
// (hidden text as \v); tables as rows of cells at their \cellx edges. Characters of the ANSI code page
// are written as `\'hh`, all others as `\uN?`.
//
// Reading the result with RtfReader gives back the same text and formatting.
namespace RtfWriter {

QByteArray write(const QTextDocument &document);

} // namespace RtfWriter
