#pragma once

#include <QtCore/qnamespace.h>

// What an RTF group scopes while it is read: where its text goes and the
// character and paragraph formatting in effect.
namespace RtfReader {

enum class Dest { Text, FontTable, ColorTable, Skip };

// Everything a group scopes: where text goes, character and paragraph formatting.
struct State {
    Dest dest = Dest::Text;
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int script = 0; // 1 superscript, -1 subscript
    int color = 0;  // colour-table index; 0 is automatic
    int highlight = 0;
    int ucSkip = 1;
    Qt::Alignment align = Qt::AlignLeft;
    int leftIndent = 0, rightIndent = 0, firstIndent = 0, spaceBefore = 0, spaceAfter = 0;

    void plain()
    {
        font = -1;
        halfPoints = 24;
        bold = italic = underline = strike = false;
        script = 0;
        color = highlight = 0;
    }
    void pard()
    {
        align = Qt::AlignLeft;
        leftIndent = rightIndent = firstIndent = spaceBefore = spaceAfter = 0;
    }
};

// The character formatting of a state, compared cheaply before a format is built.
struct CharKey {
    int font, halfPoints, script, color, highlight;
    bool bold, italic, underline, strike;
    bool operator==(const CharKey &) const = default;
};

inline CharKey charKey(const State &s)
{
    return {s.font, s.halfPoints, s.script, s.color, s.highlight, s.bold, s.italic, s.underline, s.strike};
}

} // namespace RtfReader
