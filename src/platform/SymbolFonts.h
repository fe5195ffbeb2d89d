#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <optional>

// The Windows symbol fonts ("Symbol", "Wingdings", "Wingdings 2",
// "Wingdings 3", "Webdings") on a system that does not have them.
//
// Card documents name these fonts and store byte codes 0x20-0xFF in their
// text; each code stands for a picture, not a letter. When the named font is
// not installed, every code is mapped to the Unicode character with the same
// picture (the table in resources/data/symbol-fonts-unicode.tsv) and drawn
// with an installed outline font that has it (Symbola first; never a colour
// emoji font). A code without a picture draws as an empty box, never as the
// Latin letter of the same code. Fonts::toQFont picks the outline font and
// every text path (canvas, report, measuring) draws displayText(), so the
// symbols measure, draw and print alike; the stored text keeps its codes.
namespace SymbolFonts {

enum class TSymbolSet { ssNone, ssSymbol, ssWingdings, ssWingdings2, ssWingdings3, ssWebdings };

// The symbol set a font name stands for, comparing without letter case and
// spaces ("WingDings", "WINGDINGS 3", "Wingdings2"); ssNone for other fonts.
TSymbolSet symbolSet(const QString &fontName);
inline bool isSymbolFont(const QString &fontName) { return symbolSet(fontName) != TSymbolSet::ssNone; }

// The Windows name of a set ("Wingdings 2"); empty for ssNone.
QString windowsName(TSymbolSet set);

// The symbol fonts as font selectors offer them, by their Windows names, so
// that new cards name them as Windows documents do.
QStringList windowsFamilies();

// Whether the Windows font of that set is itself installed (it then draws
// its own codes and no mapping is needed). The stand-ins registered by
// registerSelectorFamilies() do not count.
bool isInstalled(TSymbolSet set);

// Makes the font dialog offer the symbol fonts that are not installed by
// their Windows names: registers a copy of the outline font under each name
// (used by the dialog's lists only; drawing keeps going through the table).
// Returns the names now offered. Needs a GUI application; runs once.
QStringList registerSelectorFamilies();

// The installed outline families that draw mapped symbols, best first. Colour
// emoji fonts are never among them.
QStringList outlineFamilies();

// The byte code a text character stands for: its Windows-1252 byte, or the
// private-use form U+F020-U+F0FF less 0xF000. None for other characters.
std::optional<unsigned char> codeOf(QChar c);

// The text character that stores a byte code (its Windows-1252 character).
QChar characterOf(unsigned char code);

// The Unicode text with the picture of `code` in `set`, without any
// presentation selector; empty when the set has nothing to draw there.
QString unicodeFor(TSymbolSet set, unsigned char code);

// The empty box drawn for codes without a picture.
QChar missingGlyph();

// The text to hand to the font for `text` in the font named `fontName`:
// unchanged for other fonts; the private-use forms for an installed symbol
// font; otherwise every code mapped through the table, codes without a
// picture (and characters that are no code) as missingGlyph().
QString displayText(const QString &fontName, const QString &text);

} // namespace SymbolFonts
