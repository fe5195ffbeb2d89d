// Double-sided sheets: each back printed behind its own front for both
// flips on the standard stocks (read back from the PDF through pdftoppm),
// the order of the pages, and the question between the two runs on a
// printer whose sheets are turned over by hand.

#include "PrintTestSupport.h"

#include "design/SheetLayout.h"
#include "platform/QtUserDialogs.h"
#include "print/DuplexLayout.h"
#include "print/DuplexPrinting.h"
#include "print/PredefinedStock.h"
#include "print/SelectLabelsDialog.h"
#include "print/TCardSheetPrinter.h"
#include "print/TLabelPrinter.h"
#include "print/TPrintPipeline.h"
#include "report/PdfTarget.h"
#include "report/PrinterTarget.h"
#include "../support/ScriptedDialogs.h"
#include "../support/TempProgramFolder.h"

#include <QGroupBox>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace PrintTest;

namespace {

constexpr int ReadDpi = 36;

// "Print Cards" answered with "Both sides" and the flip, then the status window.
struct Script {
    TDuplexFlip flip = dfLongEdge;
    int sheets = 1;
    bool bothSidesOffered = false;

    int operator()(QDialog &dialog)
    {
        if (auto *select = qobject_cast<TSelectSpecificLabels *>(&dialog)) {
            bothSidesOffered = select->BothSidesBox->isVisibleTo(select);
            select->BothSidesBox->setChecked(flip != dfNone);
            (flip == dfShortEdge ? select->ShortEdgeButton : select->LongEdgeButton)->setChecked(true);
            select->pages->setValue(sheets);
            select->OKbuttonClick();
            return select->result();
        }
        if (auto *status = qobject_cast<TLabelPrinter *>(&dialog)) {
            status->FormActivate();
            return QDialog::Accepted;
        }
        return QDialog::Rejected;
    }
};

// A card whose front and back are each one black rectangle over the
// whole card.
struct TwoSidedCard {
    std::unique_ptr<TGBusinessCardPanel32> front = makePanel();
    std::unique_ptr<TGBusinessCardPanel32> back = makePanel();
    TCardSelection selection;
    TPrintContext context;

    explicit TwoSidedCard(const SheetLayout &layout)
    {
        front->resize(int(layout.Width * 96), int(layout.Height * 96));
        back->resize(front->size());
        addMarker(*front, 0, 0, 1);
        front->Objects().first()->SetBounds(0, 0, int(layout.Width * 96), int(layout.Height * 96));
        addMarker(*back, 0, 0, 1);
        back->Objects().first()->SetBounds(0, 0, int(layout.Width * 96), int(layout.Height * 96));
        context.Panel = front.get();
        context.BackPanel = back.get();
        context.Layout = layout;
        context.Selection = &selection;
    }
};

SheetLayout stockLayout(int index)
{
    SheetLayout layout;
    PredefinedStock::ApplyTo(index, layout);
    layout.PredefLayout = index;
    return layout;
}

QList<QImage> pdfPages(const QString &pdf, const QString &folder)
{
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    QProcess render;
    render.start(pdftoppm, {"-r", QString::number(ReadDpi), "-png", pdf, folder + "/page"});
    if (!render.waitForFinished(60000))
        return {};
    QList<QImage> pages;
    for (int n = 1;; ++n) {
        QImage page(folder + QStringLiteral("/page-%1.png").arg(n));
        if (page.isNull())
            page = QImage(folder + QStringLiteral("/page-%1.png").arg(n, 2, 10, QLatin1Char('0')));
        if (page.isNull())
            break;
        pages << page;
    }
    return pages;
}

QRect deviceRect(const QRectF &inches)
{
    return QRect(qRound(inches.left() * ReadDpi), qRound(inches.top() * ReadDpi),
                 qRound(inches.width() * ReadDpi), qRound(inches.height() * ReadDpi));
}

bool near(const QRect &a, const QRect &b)
{
    return std::abs(a.left() - b.left()) <= 1 && std::abs(a.top() - b.top()) <= 1
        && std::abs(a.right() - b.right()) <= 1 && std::abs(a.bottom() - b.bottom()) <= 1;
}

} // namespace

class TestDuplex : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }
    void cleanup() { UserDialogs::setModalRunner({}); }
    void mirroredPositionsFollowTheFlip();
    void backInkLiesBehindItsFrontOnTheStandardStocks_data();
    void backInkLiesBehindItsFrontOnTheStandardStocks();
    void pagesAlternateFrontAndBack();
    void oneSidedCardOffersNoBothSides();
    void turningByHandAsksBetweenTheRuns();
    void duplexOutlinePageNumbersBothSides();
    void pdfAndPrinterQueuesChooseTheirWay();
    void fineTuningIsMirroredAndTheBackOffsetAdded();
};

void TestDuplex::mirroredPositionsFollowTheFlip()
{
    // 2 x 5: column c goes to column 1 - c on a long-edge flip, row r to 4 - r on a short one.
    QCOMPARE(DuplexLayout::BackPosition(0, 2, 5, dfLongEdge), 1);
    QCOMPARE(DuplexLayout::BackPosition(7, 2, 5, dfLongEdge), 6);
    QCOMPARE(DuplexLayout::BackPosition(1, 2, 5, dfShortEdge), 9);
    QCOMPARE(DuplexLayout::BackPosition(4, 2, 5, dfShortEdge), 4);
    QCOMPARE(DuplexLayout::BackPosition(4, 3, 4, dfLongEdge), 4);

    // The left and right margins swap: 0.49 left and 0.42 right on this sheet.
    const QSizeF a4(8.27, 11.69);
    const QRectF front(0.49, 0.83, 3.48, 1.77);
    const QRectF back = DuplexLayout::BackRect(front, a4, dfLongEdge);
    QVERIFY(qAbs(back.left() - (8.27 - 0.49 - 3.48)) < 1e-9);
    QCOMPARE(back.top(), front.top());
    const QRectF shortBack = DuplexLayout::BackRect(front, a4, dfShortEdge);
    QCOMPARE(shortBack.left(), front.left());
    QVERIFY(qAbs(shortBack.bottom() - (11.69 - 0.83)) < 1e-9);
    // A landscape page has its long edge across: the flips change places.
    const QRectF turned = DuplexLayout::BackRect(front, a4.transposed(), dfLongEdge);
    QCOMPARE(turned.left(), front.left());
    QVERIFY(qAbs(turned.bottom() - (8.27 - 0.83)) < 1e-9);
    // The back offset moves the back alone.
    QCOMPARE(DuplexLayout::BackRect(front, a4, dfLongEdge, QPointF(0.25, -0.125)).topLeft(),
             back.topLeft() + QPointF(0.25, -0.125));
}

void TestDuplex::backInkLiesBehindItsFrontOnTheStandardStocks_data()
{
    QTest::addColumn<int>("stock");
    QTest::addColumn<int>("flip");
    for (int index = 0; index < PredefinedStock::Count; ++index) {
        const PredefinedStock::Stock &stock = PredefinedStock::At(index);
        // The first of the 2 x 5 Letter stocks and every A4 one.
        if (index != 0 && stock.Papersize != SheetLayout::PaperA4)
            continue;
        for (TDuplexFlip flip : {dfLongEdge, dfShortEdge})
            QTest::addRow("%s %s", stock.Name, flip == dfLongEdge ? "long" : "short") << index << int(flip);
    }
}

void TestDuplex::backInkLiesBehindItsFrontOnTheStandardStocks()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("pdftoppm is not installed");
    QFETCH(int, stock);
    QFETCH(int, flip);
    TempProgramFolder folder;
    QTemporaryDir dir;
    ScopedScriptedDialogs dialogs;
    const SheetLayout layout = stockLayout(stock);
    TwoSidedCard card(layout);
    // Positions that are not symmetric on the sheet (a back at its front's
    // own place would not lie behind it) and touch no other.
    for (int index : {0, 5, 9})
        card.selection.set(index);
    const QString pdf = dir.filePath("sheet.pdf");
    dialogs->saveFileNames << pdf;
    TReport job(std::make_unique<PdfTarget>());
    Script script{TDuplexFlip(flip)};
    ScopedModalRunner runner(std::ref(script));
    TPrintPipeline(job).mnuPrintClick(card.context);
    QVERIFY(script.bothSidesOffered);

    const QList<QImage> pages = pdfPages(pdf, dir.path());
    QCOMPARE(pages.size(), 2);
    // What lies behind the back page: the page turned over its edge.
    const QImage behind = pages[1].mirrored(flip == dfLongEdge, flip == dfShortEdge);
    const TSheetGeometry geometry = TSheetGeometry::FromLayout(layout);
    const QSizeF cell = geometry.CellSize(false);
    for (int r = 0; r < geometry.Down; ++r) {
        for (int c = 0; c < geometry.Across; ++c) {
            const int index = r * geometry.Across + c;
            const QRect box = deviceRect(QRectF(geometry.CardOrigin(r, c, false, 0), cell));
            const QRect area = box.adjusted(-4, -4, 4, 4);
            const QRect front = inkBox(pages[0], area);
            const QRect back = inkBox(behind, area);
            if (!card.selection.test(index)) {
                const QRect inside = box.adjusted(4, 4, -4, -4);
                QVERIFY2(inkBox(pages[0], inside).isNull() && inkBox(behind, inside).isNull(),
                         qPrintable(QStringLiteral("nothing at %1").arg(index)));
                continue;
            }
            const auto describe = [&](const QRect &ink) {
                return QStringLiteral("position %1: ink %2,%3 to %4,%5, card %6,%7 to %8,%9")
                    .arg(index).arg(ink.left()).arg(ink.top()).arg(ink.right()).arg(ink.bottom())
                    .arg(box.left()).arg(box.top()).arg(box.right()).arg(box.bottom());
            };
            QVERIFY2(near(front, box), qPrintable(describe(front)));
            QVERIFY2(near(back, box), qPrintable(QStringLiteral("back: ") + describe(back)));
        }
    }
}

void TestDuplex::pagesAlternateFrontAndBack()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("pdftoppm is not installed");
    TempProgramFolder folder;
    QTemporaryDir dir;
    ScopedScriptedDialogs dialogs;
    TwoSidedCard card(stockLayout(0));
    card.selection.set(0); // top left: its back is at the top right
    const QString pdf = dir.filePath("sheets.pdf");
    dialogs->saveFileNames << pdf;
    TReport job(std::make_unique<PdfTarget>());
    Script script{dfLongEdge, 3};
    ScopedModalRunner runner(std::ref(script));
    TPrintPipeline(job).mnuPrintClick(card.context);

    const QList<QImage> pages = pdfPages(pdf, dir.path());
    QCOMPARE(pages.size(), 6);
    const QRect topLeft = deviceRect(QRectF(0.75, 0.5, 3.5, 2.0));
    const QRect topRight = deviceRect(QRectF(4.25, 0.5, 3.5, 2.0));
    for (int n = 0; n < pages.size(); ++n) {
        const bool backPage = n % 2 == 1;
        QVERIFY2(near(inkBox(pages[n], pages[n].rect()), backPage ? topRight : topLeft),
                 qPrintable(QString::number(n + 1)));
    }
    // The choice is kept for the next run.
    QCOMPARE(DuplexLayout::Remembered(), dfLongEdge);
}

void TestDuplex::oneSidedCardOffersNoBothSides()
{
    TempProgramFolder folder;
    QTemporaryDir dir;
    ScopedScriptedDialogs dialogs;
    TwoSidedCard card(stockLayout(0));
    card.context.BackPanel = nullptr;
    card.selection.set(0);
    const QString pdf = dir.filePath("single.pdf");
    dialogs->saveFileNames << pdf;
    auto job = std::make_unique<TReport>(std::make_unique<PdfTarget>());
    Script script{dfLongEdge};
    ScopedModalRunner runner(std::ref(script));
    TPrintPipeline(*job).mnuPrintClick(card.context);
    QVERIFY(!script.bothSidesOffered);
    QCOMPARE(job->pageCount(), 1);
}

void TestDuplex::turningByHandAsksBetweenTheRuns()
{
    TempProgramFolder folder;
    ScopedScriptedDialogs dialogs;
    TwoSidedCard card(stockLayout(0));
    card.selection.set(0);
    auto job = imageJob({}, 1, ReadDpi);
    TPrintPipeline pipeline(*job);
    // A printer without a duplexer.
    pipeline.DuplexModeOf = [](TReport &) { return DuplexPrinting::dmTurnByHand; };
    Script script{dfLongEdge, 2};
    ScopedModalRunner runner(std::ref(script));

    // The real question box, answered with a click.
    std::unique_ptr<UserDialogs> scripted = UserDialogs::install(std::make_unique<QtUserDialogs>());
    QString text;
    QList<QRect> pagesBeforeTheQuestion;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !text.isEmpty())
            return;
        text = box->text();
        for (const QImage &page : imageTarget(*job).pages())
            pagesBeforeTheQuestion << inkBox(page, page.rect());
        if (QTest::qWaitForWindowExposed(box))
            QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
    });
    poll.start(20);
    pipeline.mnuPrintClick(card.context);
    poll.stop();
    UserDialogs::install(std::move(scripted));

    QCOMPARE(text, DuplexPrinting::TurnSheetsText());
    const QRect topLeft = deviceRect(QRectF(0.75, 0.5, 3.5, 2.0));
    const QRect topRight = deviceRect(QRectF(4.25, 0.5, 3.5, 2.0));
    // Both fronts before the question, both backs after it.
    QCOMPARE(pagesBeforeTheQuestion.size(), 2);
    for (const QRect &ink : pagesBeforeTheQuestion)
        QVERIFY(near(ink, topLeft));
    const QList<QImage> &backs = imageTarget(*job).pages();
    QCOMPARE(backs.size(), 2);
    for (const QImage &page : backs)
        QVERIFY(near(inkBox(page, page.rect()), topRight));
}

void TestDuplex::duplexOutlinePageNumbersBothSides()
{
    TempProgramFolder folder;
    auto panel = makePanel();
    auto job = imageJob({}, 1, ReadDpi);
    TCardSheetPrinter sheet;
    sheet.Panel = panel.get();
    sheet.Outline = true;
    sheet.Flip = dfShortEdge;
    sheet.Geometry = TSheetGeometry::FromLayout(stockLayout(0));
    sheet.Selection.reset();
    sheet.Selection.set(0);
    job->onBeforePrint = [&](TReport &j) { sheet.BeforePrintLabels(j); };
    job->onPrint = [&](TReport &j) { sheet.PrintLabels(j); };
    QVERIFY(job->run());
    const QList<QImage> &pages = imageTarget(*job).pages();
    QCOMPARE(pages.size(), 2);
    // Frame 1 at the top left, and behind it, at the bottom left, on the back.
    const QRect frontFrame = deviceRect(QRectF(0.75, 0.5, 3.5, 2.0));
    const QRect backFrame = deviceRect(QRectF(0.75, 11 - 0.5 - 2.0, 3.5, 2.0));
    QVERIFY(near(inkBox(pages[0], pages[0].rect()), frontFrame));
    QVERIFY(near(inkBox(pages[1], pages[1].rect()), backFrame));
    // Its number stands inside the frame on both pages.
    for (const auto &[page, frame] : {std::pair{pages[0], frontFrame}, std::pair{pages[1], backFrame}})
        QVERIFY(!inkBox(page, frame.adjusted(8, 8, -8, -8)).isNull());
}

void TestDuplex::pdfAndPrinterQueuesChooseTheirWay()
{
    TReport pdf(std::make_unique<PdfTarget>());
    QCOMPARE(DuplexPrinting::ModeFor(pdf), DuplexPrinting::dmAlternatePages);
    auto image = imageJob();
    QCOMPARE(DuplexPrinting::ModeFor(*image), DuplexPrinting::dmAlternatePages);
    const QString queue = QStringLiteral("KarvelloPDF");
    if (!PrinterTarget::printerNames().contains(queue))
        QSKIP("No CUPS queue \"KarvelloPDF\" (scripts/start-cups.sh starts cupsd and adds it)");
    // The PDF printer of CUPS has no duplexer: its sheets are turned by hand.
    TReport printer(std::make_unique<PrinterTarget>(queue));
    QVERIFY(!DuplexPrinting::PrinterHasDuplexer(printer));
    QCOMPARE(DuplexPrinting::ModeFor(printer), DuplexPrinting::dmTurnByHand);
}

void TestDuplex::fineTuningIsMirroredAndTheBackOffsetAdded()
{
    TempProgramFolder folder;
    folder.writeFile("kvl.ini", "[Printer]\nBackOffsetX=4\nBackOffsetY=-2\n");
    const SheetLayout layout = stockLayout(0);
    TwoSidedCard card(layout);
    auto job = imageJob({}, 1, ReadDpi);
    TCardSheetPrinter sheet;
    sheet.Panel = card.front.get();
    sheet.BackPanel = card.back.get();
    sheet.Flip = dfLongEdge;
    sheet.BackOffset = DuplexLayout::BackOffset();
    // The front moves 1/4 inch right and 1/8 inch down.
    sheet.Geometry = TSheetGeometry::FromLayout(layout, TSheetNudges{4, 8, 0, 0});
    sheet.Selection.reset();
    sheet.Selection.set(0);
    job->onBeforePrint = [&](TReport &j) { sheet.BeforePrintLabels(j); };
    job->onPrint = [&](TReport &j) { sheet.PrintLabels(j); };
    QVERIFY(job->run());
    const QList<QImage> &pages = imageTarget(*job).pages();
    QCOMPARE(pages.size(), 2);
    QVERIFY(near(inkBox(pages[0], pages[0].rect()), deviceRect(QRectF(1.0, 0.625, 3.5, 2.0))));
    // Behind it, so 1/4 inch left on the back page, then 4/32 right and 2/32 up.
    QVERIFY(near(inkBox(pages[1], pages[1].rect()), deviceRect(QRectF(4.0 + 0.125, 0.625 - 0.0625, 3.5, 2.0))));
}

QTEST_MAIN(TestDuplex)
#include "tst_duplex.moc"
