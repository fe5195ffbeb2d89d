#include "platform/Fonts.h"

#include "platform/Numbers.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>

int TFont::size(int pixelsPerInch) const
{
    return -Numbers::mulDiv(height, 72, pixelsPerInch);
}

void TFont::setSize(int points, int pixelsPerInch)
{
    height = -Numbers::mulDiv(points, pixelsPerInch, 72);
}

namespace Fonts {

namespace {

struct Substitute {
    const char *windowsName;
    QStringList candidates; // first installed one wins
};

const QStringList &symbolCandidates()
{
    static const QStringList candidates{QStringLiteral("Symbola"), QStringLiteral("DejaVu Sans")};
    return candidates;
}

const std::vector<Substitute> &substitutes()
{
    static const std::vector<Substitute> table{
        {"Arial", {QStringLiteral("Liberation Sans")}},
        {"Helvetica", {QStringLiteral("Liberation Sans")}},
        {"Times New Roman", {QStringLiteral("Liberation Serif")}},
        {"Times", {QStringLiteral("Liberation Serif")}},
        {"Courier New", {QStringLiteral("Liberation Mono")}},
        {"Courier", {QStringLiteral("Liberation Mono")}},
        {"Arial Narrow",
         {QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Nimbus Sans Narrow"),
          QStringLiteral("Liberation Sans")}},
    };
    return table;
}

// Names compared as documents spell them: any case, runs of spaces as one.
QString normalised(const QString &name)
{
    return name.simplified().toCaseFolded();
}

bool isInstalled(const QString &family)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

QString firstInstalled(const QStringList &candidates)
{
    for (const QString &candidate : candidates)
        if (isInstalled(candidate))
            return candidate;
    return candidates.constFirst();
}

// Pixel size whose cell (ascent + descent) is `cellHeight`: the platform
// treats a positive height as the cell height and picks the em size to fit.
int pixelSizeForCell(QFont font, int cellHeight)
{
    constexpr int probe = 2048;
    font.setPixelSize(probe);
    const QFontMetricsF large(font);
    const qreal cellPerEm = (large.ascent() + large.descent()) / probe;
    int pixels = qMax(1, Numbers::roundHalfEven(cellHeight / cellPerEm));
    for (;;) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        if (pixels <= 1 || metrics.ascent() + metrics.descent() <= cellHeight)
            return pixels;
        --pixels;
    }
}

} // namespace

bool isSymbolFontName(const QString &windowsName)
{
    static const QStringList names{QStringLiteral("symbol"), QStringLiteral("wingdings"),
                                   QStringLiteral("wingdings 2"), QStringLiteral("wingdings 3"),
                                   QStringLiteral("webdings")};
    return names.contains(normalised(windowsName));
}

QString resolveFamily(const QString &windowsName)
{
    if (isSymbolFontName(windowsName))
        return firstInstalled(symbolCandidates());
    const QString key = normalised(windowsName);
    for (const Substitute &substitute : substitutes())
        if (normalised(QString::fromLatin1(substitute.windowsName)) == key)
            return firstInstalled(substitute.candidates);
    return windowsName;
}

QString windowsName(const QString &family)
{
    const QString key = normalised(family);
    for (const Substitute &substitute : substitutes())
        if (normalised(substitute.candidates.constFirst()) == key)
            return QString::fromLatin1(substitute.windowsName);
    return family;
}

QFont toQFont(const TFont &font, int pixelsPerInch)
{
    QFont result(resolveFamily(font.name));
    result.setBold(font.style & fsBold);
    result.setItalic(font.style & fsItalic);
    result.setUnderline(font.style & fsUnderline);
    result.setStrikeOut(font.style & fsStrikeOut);
    result.setKerning(false);
    result.setHintingPreference(QFont::PreferNoHinting);
    if (font.pitch == TFontPitch::fpFixed)
        result.setFixedPitch(true);
    if (font.height < 0)
        result.setPixelSize(-font.height);
    else if (font.height > 0)
        result.setPixelSize(pixelSizeForCell(result, font.height));
    else // the platform's default size for height 0: 10 points
        result.setPixelSize(Numbers::mulDiv(10, pixelsPerInch, 72));
    return result;
}

TFont fromQFont(const QFont &font, const TFont &base, int pixelsPerInch)
{
    TFont result = base;
    const QString family = font.family();
    if (resolveFamily(base.name).compare(family, Qt::CaseInsensitive) != 0)
        result.name = windowsName(family);
    if (font.pointSizeF() > 0)
        result.setSize(Numbers::roundHalfEven(font.pointSizeF()), pixelsPerInch);
    else if (font.pixelSize() > 0)
        result.height = -font.pixelSize();
    result.style = (font.bold() ? fsBold : 0u) | (font.italic() ? fsItalic : 0u)
        | (font.underline() ? fsUnderline : 0u) | (font.strikeOut() ? fsStrikeOut : 0u);
    return result;
}

TTextMetrics metrics(const TFont &font, int pixelsPerInch)
{
    const QFont qfont = toQFont(font, pixelsPerInch);
    const QFontMetrics fm(qfont);
    TTextMetrics result;
    result.ascent = fm.ascent();
    result.descent = fm.descent();
    result.height = result.ascent + result.descent;
    result.internalLeading = qMax(0, result.height - qfont.pixelSize());
    result.externalLeading = qMax(0, fm.leading());
    result.averageCharWidth = fm.averageCharWidth();
    return result;
}

QSize textExtent(const TFont &font, int pixelsPerInch, const QString &text)
{
    const QFontMetrics fm(toQFont(font, pixelsPerInch));
    return QSize(fm.horizontalAdvance(text), fm.ascent() + fm.descent());
}

} // namespace Fonts
