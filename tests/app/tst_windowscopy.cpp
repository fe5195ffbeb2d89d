#include "MainScreenFixture.h"

#include "app/WindowsCopy.h"
#include "design/CardDocument.h"
#include "objects/TGImage.h"
#include "support/ModernPictures.h"

#include <QFile>
#include <QTest>

using namespace ModernPictures;

class TestWindowsCopy : public QObject
{
    Q_OBJECT

private slots:
    void saveAsOffersOnceACopyWithBitmapsOnWhite();
    void declinedOfferWritesNothing();
    void cardWithoutSuchPicturesIsNotAsked();
};

namespace {

TGImage *addPicture(TGBusinessCardPanel32 &panel, QRect r, const QByteArray &file)
{
    auto *image = new TGImage(&panel);
    image->Loaded();
    panel.PlaceObject(image, r);
    TPicture picture;
    picture.LoadFromData(file, QString());
    image->SetPicture(picture);
    return image;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestWindowsCopy::saveAsOffersOnceACopyWithBitmapsOnWhite()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.drawRectangle(QRect(200, 100, 40, 30));
    addPicture(f.panel(), QRect(10, 10, 80, 40), pngFile(halfTransparent(40, 20), 6, 8));
    TGImage *svg = addPicture(f.panel(), QRect(10, 60, 80, 40), svgFile(40, 20));
    svg->SetAutoSize(true);
    const QString path = f.folder.filePath("saved/logo.KVL");
    f.dialogs->saveFileNames << path;
    f.dialogs->answers << true;
    s.SaveAsClick();
    QCOMPARE(f.dialogs->questions().size(), 1);
    QVERIFY(f.dialogs->questions().first().contains("Windows"));

    const QString copy = f.folder.filePath("saved/logo (Windows).KVL");
    QCOMPARE(WindowsCopy::PathFor(path), copy);
    QVERIFY(QFile::exists(copy));
    QCOMPARE(fileBytes(f.folder.filePath("saved/logo (Windows).KVE")), fileBytes(f.folder.filePath("saved/logo.KVE")));
    QCOMPARE(s.DocumentPath(), path); // the card on screen stays the real one
    QVERIFY(fileBytes(path).contains("TPngImage"));

    TGBusinessCardPanel32 reopened;
    QString error;
    QVERIFY2(CardDocument::LoadFromFile(reopened, copy, &error), qPrintable(error));
    QCOMPARE(reopened.Objects().size(), 3);
    const QByteArray bytes = fileBytes(copy);
    QVERIFY(!bytes.contains("TPngImage") && !bytes.contains("TSvgImage"));
    auto *png = qobject_cast<TGImage *>(reopened.Objects()[1]);
    auto *drawing = qobject_cast<TGImage *>(reopened.Objects()[2]);
    QVERIFY(png && drawing);
    QCOMPARE(png->Picture().Kind(), TPicture::pkBitmap);
    QCOMPARE(png->Picture().Bitmap().pixel(30, 2), qRgb(255, 255, 255)); // see-through became white
    QCOMPARE(png->Picture().Bitmap().pixel(2, 2), qRgb(255, 0, 0));
    QCOMPARE(drawing->Picture().Kind(), TPicture::pkBitmap);
    QCOMPARE(drawing->BoundsRect(), svg->BoundsRect()); // an auto-sized box keeps its size

    // A later Save As of the same card does not ask again.
    f.dialogs->saveFileNames << path;
    s.SaveAsClick();
    QCOMPARE(f.dialogs->questions().size(), 1);
}

void TestWindowsCopy::declinedOfferWritesNothing()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    addPicture(f.panel(), QRect(10, 10, 80, 40), writtenFile(halfTransparent(40, 20), "webp"));
    f.dialogs->saveFileNames << f.folder.filePath("saved/a.KVL");
    f.dialogs->answers << false;
    s.SaveAsClick();
    QCOMPARE(f.dialogs->questions().size(), 1);
    QVERIFY(QFile::exists(f.folder.filePath("saved/a.KVL")));
    QVERIFY(!QFile::exists(f.folder.filePath("saved/a (Windows).KVL")));
}

void TestWindowsCopy::cardWithoutSuchPicturesIsNotAsked()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.drawRectangle();
    QImage bitmap(20, 10, QImage::Format_RGB32);
    bitmap.fill(Qt::blue);
    auto *image = new TGImage(&f.panel());
    image->Loaded();
    f.panel().PlaceObject(image, QRect(10, 50, 20, 10));
    TPicture picture;
    picture.SetBitmap(bitmap);
    image->SetPicture(picture);
    f.dialogs->saveFileNames << f.folder.filePath("saved/plain.KVL");
    s.SaveAsClick();
    QVERIFY(f.dialogs->questions().isEmpty());
    QVERIFY(!QFile::exists(f.folder.filePath("saved/plain (Windows).KVL")));
}

QTEST_MAIN(TestWindowsCopy)
#include "tst_windowscopy.moc"
