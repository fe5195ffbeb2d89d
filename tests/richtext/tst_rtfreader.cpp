#include "RtfTestSupport.h"

#include "platform/Fonts.h"
#include "richtext/RichTextProperties.h"
#include "richtext/RtfWriter.h"

#include <QTest>
#include <QTextTable>

namespace {

QColor foreground(const QTextCharFormat &f)
{
    return f.foreground().style() == Qt::NoBrush ? QColor() : f.foreground().color();
}

QColor background(const QTextCharFormat &f)
{
    return f.background().style() == Qt::NoBrush ? QColor() : f.background().color();
}

QList<QTextTable *> tablesOf(const QTextDocument &d)
{
    QList<QTextTable *> tables;
    for (QTextFrame *frame : d.rootFrame()->childFrames())
        if (auto *table = qobject_cast<QTextTable *>(frame))
            tables << table;
    return tables;
}

QString cellText(QTextTable *table, int row, int column)
{
    QTextCursor c = table->cellAt(row, column).firstCursorPosition();
    c.setPosition(table->cellAt(row, column).lastPosition(), QTextCursor::KeepAnchor);
    return c.selectedText();
}

Qt::Alignment alignmentOf(const QTextDocument &d, int block)
{
    return blockAt(d, block).blockFormat().alignment() & Qt::AlignHorizontal_Mask;
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT
private slots:
    void officeSuiteCardReadsWithItsFormatting();
    void officeSuiteStylesIndentsAndTabs();
    void richEditDialectWithLeadingColourEntry();
    void codePagesUnicodeAndSkippedDestinations();
    void controlWordDetails();
    void textThatIsNotRtfShowsAsPlainText();
    void deepNestingIsBoundedAndKeepsText();
    void hugeNumbersAreClamped();
    void truncatedInputShowsWhatWasRead();
    void binaryDataIsSkippedWhole();
    void randomBytesNeverBreakTheReader();
    void enormousTextIsCutAtTheLimits();
    void plainTextKeepsWhatTheWriterKeepsWithinTheLimits();
    void tableRowsBecomeTablesWithTheirCellEdges();
    void hostileTablesStayBounded();
    void hiddenTextIsMarkedHidden();
    void symbolFontRunsKeepTheirNamesAndCodes();
    void tabStopsAndLineSpacingAreRead();
};

void TestRtfReader::officeSuiteCardReadsWithItsFormatting()
{
    RtfReader::Result result;
    const auto d = readRtf(rtfData("rich1.rtf"), &result);
    QVERIFY(result.isRtf);
    QVERIFY(!result.truncated);
    QCOMPARE(blockTexts(*d).mid(0, 5),
             (QStringList{"Jane Q. Doe", QString::fromUtf8("Senior Engineer \u2014 Caf\u00e9 & B\u00fcro, 5 \u20ac"),
                          "jane@example.com", "Phone +1 555 0100",
                          QString::fromUtf8("Greek \u03b1\u03b2\u03b3 and a long justified line that wraps across "
                                            "the width of the box to check word wrap in the reader and the painter.")}));

    const QTextCharFormat title = formatOf(*d, "Jane");
    QCOMPARE(familyOf(title), QStringLiteral("Liberation Serif"));
    QCOMPARE(title.fontPointSize(), 18.0);
    QVERIFY(title.fontWeight() >= QFont::Bold);
    QCOMPARE(foreground(title), QColor(139, 0, 0));

    const QTextCharFormat role = formatOf(*d, "Senior");
    QCOMPARE(familyOf(role), QStringLiteral("Liberation Sans"));
    QCOMPARE(role.fontPointSize(), 10.0);
    QVERIFY(role.fontItalic());
    QVERIFY(!formatOf(*d, "Caf").fontItalic());

    const QTextCharFormat mail = formatOf(*d, "jane@");
    QCOMPARE(familyOf(mail), QStringLiteral("Liberation Mono"));
    QCOMPARE(mail.fontPointSize(), 8.0);
    QVERIFY(mail.fontUnderline());
    QCOMPARE(foreground(mail), QColor(0, 0, 255));

    // No font named: the document's default font (\deff3) at 9 points.
    const QTextCharFormat phone = formatOf(*d, "Phone");
    QCOMPARE(familyOf(phone), QStringLiteral("Liberation Serif"));
    QCOMPARE(phone.fontPointSize(), 9.0);
    QCOMPARE(background(phone), QColor(255, 255, 0));
    QVERIFY(!foreground(phone).isValid());

    QCOMPARE(alignmentOf(*d, 0), Qt::AlignHCenter);
    QCOMPARE(alignmentOf(*d, 1), Qt::AlignHCenter);
    QCOMPARE(alignmentOf(*d, 2), Qt::AlignLeft);
    QCOMPARE(alignmentOf(*d, 3), Qt::AlignRight);
    QCOMPARE(alignmentOf(*d, 4), Qt::AlignJustify);
    // \sa283: space after in 96-per-inch pixels.
    QCOMPARE(blockAt(*d, 0).blockFormat().bottomMargin(), 283 / 15.0);
}

void TestRtfReader::officeSuiteStylesIndentsAndTabs()
{
    const auto d = readRtf(rtfData("rich2.rtf"));
    QCOMPARE(blockTexts(*d).mid(0, 3),
             (QStringList{"Bold italic underline both normal", "Indented half an inch, green.",
                          "Tab\tseparated\twords"}));
    QVERIFY(formatOf(*d, "Bold").fontWeight() >= QFont::Bold);
    QVERIFY(!formatOf(*d, "Bold").fontItalic());
    QVERIFY(formatOf(*d, "italic").fontItalic());
    QVERIFY(formatOf(*d, "italic").fontWeight() < QFont::DemiBold);
    QVERIFY(formatOf(*d, "underline").fontUnderline());
    const QTextCharFormat both = formatOf(*d, "both");
    QVERIFY(both.fontItalic() && both.fontWeight() >= QFont::Bold && !both.fontUnderline());
    const QTextCharFormat normal = formatOf(*d, "normal");
    QVERIFY(!normal.fontItalic() && normal.fontWeight() < QFont::DemiBold && !normal.fontUnderline());
    QCOMPARE(familyOf(normal), QStringLiteral("DejaVu Sans"));
    QCOMPARE(normal.fontPointSize(), 12.0);

    QCOMPARE(blockAt(*d, 1).blockFormat().leftMargin(), 48.0); // \li720 = half an inch
    QCOMPARE(foreground(formatOf(*d, "Indented")), QColor(0, 128, 0));
    QCOMPARE(formatOf(*d, "Indented").fontPointSize(), 11.0);
    QCOMPARE(formatOf(*d, "separated").fontPointSize(), 14.0);
}

void TestRtfReader::richEditDialectWithLeadingColourEntry()
{
    const auto d = readRtf(rtfData("richedit.rtf"));
    QCOMPARE(RtfReader::defaultTabTwips(*d), 720);
    QCOMPARE(blockTexts(*d).mid(0, 4),
             (QStringList{"Acme Widgets", QString::fromUtf8("Caf\u00e9 red and under"), "Tel\t555",
                          QString::fromUtf8("\u00b7 bullet")}));
    const QTextCharFormat head = formatOf(*d, "Acme");
    QCOMPARE(familyOf(head), Fonts::resolveFamily("Arial"));
    QCOMPARE(head.fontPointSize(), 14.0);
    QVERIFY(head.fontWeight() >= QFont::Bold);
    QCOMPARE(alignmentOf(*d, 0), Qt::AlignHCenter);
    // This colour table has no empty first entry: \cf1 is its second colour.
    QCOMPARE(foreground(formatOf(*d, "red")), QColor(255, 0, 0));
    QVERIFY(formatOf(*d, "Caf").fontItalic());
    QCOMPARE(familyOf(formatOf(*d, "Caf")), Fonts::resolveFamily("Times New Roman"));
    QVERIFY(!formatOf(*d, "red").fontItalic());
    QVERIFY(formatOf(*d, "under").fontUnderline());
    QCOMPARE(formatOf(*d, "under").fontPointSize(), 8.0);
    QCOMPARE(alignmentOf(*d, 2), Qt::AlignRight);
    QCOMPARE(foreground(formatOf(*d, "Tel")), QColor(0, 0, 128));
}

void TestRtfReader::codePagesUnicodeAndSkippedDestinations()
{
    const auto d = readRtf(rtfData("cyrillic.rtf"));
    const QStringList texts = blockTexts(*d);
    QCOMPARE(texts.value(0), QString::fromUtf8("\u041f\u0440\u0438\u0432\u0435\u0442 \u041c\u0438\u0440"));
    // \uc2: two fallback bytes follow the euro sign and are not shown.
    QCOMPARE(texts.value(1), QString::fromUtf8("Hanging \u20ac end"));
    // A field shows its result, never its instruction.
    QCOMPARE(texts.value(2), QStringLiteral("link"));
    QVERIFY(formatOf(*d, "link").fontUnderline());
    QVERIFY(!d->toPlainText().contains("Msftedit"));
    QVERIFY(!d->toPlainText().contains("HYPERLINK"));
    QVERIFY(!d->toPlainText().contains("0202"));

    const QString mir = QString::fromUtf8("\u041c\u0438\u0440");
    QCOMPARE(foreground(formatOf(*d, mir)), QColor(0, 128, 0));
    QVERIFY(formatOf(*d, mir).fontWeight() >= QFont::Bold);
    QCOMPARE(formatOf(*d, mir).fontPointSize(), 11.0);
    const QTextBlockFormat hanging = blockAt(*d, 1).blockFormat();
    QCOMPARE(hanging.leftMargin(), 96.0);
    QCOMPARE(hanging.textIndent(), -48.0);
    QCOMPARE(blockAt(*d, 0).blockFormat().bottomMargin(), 200 / 15.0);
}

void TestRtfReader::controlWordDetails()
{
    const auto d = readRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 a\\~b\\-c\\_d\\{\\}\\\\ \\line e\\emdash "
                           "\\ul x\\ul0 y\\ulnone z \\b1 B\\b0 \\i I\\i0 \\strike S\\strike0 "
                           "\\super 2\\nosupersub \\unknownword99 w\\'e9\\u-4064? \\fs\\par "
                           "{\\*\\unknowndest hidden}{\\b inner}outer}");
    const QStringList texts = blockTexts(*d);
    QCOMPARE(texts.value(0), QString::fromUtf8("a\u00a0b\u00adc\u2011d{}\\ \u2028e\u2014xyz BIS2w\u00e9\uf020 "));
    QCOMPARE(texts.value(1), QStringLiteral("innerouter"));
    QVERIFY(formatOf(*d, "x").fontUnderline());
    QVERIFY(!formatOf(*d, "y").fontUnderline());
    QVERIFY(formatOf(*d, "B").fontWeight() >= QFont::Bold);
    QVERIFY(formatOf(*d, "I").fontItalic());
    QVERIFY(formatOf(*d, "S").fontStrikeOut());
    QCOMPARE(formatOf(*d, "2").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QVERIFY(formatOf(*d, "inner").fontWeight() >= QFont::Bold);
    QVERIFY(formatOf(*d, "outer").fontWeight() < QFont::DemiBold);
}

void TestRtfReader::textThatIsNotRtfShowsAsPlainText()
{
    RtfReader::Result result;
    const auto d = readRtf("Just text\nCaf\xe9", &result);
    QVERIFY(!result.isRtf);
    QCOMPARE(d->toPlainText(), QString::fromUtf8("Just text\nCaf\u00e9"));
    QVERIFY(readRtf(QByteArray())->isEmpty());
}

void TestRtfReader::deepNestingIsBoundedAndKeepsText()
{
    const int depth = 100000;
    QByteArray rtf = "{\\rtf1\\b ";
    rtf += QByteArray(depth, '{') + "deep" + QByteArray(depth, '}') + " after}";
    RtfReader::Result result;
    const auto d = readRtf(rtf, &result);
    QVERIFY(!result.truncated);
    QCOMPARE(d->toPlainText(), QStringLiteral("deep after"));
    QVERIFY(formatOf(*d, "after").fontWeight() >= QFont::Bold);

    // Deep groups that change formatting and close again leave the outer text alone.
    QByteArray styled = "{\\rtf1 ";
    for (int i = 0; i < 5000; ++i)
        styled += "{\\i ";
    styled += "x" + QByteArray(5000, '}') + " plain}";
    const auto s = readRtf(styled);
    QCOMPARE(s->toPlainText(), QStringLiteral("x plain"));
    QVERIFY(formatOf(*s, "x").fontItalic());
    QVERIFY(!formatOf(*s, "plain").fontItalic());
}

void TestRtfReader::hugeNumbersAreClamped()
{
    const QByteArray digits(5000, '9');
    const auto d = readRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red999999999999\\green-5\\blue7;}"
                           "\\fs" + digits + " big \\plain\\li" + digits + "\\fi-" + digits + "\\cf" + digits
                           + " c \\cf1 d \\uc" + digits + "\\u" + digits + " e\\f" + digits + " f\\par}");
    // The clamped \uc swallows everything up to the end of the group.
    QCOMPARE(d->toPlainText(), QStringLiteral("big c d ") + QChar(0xFFFF));
    QCOMPARE(formatOf(*d, "big").fontPointSize(), RtfReader::MaxHalfPoints / 2.0);
    QCOMPARE(blockAt(*d, 0).blockFormat().leftMargin(), RtfReader::MaxIndentTwips / 15.0);
    QCOMPARE(blockAt(*d, 0).blockFormat().textIndent(), -RtfReader::MaxIndentTwips / 15.0);
    QVERIFY(!foreground(formatOf(*d, "c")).isValid()); // no such colour
    QCOMPARE(foreground(formatOf(*d, "d")), QColor(255, 0, 7));
}

void TestRtfReader::truncatedInputShowsWhatWasRead()
{
    RtfReader::Result result;
    const auto d = readRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\b Hello {\\i world", &result);
    QVERIFY(result.truncated);
    QCOMPARE(d->toPlainText(), QStringLiteral("Hello world"));
    QVERIFY(formatOf(*d, "world").fontItalic());

    // Cut inside a control word, a hex escape and the font table.
    for (const char *cut : {"{\\rtf1 abc\\par", "{\\rtf1 abc\\'4", "{\\rtf1{\\fonttbl{\\f0 Ari", "{\\rtf1\\u",
                            "{\\rtf1\\", "{\\rtf1 x\\bin"}) {
        const auto partial = readRtf(cut, &result);
        QVERIFY2(result.truncated, cut);
    }
}

void TestRtfReader::binaryDataIsSkippedWhole()
{
    QByteArray payload(64, '\0');
    for (int i = 0; i < payload.size(); ++i)
        payload[i] = char(i * 7); // braces and backslashes among them
    const auto d = readRtf("{\\rtf1 before {\\*\\blob\\bin64 " + payload + "} after}");
    QCOMPARE(d->toPlainText(), QStringLiteral("before  after"));
    // \bin outside an ignorable group is skipped just the same.
    const auto e = readRtf("{\\rtf1 a\\bin4 {{{{b}");
    QCOMPARE(e->toPlainText(), QStringLiteral("ab"));
    // A length beyond the input ends the document without reading past it.
    RtfReader::Result result;
    const auto f = readRtf("{\\rtf1 a\\bin2147483647 xyz", &result);
    QCOMPARE(f->toPlainText(), QStringLiteral("a"));
    QVERIFY(result.truncated);
}

void TestRtfReader::randomBytesNeverBreakTheReader()
{
    // Mutations of a real document: every one reads to the end.
    const QByteArray base = rtfData("rich1.rtf");
    QVERIFY(!base.isEmpty());
    quint32 seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    const char tokens[] = "{}\\'0123456789-;abcuf ";
    for (int round = 0; round < 300; ++round) {
        QByteArray mutated = base;
        for (int i = 0; i < 40; ++i) {
            const int at = int(next() % uint(mutated.size()));
            mutated[at] = (next() % 2) ? char(next() & 0xFF) : tokens[next() % (sizeof(tokens) - 1)];
        }
        mutated.truncate(int(next() % uint(mutated.size() + 1)));
        const auto d = readRtf(mutated);
        QVERIFY(d->characterCount() <= mutated.size() + 1);
    }
}

void TestRtfReader::enormousTextIsCutAtTheLimits()
{
    RtfReader::Result result;
    QByteArray paragraphs = "{\\rtf1 ";
    for (int i = 0; i < 20000; ++i)
        paragraphs += "p\\par ";
    const auto d = readRtf(paragraphs + "}", &result);
    QVERIFY(result.limited);
    QVERIFY(!result.truncated);
    QCOMPARE(d->blockCount(), RtfReader::MaxParagraphs + 1);
    QVERIFY(d->lastBlock().text().startsWith("pp")); // the rest of the text joins the last paragraph

    const auto long_ = readRtf("{\\rtf1 " + QByteArray(3 * RtfReader::MaxCharacters, 'x') + " end}", &result);
    QVERIFY(result.limited);
    QCOMPARE(long_->characterCount(), RtfReader::MaxCharacters + 1);

    const auto small = readRtf(rtfData("rich1.rtf"), &result);
    QVERIFY(!result.limited);
}

// Found by fuzzing: text that is not RTF kept control characters the writer
// drops (so a saved object changed), and had no length bound.
void TestRtfReader::plainTextKeepsWhatTheWriterKeepsWithinTheLimits()
{
    RtfReader::Result result;
    const auto d = readRtf(QByteArrayLiteral("a\x01" "b\x1b\r\nc\rd\te\x7f\x00z"), &result);
    QVERIFY(!result.isRtf);
    QVERIFY(!result.limited);
    QCOMPARE(blockTexts(*d), (QStringList{"ab", "c", "d\te\x7fz"}));
    QCOMPARE(readRtf(RtfWriter::write(*d))->toPlainText(), d->toPlainText());

    const auto longText = readRtf(QByteArray(3 * RtfReader::MaxCharacters, 'x'), &result);
    QVERIFY(result.limited);
    QCOMPARE(longText->characterCount(), RtfReader::MaxCharacters + 1);

    const auto manyLines = readRtf("x" + QByteArray(RtfReader::MaxParagraphs + 10, '\n'), &result);
    QVERIFY(result.limited);
    QCOMPARE(manyLines->blockCount(), RtfReader::MaxParagraphs + 1);
    const auto justEnough = readRtf("x" + QByteArray(RtfReader::MaxParagraphs, '\n'), &result);
    QVERIFY(!result.limited);
    QCOMPARE(justEnough->blockCount(), RtfReader::MaxParagraphs + 1);
}

void TestRtfReader::tableRowsBecomeTablesWithTheirCellEdges()
{
    // As a rich-edit control writes it: rows start left of the margin by the gap.
    const auto d = readRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 Before\\par"
                           "\\trowd\\trgaph108\\trleft-108\\cellx1440\\cellx4320\\pard\\intbl Name\\cell "
                           "Two\\par lines\\cell\\row"
                           "\\trowd\\trgaph108\\trleft-108\\cellx1440\\cellx4320\\pard\\intbl Phone\\cell 555\\cell\\row"
                           // a row with other edges is a table of its own
                           "\\trowd\\trleft720\\cellx2160\\intbl Wide\\cell\\row"
                           "\\pard After\\par}");
    const QList<QTextTable *> tables = tablesOf(*d);
    QCOMPARE(tables.size(), 2);
    QTextTable *first = tables[0];
    QCOMPARE(first->rows(), 2);
    QCOMPARE(first->columns(), 2);
    QCOMPARE(cellText(first, 0, 0), QStringLiteral("Name"));
    QCOMPARE(cellText(first, 0, 1), QStringLiteral("Two\u2029lines"));
    QCOMPARE(cellText(first, 1, 0), QStringLiteral("Phone"));
    QCOMPARE(cellText(first, 1, 1), QStringLiteral("555"));
    const QTextTableFormat f = first->format();
    QCOMPARE(f.property(RichTextProperties::CellEdges).value<QList<int>>(), (QList<int>{-108, 1440, 4320}));
    QCOMPARE(f.intProperty(RichTextProperties::CellGap), 108);
    // Cut at the margin, the first column keeps its right edge; text is inset by the gap.
    QCOMPARE(f.leftMargin(), 0.0);
    QCOMPARE(f.columnWidthConstraints().value(0).rawValue(), 1440 / 15.0);
    QCOMPARE(f.columnWidthConstraints().value(1).rawValue(), 2880 / 15.0);
    QCOMPARE(first->cellAt(0, 0).format().toTableCellFormat().leftPadding(), 0.0);
    QCOMPARE(first->cellAt(0, 1).format().toTableCellFormat().leftPadding(), 108 / 15.0);

    QTextTable *second = tables[1];
    QCOMPARE(second->rows(), 1);
    QCOMPARE(cellText(second, 0, 0), QStringLiteral("Wide"));
    QCOMPARE(second->format().leftMargin(), 720 / 15.0);

    // Main text before and after stays outside the tables.
    QCOMPARE(blockTexts(*d).first(), QStringLiteral("Before"));
    QVERIFY(blockTexts(*d).contains(QStringLiteral("After")));
    QVERIFY(!QTextCursor(d->find("After")).currentTable());
}

void TestRtfReader::hostileTablesStayBounded()
{
    // Thousands of cells in a row, edges far out and backwards, rows never ended.
    QByteArray rtf = "{\\rtf1\\trowd\\trleft-99999999";
    for (int i = 0; i < 3000; ++i)
        rtf += "\\cellx" + QByteArray::number((i % 7) * 99999999 - 300000000);
    for (int i = 0; i < 3000; ++i)
        rtf += "c\\cell ";
    rtf += "\\row\\intbl open\\cell unfinished";
    RtfReader::Result result;
    const auto d = readRtf(rtf, &result);
    const QList<QTextTable *> tables = tablesOf(*d);
    QCOMPARE(tables.size(), 1);
    QCOMPARE(tables[0]->columns(), 64);
    QCOMPARE(tables[0]->rows(), 2); // the unfinished row shows what it has
    const QList<int> edges = tables[0]->format().property(RichTextProperties::CellEdges).value<QList<int>>();
    QCOMPARE(edges.size(), 65);
    for (qsizetype i = 1; i < edges.size(); ++i) {
        QVERIFY(edges[i] > edges[i - 1]);
        QVERIFY(qAbs(edges[i]) <= RtfReader::MaxIndentTwips);
    }
    // Cells past the last column end up in it: no text is lost.
    QCOMPARE(d->toPlainText().count(QLatin1Char('c')), 3000);
    QVERIFY(d->toPlainText().contains(QStringLiteral("unfinished")));

    // Cells count as paragraphs.
    QByteArray many = "{\\rtf1\\trowd\\cellx100 ";
    for (int i = 0; i < RtfReader::MaxParagraphs + 50; ++i)
        many += "x\\cell\\row ";
    readRtf(many + "}", &result);
    QVERIFY(result.limited);
}

void TestRtfReader::hiddenTextIsMarkedHidden()
{
    const auto d = readRtf("{\\rtf1 shown {\\v secret} again \\v gone\\v0  back}");
    QCOMPARE(d->toPlainText(), QStringLiteral("shown secret again gone back"));
    QVERIFY(formatOf(*d, "secret").boolProperty(RichTextProperties::Hidden));
    QVERIFY(formatOf(*d, "gone").boolProperty(RichTextProperties::Hidden));
    QVERIFY(!formatOf(*d, "again").boolProperty(RichTextProperties::Hidden));
    QVERIFY(!formatOf(*d, "back").boolProperty(RichTextProperties::Hidden));
}

void TestRtfReader::symbolFontRunsKeepTheirNamesAndCodes()
{
    // A symbol font by its character set, and one known by its name alone.
    const auto d = readRtf("{\\rtf1\\ansicpg1251{\\fonttbl{\\f0 Arial;}{\\f1\\fnil\\fcharset2 Wingdings;}"
                           "{\\f2\\fswiss\\fcharset0 webdings;}{\\f3\\fcharset2 Symbol;}}"
                           "\\f1 J\\'e8\\'80\\u61514?\\f2 a\\f3 p\\f0 x}");
    QCOMPARE(d->toPlainText(), QString::fromUtf8("Jè€Japx"));
    QCOMPARE(familyOf(formatOf(*d, "J")), QStringLiteral("Wingdings"));
    QCOMPARE(familyOf(formatOf(*d, "a")), QStringLiteral("Webdings"));
    QCOMPARE(familyOf(formatOf(*d, "p")), QStringLiteral("Symbol"));
    QCOMPARE(familyOf(formatOf(*d, "x")), Fonts::resolveFamily("Arial"));
}

void TestRtfReader::tabStopsAndLineSpacingAreRead()
{
    const auto d = readRtf("{\\rtf1\\pard\\li360\\tx1440\\tqr\\tx4320\\tqc\\tx2880\\sl360\\slmult1 a\\tab b\\par "
                           "\\sl-300\\slmult0 fixed\\par\\sl400 least\\par\\pard plain}");
    const QTextBlockFormat first = blockAt(*d, 0).blockFormat();
    const QList<QTextOption::Tab> tabs = first.tabPositions();
    QCOMPARE(tabs.size(), 3);
    // Held from where the text starts (the indent), in 96-per-inch pixels.
    QCOMPARE(tabs[0].position, (1440 - 360) / 15.0);
    QCOMPARE(tabs[0].type, QTextOption::LeftTab);
    QCOMPARE(tabs[1].position, (4320 - 360) / 15.0);
    QCOMPARE(tabs[1].type, QTextOption::RightTab);
    QCOMPARE(tabs[2].type, QTextOption::CenterTab);
    QCOMPARE(first.lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    QCOMPARE(first.lineHeight(), 150.0);
    QCOMPARE(blockAt(*d, 1).blockFormat().lineHeightType(), int(QTextBlockFormat::FixedHeight));
    QCOMPARE(blockAt(*d, 1).blockFormat().lineHeight(), 20.0);
    QCOMPARE(blockAt(*d, 1).blockFormat().tabPositions().size(), 3); // until \\pard
    QCOMPARE(blockAt(*d, 2).blockFormat().lineHeightType(), int(QTextBlockFormat::MinimumHeight));
    QCOMPARE(blockAt(*d, 2).blockFormat().lineHeight(), 400 / 15.0);
    QCOMPARE(blockAt(*d, 3).blockFormat().lineHeightType(), int(QTextBlockFormat::SingleHeight));
    QVERIFY(blockAt(*d, 3).blockFormat().tabPositions().isEmpty());
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
