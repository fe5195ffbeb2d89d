#include "ReportTestPages.h"

#include "platform/ScreenMetrics.h"
#include "report/RecordedTarget.h"
#include "report/ReportPlayer.h"

#include <QBuffer>
#include <QPainter>
#include <QPicture>
#include <QtTest>

using namespace ReportTestPages;

namespace {

const ReportMargins kDeskjetMargins{0.25, 0.125, 0.25, 0.66};

// A sheet using every kind of drawing the objects print with.
void drawSampleSheet(TReport &job)
{
    job.setPen(clNavy, psSolid, -2);
    job.setBrush(clYellow, bsSolid);
    job.rectangle(0.5, 0.5, 4, 2.5);
    job.roundRect(4.5, 0.5, 8, 2.5, 0.4, 0.4);
    job.setBrush(clGreen, bsDiagCross);
    job.ellipse(1, 3, 3, 4);
    job.setPen(clRed, psDash, 1);
    job.moveTo(0.5, 4.5);
    job.lineTo(8, 5.5);
    job.setBrush(clBlue, bsSolid);
    job.setPen(clBlack, psSolid, -1);
    job.polygon(QPolygon({QPoint(400, 300), QPoint(500, 350), QPoint(420, 420)}));

    job.pushClipEllipse(5, 3, 7, 4.5);
    job.selectClip();
    for (int band = 0; band < 8; ++band) {
        job.setBrush(rgbColor(band * 30, 0, 255 - band * 30), bsSolid);
        job.fillRect(job.toDevice(5 + band * 0.25, 3, 5.25 + band * 0.25, 4.5));
    }
    job.clearClip();
    job.popClip();

    job.setFont(QStringLiteral("Times New Roman"), 28);
    job.setFontBold(true);
    job.setFontColor(clMaroon);
    job.printText(0.5, 6.5, QStringLiteral("Karvello cards"));
    job.beginPath();
    job.printText(0.5, 7.5, QStringLiteral("Outline"));
    job.endPath();
    job.setPen(clBlack, psSolid, 1);
    job.strokePath();

    QImage bitmap(4, 4, QImage::Format_RGB32);
    bitmap.fill(Qt::magenta);
    bitmap.setPixel(1, 1, qRgb(0, 200, 0));
    job.stretchDraw(5, 6, 6, 7, bitmap);
    QPicture picture;
    {
        QPainter p(&picture);
        p.setPen(Qt::black);
        p.setBrush(Qt::cyan);
        p.drawEllipse(QRect(0, 0, 96, 48));
    }
    job.stretchDraw(6, 6, 8, 7, picture, QRect(0, 0, 96, 48));
    job.rectangle(0, 10.2, 8.5, 11); // mostly in the unprintable bottom margin
}

struct Recording {
    std::unique_ptr<TReport> job;
    RecordedTarget *target = nullptr;
    explicit Recording(const SimulatedDevice &device)
    {
        auto recorded = std::make_unique<RecordedTarget>(device);
        target = recorded.get();
        job = std::make_unique<TReport>(std::move(recorded));
    }
};

} // namespace

class TestRecordedJob : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ScreenMetrics::setOverride(96); }

    void replayedRecordingMatchesDirectRendering()
    {
        ImageJob direct(100, kDeskjetMargins);
        direct->onPrint = drawSampleSheet;
        QVERIFY(direct->run());

        Recording recorded(device(100, kDeskjetMargins));
        recorded.job->onPrint = drawSampleSheet;
        QVERIFY(recorded.job->run());
        const ReportPlayer player(recorded.target->job());
        QCOMPARE(player.pageCount(), 1);
        const QImage replayed = player.render(0, 100);
        QCOMPARE(replayed.size(), direct.page().size());
        QVERIFY(inkBounds(direct.page()).width() > 700);
        QCOMPARE(differingPixels(replayed, direct.page()), 0);
    }

    void playerScalesThePhysicalSheet()
    {
        Recording recorded(device(600, {0.5, 0.5, 0, 0}));
        recorded.job->onPrint = [](TReport &job) {
            job.setBrush(clBlack, bsSolid);
            job.setPen(clBlack, psClear, 1);
            job.rectangle(1, 1, 2, 2);
            job.newPage();
            job.rectangle(3, 3, 4, 4);
        };
        QVERIFY(recorded.job->run());
        const ReportPlayer player(recorded.target->job());
        QCOMPARE(player.pageCount(), 2);
        QCOMPARE(player.pageSizeInches(), QSizeF(8.5, 11));
        const QImage half = player.render(0, 50);
        QCOMPARE(half.size(), QSize(425, 550));
        QCOMPARE(inkBounds(half), QRect(50, 50, 50, 50));
        QCOMPARE(inkBounds(player.render(1, 50)), QRect(150, 150, 50, 50));
        QVERIFY(player.render(2, 50).isNull());

        QImage framed(300, 300, QImage::Format_RGB32);
        framed.fill(qRgb(128, 128, 128));
        QPainter painter(&framed);
        QVERIFY(player.play(0, painter, QRectF(10, 20, 85, 110)));
        painter.end();
        QCOMPARE(framed.pixel(5, 5), qRgb(128, 128, 128));   // outside the page
        QCOMPARE(framed.pixel(12, 22), qRgb(255, 255, 255)); // paper
        QCOMPARE(framed.pixel(25, 35), qRgb(0, 0, 0));       // the square at 1 inch
    }

    void recordingSurvivesTheStream()
    {
        QBuffer stream;
        stream.open(QIODevice::ReadWrite);
        Recording recorded(device(100));
        recorded.target->setStream(&stream);
        recorded.job->onPrint = drawSampleSheet;
        QVERIFY(recorded.job->run());
        QVERIFY(stream.size() > 0);

        stream.seek(0);
        const auto read = RecordedJob::read(stream);
        QVERIFY(read);
        QCOMPARE(read->title, QStringLiteral("Karvello"));
        QCOMPARE(read->metrics.dpiX, 100);
        const ReportPlayer original(recorded.target->job());
        const ReportPlayer reread(*read);
        QCOMPARE(differingPixels(reread.render(0, 72), original.render(0, 72)), 0);

        const auto fromBytes = RecordedJob::fromByteArray(recorded.target->job().toByteArray());
        QVERIFY(fromBytes);
        QCOMPARE(fromBytes->pageCount(), 1);
    }

    void damagedStreamsAreRefused()
    {
        Recording recorded(device(100));
        recorded.job->onPrint = drawSampleSheet;
        QVERIFY(recorded.job->run());
        const QByteArray bytes = recorded.target->job().toByteArray();
        QVERIFY(!RecordedJob::fromByteArray(QByteArray()));
        QVERIFY(!RecordedJob::fromByteArray(QByteArray("not a recorded job at all")));
        QVERIFY(!RecordedJob::fromByteArray(bytes.left(bytes.size() / 2)));
        QByteArray corrupt = bytes;
        corrupt[corrupt.size() - 60] = 'X';
        corrupt.replace("QPIC", "XXXX");
        QVERIFY(!RecordedJob::fromByteArray(corrupt));
    }

    void abortedRecordingKeepsNoPagesAndWritesNothing()
    {
        QBuffer stream;
        stream.open(QIODevice::ReadWrite);
        Recording recorded(device(100));
        recorded.target->setStream(&stream);
        recorded.job->onPrint = [](TReport &job) {
            job.setBrush(clBlack, bsSolid);
            job.rectangle(1, 1, 2, 2);
            job.abort();
        };
        QVERIFY(!recorded.job->run());
        QCOMPARE(recorded.target->job().pageCount(), 0);
        QCOMPARE(stream.size(), 0);
    }
};

QTEST_MAIN(TestRecordedJob)
#include "tst_recorded.moc"
