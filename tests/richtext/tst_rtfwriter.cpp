#include "RtfTestSupport.h"

#include "platform/Fonts.h"
#include "richtext/RtfWriter.h"
#include "richtext/TRichText.h"
#include "richtext/TRichTextEngine.h"

#include <QTest>
#include <QPainter>
#include <QTextCursor>

namespace {

// A document with every kind of formatting the writer knows.
std::unique_ptr<QTextDocument> formattedDocument()
{
    auto d = std::make_unique<QTextDocument>();
    RichTextLayout::prepareDocument(*d);
    QTextCursor c(d.get());
    auto run = [&c](const QString &text, auto &&setup) {
        QTextCharFormat f;
        f.setFontFamilies(QStringList{Fonts::resolveFamily("Arial")});
        f.setFontPointSize(12);
        setup(f);
        c.insertText(text, f);
    };
    auto paragraph = [&c](Qt::Alignment a, qreal li, qreal ri, qreal fi, qreal sb, qreal sa) {
        QTextBlockFormat b;
        b.setAlignment(a);
        b.setLeftMargin(li);
        b.setRightMargin(ri);
        b.setTextIndent(fi);
        b.setTopMargin(sb);
        b.setBottomMargin(sa);
        c.setBlockFormat(b);
    };
    paragraph(Qt::AlignHCenter, 0, 0, 0, 4, 8);
    run("Title ", [](QTextCharFormat &f) { f.setFontWeight(QFont::Bold); f.setFontPointSize(20); });
    run("red", [](QTextCharFormat &f) { f.setForeground(QColor(200, 10, 20)); });
    c.insertBlock();
    paragraph(Qt::AlignJustify, 48, 12, -24, 0, 0);
    run("serif italic ", [](QTextCharFormat &f) {
        f.setFontFamilies(QStringList{Fonts::resolveFamily("Times New Roman")});
        f.setFontItalic(true);
        f.setFontPointSize(10.5);
    });
    run("under", [](QTextCharFormat &f) { f.setFontUnderline(true); });
    run("strike", [](QTextCharFormat &f) { f.setFontStrikeOut(true); });
    run("marked", [](QTextCharFormat &f) { f.setBackground(QColor(255, 255, 0)); });
    run("2", [](QTextCharFormat &f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); });
    run("x", [](QTextCharFormat &f) { f.setVerticalAlignment(QTextCharFormat::AlignSubScript); });
    c.insertBlock();
    paragraph(Qt::AlignRight, 0, 0, 0, 0, 0);
    run(QString::fromUtf8("a\tb") + QChar(QChar::LineSeparator)
            + QString::fromUtf8("{brace} back\\slash \u00e9\u20ac \u03a9\u4e2d\uffe0 \U0001F600 \u00a0end"),
        [](QTextCharFormat &f) { f.setFontFamilies(QStringList{"DejaVu Sans"}); });
    c.insertBlock();
    paragraph(Qt::AlignLeft, 0, 0, 0, 0, 0);
    c.insertBlock(); // two empty paragraphs at the end
    return d;
}

QImage painted(const TRichText &text)
{
    TRichTextEngine engine;
    engine.SetPixelsPerInch(96);
    engine.SetPageSize(4320, 2880);
    engine.SetDocument(text);
    QImage image(288, 192, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    engine.PaintFirstPage(painter, image.rect());
    return image;
}

} // namespace

class TestRtfWriter : public QObject
{
    Q_OBJECT
private slots:
    void everyFormattingSurvivesWriteAndRead();
    void writtenDocumentsAreStable_data();
    void writtenDocumentsAreStable();
    void writesTheRichEditDialectWithWindowsFontNames();
    void emptyDocumentWritesReadableRtf();
    void tablesHiddenTextSymbolsTabsAndSpacingAreWrittenBack();
};

void TestRtfWriter::everyFormattingSurvivesWriteAndRead()
{
    const auto original = formattedDocument();
    const QByteArray rtf = RtfWriter::write(*original);
    const auto back = readRtf(rtf);
    QCOMPARE(describe(*back), describe(*original));
    QCOMPARE(back->blockCount(), 5);
}

void TestRtfWriter::writtenDocumentsAreStable_data()
{
    QTest::addColumn<QString>("file");
    for (const char *name : {"rich1.rtf", "rich2.rtf", "richedit.rtf", "cyrillic.rtf", "cardfeatures.rtf"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestRtfWriter::writtenDocumentsAreStable()
{
    QFETCH(QString, file);
    const auto first = readRtf(rtfData(file));
    const QByteArray written = RtfWriter::write(*first);
    const auto second = readRtf(written);
    QCOMPARE(describe(*second), describe(*first));
    QCOMPARE(RtfWriter::write(*second), written);
}

void TestRtfWriter::writesTheRichEditDialectWithWindowsFontNames()
{
    const QByteArray rtf = RtfWriter::write(*formattedDocument());
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"));
    QVERIFY(rtf.contains("Times New Roman;}"));
    QVERIFY(!rtf.contains("Liberation"));
    QVERIFY(rtf.endsWith('}'));
    // Only ASCII in the file: everything else is escaped.
    for (char byte : rtf)
        QVERIFY(uchar(byte) < 0x80);
    QVERIFY(rtf.contains("\\'e9\\'80"));   // ANSI characters as hexadecimal
    QVERIFY(rtf.contains("\\u937?"));      // others as Unicode
    QVERIFY(rtf.contains("\\u-32?"));      // units above 32767 written negative
}

void TestRtfWriter::emptyDocumentWritesReadableRtf()
{
    QTextDocument empty;
    RichTextLayout::prepareDocument(empty);
    const QByteArray rtf = RtfWriter::write(empty);
    RtfReader::Result result;
    const auto back = readRtf(rtf, &result);
    QVERIFY(result.isRtf);
    QVERIFY(!result.truncated);
    QVERIFY(back->isEmpty());
}

void TestRtfWriter::tablesHiddenTextSymbolsTabsAndSpacingAreWrittenBack()
{
    const TRichText original = TRichText::fromRtf(rtfData("cardfeatures.rtf"));
    const TRichText written = TRichText::fromDocument(*original.CloneDocument());
    const QByteArray rtf = written.Rtf();
    for (const char *word : {"\\trowd\\trgaph108\\trleft-108\\cellx1440\\cellx4320", "\\intbl", "Email\\cell ",
                             "\\row", "\\v  (internal", "\\tx1440\\tqr\\tx4320", "\\tqc\\tx2880",
                             "\\sl360\\slmult1", "\\sl-300\\slmult0", "\\fcharset2 Wingdings;", "\\f1\\fs18 J", "\\f1\\fs18 :"})
        QVERIFY2(rtf.contains(word), word);
    // Read again, it lays out and paints as the original did.
    const QImage before = painted(original);
    QCOMPARE(painted(written), before);
    QVERIFY(before != painted(TRichText::fromRtf(rtfData("rich1.rtf")))); // it did paint
    // And a document with a table at its very start and end.
    const TRichText bare = TRichText::fromRtf("{\\rtf1\\trowd\\cellx1000\\cellx3000 a\\cell b\\cell\\row}");
    const TRichText bareBack = TRichText::fromDocument(*bare.CloneDocument());
    QCOMPARE(painted(bareBack), painted(bare));
    QCOMPARE(TRichText::fromDocument(*bareBack.CloneDocument()).Rtf(), bareBack.Rtf());
}

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
