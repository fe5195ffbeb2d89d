#pragma once

#include <QByteArray>

// The control words the RTF reader acts on, looked up once per word.
namespace RtfKeywords {

enum class Word {
    Unknown,
    // destinations
    Bin, FontTable, ColorTable, Skipped,
    // document
    Ansi, AnsiCodePage, Mac, Pc, Pca, DefaultFont, DefaultTab,
    // paragraphs
    Par, Pard, AlignLeft, AlignRight, AlignCenter, Justify, LeftIndent, RightIndent, FirstIndent,
    SpaceBefore, SpaceAfter, Line, Tab, LineSpacing, LineMultiple, TabPosition, TabRight, TabCenter,
    TabDecimal,
    // tables
    RowDefaults, RowLeft, RowGap, CellRight, InTable, Cell, Row,
    // characters
    Plain, Font, FontSize, Bold, Italic, UnderlineNone, Underline, Strike, Super, Sub, NoSuperSub, Hidden,
    Color, Highlight, UnicodeSkip, Unicode, Named,
    // font and colour tables
    Charset, CodePage, Red, Green, Blue,
};

Word lookup(const QByteArray &word);

// The character a named-character word stands for (\emdash, \bullet, ...).
char16_t namedCharacter(const QByteArray &word);

} // namespace RtfKeywords
