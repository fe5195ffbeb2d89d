#include "platform/SymbolFonts.h"

#include "platform/Fonts.h"
#include "platform/SfntRename.h"
#include "platform/Windows1252.h"

#include <QFile>
#include <QFontDatabase>
#include <QRawFont>
#include <QGuiApplication>
#include <QMutex>
#include <QTextStream>

#include <algorithm>
#include <array>

// The resource lives in the core library, so it is registered by hand.
static void initSymbolFontResource() { Q_INIT_RESOURCE(symbolfonts); }

namespace SymbolFonts {

namespace {

constexpr int kSetCount = 6; // with ssNone

struct SetName {
    TSymbolSet set;
    const char *name;
};

// Selector order: alphabetical, as the platform's font lists show them.
constexpr std::array<SetName, 5> kSets = {{
    {TSymbolSet::ssSymbol, "Symbol"},
    {TSymbolSet::ssWebdings, "Webdings"},
    {TSymbolSet::ssWingdings, "Wingdings"},
    {TSymbolSet::ssWingdings2, "Wingdings 2"},
    {TSymbolSet::ssWingdings3, "Wingdings 3"},
}};

QString key(const QString &name)
{
    QString result;
    result.reserve(name.size());
    for (const QChar c : name)
        if (!c.isSpace())
            result.append(c.toCaseFolded());
    return result;
}

using Table = std::array<std::array<QString, 256>, kSetCount>;

// "U+1F57F" or "U+1F453 U+FE0E"; the selector only asks for a text glyph,
// which the pinned outline font gives anyway, so it is left out.
QString parseUnicode(const QString &field)
{
    QString result;
    for (const QString &part : field.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!part.startsWith(QLatin1String("U+")))
            return QString();
        bool ok = false;
        const char32_t code = part.mid(2).toUInt(&ok, 16);
        if (!ok)
            return QString();
        if (code == 0xFE0E)
            continue;
        result += QString::fromUcs4(&code, 1);
    }
    return result;
}

Table loadTable()
{
    initSymbolFontResource();
    Table table;
    QFile file(QStringLiteral(":/data/symbol-fonts-unicode.tsv"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return table;
    QTextStream in(&file);
    in.readLine(); // header
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(QLatin1Char('\t'));
        if (fields.size() < 3)
            continue;
        const TSymbolSet set = symbolSet(fields[0]);
        bool ok = false;
        const uint code = fields[1].toUInt(&ok, 16);
        if (set == TSymbolSet::ssNone || !ok || code > 0xFF)
            continue;
        table[int(set)][code] = parseUnicode(fields[2]);
    }
    return table;
}

const Table &table()
{
    static const Table instance = loadTable();
    return instance;
}

QMutex &stateMutex()
{
    static QMutex mutex;
    return mutex;
}

// Per set: 0 not asked yet, 1 not installed, 2 installed, 3 stand-in registered.
std::array<int, kSetCount> &installState()
{
    static std::array<int, kSetCount> state{};
    return state;
}

// Installed fonts do not change while the program runs; ask the font
// database once per set (and not at all without a GUI application).
bool installedCached(TSymbolSet set)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    QMutexLocker lock(&stateMutex());
    int &state = installState()[int(set)];
    if (state == 0)
        state = Fonts::isInstalled(windowsName(set)) ? 2 : 1;
    return state == 2;
}

} // namespace

TSymbolSet symbolSet(const QString &fontName)
{
    // Asked for every text measured or drawn: most names are ruled out by
    // their first letter.
    const auto first = std::find_if(fontName.cbegin(), fontName.cend(), [](QChar c) { return !c.isSpace(); });
    if (first == fontName.cend())
        return TSymbolSet::ssNone;
    const QChar letter = first->toCaseFolded();
    if (letter != QLatin1Char('s') && letter != QLatin1Char('w'))
        return TSymbolSet::ssNone;
    static const auto keys = [] {
        std::array<QString, kSets.size()> result;
        for (std::size_t i = 0; i < kSets.size(); ++i)
            result[i] = key(QString::fromLatin1(kSets[i].name));
        return result;
    }();
    const QString wanted = key(fontName);
    for (std::size_t i = 0; i < kSets.size(); ++i)
        if (keys[i] == wanted)
            return kSets[i].set;
    return TSymbolSet::ssNone;
}

QString windowsName(TSymbolSet set)
{
    for (const SetName &entry : kSets)
        if (entry.set == set)
            return QString::fromLatin1(entry.name);
    return QString();
}

QStringList windowsFamilies()
{
    QStringList names;
    for (const SetName &entry : kSets)
        names << QString::fromLatin1(entry.name);
    return names;
}

bool isInstalled(TSymbolSet set)
{
    return set != TSymbolSet::ssNone && installedCached(set);
}

QStringList registerSelectorFamilies()
{
    static QStringList offered;
    if (!offered.isEmpty() || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return offered;
    QFont outline(outlineFamilies().constFirst());
    outline.setStyleStrategy(QFont::NoFontMerging);
    const QRawFont raw = QRawFont::fromFont(outline);
    for (const SetName &entry : kSets) {
        if (isInstalled(entry.set))
            continue;
        const QString name = QString::fromLatin1(entry.name);
        const QByteArray copy = SfntRename::renamedCopy(raw, name);
        if (copy.isEmpty() || QFontDatabase::addApplicationFontFromData(copy) < 0)
            continue;
        QMutexLocker lock(&stateMutex());
        installState()[int(entry.set)] = 3;
        offered << name;
    }
    return offered;
}

QStringList outlineFamilies()
{
    // Symbola draws every mapped code; the others together do as well.
    static const QStringList candidates{
        QStringLiteral("Symbola"),         QStringLiteral("Noto Sans Symbols2"),
        QStringLiteral("DejaVu Sans"),     QStringLiteral("Noto Sans Symbols"),
        QStringLiteral("Noto Sans Math"),  QStringLiteral("Noto Sans"),
    };
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return {candidates.constFirst()};
    static const QStringList installed = [] {
        QStringList result;
        for (const QString &family : candidates)
            if (Fonts::isInstalled(family))
                result << family;
        return result;
    }();
    return installed.isEmpty() ? QStringList{candidates.constFirst()} : installed;
}

std::optional<unsigned char> codeOf(QChar c)
{
    const char16_t unit = c.unicode();
    if (unit >= 0xF020 && unit <= 0xF0FF)
        return static_cast<unsigned char>(unit - 0xF000);
    return Windows1252::fromUnicode(unit);
}

QChar characterOf(unsigned char code) { return QChar(Windows1252::toUnicode(code)); }

QString unicodeFor(TSymbolSet set, unsigned char code)
{
    if (set == TSymbolSet::ssNone)
        return QString();
    return table()[int(set)][code];
}

// WHITE VERTICAL RECTANGLE: the shape fonts give characters they lack.
QChar missingGlyph() { return QChar(0x25AF); }

QString displayText(const QString &fontName, const QString &text)
{
    const TSymbolSet set = symbolSet(fontName);
    if (set == TSymbolSet::ssNone || text.isEmpty())
        return text;
    const bool native = isInstalled(set);
    QString result;
    result.reserve(text.size() * 2);
    for (const QChar c : text) {
        const std::optional<unsigned char> code = codeOf(c);
        if (native) {
            // A symbol font's character map is keyed on the private-use form.
            result += code && *code >= 0x20 ? QChar(0xF000 + *code) : c;
            continue;
        }
        const QString mapped = code ? unicodeFor(set, *code) : QString();
        if (mapped.isEmpty())
            result += missingGlyph();
        else
            result += mapped;
    }
    return result;
}

} // namespace SymbolFonts
