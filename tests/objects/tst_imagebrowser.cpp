#include "app/CardClasses.h"
#include "design/CardPanelHost.h"
#include "objects/TGImage.h"
#include "objects/TGImageBrowser.h"
#include "platform/HelpTopics.h"
#include "platform/ScreenMetrics.h"
#include "support/ModernPictures.h"
#include "support/PictureSamples.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileSystemModel>
#include <QListView>
#include <QPushButton>
#include <QTreeView>
#include <QSignalSpy>
#include <QTest>

using namespace PictureSamples;

class TestImageBrowser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerCardClasses(); }
    void init()
    {
        ScreenMetrics::setOverride(96);
        TGImageBrowser::ResetStartFolder();
    }
    void cleanup() { ScreenMetrics::resetOverride(); }

    void looksAsItShould();
    void listsPictureFilesWhateverTheirLetterCase();
    void opensOnClipartThenOnTheLastFolder();
    void previewFailuresPerExtension();
    void stretchAndAutoSizeExcludeEachOther();
    void folderTreeStartsAtTheClipartFolder();
    void okTakesThePreviewedPictureWithoutASelectedFile();
    void clickWithTheToolPlacesThePictureAtItsOwnSize();
    void previewShowsTransparencyOverACheckerboard();
};

namespace {

QStringList listed(TGImageBrowser &browser)
{
    auto *model = qobject_cast<QFileSystemModel *>(browser.FileList()->model());
    const QModelIndex root = browser.FileList()->rootIndex();
    // The model reads folders in the background.
    QDeadlineTimer deadline(5000);
    while (model->rowCount(root) == 0 && !deadline.hasExpired())
        QTest::qWait(20);
    QTest::qWait(100);
    QStringList names;
    for (int i = 0; i < model->rowCount(root); ++i)
        names << model->fileName(model->index(i, 0, root));
    names.sort(Qt::CaseInsensitive);
    return names;
}

} // namespace

void TestImageBrowser::looksAsItShould()
{
    TempProgramFolder folder;
    TGImageBrowser browser;
    QCOMPARE(browser.windowTitle(), QString("Load Image File "));
    QCOMPARE(browser.size(), QSize(592, 300));
    auto boxes = browser.findChildren<QCheckBox *>();
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes[0]->text(), QString("Stretch"));
    QCOMPARE(boxes[0]->toolTip(), QString("Stretch image to max display size"));
    QCOMPARE(boxes[1]->text(), QString("AutoSize"));
    QCOMPARE(boxes[1]->toolTip(), QString("AutoSize TImage"));
    QVERIFY(HelpTopicPage(40003).toString().endsWith("pictures.html"));
    browser.show();
    QVERIFY(QTest::qWaitForWindowActive(&browser));
    QCOMPARE(QApplication::focusWidget(), browser.FileList());
    if (!qEnvironmentVariableIsEmpty("KARVELLO_SHOT"))
        browser.grab().save(qEnvironmentVariable("KARVELLO_SHOT"));
}

void TestImageBrowser::listsPictureFilesWhateverTheirLetterCase()
{
    TempProgramFolder folder;
    const QByteArray bmp = bitmapFile(pattern(4, 4), 24);
    for (const char *name : {"A.BMP", "b.jpeg", "c.Wmf", "d.ICO", "e.emf", "f.Jif", "g.jpg", "h.txt", "i.gif", "j.bmp.bak",
                             "k.PNG", "l.svg", "m.SVGZ", "n.tif", "o.TIFF", "p.webp", "q.png.txt"})
        QVERIFY(folder.writeFile(QString("art/") + name, bmp));
    TGImageBrowser browser;
    browser.OpenDirectory(folder.filePath("art"));
    QCOMPARE(listed(browser), QStringList({"A.BMP", "b.jpeg", "c.Wmf", "d.ICO", "e.emf", "f.Jif", "g.jpg", "i.gif",
                                           "k.PNG", "l.svg", "m.SVGZ", "n.tif", "o.TIFF", "p.webp"}));
}

void TestImageBrowser::opensOnClipartThenOnTheLastFolder()
{
    TempProgramFolder folder;
    {
        TGImageBrowser browser;
        QCOMPARE(QDir(browser.Folder()).canonicalPath(), QDir(folder.path()).canonicalPath());
    }
    QVERIFY(folder.writeFile("ClipArt/x.bmp", bitmapFile(pattern(4, 4), 24)));
    QVERIFY(folder.writeFile("other/y.bmp", bitmapFile(pattern(4, 4), 24)));
    TGImageBrowser::ResetStartFolder();
    {
        TGImageBrowser browser;
        QCOMPARE(QDir(browser.Folder()).canonicalPath(), QDir(folder.filePath("ClipArt")).canonicalPath());
        browser.OpenDirectory(folder.filePath("other"));
    }
    TGImageBrowser again;
    QCOMPARE(QDir(again.Folder()).canonicalPath(), QDir(folder.filePath("other")).canonicalPath());
}

void TestImageBrowser::previewFailuresPerExtension()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile("good.bmp", bitmapFile(pattern(30, 20), 24)));
    QVERIFY(folder.writeFile("bad.bmp", "not a bitmap at all, just text"));
    QVERIFY(folder.writeFile("bad.wmf", "not a metafile either"));
    QVERIFY(folder.writeFile("bad.jpg", "no JPEG"));
    QVERIFY(folder.writeFile("bad.ico", "no icon"));
    ScopedScriptedDialogs dialogs;
    TGImageBrowser browser;
    QVERIFY(browser.SelectFile(folder.filePath("good.bmp")));
    QCOMPARE(browser.PreviewPicture().Bitmap().size(), QSize(30, 20));
    QCOMPARE(browser.SelectedFile(), folder.filePath("good.bmp"));

    QVERIFY(browser.SelectFile(folder.filePath("bad.bmp")));
    QVERIFY(browser.PreviewPicture().IsEmpty());
    QCOMPARE(dialogs->texts(), QStringList({"Error loading file!"}));
    QCOMPARE(dialogs->count(ScriptedDialogs::Message::Error), 1);
    QVERIFY(browser.SelectFile(folder.filePath("bad.wmf")));
    QCOMPARE(dialogs->texts().size(), 2);

    browser.SelectFile(folder.filePath("good.bmp"));
    for (const char *silent : {"bad.jpg", "bad.ico"}) {
        QVERIFY(browser.SelectFile(folder.filePath(silent)));
        QVERIFY(browser.PreviewPicture().IsEmpty());
    }
    QCOMPARE(dialogs->texts().size(), 2);
    QVERIFY(QApplication::overrideCursor() == nullptr); // the hourglass is gone
}

void TestImageBrowser::stretchAndAutoSizeExcludeEachOther()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile("good.bmp", bitmapFile(pattern(300, 200), 24)));
    TGImageBrowser browser;
    browser.SetStretch(true);
    browser.SetAutoSize(false);
    browser.SelectFile(folder.filePath("good.bmp"));
    QVERIFY(browser.Preview()->Stretch());
    browser.SetAutoSize(true);
    QVERIFY(!browser.StretchChecked());
    QVERIFY(browser.Preview()->AutoSize());
    QCOMPARE(browser.Preview()->size(), QSize(300, 200));
    browser.SetStretch(true);
    QVERIFY(!browser.AutoSizeChecked());
    QVERIFY(!browser.Preview()->AutoSize());
}


void TestImageBrowser::folderTreeStartsAtTheClipartFolder()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile("clipart/Animals/cat.bmp", bitmapFile(pattern(4, 4), 24)));
    QVERIFY(folder.writeFile("clipart/Business/pen.bmp", bitmapFile(pattern(4, 4), 24)));
    TGImageBrowser browser;
    QTreeView *tree = browser.FolderTree();
    auto *model = qobject_cast<QFileSystemModel *>(tree->model());
    QCOMPARE(QDir(model->filePath(tree->rootIndex())).canonicalPath(),
             QDir(folder.filePath("clipart")).canonicalPath());
    QDeadlineTimer deadline(5000);
    while (model->rowCount(tree->rootIndex()) < 2 && !deadline.hasExpired())
        QTest::qWait(20);
    QStringList names;
    for (int i = 0; i < model->rowCount(tree->rootIndex()); ++i)
        names << model->fileName(model->index(i, 0, tree->rootIndex()));
    names.sort();
    QCOMPARE(names, QStringList({"Animals", "Business"}));
    QCOMPARE(tree->textElideMode(), Qt::ElideNone);
    // Outside the clip art the whole file system shows again.
    QVERIFY(folder.writeFile("other/y.bmp", bitmapFile(pattern(4, 4), 24)));
    browser.OpenDirectory(folder.filePath("other"));
    QVERIFY(!tree->rootIndex().isValid());
}

void TestImageBrowser::okTakesThePreviewedPictureWithoutASelectedFile()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile("clipart/good.bmp", bitmapFile(pattern(30, 20), 24)));
    CardPanelHost host;
    auto *image = new TGImage(host.panel);
    image->Loaded();
    host.panel->PlaceObject(image, QRect(10, 10, 60, 40));
    const ScopedModalRunner runner(modalRunnerFor<TGImageBrowser>([&folder](TGImageBrowser &browser) {
        browser.show();
        browser.SelectFile(folder.filePath("clipart/good.bmp"));
        // The picture shows, but nothing is selected in the list any more.
        browser.FileList()->clearSelection();
        if (!browser.SelectedFile().isEmpty() || browser.PreviewPicture().IsEmpty())
            return int(QDialog::Rejected);
        QTest::mouseClick(browser.OkButtonWidget(), Qt::LeftButton);
        return browser.result();
    }));
    image->LoadImageFromDisk();
    QVERIFY(!image->Picture().IsEmpty());
    QCOMPARE(image->Picture().Bitmap().size(), QSize(30, 20));
}

void TestImageBrowser::clickWithTheToolPlacesThePictureAtItsOwnSize()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile("clipart/small.bmp", bitmapFile(pattern(90, 60), 24)));
    QVERIFY(folder.writeFile("clipart/wide.bmp", bitmapFile(pattern(672, 96), 24)));
    CardPanelHost host; // 336 x 192
    QString chosen;
    const ScopedModalRunner runner(modalRunnerFor<TGImageBrowser>([&](TGImageBrowser &browser) {
        browser.SelectFile(folder.filePath(chosen));
        return int(QDialog::Accepted);
    }));
    chosen = QStringLiteral("clipart/small.bmp");
    host.panel->SetPanelState(psImage);
    host.click(QPoint(100, 50));
    QCOMPARE(host.panel->ObjectCount(), 1);
    QCOMPARE(host.panel->Objects().last()->BoundsRect(), QRect(100, 50, 90, 60));
    // Twice the card's width: halved, aspect kept, moved back onto the card.
    chosen = QStringLiteral("clipart/wide.bmp");
    host.panel->SetPanelState(psImage);
    host.click(QPoint(200, 150));
    QCOMPARE(host.panel->Objects().last()->BoundsRect(), QRect(0, 144, 336, 48));
    // A drawn box is kept as drawn.
    host.panel->SetPanelState(psImage);
    host.drag(QPoint(20, 20), QPoint(120, 80));
    QCOMPARE(host.panel->Objects().last()->BoundsRect(), QRect(20, 20, 100, 60));
}

void TestImageBrowser::previewShowsTransparencyOverACheckerboard()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile("logo.png", ModernPictures::pngFile(ModernPictures::halfTransparent(64, 32), 6, 8)));
    QVERIFY(folder.writeFile("logo.svg", ModernPictures::svgFile(64, 32)));
    TGImageBrowser browser;
    browser.SetAutoSize(true);
    for (const char *name : {"logo.png", "logo.svg"}) {
        QVERIFY(browser.SelectFile(folder.filePath(name)));
        QVERIFY(browser.PreviewPicture().KeepsTransparency());
        const QImage shown = browser.Preview()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), QSize(64, 32));
        QCOMPARE(shown.pixel(4, 4), qRgb(255, 0, 0));
        // The clear top right quarter: grey and white squares of 8 pixels.
        QCOMPARE(shown.pixel(36, 4), qRgb(204, 204, 204)); // check (4, 0): even
        QCOMPARE(shown.pixel(44, 4), qRgb(255, 255, 255)); // check (5, 0): odd
        QCOMPARE(shown.pixel(44, 12), qRgb(204, 204, 204));
    }
}

QTEST_MAIN(TestImageBrowser)
#include "tst_imagebrowser.moc"
