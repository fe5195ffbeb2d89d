#include "app/TMainScreen.h"
#include "app/TPrintCommands.h"
#include "platform/IniFile.h"
#include "platform/ScreenMetrics.h"
#include "platform/UserDialogs.h"
#include "print/TPrintFineTune.h"
#include "report/ImageTarget.h"
#include "report/TReport.h"
#include "../support/ScriptedDialogs.h"
#include "../support/TempProgramFolder.h"

#include <QLabel>
#include <QTest>

class TestPrintFineTune : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }
    void cleanup() { UserDialogs::setModalRunner({}); }
    void threeDownClicksIncreaseByThreeThirtySeconds();
    void valuesStopAtEightEitherWay();
    void restoreDefaultThenCancelKeepsTheNudges();
    void okWritesAllFourKeysToThePrinterSection();
};

void TestPrintFineTune::threeDownClicksIncreaseByThreeThirtySeconds()
{
    TPrintFineTune dialog(TSheetNudges{});
    QCOMPARE(dialog.lTopMarginNudge->text(), QStringLiteral("None"));
    for (int i = 0; i < 3; ++i)
        dialog.TopMarginSpinnerDownClick();
    QCOMPARE(dialog.lTopMarginNudge->text(), QStringLiteral("Increase by 3/32\""));
    QCOMPARE(dialog.Nudges().TopMarginNudge, 3);
    dialog.LeftMarginSpinnerUpClick();
    QCOMPARE(dialog.LLeftMarginNudge->text(), QStringLiteral("Decrease by 1/32\""));
    QCOMPARE(dialog.LVerticalSpacing->text(), QStringLiteral("None"));
}

void TestPrintFineTune::valuesStopAtEightEitherWay()
{
    TPrintFineTune dialog(TSheetNudges{});
    for (int i = 0; i < 9; ++i) {
        dialog.VerticalSpacingSpinnerDownClick();
        dialog.HorizontalSpacingSpinnerUpClick();
    }
    QCOMPARE(dialog.Nudges().VerticalSpacing, 8);
    QCOMPARE(dialog.Nudges().HorizontalSpacing, -8);
    QCOMPARE(dialog.LVerticalSpacing->text(), QStringLiteral("Increase by 8/32\""));
    QCOMPARE(dialog.LHorizontalSpacing->text(), QStringLiteral("Decrease by 8/32\""));
}

void TestPrintFineTune::restoreDefaultThenCancelKeepsTheNudges()
{
    TempProgramFolder folder;
    ScopedScriptedDialogs dialogs;
    TMainScreen window;
    window.Preferences().Nudges = TSheetNudges{2, -1, 3, 4};
    TPrintCommands commands(window, std::make_unique<TReport>(std::make_unique<ImageTarget>()));
    QStringList shown;
    UserDialogs::setModalRunner(modalRunnerFor<TPrintFineTune>([&shown](TPrintFineTune &tune) {
        shown << tune.lTopMarginNudge->text();
        tune.DefaultButtonClick();
        shown << tune.lTopMarginNudge->text();
        tune.CancelbuttonClick();
        return tune.result();
    }));
    window.RunCommand(TMainCommand::PrinterFineTuning);
    QCOMPARE(shown, (QStringList{QStringLiteral("Increase by 2/32\""), QStringLiteral("None")}));
    QCOMPARE(window.Preferences().Nudges, (TSheetNudges{2, -1, 3, 4}));
}

void TestPrintFineTune::okWritesAllFourKeysToThePrinterSection()
{
    TempProgramFolder folder;
    ScopedScriptedDialogs dialogs;
    TMainScreen window;
    TPrintCommands commands(window, std::make_unique<TReport>(std::make_unique<ImageTarget>()));
    UserDialogs::setModalRunner(modalRunnerFor<TPrintFineTune>([](TPrintFineTune &tune) {
        tune.TopMarginSpinnerDownClick();
        tune.LeftMarginSpinnerUpClick();
        tune.VerticalSpacingSpinnerDownClick();
        tune.VerticalSpacingSpinnerDownClick();
        tune.HorizontalSpacingSpinnerUpClick();
        tune.OKButtonClick();
        return tune.result();
    }));
    window.RunCommand(TMainCommand::PrinterFineTuning);
    QCOMPARE(window.Preferences().Nudges, (TSheetNudges{1, -1, 2, -1}));
    IniFile ini(folder.filePath(QStringLiteral("kvl.ini")));
    QCOMPARE(ini.readInteger(QStringLiteral("Printer"), QStringLiteral("TopMarginNudge"), 0), 1);
    QCOMPARE(ini.readInteger(QStringLiteral("Printer"), QStringLiteral("LeftMarginNudge"), 0), -1);
    QCOMPARE(ini.readInteger(QStringLiteral("Printer"), QStringLiteral("VerticalSpacing"), 0), 2);
    QCOMPARE(ini.readInteger(QStringLiteral("Printer"), QStringLiteral("HorizontalSpacing"), 0), -1);
}

QTEST_MAIN(TestPrintFineTune)
#include "tst_printfinetune.moc"
