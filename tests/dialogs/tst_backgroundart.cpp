#include "../app/MainScreenFixture.h"
#include "app/CardClasses.h"
#include "design/TGBusinessCardPanel32.h"
#include "dialogs/TLoadBackGround.h"
#include "platform/HelpTopics.h"
#include "platform/Metafile.h"
#include "print/TCardSheetPrinter.h"
#include "report/PdfTarget.h"
#include "report/TReport.h"
#include "support/PictureSamples.h"
#include "support/ScriptedDialogs.h"

#include <QFile>
#include <QFileSystemModel>
#include <QListView>
#include <QPushButton>
#include <QTest>

using namespace PictureSamples;

class TestBackgroundArt : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerCardClasses(); }
    void cleanup() { UserDialogs::setModalRunner({}); }

    void panelDrawsAMetafileStretchedOverTheCard();
    void portraitBackgroundsFromBitmapAndMetafile();
    void printerBackgroundsKeepMetafilesVector();
    void printerTurnsMetafilesForUprightCards();
    void dialogListsBitmapsAndMetafilesInAnyCase();
    void dialogPreviewPlainAndTurned();
    void okWithoutAFileOnlyBeeps();
    void commandSetsClearsAndKeepsTheBackground();
    void unreadableFileLeavesNoBackgroundAnywhere();
    void lookupByNameIgnoresCaseAndWindowsFolders();
};

namespace {

QByteArray sample(const QString &name)
{
    QFile file(QStringLiteral(KARVELLO_TEST_DATA_DIR "/metafiles/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int nonWhite(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) != qRgb(255, 255, 255);
    return n;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Clicks a file of the dialog's list with the mouse, once the list shows it.
bool clickFile(TLoadBackGround &dialog, const QString &name)
{
    auto *model = qobject_cast<QFileSystemModel *>(dialog.FileList()->model());
    const QString path = QDir(dialog.Folder()).filePath(name);
    QDeadlineTimer deadline(5000);
    while (!model->index(path).isValid() && !deadline.hasExpired())
        QTest::qWait(20);
    const QModelIndex index = model->index(path);
    if (!index.isValid())
        return false;
    QListView *list = dialog.FileList();
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualRect(index).center());
    return dialog.SelectedFile() == path;
}

QPushButton *button(QDialog &dialog, const QString &text)
{
    for (QPushButton *b : dialog.findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

} // namespace

void TestBackgroundArt::panelDrawsAMetafileStretchedOverTheCard()
{
    MainScreenFixture f;
    QVERIFY(f.folder.writeFile("bg/envelope.wmf", sample("envelope.wmf")));
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    panel.LoadBackground(f.folder.filePath("bg/envelope.wmf"));
    QVERIFY(panel.ColorMetafile());
    QVERIFY(panel.ColorPicture().isNull());
    const QImage card = panel.RenderToBitmap();
    // The envelope's dark frame runs along the card's edges: it is stretched.
    QVERIFY(qGray(card.pixel(1, 100)) < 100);
    QVERIFY(qGray(card.pixel(334, 100)) < 100);
    QVERIFY(qGray(card.pixel(60, 181)) < 100);
    QVERIFY(qGray(card.pixel(60, 60)) > 150);
}

void TestBackgroundArt::portraitBackgroundsFromBitmapAndMetafile()
{
    MainScreenFixture f;
    // A 3.5 x 2 inch bitmap whose top-left corner is red.
    QImage art = pattern(336, 192);
    art.setPixel(0, 0, qRgb(255, 0, 0));
    QVERIFY(f.folder.writeFile("bg/art.bmp", bitmapFile(art, 24)));
    QVERIFY(f.folder.writeFile("bg/LOGO.WMF", sample("logo.wmf")));
    TGBusinessCardPanel32 panel;
    SheetLayout layout;
    panel.SetCardOrientation(true, layout, f.folder.filePath("bg/art.bmp"));
    QCOMPARE(panel.size(), QSize(192, 336));
    QCOMPARE(panel.ColorPicture().size(), QSize(192, 336));
    QCOMPARE(panel.ColorPicture().pixel(191, 0), qRgb(255, 0, 0)); // top-left went top-right

    // A metafile named in capitals turns too: a card-sized bitmap with the
    // picture at its own size in the corner, turned.
    panel.SetCardOrientation(true, layout, f.folder.filePath("bg/LOGO.WMF"));
    QVERIFY(!panel.ColorMetafile());
    QCOMPARE(panel.ColorPicture().size(), QSize(192, 336));
    const auto logo = TMetafile::FromData(sample("logo.wmf"));
    // The logo (378 x 138 at 96 per inch) is wider than the card: its left
    // part fills the card's top band, turned into the right-hand column.
    QVERIFY(logo->Width() > 336);
    QVERIFY(nonWhite(panel.ColorPicture().copy(192 - logo->Height(), 0, logo->Height(), 336)) > 1000);
    QCOMPARE(nonWhite(panel.ColorPicture().copy(0, 0, 192 - logo->Height() - 2, 336)), 0);

    // Back to landscape, the metafile is a metafile again.
    panel.SetCardOrientation(false, layout, f.folder.filePath("bg/LOGO.WMF"));
    QVERIFY(panel.ColorMetafile());
}

void TestBackgroundArt::printerBackgroundsKeepMetafilesVector()
{
    MainScreenFixture f;
    QVERIFY(f.folder.writeFile("bg/globe.emf", sample("globe.emf")));
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    TCardSheetPrinter sheet;
    sheet.Panel = &panel;
    sheet.BackgroundFile = f.folder.filePath("bg/globe.emf");
    sheet.LoadBackGround();
    QCOMPARE(sheet.BackgroundKind(), TCardSheetPrinter::bkMetafile);
    const QString pdf = f.folder.filePath("sheet.pdf");
    TReport job(std::make_unique<PdfTarget>(pdf, 300));
    job.onPrint = [&](TReport &j) { sheet.PrintBackGround(j, 1.0, 1.0); };
    QVERIFY(job.run());
    const QByteArray bytes = fileBytes(pdf);
    QVERIFY(bytes.size() > 1500);
    QVERIFY(!bytes.contains("/Subtype /Image"));

    sheet.BackgroundFile = f.folder.filePath("bg/missing.wmf");
    sheet.LoadBackGround();
    QCOMPARE(sheet.BackgroundKind(), TCardSheetPrinter::bkNone);
    QVERIFY(f.folder.writeFile("bg/broken.WMF", "no metafile"));
    sheet.BackgroundFile = f.folder.filePath("bg/broken.WMF");
    sheet.LoadBackGround();
    QCOMPARE(sheet.BackgroundKind(), TCardSheetPrinter::bkNone);
}

void TestBackgroundArt::printerTurnsMetafilesForUprightCards()
{
    MainScreenFixture f;
    QVERIFY(f.folder.writeFile("bg/Globe.Emf", sample("globe.emf")));
    TGBusinessCardPanel32 panel;
    panel.SetCardOrientation(true, SheetLayout(), QString());
    TCardSheetPrinter sheet;
    sheet.Panel = &panel;
    sheet.BackgroundFile = f.folder.filePath("bg/Globe.Emf");
    sheet.LoadBackGround();
    QCOMPARE(sheet.BackgroundKind(), TCardSheetPrinter::bkBitmap);
}

void TestBackgroundArt::dialogListsBitmapsAndMetafilesInAnyCase()
{
    MainScreenFixture f;
    for (const char *name : {"a.BMP", "b.bmp", "c.Wmf", "d.jpg", "e.emf", "f.txt"})
        QVERIFY(f.folder.writeFile(QString("bg/") + name, "x"));
    TLoadBackGround dialog;
    QCOMPARE(dialog.windowTitle(), QString("Load  Business Card Background Art "));
    QVERIFY(HelpTopicPage(2101).toString().endsWith("background.html"));
    dialog.SetFolder(f.folder.filePath("bg"));
    auto *model = qobject_cast<QFileSystemModel *>(dialog.FileList()->model());
    const QModelIndex root = dialog.FileList()->rootIndex();
    QDeadlineTimer deadline(5000);
    while (model->rowCount(root) < 3 && !deadline.hasExpired())
        QTest::qWait(20);
    QTest::qWait(100);
    QStringList names;
    for (int i = 0; i < model->rowCount(root); ++i)
        names << model->fileName(model->index(i, 0, root));
    names.sort();
    QCOMPARE(names, QStringList({"a.BMP", "b.bmp", "c.Wmf"}));
    QVERIFY(dialog.SelectedFile().isEmpty());
}

void TestBackgroundArt::dialogPreviewPlainAndTurned()
{
    MainScreenFixture f;
    QVERIFY(f.folder.writeFile("bg/card.bmp", bitmapFile(pattern(336, 192), 24)));
    QVERIFY(f.folder.writeFile("bg/broken.bmp", "no bitmap"));
    QVERIFY(f.folder.writeFile("bg/logo.WMF", sample("logo.wmf")));
    TLoadBackGround plain;
    QVERIFY(plain.SelectFile(f.folder.filePath("bg/card.bmp")));
    QCOMPARE(plain.PreviewImage().size(), QSize(336, 192));
    QVERIFY(plain.SelectFile(f.folder.filePath("bg/logo.WMF")));
    QCOMPARE(plain.PreviewImage().size(), TMetafile::FromData(sample("logo.wmf"))->Size());
    QVERIFY(plain.SelectFile(f.folder.filePath("bg/broken.bmp")));
    QVERIFY(plain.PreviewImage().isNull());
    QCOMPARE(f.dialogs->texts(), QStringList({"Error loading file!"}));

    TLoadBackGround turned;
    turned.SetRotated(true);
    QVERIFY(turned.SelectFile(f.folder.filePath("bg/card.bmp")));
    QCOMPARE(turned.PreviewImage().size(), QSize(192, 336)); // 2 inches wide, 3.5 high
    QVERIFY(turned.SelectFile(f.folder.filePath("bg/logo.WMF")));
    QCOMPARE(turned.PreviewImage().size(), QSize(192, 336));
    const QImage before = turned.PreviewImage();
    QVERIFY(turned.SelectFile(f.folder.filePath("bg/broken.bmp")));
    QCOMPARE(turned.PreviewImage(), before); // errors keep the old preview
    QCOMPARE(f.dialogs->texts().size(), 1);
}

void TestBackgroundArt::okWithoutAFileOnlyBeeps()
{
    MainScreenFixture f;
    TLoadBackGround dialog;
    dialog.SetFolder(f.folder.filePath("bg"));
    dialog.open();
    dialog.OKButtonClick();
    QCOMPARE(f.dialogs->beeps, 1);
    QVERIFY(dialog.isVisible());
    dialog.NoneButtonClick();
    QCOMPARE(dialog.result(), TLoadBackGround::NoneResult);
}

void TestBackgroundArt::commandSetsClearsAndKeepsTheBackground()
{
    MainScreenFixture f;
    QVERIFY(f.folder.writeFile("bg/envelope.wmf", sample("envelope.wmf")));
    TMainScreen &screen = f.start();
    // No background: the "bg" folder, nothing selected; OK takes the file chosen.
    QString listed, preselected;
    UserDialogs::setModalRunner(modalRunnerFor<TLoadBackGround>([&](TLoadBackGround &dialog) {
        listed = dialog.Folder();
        preselected = dialog.SelectedFile();
        dialog.SelectFile(f.folder.filePath("bg/envelope.wmf"));
        return int(QDialog::Accepted);
    }));
    screen.RunCommand(TMainCommand::BackgroundArt);
    QCOMPARE(QDir(listed).canonicalPath(), QDir(f.folder.filePath("bg")).canonicalPath());
    QVERIFY(preselected.isEmpty());
    QCOMPARE(screen.BackgroundPath(), f.folder.filePath("bg/envelope.wmf"));
    QVERIFY(f.panel().ColorMetafile());
    QVERIFY(screen.ChangesMade());

    // Cancel changes nothing; the current file is preselected.
    screen.ClearChangesFlag();
    UserDialogs::setModalRunner(modalRunnerFor<TLoadBackGround>([&](TLoadBackGround &dialog) {
        preselected = dialog.SelectedFile();
        return int(QDialog::Rejected);
    }));
    screen.RunCommand(TMainCommand::BackgroundArt);
    QCOMPARE(preselected, f.folder.filePath("bg/envelope.wmf"));
    QVERIFY(!screen.ChangesMade());
    QVERIFY(f.panel().HasColorPicture());

    // A background that moved is found by name in the "bg" folder.
    screen.SetBackgroundPath("/nowhere/envelope.wmf");
    screen.RunCommand(TMainCommand::BackgroundArt);
    QCOMPARE(preselected, f.folder.filePath("bg/envelope.wmf"));
    QCOMPARE(screen.BackgroundPath(), QString("/nowhere/envelope.wmf"));

    // "None" removes it and marks the card changed.
    UserDialogs::setModalRunner(
        modalRunnerFor<TLoadBackGround>([](TLoadBackGround &) { return TLoadBackGround::NoneResult; }));
    screen.RunCommand(TMainCommand::BackgroundArt);
    QVERIFY(screen.BackgroundPath().isEmpty());
    QVERIFY(!f.panel().HasColorPicture());
    QVERIFY(screen.ChangesMade());
}

// "Ok" on a file that cannot be read makes it the background: the card then
// shows none, prints none and reopens with none.
void TestBackgroundArt::unreadableFileLeavesNoBackgroundAnywhere()
{
    MainScreenFixture f;
    QVERIFY(f.folder.writeFile("bg/envelope.wmf", sample("envelope.wmf")));
    QVERIFY(f.folder.writeFile("bg/broken.bmp", "no bitmap"));
    TMainScreen &screen = f.start();
    screen.SetBackgroundPath(f.folder.filePath("bg/envelope.wmf"));
    f.panel().LoadBackground(screen.BackgroundPath());
    QVERIFY(f.panel().HasColorPicture());

    bool clicked = false;
    UserDialogs::setModalRunner(modalRunnerFor<TLoadBackGround>([&](TLoadBackGround &dialog) {
        dialog.show();
        if (!QTest::qWaitForWindowActive(&dialog))
            return int(QDialog::Rejected);
        clicked = clickFile(dialog, "broken.bmp");
        QTest::mouseClick(button(dialog, "Ok"), Qt::LeftButton);
        return dialog.result();
    }));
    screen.RunCommand(TMainCommand::BackgroundArt);
    QVERIFY(clicked);
    QCOMPARE(f.dialogs->texts(), QStringList({"Error loading file!"}));
    QCOMPARE(screen.BackgroundPath(), f.folder.filePath("bg/broken.bmp"));
    QVERIFY(screen.ChangesMade());
    QVERIFY(!f.panel().HasColorPicture());
    QCOMPARE(nonWhite(f.panel().RenderToBitmap()), 0);

    TCardSheetPrinter sheet;
    sheet.Panel = &f.panel();
    sheet.BackgroundFile = screen.BackgroundPath();
    sheet.LoadBackGround();
    QCOMPARE(sheet.BackgroundKind(), TCardSheetPrinter::bkNone);

    const QString card = f.folder.filePath("saved/card.kvl");
    QVERIFY(screen.SaveDocument(card));
    screen.OpenDocument(card);
    QCOMPARE(screen.BackgroundPath(), f.folder.filePath("bg/broken.bmp"));
    QVERIFY(!f.panel().HasColorPicture());

    // Turning the card keeps it without background.
    screen.ApplyOrientation(true);
    QVERIFY(!f.panel().HasColorPicture());
}

// Documents and templates come from Windows: a background named there is
// found by its name, whatever folder and letter case it was written with.
void TestBackgroundArt::lookupByNameIgnoresCaseAndWindowsFolders()
{
    MainScreenFixture f;
    QVERIFY(f.folder.writeFile("bg/blue.bmp", bitmapFile(pattern(336, 192), 24)));
    TMainScreen &screen = f.start();
    QStringList preselected;
    UserDialogs::setModalRunner(modalRunnerFor<TLoadBackGround>([&](TLoadBackGround &dialog) {
        preselected << dialog.SelectedFile();
        return int(QDialog::Rejected);
    }));
    const QString blue = f.folder.filePath("bg/blue.bmp");
    for (const QString &stored : {QStringLiteral("C:\\Program Files\\X\\bg\\Blue.BMP"),
                                  QStringLiteral("/nowhere/BLUE.bmp"), f.folder.filePath("BG/Blue.BMP")}) {
        screen.SetBackgroundPath(stored);
        screen.RunCommand(TMainCommand::BackgroundArt);
        QCOMPARE(screen.BackgroundPath(), stored); // only preselected
    }
    QCOMPARE(preselected, QStringList({blue, blue, blue}));

    // A path that differs from the file only in letter case: the screen and
    // the printer both find it.
    screen.ApplyOrientation(false);
    QVERIFY(f.panel().HasColorPicture());
    TCardSheetPrinter sheet;
    sheet.Panel = &f.panel();
    sheet.BackgroundFile = screen.BackgroundPath();
    sheet.LoadBackGround();
    QCOMPARE(sheet.BackgroundKind(), TCardSheetPrinter::bkBitmap);

    // A template written from a card with a Windows background names the
    // file alone, which reads back from the "bg" folder.
    const QString templateFile = f.folder.filePath("t.kvlt");
    QVERIFY(f.panel().WriteTemplate(templateFile, "C:\\Program Files\\X\\bg\\Blue.BMP"));
    TGBusinessCardPanel32 panel;
    QCOMPARE(panel.ReadTemplate(templateFile), QStringLiteral("Blue.BMP"));
}

QTEST_MAIN(TestBackgroundArt)
#include "tst_backgroundart.moc"
