#include "platform/AppRoutines.h"
#include "platform/FormPlacement.h"
#include "platform/IniFile.h"
#include "platform/ScreenMetrics.h"
#include "platform/UserDialogs.h"
#include "support/TempProgramFolder.h"

#include <QDialog>
#include <QMainWindow>
#include <QTest>
#include <QVBoxLayout>

// A form with a class name of its own, as the main window has.
class TPlacedForm : public QMainWindow
{
    Q_OBJECT
};

class TestFormPlacement : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { ScreenMetrics::resetOverride(); }
    void sectionNamesCarryPixelsPerInchAbove96();
    void placementRoundTripsThroughItsSection();
    void screensOf120PixelsPerInchKeepTheirOwnPlacement();
    void rectanglePastTheRightEdgeIsShiftedLeft();
    void rectangleAboveAndLeftOfTheScreenIsMovedOn();
    void nothingStoredCentresTheForm();
    void storedMaximisedStateMaximises();
    void dialogsAreCentredOverTheMainWindow();
    void dialogThatWouldLeaveTheScreenIsCentredOnIt();
    void dialogsAreCentredByTheSizeTheirLayoutGives();
    void dialogGrownAfterPlacingIsCentredAgainWhenShown();
    void dialogLargerThanTheScreenIsMadeToFit();
};

void TestFormPlacement::sectionNamesCarryPixelsPerInchAbove96()
{
    QCOMPARE(PlacementSection("TMainScreen", 96), QStringLiteral("TMainScreen_Placement"));
    QCOMPARE(PlacementSection("TMainScreen", 72), QStringLiteral("TMainScreen_Placement"));
    QCOMPARE(PlacementSection("TMainScreen", 120), QStringLiteral("TMainScreen_Placement120"));
}

void TestFormPlacement::placementRoundTripsThroughItsSection()
{
    TempProgramFolder folder;
    ScreenMetrics::setOverride(96, QSize(1280, 900));
    TPlacedForm form;
    form.setGeometry(50, 60, 400, 300);
    QVERIFY(SaveFormPlacement(form));
    const IniFile ini(SettingsFileName());
    QCOMPARE(ini.readSectionValues("TPlacedForm_Placement"),
             QStringList({"Left=50", "Top=60", "Right=450", "Bottom=360", "Maximized=0"}));
    TPlacedForm again;
    RestoreFormPlacement(again);
    QCOMPARE(again.geometry(), QRect(50, 60, 400, 300));
}

void TestFormPlacement::screensOf120PixelsPerInchKeepTheirOwnPlacement()
{
    TempProgramFolder folder;
    ScreenMetrics::setOverride(96, QSize(1280, 900));
    TPlacedForm form;
    form.setGeometry(10, 20, 300, 200);
    SaveFormPlacement(form);
    ScreenMetrics::setOverride(120, QSize(1280, 900));
    form.setGeometry(100, 120, 500, 400);
    SaveFormPlacement(form);
    const IniFile ini(SettingsFileName());
    QCOMPARE(ini.readInteger("TPlacedForm_Placement", "Left", 0), 10);
    QCOMPARE(ini.readInteger("TPlacedForm_Placement120", "Left", 0), 100);
    ScreenMetrics::setOverride(96, QSize(1280, 900));
    TPlacedForm again;
    RestoreFormPlacement(again);
    QCOMPARE(again.geometry(), QRect(10, 20, 300, 200));
}

void TestFormPlacement::rectanglePastTheRightEdgeIsShiftedLeft()
{
    QCOMPARE(KeepOnScreen(QRect(900, 100, 600, 400), QSize(1280, 900)),
             QRect(680, 100, 600, 400));
    QCOMPARE(KeepOnScreen(QRect(100, 700, 600, 400), QSize(1280, 900)),
             QRect(100, 500, 600, 400));
    TempProgramFolder folder;
    folder.writeFile("kvl.ini",
                     "[TPlacedForm_Placement]\nLeft=1500\nTop=50\nRight=2100\nBottom=450\n");
    ScreenMetrics::setOverride(96, QSize(1280, 900));
    TPlacedForm form;
    RestoreFormPlacement(form);
    QCOMPARE(form.geometry(), QRect(680, 50, 600, 400));
}

void TestFormPlacement::rectangleAboveAndLeftOfTheScreenIsMovedOn()
{
    QCOMPARE(KeepOnScreen(QRect(-40, -10, 300, 200), QSize(1280, 900)), QRect(1, 1, 300, 200));
    // Wider than the screen: the left edge wins.
    QCOMPARE(KeepOnScreen(QRect(0, 0, 1400, 200), QSize(1280, 900)).left(), 1);
}

void TestFormPlacement::nothingStoredCentresTheForm()
{
    TempProgramFolder folder;
    ScreenMetrics::setOverride(96, QSize(1280, 900));
    TPlacedForm form;
    form.resize(600, 400);
    RestoreFormPlacement(form);
    QCOMPARE(form.geometry(), QRect(340, 250, 600, 400));
}

void TestFormPlacement::storedMaximisedStateMaximises()
{
    TempProgramFolder folder;
    folder.writeFile("kvl.ini", "[TPlacedForm_Placement]\nLeft=5\nTop=5\nRight=300\n"
                                "Bottom=300\nMaximized=1\n");
    TPlacedForm form;
    RestoreFormPlacement(form);
    QVERIFY(form.windowState() & Qt::WindowMaximized);
}

void TestFormPlacement::dialogsAreCentredOverTheMainWindow()
{
    ScreenMetrics::setOverride(96, QSize(1280, 900));
    TPlacedForm main;
    main.setGeometry(100, 100, 800, 600);
    UserDialogs::setParentWidget(&main);
    QDialog dialog;
    dialog.resize(300, 200);
    CenterForm(dialog);
    QCOMPARE(dialog.pos(), QPoint(350, 300));
    PlaceDialog(dialog);
    QCOMPARE(dialog.pos(), QPoint(350, 300));
    UserDialogs::setParentWidget(nullptr);
}

void TestFormPlacement::dialogThatWouldLeaveTheScreenIsCentredOnIt()
{
    ScreenMetrics::setOverride(96, QSize(1280, 900));
    TPlacedForm main;
    main.setGeometry(900, 600, 300, 200);
    UserDialogs::setParentWidget(&main);
    QDialog dialog;
    dialog.resize(600, 500);
    CenterForm(dialog);
    QCOMPARE(dialog.pos(), QPoint(680, 400)); // as near the main window's centre as the screen allows
    PlaceDialog(dialog);
    QCOMPARE(dialog.pos(), QPoint(340, 200));
    QDialog tiny;
    tiny.resize(80, 60);
    PlaceDialog(tiny);
    QCOMPARE(tiny.pos(), QPoint(600, 420));
    UserDialogs::setParentWidget(nullptr);
}

namespace {

// A dialog whose layout makes it `size` (plus margins) once laid out.
QWidget *addContent(QDialog &dialog, QSize size)
{
    auto *content = new QWidget(&dialog);
    content->setFixedSize(size);
    auto *layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    return content;
}

} // namespace

void TestFormPlacement::dialogsAreCentredByTheSizeTheirLayoutGives()
{
    ScreenMetrics::setOverride(96, QSize(1280, 900));
    TPlacedForm main;
    main.setGeometry(100, 100, 800, 600);
    UserDialogs::setParentWidget(&main);
    for (auto place : {&CenterForm, &PlaceDialog}) {
        QDialog dialog(&main);
        addContent(dialog, QSize(400, 300));
        place(dialog);
        QCOMPARE(dialog.geometry(), QRect(300, 250, 400, 300));
    }
    UserDialogs::setParentWidget(nullptr);
}

void TestFormPlacement::dialogGrownAfterPlacingIsCentredAgainWhenShown()
{
    ScreenMetrics::setOverride(96, QSize(1280, 900));
    TPlacedForm main;
    main.setGeometry(100, 100, 800, 600);
    UserDialogs::setParentWidget(&main);
    QDialog dialog(&main);
    QWidget *content = addContent(dialog, QSize(400, 300));
    CenterForm(dialog);
    content->setFixedSize(600, 500); // contents set after placing
    dialog.show();
    QCOMPARE(QRect(dialog.pos(), dialog.size()), QRect(200, 150, 600, 500));
    // Once shown, the user's placement is left alone.
    dialog.move(10, 10);
    dialog.hide();
    dialog.show();
    QCOMPARE(dialog.pos(), QPoint(10, 10));
    UserDialogs::setParentWidget(nullptr);
}

void TestFormPlacement::dialogLargerThanTheScreenIsMadeToFit()
{
    ScreenMetrics::setOverride(96, QSize(1280, 900));
    TPlacedForm main;
    main.setGeometry(100, 100, 800, 600);
    UserDialogs::setParentWidget(&main);
    QDialog dialog(&main);
    auto *layout = new QVBoxLayout(&dialog);
    auto *content = new QWidget(&dialog);
    content->setMinimumSize(300, 200);
    layout->addWidget(content);
    dialog.resize(700, 1200);
    CenterForm(dialog);
    QCOMPARE(dialog.geometry(), QRect(150, 0, 700, 900));
    UserDialogs::setParentWidget(nullptr);
}

QTEST_MAIN(TestFormPlacement)
#include "tst_formplacement.moc"
