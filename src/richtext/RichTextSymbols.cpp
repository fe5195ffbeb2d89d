#include "richtext/RichTextSymbols.h"

#include "platform/SymbolFonts.h"
#include "richtext/RichTextProperties.h"

#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <algorithm>
#include <vector>

namespace RichTextSymbols {

namespace {

QString firstFamily(const QTextCharFormat &format)
{
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() ? QString() : families.first();
}

bool keptAsIs(QChar c) { return c == QLatin1Char('\t') || c == QChar(QChar::LineSeparator); }

// Picture -> code for one symbol set.
struct Codes {
    QHash<QString, unsigned char> of;
    qsizetype longest = 1;
};

const Codes &codesOf(SymbolFonts::TSymbolSet set)
{
    static QHash<int, Codes> sets;
    auto found = sets.find(int(set));
    if (found != sets.end())
        return *found;
    Codes codes;
    for (int code = 0x20; code <= 0xFF; ++code) {
        const QString picture = SymbolFonts::unicodeFor(set, uchar(code));
        if (picture.isEmpty() || codes.of.contains(picture))
            continue;
        codes.of.insert(picture, uchar(code));
        codes.longest = std::max(codes.longest, picture.size());
    }
    return *sets.insert(int(set), codes);
}

QString codesFor(SymbolFonts::TSymbolSet set, const QString &shown)
{
    const Codes &codes = codesOf(set);
    QString stored;
    for (qsizetype i = 0; i < shown.size();) {
        const QChar c = shown[i];
        if (c.unicode() >= 0xF020 && c.unicode() <= 0xF0FF) { // an installed font's private-use form
            stored += SymbolFonts::characterOf(uchar(c.unicode() - 0xF000));
            ++i;
            continue;
        }
        qsizetype length = std::min(codes.longest, shown.size() - i);
        for (; length > 0; --length) {
            const auto code = codes.of.constFind(shown.mid(i, length));
            if (code != codes.of.constEnd()) {
                stored += SymbolFonts::characterOf(*code);
                break;
            }
        }
        if (length == 0) {
            stored += c; // typed: a code itself
            length = 1;
        }
        i += length;
    }
    return stored;
}

struct Change {
    int position;
    int length;
    QString text;
    QTextCharFormat format;
};

void applyChanges(QTextDocument &document, const std::vector<Change> &changes)
{
    QTextCursor cursor(&document);
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        cursor.setPosition(change->position);
        cursor.setPosition(change->position + change->length, QTextCursor::KeepAnchor);
        cursor.insertText(change->text, change->format);
    }
}

} // namespace

QString picturesOf(const QString &family, const QString &codes)
{
    QString shown;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= codes.size(); ++i) {
        if (i < codes.size() && !keptAsIs(codes[i]))
            continue;
        if (i > start)
            shown += SymbolFonts::displayText(family, codes.mid(start, i - start));
        if (i < codes.size())
            shown += codes[i];
        start = i + 1;
    }
    return shown;
}

void showPictures(QTextDocument &document)
{
    std::vector<Change> changes;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            const QString family = firstFamily(format);
            const SymbolFonts::TSymbolSet set = SymbolFonts::symbolSet(family);
            if (set == SymbolFonts::TSymbolSet::ssNone || format.hasProperty(RichTextProperties::SymbolCodes))
                continue;
            // The Windows name stays first, so the font tool bar shows it
            // and the writer writes it.
            if (!SymbolFonts::isInstalled(set))
                format.setFontFamilies(QStringList{family} + SymbolFonts::outlineFamilies());
            format.setProperty(RichTextProperties::SymbolCodes, fragment.text());
            changes.push_back({fragment.position(), fragment.length(), picturesOf(family, fragment.text()), format});
        }
    const bool modified = document.isModified();
    applyChanges(document, changes);
    document.setModified(modified);
}

void storeCodes(QTextDocument &document)
{
    std::vector<Change> changes;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            const QString family = firstFamily(format);
            const SymbolFonts::TSymbolSet set = SymbolFonts::symbolSet(family);
            if (set == SymbolFonts::TSymbolSet::ssNone)
                continue;
            const QString original = format.stringProperty(RichTextProperties::SymbolCodes);
            format.clearProperty(RichTextProperties::SymbolCodes);
            format.setFontFamilies(QStringList{family});
            // A run as shown gets its own codes back (codes without a picture
            // all show the same box); an edited one is read picture by picture.
            const QString text = fragment.text();
            QString stored;
            if (!original.isEmpty() && text == picturesOf(family, original)) {
                stored = original;
            } else {
                for (qsizetype i = 0, start = 0; i <= text.size(); ++i) {
                    if (i < text.size() && !keptAsIs(text[i]))
                        continue;
                    stored += codesFor(set, text.mid(start, i - start));
                    if (i < text.size())
                        stored += text[i];
                    start = i + 1;
                }
            }
            changes.push_back({fragment.position(), fragment.length(), stored, format});
        }
    applyChanges(document, changes);
}

} // namespace RichTextSymbols
