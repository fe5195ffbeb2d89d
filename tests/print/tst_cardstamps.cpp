// A card that is the same at every position of a raster sheet is drawn once
// and copied: the copies must give the very sheet that drawing each card
// gives, and cards that differ per position must still be drawn each.
#include "PrintTestSupport.h"

#include "app/CardClasses.h"
#include "design/CardMerge.h"
#include "design/ContactList.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGLineShape.h"
#include "print/TCardSheetPrinter.h"
#include "report/BandedImageTarget.h"

#include <QTemporaryDir>
#include <QTest>

using namespace PrintTest;

namespace {

constexpr int SheetDpi = 300;

TGBusinessCardLabel *addLabel(TGBusinessCardPanel32 &panel, const QString &caption, QRect box)
{
    auto *label = new TGBusinessCardLabel(&panel);
    panel.AddObject(label);
    TFont font;
    font.name = QStringLiteral("Arial");
    font.setSize(11, 96);
    font.style = fsBold;
    label->SetFont(font);
    label->SetCaption(caption);
    label->SetDirectionShadow(sdDownRight);
    label->SetDepthShadow(2);
    label->SetcolorShadow(clGray);
    label->SetTransparent(true);
    label->SetBounds(box);
    return label;
}

// Labels, a filled shape and a line at places that do not fall on whole
// device pixels.
std::unique_ptr<TGBusinessCardPanel32> makeCard()
{
    auto panel = makePanel();
    addLabel(*panel, QStringLiteral("Jordan Avery"), QRect(13, 9, 150, 24));
    addLabel(*panel, QStringLiteral("hello@example.com"), QRect(31, 117, 170, 22));
    auto *shape = addMarker(*panel, 250, 31, 41);
    shape->SetShape(stEllipse);
    shape->SetBrush(TBrush{clSkyBlue, bsSolid, {}});
    shape->SetPen(TPen{clNavy, 2, psSolid, pmCopy});
    auto *line = new TGLineShape(panel.get());
    panel->AddObject(line);
    line->SetLineStyle(stHorizontal);
    line->SetPen(TPen{clMaroon, 3, psSolid, pmCopy});
    line->SetBounds(7, 97, 229, 5);
    return panel;
}

QImage printSheet(TCardSheetPrinter &sheet, bool stamp)
{
    auto job = imageJob({}, 1, SheetDpi);
    sheet.StampCards = stamp;
    job->setPaperSize(SheetLayout::PaperLetter);
    job->onBeforePrint = [&](TReport &j) { sheet.BeforePrintLabels(j); };
    job->onPrint = [&](TReport &j) { sheet.PrintLabels(j); };
    if (!job->run() || imageTarget(*job).pages().isEmpty())
        return QImage();
    return imageTarget(*job).pages().constFirst();
}

TCardSheetPrinter sheetOf(TGBusinessCardPanel32 &panel)
{
    TCardSheetPrinter sheet;
    sheet.Panel = &panel;
    sheet.Geometry = TSheetGeometry::FromLayout(SheetLayout());
    return sheet;
}

// The page pixels of the card cell at row r, column c.
QImage cell(const QImage &page, const TSheetGeometry &geometry, int r, int c)
{
    const QPointF origin = geometry.CardOrigin(r, c, false, 11.0);
    const QSizeF size = geometry.CellSize(false);
    return page.copy(QRectF(origin * SheetDpi, size * SheetDpi).toRect());
}

} // namespace

class TestCardStamps : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        registerCardClasses();
    }

    void stampedSheetEqualsTheSheetDrawnAtEachPosition()
    {
        auto panel = makeCard();
        TCardSheetPrinter sheet = sheetOf(*panel);
        sheet.PrintCutMarks = true;
        const QImage drawn = printSheet(sheet, false);
        QCOMPARE(sheet.StampedCards(), 0);
        const QImage stamped = printSheet(sheet, true);
        QCOMPARE(sheet.StampedCards(), 10);
        QVERIFY(!drawn.isNull());
        QVERIFY(drawn == stamped);
        // Something was printed: the cards are not blank.
        QVERIFY(inkBox(stamped, stamped.rect()).isValid());
    }

    void mergedCardsDifferPerPosition()
    {
        auto panel = makeCard();
        addLabel(*panel, QStringLiteral("{Badge}"), QRect(40, 60, 120, 24));
        auto list = std::make_shared<ContactList>();
        list->fields = {QStringLiteral("Badge")};
        for (int i = 1; i <= 10; ++i)
            list->records << QStringList{QStringLiteral("R%1").arg(i)};
        CardMerge::Of(*panel).Attach(list, QString());
        TCardSheetPrinter sheet = sheetOf(*panel);
        sheet.OneCardPerRecord = true;
        const QImage merged = printSheet(sheet, true);
        QCOMPARE(sheet.StampedCards(), 0);
        QVERIFY(merged == printSheet(sheet, false));
        QVERIFY(cell(merged, sheet.Geometry, 0, 0) != cell(merged, sheet.Geometry, 0, 1));
        QVERIFY(cell(merged, sheet.Geometry, 0, 1) != cell(merged, sheet.Geometry, 1, 1));

        // Without one card per record every position shows the record shown.
        sheet.OneCardPerRecord = false;
        const QImage same = printSheet(sheet, true);
        QCOMPARE(sheet.StampedCards(), 10);
        QVERIFY(cell(same, sheet.Geometry, 0, 0) == cell(same, sheet.Geometry, 4, 1));
        QVERIFY(same == printSheet(sheet, false));
    }

    void cardChangedBetweenTwoRunsIsDrawnAfresh()
    {
        auto panel = makeCard();
        TCardSheetPrinter sheet = sheetOf(*panel);
        const QImage before = printSheet(sheet, true);
        auto *label = qobject_cast<TGBusinessCardLabel *>(panel->Objects().constFirst());
        QVERIFY(label);
        label->SetCaption(QStringLiteral("Morgan Lee"));
        panel->Objects().at(2)->SetBounds(QRect(200, 120, 30, 30));
        const QImage after = printSheet(sheet, true);
        QCOMPARE(sheet.StampedCards(), 10);
        QVERIFY(after != before);
        TCardSheetPrinter fresh = sheetOf(*panel);
        QVERIFY(after == printSheet(fresh, false));
    }

    void cardReachingPastItsCellIsCopiedOnlyOntoWhite()
    {
        // A shape hanging over the right edge into the next card's corner.
        auto panel = makeCard();
        addMarker(*panel, 320, 150, 40);
        TCardSheetPrinter sheet = sheetOf(*panel);
        sheet.PrintCutMarks = true;
        QImage stamped = printSheet(sheet, true);
        QCOMPARE(sheet.StampedCards(), 10);
        QVERIFY(stamped == printSheet(sheet, false));

        // Over the next card's first label it must blend with the letters:
        // the cards of the second column are drawn in place.
        panel->Objects().constLast()->SetBounds(QRect(320, 12, 40, 30));
        stamped = printSheet(sheet, true);
        QCOMPARE(sheet.StampedCards(), 5);
        QVERIFY(stamped == printSheet(sheet, false));
    }

    // Drawn in bands of rows, copies and cards drawn in place (one card
    // reaches into its neighbour) give the sheet of one whole image.
    void sheetWrittenInBandsEqualsTheWholeImage()
    {
        auto panel = makeCard();
        addMarker(*panel, 320, 12, 30);
        TCardSheetPrinter sheet = sheetOf(*panel);
        sheet.PrintCutMarks = true;
        const QImage whole = printSheet(sheet, false);

        QTemporaryDir folder;
        auto owned = std::make_unique<BandedImageTarget>(folder.filePath(QStringLiteral("sheet%1.png")),
                                                         SimulatedDevice(SheetDpi, SheetDpi), 250);
        BandedImageTarget &target = *owned;
        TReport job(std::move(owned));
        job.setPaperSize(SheetLayout::PaperLetter);
        job.onBeforePrint = [&](TReport &j) { sheet.BeforePrintLabels(j); };
        job.onPrint = [&](TReport &j) { sheet.PrintLabels(j); };
        sheet.StampCards = true;
        QVERIFY(job.run());
        QVERIFY(sheet.StampedCards() > 0);
        const QImage banded = QImage(target.pagePath(1)).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(banded.size(), whole.size());
        QVERIFY(banded == whole);
    }

    void oddDistancesBetweenPositionsAreDrawnInPlace()
    {
        // A pitch of 3.51 inches puts the columns 1053 pixels apart: rounding
        // half to even could land coordinates differently, so no copies
        // across columns.
        auto panel = makeCard();
        TCardSheetPrinter sheet = sheetOf(*panel);
        SheetLayout layout;
        layout.HPitch = 3.51;
        sheet.Geometry = TSheetGeometry::FromLayout(layout);
        const QImage stamped = printSheet(sheet, true);
        QCOMPARE(sheet.StampedCards(), 5);
        QVERIFY(stamped == printSheet(sheet, false));
    }
};

QTEST_MAIN(TestCardStamps)
#include "tst_cardstamps.moc"
