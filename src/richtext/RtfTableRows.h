#pragma once

#include <QList>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <utility>
#include <vector>

class QTextCursor;
class QTextTable;

// The rows of RTF tables as the reader meets them. A row's cells are
// collected paragraph by paragraph until \row; then the row goes into a
// QTextTable whose columns sit at the row's cell edges, each cell's text
// inset by the row's gap, so every cell starts where its \cellx puts it.
// Consecutive rows with the same edges share one table.
class RtfTableRows
{
public:
    // A row definition (\trowd ... \cellx): the left edge and each cell's
    // right edge, in twips from the left margin.
    struct Definition {
        int left = 0;
        int gap = 0;
        std::vector<int> rights;
    };

    // Cells beyond this in one row go into the last cell.
    static constexpr int MaxCells = 64;

    void appendRun(const QString &text, const QTextCharFormat &format);
    // A paragraph ends inside the current cell (\par).
    void endParagraph(const QTextBlockFormat &block, const QTextCharFormat &emptyLine);
    // The current cell ends (\cell).
    void endCell(const QTextBlockFormat &block, const QTextCharFormat &emptyLine);
    bool isEmpty() const;

    // Writes the collected cells as one row at `cursor` (an empty block of
    // the main text, or the end of the previous row's table) and leaves the
    // cursor in the empty block after the table. Returns the paragraphs it
    // made that no \par or \cell ended (empty cells, the block a table
    // starts in), which the writer will write as such.
    int endRow(QTextCursor &cursor, const Definition &definition);
    // Main text follows: the next row starts a table of its own.
    void close() { m_table = nullptr; }

    // The edges (left edge, then right edges) of a row of `cells` cells
    // under `definition`: missing edges an inch apart, each right of the
    // previous one, within the indent limits.
    static QList<int> edgesOf(const Definition &definition, int cells);

private:
    struct Paragraph {
        QTextBlockFormat block;
        QTextCharFormat emptyLine;
        std::vector<std::pair<QString, QTextCharFormat>> runs;
    };
    using Cell = std::vector<Paragraph>;

    void fillCell(QTextCursor cursor, const Cell &cell) const;

    std::vector<Cell> m_cells;
    Cell m_cell;
    Paragraph m_paragraph;
    QTextTable *m_table = nullptr;
    QList<int> m_edges;
    int m_gap = 0;
};
