#pragma once

#include "platform/Colors.h"

#include <QFont>
#include <QSize>
#include <QString>

// Font styles as a set of flags, in the platform's order (bold, italic,
// underline, strike-out).
enum TFontStyle : unsigned {
    fsBold = 1u << 0,
    fsItalic = 1u << 1,
    fsUnderline = 1u << 2,
    fsStrikeOut = 1u << 3,
};
using TFontStyles = unsigned;

enum class TFontPitch { fpDefault, fpVariable, fpFixed };

// The platform's character-set codes (stored as integers or identifiers).
constexpr int ANSI_CHARSET = 0;
constexpr int DEFAULT_CHARSET = 1;
constexpr int SYMBOL_CHARSET = 2;

// A font as card documents store it. Height in pixels: negative means the
// character height (em size without internal leading), positive the cell
// height. Size in points is derived from Height at a given pixels per inch.
struct TFont {
    QString name = QStringLiteral("Arial");
    int height = -13; // 10 pt at 96 pixels per inch
    TFontStyles style = 0;
    TColor color = clWindowText;
    int charset = DEFAULT_CHARSET;
    TFontPitch pitch = TFontPitch::fpDefault;

    // Size in points at the given pixels per inch: -MulDiv(height, 72, ppi).
    int size(int pixelsPerInch) const;
    // Height = -MulDiv(points, ppi, 72).
    void setSize(int points, int pixelsPerInch);

    bool operator==(const TFont &other) const = default;
};

// Text metrics of a font as the platform reports them, in pixels.
struct TTextMetrics {
    int height = 0;          // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int averageCharWidth = 0;
    int characterHeight() const { return height - internalLeading; }
};

namespace Fonts {

// The installed family that stands in for a Windows font name (Arial ->
// Liberation Sans, Times New Roman -> Liberation Serif, Courier New ->
// Liberation Mono, ...); other names are returned unchanged.
QString resolveFamily(const QString &windowsName);

// The Windows name a document should store for an installed family chosen in
// a font dialog: the stand-ins map back (Liberation Sans -> Arial), other
// families are returned unchanged.
QString windowsName(const QString &family);

// Whether a name is one of the Windows symbol fonts (Symbol, Wingdings,
// Wingdings 2 and 3, Webdings), spelled in any case and spacing. Their text
// is drawn through SymbolFonts::displayText (see platform/SymbolFonts.h).
bool isSymbolFontName(const QString &windowsName);

// Whether the font database has the family (any case; foundry suffixes such
// as "Name [urw]" ignored). False without a GUI application.
bool isInstalled(const QString &family);

// A QFont for the font at the given pixels per inch; pixel sizes follow the
// platform's rule that a negative height is the character height. The QFont
// always has a pixel size (never a point size), so it measures the same on
// every screen. It is fully hinted and unkerned, as the platform drew text:
// every glyph advances a whole number of pixels and a text extent is the sum
// of those advances, which for the metric-compatible stand-ins gives the
// original fonts' widths.
QFont toQFont(const TFont &font, int pixelsPerInch);

// A font chosen in a dialog, as a TFont: family (see windowsName), size in
// points (pixel size when the QFont has no point size), bold, italic,
// underline and strike-out; colour, character set and pitch come from `base`,
// and so does the name when the chosen family is the one `base` resolves to
// (not for symbol fonts, which come back by their Windows names). The symbol
// fonts get the symbol character set, other fonts leave it.
TFont fromQFont(const QFont &font, const TFont &base, int pixelsPerInch);

TTextMetrics metrics(const TFont &font, int pixelsPerInch);
// Width and height of one line of text, as the platform's text extent
// (symbol-font codes measured as they are drawn).
QSize textExtent(const TFont &font, int pixelsPerInch, const QString &text);

} // namespace Fonts
