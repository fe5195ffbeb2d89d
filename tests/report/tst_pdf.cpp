#include "ReportTestPages.h"

#include "platform/ScreenMetrics.h"
#include "report/PdfTarget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace ReportTestPages;

class TestPdfTarget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ScreenMetrics::setOverride(96); }

    void pdfShowsTheSquareWhereItWasPut()
    {
        const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        if (pdftoppm.isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed; cannot rasterise the PDF");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("sheet.pdf"));
        TReport job(std::make_unique<PdfTarget>(file, 600));
        QCOMPARE(job.resolutionX(), 600);
        QCOMPARE(job.unprintableLeft(), 0.0);
        QCOMPARE(job.pageWidth(), 8.5);
        job.onPrint = [](TReport &r) {
            r.setPen(clBlack, psSolid, -1);
            r.setBrush(clBlack, bsSolid);
            r.rectangle(1, 1, 2, 2);
            r.newPage();
            r.rectangle(3, 3, 4, 4);
        };
        QVERIFY(job.run());
        QVERIFY(QFile::exists(file));

        QProcess process;
        process.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"), file,
                                 dir.filePath(QStringLiteral("page"))});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        const QImage first(dir.filePath(QStringLiteral("page-1.png")));
        const QImage second(dir.filePath(QStringLiteral("page-2.png")));
        QCOMPARE(first.size(), QSize(850, 1100));
        const QRect ink = inkBounds(first.convertToFormat(QImage::Format_RGB32));
        QVERIFY2(std::abs(ink.left() - 100) <= 1 && std::abs(ink.top() - 100) <= 1
                     && std::abs(ink.right() - 199) <= 1 && std::abs(ink.bottom() - 199) <= 1,
                 qPrintable(QStringLiteral("square at %1,%2 %3x%4")
                                .arg(ink.left()).arg(ink.top()).arg(ink.width()).arg(ink.height())));
        const QRect ink2 = inkBounds(second.convertToFormat(QImage::Format_RGB32));
        QVERIFY(std::abs(ink2.left() - 300) <= 1 && std::abs(ink2.bottom() - 399) <= 1);
    }

    void landscapePdfTurnsThePage()
    {
        QTemporaryDir dir;
        TReport job(std::make_unique<PdfTarget>(dir.filePath(QStringLiteral("l.pdf"))));
        job.setOrientation(poLandscape);
        QCOMPARE(job.pageWidth(), 11.0);
        QCOMPARE(job.pageHeight(), 8.5);
        QVERIFY(job.setPaperSize(DMPAPER_A4));
        QVERIFY(std::abs(job.pageWidth() - 11.69) < 0.01);
    }

    void abortedPdfLeavesNoFile()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("aborted.pdf"));
        TReport job(std::make_unique<PdfTarget>(file));
        job.onPrint = [](TReport &r) {
            r.setBrush(clBlack, bsSolid);
            r.rectangle(1, 1, 2, 2);
            r.abort();
        };
        QVERIFY(!job.run());
        QVERIFY(!QFile::exists(file));
    }

    void unwritablePdfReportsFailure()
    {
        TReport job(std::make_unique<PdfTarget>(QStringLiteral("/nonexistent-folder/x/out.pdf")));
        QVERIFY(!job.run());
        QVERIFY(!job.printing());
        QVERIFY(job.failed());
        QVERIFY(!job.wasAborted());
        QVERIFY2(job.failureReason().contains(QStringLiteral("/nonexistent-folder/x/out.pdf"))
                     && job.failureReason().contains(QStringLiteral("folder does not exist")),
                 qPrintable(job.failureReason()));
    }

    void fileThatCannotBeReplacedIsReportedAndKept()
    {
        // A folder where the file should be: nothing can be written there,
        // whoever runs the test, and the probe for the reason must not
        // remove or create anything.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cards.pdf"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("cards.pdf")));
        TReport job(std::make_unique<PdfTarget>(path));
        QVERIFY(!job.run());
        QVERIFY(job.failed());
        QVERIFY2(job.failureReason().startsWith(QStringLiteral("Unable to write the PDF file ")),
                 qPrintable(job.failureReason()));
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"cards.pdf"});
    }

    void fileNameCanBeChosenLater()
    {
        PdfTarget *pdf = nullptr;
        auto target = std::make_unique<PdfTarget>();
        pdf = target.get();
        TReport job(std::move(target));
        // Without a name the job cannot start, and says so.
        QVERIFY(!job.run());
        QVERIFY(job.failed());
        QCOMPARE(job.failureReason(), QStringLiteral("No PDF file was chosen to print into."));
        QCOMPARE(job.pageWidth(), 8.5); // still a PDF page, not a printer queue's

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("later.pdf"));
        pdf->setFileName(file);
        QVERIFY(job.run());
        QVERIFY(!job.failed());
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.read(5) == "%PDF-");
    }
};

QTEST_MAIN(TestPdfTarget)
#include "tst_pdf.moc"
