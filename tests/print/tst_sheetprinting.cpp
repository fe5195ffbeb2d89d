#include "PrintTestSupport.h"

#include "print/TCardSheetPrinter.h"
#include "print/TLabelPrinter.h"
#include "print/TPreviewForm.h"
#include "print/TPrintPipeline.h"
#include "print/SelectLabelsDialog.h"
#include "print/TWarnBottomMargin.h"
#include "report/RecordedTarget.h"
#include "report/ReportPlayer.h"
#include "../support/ScriptedDialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

using namespace PrintTest;

namespace {

constexpr double Pixel = 1.0 / Dpi + 1e-9;

// Answers the print dialogs as a user pressing OK would, and remembers what
// they showed.
struct DialogScript {
    int pages = 1;
    int warningResult = QDialog::Accepted;
    bool dontShowAgain = false;
    QStringList warningTexts;
    QStringList finalStatus;
    QStringList previewCaptions;
    std::function<void(TSelectSpecificLabels &)> onSelect;

    int operator()(QDialog &dialog)
    {
        if (auto *select = qobject_cast<TSelectSpecificLabels *>(&dialog)) {
            if (onSelect)
                onSelect(*select);
            select->pages->setValue(pages);
            select->OKbuttonClick();
            return select->result();
        }
        if (auto *warning = qobject_cast<TWarnBottomMargin *>(&dialog)) {
            warningTexts << warning->BotMarg->text() << warning->Difference->text();
            warning->DontShowCheck->setChecked(dontShowAgain);
            return warningResult;
        }
        if (auto *status = qobject_cast<TLabelPrinter *>(&dialog)) {
            status->FormActivate();
            finalStatus << status->RStatusLabel->text();
            return QDialog::Accepted;
        }
        if (auto *preview = qobject_cast<TPreviewForm *>(&dialog)) {
            preview->FormActivate();
            previewCaptions << preview->windowTitle();
            return QDialog::Accepted;
        }
        return QDialog::Rejected;
    }
};

struct PrintRun {
    std::unique_ptr<TGBusinessCardPanel32> panel;
    std::unique_ptr<TReport> job;
    TCardSelection selection = AllCardsSelected();
    bool showWarning = true;
    int preferencesSaved = 0;
    TPrintContext context;

    explicit PrintRun(bool portrait = false, const ReportMargins &margins = {}, int driverCopies = 1, int dpi = Dpi)
        : panel(makePanel(portrait)), job(imageJob(margins, driverCopies, dpi))
    {
        addMarker(*panel);
        context.Panel = panel.get();
        context.Layout.Portrait = portrait;
        context.Selection = &selection;
        context.ShowBottomMarginWarning = &showWarning;
        context.SavePreferences = [this] { ++preferencesSaved; };
    }
    const QList<QImage> &pages() { return imageTarget(*job).pages(); }
    void print(DialogScript &script)
    {
        ScopedModalRunner runner(std::ref(script));
        TPrintPipeline pipeline(*job);
        pipeline.mnuPrintClick(context);
    }
};

void compareInches(QPointF actual, QPointF expected)
{
    QVERIFY2(qAbs(actual.x() - expected.x()) <= Pixel && qAbs(actual.y() - expected.y()) <= Pixel,
             qPrintable(QStringLiteral("card at (%1, %2), expected (%3, %4)")
                            .arg(actual.x()).arg(actual.y()).arg(expected.x()).arg(expected.y())));
}

} // namespace

class TestSheetPrinting : public QObject
{
    Q_OBJECT
private slots:
    void defaultSheetPutsTenCardsOnTheirPositions();
    void nudgesMoveEveryCardAndCloseUpColumns();
    void portraitCardGoesOnALandscapePage();
    void threeSheetsUseDriverCopiesWhenTheDriverMakesThem();
    void deepBottomMarginWarnsBeforePrinting();
    void deselectingTheFifthRowSuppressesTheWarning();
    void dontShowAgainSavesThePreference();
    void outlineTestPageDrawsOnlyTheCells();
    void statusCountsCardsAlongEachRow();
    void cancellingAPrintDeliversNothing();
    void previewRecordsOneOutlinedCard();
    void previewOfAPortraitCardShowsTheTopLeftCard();
    void printingRestoresTheUsersZoom();
    void positionsBeyondTheTwentySecondArePrinted();
};

void TestSheetPrinting::defaultSheetPutsTenCardsOnTheirPositions()
{
    ScopedScriptedDialogs dialogs;
    PrintRun run;
    DialogScript script;
    run.print(script);
    QCOMPARE(run.pages().size(), 1);
    const QImage &page = run.pages().first();
    QCOMPARE(countMarkerCorners(page), 10);
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 2; ++c)
            compareInches(inkCornerNear(page, 0.75 + c * 3.5, 0.5 + r * 2), QPointF(0.75 + c * 3.5, 0.5 + r * 2));
    }
    QCOMPARE(script.finalStatus, QStringList{QStringLiteral("Print job completed and sent to printer!")});
    QVERIFY(script.warningTexts.isEmpty());
    QCOMPARE(run.job->copies(), 1);
}

void TestSheetPrinting::nudgesMoveEveryCardAndCloseUpColumns()
{
    PrintRun run;
    run.context.Nudges.TopMarginNudge = 2;
    run.context.Nudges.HorizontalSpacing = -1;
    DialogScript script;
    run.print(script);
    const QImage &page = run.pages().first();
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 2; ++c) {
            const QPointF expected(0.75 + c * (3.5 - 0.03125), 0.5 + 0.0625 + r * 2);
            compareInches(inkCornerNear(page, expected.x(), expected.y()), expected);
        }
    }
}

void TestSheetPrinting::portraitCardGoesOnALandscapePage()
{
    PrintRun run(true);
    DialogScript script;
    run.print(script);
    const QImage &page = run.pages().first();
    QVERIFY(page.width() > page.height());
    QCOMPARE(countMarkerCorners(page), 10);
    // Position 0 (row 0, column 0): x = top margin, y = 8.5 - left margin - pitch.
    compareInches(inkCornerNear(page, 0.5, 8.5 - 0.75 - 3.5), QPointF(0.5, 4.25));
    // Column 1 of row 0 sits above it, row 1 to its right.
    compareInches(inkCornerNear(page, 0.5, 0.75), QPointF(0.5, 0.75));
    compareInches(inkCornerNear(page, 2.5, 4.25), QPointF(2.5, 4.25));
}

void TestSheetPrinting::threeSheetsUseDriverCopiesWhenTheDriverMakesThem()
{
    {
        PrintRun run(false, {}, 99);
        DialogScript script;
        script.pages = 3;
        run.print(script);
        QCOMPARE(imageTarget(*run.job).copiesRequested(), 3);
        QCOMPARE(run.pages().size(), 1);
        QCOMPARE(run.job->copies(), 1); // a new count must be chosen next time
    }
    {
        PrintRun run;
        DialogScript script;
        script.pages = 3;
        run.print(script);
        QCOMPARE(imageTarget(*run.job).copiesRequested(), 1);
        QCOMPARE(run.pages().size(), 3);
        for (const QImage &page : run.pages())
            QCOMPARE(countMarkerCorners(page), 10);
    }
}

void TestSheetPrinting::deepBottomMarginWarnsBeforePrinting()
{
    ReportMargins margins;
    margins.bottom = 0.66;
    PrintRun run(false, margins, 1, 600); // 0.66 inch is 396 device pixels
    DialogScript script;
    script.warningResult = QDialog::Rejected; // "Cancel Printing"
    run.print(script);
    QCOMPARE(script.warningTexts.size(), 2);
    QVERIFY2(script.warningTexts.at(0).endsWith(QStringLiteral(" 0.660 inches")), qPrintable(script.warningTexts.at(0)));
    QVERIFY2(script.warningTexts.at(1).endsWith(QStringLiteral(" 0.160 inches")), qPrintable(script.warningTexts.at(1)));
    QVERIFY(script.finalStatus.isEmpty());
    QVERIFY(run.pages().isEmpty());

    DialogScript proceed; // "Continue"
    run.print(proceed);
    QCOMPARE(proceed.warningTexts.size(), 2);
    QCOMPARE(run.pages().size(), 1);
}

void TestSheetPrinting::deselectingTheFifthRowSuppressesTheWarning()
{
    ReportMargins margins;
    margins.bottom = 0.66;
    PrintRun run(false, margins, 1, 600); // 0.66 inch is 396 device pixels
    DialogScript script;
    script.onSelect = [](TSelectSpecificLabels &dialog) { dialog.PaintBox1MouseDown(dialog.CellRect(9).center()); };
    run.print(script);
    QVERIFY(script.warningTexts.isEmpty());
    QCOMPARE(run.pages().size(), 1);
    QVERIFY(!run.selection.test(9));
    QCOMPARE(countMarkerCorners(run.pages().first()), 9);
}

void TestSheetPrinting::dontShowAgainSavesThePreference()
{
    ReportMargins margins;
    margins.bottom = 0.66;
    PrintRun run(false, margins, 1, 600); // 0.66 inch is 396 device pixels
    DialogScript script;
    script.dontShowAgain = true;
    run.print(script);
    QVERIFY(!run.showWarning);
    QCOMPARE(run.preferencesSaved, 1);
    DialogScript again;
    run.print(again);
    QVERIFY(again.warningTexts.isEmpty());
}

void TestSheetPrinting::outlineTestPageDrawsOnlyTheCells()
{
    PrintRun run;
    addMarker(*run.panel, 100, 80, 40); // would show inside the cell if objects printed
    run.selection.reset(3);
    DialogScript script;
    ScopedModalRunner runner(std::ref(script));
    TPrintPipeline pipeline(*run.job);
    pipeline.mnuPrintOutlineTestPageClick(run.context);
    QCOMPARE(run.pages().size(), 1);
    const QImage &page = run.pages().first();
    // Cell 0: its outline is there, its inside is blank.
    QVERIFY(!inkBox(page, QRect(0.75 * Dpi, 0.5 * Dpi, 4, 4)).isNull());
    QVERIFY(inkBox(page, QRect(0.75 * Dpi + 8, 0.5 * Dpi + 8, 3.5 * Dpi - 16, 2 * Dpi - 16)).isNull());
    // The deselected position 3 (row 1, column 1) is not drawn.
    QVERIFY(inkBox(page, QRect(4.25 * Dpi + 8, 2.5 * Dpi + 8, 3.5 * Dpi - 16, 2 * Dpi - 16)).isNull());
    QVERIFY(inkBox(page, QRect(7.75 * Dpi - 3, 2.5 * Dpi + 20, 6, Dpi)).isNull());
}

void TestSheetPrinting::statusCountsCardsAlongEachRow()
{
    auto panel = makePanel();
    auto job = imageJob();
    SheetLayout layout;
    layout.Across = 3;
    layout.Down = 2;
    layout.Width = 2.5f;
    layout.HPitch = 2.5f;
    TCardSheetPrinter sheet;
    sheet.Panel = panel.get();
    sheet.Geometry = TSheetGeometry::FromLayout(layout);
    QList<int> cards;
    QList<QPointF> origins;
    sheet.OnCard = [&](int card) { cards << card; };
    job->onBeforePrint = [&](TReport &j) { sheet.BeforePrintLabels(j); };
    job->onPrint = [&](TReport &j) { sheet.PrintLabels(j); };
    QVERIFY(job->run());
    QCOMPARE(cards, (QList<int>{1, 2, 3, 4, 5, 6}));
    QCOMPARE(sheet.Geometry.CardOrigin(1, 0, false, 11), QPointF(0.75, 2.5)); // card 4 starts row 2
}

void TestSheetPrinting::cancellingAPrintDeliversNothing()
{
    ScopedScriptedDialogs dialogs;
    dialogs->answers.enqueue(true); // "Cancel Business Card Printing?" Yes
    PrintRun run;
    DialogScript script;
    QString statusAfter;
    auto inner = std::ref(script);
    ScopedModalRunner runner([&](QDialog &dialog) -> int {
        if (auto *status = qobject_cast<TLabelPrinter *>(&dialog)) {
            QTimer::singleShot(0, status->CancelButton, &QPushButton::click);
            status->FormActivate();
            statusAfter = status->RStatusLabel->text();
            return int(QDialog::Rejected);
        }
        return inner(dialog);
    });
    TPrintPipeline pipeline(*run.job);
    pipeline.mnuPrintClick(run.context);
    QCOMPARE(dialogs->questions(), QStringList{QStringLiteral("Cancel Business Card Printing?")});
    QCOMPARE(statusAfter, QStringLiteral("\nBusiness Card Print Canceled!"));
    QVERIFY(run.pages().isEmpty());
}

void TestSheetPrinting::previewRecordsOneOutlinedCard()
{
    PrintRun run;
    QStringList captions;
    QString status;
    QString button;
    ScopedModalRunner runner([&](QDialog &dialog) -> int {
        if (auto *s = qobject_cast<TLabelPrinter *>(&dialog)) {
            button = s->CancelButton->text();
            s->FormActivate();
            status = s->RStatusLabel->text();
        } else if (auto *preview = qobject_cast<TPreviewForm *>(&dialog)) {
            captions << preview->windowTitle();
            preview->FormActivate();
            captions << preview->windowTitle();
            preview->ScrollBox1MouseDown(Qt::RightButton);
            captions << QString::number(preview->ZoomFactor());
            preview->ScrollBox1MouseDown(Qt::LeftButton);
            preview->ScrollBox1MouseDown(Qt::LeftButton);
            captions << QString::number(preview->ZoomFactor());
        }
        return int(QDialog::Accepted);
    });
    TPrintPipeline pipeline(*run.job);
    pipeline.mnuPreviewClick(run.context);
    QVERIFY(run.pages().isEmpty()); // nothing went to the printer
    QCOMPARE(button, QStringLiteral("Stop"));
    QVERIFY(run.panel->Preview());
    QCOMPARE(status, QStringLiteral("\nBusiness Card preview ready!\n\nNote: To save time, only a single card is previewed"));
    QCOMPARE(captions.size(), 4);
    QCOMPARE(captions.at(0), QStringLiteral("Preview Business Cards"));
    QCOMPARE(captions.at(1), QStringLiteral("Preview Page 1 of 1"));
    QVERIFY(captions.at(2).toInt() < 100);
    QVERIFY(captions.at(3).toInt() > 100);
}

void TestSheetPrinting::previewOfAPortraitCardShowsTheTopLeftCard()
{
    auto panel = makePanel(true);
    addMarker(*panel);
    auto target = std::make_unique<RecordedTarget>(SimulatedDevice(Dpi, Dpi));
    RecordedTarget *recorder = target.get();
    TReport job(std::move(target));
    TCardSheetPrinter sheet;
    sheet.Panel = panel.get();
    sheet.Printing = false;
    job.onBeforePrint = [&](TReport &j) { sheet.BeforePrintLabels(j); };
    job.onPrint = [&](TReport &j) { sheet.PrintLabels(j); };
    QVERIFY(job.run());
    QVERIFY(sheet.Selection.test(1));
    QCOMPARE(int(sheet.Selection.count()), 1);
    const QImage page = ReportPlayer(recorder->job()).render(0, Dpi);
    QVERIFY(page.width() > page.height());
    QCOMPARE(countMarkerCorners(page), 1);
    compareInches(inkCornerNear(page, 0.5, 0.75), QPointF(0.5, 0.75));
    // The silver cell outline: 2 x 3.5 inches from the card's corner.
    const auto silverNear = [&page](double x, double y) {
        for (int dy = -2; dy <= 1; ++dy) {
            const QColor c(page.pixel(int(x * Dpi), int(y * Dpi) + dy));
            if (c.red() == 0xC0 && c.green() == 0xC0 && c.blue() == 0xC0)
                return true;
        }
        return false;
    };
    QVERIFY(silverNear(1.5, 0.75));
    QVERIFY(silverNear(1.5, 4.25));
    QVERIFY(!silverNear(1.5, 2.5));
}

void TestSheetPrinting::printingRestoresTheUsersZoom()
{
    PrintRun run;
    run.panel->SetZoom(1.5f);
    float zoomWhilePrinting = 0;
    DialogScript script;
    ScopedModalRunner runner([&](QDialog &dialog) -> int {
        if (qobject_cast<TLabelPrinter *>(&dialog))
            zoomWhilePrinting = run.panel->Zoom();
        return script(dialog);
    });
    TPrintPipeline pipeline(*run.job);
    pipeline.mnuPrintClick(run.context);
    QCOMPARE(zoomWhilePrinting, 1.0f);
    QCOMPARE(run.panel->Zoom(), 1.5f);
    compareInches(inkCornerNear(run.pages().first(), 0.75, 0.5), QPointF(0.75, 0.5));
}

void TestSheetPrinting::positionsBeyondTheTwentySecondArePrinted()
{
    PrintRun run;
    run.context.Layout.Across = 4;
    run.context.Layout.Down = 10;
    run.context.Layout.Width = run.context.Layout.HPitch = 1.75f;
    run.context.Layout.Height = run.context.Layout.VPitch = 1.0f;
    run.selection.reset();
    run.selection.set(39); // last cell, row 9 column 3
    DialogScript script;
    run.print(script);
    const QImage &page = run.pages().first();
    QCOMPARE(countMarkerCorners(page), 1);
    compareInches(inkCornerNear(page, 0.75 + 3 * 1.75, 0.5 + 9), QPointF(6.0, 9.5));
}

QTEST_MAIN(TestSheetPrinting)
#include "tst_sheetprinting.moc"
