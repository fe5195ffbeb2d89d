#pragma once

#include <QByteArrayView>

class QTextDocument;

// Reads RTF into a QTextDocument: the font and colour tables, character
// formatting (font, size, bold, italic, underline, colour, highlight,
// sub/superscript, hidden), paragraph formatting (alignment, indents,
// spacing, line spacing, tab stops), paragraphs, line breaks, tabs, table
// rows (see RtfTableRows), hexadecimal characters in the document's code
// page and Unicode characters. Text in a symbol font keeps its codes (see
// RichTextSymbols). Unknown control words and ignorable destinations are
// skipped.
//
// Any byte sequence is accepted: damaged or hostile input (groups nested
// thousands deep, numbers of any length, unclosed groups, binary data)
// is read in one pass with bounded state, and the document shows what
// could be read.
namespace RtfReader {

struct Result {
    bool isRtf = false;     // the input starts with "{\rtf"
    bool truncated = false; // groups were still open at the end of input
    bool limited = false;   // text beyond MaxCharacters or MaxParagraphs was left out
};

// Clears `document` and fills it from `rtf`. Text that is not RTF at all is
// shown as plain text in the platform's ANSI code page.
Result read(QByteArrayView rtf, QTextDocument &document);

// The default tab distance in twips the reader stored on a document
// (720 when the input named none).
int defaultTabTwips(const QTextDocument &document);
// Stores it (on a copy of a read document, say).
void setDefaultTabTwips(QTextDocument &document, int twips);

// Limits that keep hostile input cheap.
constexpr int MaxGroupDepth = 200;       // deeper groups share their parent's state
constexpr int MaxHalfPoints = 3276;      // font sizes above 1638 points are clamped
constexpr int MaxIndentTwips = 31680;    // 22 inches
constexpr int MaxTableEntries = 4096;    // fonts or colours
// A card's text is a few hundred characters; far more is left out, so that
// no input makes the document (and its layout) large.
constexpr int MaxCharacters = 100000;
constexpr int MaxParagraphs = 5000;

} // namespace RtfReader
