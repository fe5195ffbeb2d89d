#include "richtext/RtfReader.h"

#include "platform/Fonts.h"
#include "platform/SymbolFonts.h"
#include "platform/Windows1252.h"
#include "richtext/RichTextProperties.h"
#include "richtext/RtfCodePage.h"
#include "richtext/RtfKeywords.h"
#include "richtext/RtfState.h"
#include "richtext/RtfTableRows.h"

#include <QColor>
#include <QHash>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace RtfReader {

namespace {

const char *const DefaultTabProperty = "rtfDefaultTabTwips";

struct FontEntry {
    QString family;
    int codePage = 0;
    bool symbol = false; // one of the Windows symbol fonts: its text is byte codes
};

constexpr int clampInt(qint64 value, int low, int high)
{
    return int(std::clamp<qint64>(value, low, high));
}

class Parser
{
public:
    Parser(QByteArrayView in, QTextDocument &document) : m_in(in), m_doc(document), m_cursor(&document) {}

    Result run()
    {
        Result result;
        result.isRtf = true;
        // One edit block for the whole document: the cursor then does not
        // lay out the growing paragraph again after every insertion.
        m_cursor.beginEditBlock();
        const qsizetype n = m_in.size();
        while (m_pos < n && !m_done) {
            const char c = m_in[m_pos++];
            switch (c) {
            case '{':
                flushBytes();
                openGroup();
                break;
            case '}':
                flushBytes();
                closeGroup();
                break;
            case '\\':
                controlSequence();
                break;
            case '\r':
            case '\n':
                break;
            default:
                byte(c);
            }
        }
        flushBytes();
        flushRun();
        if (!m_rows.isEmpty())
            endRow(); // an unfinished row shows what it has
        m_cursor.setBlockFormat(m_endFormat.value_or(blockFormat()));
        m_cursor.endEditBlock();
        result.truncated = m_depth > 0;
        result.limited = m_limited;
        m_doc.setProperty(DefaultTabProperty, m_defaultTab);
        return result;
    }

private:
    // --- groups

    void openGroup()
    {
        ++m_depth;
        m_skip = 0;
        if (int(m_stack.size()) < MaxGroupDepth)
            m_stack.push_back(m_state);
        else
            ++m_overflow;
    }

    void closeGroup()
    {
        m_skip = 0;
        if (m_state.dest == Dest::FontTable)
            commitFont();
        if (m_depth == 0)
            return; // a stray brace after the document's group
        if (m_depth == 1)
            m_endFormat = blockFormat(); // the last paragraph's, before the group's state goes
        --m_depth;
        if (m_overflow > 0) {
            --m_overflow;
        } else if (!m_stack.empty()) {
            m_state = m_stack.back();
            m_stack.pop_back();
        }
        m_formatDirty = true;
        if (m_depth == 0)
            m_done = true; // the document's own group has ended
    }

    // --- tokens

    void controlSequence()
    {
        const qsizetype n = m_in.size();
        if (m_pos >= n)
            return;
        const char c = m_in[m_pos];
        if (!isLetter(c)) {
            ++m_pos;
            controlSymbol(c);
            return;
        }
        const qsizetype start = m_pos;
        while (m_pos < n && isLetter(m_in[m_pos]) && m_pos - start < 32)
            ++m_pos;
        const QByteArray word = m_in.sliced(start, m_pos - start).toByteArray();
        while (m_pos < n && isLetter(m_in[m_pos]))
            ++m_pos; // an overlong word is cut, its tail ignored
        bool negative = false;
        if (m_pos + 1 < n && m_in[m_pos] == '-' && isDigit(m_in[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        qint64 value = 0;
        int digits = 0;
        while (m_pos < n && isDigit(m_in[m_pos])) {
            if (digits < 12)
                value = value * 10 + (m_in[m_pos] - '0');
            ++digits;
            ++m_pos;
        }
        if (m_pos < n && m_in[m_pos] == ' ')
            ++m_pos;
        const int param = clampInt(negative ? -value : value, std::numeric_limits<int>::min(),
                                   std::numeric_limits<int>::max());
        flushBytes();
        controlWord(word, digits > 0, param);
    }

    void controlSymbol(char c)
    {
        if (c == '\'') {
            hexByte();
            return;
        }
        if (c == '\\' || c == '{' || c == '}') {
            byte(c);
            return;
        }
        flushBytes();
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        switch (c) {
        case '~': text(QChar(0x00A0)); break;
        case '-': text(QChar(0x00AD)); break;
        case '_': text(QChar(0x2011)); break;
        case '*':
            m_state.dest = Dest::Skip;
            break;
        case '\r':
        case '\n':
            paragraph();
            break;
        default:
            break;
        }
    }

    void hexByte()
    {
        const qsizetype n = m_in.size();
        int value = 0;
        int count = 0;
        while (count < 2 && m_pos < n && hexValue(m_in[m_pos]) >= 0) {
            value = value * 16 + hexValue(m_in[m_pos]);
            ++m_pos;
            ++count;
        }
        if (count > 0)
            byte(char(value));
    }

    // A byte of text (plain or hexadecimal): collected so that multi-byte code
    // pages decode whole characters.
    void byte(char c)
    {
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        switch (m_state.dest) {
        case Dest::Text:
            m_bytes.append(c);
            break;
        case Dest::FontTable:
            if (c == ';')
                commitFont();
            else if (m_fontName.size() < 256)
                m_fontName.append(c);
            break;
        case Dest::ColorTable:
            if (c == ';')
                commitColor();
            break;
        case Dest::Skip:
            break;
        }
    }

    void controlWord(const QByteArray &name, bool hasParam, int param)
    {
        using W = RtfKeywords::Word;
        const W word = RtfKeywords::lookup(name);
        if (word == W::Bin) {
            // Binary data is never text: skip it whole, however long it claims to be.
            const qsizetype length = std::max(0, param);
            m_pos = std::min(m_in.size(), m_pos + length);
            return;
        }
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        if (m_state.dest == Dest::Skip || word == W::Unknown)
            return;
        m_formatDirty = true;
        switch (word) {
        case W::FontTable:
            m_state.dest = Dest::FontTable;
            m_fontId = -1;
            return;
        case W::ColorTable:
            m_state.dest = Dest::ColorTable;
            m_colorPending = false;
            return;
        case W::Skipped:
            m_state.dest = Dest::Skip;
            return;
        default:
            break;
        }
        if (m_state.dest == Dest::FontTable)
            fontTableWord(word, param);
        else if (m_state.dest == Dest::ColorTable)
            colorTableWord(word, param);
        else if (!documentWord(word, param) && !paragraphWord(word, hasParam, param) && !tableWord(word, param))
            characterWord(word, name, hasParam, param);
    }

    bool documentWord(RtfKeywords::Word word, int param)
    {
        using W = RtfKeywords::Word;
        switch (word) {
        case W::Ansi: m_codePage = RtfCodePage::Ansi; break;
        case W::AnsiCodePage: m_codePage = param > 0 ? param : RtfCodePage::Ansi; break;
        case W::Mac: m_codePage = 10000; break;
        case W::Pc: m_codePage = 437; break;
        case W::Pca: m_codePage = 850; break;
        case W::DefaultFont: m_defaultFont = param; break;
        case W::DefaultTab: m_defaultTab = std::clamp(param, 1, MaxIndentTwips); break;
        default: return false;
        }
        return true;
    }

    bool paragraphWord(RtfKeywords::Word word, bool hasParam, int param)
    {
        using W = RtfKeywords::Word;
        State &s = m_state;
        const int indent = clampInt(param, -MaxIndentTwips, MaxIndentTwips);
        const int space = clampInt(param, 0, MaxIndentTwips);
        switch (word) {
        case W::Par: paragraph(); break;
        case W::Pard: s.pard(); break;
        case W::AlignLeft: s.align = Qt::AlignLeft; break;
        case W::AlignRight: s.align = Qt::AlignRight; break;
        case W::AlignCenter: s.align = Qt::AlignHCenter; break;
        case W::Justify: s.align = Qt::AlignJustify; break;
        case W::LeftIndent: s.leftIndent = indent; break;
        case W::RightIndent: s.rightIndent = indent; break;
        case W::FirstIndent: s.firstIndent = indent; break;
        case W::SpaceBefore: s.spaceBefore = space; break;
        case W::SpaceAfter: s.spaceAfter = space; break;
        case W::Line: text(QChar(QChar::LineSeparator)); break;
        case W::Tab: text(QStringLiteral("\t")); break;
        case W::LineSpacing: s.lineSpacing = hasParam ? indent : 0; break;
        case W::LineMultiple: s.lineMultiple = !hasParam || param != 0; break;
        case W::TabRight: s.nextTabKind = TabStop::Kind::Right; break;
        case W::TabCenter: s.nextTabKind = TabStop::Kind::Center; break;
        case W::TabDecimal: s.nextTabKind = TabStop::Kind::Decimal; break;
        case W::TabPosition:
            if (int(s.tabs.size()) < MaxTabStops)
                s.tabs.push_back(TabStop{space, s.nextTabKind});
            s.nextTabKind = TabStop::Kind::Left;
            break;
        case W::InTable: s.inTable = true; break;
        default: return false;
        }
        return true;
    }

    // Row definitions are not scoped by groups: a row ends with the
    // definition last given, which may be repeated just before \row.
    bool tableWord(RtfKeywords::Word word, int param)
    {
        using W = RtfKeywords::Word;
        switch (word) {
        case W::RowDefaults:
            m_row = RtfTableRows::Definition();
            m_rowOpen = true;
            break;
        case W::RowLeft: m_row.left = clampInt(param, -MaxIndentTwips, MaxIndentTwips); break;
        case W::RowGap: m_row.gap = clampInt(param, 0, MaxIndentTwips); break;
        case W::CellRight:
            if (int(m_row.rights.size()) < RtfTableRows::MaxCells)
                m_row.rights.push_back(clampInt(param, -MaxIndentTwips, MaxIndentTwips));
            break;
        case W::Cell: cell(); break;
        case W::Row: row(); break;
        default: return false;
        }
        return true;
    }

    void characterWord(RtfKeywords::Word word, const QByteArray &name, bool hasParam, int param)
    {
        using W = RtfKeywords::Word;
        State &s = m_state;
        const bool on = !hasParam || param != 0;
        switch (word) {
        case W::Plain: s.plain(); break;
        case W::Font: s.font = param; break;
        case W::FontSize: s.halfPoints = clampInt(hasParam ? param : 24, 2, MaxHalfPoints); break;
        case W::Bold: s.bold = on; break;
        case W::Italic: s.italic = on; break;
        case W::UnderlineNone: s.underline = false; break;
        case W::Underline: s.underline = on; break;
        case W::Strike: s.strike = on; break;
        case W::Super: s.script = 1; break;
        case W::Sub: s.script = -1; break;
        case W::NoSuperSub: s.script = 0; break;
        case W::Hidden: s.hidden = on; break;
        case W::Color: s.color = std::max(0, param); break;
        case W::Highlight: s.highlight = std::max(0, param); break;
        case W::UnicodeSkip: s.ucSkip = std::clamp(param, 0, 8); break;
        case W::Unicode: unicode(param); break;
        case W::Named: text(QChar(RtfKeywords::namedCharacter(name))); break;
        default: break;
        }
    }

    void unicode(int param)
    {
        // Values above 32767 are written negative; only the 16-bit unit counts.
        char16_t unit = char16_t(unsigned(param) & 0xFFFFu);
        // A symbol font's code may come in its private-use form: kept as the
        // code's own character, as its byte would have been.
        if (const FontEntry *font = fontOf(m_state); font && font->symbol && unit >= 0xF020 && unit <= 0xF0FF)
            unit = SymbolFonts::characterOf(uchar(unit - 0xF000)).unicode();
        if (m_state.dest == Dest::Text)
            text(QChar(unit));
        m_skip = m_state.ucSkip;
    }

    void fontTableWord(RtfKeywords::Word word, int param)
    {
        using W = RtfKeywords::Word;
        if (word == W::Font) {
            commitFont();
            m_fontId = param;
            m_fontCodePage = 0;
        } else if (word == W::Charset) {
            m_fontCodePage = RtfCodePage::ofCharset(param);
        } else if (word == W::CodePage) {
            m_fontCodePage = param;
        }
    }

    void colorTableWord(RtfKeywords::Word word, int param)
    {
        using W = RtfKeywords::Word;
        const int v = std::clamp(param, 0, 255);
        if (word == W::Red)
            m_color.setRed(v);
        else if (word == W::Green)
            m_color.setGreen(v);
        else if (word == W::Blue)
            m_color.setBlue(v);
        else
            return;
        m_colorPending = true;
    }

    void commitFont()
    {
        if (m_fontId >= 0 && m_fonts.size() < MaxTableEntries && !m_fonts.contains(m_fontId)) {
            const QString name = RtfCodePage::decode(m_fontName, m_fontCodePage).trimmed();
            // The symbol fonts keep their Windows names, which the writer
            // writes back and painting maps to pictures; their text is codes
            // whatever character set the table claims.
            const SymbolFonts::TSymbolSet set = SymbolFonts::symbolSet(name);
            const bool symbol = set != SymbolFonts::TSymbolSet::ssNone;
            if (!name.isEmpty())
                m_fonts.insert(m_fontId, FontEntry{symbol ? SymbolFonts::windowsName(set) : name,
                                                   symbol ? RtfCodePage::Symbol : m_fontCodePage, symbol});
        }
        m_fontId = -1;
        m_fontName.clear();
    }

    void commitColor()
    {
        if (m_colors.size() < MaxTableEntries)
            m_colors.append(m_colorPending ? m_color : QColor());
        m_color = QColor(0, 0, 0);
        m_colorPending = false;
    }

    // --- output

    const FontEntry *fontOf(const State &s) const
    {
        const auto found = m_fonts.constFind(s.font < 0 ? m_defaultFont : s.font);
        return found == m_fonts.constEnd() ? nullptr : &*found;
    }

    int textCodePage() const
    {
        const FontEntry *font = fontOf(m_state);
        return font && font->codePage != 0 ? font->codePage : m_codePage;
    }

    QColor tableColor(int index) const
    {
        return index > 0 && index < m_colors.size() ? m_colors.at(index) : QColor();
    }

    QTextCharFormat charFormat() const
    {
        const State &s = m_state;
        QTextCharFormat f;
        if (const FontEntry *font = fontOf(s))
            f.setFontFamilies(QStringList{font->symbol ? font->family : Fonts::resolveFamily(font->family)});
        f.setFontPointSize(s.halfPoints / 2.0);
        f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(s.italic);
        f.setFontUnderline(s.underline);
        f.setFontStrikeOut(s.strike);
        if (s.script != 0)
            f.setVerticalAlignment(s.script > 0 ? QTextCharFormat::AlignSuperScript
                                                : QTextCharFormat::AlignSubScript);
        if (const QColor c = tableColor(s.color); c.isValid())
            f.setForeground(c);
        if (const QColor c = tableColor(s.highlight); c.isValid())
            f.setBackground(c);
        if (s.hidden)
            f.setProperty(RichTextProperties::Hidden, true);
        return f;
    }

    QTextBlockFormat blockFormat() const
    {
        // Block margins are in 96-per-inch document pixels: 15 twips each.
        const State &s = m_state;
        QTextBlockFormat f;
        f.setAlignment(s.align);
        f.setLeftMargin(s.leftIndent / 15.0);
        f.setRightMargin(s.rightIndent / 15.0);
        f.setTextIndent(s.firstIndent / 15.0);
        f.setTopMargin(s.spaceBefore / 15.0);
        f.setBottomMargin(s.spaceAfter / 15.0);
        if (s.lineSpacing > 0 && s.lineMultiple)
            f.setLineHeight(s.lineSpacing * 100.0 / 240, QTextBlockFormat::ProportionalHeight);
        else if (s.lineSpacing > 0)
            f.setLineHeight(s.lineSpacing / 15.0, QTextBlockFormat::MinimumHeight);
        else if (s.lineSpacing < 0)
            f.setLineHeight(-s.lineSpacing / 15.0, QTextBlockFormat::FixedHeight);
        if (!s.tabs.empty())
            f.setTabPositions(tabPositions(s));
        return f;
    }

    // Tab stops are measured from the margin; a line's tabs from where its
    // text starts, which for the first line is the first-line indent.
    static QList<QTextOption::Tab> tabPositions(const State &s)
    {
        QList<QTextOption::Tab> tabs;
        for (const TabStop &stop : s.tabs) {
            QTextOption::Tab tab;
            tab.position = (stop.twips - s.leftIndent - s.firstIndent) / 15.0;
            switch (stop.kind) {
            case TabStop::Kind::Left: tab.type = QTextOption::LeftTab; break;
            case TabStop::Kind::Right: tab.type = QTextOption::RightTab; break;
            case TabStop::Kind::Center: tab.type = QTextOption::CenterTab; break;
            case TabStop::Kind::Decimal:
                tab.type = QTextOption::DelimiterTab;
                tab.delimiter = QLatin1Char('.');
                break;
            }
            tabs << tab;
        }
        return tabs;
    }

    void flushBytes()
    {
        if (m_bytes.isEmpty())
            return;
        const QString decoded = RtfCodePage::decode(m_bytes, textCodePage());
        m_bytes.clear();
        text(decoded);
    }

    void text(const QString &s)
    {
        if (m_state.dest != Dest::Text)
            return;
        if (m_characters >= MaxCharacters) {
            m_limited = true;
            return;
        }
        const bool inTable = tableText();
        if (inTable != m_runInTable) {
            flushRun();
            m_runInTable = inTable;
        }
        if (m_formatDirty) {
            const CharKey key = charKey(m_state);
            if (!m_runKey || key != *m_runKey) {
                flushRun();
                m_runKey = key;
                m_runFormat = charFormat();
            }
            m_formatDirty = false;
        }
        for (QChar c : s) {
            // Raw control characters and paragraph separators would split
            // blocks behind the reader's back.
            if ((c.unicode() < 0x20 && c != QLatin1Char('\t')) || c == QChar(QChar::ParagraphSeparator))
                continue;
            if (m_characters >= MaxCharacters) {
                m_limited = true;
                return;
            }
            ++m_characters;
            m_run.append(c);
        }
    }

    void flushRun()
    {
        if (m_run.isEmpty())
            return;
        if (m_runInTable) {
            m_rows.appendRun(m_run, m_runFormat);
        } else {
            if (!m_rows.isEmpty())
                endRow(); // a row without \row ends where the main text goes on
            m_rows.close();
            m_cursor.insertText(m_run, m_runFormat);
        }
        m_run.clear();
    }

    // Paragraphs a row makes count against the limit as the ones \cell
    // and \par make, so that what the writer writes reads back whole.
    void endRow()
    {
        const int made = m_rows.endRow(m_cursor, m_row);
        m_paragraphs += made;
        m_characters += made;
    }

    // Whether text now belongs to a table cell: in a paragraph marked as
    // such, or after a row definition until the row ends.
    bool tableText() const { return m_state.inTable || m_rowOpen; }

    // Paragraph counts bound the cells as they bound paragraphs.
    bool countParagraph()
    {
        if (m_paragraphs >= MaxParagraphs || m_characters >= MaxCharacters) {
            m_limited = true;
            return false;
        }
        ++m_paragraphs;
        ++m_characters;
        return true;
    }

    void cell()
    {
        if (m_state.dest != Dest::Text || !countParagraph())
            return;
        m_runInTable = true; // text before \cell is the cell's, marked or not
        flushRun();
        m_rows.endCell(blockFormat(), charFormat());
    }

    void row()
    {
        if (m_state.dest != Dest::Text)
            return;
        flushRun();
        m_rowOpen = false;
        if (m_paragraphs >= MaxParagraphs) {
            m_limited = true; // rows are paragraphs too
            return;
        }
        if (!m_rows.isEmpty() || !m_row.rights.empty())
            endRow();
    }

    void paragraph()
    {
        if (m_state.dest != Dest::Text || !countParagraph())
            return;
        flushRun();
        if (tableText()) {
            m_rows.endParagraph(blockFormat(), charFormat());
            return;
        }
        if (!m_rows.isEmpty())
            endRow();
        m_rows.close();
        m_cursor.setBlockFormat(blockFormat());
        if (m_cursor.block().length() <= 1)
            m_cursor.setBlockCharFormat(charFormat()); // an empty line keeps its height
        m_cursor.insertBlock();
    }

    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    static int hexValue(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    QByteArrayView m_in;
    qsizetype m_pos = 0;
    QTextDocument &m_doc;
    QTextCursor m_cursor;
    bool m_done = false;
    std::optional<QTextBlockFormat> m_endFormat;

    int m_depth = 0;
    int m_overflow = 0;
    std::vector<State> m_stack;
    State m_state;
    int m_skip = 0; // characters still to skip after \u

    int m_codePage = RtfCodePage::Ansi;
    int m_defaultFont = 0;
    int m_defaultTab = 720;

    QHash<int, FontEntry> m_fonts;
    int m_fontId = -1;
    int m_fontCodePage = 0;
    QByteArray m_fontName;

    QList<QColor> m_colors;
    QColor m_color{0, 0, 0};
    bool m_colorPending = false;

    RtfTableRows m_rows;
    RtfTableRows::Definition m_row;
    bool m_rowOpen = false;
    bool m_runInTable = false;

    QByteArray m_bytes;
    QString m_run;
    QTextCharFormat m_runFormat;
    std::optional<CharKey> m_runKey;
    bool m_formatDirty = true;
    int m_characters = 0;
    int m_paragraphs = 0;
    bool m_limited = false;
};

bool looksLikeRtf(QByteArrayView in)
{
    qsizetype i = 0;
    while (i < in.size() && (in[i] == ' ' || in[i] == '\r' || in[i] == '\n' || in[i] == '\t'))
        ++i;
    return in.sliced(i).startsWith("{\\rtf");
}

// Text that is not RTF, as the RTF reader would show the same characters:
// line ends start paragraphs, other control characters are dropped (the
// writer could not write them), and the same limits hold.
QString plainText(QByteArrayView bytes, bool *limited)
{
    // Every character takes a byte, so nothing past this can be shown.
    const qsizetype maxBytes = qsizetype(MaxCharacters) + MaxParagraphs;
    if (bytes.size() > maxBytes) {
        bytes = bytes.first(maxBytes);
        *limited = true;
    }
    const QString decoded = Windows1252::decode(bytes);
    QString text;
    text.reserve(decoded.size());
    int characters = 0;
    int paragraphs = 0;
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const QChar c = decoded.at(i);
        const bool lineEnd = c == QLatin1Char('\n') || c == QLatin1Char('\r');
        if (lineEnd && c == QLatin1Char('\r') && i + 1 < decoded.size() && decoded.at(i + 1) == QLatin1Char('\n'))
            continue; // CR LF is one line end, counted at the LF
        if (!lineEnd && ((c.unicode() < 0x20 && c != QLatin1Char('\t')) || c == QChar(QChar::ParagraphSeparator)))
            continue;
        if (characters >= MaxCharacters || (lineEnd && paragraphs >= MaxParagraphs)) {
            *limited = true;
            break;
        }
        ++characters;
        if (lineEnd) {
            ++paragraphs;
            text.append(QLatin1Char('\n'));
        } else {
            text.append(c);
        }
    }
    return text;
}

} // namespace

Result read(QByteArrayView rtf, QTextDocument &document)
{
    document.clear();
    document.setProperty(DefaultTabProperty, 720);
    if (!looksLikeRtf(rtf)) {
        Result result;
        document.setPlainText(plainText(rtf, &result.limited));
        document.setModified(false);
        return result;
    }
    // No undo history while reading: it would hold a step for every run.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    Parser parser(rtf, document);
    const Result result = parser.run();
    document.setUndoRedoEnabled(undo);
    document.setModified(false); // as read, nothing changed yet
    return result;
}

void setDefaultTabTwips(QTextDocument &document, int twips)
{
    document.setProperty(DefaultTabProperty, twips);
}

int defaultTabTwips(const QTextDocument &document)
{
    const QVariant v = document.property(DefaultTabProperty);
    return v.isValid() ? v.toInt() : 720;
}

} // namespace RtfReader
