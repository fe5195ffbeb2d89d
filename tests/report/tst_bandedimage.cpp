// Pages written to PNG files a band of rows at a time: the files hold the
// pixels a whole-page image gets, on every page, whatever the band height.
#include "ReportTestPages.h"

#include "report/BandedImageTarget.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace ReportTestPages;

namespace {

// Shapes and text that cross band edges, on two pages.
void drawPages(TReport &job)
{
    job.setPen(clNavy, psSolid, 3);
    job.setBrush(clSkyBlue, bsSolid);
    job.ellipse(0.3, 0.2, 2.1, 1.9);
    job.roundRect(1.2, 1.0, 2.7, 2.6, 0.4, 0.4);
    job.setFont(QStringLiteral("Arial"), 30);
    job.setFontColor(clMaroon);
    job.printText(0.4, 1.1, QStringLiteral("Banded"));
    job.moveTo(0.1, 2.9);
    job.lineTo(2.9, 0.1);
    job.newPage();
    job.setBrush(clRed, bsSolid);
    job.rectangle(0.5, 0.5, 2.5, 2.5);
}

QImage pngPage(const BandedImageTarget &target, int page)
{
    return QImage(target.pagePath(page)).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestBandedImage : public QObject
{
    Q_OBJECT
private slots:
    void bandsGiveTheWholePagesPixels_data()
    {
        QTest::addColumn<int>("bandRows");
        QTest::newRow("bands of 64 rows") << 64;
        QTest::newRow("bands of 50 rows") << 50;
        QTest::newRow("one band") << 1000;
    }

    void bandsGiveTheWholePagesPixels()
    {
        QFETCH(int, bandRows);
        const ReportMargins margins{0.25, 0.2, 0.3, 0.15};
        ImageJob whole(100, margins, smallSheet());
        whole->onPrint = drawPages;
        QVERIFY(whole->run());

        QTemporaryDir folder;
        auto owned = std::make_unique<BandedImageTarget>(folder.filePath(QStringLiteral("page%1.png")),
                                                         device(100, margins, smallSheet()), bandRows);
        BandedImageTarget &target = *owned;
        QVERIFY(target.passes() >= 300 / bandRows);
        TReport job(std::move(owned));
        job.onPrint = drawPages;
        QVERIFY(job.run());
        QCOMPARE(target.pagesWritten(), 2);
        for (int page = 1; page <= 2; ++page) {
            const QImage written = pngPage(target, page);
            QCOMPARE(written.size(), whole.page(page - 1).size());
            QCOMPARE(differingPixels(written, whole.page(page - 1)), 0);
        }
        QCOMPARE(qRound(pngPage(target, 1).dotsPerMeterX() * 0.0254), 100);
    }

    void unwritableFileFailsWithAReason()
    {
        QTemporaryDir folder;
        const QString pattern = folder.filePath(QStringLiteral("missing/page%1.png"));
        TReport job(std::make_unique<BandedImageTarget>(pattern, device(100, {}, smallSheet()), 64));
        job.onPrint = drawPages;
        QVERIFY(!job.run());
        QVERIFY(job.failed());
        QVERIFY2(job.failureReason().contains(QStringLiteral("page1.png")), qPrintable(job.failureReason()));
        QVERIFY(QDir(folder.path()).entryList(QDir::Files).isEmpty());
    }

    void abortedJobLeavesNoFiles()
    {
        QTemporaryDir folder;
        auto owned = std::make_unique<BandedImageTarget>(folder.filePath(QStringLiteral("page%1.png")),
                                                         device(100, {}, smallSheet()), 64);
        TReport job(std::move(owned));
        job.onPrint = [](TReport &j) {
            drawPages(j);
            if (j.pass() == 2)
                j.abort();
        };
        QVERIFY(!job.run());
        QVERIFY(job.wasAborted());
        QVERIFY(QDir(folder.path()).entryList(QDir::Files).isEmpty());
    }
};

QTEST_MAIN(TestBandedImage)
#include "tst_bandedimage.moc"
