#pragma once

#include <QTextFormat>

// What RTF says that QTextDocument has no property of its own for, kept on
// the document's formats so that painting honours it and the writer writes
// it back.
namespace RichTextProperties {

enum : int {
    // Character format, bool: hidden text (\v); never painted.
    Hidden = QTextFormat::UserProperty + 0x4B0,
    // Table format, QList<int>: the row's left edge (\trleft) followed by
    // each cell's right edge (\cellx), in twips.
    CellEdges,
    // Table format, int: half the space between cells (\trgaph), in twips.
    CellGap,
    // Character format, QString: the codes a symbol-font run shown as
    // pictures in an editor holds (see RichTextSymbols).
    SymbolCodes,
};

} // namespace RichTextProperties
