#include "platform/PrintFonts.h"

#include "platform/SymbolFonts.h"

#include <QFontMetricsF>

namespace Fonts {

QFont toPrintQFont(const TFont &font, int pixelsPerInch)
{
    QFont result = toQFont(font, pixelsPerInch);
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

qreal printTextWidth(const TFont &font, int pixelsPerInch, const QString &text)
{
    return QFontMetricsF(toPrintQFont(font, pixelsPerInch)).horizontalAdvance(SymbolFonts::displayText(font.name, text));
}

} // namespace Fonts
