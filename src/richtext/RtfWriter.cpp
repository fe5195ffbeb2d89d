#include "richtext/RtfWriter.h"

#include "platform/Fonts.h"
#include "platform/Windows1252.h"
#include "richtext/RichTextProperties.h"
#include "richtext/RtfReader.h"

#include <QColor>
#include <QList>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <cmath>

namespace RtfWriter {

namespace {

int toTwips(qreal documentPixels)
{
    return int(std::lround(documentPixels * 15.0));
}

QString familyOf(const QTextCharFormat &format, const QTextDocument &document)
{
    const QStringList families = format.fontFamilies().toStringList();
    const QString family = families.isEmpty() ? document.defaultFont().family() : families.first();
    return Fonts::windowsName(family);
}

qreal pointSizeOf(const QTextCharFormat &format, const QTextDocument &document)
{
    if (format.hasProperty(QTextFormat::FontPointSize))
        return format.fontPointSize();
    const qreal fallback = document.defaultFont().pointSizeF();
    return fallback > 0 ? fallback : 12.0;
}

// Both tables, collected in order of first use.
struct Tables {
    QStringList fonts;
    QList<QRgb> colors; // written after the automatic entry 0

    int font(const QString &name)
    {
        int i = fonts.indexOf(name);
        if (i < 0) {
            fonts.append(name);
            i = int(fonts.size()) - 1;
        }
        return i;
    }
    int color(const QBrush &brush)
    {
        if (brush.style() == Qt::NoBrush)
            return 0;
        const QRgb rgb = brush.color().rgb() & 0xFFFFFFu;
        int i = int(colors.indexOf(rgb));
        if (i < 0) {
            colors.append(rgb);
            i = int(colors.size()) - 1;
        }
        return i + 1;
    }
};

void appendText(QByteArray &out, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += char(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c == QChar::LineSeparator) {
            out += "\\line ";
        } else if (c == 0x00A0) {
            out += "\\~";
        } else if (c >= 0x20 && c < 0x80) {
            out += char(c);
        } else if (const std::optional<unsigned char> b = Windows1252::fromUnicode(c); b && c >= 0x80) {
            out += "\\'" + QByteArray::number(*b, 16).rightJustified(2, '0');
        } else if (c >= 0x20) {
            // Units above 32767 are written negative, each followed by the
            // one-character fallback older readers show.
            out += "\\u" + QByteArray::number(qint16(c)) + '?';
        }
    }
}

QByteArray tabStops(const QTextBlockFormat &f)
{
    QByteArray out;
    // Held from where the first line starts; written from the margin.
    const int start = toTwips(f.leftMargin()) + toTwips(f.textIndent());
    for (const QTextOption::Tab &tab : f.tabPositions()) {
        if (tab.type == QTextOption::RightTab)
            out += "\\tqr";
        else if (tab.type == QTextOption::CenterTab)
            out += "\\tqc";
        else if (tab.type == QTextOption::DelimiterTab)
            out += "\\tqdec";
        out += "\\tx" + QByteArray::number(std::max(0, toTwips(tab.position) + start));
    }
    return out;
}

QByteArray lineSpacing(const QTextBlockFormat &f)
{
    switch (f.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        return "\\sl" + QByteArray::number(std::lround(f.lineHeight() * 240 / 100)) + "\\slmult1";
    case QTextBlockFormat::MinimumHeight:
        return "\\sl" + QByteArray::number(toTwips(f.lineHeight())) + "\\slmult0";
    case QTextBlockFormat::FixedHeight:
        return "\\sl-" + QByteArray::number(toTwips(f.lineHeight())) + "\\slmult0";
    default:
        return QByteArray();
    }
}

QByteArray paragraphProperties(const QTextBlockFormat &f, bool inTable)
{
    QByteArray out = "\\pard";
    if (inTable)
        out += "\\intbl";
    const Qt::Alignment h = f.alignment() & Qt::AlignHorizontal_Mask;
    if (h & Qt::AlignJustify)
        out += "\\qj";
    else if (h & Qt::AlignHCenter)
        out += "\\qc";
    else if (h & Qt::AlignRight)
        out += "\\qr";
    auto twips = [&out](const char *word, qreal value) {
        const int t = toTwips(value);
        if (t != 0)
            out += QByteArray("\\") + word + QByteArray::number(t);
    };
    twips("li", f.leftMargin());
    twips("ri", f.rightMargin());
    twips("fi", f.textIndent());
    twips("sb", f.topMargin());
    twips("sa", f.bottomMargin());
    return out + lineSpacing(f) + tabStops(f);
}

QByteArray characterProperties(const QTextCharFormat &f, const QTextDocument &document, Tables &tables)
{
    QByteArray out = "\\plain\\f" + QByteArray::number(tables.font(familyOf(f, document)));
    out += "\\fs" + QByteArray::number(std::lround(pointSizeOf(f, document) * 2));
    if (f.fontWeight() >= QFont::DemiBold)
        out += "\\b";
    if (f.fontItalic())
        out += "\\i";
    if (f.fontUnderline())
        out += "\\ul";
    if (f.fontStrikeOut())
        out += "\\strike";
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        out += "\\super";
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        out += "\\sub";
    if (const int c = tables.color(f.foreground()))
        out += "\\cf" + QByteArray::number(c);
    if (const int c = tables.color(f.background()))
        out += "\\highlight" + QByteArray::number(c);
    if (f.boolProperty(RichTextProperties::Hidden))
        out += "\\v";
    return out + ' ';
}

// The edges of a table's cells in twips: as read, or from its column widths.
QList<int> cellEdges(const QTextTable &table)
{
    const QTextTableFormat f = table.format();
    const QList<int> stored = f.property(RichTextProperties::CellEdges).value<QList<int>>();
    if (stored.size() == table.columns() + 1)
        return stored;
    QList<int> edges{toTwips(f.leftMargin())};
    const QList<QTextLength> widths = f.columnWidthConstraints();
    for (int c = 0; c < table.columns(); ++c) {
        const bool fixed = c < widths.size() && widths[c].type() == QTextLength::FixedLength;
        edges << edges.back() + std::max(1, fixed ? toTwips(widths[c].rawValue()) : 1440);
    }
    return edges;
}

// The document's paragraphs and tables in order. A table row is written as
// rich-edit controls write it (\trowd ... \cellx, each cell's paragraphs
// marked \intbl and ended by \cell, then \row).
class Body
{
public:
    Body(const QTextDocument &document, Tables &tables) : m_document(document), m_tables(tables) {}

    QByteArray write()
    {
        frame(*m_document.rootFrame());
        return m_out;
    }

private:
    void frame(const QTextFrame &frame)
    {
        for (auto it = frame.begin(); !it.atEnd(); ++it) {
            if (const QTextFrame *child = it.currentFrame()) {
                if (const auto *t = qobject_cast<const QTextTable *>(child))
                    table(*t);
                else
                    this->frame(*child);
                continue;
            }
            auto next = it;
            ++next;
            // The empty block a table starts in holds no paragraph.
            if (!next.atEnd() && next.currentFrame() && it.currentBlock().length() <= 1)
                continue;
            if (m_afterParagraph)
                m_out += "\\par\n";
            paragraph(it.currentBlock(), false);
            m_afterParagraph = true;
        }
    }

    void table(const QTextTable &t)
    {
        if (m_afterParagraph)
            m_out += "\\par\n";
        m_afterParagraph = false;
        const QList<int> edges = cellEdges(t);
        const int gap = t.format().intProperty(RichTextProperties::CellGap);
        for (int row = 0; row < t.rows(); ++row) {
            QByteArray definition = "\\trowd\\trgaph" + QByteArray::number(gap) + "\\trleft"
                                    + QByteArray::number(edges.front());
            QByteArray cells;
            for (int column = 0; column < t.columns(); ++column) {
                const QTextTableCell cell = t.cellAt(row, column);
                if (cell.column() != column)
                    continue; // the rest of a cell spanning columns
                definition += "\\cellx" + QByteArray::number(edges[column + cell.columnSpan()]);
                if (cell.row() == row) {
                    bool first = true;
                    for (auto it = cell.begin(); !it.atEnd(); ++it) {
                        if (it.currentFrame())
                            continue; // tables in tables are not kept
                        if (!first)
                            cells += "\\par\n";
                        first = false;
                        cells += paragraphText(it.currentBlock(), true);
                    }
                } else {
                    cells += "\\pard\\intbl"; // a cell spanning rows, below its first
                }
                cells += "\\cell ";
            }
            m_out += definition + '\n' + cells + "\\row\n";
        }
    }

    void paragraph(const QTextBlock &block, bool inTable) { m_out += paragraphText(block, inTable); }

    QByteArray paragraphText(const QTextBlock &block, bool inTable)
    {
        QByteArray out = paragraphProperties(block.blockFormat(), inTable);
        bool wroteText = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            out += characterProperties(fragment.charFormat(), m_document, m_tables);
            appendText(out, fragment.text());
            wroteText = true;
        }
        if (!wroteText)
            out += characterProperties(block.charFormat(), m_document, m_tables);
        return out;
    }

    const QTextDocument &m_document;
    Tables &m_tables;
    QByteArray m_out;
    bool m_afterParagraph = false;
};

} // namespace

QByteArray write(const QTextDocument &document)
{
    Tables tables;
    const QByteArray text = Body(document, tables).write();
    QByteArray out = "{\\rtf1\\ansi\\deff0\\deftab" + QByteArray::number(RtfReader::defaultTabTwips(document));
    out += "{\\fonttbl";
    if (tables.fonts.isEmpty())
        tables.fonts.append(Fonts::windowsName(document.defaultFont().family()));
    for (int i = 0; i < tables.fonts.size(); ++i) {
        const QString &name = tables.fonts.at(i);
        const bool symbol = Fonts::isSymbolFontName(name);
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset" + (symbol ? "2 " : "0 ");
        QByteArray encoded;
        appendText(encoded, name);
        out += encoded + ";}";
    }
    out += "}\n{\\colortbl ;";
    for (QRgb rgb : tables.colors)
        out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" + QByteArray::number(qGreen(rgb))
               + "\\blue" + QByteArray::number(qBlue(rgb)) + ';';
    out += "}\n" + text + "\n}";
    return out;
}

} // namespace RtfWriter
