#pragma once

#include "platform/Fonts.h"

// Fonts as text for paper is set (see TCanvas::setPrintText).
namespace Fonts {

// The font at the same pixel size as toQFont, but unhinted, so every glyph
// advances by the typeface's own width: a fraction of a pixel that scales
// exactly to any output resolution.
QFont toPrintQFont(const TFont &font, int pixelsPerInch);

// Width of one line of text in the paper font, in pixels and fractions
// (symbol-font codes measured as they are drawn).
qreal printTextWidth(const TFont &font, int pixelsPerInch, const QString &text);

} // namespace Fonts
