#include "MainScreenFixture.h"

#include "app/Preferences.h"
#include "platform/AppRoutines.h"
#include "platform/IniFile.h"

#include <QTest>

class TestPreferences : public QObject
{
    Q_OBJECT

private slots:
    void missingKeysReadAsDefaults();
    void preferencesAreWrittenInTheirFixedOrder();
    void storedFontStylesLeaveStrikeOutAlone();
    void strikeOutIsNeverStored();
    void fontCaptionNamesTheSetStyles();
    void layoutWithoutPortraitKeepsTheOrientation();
    void defaultLayoutRoundTripsThroughTheSettingsFile();
    void personalInformationUsesTheTenKeys();
};

void TestPreferences::missingKeysReadAsDefaults()
{
    TempProgramFolder folder;
    const TPreferences p = Preferences::LoadPreferences();
    QCOMPARE(p, TPreferences());
    QCOMPARE(p.DefaultFont.Name, QStringLiteral("Arial"));
    QCOMPARE(p.DefaultFont.Size, 10);
    QVERIFY(p.ShowBottomMarginWarning);
    QCOMPARE(p.Nudges, TPrinterNudges());
}

void TestPreferences::preferencesAreWrittenInTheirFixedOrder()
{
    TempProgramFolder folder;
    TPreferences p;
    p.ShowBottomMarginWarning = false;
    p.Nudges = {1, -2, 3, -4};
    p.DefaultFont.Italic = true;
    QVERIFY(Preferences::SavePreferences(p));
    const IniFile ini(SettingsFileName());
    QCOMPARE(ini.sections(), QStringList({"Printer", "Default Font"}));
    QCOMPARE(ini.readSectionValues("Printer"),
             QStringList({"ShowBottomMarginWarning=0", "TopMarginNudge=1", "LeftMarginNudge=-2",
                          "VerticalSpacing=3", "HorizontalSpacing=-4"}));
    QCOMPARE(ini.readSectionValues("Default Font"),
             QStringList({"Name=Arial", "Size=10", "Bold=0", "Italic=1", "Underline=0"}));
    QCOMPARE(Preferences::LoadPreferences(), p);
}

void TestPreferences::storedFontStylesLeaveStrikeOutAlone()
{
    TFont font;
    font.style = fsStrikeOut | fsBold;
    TDefaultFontValues stored;
    stored.Name = QStringLiteral("Verdana");
    stored.Size = 16;
    stored.Underline = true;
    Preferences::ApplyDefaultFont(stored, font, 96);
    QCOMPARE(font.name, QStringLiteral("Verdana"));
    QCOMPARE(font.height, -21);
    QCOMPARE(font.style, TFontStyles(fsStrikeOut | fsUnderline));
}

void TestPreferences::strikeOutIsNeverStored()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    TFont font = f.panel().Font();
    font.style = fsStrikeOut;
    f.panel().SetFont(font);
    QVERIFY(s.SavePreferences());
    const IniFile ini(SettingsFileName());
    QCOMPARE(ini.readString("Default Font", "Bold"), QStringLiteral("0"));
    QCOMPARE(ini.readString("Default Font", "Italic"), QStringLiteral("0"));
    QCOMPARE(ini.readString("Default Font", "Underline"), QStringLiteral("0"));
    QVERIFY(!QString::fromUtf8(f.folder.readFile("kvl.ini")).contains("Strike",
                                                                      Qt::CaseInsensitive));
}

void TestPreferences::fontCaptionNamesTheSetStyles()
{
    TFont font;
    font.setSize(10, 96);
    font.style = fsBold;
    QCOMPARE(Preferences::DefaultFontCaption(font, 96),
             QStringLiteral("Default Font: Arial, 10 pt , bold"));
    font.style = fsItalic | fsUnderline | fsStrikeOut;
    QCOMPARE(Preferences::DefaultFontCaption(font, 96),
             QStringLiteral("Default Font: Arial, 10 pt , italic, underline"));
}

void TestPreferences::layoutWithoutPortraitKeepsTheOrientation()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    SheetLayoutSetting upright = s.Layout();
    upright.Layout.Portrait = true;
    s.SetLayout(upright);
    f.folder.writeFile("kvl.ini", "[Layout]\nWidth=3000\n");
    s.LoadLayoutPreferences();
    QVERIFY(s.Layout().Layout.Portrait);
    QCOMPARE(s.Layout().Layout.Width, 3.0f);
    f.folder.writeFile("kvl.ini", "[Layout]\nPortrait=0\n");
    s.LoadLayoutPreferences();
    QVERIFY(!s.Layout().Layout.Portrait);
}

void TestPreferences::defaultLayoutRoundTripsThroughTheSettingsFile()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    SheetLayoutSetting layout = s.Layout();
    layout.Layout.TopMargin = 0.625f;
    layout.Layout.Papersize = SheetLayout::PaperA4;
    layout.Layout.Portrait = true;
    layout.UseMM = true;
    s.SetLayout(layout);
    f.dialogs->answers << true;
    s.SaveLayoutAsDefaultClick();
    QCOMPARE(f.dialogs->questions(),
             QStringList {"Save the current card layout as your default layout?"});
    QCOMPARE(f.dialogs->messages.constFirst().caption, QStringLiteral("Card Layout"));
    const IniFile ini(SettingsFileName());
    QCOMPARE(ini.readSection("Layout"),
             QStringList({"Height", "Width", "TopMargin", "LeftMargin", "HPitch", "VPitch",
                          "PredefLayout", "Papersize", "Across", "Down", "UseMM", "Portrait"}));
    QCOMPARE(ini.readString("Layout", "TopMargin"), QStringLiteral("625"));
    s.SetLayout(SheetLayoutSetting());
    s.LoadLayoutPreferences();
    QCOMPARE(s.Layout(), layout);
}

void TestPreferences::personalInformationUsesTheTenKeys()
{
    TempProgramFolder folder;
    const QStringList values {"Ada", "Engines Ltd", "Analyst", "1 Lane", "", "London",
                              "123", "456", "ada@example.com", "789"};
    QVERIFY(Preferences::WritePersonalInformation(values));
    const IniFile ini(SettingsFileName());
    QCOMPARE(ini.readSection("Personal"), Preferences::PersonalInformationKeys());
    QCOMPARE(ini.readString("Personal", "Email"), QStringLiteral("ada@example.com"));
    QCOMPARE(Preferences::ReadPersonalInformation(), values);
}

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
