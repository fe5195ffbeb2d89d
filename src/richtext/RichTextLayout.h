#pragma once

#include <QColor>
#include <QMargins>
#include <QRect>

class QPainter;
class QTextDocument;

// How rich text is laid out and painted. A document for painting is laid
// out once on a 1440-per-inch device (one unit per twip), so its line
// breaks do not depend on the zoom or the screen: painting only scales.
namespace RichTextLayout {

// Settings every document gets when it is made: the default font (Arial),
// no document margin, design metrics.
void prepareDocument(QTextDocument &document);

// Moves a parsed document onto the twips device and makes it a document for
// painting only: hidden text is taken out, symbol-font codes become the
// pictures they stand for (platform/SymbolFonts), indents (held in
// 96-per-inch pixels, as an editor shows them) become twips, and the
// default tab distance is the document's own. Tab stops, line spacing and
// table geometry stay in 96-per-inch pixels: the layout scales those itself.
void toTwipsLayout(QTextDocument &document);

// Multiplies every font size, block margin, tab stop, fixed line height and
// table column and cell inset by `factor`: an editor shows
// its document at a zoom this way, and divides it out again afterwards.
void scaleDocument(QTextDocument &document, double factor);

struct Page {
    int widthTwips = 0;
    int heightTwips = 0;
    QMargins marginsTwips;  // left, top, right, bottom
    bool wordWrap = true;
    int zoomPercent = 100;
    int pixelsPerInch = 96; // of the target at 100 percent
};

// Paints the first page of a document laid out by `toTwipsLayout` into
// `target` (painter coordinates): the page's top-left corner at the
// target's, scaled by zoom and pixels per inch, clipped to the target and
// the page. Nothing is painted for an empty page.
void paintFirstPage(QTextDocument &document, QPainter &painter, const QRect &target, const Page &page);

} // namespace RichTextLayout
