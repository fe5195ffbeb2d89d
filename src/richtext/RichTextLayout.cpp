#include "richtext/RichTextLayout.h"

#include "platform/Fonts.h"
#include "platform/SymbolFonts.h"
#include "richtext/RichTextProperties.h"
#include "richtext/RichTextSymbols.h"
#include "richtext/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFragment>
#include <QTextDocument>
#include <QTextOption>
#include <QTextTable>

#include <algorithm>
#include <vector>

namespace RichTextLayout {

namespace {

constexpr int TwipsPerInch = 1440;

// A paint device of 1440 dots per inch that is never painted on; it only
// gives the layout its resolution. Kept for the program's lifetime, as the
// documents laid out on it may be.
QPaintDevice *twipsDevice()
{
    static QImage *device = [] {
        auto *image = new QImage(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(TwipsPerInch / 0.0254);
        image->setDotsPerMeterX(dotsPerMeter);
        image->setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

// Runs whose text painting shows differently from how it is stored.
struct Shown {
    int position;
    int length;
    QString text; // empty: not shown at all
    QTextCharFormat format;
};

std::vector<Shown> shownDifferently(const QTextDocument &document)
{
    std::vector<Shown> runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            if (format.boolProperty(RichTextProperties::Hidden)) {
                runs.push_back({fragment.position(), fragment.length(), QString(), format});
                continue;
            }
            const QStringList families = format.fontFamilies().toStringList();
            const QString family = families.isEmpty() ? QString() : families.first();
            const SymbolFonts::TSymbolSet set = SymbolFonts::symbolSet(family);
            if (set == SymbolFonts::TSymbolSet::ssNone)
                continue;
            if (!SymbolFonts::isInstalled(set)) {
                // Mapped symbols come from the outline font alone: no
                // fallback may pick a colour emoji font.
                format.setFontFamilies(SymbolFonts::outlineFamilies());
                format.setFontStyleStrategy(QFont::NoFontMerging);
            }
            runs.push_back({fragment.position(), fragment.length(),
                            RichTextSymbols::picturesOf(family, fragment.text()), format});
        }
    }
    return runs;
}

// Hidden text goes, and symbol-font codes become the pictures they stand for.
void showAsPainted(QTextDocument &document)
{
    const std::vector<Shown> runs = shownDifferently(document);
    QTextCursor cursor(&document);
    // From the end, so that the positions still to change stay valid.
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        cursor.setPosition(run->position);
        cursor.setPosition(run->position + run->length, QTextCursor::KeepAnchor);
        if (run->text.isEmpty())
            cursor.removeSelectedText();
        else
            cursor.insertText(run->text, run->format);
    }
}

void scaleTables(const QTextFrame &frame, double factor)
{
    for (QTextFrame *child : frame.childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(child)) {
            QTextTableFormat f = table->format();
            f.setLeftMargin(f.leftMargin() * factor);
            QList<QTextLength> widths = f.columnWidthConstraints();
            for (QTextLength &width : widths)
                if (width.type() == QTextLength::FixedLength)
                    width = QTextLength(QTextLength::FixedLength, width.rawValue() * factor);
            f.setColumnWidthConstraints(widths);
            table->setFormat(f);
            for (int row = 0; row < table->rows(); ++row)
                for (int column = 0; column < table->columns(); ++column) {
                    QTextTableCell cell = table->cellAt(row, column);
                    if (cell.row() != row || cell.column() != column)
                        continue;
                    QTextTableCellFormat c = cell.format().toTableCellFormat();
                    c.setLeftPadding(c.leftPadding() * factor);
                    c.setRightPadding(c.rightPadding() * factor);
                    cell.setFormat(c);
                }
        }
        scaleTables(*child, factor);
    }
}

} // namespace

void prepareDocument(QTextDocument &document)
{
    QFont font(Fonts::resolveFamily(QStringLiteral("Arial")));
    font.setPointSize(10);
    document.setDefaultFont(font);
    document.setDocumentMargin(0);
    document.setUseDesignMetrics(true);
}

void toTwipsLayout(QTextDocument &document)
{
    showAsPainted(document);
    document.documentLayout()->setPaintDevice(twipsDevice());
    QTextOption option = document.defaultTextOption();
    // Given in 96-per-inch pixels: the layout scales it to the device.
    option.setTabStopDistance(RtfReader::defaultTabTwips(document) / 15.0);
    document.setDefaultTextOption(option);
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat f = block.blockFormat();
        f.setLeftMargin(f.leftMargin() * 15);
        f.setRightMargin(f.rightMargin() * 15);
        f.setTextIndent(f.textIndent() * 15);
        // Space above and below: the layout scales these by the device's
        // resolution itself.
        cursor.setPosition(block.position());
        cursor.setBlockFormat(f);
    }
}

void scaleDocument(QTextDocument &document, double factor)
{
    if (factor == 1.0 || factor <= 0)
        return;
    const bool modified = document.isModified();
    struct Run {
        int position;
        int length;
        QTextCharFormat format;
    };
    std::vector<Run> runs;
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat f = block.blockFormat();
        f.setLeftMargin(f.leftMargin() * factor);
        f.setRightMargin(f.rightMargin() * factor);
        f.setTextIndent(f.textIndent() * factor);
        f.setTopMargin(f.topMargin() * factor);
        f.setBottomMargin(f.bottomMargin() * factor);
        if (f.lineHeightType() == QTextBlockFormat::FixedHeight
            || f.lineHeightType() == QTextBlockFormat::MinimumHeight)
            f.setLineHeight(f.lineHeight() * factor, f.lineHeightType());
        QList<QTextOption::Tab> tabs = f.tabPositions();
        for (QTextOption::Tab &tab : tabs)
            tab.position *= factor;
        if (!tabs.isEmpty())
            f.setTabPositions(tabs);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(f);
        QTextCharFormat blockChars = block.charFormat();
        if (blockChars.fontPointSize() > 0) {
            blockChars.setFontPointSize(blockChars.fontPointSize() * factor);
            cursor.setBlockCharFormat(blockChars);
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            runs.push_back({fragment.position(), fragment.length(), fragment.charFormat()});
        }
    }
    // Formats change only after the walk: changing them merges fragments.
    for (Run &run : runs) {
        const qreal points = run.format.fontPointSize() > 0 ? run.format.fontPointSize()
                                                            : document.defaultFont().pointSizeF();
        run.format.setFontPointSize(points * factor);
        cursor.setPosition(run.position);
        cursor.setPosition(run.position + run.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(run.format);
    }
    scaleTables(*document.rootFrame(), factor);
    QFont font = document.defaultFont();
    font.setPointSizeF(font.pointSizeF() * factor);
    document.setDefaultFont(font);
    document.setModified(modified);
}

void paintFirstPage(QTextDocument &document, QPainter &painter, const QRect &target, const Page &page)
{
    if (page.widthTwips <= 0 || page.heightTwips <= 0 || page.zoomPercent <= 0 || target.isEmpty())
        return;
    const QMargins &m = page.marginsTwips;
    const int textWidth = std::max(1, page.widthTwips - m.left() - m.right());
    const int textHeight = std::max(1, page.heightTwips - m.top() - m.bottom());
    QTextOption option = document.defaultTextOption();
    const QTextOption::WrapMode wrap = page.wordWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                                     : QTextOption::NoWrap;
    if (option.wrapMode() != wrap) {
        option.setWrapMode(wrap);
        document.setDefaultTextOption(option);
    }
    // Laid out in pages, so that a line that does not fit wholly on the
    // first page goes to the next one instead of showing cut. An unchanged
    // page keeps the layout of the last painting.
    const QSizeF pageSize(textWidth, textHeight);
    if (document.pageSize() != pageSize)
        document.setPageSize(pageSize);

    const qreal scale = page.zoomPercent / 100.0 * page.pixelsPerInch / TwipsPerInch;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    painter.translate(m.left(), m.top());
    const QRectF firstPage(0, 0, textWidth, textHeight);
    painter.setClipRect(firstPage, Qt::IntersectClip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = firstPage;
    context.palette.setColor(QPalette::Text, Qt::black);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace RichTextLayout
