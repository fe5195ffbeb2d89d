#include "RtfTestSupport.h"

#include "platform/SymbolFonts.h"
#include "richtext/TRichText.h"
#include "richtext/TRichTextEngine.h"

#include <QAbstractTextDocumentLayout>
#include <QDialog>
#include <QPainter>
#include <QTest>
#include <QTextLayout>
#include <QWidget>

namespace {

const QByteArray LongParagraph =
    "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 The quick brown fox jumps over the lazy dog while "
    "the five boxing wizards jump quickly and a wide paragraph keeps wrapping along.\\par}";

QImage paint(TRichTextEngine &engine, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    engine.PaintFirstPage(painter, QRect(QPoint(0, 0), size));
    return image;
}

// The ink's bounding box (pixels darker than mid grey).
QRect inkBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 160)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Where the lines of the first paragraph start, in characters.
QList<int> lineStarts(const QTextDocument &document)
{
    QList<int> starts;
    const QTextLayout *layout = document.begin().layout();
    for (int i = 0; i < layout->lineCount(); ++i)
        starts << layout->lineAt(i).textStart();
    return starts;
}

// Share of pixels that agree within `tolerance` levels after a 3 x 3 box blur.
double agreement(const QImage &a, const QImage &b, int tolerance)
{
    auto blurred = [](const QImage &in) {
        QImage grey = in.convertToFormat(QImage::Format_Grayscale8);
        QImage out = grey;
        for (int y = 1; y < grey.height() - 1; ++y)
            for (int x = 1; x < grey.width() - 1; ++x) {
                int sum = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        sum += grey.constScanLine(y + dy)[x + dx];
                out.scanLine(y)[x] = uchar(sum / 9);
            }
        return out;
    };
    const QImage ba = blurred(a), bb = blurred(b);
    const int w = qMin(ba.width(), bb.width()), h = qMin(ba.height(), bb.height());
    qint64 same = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            same += qAbs(ba.constScanLine(y)[x] - bb.constScanLine(y)[x]) <= tolerance;
    return double(same) / (double(w) * h);
}

// A document painted at 96 pixels per inch on a page 4 x 1 inches.
QImage painted(const QByteArray &rtf, QSize size = QSize(400, 100))
{
    TRichTextEngine engine;
    engine.SetPixelsPerInch(96);
    engine.SetPageSize(5760, 1440);
    engine.SetDocument(TRichText::fromRtf(rtf));
    return paint(engine, size);
}

QByteArray arial(const QByteArray &body)
{
    return "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 " + body + "}";
}

} // namespace

class TestRichTextEngine : public QObject
{
    Q_OBJECT
private slots:
    void masterIsFoundInTheFirstWindowOnly();
    void pageWidthInTwipsSetsTheWrap();
    void zoomScalesWithoutMovingLineBreaks();
    void repaintingDoesNotParseAgain();
    void tableCellsStartAtTheirEdges();
    void hiddenTextLeavesNoInk();
    void symbolFontRunsDrawTheirPictures();
    void tabStopsAndLineSpacingMoveTheInk();
    void officeSuitePrintIsMatched_data();
    void officeSuitePrintIsMatched();
};

void TestRichTextEngine::masterIsFoundInTheFirstWindowOnly()
{
    QWidget window;
    auto *card = new QWidget(&window);
    auto *object = new QObject(card);
    QVERIFY(!TRichTextEngine::FindMaster(object));
    auto *other = new TRichTextEngine(&window);
    other->setObjectName("SomethingElse");
    QVERIFY(!TRichTextEngine::FindMaster(object));
    auto *master = new TRichTextEngine(new QWidget(&window)); // anywhere in the window
    master->setObjectName("MasterWPRichText");                // the name in any letter case
    QCOMPARE(TRichTextEngine::FindMaster(object), master);

    // A dialog is a window of its own: the main window's engine is not its engine.
    QDialog dialog(&window);
    auto *inDialog = new QObject(&dialog);
    QVERIFY(!TRichTextEngine::FindMaster(inDialog));
    TRichTextEngine *own = TRichTextEngine::CreateMaster(&dialog);
    QCOMPARE(TRichTextEngine::FindMaster(inDialog), own);

    // Without any window the topmost owner is searched.
    QObject root;
    auto *loose = new QObject(new QObject(&root));
    TRichTextEngine *rootEngine = TRichTextEngine::CreateMaster(&root);
    QCOMPARE(TRichTextEngine::FindMaster(loose), rootEngine);
}

void TestRichTextEngine::pageWidthInTwipsSetsTheWrap()
{
    TRichTextEngine engine;
    engine.SetPixelsPerInch(96);
    engine.SetDocument(TRichText::fromRtf(LongParagraph));
    engine.SetPageSize(2880, 2880); // 2 x 2 inches
    const QRect ink = inkBounds(paint(engine, QSize(400, 300)));
    QVERIFY(ink.isValid());
    QVERIFY2(ink.right() < 192, qPrintable(QString::number(ink.right())));
    QVERIFY(ink.right() > 150);
    QVERIFY(ink.bottom() > 60); // it wrapped onto several lines

    // The page height ends the first page: a line that does not fit wholly
    // (the second, from 18.4 to 36.8 pixels, on a 30-pixel page) is not shown.
    engine.SetPageSize(2880, 450);
    const QRect firstLine = inkBounds(paint(engine, QSize(400, 300)));
    QVERIFY2(firstLine.bottom() < 19, qPrintable(QString::number(firstLine.bottom())));

    // Margins move the text in.
    engine.SetPageSize(2880, 2880);
    engine.SetMargins(QMargins(720, 0, 0, 0));
    const QRect indented = inkBounds(paint(engine, QSize(400, 300)));
    QVERIFY(indented.left() >= 48);
    QVERIFY(indented.right() < 192);
}

void TestRichTextEngine::zoomScalesWithoutMovingLineBreaks()
{
    TRichTextEngine engine;
    engine.SetPixelsPerInch(96);
    engine.SetDocument(TRichText::fromRtf(LongParagraph));
    engine.SetPageSize(2880, 2880);
    const QRect at100 = inkBounds(paint(engine, QSize(800, 600)));
    const QList<int> breaks100 = lineStarts(*TRichText::fromRtf(LongParagraph).Parsed());
    QVERIFY(breaks100.size() > 2);

    engine.SetZoom(200);
    const QRect at200 = inkBounds(paint(engine, QSize(800, 600)));
    QCOMPARE(lineStarts(*TRichText::fromRtf(LongParagraph).Parsed()), breaks100);
    QVERIFY(qAbs(at200.right() - 2 * at100.right()) <= 3);
    QVERIFY(qAbs(at200.bottom() - 2 * at100.bottom()) <= 3);

    // Other pixels per inch scale the same way.
    engine.SetZoom(100);
    engine.SetPixelsPerInch(120);
    const QRect at120 = inkBounds(paint(engine, QSize(800, 600)));
    QVERIFY(at120.right() < 240 && at120.right() > 200);
}

void TestRichTextEngine::repaintingDoesNotParseAgain()
{
    RichTextCache::clear();
    TRichTextEngine engine;
    engine.SetPageSize(2880, 1440);
    const TRichText one = TRichText::fromRtf("{\\rtf1 one\\par}");
    const TRichText two = TRichText::fromRtf("{\\rtf1 two\\par}");
    const int before = RichTextCache::parseCount();
    for (int i = 0; i < 10; ++i) {
        engine.SetDocument(one);
        paint(engine, QSize(200, 100));
        engine.SetDocument(two);
        paint(engine, QSize(200, 100));
    }
    QCOMPARE(RichTextCache::parseCount() - before, 2);
    // Equal bytes from another holder share the parsed document.
    QCOMPARE(TRichText::fromRtf("{\\rtf1 one\\par}").Parsed(), one.Parsed());
    QCOMPARE(RichTextCache::parseCount() - before, 2);

    // The cache is bounded: old documents are dropped and parsed again when needed.
    for (int i = 0; i < RichTextCache::Capacity + 5; ++i)
        TRichText::fromRtf("{\\rtf1 n" + QByteArray::number(i) + "}").Parsed();
    const int full = RichTextCache::parseCount();
    one.Parsed();
    QCOMPARE(RichTextCache::parseCount(), full + 1);
}

void TestRichTextEngine::tableCellsStartAtTheirEdges()
{
    const QByteArray row = "\\trowd\\trgaph108\\trleft-108\\cellx1440\\cellx4320\\pard\\intbl ";
    // The second cell's ink starts at its left edge plus the gap: 1548 twips, 103.2 pixels.
    const QRect second = inkBounds(painted(arial(row + "\\cell I\\cell\\row")));
    QVERIFY2(second.left() >= 103 && second.left() <= 106, qPrintable(QString::number(second.left())));

    // A row is one line, each cell at its place; a long first cell wraps inside its column.
    const QImage image = painted(arial("Top\\par " + row + "A\\cell B\\cell\\row"
                                       + row + "Wrapping words here\\cell C\\cell\\row"));
    const QRect top = inkBounds(image.copy(0, 0, 400, 16));
    const QRect a = inkBounds(image.copy(0, 18, 100, 18));
    const QRect b = inkBounds(image.copy(100, 18, 300, 18));
    QVERIFY(top.isValid() && a.isValid() && b.isValid());
    QVERIFY2(a.left() <= 2, qPrintable(QString::number(a.left())));
    QVERIFY2(b.left() + 100 >= 103 && b.left() + 100 <= 106, qPrintable(QString::number(b.left())));
    const QRect wrapped = inkBounds(image.copy(0, 37, 103, 63));
    QVERIFY(wrapped.right() < 96);
    QVERIFY2(wrapped.height() > 30, qPrintable(QString::number(wrapped.height()))); // two lines at least
    const QRect c = inkBounds(image.copy(100, 37, 300, 18));
    QVERIFY(c.isValid() && c.left() + 100 >= 103);
}

void TestRichTextEngine::hiddenTextLeavesNoInk()
{
    QVERIFY(!inkBounds(painted(arial("{\\v HIDDEN}"))).isValid());
    QCOMPARE(painted(arial("A{\\v WWWW}B \\v more\\v0 C")), painted(arial("AB C")));
}

void TestRichTextEngine::symbolFontRunsDrawTheirPictures()
{
    // Wingdings J is a smiling face, drawn with the outline font that has it.
    const QString face = SymbolFonts::unicodeFor(SymbolFonts::TSymbolSet::ssWingdings, 'J');
    QCOMPARE(face, QString(QChar(0x263A)));
    const QByteArray outline = SymbolFonts::outlineFamilies().constFirst().toLatin1();
    const QImage expected = painted("{\\rtf1{\\fonttbl{\\f0 " + outline + ";}}\\f0\\fs48 \\u9786?}");
    const QImage latin = painted("{\\rtf1{\\fonttbl{\\f0 " + outline + ";}}\\f0\\fs48 J}");
    QVERIFY(expected != latin);
    QCOMPARE(painted("{\\rtf1{\\fonttbl{\\f0\\fnil\\fcharset2 Wingdings;}}\\f0\\fs48 J}"), expected);
    // Known by name too, and in its private-use form.
    QCOMPARE(painted("{\\rtf1{\\fonttbl{\\f1 WINGDINGS;}}\\f1\\fs48 \\u61514?}"), expected);
    // A code without a picture is an empty box, never its letter.
    const QImage box = painted("{\\rtf1{\\fonttbl{\\f0\\fcharset2 Wingdings;}}\\f0\\fs48 \\'7f}");
    QCOMPARE(box, painted("{\\rtf1{\\fonttbl{\\f0 " + outline + ";}}\\f0\\fs48 \\u9647?}"));
}

void TestRichTextEngine::tabStopsAndLineSpacingMoveTheInk()
{
    // A right tab at two inches ends the text there: 192 pixels.
    const QRect right = inkBounds(painted(arial("\\pard\\tqr\\tx2880 \\tab X")));
    QVERIFY2(right.right() >= 189 && right.right() <= 192, qPrintable(QString::number(right.right())));
    // A centred tab centres the text on it.
    const QRect centred = inkBounds(painted(arial("\\pard\\tqc\\tx2880 \\tab XXXX")));
    QVERIFY2(qAbs(centred.center().x() - 192) <= 2, qPrintable(QString::number(centred.center().x())));
    // A left tab at one inch.
    const QRect left = inkBounds(painted(arial("\\pard\\tx1440 \\tab X")));
    QVERIFY2(left.left() >= 96 && left.left() <= 98, qPrintable(QString::number(left.left())));

    // Lines exactly half an inch apart (48 pixels), and double spacing.
    const QRect single = inkBounds(painted(arial("I\\line I")));
    const QRect exact = inkBounds(painted(arial("\\sl-720\\slmult0 I\\line I")));
    const QRect twice = inkBounds(painted(arial("\\sl480\\slmult1 I\\line I")));
    const int lineHeight = single.height() - inkBounds(painted(arial("I"))).height();
    QVERIFY(lineHeight > 14 && lineHeight < 22);
    QVERIFY2(qAbs(exact.height() - single.height() - (48 - lineHeight)) <= 1,
             qPrintable(QStringLiteral("%1 %2").arg(exact.height()).arg(single.height())));
    QVERIFY2(qAbs(twice.height() - single.height() - lineHeight) <= 1,
             qPrintable(QStringLiteral("%1 %2").arg(twice.height()).arg(single.height())));
}

void TestRichTextEngine::officeSuitePrintIsMatched_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("rich1") << "rich1";
    QTest::newRow("rich2") << "rich2";
}

void TestRichTextEngine::officeSuitePrintIsMatched()
{
    QFETCH(QString, name);
    // The suite's print: an A4 page at 96 per inch with the margins the file names.
    const QImage reference(rtfDataPath(name + ".ref.png"));
    QVERIFY(!reference.isNull());
    TRichTextEngine engine;
    engine.SetPixelsPerInch(96);
    engine.SetDocument(TRichText::fromRtf(rtfData(name + ".rtf")));
    engine.SetPageSize(11906, 16838);
    engine.SetMargins(QMargins(1134, 567, 567, 567));
    const QImage ours = paint(engine, reference.size());
    if (qEnvironmentVariableIsSet("KARVELLO_SAVE_RENDER"))
        ours.save(qEnvironmentVariable("KARVELLO_SAVE_RENDER"));
    const QRect ourInk = inkBounds(ours);
    const QRect theirInk = inkBounds(reference);
    QVERIFY2(qAbs(ourInk.top() - theirInk.top()) <= 4, qPrintable(QString("%1 %2").arg(ourInk.top()).arg(theirInk.top())));
    QVERIFY2(qAbs(ourInk.bottom() - theirInk.bottom()) <= 8,
             qPrintable(QString("%1 %2").arg(ourInk.bottom()).arg(theirInk.bottom())));
    QVERIFY2(qAbs(ourInk.left() - theirInk.left()) <= 3, qPrintable(QString("%1 %2").arg(ourInk.left()).arg(theirInk.left())));
    QVERIFY2(qAbs(ourInk.right() - theirInk.right()) <= 3,
             qPrintable(QString("%1 %2").arg(ourInk.right()).arg(theirInk.right())));
    // Compared where the text is, not over the empty page.
    const QRect text = ourInk.united(theirInk).adjusted(-4, -4, 4, 4);
    const double same = agreement(ours.copy(text), reference.copy(text), 48);
    QVERIFY2(same >= 0.95, qPrintable(QString::number(same)));
    qInfo("agreement with the suite's print: %.3f", same);
}

QTEST_MAIN(TestRichTextEngine)
#include "tst_richtextengine.moc"
