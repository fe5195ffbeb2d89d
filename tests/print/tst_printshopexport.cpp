#include "PrintShopTestSupport.h"
#include "PrintTestSupport.h"

#include "../support/TempProgramFolder.h"
#include "app/CardClasses.h"
#include "objects/TGBusinessCardLabel.h"
#include "print/PrintShopExport.h"

#include <QFile>
#include <QTest>

using namespace PrintTest;
using namespace PrintShopTest;

namespace {

constexpr int RenderDpi = 144;

QRectF points(double x1, double y1, double x2, double y2)
{
    return QRectF(QPointF(x1, y1), QPointF(x2, y2));
}

bool sameBox(const QRectF &a, const QRectF &b)
{
    return qAbs(a.left() - b.left()) < 0.01 && qAbs(a.top() - b.top()) < 0.01 && qAbs(a.right() - b.right()) < 0.01
           && qAbs(a.bottom() - b.bottom()) < 0.01;
}

TBCShapes *addShape(TGBusinessCardPanel32 &panel, const QRect &bounds, TColor color, TBrushStyle style = bsSolid)
{
    TBCShapes *shape = addMarker(panel, bounds.left(), bounds.top());
    shape->SetBounds(bounds);
    shape->SetBrush(TBrush{color, style, {}});
    if (style == bsClear)
        shape->SetPen(TPen{clBlack, 1, psSolid, pmCopy});
    return shape;
}

TGBusinessCardLabel *addLabel(TGBusinessCardPanel32 &panel, const QRect &bounds)
{
    auto *label = new TGBusinessCardLabel(&panel);
    panel.AddObject(label);
    label->SetCaption(QStringLiteral("Karvello Cards"));
    label->SetBounds(bounds);
    return label;
}

// A pixel at inches on a page rendered at RenderDpi.
QRgb at(const QImage &page, double x, double y)
{
    return page.pixel(std::clamp(int(x * RenderDpi), 0, page.width() - 1),
                      std::clamp(int(y * RenderDpi), 0, page.height() - 1));
}

} // namespace

class TestPrintShopExport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void pageIsTheCardWithBleedAndMarkMargin_data();
    void pageIsTheCardWithBleedAndMarkMargin();
    void backgroundReachesTheBleedEdge();
    void filledShapesOnAnEdgeRunIntoTheBleed();
    void cropMarksLieOutsideTheBleed();
    void textStaysVectorWithFontsEmbedded();
    void textNearTheEdgeIsReported();
    void bleedIsKeptInRangeAndRemembered();
    void unwritableFileFailsWithAReason();

private:
    QString write(const PrintShopExport::Options &options);

    TempProgramFolder m_folder;
    std::unique_ptr<TGBusinessCardPanel32> m_panel;
    QString m_background;
};

void TestPrintShopExport::initTestCase()
{
    registerCardClasses();
    m_background = m_folder.filePath(QStringLiteral("red.bmp"));
    QImage red(336, 192, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(m_background, "BMP"));
}

QString TestPrintShopExport::write(const PrintShopExport::Options &options)
{
    const QString pdf = m_folder.filePath(QStringLiteral("card.pdf"));
    QFile::remove(pdf);
    PrintShopExport::Card card;
    card.Panel = m_panel.get();
    card.BackgroundFile = m_background;
    QString error;
    if (!PrintShopExport::Write(card, options, pdf, &error)) {
        qWarning() << error;
        return QString();
    }
    return pdf;
}

void TestPrintShopExport::pageIsTheCardWithBleedAndMarkMargin_data()
{
    QTest::addColumn<double>("bleed");
    QTest::addColumn<bool>("cropMarks");
    QTest::addColumn<QSizeF>("page");
    QTest::addColumn<QRectF>("trim");
    QTest::addColumn<QRectF>("bleedBox");
    // Points; the marks add 3/8 inch (27 points) on every side.
    QTest::newRow("default bleed") << 0.125 << false << QSizeF(270, 162) << points(9, 9, 261, 153)
                                   << points(0, 0, 270, 162);
    QTest::newRow("no bleed") << 0.0 << false << QSizeF(252, 144) << points(0, 0, 252, 144) << points(0, 0, 252, 144);
    QTest::newRow("largest bleed") << 0.25 << false << QSizeF(288, 180) << points(18, 18, 270, 162)
                                   << points(0, 0, 288, 180);
    QTest::newRow("crop marks") << 0.125 << true << QSizeF(324, 216) << points(36, 36, 288, 180)
                                << points(27, 27, 297, 189);
}

void TestPrintShopExport::pageIsTheCardWithBleedAndMarkMargin()
{
    if (!popplerInstalled())
        QSKIP("poppler-utils are not installed, so the PDF cannot be read back");
    QFETCH(double, bleed);
    QFETCH(bool, cropMarks);
    QFETCH(QSizeF, page);
    m_panel = makePanel();
    const QString pdf = write({bleed, cropMarks});
    QVERIFY(!pdf.isEmpty());
    const PdfInfo info = pdfInfo(pdf);
    QCOMPARE(info.pagePoints, page);
    QFETCH(QRectF, trim);
    QFETCH(QRectF, bleedBox);
    QVERIFY2(sameBox(info.boxes.value(QStringLiteral("TrimBox")), trim),
             qPrintable(QStringLiteral("TrimBox %1").arg(QDebug::toString(info.boxes.value(QStringLiteral("TrimBox"))))));
    QVERIFY2(sameBox(info.boxes.value(QStringLiteral("BleedBox")), bleedBox),
             qPrintable(QStringLiteral("BleedBox %1").arg(QDebug::toString(info.boxes.value(QStringLiteral("BleedBox"))))));
    QVERIFY(sameBox(info.boxes.value(QStringLiteral("MediaBox")), QRectF(QPointF(0, 0), page)));
}

void TestPrintShopExport::backgroundReachesTheBleedEdge()
{
    if (!popplerInstalled())
        QSKIP("poppler-utils are not installed, so the PDF cannot be read back");
    m_panel = makePanel();
    QImage page = renderPdf(write({0.125, false}), RenderDpi);
    QCOMPARE(page.size(), QSize(540, 324));
    for (const QPoint corner : {QPoint(0, 0), QPoint(539, 0), QPoint(0, 323), QPoint(539, 323)})
        QVERIFY2(near(page.pixel(corner), Qt::red), qPrintable(QDebug::toString(corner)));

    // With crop marks the background still ends at the bleed: the margin is white.
    page = renderPdf(write({0.125, true}), RenderDpi);
    const double m = PrintShopExport::CropMarkMargin;
    QVERIFY(near(at(page, m + 0.01, m + 0.01), Qt::red));
    QVERIFY(near(at(page, m + 3.75 - 0.01, m + 2.25 - 0.01), Qt::red));
    QVERIFY(near(at(page, m - 0.02, m + 1), Qt::white));
    QVERIFY(near(at(page, 0.01, 0.01), Qt::white));
}

void TestPrintShopExport::filledShapesOnAnEdgeRunIntoTheBleed()
{
    if (!popplerInstalled())
        QSKIP("poppler-utils are not installed, so the PDF cannot be read back");
    m_panel = makePanel();
    TBCShapes *right = addShape(*m_panel, QRect(300, 48, 36, 48), clBlue);     // touches the right edge
    TBCShapes *inside = addShape(*m_panel, QRect(96, 48, 48, 48), clLime);     // well inside
    addShape(*m_panel, QRect(0, 120, 48, 48), clBlack, bsClear);               // unfilled, on the left edge
    const QRect rightBounds = right->BoundsRect();
    const QString pdf = write({0.125, false});
    QCOMPARE(right->BoundsRect(), rightBounds); // exported, not moved
    QImage page = renderPdf(pdf, RenderDpi);
    // Card inches + 1/8 inch of bleed to page inches.
    const auto onPage = [&](double x, double y) { return at(page, x + 0.125, y + 0.125); };
    QVERIFY(near(onPage(3.45, 0.75), Qt::blue));
    QVERIFY(near(onPage(3.55, 0.75), Qt::blue));  // in the bleed
    QVERIFY(near(onPage(3.61, 0.75), Qt::blue));  // out to the page's edge
    QVERIFY(near(onPage(3.55, 0.45), Qt::red));   // only beside the shape
    QVERIFY(near(onPage(1.25, 0.75), Qt::green));
    QVERIFY(near(onPage(1.55, 0.75), Qt::red));   // the inner shape keeps its size
    QVERIFY(near(onPage(0.95, 0.75), Qt::red));
    QVERIFY(near(onPage(-0.06, 1.5), Qt::red));   // an outline alone is not extended
    QCOMPARE(inside->BoundsRect(), QRect(96, 48, 48, 48));
}

void TestPrintShopExport::cropMarksLieOutsideTheBleed()
{
    if (!popplerInstalled())
        QSKIP("poppler-utils are not installed, so the PDF cannot be read back");
    const PrintShopExport::PageGeometry geometry = PrintShopExport::Page(QSizeF(3.5, 2), {0.125, true});
    const QList<QLineF> marks = PrintShopExport::CropMarkLines(geometry);
    QCOMPARE(marks.size(), 8);
    for (const QLineF &mark : marks) {
        QCOMPARE(mark.length(), PrintShopExport::CropMarkLength);
        // Each continues a trim line and starts 1/16 inch outside the bleed.
        const bool vertical = mark.x1() == mark.x2();
        const double along = vertical ? mark.x1() : mark.y1();
        const QRectF trim = geometry.Trim;
        QVERIFY(vertical ? (along == trim.left() || along == trim.right())
                         : (along == trim.top() || along == trim.bottom()));
        const QRectF bleed = geometry.Bleed;
        double gap = 1;
        for (const QPointF end : {mark.p1(), mark.p2()}) {
            gap = vertical ? std::min({gap, qAbs(end.y() - bleed.top()), qAbs(end.y() - bleed.bottom())})
                           : std::min({gap, qAbs(end.x() - bleed.left()), qAbs(end.x() - bleed.right())});
        }
        QCOMPARE(gap, PrintShopExport::CropMarkGap);
        QVERIFY(!bleed.contains(mark.p1()) && !bleed.contains(mark.p2()));
    }

    // On the page: ink only at the marks. A shape that runs far past the
    // card is cut back to the bleed, so no ink lands in the margin but the marks.
    m_panel = makePanel();
    addShape(*m_panel, QRect(-96, 60, 200, 40), clBlack);
    const QImage page = renderPdf(write({0.125, true}), RenderDpi);
    const QRect bleedPixels(int(geometry.Bleed.left() * RenderDpi), int(geometry.Bleed.top() * RenderDpi),
                            int(geometry.Bleed.width() * RenderDpi), int(geometry.Bleed.height() * RenderDpi));
    int darkOutside = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (!bleedPixels.adjusted(-1, -1, 1, 1).contains(x, y) && qGray(page.pixel(x, y)) < 200)
                ++darkOutside;
        }
    }
    for (const QLineF &mark : marks) {
        const QPointF middle = mark.center();
        QVERIFY2(qGray(at(page, middle.x(), middle.y())) < 200, qPrintable(QDebug::toString(mark)));
    }
    // Eight marks of 0.25 inch, a pixel or two wide: nothing else.
    QVERIFY2(darkOutside > 8 * 30 && darkOutside < 8 * 36 * 3, qPrintable(QString::number(darkOutside)));
    QVERIFY(near(at(page, geometry.Bleed.left() - 0.03, 0.75 + 0.5), Qt::white));
}

void TestPrintShopExport::textStaysVectorWithFontsEmbedded()
{
    if (!popplerInstalled() || QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
        QSKIP("poppler-utils are not installed, so the PDF cannot be read back");
    m_panel = makePanel();
    addShape(*m_panel, QRect(20, 20, 100, 40), clBlue);
    addLabel(*m_panel, QRect(40, 100, 200, 30));
    const QString background = std::exchange(m_background, QString());
    const QString pdf = write({0.125, true});
    m_background = background;
    const QStringList embedded = fontEmbedding(pdf);
    QVERIFY(!embedded.isEmpty());
    QVERIFY2(!embedded.contains(QStringLiteral("no")), qPrintable(embedded.join(u',')));
    // Shapes and text are drawn, not pasted in as pictures.
    const QStringList images = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                   .split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(images.size(), 2); // the two header lines
}

void TestPrintShopExport::textNearTheEdgeIsReported()
{
    const QSizeF card(3.5, 2);
    m_panel = makePanel();
    addShape(*m_panel, QRect(0, 0, 40, 40), clBlue); // shapes may touch the edge
    addLabel(*m_panel, QRect(12, 12, 312, 168));    // the box exactly on the safe line
    // A centred caption in a box as wide as the card: the letters count, not the box.
    TGBusinessCardLabel *wide = addLabel(*m_panel, QRect(0, 60, 336, 30));
    wide->SetAlignment(taCenter);
    QVERIFY(!PrintShopExport::TextOutsideSafeArea(*m_panel, card));
    wide->SetAlignment(taLeftJustify);
    QVERIFY(PrintShopExport::TextOutsideSafeArea(*m_panel, card));
    wide->SetAlignment(taCenter);
    // A coloured band behind the caption is no text; the letters still are.
    wide->SetBackColor(clYellow);
    wide->SetTransparent(false);
    QVERIFY(!PrintShopExport::TextOutsideSafeArea(*m_panel, card));
    wide->SetAlignment(taLeftJustify);
    QVERIFY(PrintShopExport::TextOutsideSafeArea(*m_panel, card));
    wide->SetAlignment(taCenter);

    TGBusinessCardLabel *near = addLabel(*m_panel, QRect(100, 176, 100, 20)); // letters below y = 180
    QVERIFY(PrintShopExport::TextOutsideSafeArea(*m_panel, card));
    near->SetBounds(100, 150, 100, 20);
    QVERIFY(!PrintShopExport::TextOutsideSafeArea(*m_panel, card));
    near->SetBounds(330, 40, 40, 20); // past the right edge
    QVERIFY(PrintShopExport::TextOutsideSafeArea(*m_panel, card));

    // The check holds at any zoom.
    near->SetBounds(100, 150, 100, 20);
    m_panel->SetZoom(1.5f);
    QVERIFY(!PrintShopExport::TextOutsideSafeArea(*m_panel, card));
    m_panel->SetZoom(1.0f);
    QCOMPARE(PrintShopExport::SafeAreaWarning(),
             QStringLiteral("Some text lies within 1/8 inch of the card's edge and may be cut off. Export anyway?"));
}

void TestPrintShopExport::bleedIsKeptInRangeAndRemembered()
{
    QCOMPARE(PrintShopExport::UsableBleed(0.3), 0.25);
    QCOMPARE(PrintShopExport::UsableBleed(-1), 0.0);
    // 3 mm becomes 8.5 points, so that the page is a whole number of points.
    QCOMPARE(PrintShopExport::UsableBleed(3 / 25.4), 8.5 / 72);
    QCOMPARE(PrintShopExport::Remembered().Bleed, PrintShopExport::DefaultBleed);
    QCOMPARE(PrintShopExport::Remembered().CropMarks, false);
    PrintShopExport::Remember({0.0625, true});
    QCOMPARE(PrintShopExport::Remembered().Bleed, 0.0625);
    QCOMPARE(PrintShopExport::Remembered().CropMarks, true);
    PrintShopExport::Remember({});
}

void TestPrintShopExport::unwritableFileFailsWithAReason()
{
    m_panel = makePanel();
    PrintShopExport::Card card;
    card.Panel = m_panel.get();
    QString error;
    const QString pdf = m_folder.filePath(QStringLiteral("missing-folder/card.pdf"));
    QVERIFY(!PrintShopExport::Write(card, {}, pdf, &error));
    QVERIFY2(error.contains(QStringLiteral("card.pdf")), qPrintable(error));
    QVERIFY(!QFile::exists(pdf));
}

QTEST_MAIN(TestPrintShopExport)
#include "tst_printshopexport.moc"
