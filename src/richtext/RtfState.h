#pragma once

#include <QtCore/qnamespace.h>

#include <vector>

// What an RTF group scopes while it is read: where its text goes and the
// character and paragraph formatting in effect.
namespace RtfReader {

enum class Dest { Text, FontTable, ColorTable, Skip };

// A custom tab stop: its position from the left margin, in twips.
struct TabStop {
    enum class Kind { Left, Right, Center, Decimal };
    int twips = 0;
    Kind kind = Kind::Left;
    bool operator==(const TabStop &) const = default;
};

// Tab stops in one paragraph beyond this are ignored.
constexpr int MaxTabStops = 64;

// Everything a group scopes: where text goes, character and paragraph formatting.
struct State {
    Dest dest = Dest::Text;
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int script = 0; // 1 superscript, -1 subscript
    int color = 0;  // colour-table index; 0 is automatic
    int highlight = 0;
    int ucSkip = 1;
    Qt::Alignment align = Qt::AlignLeft;
    int leftIndent = 0, rightIndent = 0, firstIndent = 0, spaceBefore = 0, spaceAfter = 0;
    // \sl: 0 automatic; above 0 at least (or, with \slmult1, a multiple of
    // 240 = single); below 0 exactly; in twips.
    int lineSpacing = 0;
    bool lineMultiple = false;
    std::vector<TabStop> tabs;
    TabStop::Kind nextTabKind = TabStop::Kind::Left; // \tqr, \tqc before the \tx they qualify
    bool inTable = false;                           // \intbl

    void plain()
    {
        font = -1;
        halfPoints = 24;
        bold = italic = underline = strike = hidden = false;
        script = 0;
        color = highlight = 0;
    }
    void pard()
    {
        align = Qt::AlignLeft;
        leftIndent = rightIndent = firstIndent = spaceBefore = spaceAfter = 0;
        lineSpacing = 0;
        lineMultiple = false;
        tabs.clear();
        nextTabKind = TabStop::Kind::Left;
        inTable = false;
    }
};

// The character formatting of a state, compared cheaply before a format is built.
struct CharKey {
    int font, halfPoints, script, color, highlight;
    bool bold, italic, underline, strike, hidden;
    bool operator==(const CharKey &) const = default;
};

inline CharKey charKey(const State &s)
{
    return {s.font, s.halfPoints, s.script, s.color, s.highlight, s.bold, s.italic, s.underline, s.strike, s.hidden};
}

} // namespace RtfReader
