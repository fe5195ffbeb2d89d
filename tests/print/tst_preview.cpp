#include "PrintTestSupport.h"

#include "design/TGCursors.h"
#include "print/TCardSheetPrinter.h"
#include "print/TPreviewForm.h"
#include "print/TPreviewPage.h"
#include "report/RecordedTarget.h"
#include "report/ReportPlayer.h"

#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace PrintTest;

namespace {

// The preview recording of a card with a marker, as "Pre&view" makes it.
RecordedJob recordedPreview()
{
    auto panel = makePanel();
    addMarker(*panel, 100, 100, 90); // crosses the first tile seams at 100 %
    auto target = std::make_unique<RecordedTarget>(SimulatedDevice(Dpi, Dpi));
    RecordedTarget *recorder = target.get();
    TReport job(std::move(target));
    TCardSheetPrinter sheet;
    sheet.Panel = panel.get();
    sheet.Printing = false;
    job.onBeforePrint = [&](TReport &j) { sheet.BeforePrintLabels(j); };
    job.onPrint = [&](TReport &j) { sheet.PrintLabels(j); };
    if (!job.run())
        return {};
    return recorder->job();
}

QImage cursorImage(const QCursor &cursor)
{
    return cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }
    void memoryStaysSmallAtTheLargestZoom();
    void tilesShowExactlyTheWholePage();
    void scrollingOntoTilesRenderedAheadPlaysNothing();
    void pageShowsTheMagnifierAndClicksStillZoom();
};

void TestPreview::memoryStaysSmallAtTheLargestZoom()
{
    TPreviewForm form(recordedPreview());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.SetZoomFactor(TPreviewForm::MaximumZoom);
    QCOMPARE(form.ZoomFactor(), 800);
    // The whole page can be scrolled to: 8.5 x 11 inches at 8 x 96 pixels.
    QVERIFY(form.PageImage->width() >= 8.5 * 96 * 8 && form.PageImage->height() >= 11 * 96 * 8);

    // Look at the top left, then scroll through the page to the bottom right.
    QScrollBar *across = form.ScrollBox1->horizontalScrollBar();
    QScrollBar *down = form.ScrollBox1->verticalScrollBar();
    for (int step = 0; step <= 8; ++step) {
        across->setValue(across->maximum() * step / 8);
        down->setValue(down->maximum() * step / 8);
        form.ScrollBox1->viewport()->grab();
    }
    QVERIFY(form.PageImage->LargestBufferBytes() > 0);
    // No drawing buffer larger than a block of tiles (4 MiB, where the whole
    // page would take 220 MiB), and the tiles kept stay within their budget.
    const qint64 block = qint64(TPreviewPage::BlockColumns * TPreviewPage::TileSize)
        * TPreviewPage::BlockRows * TPreviewPage::TileSize * 4;
    QCOMPARE(block, 4 * 1024 * 1024);
    QVERIFY2(form.PageImage->LargestBufferBytes() <= block,
             qPrintable(QString::number(form.PageImage->LargestBufferBytes())));
    // Rendering ahead around the visible part stays within the budget too.
    while (form.PageImage->RenderAhead()) {
    }
    QVERIFY(form.PageImage->LargestBufferBytes() <= block);
    QVERIFY(form.PageImage->CachedBytes() <= TPreviewPage::CacheBytes);
    QVERIFY(TPreviewPage::CacheBytes <= 16 * 1024 * 1024);
}

void TestPreview::scrollingOntoTilesRenderedAheadPlaysNothing()
{
    TPreviewForm form(recordedPreview());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.SetZoomFactor(400);
    QScrollBar *down = form.ScrollBox1->verticalScrollBar();
    down->setValue(down->maximum() / 2);
    form.ScrollBox1->viewport()->grab();
    const int shown = form.PageImage->Playbacks();
    QVERIFY(shown > 0);
    while (form.PageImage->RenderAhead()) {
    }
    const int ahead = form.PageImage->Playbacks();
    QVERIFY(ahead > shown);
    // A wheel's worth of scrolling either way finds its tiles ready.
    for (const int delta : {60, 120, -60, -120}) {
        down->setValue(down->maximum() / 2 + delta);
        form.ScrollBox1->viewport()->grab();
    }
    QCOMPARE(form.PageImage->Playbacks(), ahead);
}

void TestPreview::tilesShowExactlyTheWholePage()
{
    const RecordedJob recording = recordedPreview();
    QCOMPARE(recording.pageCount(), 1);
    TPreviewForm form(recording);
    form.FormActivate();
    form.SetZoomFactor(100);
    TPreviewPage &page = *form.PageImage;
    const QRect pageRect = page.PageRect();
    QCOMPARE(pageRect.size(), QSize(816, 1056));

    // Drawn tile by tile ...
    QImage tiled(page.size(), QImage::Format_RGB32);
    tiled.fill(Qt::magenta);
    {
        QPainter painter(&tiled);
        page.PaintArea(painter, tiled.rect());
    }
    // ... the page is the same as drawn in one piece.
    QImage whole(pageRect.size(), QImage::Format_RGB32);
    {
        QPainter painter(&whole);
        ReportPlayer(recording).play(0, painter, QRectF(QPointF(0, 0), pageRect.size()));
    }
    QCOMPARE(tiled.copy(pageRect), whole);
    // The marker (0.75, 0.5 inch from the corner, 100 card pixels in) crosses
    // the seams at 256.
    const QRect marker(72 + 100 + pageRect.left(), 48 + 100 + pageRect.top(), 90, 90);
    QVERIFY(marker.contains(QPoint(TPreviewPage::TileSize, TPreviewPage::TileSize)));
    QCOMPARE(QColor(tiled.pixel(TPreviewPage::TileSize, TPreviewPage::TileSize)), QColor(Qt::black));
    QCOMPARE(QColor(tiled.pixel(TPreviewPage::TileSize - 1, TPreviewPage::TileSize - 1)), QColor(Qt::black));
    // Around the page: the background, and the shadow under its far corner.
    const QColor background = page.palette().color(QPalette::Dark);
    QCOMPARE(tiled.pixel(1, 1), background.rgb());
    QCOMPARE(QColor(tiled.pixel(pageRect.right() + 2, pageRect.bottom() + 2)), QColor(Qt::black));
    QCOMPARE(tiled.pixel(pageRect.right() + 2, pageRect.top() + 1), background.rgb());
}

void TestPreview::pageShowsTheMagnifierAndClicksStillZoom()
{
    TPreviewForm form(recordedPreview());
    form.FormActivate();
    const QImage magnifier = cursorImage(TGCursors::cursorFor(TGCursors::crMagnify));
    QVERIFY(!magnifier.isNull());
    QCOMPARE(form.PageImage->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(cursorImage(form.PageImage->cursor()), magnifier);
    QCOMPARE(cursorImage(form.ScrollBox1->viewport()->cursor()), magnifier);

    QCOMPARE(form.ZoomFactor(), 100);
    QTest::mouseClick(form.PageImage, Qt::LeftButton, {}, QPoint(50, 50));
    QVERIFY(form.ZoomFactor() > 100);
    QTest::mouseClick(form.PageImage, Qt::RightButton, {}, QPoint(50, 50));
    QCOMPARE(form.ZoomFactor(), 100);
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
