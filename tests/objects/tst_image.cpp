#include "app/CardClasses.h"
#include "design/CardDocument.h"
#include "design/ComponentStreamer.h"
#include "design/TGBusinessCardPanel32.h"
#include "objects/TGImage.h"
#include "objects/TGImageBrowser.h"
#include "platform/Metafile.h"
#include "platform/PictureFiles.h"
#include "platform/ScreenMetrics.h"
#include "report/PdfTarget.h"
#include "report/RecordedTarget.h"
#include "report/ReportPlayer.h"
#include "report/TReport.h"
#include "support/PictureSamples.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace PictureSamples;

class TestImage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerCardClasses(); }
    void init() { ScreenMetrics::setOverride(96); }
    void cleanup()
    {
        UserDialogs::setModalRunner({});
        ScreenMetrics::resetOverride();
    }

    void autoSizeTakesThePictureSizeTimesTheZoom();
    void stretchToFitTurnsAutoSizeOff();
    void flipAndReverseMirrorBitmapsOnly();
    void emptyObjectIsAWhiteBoxWithABlackOutline();
    void borderIsDrawnOverThePicture();
    void metafileIsDrawnOnWhite();
    void picturesAreStoredAsTheOriginalReads();
    void storedFormOfBitmapsAndMetafiles();
    void damagedPictureFailsTheDocument();
    void jpegPrintsAtFullResolution();
    void metafilePrintsAsVectors();
    void metafileSurvivesTheRecordedPreview();
    void clipArtToolKeepsOnlyObjectsWithAPicture();
    void browserResultIsTakenOverOnOk();
};

namespace {

TPicture bitmapPicture(const QImage &image)
{
    TPicture picture;
    picture.SetBitmap(image);
    return picture;
}

TPicture metafilePicture(const QString &name = "envelope.wmf")
{
    QFile file(QStringLiteral(KARVELLO_TEST_DATA_DIR "/metafiles/") + name);
    file.open(QIODevice::ReadOnly);
    TPicture picture;
    picture.SetMetafile(TMetafile::FromData(file.readAll()));
    return picture;
}

TGImage *placedImage(TGBusinessCardPanel32 &panel, QRect r)
{
    auto *image = new TGImage(&panel);
    image->Loaded();
    panel.PlaceObject(image, r);
    return image;
}

QAction *menuItem(TGImage &image, const QString &caption)
{
    for (QAction *a : image.ObjectMenu()->actions())
        if (a->text() == caption)
            return a;
    return nullptr;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestImage::autoSizeTakesThePictureSizeTimesTheZoom()
{
    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    TGImage *image = placedImage(panel, QRect(10, 10, 50, 50));
    image->SetPicture(bitmapPicture(pattern(300, 200)));
    QCOMPARE(image->BoundsRect(), QRect(10, 10, 50, 50)); // stretched until AutoSize
    image->SetAutoSize(true);
    QVERIFY(!image->Stretch());
    QCOMPARE(image->BoundsRect(), QRect(10, 10, 300, 200));
    image->SetBounds(10, 10, 80, 80); // a resize snaps back
    QCOMPARE(image->BoundsRect(), QRect(10, 10, 300, 200));

    TGImage *half = placedImage(panel, QRect(0, 0, 40, 40));
    half->SetZoom(0.5f);
    half->SetPicture(bitmapPicture(pattern(300, 200)));
    half->SetAutoSize(true);
    QCOMPARE(half->BoundsRect().size(), QSize(150, 100));
}

void TestImage::stretchToFitTurnsAutoSizeOff()
{
    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    TGImage *image = placedImage(panel, QRect(0, 0, 30, 30));
    image->SetPicture(bitmapPicture(pattern(20, 10)));
    image->SetAutoSize(true);
    QCOMPARE(image->BoundsRect().size(), QSize(20, 10));
    image->RefreshPopup();
    QVERIFY(menuItem(*image, "AutoSize")->isChecked());
    QVERIFY(!menuItem(*image, "Stretch to Fit")->isChecked());
    menuItem(*image, "Stretch to Fit")->trigger();
    QVERIFY(image->Stretch());
    QVERIFY(!image->AutoSize());
    image->SetBounds(0, 0, 80, 40); // stays as asked now, the picture stretched into it
    QCOMPARE(image->BoundsRect().size(), QSize(80, 40));
    const QImage composed = image->Compose();
    QCOMPARE(composed.pixel(10, 30), qRgb(0, 0, 255));     // bottom-left quarter
    QCOMPARE(composed.pixel(70, 30), qRgb(255, 255, 255)); // bottom-right quarter
    QCOMPARE(composed.pixel(70, 10), qRgb(0, 255, 0));     // top-right quarter
}

void TestImage::flipAndReverseMirrorBitmapsOnly()
{
    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    TGImage *image = placedImage(panel, QRect(0, 0, 40, 20));
    image->SetPicture(bitmapPicture(pattern(40, 20)));
    image->RefreshPopup();
    QVERIFY(menuItem(*image, "Flip")->isEnabled());
    QVERIFY(menuItem(*image, "Reverse")->isEnabled());
    menuItem(*image, "Reverse")->trigger();
    QVERIFY(image->Reverse());
    QCOMPARE(image->Compose().pixel(5, 5), qRgb(0, 255, 0));  // the top-right quarter now left
    QCOMPARE(image->Compose().pixel(5, 0), qRgb(0, 0, 0));    // the black top row stays on top
    menuItem(*image, "Flip")->trigger();
    QCOMPARE(image->Compose().pixel(5, 5), qRgb(255, 255, 255)); // bottom-right now top-left
    QCOMPARE(image->Compose().pixel(5, 19), qRgb(0, 0, 0));      // the top row now at the bottom

    // A metafile: the entries are disabled and a stored Flip changes nothing.
    TGImage *vector = placedImage(panel, QRect(0, 0, 60, 40));
    vector->SetPicture(metafilePicture());
    const QImage plain = vector->Compose();
    vector->SetFlip(true);
    vector->SetReverse(true);
    QCOMPARE(vector->Compose(), plain);
    vector->RefreshPopup();
    QVERIFY(!menuItem(*vector, "Flip")->isEnabled());
    QVERIFY(!menuItem(*vector, "Reverse")->isEnabled());
}

void TestImage::emptyObjectIsAWhiteBoxWithABlackOutline()
{
    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    TGImage *image = placedImage(panel, QRect(0, 0, 20, 16));
    const QImage composed = image->Compose();
    QCOMPARE(composed.size(), QSize(20, 16));
    for (QPoint p : {QPoint(0, 0), QPoint(19, 0), QPoint(0, 15), QPoint(19, 15), QPoint(10, 0), QPoint(0, 5)})
        QCOMPARE(composed.pixel(p), qRgb(0, 0, 0));
    QCOMPARE(composed.pixel(10, 5), qRgb(255, 255, 255));
    QCOMPARE(composed.pixel(1, 1), qRgb(255, 255, 255));
}

void TestImage::borderIsDrawnOverThePicture()
{
    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    QImage green(10, 10, QImage::Format_RGB32);
    green.fill(qRgb(0, 200, 0));
    TGImage *image = placedImage(panel, QRect(0, 0, 30, 20));
    image->SetPicture(bitmapPicture(green));
    QCOMPARE(image->Compose().pixel(0, 0), qRgb(0, 200, 0));
    menuItem(*image, "Border")->trigger();
    QCOMPARE(image->BorderStyle(), bsSingle);
    QCOMPARE(image->Compose().pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(image->Compose().pixel(29, 19), qRgb(0, 0, 0));
    QCOMPARE(image->Compose().pixel(15, 10), qRgb(0, 200, 0));
}

void TestImage::metafileIsDrawnOnWhite()
{
    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    TGImage *image = placedImage(panel, QRect(0, 0, 140, 90));
    image->SetPicture(metafilePicture());
    const QImage composed = image->Compose();
    QCOMPARE(composed.pixel(139, 89) | 0xFF000000u, composed.pixel(139, 89)); // opaque
    QVERIFY(composed.pixel(70, 20) != qRgb(255, 255, 255)); // the envelope's body
    QCOMPARE(image->Picture().Width(), 281); // its own size at 96 pixels per inch
}

void TestImage::picturesAreStoredAsTheOriginalReads()
{
    TempProgramFolder folder;
    const QByteArray bmp = bitmapFile(pattern(17, 9), 8);
    const QByteArray wmf = fileBytes(QStringLiteral(KARVELLO_TEST_DATA_DIR "/metafiles/logo.wmf"));
    const QByteArray emf = fileBytes(QStringLiteral(KARVELLO_TEST_DATA_DIR "/metafiles/photo.emf"));
    QVERIFY(folder.writeFile("a.bmp", bmp) && folder.writeFile("b.WMF", wmf) && folder.writeFile("c.emf", emf));
    QVERIFY(folder.writeFile("d.jpg", jpegFile(pattern(64, 48))));

    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    for (const char *name : {"a.bmp", "b.WMF", "c.emf", "d.jpg"}) {
        TPicture picture;
        QString error;
        QVERIFY2(picture.LoadFromFile(folder.filePath(name), &error), qPrintable(error));
        TGImage *image = placedImage(panel, QRect(10, 10, 60, 40));
        image->SetPicture(picture);
        image->SetFlip(true);
    }
    const QString path = folder.filePath("card.kvl");
    QString error;
    QVERIFY2(CardDocument::SaveToFile(panel, path, &error), qPrintable(error));

    TGBusinessCardPanel32 reopened;
    reopened.resize(400, 300);
    QVERIFY2(CardDocument::LoadFromFile(reopened, path, &error), qPrintable(error));
    QList<TGImage *> images;
    for (TGGraphicControl *o : reopened.Objects())
        images << qobject_cast<TGImage *>(o);
    QCOMPARE(images.size(), 4);
    QVERIFY(images[0]->Picture().IsBitmap());
    QCOMPARE(images[0]->PictureData().right(bmp.size()), bmp);            // the file as it was
    QCOMPARE(images[1]->Picture().Metafile()->Data(), wmf);
    QCOMPARE(images[2]->Picture().Metafile()->Data(), emf);
    QVERIFY(images[3]->Picture().IsBitmap());                              // the JPEG as a bitmap
    QCOMPARE(images[3]->Picture().Bitmap().size(), QSize(64, 48));
    QVERIFY(images[3]->Flip());
    // Written again, every object is stored as the same bytes.
    for (int i = 0; i < images.size(); ++i)
        QCOMPARE(ComponentStreamer::RecordOf(*images[i]).properties,
                 ComponentStreamer::RecordOf(*panel.Objects()[i]).properties);
}

void TestImage::storedFormOfBitmapsAndMetafiles()
{
    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    TGImage *image = placedImage(panel, QRect(10, 10, 60, 40));
    const QByteArray bmp = bitmapFile(pattern(8, 8), 24);
    TPicture picture;
    QVERIFY(picture.FromData(QByteArray("\x07TBitmap", 8) + QByteArray("\x00\x00\x00\x00", 4) + bmp) == false);
    image->SetPictureData([&] {
        QByteArray d("\x07TBitmap", 8);
        char length[4];
        qToLittleEndian<quint32>(quint32(bmp.size()), length);
        return d + QByteArray(length, 4) + bmp;
    }());
    QVERIFY(image->Picture().IsBitmap());
    StreamRecord record = ComponentStreamer::RecordOf(*image);
    QStringList names;
    for (const auto &[name, value] : record.properties)
        names << name;
    // AutoSize and Stretch hold their declared defaults and are left out.
    QCOMPARE(names.mid(names.indexOf("Unselectable") + 1), QStringList({"BorderStyle", "Picture.Data", "Reverse", "Flip"}));
    image->SetAutoSize(true);
    names.clear();
    for (const auto &[name, value] : ComponentStreamer::RecordOf(*image).properties)
        names << name;
    QVERIFY(names.contains("AutoSize") && names.contains("Stretch"));

    // A metafile: the length counts itself.
    const TPicture wmf = metafilePicture("logo.wmf");
    const QByteArray data = wmf.ToData();
    QVERIFY(data.startsWith(QByteArray("\x09TMetafile", 10)));
    QCOMPARE(qFromLittleEndian<quint32>(data.constData() + 10), quint32(wmf.Metafile()->Data().size() + 4));
    QCOMPARE(data.mid(14), wmf.Metafile()->Data());
}

void TestImage::damagedPictureFailsTheDocument()
{
    TempProgramFolder folder;
    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    TGImage *image = placedImage(panel, QRect(10, 10, 60, 40));
    image->SetPicture(bitmapPicture(pattern(16, 16)));
    const QString path = folder.filePath("card.kvl");
    QVERIFY(CardDocument::SaveToFile(panel, path));
    // The bitmap inside now claims 4000 x 4000 pixels.
    QByteArray bytes = fileBytes(path);
    const qsizetype bm = bytes.indexOf("BM");
    QVERIFY(bm > 0);
    qToLittleEndian<qint32>(4000, bytes.data() + bm + 18);
    qToLittleEndian<qint32>(4000, bytes.data() + bm + 22);
    QVERIFY(folder.writeFile("card.kvl", bytes));
    TGBusinessCardPanel32 reopened;
    QString error;
    QVERIFY(!CardDocument::LoadFromFile(reopened, path, &error));
    QVERIFY(error.contains("Picture"));
    QVERIFY(reopened.Objects().isEmpty());
}

void TestImage::jpegPrintsAtFullResolution()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile("photo.jpg", jpegFile(pattern(640, 480))));
    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    TGImage *image = placedImage(panel, QRect(10, 10, 96, 72));
    TPicture picture;
    QVERIFY(picture.LoadFromFile(folder.filePath("photo.jpg")));
    image->SetPicture(picture);
    const QString pdf = folder.filePath("out.pdf");
    TReport job(std::make_unique<PdfTarget>(pdf, 300));
    job.onPrint = [&](TReport &j) { panel.PrintAll(j, 1.0, 1.0); };
    QVERIFY(job.run());
    const QByteArray bytes = fileBytes(pdf);
    QVERIFY(bytes.contains("/Subtype /Image"));
    QVERIFY(bytes.contains("/Width 640"));
    QVERIFY(bytes.contains("/Height 480"));
}

void TestImage::metafilePrintsAsVectors()
{
    TempProgramFolder folder;
    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    TGImage *image = placedImage(panel, QRect(10, 10, 140, 90));
    image->SetPicture(metafilePicture("globe.emf"));
    image->SetBorderStyle(bsSingle);
    const QString pdf = folder.filePath("out.pdf");
    TReport job(std::make_unique<PdfTarget>(pdf, 300));
    job.onPrint = [&](TReport &j) { panel.PrintAll(j, 1.0, 1.0); };
    QVERIFY(job.run());
    const QByteArray bytes = fileBytes(pdf);
    QVERIFY(bytes.size() > 1000);
    QVERIFY(!bytes.contains("/Subtype /Image"));
}

void TestImage::metafileSurvivesTheRecordedPreview()
{
    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    TGImage *image = placedImage(panel, QRect(0, 0, 96, 96)); // one inch
    image->SetPicture(metafilePicture("globe.emf"));
    auto target = std::make_unique<RecordedTarget>(SimulatedDevice(100, 100));
    RecordedTarget *recorder = target.get();
    TReport job(std::move(target));
    job.onPrint = [&](TReport &j) { panel.PrintAll(j, 1.0, 1.0); };
    QVERIFY(job.run());
    // Through the stream and back, as the preview window gets it.
    const auto reread = RecordedJob::fromByteArray(recorder->job().toByteArray());
    QVERIFY(reread);
    const QImage page = ReportPlayer(*reread).render(0, 100);
    // The globe's blue fills the inch square from (1, 1) inch.
    const QRgb middle = page.pixel(150, 150);
    QVERIFY(qBlue(middle) > 150 && qRed(middle) < 120);
    QCOMPARE(page.pixel(90, 90), qRgb(255, 255, 255));
    QCOMPARE(page.pixel(210, 150), qRgb(255, 255, 255));
}

void TestImage::clipArtToolKeepsOnlyObjectsWithAPicture()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile("clipart/star.bmp", bitmapFile(pattern(30, 20), 24)));
    TGImageBrowser::ResetStartFolder();
    ScopedScriptedDialogs dialogs;
    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    panel.SetPanelState(psImage);

    // Cancelled: the object is gone again.
    QString openedOn;
    UserDialogs::setModalRunner(modalRunnerFor<TGImageBrowser>([&](TGImageBrowser &browser) {
        openedOn = browser.Folder();
        return int(QDialog::Rejected);
    }));
    panel.CreateObject(QRect(10, 10, 60, 40));
    QVERIFY(panel.Objects().isEmpty());
    QCOMPARE(QDir(openedOn).canonicalPath(), QDir(folder.filePath("clipart")).canonicalPath());

    // "Ok" without a file: gone as well.
    UserDialogs::setModalRunner(
        modalRunnerFor<TGImageBrowser>([](TGImageBrowser &) { return int(QDialog::Accepted); }));
    panel.CreateObject(QRect(10, 10, 60, 40));
    QVERIFY(panel.Objects().isEmpty());

    // A file chosen: the object stays with the picture.
    UserDialogs::setModalRunner(modalRunnerFor<TGImageBrowser>([&](TGImageBrowser &browser) {
        if (!browser.SelectFile(folder.filePath("clipart/star.bmp")))
            return int(QDialog::Rejected);
        return int(QDialog::Accepted);
    }));
    panel.CreateObject(QRect(10, 10, 60, 40));
    QCOMPARE(panel.Objects().size(), 1);
    auto *image = qobject_cast<TGImage *>(panel.Objects().first());
    QVERIFY(image && image->Picture().IsBitmap());
    QCOMPARE(image->Picture().Bitmap().size(), QSize(30, 20));
    QVERIFY(dialogs->messages.isEmpty());
}

void TestImage::browserResultIsTakenOverOnOk()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile("art/logo.WMF", fileBytes(QStringLiteral(KARVELLO_TEST_DATA_DIR "/metafiles/logo.wmf"))));
    TGBusinessCardPanel32 panel;
    panel.resize(600, 300);
    TGImage *image = placedImage(panel, QRect(0, 0, 50, 50));
    const QString before = QDir::currentPath();
    bool presetStretch = false, presetAutoSize = true;
    UserDialogs::setModalRunner(modalRunnerFor<TGImageBrowser>([&](TGImageBrowser &browser) {
        presetStretch = browser.StretchChecked();
        presetAutoSize = browser.AutoSizeChecked();
        browser.SelectFile(folder.filePath("art/logo.WMF"));
        browser.SetAutoSize(true); // clears Stretch
        return int(QDialog::Accepted);
    }));
    image->LoadImageFromDisk();
    QVERIFY(presetStretch && !presetAutoSize);
    QVERIFY(image->Picture().IsMetafile());
    QVERIFY(image->AutoSize() && !image->Stretch());
    QCOMPARE(image->BoundsRect().size(), image->Picture().Metafile()->Size());
    QCOMPARE(QDir::currentPath(), before); // the browser's moves are undone
}

QTEST_MAIN(TestImage)
#include "tst_image.moc"
