#include "platform/ScreenMetrics.h"
#include "print/LengthEdit.h"
#include "print/PredefinedStock.h"
#include "print/TEditCardLayout.h"
#include "support/ScriptedDialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

namespace {

const QString GlossyName =
    QStringLiteral("Avery Business Card 8373 Glossy Photo Quality (Letter Size Paper)");
const QString FormtecName = QStringLiteral("Formtec LS-3510 (A4 Size Paper)");

SheetLayoutSetting inInches(const SheetLayout &layout = SheetLayout())
{
    return {layout, false};
}

void chooseStock(TEditCardLayout &dialog, const QString &name)
{
    const int position = dialog.PredefinedLayouts->findText(name);
    QVERIFY(position >= 0);
    dialog.PredefinedLayouts->setCurrentIndex(position);
}

// The text a length edit should show for a number, in the edit's own locale.
QString shown(const LengthEdit *edit, double number, int decimals)
{
    return edit->locale().toString(number, 'f', decimals);
}

} // namespace

class TestEditCardLayout : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }
    void cleanup() { ScreenMetrics::resetOverride(); }

    void opensOnTheLayoutsOwnStockAndValues()
    {
        SheetLayout layout;
        layout.PredefLayout = 14;
        layout.Width = 3.25f;
        layout.Down = 4;
        layout.Papersize = SheetLayout::PaperA4;
        layout.Portrait = true;
        TEditCardLayout dialog(inInches(layout));
        QCOMPARE(dialog.windowTitle(), "Business Card Layout");
        QCOMPARE(dialog.PredefinedLayouts->count(), PredefinedStock::Count);
        QCOMPARE(dialog.PredefinedLayouts->currentText(), GlossyName);
        QCOMPARE(dialog.PredefinedLayouts->maxVisibleItems(), 21);
        QCOMPARE(dialog.eCardwidth->value(), 3.25);
        QCOMPARE(dialog.eCardwidth->text(), shown(dialog.eCardwidth, 3.25, 2));
        QCOMPARE(dialog.eCardHeight->text(), shown(dialog.eCardHeight, 2.0, 0));
        QCOMPARE(dialog.enbrdown->value(), 4);
        QCOMPARE(dialog.epapersize->currentText(), "A4 (210 x 297mm)");
        QVERIFY(dialog.ePortrait->isChecked());
        QVERIFY(dialog.Inchesbutton->isChecked());
        QVERIFY(dialog.OkButton->isDefault());
        // Opening did not count as choosing a stock: the layout's own width stays.
        QVERIFY(dialog.OkButtonClick());
        QCOMPARE(dialog.Layout().Width, 3.25f);
        QCOMPARE(dialog.Layout().PredefLayout, 14);
    }

    void paperItemsAreLetterA4AndBlank()
    {
        TEditCardLayout dialog(inInches());
        QCOMPARE(dialog.epapersize->count(), 3);
        QCOMPARE(dialog.epapersize->itemText(0), "Letter (8.5 x 11\")");
        QCOMPARE(dialog.epapersize->itemText(1), "A4 (210 x 297mm)");
        QCOMPARE(dialog.epapersize->itemText(2), QString());
        QCOMPARE(dialog.epapersize->currentIndex(), 0);
        dialog.epapersize->setCurrentIndex(1);
        QVERIFY(dialog.OkButtonClick());
        QCOMPARE(dialog.Layout().Papersize, SheetLayout::PaperA4);
    }

    void choosingGlossyStockFillsTwoAcrossFourDown()
    {
        ScopedScriptedDialogs dialogs;
        SheetLayout layout;
        layout.Papersize = SheetLayout::PaperA4;
        layout.Across = 1;
        TEditCardLayout dialog(inInches(layout));
        chooseStock(dialog, GlossyName);
        QCOMPARE(dialog.enbracross->value(), 2);
        QCOMPARE(dialog.enbrdown->value(), 4);
        QCOMPARE(dialog.etopmarg->value(), 0.75);
        QCOMPARE(dialog.eleftmarg->value(), 0.55);
        QCOMPARE(dialog.eHorizPitch->value(), 4.0);
        QCOMPARE(dialog.eVertPitch->value(), 2.496);
        QCOMPARE(dialog.epapersize->currentIndex(), 0);
        QVERIFY(dialog.OkButtonClick());
        const SheetLayout &chosen = dialog.Layout();
        QCOMPARE(chosen.PredefLayout, 14);
        QCOMPARE(chosen.Across, 2);
        QCOMPARE(chosen.Down, 4);
        QCOMPARE(chosen.TopMargin, 0.75f);
        QCOMPARE(chosen.LeftMargin, 0.55f);
        QCOMPARE(chosen.HPitch, 4.0f);
        QCOMPARE(chosen.VPitch, 2.496f);
        QCOMPARE(chosen.Papersize, SheetLayout::PaperLetter);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialogs->messages.isEmpty());
    }

    void formtecPitchWiderThanTheCardIsAccepted()
    {
        ScopedScriptedDialogs dialogs;
        TEditCardLayout dialog(inInches());
        chooseStock(dialog, FormtecName);
        QVERIFY(dialog.OkButtonClick());
        QVERIFY(dialogs->messages.isEmpty());
        QCOMPARE(dialog.Layout().Width, 3.48f);
        QCOMPARE(dialog.Layout().Height, 1.77f);
        QCOMPARE(dialog.Layout().HPitch, 3.88f);
        QCOMPARE(dialog.Layout().Papersize, SheetLayout::PaperA4);
        QCOMPARE(dialog.Layout().PredefLayout, 19);
    }

    void choosingAStockKeepsTheOrientationTheUserPicked()
    {
        TEditCardLayout dialog(inInches());
        dialog.ePortrait->click();
        chooseStock(dialog, FormtecName);
        QVERIFY(dialog.ePortrait->isChecked());
        QVERIFY(dialog.OkButtonClick());
        QVERIFY(dialog.Layout().Portrait);
    }

    void millimetresShowTheSameLengths()
    {
        TEditCardLayout dialog(inInches());
        dialog.MMButton->click();
        QCOMPARE(dialog.eCardwidth->value(), 88.9);
        QCOMPARE(dialog.eCardwidth->text(), shown(dialog.eCardwidth, 88.9, 1));
        QCOMPARE(dialog.eCardwidth->decimals(), 2);
        QCOMPARE(dialog.eleftmarg->value(), 19.05);
        dialog.Inchesbutton->click();
        QCOMPARE(dialog.eCardwidth->value(), 3.5);
        QCOMPARE(dialog.eCardwidth->text(), shown(dialog.eCardwidth, 3.5, 1));
        QCOMPARE(dialog.eCardHeight->text(), shown(dialog.eCardHeight, 2.0, 1));
        QCOMPARE(dialog.eCardwidth->decimals(), 3);
    }

    void typedInchesSurviveASwitchToMillimetresAndBack()
    {
        TEditCardLayout dialog(inInches());
        dialog.eCardwidth->setValue(2.125);
        dialog.MMButton->click();
        dialog.Inchesbutton->click();
        QCOMPARE(dialog.eCardwidth->value(), 2.125);
        QVERIFY(dialog.OkButtonClick());
        QCOMPARE(dialog.Layout().Width, 2.125f);
    }

    void millimetresAreStoredAsInchesToTheThousandth()
    {
        TEditCardLayout dialog({SheetLayout(), true});
        QVERIFY(dialog.MMButton->isChecked());
        QCOMPARE(dialog.eCardwidth->value(), 88.9);
        dialog.eCardwidth->setValue(88.9);
        dialog.eVertPitch->setValue(63.4); // 2.49606 in
        QVERIFY(dialog.OkButtonClick());
        QCOMPARE(dialog.Layout().Width, 3.5f);
        QCOMPARE(dialog.Layout().VPitch, 2.496f);
        QVERIFY(dialog.Setting().UseMM);
    }

    void stockChosenInMillimetresKeepsItsExactLengths()
    {
        TEditCardLayout dialog({SheetLayout(), true});
        chooseStock(dialog, GlossyName);
        QCOMPARE(dialog.eVertPitch->value(), 63.4);
        QCOMPARE(dialog.eleftmarg->value(), 13.97);
        QVERIFY(dialog.OkButtonClick());
        QCOMPARE(dialog.Layout().VPitch, 2.496f);
        QCOMPARE(dialog.Layout().LeftMargin, 0.55f);
    }

    void leavingTheCardSizeRaisesASmallerPitch()
    {
        TEditCardLayout dialog(inInches());
        dialog.eCardwidth->setValue(3.75);
        emit dialog.eCardwidth->editingFinished();
        QCOMPARE(dialog.eHorizPitch->value(), 3.75);
        dialog.eCardwidth->setValue(3.0);
        emit dialog.eCardwidth->editingFinished();
        QCOMPARE(dialog.eHorizPitch->value(), 3.75);
        dialog.MMButton->click();
        dialog.eCardHeight->setValue(60.0); // vertical pitch shows 50.8
        emit dialog.eCardHeight->editingFinished();
        QCOMPARE(dialog.eVertPitch->value(), 60.0);
    }

    void invalidLayoutIsRefusedWithItsReason_data()
    {
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("hPitch");
        QTest::addColumn<double>("vPitch");
        QTest::addColumn<QString>("message");
        QTest::newRow("short card") << 0.25 << 3.5 << 3.5 << 2.0
                                    << "Card Height must be at least .3 inches (or 7mm)";
        QTest::newRow("short and narrow card")
            << 0.2 << 0.2 << 3.5 << 2.0 << "Card Height must be at least .3 inches (or 7mm)";
        QTest::newRow("narrow card") << 2.0 << 0.499 << 3.5 << 2.0
                                     << "Card Width must be at least .5 inch (or 13mm)";
        QTest::newRow("columns overlap") << 2.0 << 3.5 << 3.4 << 2.0
                                         << "Horizontal Pitch must be at least = Card Width";
        QTest::newRow("rows overlap") << 2.0 << 3.5 << 3.5 << 1.999
                                      << "Vertical Pitch must be at least = Card Height";
        // Larger cards would not read back from a document or the settings.
        QTest::newRow("tall card") << 22.001 << 3.5 << 3.5 << 30.0
                                   << "Card Height must be at most 22 inches (or 558mm)";
        QTest::newRow("wide card") << 2.0 << 22.5 << 30.0 << 2.0
                                   << "Card Width must be at most 22 inches (or 558mm)";
    }
    void invalidLayoutIsRefusedWithItsReason()
    {
        QFETCH(double, height);
        QFETCH(double, width);
        QFETCH(double, hPitch);
        QFETCH(double, vPitch);
        QFETCH(QString, message);
        ScopedScriptedDialogs dialogs;
        TEditCardLayout dialog(inInches());
        dialog.eCardHeight->setValue(height);
        dialog.eCardwidth->setValue(width);
        dialog.eHorizPitch->setValue(hPitch);
        dialog.eVertPitch->setValue(vPitch);
        QVERIFY(!dialog.OkButtonClick());
        QCOMPARE(dialogs->informations(), QStringList{message});
        QCOMPARE(dialogs->messages.first().caption, "Information");
        QCOMPARE(dialog.result(), int(QDialog::Rejected)); // still open
        QCOMPARE(dialog.eCardHeight->value(), height);     // with the user's values
        dialog.eCardHeight->setValue(2.0);
        dialog.eCardwidth->setValue(3.5);
        dialog.eHorizPitch->setValue(3.5);
        dialog.eVertPitch->setValue(2.0);
        QVERIFY(dialog.OkButtonClick());
    }

    void smallestCardIsAccepted()
    {
        ScopedScriptedDialogs dialogs;
        TEditCardLayout dialog(inInches());
        dialog.eCardHeight->setValue(0.3);
        dialog.eCardwidth->setValue(0.5);
        QVERIFY(dialog.OkButtonClick());
        QVERIFY(dialogs->messages.isEmpty());
    }

    void largestCardAndEveryStockAreLayoutsThatReadBack()
    {
        ScopedScriptedDialogs dialogs;
        TEditCardLayout dialog(inInches());
        dialog.eCardHeight->setValue(22.0);
        dialog.eCardwidth->setValue(22.0);
        dialog.eHorizPitch->setValue(22.0);
        dialog.eVertPitch->setValue(22.0);
        QVERIFY(dialog.OkButtonClick());
        QVERIFY(dialog.Layout().WithinLimits());
        for (int stock = 0; stock < PredefinedStock::Count; ++stock) {
            SheetLayout layout;
            PredefinedStock::ApplyTo(stock, layout);
            QVERIFY2(layout.WithinLimits(), qPrintable(QString::number(stock)));
        }
    }

    void singleColumnOrRowMayHaveAnyPitch()
    {
        ScopedScriptedDialogs dialogs;
        TEditCardLayout dialog(inInches());
        dialog.enbracross->setValue(1);
        dialog.enbrdown->setValue(1);
        dialog.eHorizPitch->setValue(1.0);
        dialog.eVertPitch->setValue(0.5);
        QVERIFY(dialog.OkButtonClick());
        QVERIFY(dialogs->messages.isEmpty());
        QCOMPARE(dialog.Layout().HPitch, 1.0f);
        QCOMPARE(dialog.Layout().Across, 1);
    }

    void countStillBeingTypedIsTakenOnOk()
    {
        TEditCardLayout dialog(inInches());
        dialog.enbrdown->findChild<QLineEdit *>()->setText(QStringLiteral("3"));
        QVERIFY(dialog.OkButtonClick());
        QCOMPARE(dialog.Layout().Down, 3);
        QCOMPARE(dialog.enbracross->maximum(), 10);
        QCOMPARE(dialog.enbrdown->maximum(), 30);
    }

    void storedStockOutsideTheTableShowsTheSecondEntry()
    {
        SheetLayout layout;
        layout.PredefLayout = 40;
        layout.Width = 3.0f;
        layout.HPitch = 3.25f;
        TEditCardLayout dialog(inInches(layout));
        QCOMPARE(dialog.PredefinedLayouts->currentIndex(), 1);
        QCOMPARE(dialog.eCardwidth->value(), 3.0); // the stored lengths, not the stock's
        QCOMPARE(dialog.eHorizPitch->value(), 3.25);
        QVERIFY(dialog.OkButtonClick());
        QCOMPARE(dialog.Layout().PredefLayout, PredefinedStock::DisplayToLayout(1));
        QCOMPARE(dialog.Layout().Width, 3.0f);
    }

    void unknownPaperCodeIsKept()
    {
        SheetLayout layout;
        layout.Papersize = 5;
        TEditCardLayout dialog(inInches(layout));
        QCOMPARE(dialog.epapersize->currentIndex(), -1);
        QVERIFY(dialog.OkButtonClick());
        QCOMPARE(dialog.Layout().Papersize, 5);
    }

    void cancelClosesWithoutAccepting()
    {
        TEditCardLayout dialog(inInches());
        QSignalSpy help(&dialog, &TEditCardLayout::HelpRequested);
        dialog.HelpButton->click();
        QCOMPARE(help.size(), 1);
        QCOMPARE(help.first().first().toInt(), 3101);
        dialog.CancelButton->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestEditCardLayout)
#include "tst_editcardlayout.moc"
