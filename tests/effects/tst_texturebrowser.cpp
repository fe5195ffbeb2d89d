// The "Load Texture Image" browsers: where they open, which files they list
// and how a chosen file reaches the example object.
#include "effects/TSuperShape.h"
#include "effects/TTextureBrowser.h"
#include "platform/ScreenMetrics.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"

#include <QBuffer>
#include <QListWidget>
#include <QPainter>
#include <QtTest>

namespace {

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage plain(QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QStringList listed(const QListWidget *list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

// Any textured object serves as the SuperText browser's example.
class TexturedBox : public TGGraphicControl, public TTextured
{
public:
    const QImage &TextureImage() const override { return image; }
    void SetTextureImage(const QImage &i) override { image = i; }
    QImage image;
};

} // namespace

class TestTextureBrowser : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }

    void opensInBmbrushThenTexturesThenTheProgramFolder()
    {
        TempProgramFolder program;
        QCOMPARE(QDir(TTextureBrowser::StartFolder(program.path())), QDir(program.path()));
        QVERIFY(program.writeFile("Textures/wood.bmp", encoded(plain({4, 4}, Qt::darkYellow), "BMP")));
        QCOMPARE(QDir(TTextureBrowser::StartFolder(program.path())), QDir(program.filePath("Textures")));
        QVERIFY(program.writeFile("BMBrush/stone.bmp", encoded(plain({4, 4}, Qt::gray), "BMP")));
        // The folder name is matched without regard to letter case.
        QCOMPARE(QDir(TTextureBrowser::StartFolder(program.path())), QDir(program.filePath("BMBrush")));

        TGBrushImageBrowser browser;
        browser.Start(QString(), program.path());
        QCOMPARE(QDir(browser.Folder()), QDir(program.filePath("BMBrush")));
        QCOMPARE(listed(browser.FileListBox1), QStringList{"stone.bmp"});
        QVERIFY(browser.FileName().isEmpty());
        // A texture path that no longer exists falls back the same way.
        browser.Start(program.filePath("gone/old.bmp"), program.path());
        QCOMPARE(QDir(browser.Folder()), QDir(program.filePath("BMBrush")));
    }

    void listsTexturePicturesOfAnyLetterCase()
    {
        TempProgramFolder program;
        const QByteArray bmp = encoded(plain({4, 4}, Qt::red), "BMP");
        for (const char *name : {"a.BMP", "b.bmp", "c.Jpg", "d.jif", "e.ico", "f.wmf", "g.txt", "h.jpeg"})
            QVERIFY(program.writeFile(QString("tex/") + name, bmp));
        QVERIFY(QDir(program.path()).mkpath("tex/sub"));
        TGBrushImageBrowser browser;
        QVERIFY(browser.OpenFolder(program.filePath("tex")));
        QCOMPARE(listed(browser.FileListBox1), (QStringList{"a.BMP", "b.bmp", "c.Jpg", "d.jif", "e.ico"}));
        QCOMPARE(listed(browser.DirectoryList), (QStringList{"..", "sub"}));
        QVERIFY(!browser.OpenFolder(program.filePath("missing")));
    }

    void choosingAFileLoadsItIntoTheExample()
    {
        ScopedScriptedDialogs dialogs;
        TempProgramFolder program;
        QVERIFY(program.writeFile("bmbrush/red.bmp", encoded(plain({6, 5}, Qt::red), "BMP")));
        QVERIFY(program.writeFile("bmbrush/green.jpg", encoded(plain({16, 8}, Qt::green), "JPG")));
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        QPainter(&icon).fillRect(0, 0, 16, 32, Qt::blue);
        QVERIFY(program.writeFile("bmbrush/blue.ico", encoded(icon, "ICO")));

        TGBrushImageBrowser browser;
        browser.ExampleSuperShape().SetSurfaceType(TSuperShape::stBrushImage);
        QVERIFY(browser.SelectFile(program.filePath("bmbrush/red.bmp")));
        QCOMPARE(browser.FileName(), program.filePath("bmbrush/red.bmp"));
        QCOMPARE(browser.ExampleSuperShape().Image().size(), QSize(6, 5));
        QCOMPARE(browser.ExampleSuperShape().Image().pixelColor(2, 2), QColor(Qt::red));

        QVERIFY(browser.SelectFile(program.filePath("bmbrush/green.jpg")));
        const QImage jpeg = browser.ExampleSuperShape().Image();
        QCOMPARE(jpeg.size(), QSize(16, 8));
        QVERIFY(qGreen(jpeg.pixel(8, 4)) > 200 && qRed(jpeg.pixel(8, 4)) < 40);

        // An icon is drawn on white: its transparent half stays white.
        QVERIFY(browser.SelectFile(program.filePath("bmbrush/blue.ico")));
        const QImage ico = browser.ExampleSuperShape().Image();
        QCOMPARE(ico.size(), QSize(32, 32));
        QCOMPARE(ico.pixelColor(4, 4), QColor(Qt::blue));
        QCOMPARE(ico.pixelColor(28, 4), QColor(Qt::white));
        QVERIFY(dialogs->messages.isEmpty());
    }

    void aFileThatFailsEmptiesTheExample()
    {
        ScopedScriptedDialogs dialogs;
        TempProgramFolder program;
        QVERIFY(program.writeFile("t/good.bmp", encoded(plain({6, 5}, Qt::red), "BMP")));
        QVERIFY(program.writeFile("t/broken.bmp", QByteArray("BM not really a bitmap")));
        QVERIFY(program.writeFile("t/broken.jpg", QByteArray("\xFF\xD8\xFF garbage", 12)));
        QByteArray huge = encoded(plain({6, 5}, Qt::red), "BMP");
        qToLittleEndian<qint32>(30000, huge.data() + 18);
        QVERIFY(program.writeFile("t/huge.bmp", huge));

        TGBrushImageBrowser browser;
        browser.ExampleSuperShape().SetSurfaceType(TSuperShape::stBrushImage);
        QVERIFY(browser.SelectFile(program.filePath("t/good.bmp")));
        QVERIFY(!browser.ExampleSuperShape().Image().isNull());
        // Bitmap files say so in words...
        QVERIFY(browser.SelectFile(program.filePath("t/broken.bmp")));
        QVERIFY(browser.ExampleSuperShape().Image().isNull());
        QCOMPARE(dialogs->texts(), QStringList{"Error loading file!"});
        QCOMPARE(dialogs->messages.first().kind, ScriptedDialogs::Message::Error);
        QVERIFY(browser.SelectFile(program.filePath("t/huge.bmp")));
        QVERIFY(browser.ExampleSuperShape().Image().isNull());
        QCOMPARE(dialogs->messages.size(), 2);
        // ... other files only leave the example empty.
        QVERIFY(browser.SelectFile(program.filePath("t/good.bmp")));
        QVERIFY(browser.SelectFile(program.filePath("t/broken.jpg")));
        QVERIFY(browser.ExampleSuperShape().Image().isNull());
        QCOMPARE(dialogs->messages.size(), 2);
    }

    void theTextBrowserSharesTheBehaviour()
    {
        ScopedScriptedDialogs dialogs;
        TempProgramFolder program;
        QVERIFY(program.writeFile("Textures/red.bmp", encoded(plain({3, 3}, Qt::red), "BMP")));
        auto box = std::make_unique<TexturedBox>();
        TexturedBox *example = box.get();
        TSuperTextBrushImageBrowser browser(std::move(box));
        QCOMPARE(&browser.SuperTextExample(), static_cast<TGGraphicControl *>(example));
        QCOMPARE(browser.windowTitle(), QString("Load Texture Image"));
        browser.Start(QString(), program.path());
        QCOMPARE(QDir(browser.Folder()), QDir(program.filePath("Textures")));
        browser.FileListBox1->setCurrentRow(0);
        QCOMPARE(example->image.size(), QSize(3, 3));
        // Selecting the texture path's file directly.
        browser.Start(program.filePath("Textures/red.bmp"), program.path());
        QCOMPARE(browser.FileName(), program.filePath("Textures/red.bmp"));
    }
};

QTEST_MAIN(TestTextureBrowser)
#include "tst_texturebrowser.moc"
