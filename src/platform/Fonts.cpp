#include "platform/Fonts.h"

#include "platform/Numbers.h"
#include "platform/SymbolFonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QRawFont>
#include <QtEndian>

#include <algorithm>

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

// The average character width as the platform reports it: the font's own
// figure when its OS/2 table uses the old definition (a weighted mean of the
// lower-case letters and the space), otherwise that mean computed from the
// glyph advances, so that metric-compatible stand-ins report what the
// originals did. Fonts without those letters report Qt's average.
int averageCharWidth(const QFont &font)
{
    const QRawFont raw = QRawFont::fromFont(font);
    const qreal unitsPerEm = raw.unitsPerEm();
    const QByteArray os2 = raw.fontTable("OS/2");
    const qreal scale = font.pixelSize() / unitsPerEm;
    if (os2.size() >= 4 && qFromBigEndian<quint16>(os2.constData()) <= 2)
        return qRound(qFromBigEndian<qint16>(os2.constData() + 2) * scale);

    static const int weights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6, 35, 20, 56,
                                    56, 17, 4, 49, 56, 71, 31, 10, 18, 3, 18, 2, 166};
    QFont design = font;
    design.setPixelSize(int(unitsPerEm));
    design.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF metrics(design);
    qreal weighted = 0;
    for (int i = 0; i < 27; ++i) {
        const QChar c = i < 26 ? QChar(u'a' + i) : QChar(u' ');
        if (!metrics.inFont(c))
            return QFontMetrics(font).averageCharWidth();
        weighted += metrics.horizontalAdvance(c) * weights[i];
    }
    return qRound(weighted / 1000 * scale);
}

} // namespace

bool isInstalled(const QString &family)
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app)
        return false;
    // Asked for every text drawn, so the answers are kept until the
    // application's fonts change.
    static QHash<QString, bool> answers;
    static const QMetaObject::Connection reset =
        QObject::connect(app, &QGuiApplication::fontDatabaseChanged, [] { answers.clear(); });
    Q_UNUSED(reset);
    const auto known = answers.constFind(family);
    if (known != answers.constEnd())
        return *known;
    // The font database spells some families with their foundry: "Name [urw]".
    const QStringList families = QFontDatabase::families();
    const bool installed = std::any_of(families.begin(), families.end(), [&](const QString &name) {
        const qsizetype foundry = name.indexOf(QLatin1String(" ["));
        return name.left(foundry).compare(family, Qt::CaseInsensitive) == 0;
    });
    answers.insert(family, installed);
    return installed;
}

bool isSymbolFontName(const QString &windowsName) { return SymbolFonts::isSymbolFont(windowsName); }

QString resolveFamily(const QString &windowsName)
{
    const SymbolFonts::TSymbolSet set = SymbolFonts::symbolSet(windowsName);
    if (set != SymbolFonts::TSymbolSet::ssNone)
        return SymbolFonts::isInstalled(set) ? SymbolFonts::windowsName(set)
                                             : SymbolFonts::outlineFamilies().constFirst();
    const QString key = normalised(windowsName);
    for (const Substitute &substitute : substitutes())
        if (normalised(QString::fromLatin1(substitute.windowsName)) == key)
            return firstInstalled(substitute.candidates);
    return windowsName;
}

QString windowsName(const QString &family)
{
    const SymbolFonts::TSymbolSet set = SymbolFonts::symbolSet(family);
    if (set != SymbolFonts::TSymbolSet::ssNone)
        return SymbolFonts::windowsName(set);
    const QString key = normalised(family);
    for (const Substitute &substitute : substitutes())
        if (normalised(substitute.candidates.constFirst()) == key)
            return QString::fromLatin1(substitute.windowsName);
    return family;
}

QFont toQFont(const TFont &font, int pixelsPerInch)
{
    QFont result(resolveFamily(font.name));
    if (SymbolFonts::isSymbolFont(font.name)
        && !SymbolFonts::isInstalled(SymbolFonts::symbolSet(font.name))) {
        // Mapped symbols come from the outline font alone: no fallback may
        // pick a colour emoji font, and a code it lacks shows as a box.
        result.setFamilies(SymbolFonts::outlineFamilies());
        result.setStyleStrategy(QFont::NoFontMerging);
    }
    result.setBold(font.style & fsBold);
    result.setItalic(font.style & fsItalic);
    result.setUnderline(font.style & fsUnderline);
    result.setStrikeOut(font.style & fsStrikeOut);
    result.setKerning(false);
    result.setHintingPreference(QFont::PreferFullHinting);
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
    // A symbol font comes back from the dialog under its own Windows name,
    // so the outline font it is drawn with means just that font.
    if (SymbolFonts::isSymbolFont(base.name) || resolveFamily(base.name).compare(family, Qt::CaseInsensitive) != 0)
        result.name = windowsName(family);
    // The symbol fonts are of the symbol character set, as the platform reports them.
    if (SymbolFonts::isSymbolFont(result.name))
        result.charset = SYMBOL_CHARSET;
    else if (result.charset == SYMBOL_CHARSET)
        result.charset = DEFAULT_CHARSET;
    if (font.pointSizeF() > 0)
        result.setSize(Numbers::roundHalfEven(font.pointSizeF()), pixelsPerInch);
    else if (font.pixelSize() > 0)
        result.height = -font.pixelSize();
    result.style = (font.bold() ? fsBold : 0u) | (font.italic() ? fsItalic : 0u)
        | (font.underline() ? fsUnderline : 0u) | (font.strikeOut() ? fsStrikeOut : 0u);
    return result;
}

namespace {

// What of a font its metrics depend on.
struct MetricsKey {
    QString name;
    int height;
    TFontStyles style;
    int pitch;
    int pixelsPerInch;
    bool operator==(const MetricsKey &) const = default;
};

size_t qHash(const MetricsKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.name, key.height, key.style, key.pitch, key.pixelsPerInch);
}

} // namespace

TTextMetrics metrics(const TFont &font, int pixelsPerInch)
{
    // Every label asks on every paint; the answer depends only on the font,
    // and a key of plain values is cheaper than formatting one as text.
    static QHash<MetricsKey, TTextMetrics> known;
    const MetricsKey key{font.name, font.height, font.style, int(font.pitch), pixelsPerInch};
    const auto it = known.constFind(key);
    if (it != known.constEnd())
        return *it;
    const QFont qfont = toQFont(font, pixelsPerInch);
    const QFontMetrics fm(qfont);
    TTextMetrics result;
    result.ascent = fm.ascent();
    result.descent = fm.descent();
    result.height = result.ascent + result.descent;
    result.internalLeading = qMax(0, result.height - qfont.pixelSize());
    result.externalLeading = qMax(0, fm.leading());
    result.averageCharWidth = averageCharWidth(qfont);
    if (known.size() > 512)
        known.clear();
    known.insert(key, result);
    return result;
}

QSize textExtent(const TFont &font, int pixelsPerInch, const QString &text)
{
    const QFontMetrics fm(toQFont(font, pixelsPerInch));
    return QSize(fm.horizontalAdvance(SymbolFonts::displayText(font.name, text)),
                 fm.ascent() + fm.descent());
}

} // namespace Fonts
