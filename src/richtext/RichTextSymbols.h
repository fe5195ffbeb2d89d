#pragma once

#include <QString>

class QTextDocument;

// Text in the Windows symbol fonts (Symbol, Wingdings 1-3, Webdings) is
// stored as byte codes, each standing for a picture (platform/SymbolFonts).
// Documents hold the codes; what is shown holds the pictures.
namespace RichTextSymbols {

// The pictures of the codes in `codes` for the symbol font `family`; tabs
// and line breaks stay what they are.
QString picturesOf(const QString &family, const QString &codes);

// For an editor: every symbol-font run shows its pictures (drawn by the
// outline font when the Windows font is not installed) and remembers its
// codes. The document counts as unmodified afterwards.
void showPictures(QTextDocument &document);

// Undoes showPictures before the document is written: pictures become their
// codes again; characters typed into such a run are taken as codes.
void storeCodes(QTextDocument &document);

} // namespace RichTextSymbols
