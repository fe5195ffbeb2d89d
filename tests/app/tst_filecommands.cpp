#include "MainScreenFixture.h"

#include "app/TCardExport.h"
#include "app/TFileCommands.h"
#include "app/TMRUFileList.h"
#include "app/TMainMenus.h"
#include "app/TMainToolBar.h"
#include "platform/AppRoutines.h"
#include "platform/IniFile.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void saveAsSuggestsTheFirstFreeCardNumber();
    void saveAsOnADocumentSuggestsItsName();
    void saveAsWritesBothFilesAndRemembersThem();
    void saveWithoutDocumentOnlyBeeps();
    void saveDropsObjectsOutsideTheCard();
    void openRefusesOtherExtensions();
    void openingReplacesCardAndLayout();
    void unreadableDocumentLeavesNoPathToOverwrite();
    void newBlankAsksAndReturnsToDefaultLayout();
    void deleteRemovesCompanionAlsoWithDottedFolder();
    void deleteNeedsConfirmation();
    void failedDeleteIsReported();
    void bitmapExportIsAt100PercentWithOptionalBorder();
    void jpegExportWritesAColourJpeg();
    void exportSuggestsNameFromDocument();
    void failedExportIsReportedInsteadOfSaved();
};

void TestFileCommands::saveAsSuggestsTheFirstFreeCardNumber()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.dialogs->saveFileNames << QString();
    s.SaveAsClick();
    QCOMPARE(f.dialogs->fileRequests.last().folderOrPath,
             ProgramSubFolder("saved") + QStringLiteral("BC0001.KVL"));
    QCOMPARE(f.dialogs->fileRequests.last().defaultSuffix, QStringLiteral("KVL"));
    f.folder.writeFile("saved/bc0001.kvl", "x"); // letter case does not matter
    f.dialogs->saveFileNames << QString();
    s.SaveAsClick();
    QCOMPARE(QFileInfo(f.dialogs->fileRequests.last().folderOrPath).fileName(),
             QStringLiteral("BC0002.KVL"));
    QCOMPARE(TFileCommands::SuggestedCardName(f.folder.filePath("nowhere")),
             QStringLiteral("BC0001.KVL"));
}

void TestFileCommands::saveAsOnADocumentSuggestsItsName()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.drawRectangle();
    f.dialogs->saveFileNames << f.folder.filePath("saved/Acme.KVL") << QString();
    s.SaveAsClick();
    s.SaveAsClick();
    QCOMPARE(f.dialogs->fileRequests.last().folderOrPath,
             ProgramSubFolder("saved") + QStringLiteral("Acme.KVL"));
}

void TestFileCommands::saveAsWritesBothFilesAndRemembersThem()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.drawRectangle();
    const QString path = f.folder.filePath("saved/card.KVL");
    f.dialogs->saveFileNames << path;
    s.Savebutton->click();
    QVERIFY(QFileInfo::exists(path));
    QVERIFY(QFileInfo::exists(f.folder.filePath("saved/card.KVE")));
    QCOMPARE(s.DocumentPath(), path);
    QVERIFY(!s.ChangesMade());
    QVERIFY(s.Savebutton->isHidden());
    QCOMPARE(s.RecentFiles->Items(), QStringList {path});
    const IniFile ini(SettingsFileName());
    QCOMPARE(ini.readString("MRU", "F0"), path);
    f.drawRectangle(QRect(100, 10, 30, 30));
    QCOMPARE(s.Savebutton->text(), QStringLiteral("Save"));
    s.Savebutton->click();
    QVERIFY(!s.ChangesMade());
    QCOMPARE(f.dialogs->fileRequests.size(), 1);
}

void TestFileCommands::saveWithoutDocumentOnlyBeeps()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.drawRectangle();
    s.SaveClick();
    QCOMPARE(f.dialogs->beeps, 1);
    QVERIFY(f.dialogs->fileRequests.isEmpty());
    QVERIFY(s.ChangesMade());
}

void TestFileCommands::saveDropsObjectsOutsideTheCard()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.drawRectangle();
    f.drawRectangle(QRect(f.panel().width() - 5, 10, 40, 20));
    f.dialogs->saveFileNames << f.folder.filePath("saved/a.KVL");
    s.SaveAsClick();
    QCOMPARE(f.panel().ObjectCount(), 1);
}

void TestFileCommands::openRefusesOtherExtensions()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.folder.writeFile("saved/picture.png", "png");
    f.dialogs->openFileNames << f.folder.filePath("saved/picture.png");
    s.OpenClick();
    QCOMPARE(f.dialogs->informations(), QStringList {"Must be a KVL (Karvello) file"});
    QCOMPARE(f.dialogs->fileRequests.constFirst().caption, QStringLiteral("Open Business Card"));
    QCOMPARE(f.dialogs->fileRequests.constFirst().folderOrPath, ProgramSubFolder("saved"));
    QVERIFY(s.DocumentPath().isEmpty());
}

void TestFileCommands::openingReplacesCardAndLayout()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    SheetLayoutSetting upright = s.Layout();
    upright.Layout.Portrait = true;
    upright.Layout.Across = 3;
    s.ApplyLayout(upright);
    f.drawRectangle();
    const QString path = f.folder.filePath("saved/upright.kvl");
    f.dialogs->saveFileNames << path;
    s.SaveAsClick();
    s.NewBlankClick();
    QCOMPARE(s.Layout().Layout.Across, 2);
    QCOMPARE(f.panel().ObjectCount(), 0);
    f.dialogs->openFileNames << path;
    s.OpenClick();
    QCOMPARE(f.panel().ObjectCount(), 1);
    QCOMPARE(s.Layout().Layout.Across, 3);
    QVERIFY(f.panel().Portrait());
    QCOMPARE(s.windowTitle(), QStringLiteral("Karvello - upright.kvl"));
    QVERIFY(!s.ChangesMade());
}

void TestFileCommands::unreadableDocumentLeavesNoPathToOverwrite()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.drawRectangle();
    const QString good = f.folder.filePath("saved/good.KVL");
    f.dialogs->saveFileNames << good;
    s.SaveAsClick();
    const QByteArray saved = f.folder.readFile("saved/good.KVL");
    f.folder.writeFile("saved/bad.KVL", "not a card");
    f.dialogs->openFileNames << f.folder.filePath("saved/bad.KVL");
    s.OpenClick();
    QCOMPARE(f.dialogs->informations().size(), 1);
    QVERIFY(s.DocumentPath().isEmpty());
    QCOMPARE(s.windowTitle(), QStringLiteral("Karvello"));
    s.SaveClick();
    QCOMPARE(f.folder.readFile("saved/good.KVL"), saved);
}

void TestFileCommands::newBlankAsksAndReturnsToDefaultLayout()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    SheetLayoutSetting wide = s.Layout();
    wide.Layout.Width = 4.0f;
    s.ApplyLayout(wide);
    f.drawRectangle();
    f.dialogs->answers << false;
    s.Menus->NewBlankItem->trigger();
    QCOMPARE(f.dialogs->questions(), QStringList {"Save changes?"});
    QCOMPARE(f.panel().ObjectCount(), 0);
    QCOMPARE(s.Layout().Layout.Width, 3.5f);
    QCOMPARE(f.panel().width(), 336);
    QVERIFY(!s.ChangesMade());
}

void TestFileCommands::deleteRemovesCompanionAlsoWithDottedFolder()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.folder.writeFile("saved/v1.2/card.KVL", "objects");
    f.folder.writeFile("saved/v1.2/card.kve", "[Ini Data]\nISINI=1\n");
    f.folder.writeFile("saved/v1.2.KVE", "not the companion");
    f.dialogs->openFileNames << f.folder.filePath("saved/v1.2/card.KVL");
    f.dialogs->answers << true;
    s.Menus->DeleteItem->trigger();
    QCOMPARE(f.dialogs->questions(),
             QStringList {"Delete " + f.folder.filePath("saved/v1.2/card.KVL") + "?"});
    QCOMPARE(f.dialogs->messages.constFirst().caption, QStringLiteral("CONFIRM"));
    QCOMPARE(f.dialogs->fileRequests.constFirst().caption, QStringLiteral("Delete Business Card"));
    QVERIFY(!QFileInfo::exists(f.folder.filePath("saved/v1.2/card.KVL")));
    QVERIFY(!QFileInfo::exists(f.folder.filePath("saved/v1.2/card.kve")));
    QVERIFY(QFileInfo::exists(f.folder.filePath("saved/v1.2.KVE")));
}

void TestFileCommands::deleteNeedsConfirmation()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.folder.writeFile("saved/keep.KVL", "objects");
    f.dialogs->openFileNames << f.folder.filePath("saved/keep.KVL");
    f.dialogs->answers << false;
    s.DeleteClick();
    QVERIFY(QFileInfo::exists(f.folder.filePath("saved/keep.KVL")));
    f.folder.writeFile("saved/keep.txt", "text");
    f.dialogs->openFileNames << f.folder.filePath("saved/keep.txt");
    s.DeleteClick();
    QCOMPARE(f.dialogs->informations(), QStringList {"Must be a KVL (Karvello) file"});
    QVERIFY(QFileInfo::exists(f.folder.filePath("saved/keep.txt")));
}

void TestFileCommands::failedDeleteIsReported()
{
    MainScreenFixture f;
    f.start();
    // A folder by the card's name cannot be deleted as a file, whoever runs the test.
    QVERIFY(QDir().mkpath(f.folder.filePath("saved/stuck.KVL")));
    QVERIFY(!TFileCommands::DeleteCardFiles(f.folder.filePath("saved/stuck.KVL")));
    QCOMPARE(f.dialogs->count(ScriptedDialogs::Message::Error), 1);
    QVERIFY(f.dialogs->messages.constFirst().text.startsWith(
        "Unable to delete " + f.folder.filePath("saved/stuck.KVL")));
}

void TestFileCommands::bitmapExportIsAt100PercentWithOptionalBorder()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.drawRectangle(QRect(40, 40, 60, 30));
    s.ZoomIn();
    s.ZoomIn();
    const QString plain = f.folder.filePath("plain.bmp");
    const QString framed = f.folder.filePath("framed.bmp");
    f.dialogs->saveFileNames << plain << framed;
    f.dialogs->answers << false << true;
    s.Menus->SaveAsBitmapItem->trigger();
    QCOMPARE(f.panel().Zoom(), 1.0f);
    QCOMPARE(s.ToolBar->ZoomCaption->text(), QStringLiteral("100%"));
    s.SaveAsBitmapClick();
    QCOMPARE(f.dialogs->informations(), QStringList({"Saved as " + plain, "Saved as " + framed}));
    QCOMPARE(f.dialogs->questions().constFirst(),
             QStringLiteral("Would you like to draw a border around the card?"));
    QCOMPARE(f.dialogs->fileRequests.constFirst().caption, QStringLiteral("Save Card As Bitmap"));

    QImageReader reader(plain);
    QCOMPARE(reader.format(), QByteArray("bmp"));
    const QImage p = reader.read();
    const QImage b(framed);
    QCOMPARE(p.size(), QSize(336, 192));
    QCOMPARE(f.folder.readFile("plain.bmp").mid(28, 2), QByteArray("\x18\x00", 2));
    QCOMPARE(p.pixelColor(0, 0), QColor(Qt::white));
    QCOMPARE(b.pixelColor(0, 0), QColor(Qt::black));
    QCOMPARE(b.pixelColor(335, 191), QColor(Qt::black));
    QCOMPARE(b.pixelColor(1, 1), QColor(Qt::white));
    QVERIFY(p.pixelColor(40, 40) != QColor(Qt::white)); // the rectangle's outline
    // An export is not a save: the card still asks to be saved.
    QVERIFY(s.ChangesMade());
}

void TestFileCommands::jpegExportWritesAColourJpeg()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.drawRectangle();
    const QString path = f.folder.filePath("card.jpg");
    f.dialogs->saveFileNames << path;
    f.dialogs->answers << true;
    s.SaveAsJpgClick();
    QCOMPARE(f.dialogs->informations(), QStringList {"Saved as " + path});
    QCOMPARE(f.dialogs->fileRequests.constFirst().caption, QStringLiteral("Save Card As JPG"));
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    QCOMPARE(reader.imageFormat(), QImage::Format_RGB32); // colour, not grey
    const QImage image = reader.read();
    QCOMPARE(image.size(), QSize(336, 192));
    QVERIFY(qGray(image.pixel(0, 0)) < 40); // the border, barely touched at quality 100
    QVERIFY(qGray(image.pixel(5, 5)) > 240);
}

void TestFileCommands::exportSuggestsNameFromDocument()
{
    const QString folder = ProgramFolder();
    QCOMPARE(TCardExport::SuggestedName(TCardExport::Format::Bitmap, QString()),
             folder + "BusinessCard.Bmp");
    QCOMPARE(TCardExport::SuggestedName(TCardExport::Format::Jpeg, QString()),
             folder + "BusinessCard.JPG");
    QCOMPARE(TCardExport::SuggestedName(TCardExport::Format::Jpeg, "/home/u/v1.2/card.KVL"),
             QStringLiteral("/home/u/v1.2/card.JPG"));
    QCOMPARE(TCardExport::SuggestedName(TCardExport::Format::Bitmap, "/home/u/my.card.KVL"),
             QStringLiteral("/home/u/my.card.BMP"));
}

void TestFileCommands::failedExportIsReportedInsteadOfSaved()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    const QString path = f.folder.filePath("no-such-folder/card.bmp");
    const QString jpeg = f.folder.filePath("no-such-folder/card.jpg");
    f.dialogs->saveFileNames << path << jpeg;
    s.SaveAsBitmapClick();
    s.SaveAsJpgClick();
    QVERIFY(f.dialogs->informations().isEmpty());
    QCOMPARE(f.dialogs->count(ScriptedDialogs::Message::Error), 2);
    QVERIFY(f.dialogs->texts().last().startsWith("Unable to save " + jpeg));
    QVERIFY(!QFileInfo::exists(path));
}

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
