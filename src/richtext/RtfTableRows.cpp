#include "richtext/RtfTableRows.h"

#include "richtext/RichTextProperties.h"
#include "richtext/RtfReader.h"

#include <QTextCursor>
#include <QTextLength>
#include <QTextTable>

#include <algorithm>

namespace {

// Formats hold lengths in 96-per-inch pixels: 15 twips each.
qreal pixels(int twips) { return twips / 15.0; }

QTextTableFormat tableFormat(const QList<int> &edges, int gap)
{
    QTextTableFormat f;
    f.setBorder(0);
    f.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    f.setCellSpacing(0);
    f.setCellPadding(0);
    f.setMargin(0);
    f.setAlignment(Qt::AlignLeft);
    // A row that starts left of the margin (rich-edit rows do, by the gap)
    // is cut at the margin: the first cell's text still starts at its inset.
    const int left = std::max(0, edges.front());
    f.setLeftMargin(pixels(left));
    QList<QTextLength> widths;
    for (qsizetype i = 1; i < edges.size(); ++i)
        widths << QTextLength(QTextLength::FixedLength, pixels(edges[i] - std::max(left, edges[i - 1])));
    f.setColumnWidthConstraints(widths);
    f.setProperty(RichTextProperties::CellEdges, QVariant::fromValue(edges));
    f.setProperty(RichTextProperties::CellGap, gap);
    return f;
}

QTextTableCellFormat cellFormat(const QList<int> &edges, int gap, int column)
{
    const int left = std::max(0, edges.front());
    const int start = std::max(left, edges[column]);
    const int width = edges[column + 1] - start;
    // The text starts at the cell's edge plus the gap; the padding never
    // eats the whole cell, which would widen the column.
    const int inset = std::clamp(edges[column] + gap - start, 0, width / 2);
    QTextTableCellFormat f;
    f.setLeftPadding(pixels(inset));
    f.setRightPadding(pixels(std::clamp(gap, 0, width / 2)));
    f.setTopPadding(0);
    f.setBottomPadding(0);
    return f;
}

} // namespace

void RtfTableRows::appendRun(const QString &text, const QTextCharFormat &format)
{
    m_paragraph.runs.emplace_back(text, format);
}

void RtfTableRows::endParagraph(const QTextBlockFormat &block, const QTextCharFormat &emptyLine)
{
    m_paragraph.block = block;
    m_paragraph.emptyLine = emptyLine;
    m_cell.push_back(std::move(m_paragraph));
    m_paragraph = Paragraph();
}

void RtfTableRows::endCell(const QTextBlockFormat &block, const QTextCharFormat &emptyLine)
{
    endParagraph(block, emptyLine);
    if (int(m_cells.size()) < MaxCells) {
        m_cells.push_back(std::move(m_cell));
    } else {
        Cell &last = m_cells.back();
        last.insert(last.end(), m_cell.begin(), m_cell.end());
    }
    m_cell.clear();
}

bool RtfTableRows::isEmpty() const
{
    return m_cells.empty() && m_cell.empty() && m_paragraph.runs.empty();
}

QList<int> RtfTableRows::edgesOf(const Definition &definition, int cells)
{
    const int limit = RtfReader::MaxIndentTwips;
    const int count = std::clamp(std::max(cells, int(definition.rights.size())), 1, MaxCells);
    QList<int> edges{std::clamp(definition.left, -limit, limit - count)};
    for (int i = 0; i < count; ++i) {
        const int previous = edges.back();
        const int wanted = i < int(definition.rights.size()) ? definition.rights[i] : previous + 1440;
        // Room is left for the edges still to come, each a twip further.
        edges << std::clamp(wanted, previous + 1, limit - (count - 1 - i));
    }
    return edges;
}

int RtfTableRows::endRow(QTextCursor &cursor, const Definition &definition)
{
    const int ended = int(m_cells.size());
    if (!m_paragraph.runs.empty() || !m_cell.empty())
        endCell(m_paragraph.block, m_paragraph.emptyLine); // text after the last \cell
    const QList<int> edges = edgesOf(definition, int(m_cells.size()));
    const int gap = std::clamp(definition.gap, 0, RtfReader::MaxIndentTwips);
    const int columns = int(edges.size()) - 1;
    int made = std::max(0, columns - ended);
    if (m_table && edges == m_edges && gap == m_gap) {
        m_table->appendRows(1);
    } else {
        // A table starts in an empty block, which then takes no room.
        if (cursor.block().length() > 1) {
            cursor.insertBlock(QTextBlockFormat());
            ++made;
        } else {
            cursor.setBlockFormat(QTextBlockFormat());
        }
        m_table = cursor.insertTable(1, columns, tableFormat(edges, gap));
        m_edges = edges;
        m_gap = gap;
    }
    const int row = m_table->rows() - 1;
    for (int column = 0; column < columns; ++column) {
        QTextTableCell cell = m_table->cellAt(row, column);
        cell.setFormat(cellFormat(edges, gap, column));
        if (column < int(m_cells.size()))
            fillCell(cell.firstCursorPosition(), m_cells[column]);
    }
    m_cells.clear();
    cursor.setPosition(m_table->lastPosition() + 1);
    return made;
}

void RtfTableRows::fillCell(QTextCursor cursor, const Cell &cell) const
{
    bool first = true;
    for (const Paragraph &paragraph : cell) {
        if (!first)
            cursor.insertBlock();
        first = false;
        cursor.setBlockFormat(paragraph.block);
        if (paragraph.runs.empty())
            cursor.setBlockCharFormat(paragraph.emptyLine); // an empty line keeps its height
        for (const auto &[text, format] : paragraph.runs)
            cursor.insertText(text, format);
    }
}
