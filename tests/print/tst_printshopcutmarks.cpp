#include "PrintTestSupport.h"

#include "../support/TempProgramFolder.h"
#include "print/CutMarks.h"
#include "print/TCardSheetPrinter.h"
#include "print/SelectLabelsDialog.h"

#include <QCheckBox>
#include <QTest>

using namespace PrintTest;

namespace {

QList<QRectF> cards(const TSheetGeometry &g, bool portrait, double pageHeight)
{
    QList<QRectF> result;
    for (int r = 0; r < g.Down; ++r) {
        for (int c = 0; c < g.Across; ++c)
            result << QRectF(g.CardOrigin(r, c, portrait, pageHeight), g.CellSize(portrait));
    }
    return result;
}

bool crossesACard(const QLineF &line, const QList<QRectF> &cells)
{
    for (const QRectF &cell : cells) {
        // Shrunk a hair, so that a line along a shared edge does not count.
        const QRectF inner = cell.adjusted(1e-6, 1e-6, -1e-6, -1e-6);
        const QRectF box = QRectF(line.p1(), line.p2()).normalized().adjusted(-1e-9, -1e-9, 1e-9, 1e-9);
        if (inner.intersects(box))
            return true;
    }
    return false;
}

} // namespace

class TestPrintShopCutMarks : public QObject
{
    Q_OBJECT
private slots:
    void marksOnALetterSheetContinueEveryCardEdge();
    void marksNeverTouchACard_data();
    void marksNeverTouchACard();
    void printedMarksLieOnlyInTheMargins();
    void printCardsDialogRemembersTheBoxAndDrawsTheMarks();

private:
    TempProgramFolder m_folder;
};

void TestPrintShopCutMarks::marksOnALetterSheetContinueEveryCardEdge()
{
    const TSheetGeometry sheet = TSheetGeometry::FromLayout(SheetLayout()); // 2 x 5 on Letter
    const QList<QLineF> lines = CutMarks::Lines(sheet, false, QSizeF(8.5, 11));
    QList<double> xs, ys;
    for (const QLineF &line : lines) {
        QCOMPARE(QLineF(line).length(), CutMarks::Length);
        if (line.x1() == line.x2()) {
            xs << line.x1();
            // Above the first row or below the last, 1/16 inch away.
            QVERIFY(line.y2() == 0.5 - CutMarks::Gap || line.y1() == 10.5 + CutMarks::Gap);
        } else {
            ys << line.y1();
            QVERIFY(line.x2() == 0.75 - CutMarks::Gap || line.x1() == 7.75 + CutMarks::Gap);
        }
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    QCOMPARE(xs, (QList<double>{0.75, 0.75, 4.25, 4.25, 7.75, 7.75}));
    QCOMPARE(ys, (QList<double>{0.5, 0.5, 2.5, 2.5, 4.5, 4.5, 6.5, 6.5, 8.5, 8.5, 10.5, 10.5}));
}

void TestPrintShopCutMarks::marksNeverTouchACard_data()
{
    QTest::addColumn<bool>("portrait");
    QTest::addColumn<double>("gutter");
    QTest::addColumn<double>("top");
    QTest::newRow("landscape, no gutter") << false << 0.0 << 0.5;
    QTest::newRow("landscape with gutters") << false << 0.25 << 0.5;
    QTest::newRow("portrait") << true << 0.125 << 0.5;
    QTest::newRow("narrow top margin") << false << 0.0 << 0.1;
}

void TestPrintShopCutMarks::marksNeverTouchACard()
{
    QFETCH(bool, portrait);
    QFETCH(double, gutter);
    QFETCH(double, top);
    TSheetGeometry sheet;
    sheet.Across = 2;
    sheet.Down = 4;
    sheet.Top = top;
    sheet.HorizontalPitch = sheet.CardWidth + gutter;
    sheet.VerticalPitch = sheet.CardHeight + gutter;
    const QSizeF page = portrait ? QSizeF(11, 8.5) : QSizeF(8.5, 11);
    const QList<QRectF> cells = cards(sheet, portrait, page.height());
    const QList<QLineF> lines = CutMarks::Lines(sheet, portrait, page);
    QVERIFY(!lines.isEmpty());
    for (const QLineF &line : lines) {
        QVERIFY2(!crossesACard(line, cells), qPrintable(QDebug::toString(line)));
        QVERIFY(QRectF(QPointF(0, 0), page).contains(line.p1()) && QRectF(QPointF(0, 0), page).contains(line.p2()));
    }
    // A top margin narrower than the gap leaves the top without marks.
    if (top < CutMarks::Gap + 1.0 / 32 && !portrait) {
        for (const QLineF &line : lines)
            QVERIFY(line.y1() > top);
    }
}

void TestPrintShopCutMarks::printedMarksLieOnlyInTheMargins()
{
    auto panel = makePanel();
    addMarker(*panel); // a card-corner marker shows where each card went
    auto job = imageJob();
    TCardSheetPrinter sheet;
    sheet.Panel = panel.get();
    sheet.Geometry = TSheetGeometry::FromLayout(SheetLayout());
    sheet.PrintCutMarks = true;
    job->onPrint = [&](TReport &j) { sheet.PrintLabels(j); };
    QVERIFY(job->run());
    const QImage page = imageTarget(*job).pages().first();

    // Inside the block of cards (and a little around it) there are only the ten markers.
    const QRect block(int(0.75 * Dpi) - 4, int(0.5 * Dpi) - 4, 7 * Dpi + 8, 10 * Dpi + 8);
    QCOMPARE(countMarkerCorners(page.copy(block)), 10);
    // In the margins: marks in line with the card edges, nothing elsewhere.
    for (double x : {0.75, 4.25, 7.75})
        QVERIFY(!inkBox(page, QRect(int(x * Dpi) - 2, int(0.3 * Dpi), 4, 4)).isNull());
    for (double y : {0.5, 2.5, 10.5})
        QVERIFY(!inkBox(page, QRect(int(0.55 * Dpi), int(y * Dpi) - 2, 4, 4)).isNull());
    QVERIFY(inkBox(page, QRect(int(2.5 * Dpi), 0, Dpi, int(0.5 * Dpi) - 2)).isNull()); // between the marks
    QVERIFY(inkBox(page, QRect(0, int(1.5 * Dpi), int(0.75 * Dpi) - 2, Dpi / 2)).isNull());

    // Without the box, none.
    auto plain = imageJob();
    sheet.PrintCutMarks = false;
    plain->onPrint = [&](TReport &j) { sheet.PrintLabels(j); };
    QVERIFY(plain->run());
    QVERIFY(inkBox(imageTarget(*plain).pages().first(), QRect(0, 0, int(8.5 * Dpi), int(0.5 * Dpi) - 2)).isNull());
}

void TestPrintShopCutMarks::printCardsDialogRemembersTheBoxAndDrawsTheMarks()
{
    ScreenMetrics::setOverride(96);
    QVERIFY(!CutMarks::Remembered());
    const auto drawing = [](TSelectSpecificLabels &dialog) {
        QImage image(dialog.PaintBox1->size(), QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter painter(&image);
        TCanvas canvas(&painter);
        dialog.PaintBox1Paint(canvas);
        return image;
    };
    {
        TSelectSpecificLabels dialog(nullptr);
        dialog.SetLayout(SheetLayout());
        QVERIFY(!dialog.CutMarksCheck->isChecked());
        // The first card's left edge (x = 24) above the sheet's first row (y = 19).
        QCOMPARE(drawing(dialog).pixel(24, 16), qRgb(255, 255, 255));
        dialog.CutMarksCheck->setChecked(true);
        QCOMPARE(drawing(dialog).pixel(24, 16), qRgb(0, 0, 0));
        dialog.CancelButtonClick();
    }
    QVERIFY(!CutMarks::Remembered()); // cancelled
    {
        TSelectSpecificLabels dialog(nullptr);
        dialog.CutMarksCheck->setChecked(true);
        dialog.OKbuttonClick();
    }
    QVERIFY(CutMarks::Remembered());
    TSelectSpecificLabels again(nullptr);
    QVERIFY(again.CutMarksCheck->isChecked());
}

QTEST_MAIN(TestPrintShopCutMarks)
#include "tst_printshopcutmarks.moc"
