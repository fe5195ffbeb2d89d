#include "PrintTestSupport.h"

#include "print/TPrintPipeline.h"
#include "print/SelectLabelsDialog.h"
#include "../support/ScriptedDialogs.h"

#include <QSpinBox>
#include <QTest>

using namespace PrintTest;

namespace {

// The selected positions of the sheet shown.
QList<int> selectedOnSheet(const TSelectSpecificLabels &dialog)
{
    QList<int> selected;
    for (int i = 0; i < dialog.PositionCount(); ++i) {
        if (dialog.Selection.test(i))
            selected << i;
    }
    return selected;
}

QList<int> edges(const QRect &cell)
{
    return {cell.left(), cell.top(), cell.right() + 1, cell.bottom() + 1};
}

} // namespace

class TestSelectLabels : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }
    void sheetIsDrawnAtOneFifthOfItsSize();
    void noneThenClickSelectsOnlyThatCard();
    void okWithNothingSelectedExplainsAndStaysOpen();
    void okSetsCopiesAndPortraitOnTheMainJob();
    void cancelLeavesTheSelectionAsItWas();
    void everyCellOfALargeLayoutCanBeSelected();
    void wholeSheetIsShownAndClickableAtEveryScreenResolution_data();
    void wholeSheetIsShownAndClickableAtEveryScreenResolution();
};

void TestSelectLabels::sheetIsDrawnAtOneFifthOfItsSize()
{
    TSelectSpecificLabels dialog(nullptr);
    dialog.SetLayout(SheetLayout());
    QCOMPARE(edges(dialog.SheetRect()), (QList<int>{10, 10, 173, 221}));
    QCOMPARE(edges(dialog.CellRect(0)), (QList<int>{24, 19, 91, 57}));
    QCOMPARE(dialog.CellRect(1).left(), 91);
    QCOMPARE(dialog.PositionCount(), 10);

    // Selected cells are red, the others white, on the drawn sheet.
    dialog.SelectnoneClick();
    dialog.Selection.set(1);
    QImage image(dialog.PaintBox1->size(), QImage::Format_RGB32);
    image.fill(Qt::gray);
    {
        TCanvas canvas(&image);
        dialog.PaintBox1Paint(canvas);
    }
    QCOMPARE(QColor(image.pixel(dialog.CellRect(1).center())), QColor(Qt::red));
    QCOMPARE(QColor(image.pixel(dialog.CellRect(0).center())), QColor(Qt::white));
    QCOMPARE(QColor(image.pixel(15, 200)), QColor(Qt::white)); // the sheet
}

void TestSelectLabels::noneThenClickSelectsOnlyThatCard()
{
    TSelectSpecificLabels dialog(nullptr);
    dialog.SetLayout(SheetLayout());
    dialog.SelectnoneClick();
    QVERIFY(!AnyCardSelected(dialog.Selection, 10));
    dialog.PaintBox1MouseDown(QPoint(24, 19));
    QCOMPARE(selectedOnSheet(dialog), QList<int>{0});
    dialog.PaintBox1MouseDown(QPoint(91, 40)); // first pixel of the second column
    dialog.PaintBox1MouseDown(QPoint(5, 5));   // off the cards: nothing
    QCOMPARE(selectedOnSheet(dialog), (QList<int>{0, 1}));
    dialog.PaintBox1MouseDown(QPoint(30, 30)); // a second click unselects
    QCOMPARE(selectedOnSheet(dialog), QList<int>{1});
    dialog.SelectAllClick();
    QCOMPARE(selectedOnSheet(dialog).size(), 10);
}

void TestSelectLabels::okWithNothingSelectedExplainsAndStaysOpen()
{
    ScopedScriptedDialogs dialogs;
    TSelectSpecificLabels dialog(nullptr);
    dialog.SetLayout(SheetLayout());
    dialog.SelectnoneClick();
    dialog.Selection.set(10); // outside the 2 x 5 sheet: does not count
    dialog.OKbuttonClick();
    QCOMPARE(dialogs->informations(), QStringList{QStringLiteral("You must select at least one card to print")});
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isHidden() || dialog.result() == 0);
}

void TestSelectLabels::okSetsCopiesAndPortraitOnTheMainJob()
{
    auto job = imageJob();
    job->setOrientation(poLandscape);
    TSelectSpecificLabels dialog(job.get());
    dialog.SetLayout(SheetLayout());
    dialog.pages->setValue(3);
    dialog.OKbuttonClick();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(job->copies(), 3);
    QCOMPARE(job->orientation(), poPortrait);
    QCOMPARE(dialog.pages->maximum(), 99);
    QCOMPARE(dialog.pages->minimum(), 1);
}

void TestSelectLabels::cancelLeavesTheSelectionAsItWas()
{
    auto job = imageJob();
    TCardSelection selection = AllCardsSelected();
    TPrintContext context;
    context.Selection = &selection;
    ScopedModalRunner runner(modalRunnerFor<TSelectSpecificLabels>([](TSelectSpecificLabels &select) {
        select.SelectnoneClick();
        select.CancelButtonClick();
        return select.result();
    }));
    TPrintPipeline pipeline(*job);
    QVERIFY(!pipeline.DoPageSetup(context));
    QCOMPARE(selection, AllCardsSelected());
}

void TestSelectLabels::everyCellOfALargeLayoutCanBeSelected()
{
    SheetLayout layout;
    layout.Across = 10;
    layout.Down = 30;
    layout.Width = layout.HPitch = 0.75f;
    layout.Height = layout.VPitch = 0.35f;
    layout.LeftMargin = 0.5f;
    layout.TopMargin = 0.2f;
    TSelectSpecificLabels dialog(nullptr);
    dialog.SetLayout(layout);
    dialog.SelectnoneClick();
    QCOMPARE(dialog.PositionCount(), 300);
    dialog.PaintBox1MouseDown(dialog.CellRect(299).center());
    dialog.PaintBox1MouseDown(dialog.CellRect(22).center());
    QCOMPARE(selectedOnSheet(dialog), (QList<int>{22, 299}));
    QVERIFY(dialog.CellRect(299).bottom() < dialog.SheetRect().bottom());
}

void TestSelectLabels::wholeSheetIsShownAndClickableAtEveryScreenResolution_data()
{
    QTest::addColumn<int>("ppi");
    QTest::addColumn<int>("paper");
    QTest::addColumn<QList<int>>("lastCell"); // edges of position 9
    // S = 0.2 x ppi: 19.2, 24, 28.8.
    QTest::newRow("96 Letter") << 96 << int(SheetLayout::PaperLetter) << QList<int>{91, 171, 158, 209};
    QTest::newRow("120 Letter") << 120 << int(SheetLayout::PaperLetter) << QList<int>{112, 214, 196, 262};
    QTest::newRow("144 Letter") << 144 << int(SheetLayout::PaperLetter) << QList<int>{131, 252, 231, 309};
    QTest::newRow("144 A4") << 144 << int(SheetLayout::PaperA4) << QList<int>{131, 252, 231, 309};
}

void TestSelectLabels::wholeSheetIsShownAndClickableAtEveryScreenResolution()
{
    QFETCH(int, ppi);
    QFETCH(int, paper);
    QFETCH(QList<int>, lastCell);
    ScreenMetrics::setOverride(ppi);
    SheetLayout layout;
    layout.Papersize = paper;
    TSelectSpecificLabels dialog(nullptr);
    dialog.SetLayout(layout);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(edges(dialog.CellRect(9)), lastCell);

    // The sheet lies wholly inside the drawing, with room to spare.
    const QRect box = dialog.PaintBox1->rect();
    QVERIFY2(box.contains(dialog.SheetRect().adjusted(0, 0, 5, 5)),
             qPrintable(QStringLiteral("sheet bottom %1 in a drawing %2 high").arg(dialog.SheetRect().bottom()).arg(box.height())));

    // Every card is drawn (red, all selected) down to its last pixel ...
    const QImage drawn = dialog.PaintBox1->grab().toImage();
    for (int i = 0; i < dialog.PositionCount(); ++i) {
        const QPoint corner = dialog.CellRect(i).bottomRight() - QPoint(1, 1);
        QCOMPARE(QColor(drawn.pixel(corner)), QColor(Qt::red));
    }
    // ... and a click near that last pixel, on the drawing as the dialog
    // shows it, toggles exactly that card.
    dialog.SelectnoneClick();
    for (int i = 0; i < dialog.PositionCount(); ++i) {
        const QPoint corner = dialog.CellRect(i).bottomRight() - QPoint(1, 1);
        QCOMPARE(dialog.childAt(dialog.PaintBox1->mapTo(&dialog, corner)), dialog.PaintBox1);
        QTest::mouseClick(dialog.PaintBox1, Qt::LeftButton, {}, corner);
        QCOMPARE(selectedOnSheet(dialog), QList<int>{i});
        QTest::mouseClick(dialog.PaintBox1, Qt::LeftButton, {}, corner);
    }
}

QTEST_MAIN(TestSelectLabels)
#include "tst_selectlabels.moc"
