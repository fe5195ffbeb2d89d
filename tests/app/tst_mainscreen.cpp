#include "MainScreenFixture.h"

#include "app/TMRUFileList.h"
#include "app/TMainMenus.h"
#include "app/TMainToolBar.h"
#include "design/TGHandle.h"
#include "objects/TGPRichBaseLabel.h"
#include "platform/AppRoutines.h"
#include "richtext/TRichTextEngine.h"
#include "platform/IniFile.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

class TestMainScreen : public QObject
{
    Q_OBJECT

private slots:
    void startsWithDefaultsWithoutSettingsFile();
    void startsWithStoredFontAndLayoutButLandscapeCard();
    void newCardShowsNoSaveButtonsAndPlainTitle();
    void drawingAnObjectShowsSaveAsAndCancel();
    void richTextDrawnOnTheCardPaintsThroughTheWindowsEngine();
    void keypadPlusStopsAt800AndMinusAt25WithoutChange();
    void zoomButtonsStepTheCaption();
    void closingWithChangesAsksOnceAndNoCloses();
    void closingAfterCancelledSaveAsKeepsTheWindowOpen();
    void exitAsksOnceAndSavesPlacement();
    void toolButtonsFormOneGroupThatCanBeReleased();
    void droppedObjectReturnsToSelectionTool();
    void gridButtonsReachThePanel();
    void clickBesideTheCardClearsSelection();
    void pageKeysScrollTheCardArea();
    void defaultFontCommandUpdatesCaptionAndSettings();
    void writeIniItemOnlyWithDeveloperFile();
    void menusHaveTheirCaptionsInOrder();
    void mostRecentDocumentReopensAtStart();
    void vanishedRecentDocumentStartsEmpty();
    void cancelButtonRevertsToSavedDocument();
    void layoutDialogResultResizesCard();
    void commandWithoutHandlerSaysSo();
};

void TestMainScreen::startsWithDefaultsWithoutSettingsFile()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    const SheetLayout &l = s.Layout().Layout;
    QCOMPARE(f.panel().Font().name, QStringLiteral("Arial"));
    QCOMPARE(f.panel().Font().size(96), 10);
    QCOMPARE(f.panel().Font().style, TFontStyles(0));
    QCOMPARE(l.Width, 3.5f);
    QCOMPARE(l.Height, 2.0f);
    QCOMPARE(l.Across, 2);
    QCOMPARE(l.Down, 5);
    QCOMPARE(l.TopMargin, 0.5f);
    QCOMPARE(l.LeftMargin, 0.75f);
    QCOMPARE(l.HPitch, 3.5f);
    QCOMPARE(l.VPitch, 2.0f);
    QVERIFY(!l.Portrait);
    QVERIFY(s.Preferences().ShowBottomMarginWarning);
    QCOMPARE(f.panel().size(), QSize(336, 192));
    QCOMPARE(f.panel().Shape(), lsRectangle);
    QVERIFY(f.panel().DrawOutline());
    QCOMPARE(s.ToolBar->ZoomCaption->text(), QStringLiteral("100%"));
    QCOMPARE(s.Menus->DefaultFontItem->text(), QStringLiteral("Default Font: Arial, 10 pt "));
    for (bool selected : s.CardPositions())
        QVERIFY(selected);
    for (const char *folder : {"saved", "bg", "bmbrush", "kvlt"})
        QVERIFY2(QFileInfo(f.folder.filePath(QLatin1String(folder))).isDir(), folder);
    QVERIFY(f.dialogs->messages.isEmpty());
}

void TestMainScreen::startsWithStoredFontAndLayoutButLandscapeCard()
{
    MainScreenFixture f;
    f.folder.writeFile("kvl.ini",
                       "[Default Font]\nName=Times New Roman\nSize=14\nBold=1\nItalic=1\n"
                       "[Layout]\nHeight=2125\nWidth=3375\nPortrait=1\n"
                       "[Printer]\nShowBottomMarginWarning=0\nTopMarginNudge=-3\n"
                       "[Personal]\nName=Ada\nFax=555\n");
    TMainScreen &s = f.start();
    QCOMPARE(f.panel().Font().name, QStringLiteral("Times New Roman"));
    QCOMPARE(f.panel().Font().size(96), 14);
    QCOMPARE(f.panel().Font().style, TFontStyles(fsBold | fsItalic));
    QCOMPARE(s.Menus->DefaultFontItem->text(),
             QStringLiteral("Default Font: Times New Roman, 14 pt , bold, italic"));
    QVERIFY(s.Layout().Layout.Portrait);
    QVERIFY(!s.Preferences().ShowBottomMarginWarning);
    QCOMPARE(s.Preferences().Nudges.TopMarginNudge, -3);
    // The stored orientation waits for a document, "New" or the layout dialog.
    QCOMPARE(f.panel().size(), QSize(324, 204));
    QCOMPARE(f.panel().PersonalInformation(0), QStringLiteral("Ada"));
    QCOMPARE(f.panel().PersonalInformation(9), QStringLiteral("555"));
    s.NewBlankClick();
    QCOMPARE(f.panel().size(), QSize(204, 324));
}

void TestMainScreen::newCardShowsNoSaveButtonsAndPlainTitle()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    QVERIFY(!s.ChangesMade());
    QVERIFY(s.Savebutton->isHidden());
    QVERIFY(s.Cancelbutton->isHidden());
    QVERIFY(!s.Menus->SaveItem->isEnabled());
    QCOMPARE(s.windowTitle(), QStringLiteral("Karvello"));
    for (QAction *item : s.Menus->PrinterItems())
        QVERIFY(item->isEnabled());
}

void TestMainScreen::drawingAnObjectShowsSaveAsAndCancel()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.drawRectangle();
    QVERIFY(s.ChangesMade());
    QVERIFY(!s.Savebutton->isHidden());
    QVERIFY(!s.Cancelbutton->isHidden());
    QCOMPARE(s.Savebutton->text(), QStringLiteral("Save As"));
}

void TestMainScreen::richTextDrawnOnTheCardPaintsThroughTheWindowsEngine()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    {
        const ScopedModalRunner runner([](QDialog &) { return int(QDialog::Rejected); });
        f.panel().SetPanelState(psRichLabel);
        f.panel().CreateObject(QRect(20, 20, 150, 40));
    }
    QCOMPARE(f.panel().ObjectCount(), 1);
    auto *text = qobject_cast<TGPRichBaseLabel *>(f.panel().Objects().first());
    QVERIFY(text);
    QVERIFY(text->MasterEngine());
    QCOMPARE(text->MasterEngine(), TRichTextEngine::FindMaster(&s));
    QCOMPARE(text->MasterEngine()->objectName(), QStringLiteral("MASTERWPRICHTEXT"));
    QVERIFY(f.dialogs->texts().isEmpty());
}

void TestMainScreen::keypadPlusStopsAt800AndMinusAt25WithoutChange()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    const QSize unzoomed = f.panel().size();
    QStringList captions;
    for (int i = 0; i < 9; ++i) {
        QTest::keyRelease(&s, Qt::Key_Plus, Qt::KeypadModifier);
        captions << s.ToolBar->ZoomCaption->text();
    }
    QCOMPARE(captions, QStringList({"110%", "125%", "150%", "200%", "300%", "400%", "600%", "800%", "800%"}));
    QCOMPARE(f.panel().Zoom(), 8.0f);
    QCOMPARE(f.panel().size(), unzoomed * 8);
    for (int i = 0; i < 8; ++i)
        QTest::keyRelease(&s, Qt::Key_Minus, Qt::KeypadModifier);
    QCOMPARE(s.ToolBar->ZoomCaption->text(), QStringLiteral("100%"));
    QCOMPARE(f.panel().Zoom(), 1.0f);
    QCOMPARE(f.panel().size(), unzoomed); // no pixel gained on the way
    captions.clear();
    for (int i = 0; i < 7; ++i) {
        QTest::keyRelease(&s, Qt::Key_Minus, Qt::KeypadModifier);
        captions << s.ToolBar->ZoomCaption->text();
    }
    QCOMPARE(captions, QStringList({"90%", "75%", "67%", "50%", "33%", "25%", "25%"}));
    QVERIFY(!s.ChangesMade());
    // The main keyboard's plus is no zoom key.
    QTest::keyRelease(&s, Qt::Key_Plus);
    QCOMPARE(s.ToolBar->ZoomCaption->text(), QStringLiteral("25%"));
}

void TestMainScreen::zoomButtonsStepTheCaption()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.drawRectangle();
    s.SetChangesMade(false);
    f.panel().Handle()->SelectObject(f.panel().Objects().constFirst());
    s.ToolBar->FontSizeUp->click();
    QCOMPARE(s.ToolBar->ZoomCaption->text(), QStringLiteral("110%"));
    QCOMPARE(f.panel().Handle()->SelectionCount(), 0);
    QVERIFY(!s.ChangesMade());
    s.ToolBar->FontSizeDown->click();
    QCOMPARE(s.ToolBar->ZoomCaption->text(), QStringLiteral("100%"));
    // Below actual size too, down to a quarter.
    s.ToolBar->FontSizeDown->click();
    QCOMPARE(s.ToolBar->ZoomCaption->text(), QStringLiteral("90%"));
}

void TestMainScreen::closingWithChangesAsksOnceAndNoCloses()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.drawRectangle();
    f.dialogs->answers << false;
    QVERIFY(s.close());
    QCOMPARE(f.dialogs->questions(), QStringList {"Save changes?"});
    QCOMPARE(f.dialogs->messages.constFirst().caption, QStringLiteral("Save"));
    QVERIFY(f.dialogs->fileRequests.isEmpty());
    QVERIFY(QDir(f.folder.filePath("saved")).isEmpty());
}

void TestMainScreen::closingAfterCancelledSaveAsKeepsTheWindowOpen()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.drawRectangle();
    f.dialogs->answers << true;
    f.dialogs->saveFileNames << QString(); // the user cancels the save dialog
    QVERIFY(!s.close());
    QVERIFY(s.ChangesMade());
    QCOMPARE(f.panel().ObjectCount(), 1);
}

void TestMainScreen::exitAsksOnceAndSavesPlacement()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    s.setGeometry(100, 80, 640, 480);
    f.drawRectangle();
    f.dialogs->answers << false;
    s.Menus->ExitItem->trigger();
    QCOMPARE(f.dialogs->questions().size(), 1);
    QVERIFY(!s.isVisible());
    const IniFile ini(SettingsFileName());
    QCOMPARE(ini.readInteger("TMainScreen_Placement", "Left", -1), 100);
    QCOMPARE(ini.readInteger("TMainScreen_Placement", "Right", -1), 740);
    QCOMPARE(ini.readInteger("TMainScreen_Placement", "Bottom", -1), 560);
}

void TestMainScreen::toolButtonsFormOneGroupThatCanBeReleased()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    TMainToolBar &bar = *s.ToolBar;
    QCOMPARE(bar.PressedTool(), std::optional<TLPanelState>(psPointing));
    // Each hint with the tool's letter.
    QCOMPARE(bar.DrawLabelButton->toolTip(), QStringLiteral("Text tool (T)"));
    QCOMPARE(bar.DrawSupershape->toolTip(),
             QStringLiteral("Supershape tool (S)\nMulti-purpose shapes and surfaces"));
    bar.DrawEllipseButton->click();
    QCOMPARE(f.panel().PanelState(), psEllipse);
    QVERIFY(!f.panel().Pointing());
    bar.DrawSuperTextButton->click();
    QCOMPARE(f.panel().PanelState(), psSuperText);
    QVERIFY(!bar.DrawEllipseButton->isChecked());
    QCOMPARE(bar.PressedTool(), std::optional<TLPanelState>(psSuperText));
    bar.DrawSuperTextButton->click(); // a second click releases the tool
    QCOMPARE(f.panel().PanelState(), psPointing);
    QVERIFY(!bar.DrawSuperTextButton->isChecked());
    QCOMPARE(bar.PressedTool(), std::optional<TLPanelState>(psPointing));
    bar.Pointerbutton->click(); // even the selection tool can be released
    QCOMPARE(bar.PressedTool(), std::nullopt);
    QCOMPARE(f.panel().PanelState(), psPointing);
}

void TestMainScreen::droppedObjectReturnsToSelectionTool()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    s.ToolBar->DrawRectanglebutton->click();
    emit f.panel().DroppedObjectEvent(QRect(1, 1, 50, 15));
    QCOMPARE(f.panel().PanelState(), psPointing);
    QVERIFY(s.ToolBar->Pointerbutton->isChecked());
    QVERIFY(!s.ToolBar->DrawRectanglebutton->isChecked());
}

void TestMainScreen::gridButtonsReachThePanel()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    s.ToolBar->ShowGrid->click();
    s.ToolBar->SnapToGrid->click();
    QVERIFY(f.panel().ShowGrid());
    QVERIFY(f.panel().SnapToGrid());
    s.ToolBar->ShowGrid->click();
    QVERIFY(!f.panel().ShowGrid());
    QVERIFY(f.panel().SnapToGrid());
}

void TestMainScreen::clickBesideTheCardClearsSelection()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.drawRectangle();
    f.panel().Handle()->SelectObject(f.panel().Objects().constFirst());
    QWidget *area = s.ScrollBox1->widget();
    QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(f.panel().width() + 15, 3));
    QCOMPARE(f.panel().Handle()->SelectionCount(), 0);
}

void TestMainScreen::pageKeysScrollTheCardArea()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    s.resize(400, 260);
    for (int i = 0; i < 5; ++i)
        s.ZoomIn();
    QCoreApplication::processEvents();
    QScrollBar *bar = s.ScrollBox1->verticalScrollBar();
    QVERIFY(bar->maximum() > bar->singleStep());
    QTest::keyClick(&s, Qt::Key_End);
    QCOMPARE(bar->value(), bar->maximum());
    QTest::keyClick(&s, Qt::Key_PageUp);
    QCOMPARE(bar->value(), bar->maximum() - bar->singleStep());
    QTest::keyClick(&s, Qt::Key_Home);
    QCOMPARE(bar->value(), 0);
    QTest::keyClick(&s, Qt::Key_PageDown);
    QCOMPARE(bar->value(), bar->singleStep());
}

void TestMainScreen::defaultFontCommandUpdatesCaptionAndSettings()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    TFont chosen = f.panel().Font();
    chosen.name = QStringLiteral("Courier New");
    chosen.setSize(12, 96);
    chosen.style = fsBold | fsUnderline | fsStrikeOut;
    f.dialogs->fonts << chosen;
    s.Menus->DefaultFontItem->trigger();
    QCOMPARE(f.dialogs->fontRequests.size(), 1);
    QCOMPARE(f.panel().Font(), chosen);
    QCOMPARE(s.Menus->DefaultFontItem->text(),
             QStringLiteral("Default Font: Courier New, 12 pt , bold, underline"));
    QVERIFY(f.dialogs->informations().constFirst().startsWith(
        "Note: the default font is used for NEW objects only."));
    const IniFile ini(SettingsFileName());
    QCOMPARE(ini.readString("Default Font", "Name"), QStringLiteral("Courier New"));
    QCOMPARE(ini.readString("Default Font", "Size"), QStringLiteral("12"));
    QCOMPARE(ini.readString("Default Font", "Bold"), QStringLiteral("1"));
    QCOMPARE(ini.readString("Default Font", "Underline"), QStringLiteral("1"));
    QCOMPARE(ini.readSection("Default Font"),
             QStringList({"Name", "Size", "Bold", "Italic", "Underline"}));
    // Cancelling the dialog keeps the font but still shows the note.
    f.dialogs->clear();
    s.DefaultFontClick();
    QCOMPARE(f.panel().Font(), chosen);
    QCOMPARE(f.dialogs->informations().size(), 1);
}

void TestMainScreen::writeIniItemOnlyWithDeveloperFile()
{
    {
        MainScreenFixture f;
        QVERIFY(!f.start().Menus->WriteIniItem->isVisible());
    }
    MainScreenFixture f;
    f.folder.writeFile("iamdeveloping.DAT", "");
    TMainScreen &s = f.start();
    QVERIFY(s.Menus->WriteIniItem->isVisible());
    QCOMPARE(s.Menus->WriteIniItem->text(), QStringLiteral("--------Write Ini------"));
}

void TestMainScreen::menusHaveTheirCaptionsInOrder()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    auto captions = [](QMenu *menu) {
        QStringList list;
        for (QAction *a : menu->actions())
            list << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return list;
    };
    QCOMPARE(captions(s.Menus->FileMenu),
             QStringList({"&New - Blank", "New - Select From Templates", "&Open", "&Delete", "-",
                          "Save", "Save &As...", "Save As Bitmap", "Save As JPG", "-", "&Print",
                          "Pre&view", "-", "Printer S&etup", "Printer Fine &Tuning",
                          "Print O&utline Test Page", "--------Write Ini------", "-", "E&xit"}));
    QCOMPARE(captions(s.Menus->HelpMenu),
             QStringList({"&Contents", "&About", "Configuration Information", "Technical Support",
                          "Frequently Asked Questions", "-", "Visit the Bonus Artwork Web Page",
                          "Visit Our Internet Website"}));
    // Undo and redo come first, then the selection's commands; the
    // default-font caption is set at start-up.
    QStringList edit = captions(s.Menus->EditMenu);
    QCOMPARE(edit.mid(0, 3), QStringList({"&Undo", "&Redo", "-"}));
    QCOMPARE(edit.mid(3, 8), QStringList({"Cu&t", "&Copy", "&Paste", "D&uplicate", "De&lete", "Select &All",
                                          "Properties...", "-"}));
    QCOMPARE(edit.mid(12), QStringList({"Change all fonts to...", "&Personal Information",
                                       "&Set or Change Background Art", "-",
                                       "Save Current Layout as Default", "Change Business Card Layout",
                                       "-", "Add QR Code", "-", "Add Back", "Remove Back"}));
    QCOMPARE(s.Menus->SaveItem->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
}

void TestMainScreen::mostRecentDocumentReopensAtStart()
{
    MainScreenFixture f;
    const QString card = f.folder.filePath("saved/Mine.KVL");
    {
        TMainScreen &s = f.start();
        f.drawRectangle(QRect(30, 40, 80, 20));
        f.dialogs->saveFileNames << card;
        s.SaveAsClick();
        QCOMPARE(s.windowTitle(), QStringLiteral("Karvello - Mine.KVL"));
    }
    TMainScreen &s = f.start();
    QCOMPARE(s.DocumentPath(), card);
    QCOMPARE(f.panel().ObjectCount(), 1);
    QCOMPARE(f.panel().Objects().constFirst()->Left(), 30);
    QVERIFY(!s.ChangesMade());
    QVERIFY(s.Savebutton->isHidden());
    QVERIFY(s.Menus->SaveItem->isEnabled());
    QCOMPARE(s.windowTitle(), QStringLiteral("Karvello - Mine.KVL"));
}

void TestMainScreen::vanishedRecentDocumentStartsEmpty()
{
    MainScreenFixture f;
    f.folder.writeFile("kvl.ini", "[MRU]\nF0=" + f.folder.filePath("saved/gone.KVL").toUtf8()
                                      + "\n");
    TMainScreen &s = f.start();
    QVERIFY(s.DocumentPath().isEmpty());
    QCOMPARE(f.panel().ObjectCount(), 0);
    QVERIFY(f.dialogs->messages.isEmpty());
    QCOMPARE(s.RecentFiles->Items().size(), 1);
}

void TestMainScreen::cancelButtonRevertsToSavedDocument()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.drawRectangle();
    f.dialogs->saveFileNames << f.folder.filePath("saved/one.KVL");
    s.SaveAsClick();
    f.drawRectangle(QRect(100, 60, 40, 20));
    QCOMPARE(f.panel().ObjectCount(), 2);
    f.dialogs->answers << false;
    s.Cancelbutton->click();
    QCOMPARE(f.panel().ObjectCount(), 2); // "No" keeps the changes
    f.dialogs->answers << true;
    s.Cancelbutton->click();
    QCOMPARE(f.dialogs->questions(), QStringList({"Cancel all changes?", "Cancel all changes?"}));
    QCOMPARE(f.dialogs->messages.last().caption, QStringLiteral("CANCEL"));
    QCOMPARE(f.panel().ObjectCount(), 1);
    QVERIFY(!s.ChangesMade());
    QVERIFY(s.Cancelbutton->isHidden());
}

void TestMainScreen::layoutDialogResultResizesCard()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    SheetLayoutSetting layout = s.Layout();
    layout.Layout.Width = 3.0f;
    layout.Layout.Portrait = true;
    s.ApplyLayout(layout);
    QCOMPARE(f.panel().size(), QSize(192, 288));
    QVERIFY(f.panel().Portrait());
    QVERIFY(s.ChangesMade());
    QVERIFY(!s.Savebutton->isHidden());
    // The default layout in the settings file is left alone.
    QVERIFY(!QFileInfo::exists(f.folder.filePath("kvl.ini"))
            || !IniFile(SettingsFileName()).sectionExists("Layout"));
}

void TestMainScreen::commandWithoutHandlerSaysSo()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    int printed = 0;
    s.SetCommandHandler(TMainCommand::Print, [&printed] { ++printed; });
    s.Menus->PrintItem->trigger();
    QCOMPARE(printed, 1);
    QVERIFY(f.dialogs->messages.isEmpty());
    s.Menus->PreviewItem->trigger();
    QCOMPARE(f.dialogs->informations().size(), 1);
}

QTEST_MAIN(TestMainScreen)
#include "tst_mainscreen.moc"
