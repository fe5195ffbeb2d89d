#include "MainScreenFixture.h"

#include "app/CardClasses.h"
#include "app/TMainMenus.h"
#include "app/TMainToolBar.h"
#include "app/TPrintShopCommands.h"
#include "design/TSafeAreaGuide.h"
#include "objects/TGBusinessCardLabel.h"
#include "print/CardImageExport.h"
#include "platform/UserDialogs.h"
#include "print/TExportImageDialog.h"
#include "print/TPrintShopDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QMenu>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

namespace {

// Text two pixels from the card's top-left corner.
void addTextNearTheEdge(TGBusinessCardPanel32 &panel)
{
    auto *label = new TGBusinessCardLabel(&panel);
    panel.AddObject(label);
    label->SetCaption(QStringLiteral("Edge"));
    label->SetBounds(2, 2, 100, 20);
}

} // namespace

class TestPrintShopCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { registerCardClasses(); }
    void cleanup() { UserDialogs::setModalRunner({}); }
    void menuItemsFollowSaveAsJpg();
    void safeAreaGuideFollowsTheCardAndZoom();
    void safeAreaChoiceIsRemembered();
    void textNearTheEdgeAsksBeforeExporting();
    void bleedIsShownInMillimetresWhenTheLayoutIs();
    void pngIsExportedAtTheChosenResolution();
};

void TestPrintShopCommands::menuItemsFollowSaveAsJpg()
{
    MainScreenFixture f;
    TMainScreen &screen = f.start();
    TPrintShopCommands commands(screen);
    const QList<QAction *> items = screen.Menus->FileMenu->actions();
    const qsizetype jpg = items.indexOf(screen.Menus->SaveAsJpgItem);
    QCOMPARE(items.at(jpg + 1)->text(), QStringLiteral("Export for Print Shop..."));
    QCOMPARE(items.at(jpg + 2)->text(), QStringLiteral("Export as PNG..."));
    QVERIFY(items.at(jpg + 3)->isSeparator());
}

void TestPrintShopCommands::safeAreaGuideFollowsTheCardAndZoom()
{
    MainScreenFixture f;
    TMainScreen &screen = f.start();
    TPrintShopCommands commands(screen);
    QVERIFY(!commands.SafeAreaGuide->isVisible());
    commands.SafeAreaButton->click();
    QVERIFY(commands.SafeAreaButton->isChecked());
    QVERIFY(commands.SafeAreaGuide->isVisible());
    QCOMPARE(commands.SafeAreaGuide->geometry(), f.panel().rect());
    QCOMPARE(commands.SafeAreaGuide->SafeRect(), f.panel().rect().adjusted(12, 12, -12, -12));
    screen.ZoomIn();
    screen.ZoomIn();
    QCOMPARE(commands.SafeAreaGuide->geometry(), f.panel().rect());
    QCOMPARE(commands.SafeAreaGuide->SafeRect(), f.panel().rect().adjusted(15, 15, -15, -15)); // 1/8 inch at 125 %
    // The card's own picture never shows it.
    const QImage card = f.panel().RenderToBitmap();
    QCOMPARE(card.pixel(14, 40), qRgb(255, 255, 255));
    commands.SafeAreaButton->click();
    QVERIFY(!commands.SafeAreaGuide->isVisible());
}

void TestPrintShopCommands::safeAreaChoiceIsRemembered()
{
    MainScreenFixture f;
    {
        TPrintShopCommands commands(f.start());
        QVERIFY(!commands.SafeAreaButton->isChecked());
        commands.SafeAreaButton->click();
    }
    {
        TPrintShopCommands commands(f.start());
        QVERIFY(commands.SafeAreaButton->isChecked());
        QVERIFY(commands.SafeAreaGuide->isVisible());
        commands.SafeAreaButton->click();
    }
    TPrintShopCommands commands(f.start());
    QVERIFY(!commands.SafeAreaButton->isChecked());
    QVERIFY(!commands.SafeAreaGuide->isVisible());
}

void TestPrintShopCommands::textNearTheEdgeAsksBeforeExporting()
{
    MainScreenFixture f;
    TMainScreen &screen = f.start();
    TPrintShopCommands commands(screen);
    addTextNearTheEdge(f.panel());
    UserDialogs::setModalRunner([](QDialog &dialog) {
        auto &options = dynamic_cast<TPrintShopDialog &>(dialog);
        options.CropMarksCheck->setChecked(true);
        return int(QDialog::Accepted);
    });
    const QString pdf = f.folder.filePath(QStringLiteral("card.pdf"));

    f.dialogs->answers << false;
    commands.ExportForPrintShopClick();
    QCOMPARE(f.dialogs->questions(),
             QStringList{QStringLiteral("Some text lies within 1/8 inch of the card's edge and may be cut off. Export anyway?")});
    QVERIFY(f.dialogs->fileRequests.isEmpty());
    QVERIFY(!QFile::exists(pdf));

    f.dialogs->answers << true;
    f.dialogs->saveFileNames << pdf;
    commands.ExportForPrintShopClick();
    QVERIFY(QFile::exists(pdf));
    QCOMPARE(f.dialogs->fileRequests.last().defaultSuffix, QStringLiteral("pdf"));
    QVERIFY(PrintShopExport::Remembered().CropMarks);
    QVERIFY(f.dialogs->informations().isEmpty());
}

void TestPrintShopCommands::bleedIsShownInMillimetresWhenTheLayoutIs()
{
    MainScreenFixture f;
    TMainScreen &screen = f.start();
    TPrintShopCommands commands(screen);
    SheetLayoutSetting layout = screen.Layout();
    layout.UseMM = true;
    screen.SetLayout(layout);
    PrintShopExport::Options chosen;
    QString suffix;
    double shown = 0;
    UserDialogs::setModalRunner([&](QDialog &dialog) {
        auto &options = dynamic_cast<TPrintShopDialog &>(dialog);
        suffix = options.BleedEdit->suffix();
        shown = options.BleedEdit->value();
        options.BleedEdit->setValue(6.0);
        chosen = options.Options();
        return int(QDialog::Rejected);
    });
    commands.ExportForPrintShopClick();
    QCOMPARE(suffix, QStringLiteral(" mm"));
    QCOMPARE(shown, 3.2); // 1/8 inch
    QCOMPARE(chosen.Bleed, 17.0 / 72); // 6 mm to the nearest half point
    QVERIFY(f.dialogs->fileRequests.isEmpty());
}

void TestPrintShopCommands::pngIsExportedAtTheChosenResolution()
{
    MainScreenFixture f;
    TMainScreen &screen = f.start();
    TPrintShopCommands commands(screen);
    addTextNearTheEdge(f.panel()); // pictures are not cut: no question
    UserDialogs::setModalRunner([](QDialog &dialog) {
        dynamic_cast<TExportImageDialog &>(dialog).DpiEdit->setValue(600);
        return int(QDialog::Accepted);
    });
    const QString png = f.folder.filePath(QStringLiteral("card.png"));
    f.dialogs->saveFileNames << png;
    commands.ExportAsPngClick();
    QVERIFY(f.dialogs->questions().isEmpty());
    const QImage picture(png);
    QCOMPARE(picture.size(), QSize(2100, 1200));
    QCOMPARE(CardImageExport::Remembered().Dpi, 600);
}

QTEST_MAIN(TestPrintShopCommands)
#include "tst_printshopcommands.moc"
