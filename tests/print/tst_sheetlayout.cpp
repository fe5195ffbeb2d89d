#include "design/SheetLayout.h"
#include "design/SheetLayoutIni.h"
#include "platform/IniFile.h"
#include "platform/ScreenMetrics.h"
#include "print/PredefinedStock.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"

#include <QtTest>

using SheetLayoutIni::Store;

namespace {

const QString Layout = QStringLiteral("Layout");

int stockIndexNamed(const QString &name)
{
    return PredefinedStock::LayoutNames().indexOf(name);
}

SheetLayoutSetting glossyInMillimetres()
{
    SheetLayoutSetting setting;
    PredefinedStock::ApplyTo(14, setting.Layout);
    setting.Layout.PredefLayout = 14;
    setting.Layout.Portrait = true;
    setting.UseMM = true;
    return setting;
}

} // namespace

class TestSheetLayout : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }
    void cleanup() { ScreenMetrics::resetOverride(); }

    void newLayoutIsATwoByFiveLetterSheetOfStandardCards()
    {
        const SheetLayout layout;
        QCOMPARE(layout.Width, 3.5f);
        QCOMPARE(layout.Height, 2.0f);
        QCOMPARE(layout.Across, 2);
        QCOMPARE(layout.Down, 5);
        QCOMPARE(layout.TopMargin, 0.5f);
        QCOMPARE(layout.LeftMargin, 0.75f);
        QCOMPARE(layout.HPitch, 3.5f);
        QCOMPARE(layout.VPitch, 2.0f);
        QCOMPARE(layout.PredefLayout, 0);
        QCOMPARE(layout.Papersize, SheetLayout::PaperLetter);
        QVERIFY(!layout.Portrait);
    }

    void stockTableKeepsItsStoredOrder()
    {
        const QStringList names = PredefinedStock::LayoutNames();
        QCOMPARE(names.size(), PredefinedStock::Count);
        QCOMPARE(names.first(), "Avery Business Card 5371 (Letter Size Paper)");
        QCOMPARE(names.at(13), "Avery Business Card L7419 (A4)");
        QCOMPARE(names.at(14), "Avery Business Card 8373 Glossy Photo Quality (Letter Size Paper)");
        QCOMPARE(names.at(19), "Formtec LS-3510 (A4 Size Paper)");
        QCOMPARE(names.last(), "Avery Business Card 8871 Clean Edge Ink Jet (Letter Size Paper)");
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), PredefinedStock::Count);
    }

    void stockLengthsAreSinglePrecisionValues()
    {
        const PredefinedStock::Stock &l7414 = PredefinedStock::At(10);
        QCOMPARE(l7414.Height, 2.047f);
        QVERIFY(double(l7414.Height) != 2.047); // the float, not the decimal
        QCOMPARE(l7414.TopMargin, 0.728f);
        QCOMPARE(l7414.Papersize, SheetLayout::PaperA4);
        const PredefinedStock::Stock &herma = PredefinedStock::At(20);
        QCOMPARE(herma.Width, 3.3f);
        QCOMPARE(herma.LeftMargin, 0.73f);
    }

    void dropDownListsStocksByProductNumber()
    {
        const QStringList display = PredefinedStock::DisplayNames();
        QCOMPARE(display.size(), PredefinedStock::Count);
        QCOMPARE(display.first(), "Avery Business Card 3612 (Letter Size Paper)");
        QCOMPARE(display.at(1), "Avery Business Card 5371 (Letter Size Paper)");
        QCOMPARE(display.at(5), "Avery Business Card 5881 Color Laser (Letter Size Paper)");
        QCOMPARE(display.at(9), PredefinedStock::LayoutNames().at(14));
        QCOMPARE(display.at(16), "Avery Business Card L7413 (A4 Size Paper)");
        QCOMPARE(display.last(), "Herma 8840 (A4 Size Paper)");
        QStringList sortedDisplay = display, sortedLayout = PredefinedStock::LayoutNames();
        sortedDisplay.sort();
        sortedLayout.sort();
        QCOMPARE(sortedDisplay, sortedLayout);
    }

    void displayPositionAndStockIndexAreInverseMappings()
    {
        for (int index = 0; index < PredefinedStock::Count; ++index) {
            const int position = PredefinedStock::LayoutToDisplay(index);
            QCOMPARE(PredefinedStock::DisplayNames().at(position),
                     PredefinedStock::LayoutNames().at(index));
            QCOMPARE(PredefinedStock::DisplayToLayout(position), index);
        }
        for (int position = 0; position < PredefinedStock::Count; ++position)
            QCOMPARE(PredefinedStock::LayoutToDisplay(PredefinedStock::DisplayToLayout(position)),
                     position);
        QCOMPARE(PredefinedStock::LayoutToDisplay(15), 0);
        QCOMPARE(PredefinedStock::DisplayToLayout(0), 15);
    }

    void unknownStockIndexOrPositionFallsBack()
    {
        QCOMPARE(PredefinedStock::LayoutToDisplay(-1), 1);
        QCOMPARE(PredefinedStock::LayoutToDisplay(26), 1);
        QCOMPARE(PredefinedStock::LayoutToDisplay(1000), 1);
        QCOMPARE(PredefinedStock::DisplayToLayout(-1), 0);
        QCOMPARE(PredefinedStock::DisplayToLayout(26), 0);
    }

    void choosingGlossyStockFillsFourRowsWithWiderPitch()
    {
        SheetLayout layout;
        layout.Portrait = true;
        layout.PredefLayout = 3;
        layout.Papersize = SheetLayout::PaperA4;
        layout.Across = 7;
        PredefinedStock::ApplyTo(
            stockIndexNamed("Avery Business Card 8373 Glossy Photo Quality (Letter Size Paper)"),
            layout);
        QCOMPARE(layout.Across, 2);
        QCOMPARE(layout.Down, 4);
        QCOMPARE(layout.TopMargin, 0.75f);
        QCOMPARE(layout.LeftMargin, 0.55f);
        QCOMPARE(layout.HPitch, 4.0f);
        QCOMPARE(layout.VPitch, 2.496f);
        QCOMPARE(layout.Width, 3.5f);
        QCOMPARE(layout.Height, 2.0f);
        QCOMPARE(layout.Papersize, SheetLayout::PaperLetter);
        QVERIFY(layout.Portrait);          // a stock says nothing about orientation
        QCOMPARE(layout.PredefLayout, 3);  // chosen only when the dialog is confirmed
    }

    void cardSizeFollowsScreenInches()
    {
        SheetLayout layout; // 3.5 x 2 in
        QCOMPARE(layout.CardPixelSize(false), QSize(336, 192));
        QCOMPARE(layout.CardPixelSize(true), QSize(192, 336));
        QCOMPARE(layout.CardPixelSize(false, 120), QSize(420, 240));
        ScreenMetrics::setOverride(120);
        QCOMPARE(layout.CardPixelSize(true), QSize(240, 420));
    }

    void cardSizeRoundsHalfInchPixelsToEven()
    {
        SheetLayout layout;
        layout.Width = 2.5f; // at 1 pixel per inch
        layout.Height = 3.5f;
        QCOMPARE(layout.CardPixelSize(false, 1), QSize(2, 4));
        layout.Width = 1.5f;
        layout.Height = 0.5f;
        QCOMPARE(layout.CardPixelSize(true, 1), QSize(0, 2));
        layout.Width = 3.543f; // A4 stock: 340.128 px
        QCOMPARE(layout.CardPixelSize(false).width(), 340);
    }

    void zoomedCardScalesTheUnzoomedSize()
    {
        SheetLayout layout;
        QCOMPARE(layout.CardPixelSize(false, 96, 1.5f), QSize(504, 288));
        QCOMPARE(layout.CardPixelSize(true, 96, 1.5f), QSize(288, 504));
        layout.Width = 3.48f; // 334.08 -> 334, then x 1.3 = 434.2
        QCOMPARE(layout.CardPixelSize(false, 96, 1.3f).width(), 434);
    }

    void layoutSurvivesTheIniRoundTripInBothFiles()
    {
        for (Store store : {Store::CardDocument, Store::Settings}) {
            QTemporaryDir dir;
            const QString fileName = dir.filePath("card.KVE");
            const SheetLayoutSetting saved = glossyInMillimetres();
            {
                IniFile ini(fileName);
                SheetLayoutIni::Write(ini, saved, store);
                QVERIFY(ini.flush());
            }
            const IniFile ini(fileName);
            QCOMPARE(ini.readString(Layout, "Height"), "2000");
            QCOMPARE(ini.readString(Layout, "VPitch"), "2496");
            QCOMPARE(ini.readString(Layout, SheetLayoutIni::PortraitKey(store)), "1");
            const SheetLayoutSetting read = SheetLayoutIni::Read(ini, SheetLayoutSetting(), store);
            QCOMPARE(read.Layout.Height, 2.0f); // exactly
            QCOMPARE(read.Layout.VPitch, 2.496f);
            QVERIFY(read == saved);
        }
    }

    void lengthsKeepAThousandthOfAnInchRoundedToEven()
    {
        QTemporaryDir dir;
        IniFile ini(dir.filePath("kvl.ini"));
        SheetLayoutSetting setting;
        setting.Layout.TopMargin = 0.0625f; // 62.5 thousandths
        setting.Layout.LeftMargin = 0.1875f; // 187.5
        setting.Layout.HPitch = 3.8804f;
        SheetLayoutIni::Write(ini, setting, Store::Settings);
        QCOMPARE(ini.readString(Layout, "TopMargin"), "62");
        QCOMPARE(ini.readString(Layout, "LeftMargin"), "188");
        QCOMPARE(ini.readString(Layout, "HPitch"), "3880");
        const SheetLayout read = SheetLayoutIni::Read(ini, setting, Store::Settings).Layout;
        QCOMPARE(read.HPitch, 3.88f);
    }

    void keysAreWrittenInTheirFileOrder()
    {
        QTemporaryDir dir;
        IniFile ini(dir.filePath("new.ini"));
        SheetLayoutIni::Write(ini, SheetLayoutSetting(), Store::CardDocument);
        SheetLayoutIni::Write(ini, SheetLayoutSetting(), Store::Settings);
        const QStringList common = {"Height", "Width", "TopMargin", "LeftMargin", "HPitch",
                                    "VPitch", "PredefLayout", "Papersize", "Across", "Down",
                                    "UseMM"};
        QCOMPARE(ini.readSection(Layout), (common + QStringList{"UsePortrait", "Portrait"}));
    }

    void settingsWithoutPortraitKeepTheOrientationInEffect()
    {
        QTemporaryDir dir;
        IniFile ini(dir.filePath("kvl.ini"));
        ini.writeString(Layout, "Width", "3000");
        SheetLayoutSetting current;
        current.Layout.Portrait = true;
        current.Layout.Height = 1.0f;
        const SheetLayoutSetting read = SheetLayoutIni::Read(ini, current, Store::Settings);
        QVERIFY(read.Layout.Portrait);
        QCOMPARE(read.Layout.Width, 3.0f);
        QCOMPARE(read.Layout.Height, 2.0f); // other missing keys take the defaults
        current.Layout.Portrait = false;
        QVERIFY(!SheetLayoutIni::Read(ini, current, Store::Settings).Layout.Portrait);
        // A card document without the flag shows its card unrotated.
        current.Layout.Portrait = true;
        QVERIFY(!SheetLayoutIni::Read(ini, current, Store::CardDocument).Layout.Portrait);
    }

    void storedValuesAreTakenAsTheyAreWithinTheDialogRanges()
    {
        QTemporaryDir dir;
        IniFile ini(dir.filePath("odd.KVE"));
        ini.writeString(Layout, "Papersize", "5");
        ini.writeString(Layout, "UseMM", "7");
        ini.writeString(Layout, "PredefLayout", "25");
        SheetLayoutSetting read = SheetLayoutIni::Read(ini, {}, Store::CardDocument);
        QCOMPARE(read.Layout.PredefLayout, 25);
        QCOMPARE(read.Layout.Papersize, 5);
        QVERIFY(read.UseMM);
        // A layout the dialog would refuse (no card across, a card 0.1 inch
        // high, a stock beyond the table) is not taken: the current stays.
        SheetLayoutSetting current;
        current.Layout.Papersize = 9;
        for (const auto &[key, value] : {std::pair{"Across", "0"}, {"Height", "100"}, {"PredefLayout", "40"}}) {
            IniFile odd(dir.filePath(QStringLiteral("%1.KVE").arg(key)));
            odd.writeString(Layout, "Papersize", "5");
            odd.writeString(Layout, key, value);
            read = SheetLayoutIni::Read(odd, current, Store::CardDocument);
            QVERIFY2(read == current, key);
        }
    }

    void noSettingsFileGivesTheDefaultLayout()
    {
        TempProgramFolder folder;
        SheetLayoutSetting current = glossyInMillimetres();
        const SheetLayoutSetting read = SheetLayoutIni::LoadLayoutPreferences(current);
        SheetLayoutSetting expected;
        expected.Layout.Portrait = true;
        QVERIFY(read == expected);
    }

    void savingTheDefaultAsksFirstAndNoWritesNothing()
    {
        TempProgramFolder folder;
        ScopedScriptedDialogs dialogs;
        dialogs->answers.enqueue(false);
        QVERIFY(!SheetLayoutIni::SaveCurrentLayoutAsDefault(glossyInMillimetres()));
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages.first().text,
                 "Save the current card layout as your default layout?");
        QCOMPARE(dialogs->messages.first().caption, "Card Layout");
        QVERIFY(!QFile::exists(folder.filePath("kvl.ini")));
    }

    void savedDefaultIsWhatTheNextStartReads()
    {
        TempProgramFolder folder;
        ScopedScriptedDialogs dialogs;
        QVERIFY(folder.writeFile("kvl.ini", "[Printer]\nTopMarginNudge=3\n"));
        dialogs->answers.enqueue(true);
        QVERIFY(SheetLayoutIni::SaveCurrentLayoutAsDefault(glossyInMillimetres()));
        QVERIFY(dialogs->informations().isEmpty());
        const QByteArray text = folder.readFile("kvl.ini");
        QVERIFY(text.contains("TopMarginNudge=3"));
        QVERIFY(text.contains("Portrait=1"));
        QVERIFY(!text.contains("UsePortrait"));
        QVERIFY(SheetLayoutIni::LoadLayoutPreferences({}) == glossyInMillimetres());
    }
};

QTEST_GUILESS_MAIN(TestSheetLayout)
#include "tst_sheetlayout.moc"
