#include "ReportTestPages.h"

#include "platform/ScreenMetrics.h"
#include "report/PrinterDialogs.h"
#include "report/PrinterTarget.h"

#include <QLabel>
#include <QPrinter>
#include <QtTest>
#include <stdexcept>

using namespace ReportTestPages;

namespace {

class ScriptedPrinterDialogs : public PrinterDialogs
{
public:
    bool accept = true;
    int copies = 1;
    int setups = 0;
    int prints = 0;
    bool setup(QPrinter &) override
    {
        ++setups;
        return accept;
    }
    bool print(QPrinter &printer) override
    {
        ++prints;
        printer.setCopyCount(copies);
        return accept;
    }
};

// A device that gives up at a chosen point, as a printer that refuses a
// job or runs out of spool space does.
class FailingTarget : public ImageTarget
{
public:
    enum Stage { AtBegin, AtNewPage, AtEnd };
    explicit FailingTarget(Stage stage) : ImageTarget(SimulatedDevice(50, 50)), stage_(stage) {}
    QPainter *beginDocument(const QString &title, int copies) override
    {
        QPainter *painter = ImageTarget::beginDocument(title, copies);
        return stage_ == AtBegin ? nullptr : painter;
    }
    bool newPage() override { return stage_ != AtNewPage && ImageTarget::newPage(); }
    bool endDocument() override { return ImageTarget::endDocument() && stage_ != AtEnd; }
    QString errorString() const override { return reason; }
    QString reason;

private:
    Stage stage_;
};

} // namespace

class TestReportJob : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ScreenMetrics::setOverride(96); }

    void jobIsNamedKarvelloAndPagesCountFromOne()
    {
        ImageJob job(50);
        QCOMPARE(job->title(), QStringLiteral("Karvello"));
        QList<int> seen;
        job->onPrint = [&](TReport &r) {
            seen << r.pageNumber();
            r.newPage();
            seen << r.pageNumber();
            r.newPage();
            seen << r.pageNumber();
        };
        QVERIFY(job->run());
        QCOMPARE(seen, QList<int>({1, 2, 3}));
        QCOMPARE(job->pageCount(), 3);
        QCOMPARE(job.image->pages().size(), 3);
        QVERIFY(!job->printing());
        QVERIFY(!job->wasAborted());
    }

    void eachPageStartsUnclippedButKeepsTheClipStack()
    {
        ImageJob job(50);
        QVERIFY(job->beginDoc());
        job->pushClipRect(0, 0, 1, 1);
        job->selectClip();
        job->newPage();
        QCOMPARE(job->clipDepth(), 1);
        job->setBrush(clBlack, bsSolid);
        job->fillRect(100, 100, 110, 110);
        job->endDoc();
        QVERIFY(!isWhite(job.page(1), 105, 105));
    }

    void copiesGoToTheDeviceOnlyWhenItMakesThem()
    {
        ImageJob plain(50);
        plain->setCopies(3);
        QVERIFY(!plain->targetHandlesCopies());
        QVERIFY(plain->run());
        QCOMPARE(plain.image->copiesRequested(), 1);
        QCOMPARE(plain->copies(), 3);

        ImageJob driver(50);
        driver.image->setDriverCopies(10);
        QVERIFY(driver->targetHandlesCopies());
        QCOMPARE(driver->maxCopies(), 10);
        driver->setCopies(3);
        QVERIFY(driver->run());
        QCOMPARE(driver.image->copiesRequested(), 3);
        driver->setCopies(50);
        QVERIFY(driver->run());
        QCOMPARE(driver.image->copiesRequested(), 10);

        driver->setCopies(0);
        QCOMPARE(driver->copies(), 1);
    }

    void beforePrintRunsBeforeTheDocumentOpens()
    {
        ImageJob job(50);
        job.image->setDriverCopies(5);
        bool openDuringBefore = true;
        job->onBeforePrint = [&](TReport &r) {
            openDuringBefore = r.printing();
            r.setOrientation(poLandscape);
            r.setCopies(2);
        };
        QVERIFY(job->run());
        QVERIFY(!openDuringBefore);
        QCOMPARE(job.page().size(), QSize(550, 425));
        QCOMPARE(job.image->copiesRequested(), 2);
    }

    void statusTextFillsPageAndLines()
    {
        QCOMPARE(TReport::formatStatus(QStringLiteral("Printing Page %p\r%0\r%1"), 2,
                                       {QStringLiteral("a"), QStringLiteral("b")}),
                 QStringLiteral("Printing Page 2\na\nb"));
        QCOMPARE(TReport::formatStatus(QStringLiteral("%0 %1 %p"), 7, {QStringLiteral("%p")}),
                 QStringLiteral("%p  7"));
        QCOMPARE(TReport::formatStatus(QStringLiteral("100% done\r\n"), 1, {}), QStringLiteral("100% done\n"));

        ImageJob job(50);
        QLabel label;
        QStringList shown;
        job->setStatusLabel(&label);
        job->setStatusHandler([&](const QString &text) { shown << text; });
        job->setStatusFormat(QStringLiteral("Printing Page %p\r%0\r%1"));
        job->statusText() << QString() << QString();
        job->onPrint = [](TReport &r) {
            r.statusText()[0] = QStringLiteral("Card 1");
            r.updateStatus();
            r.newPage();
        };
        QVERIFY(job->run());
        QCOMPARE(label.text(), QStringLiteral("Printing Page 2\nCard 1\n"));
        QCOMPARE(shown, QStringList({QStringLiteral("Printing Page 1\n\n"), QStringLiteral("Printing Page 1\nCard 1\n"),
                                     QStringLiteral("Printing Page 2\nCard 1\n")}));
    }

    void abortedJobDrawsAndDeliversNothing()
    {
        ImageJob job(50);
        job->onPrint = [](TReport &r) {
            r.setBrush(clBlack, bsSolid);
            r.rectangle(1, 1, 2, 2);
            r.abort();
            QVERIFY(!r.newPage());
            r.rectangle(3, 3, 4, 4);
        };
        QVERIFY(!job->run());
        QVERIFY(job->wasAborted());
        QVERIFY(!job->printing());
        QCOMPARE(job->pageNumber(), 1);
        QVERIFY(job.image->pages().isEmpty());

        job->onPrint = nullptr;
        QVERIFY(job->run());
        QVERIFY(!job->wasAborted());
        QCOMPARE(job.image->pages().size(), 1);
    }

    void abortBeforePrintingNeverOpensTheDocument()
    {
        ImageJob job(50);
        bool printed = false;
        job->onBeforePrint = [](TReport &r) { r.abort(); };
        job->onPrint = [&](TReport &) { printed = true; };
        QVERIFY(!job->run());
        QVERIFY(!printed);
        QVERIFY(job->wasAborted());
        QCOMPARE(job->pageCount(), 0);
    }

    void failingPageLoopDiscardsTheDocument()
    {
        ImageJob job(50);
        job->onPrint = [](TReport &) { throw std::runtime_error("disk full"); };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, job->run());
        QVERIFY(!job->printing());
        QVERIFY(job->wasAborted());
        QVERIFY(job.image->pages().isEmpty());
    }

    void deviceFailuresAreFailuresWithTheirReason()
    {
        for (const auto stage : {FailingTarget::AtBegin, FailingTarget::AtNewPage, FailingTarget::AtEnd}) {
            auto target = std::make_unique<FailingTarget>(stage);
            FailingTarget *device = target.get();
            TReport job(std::move(target));
            device->reason = QStringLiteral("printer offline");
            job.onPrint = [](TReport &r) { r.newPage(); };
            QVERIFY(!job.run());
            QVERIFY(job.failed());
            QCOMPARE(job.failureReason(), QStringLiteral("printer offline"));
            QVERIFY(!job.printing());

            // A device that cannot say why still gives the user a reason.
            device->reason.clear();
            QVERIFY(!job.run());
            QVERIFY(job.failed());
            QVERIFY(!job.failureReason().isEmpty());
        }
    }

    void userAbortAndSuccessAreNoFailures()
    {
        ImageJob job(50);
        job->onPrint = [](TReport &r) { r.abort(); };
        QVERIFY(!job->run());
        QVERIFY(job->wasAborted());
        QVERIFY(!job->failed());

        job->onPrint = [](TReport &) { throw std::runtime_error("disk full"); };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, job->run());
        QVERIFY(job->failed());
        QCOMPARE(job->failureReason(), QStringLiteral("disk full"));

        // The next run starts clean.
        job->onPrint = nullptr;
        QVERIFY(job->run());
        QVERIFY(!job->failed());
        QVERIFY(job->failureReason().isEmpty());
    }

    void paperSizeFollowsThePlatformCodes()
    {
        ImageJob job(100);
        QCOMPARE(job->paperSize(), DMPAPER_LETTER);
        QVERIFY(job->setPaperSize(DMPAPER_A4));
        QCOMPARE(job->paperSize(), DMPAPER_A4);
        QVERIFY(std::abs(job->pageWidth() - 8.27) < 0.01);
        QVERIFY(std::abs(job->pageHeight() - 11.69) < 0.01);
        QVERIFY(!job->setPaperSize(5));
        QCOMPARE(job->paperSize(), DMPAPER_A4);
        QVERIFY(job->setPaperSize(DMPAPER_LETTER));
        QCOMPARE(job->pageHeight(), 11.0);
    }

    void marginsShiftEveryPosition()
    {
        ImageJob job(100);
        job->setMarginLeft(0.5);
        job->setMarginTop(0.25);
        QCOMPARE(job->toDevice(1, 1), QPoint(150, 125));
        job->setMarginLeft(0);
        job->setMarginTop(0);
        QCOMPARE(job->toDevice(1, 1), QPoint(100, 100));
    }

    void printerSetUpAndPrintDialogsGoThroughTheSeam()
    {
        auto scripted = std::make_unique<ScriptedPrinterDialogs>();
        ScriptedPrinterDialogs *dialogs = scripted.get();
        auto previous = PrinterDialogs::install(std::move(scripted));
        {
            TReport job(std::make_unique<PrinterTarget>());
            PrinterTarget *printer = job.targetAs<PrinterTarget>();
            QVERIFY(printer);
            QVERIFY(!job.targetAs<ImageTarget>());
            QCOMPARE(printer->printerIndex(), int(PrinterTarget::printerNames().indexOf(printer->printerName())));
            QVERIFY(!printer->setPrinterName(QStringLiteral("no such printer queue")));

            QVERIFY(printer->setupDialog());
            QCOMPARE(dialogs->setups, 1);
            dialogs->copies = 4;
            QVERIFY(printer->printDialog());
            QCOMPARE(printer->dialogCopies(), 4);
            QCOMPARE(printer->firstPage(), 1);
            QCOMPARE(printer->lastPage(), 9999);
            dialogs->accept = false;
            QVERIFY(!printer->printDialog());
            QCOMPARE(dialogs->prints, 2);
        }
        PrinterDialogs::install(std::move(previous));
    }
};

QTEST_MAIN(TestReportJob)
#include "tst_job.moc"
