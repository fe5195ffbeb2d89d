#include "app/CardClasses.h"
#include "design/CardDocument.h"
#include "design/TGBusinessCardPanel32.h"
#include "effects/SuperShapeFigure.h"
#include "effects/TSuperShape.h"
#include "objects/TGImage.h"
#include "objects/TGImageBrowser.h"
#include "platform/ScreenMetrics.h"
#include "report/ImageTarget.h"
#include "report/PdfTarget.h"
#include "report/RecordedTarget.h"
#include "report/ReportPlayer.h"
#include "report/TReport.h"
#include "support/ModernPictures.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"

#include <QAction>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace ModernPictures;

class TestImageFormats : public QObject
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

    void eachFormatIsPlacedSavedAndReopenedByteIdentical();
    void transparentLogoShowsTheColourBehindOnScreen();
    void transparencyReachesPdfAndImages();
    void cardWithOnlyAnSvgHasNoImageInItsPdf();
    void flipAndReverseMirrorPngAndSvg();
    void pngPrintsAtFullResolutionWithItsAlpha();
    void svgSurvivesTheRecordedPreview();
    void damagedFileLeavesTheObjectAsItWas();
};

namespace {

TGImage *placedImage(TGBusinessCardPanel32 &panel, QRect r, const QByteArray &file, const QString &name)
{
    auto *image = new TGImage(&panel);
    image->Loaded();
    panel.PlaceObject(image, r);
    TPicture picture;
    QString error;
    if (!picture.LoadFromData(file, name, &error))
        qWarning() << name << error;
    image->SetPicture(picture);
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

// A lime SuperShape rectangle over `r`.
TSuperShape *limeShape(TGBusinessCardPanel32 &panel, QRect r)
{
    auto *shape = new TSuperShape(&panel);
    shape->Loaded();
    panel.PlaceObject(shape, r);
    shape->SetShape(gstRectangle);
    shape->SetSurfaceType(TSuperShape::stBrushPattern);
    shape->SetBackColor(clLime);
    shape->SetShadowDepth(0);
    return shape;
}

bool printPdf(TGBusinessCardPanel32 &panel, const QString &pdf)
{
    TReport job(std::make_unique<PdfTarget>(pdf, 300));
    job.onPrint = [&](TReport &j) { panel.PrintAll(j, 1.0, 1.0); };
    return job.run();
}

// The first page of a PDF at `dpi` through pdftoppm; null without it.
QImage renderPdf(const QString &pdf, int dpi, const QTemporaryDir &dir)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty())
        return QImage();
    QProcess render;
    render.start(tool, {"-r", QString::number(dpi), "-png", "-singlefile", pdf, dir.filePath("page")});
    if (!render.waitForFinished(120000) || render.exitCode() != 0)
        return QImage();
    return QImage(dir.filePath("page.png")).convertToFormat(QImage::Format_RGB32);
}

bool near(QRgb a, QRgb b, int tolerance = 12)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

QString describe(QRgb c)
{
    return QStringLiteral("(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

// The logo's quarters blended over lime: red, lime, and half blue on lime.
const QRgb Red = qRgb(255, 0, 0), Lime = qRgb(0, 255, 0), BlueOnLime = qRgb(0, 127, 128);

} // namespace

void TestImageFormats::eachFormatIsPlacedSavedAndReopenedByteIdentical()
{
    TempProgramFolder folder;
    const QImage logo = halfTransparent(40, 20);
    const QList<std::pair<QString, QByteArray>> files = {
        {"logo.png", pngFile(logo, 6, 16, true)}, {"anim.gif", sample("twoframes.gif")},
        {"logo.tif", writtenFile(logo, "tiff")},   {"logo.webp", writtenFile(logo, "webp")},
        {"logo.svg", svgFile(40, 20)},             {"logo.svgz", gzip(svgFile(40, 20))},
    };
    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    for (const auto &[name, bytes] : files) {
        QVERIFY(folder.writeFile(name, bytes));
        TPicture picture;
        QString error;
        QVERIFY2(picture.LoadFromFile(folder.filePath(name), &error), qPrintable(error));
        auto *image = new TGImage(&panel);
        image->Loaded();
        panel.PlaceObject(image, QRect(10, 10, 60, 40));
        image->SetPicture(picture);
    }
    const QString path = folder.filePath("card.kvl");
    QString error;
    QVERIFY2(CardDocument::SaveToFile(panel, path, &error), qPrintable(error));

    TGBusinessCardPanel32 reopened;
    reopened.resize(400, 300);
    QVERIFY2(CardDocument::LoadFromFile(reopened, path, &error), qPrintable(error));
    QCOMPARE(reopened.Objects().size(), files.size());
    for (int i = 0; i < files.size(); ++i) {
        auto *image = qobject_cast<TGImage *>(reopened.Objects()[i]);
        QVERIFY(image && image->Picture().KeepsTransparency());
        QVERIFY2(image->PictureData().endsWith(files[i].second), qPrintable(files[i].first)); // the file itself
    }
    // Saved and read again, the document stays the same bytes (objects read
    // from a file keep their "Component" names from then on).
    const QString again = folder.filePath("again.kvl"), third = folder.filePath("third.kvl");
    QVERIFY(CardDocument::SaveToFile(reopened, again, &error));
    TGBusinessCardPanel32 twice;
    twice.resize(400, 300);
    QVERIFY(CardDocument::LoadFromFile(twice, again, &error));
    QVERIFY(CardDocument::SaveToFile(twice, third, &error));
    QCOMPARE(fileBytes(third), fileBytes(again));
    QVERIFY(fileBytes(again).size() > 600);
}

void TestImageFormats::transparentLogoShowsTheColourBehindOnScreen()
{
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    limeShape(panel, QRect(0, 0, 336, 192));
    placedImage(panel, QRect(20, 20, 80, 40), pngFile(halfTransparent(40, 20), 6, 8), "logo.png");
    placedImage(panel, QRect(120, 20, 80, 40), writtenFile(halfTransparent(40, 20), "webp"), "logo.webp");
    placedImage(panel, QRect(220, 20, 80, 40), svgFile(40, 20), "logo.svg");
    const QImage card = panel.RenderToBitmap();
    for (int left : {20, 120, 220}) {
        QVERIFY2(near(card.pixel(left + 10, 30), Red, 2), qPrintable(describe(card.pixel(left + 10, 30))));
        QCOMPARE(card.pixel(left + 70, 30), Lime); // shows the shape through
    }
    QVERIFY2(near(card.pixel(90, 50), BlueOnLime, 3), qPrintable(describe(card.pixel(90, 50))));

    // Over a coloured background picture as well.
    TGBusinessCardPanel32 plain;
    plain.resize(336, 192);
    QImage yellow(336, 192, QImage::Format_RGB32);
    yellow.fill(qRgb(255, 255, 0));
    plain.SetColorPicture(yellow);
    placedImage(plain, QRect(20, 20, 80, 40), svgFile(40, 20), "logo.svg");
    QCOMPARE(plain.RenderToBitmap().pixel(90, 30), qRgb(255, 255, 0));
}

void TestImageFormats::transparencyReachesPdfAndImages()
{
    TempProgramFolder folder;
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    limeShape(panel, QRect(0, 0, 336, 192));
    placedImage(panel, QRect(96, 48, 96, 48), pngFile(halfTransparent(40, 20), 6, 8), "logo.png");
    placedImage(panel, QRect(0, 96, 96, 48), svgFile(40, 20), "logo.svg");

    // Printed into an image (the PNG export and 600-dpi rendering path).
    TReport job(std::make_unique<ImageTarget>(SimulatedDevice(100, 100)));
    job.onPrint = [&](TReport &j) { panel.PrintAll(j, 1.0, 1.0); };
    QVERIFY(job.run());
    const QImage page = job.targetAs<ImageTarget>()->pages().first();
    // The card's origin is at (100, 100); the PNG covers (200, 150)-(300, 200).
    QVERIFY2(near(page.pixel(220, 160), Red), qPrintable(describe(page.pixel(220, 160))));
    QVERIFY2(near(page.pixel(280, 160), Lime), qPrintable(describe(page.pixel(280, 160))));
    QVERIFY2(near(page.pixel(280, 190), BlueOnLime), qPrintable(describe(page.pixel(280, 190))));
    QVERIFY2(near(page.pixel(110, 225), Red), qPrintable(describe(page.pixel(110, 225))));
    QVERIFY2(near(page.pixel(190, 225), Lime), qPrintable(describe(page.pixel(190, 225))));

    // And into a PDF, read back through pdftoppm.
    const QString pdf = folder.filePath("card.pdf");
    QVERIFY(printPdf(panel, pdf));
    QTemporaryDir dir;
    const QImage rendered = renderPdf(pdf, 100, dir);
    if (rendered.isNull())
        QSKIP("pdftoppm is not installed, so the PDF cannot be rendered");
    QVERIFY2(near(rendered.pixel(220, 160), Red), qPrintable(describe(rendered.pixel(220, 160))));
    QVERIFY2(near(rendered.pixel(280, 160), Lime), qPrintable(describe(rendered.pixel(280, 160))));
    QVERIFY2(near(rendered.pixel(280, 190), BlueOnLime), qPrintable(describe(rendered.pixel(280, 190))));
    QVERIFY2(near(rendered.pixel(110, 225), Red), qPrintable(describe(rendered.pixel(110, 225))));
    QVERIFY2(near(rendered.pixel(190, 225), Lime), qPrintable(describe(rendered.pixel(190, 225))));
}

void TestImageFormats::cardWithOnlyAnSvgHasNoImageInItsPdf()
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdfimages"));
    if (tool.isEmpty())
        QSKIP("pdfimages (poppler-utils) is not installed");
    TempProgramFolder folder;
    auto imagesIn = [&](const QString &pdf) {
        QProcess list;
        list.start(tool, {"-list", pdf});
        list.waitForFinished(60000);
        // Two header lines, then one line per image.
        return QString::fromUtf8(list.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts).size() - 2;
    };
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    TGImage *svg = placedImage(panel, QRect(20, 20, 200, 100), svgFile(40, 20), "logo.svg");
    const QString pdf = folder.filePath("svg.pdf");
    QVERIFY(printPdf(panel, pdf));
    QCOMPARE(imagesIn(pdf), 0);
    svg->SetFlip(true);
    QVERIFY(printPdf(panel, pdf));
    QCOMPARE(imagesIn(pdf), 0);
    // The same card with a PNG does hold one (with its mask): the check sees images.
    placedImage(panel, QRect(20, 120, 40, 20), pngFile(halfTransparent(40, 20), 6, 8), "logo.png");
    QVERIFY(printPdf(panel, pdf));
    QCOMPARE(imagesIn(pdf), 2);
}

void TestImageFormats::flipAndReverseMirrorPngAndSvg()
{
    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    for (const auto &[bytes, name] : {std::pair{pngFile(halfTransparent(40, 20), 6, 8), QString("logo.png")},
                                      std::pair{svgFile(40, 20), QString("logo.svg")}}) {
        TGImage *image = placedImage(panel, QRect(0, 0, 40, 20), bytes, name);
        image->RefreshPopup();
        QVERIFY(menuItem(*image, "Flip")->isEnabled());
        QVERIFY(menuItem(*image, "Reverse")->isEnabled());
        QCOMPARE(image->Compose().pixel(5, 5), qRgb(255, 0, 0));
        QCOMPARE(qAlpha(image->Compose().pixel(35, 5)), 0);
        menuItem(*image, "Reverse")->trigger();
        QCOMPARE(qAlpha(image->Compose().pixel(5, 5)), 0); // red moved right, still see-through left
        QCOMPARE(image->Compose().pixel(35, 5), qRgb(255, 0, 0));
        if (name.endsWith("png")) {
            QVERIFY(qAlpha(image->Compose().pixel(5, 15)) > 100); // the blue quarter, now bottom left
            menuItem(*image, "Flip")->trigger();
            QVERIFY(qAlpha(image->Compose().pixel(5, 5)) > 100); // now top left
            QCOMPARE(qAlpha(image->Compose().pixel(5, 15)), 0);
        }
    }
}

void TestImageFormats::pngPrintsAtFullResolutionWithItsAlpha()
{
    TempProgramFolder folder;
    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    placedImage(panel, QRect(10, 10, 96, 48), pngFile(halfTransparent(640, 320), 6, 8), "big.png");
    const QString pdf = folder.filePath("out.pdf");
    QVERIFY(printPdf(panel, pdf));
    const QByteArray bytes = fileBytes(pdf);
    QVERIFY(bytes.contains("/Width 640"));
    QVERIFY(bytes.contains("/Height 320"));
    QVERIFY(bytes.contains("/SMask"));
}

void TestImageFormats::svgSurvivesTheRecordedPreview()
{
    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    placedImage(panel, QRect(0, 0, 96, 48), svgFile(40, 20), "logo.svg"); // one inch by a half
    auto target = std::make_unique<RecordedTarget>(SimulatedDevice(100, 100));
    RecordedTarget *recorder = target.get();
    TReport job(std::move(target));
    job.onPrint = [&](TReport &j) { panel.PrintAll(j, 1.0, 1.0); };
    QVERIFY(job.run());
    const auto reread = RecordedJob::fromByteArray(recorder->job().toByteArray());
    QVERIFY(reread);
    const QImage page = ReportPlayer(*reread).render(0, 100);
    QVERIFY2(near(page.pixel(120, 125), Red), qPrintable(describe(page.pixel(120, 125))));
    QCOMPARE(page.pixel(180, 125), qRgb(255, 255, 255));
}

void TestImageFormats::damagedFileLeavesTheObjectAsItWas()
{
    TempProgramFolder folder;
    const QByteArray png = pngFile(halfTransparent(40, 20), 6, 8);
    QVERIFY(folder.writeFile("clipart/cut.png", png.left(png.size() / 2)));
    TGBusinessCardPanel32 panel;
    panel.resize(400, 300);
    TGImage *image = placedImage(panel, QRect(0, 0, 40, 20), svgFile(40, 20), "logo.svg");
    const QByteArray before = image->PictureData();
    ScopedScriptedDialogs dialogs;
    UserDialogs::setModalRunner(modalRunnerFor<TGImageBrowser>([&](TGImageBrowser &browser) {
        browser.SelectFile(folder.filePath("clipart/cut.png"));
        return int(QDialog::Accepted);
    }));
    image->LoadImageFromDisk();
    QCOMPARE(dialogs->texts().size(), 1);
    QVERIFY2(dialogs->texts().first().startsWith("Error loading file!\n\n"), qPrintable(dialogs->texts().first()));
    QVERIFY(dialogs->texts().first().size() > 25); // and why
    QCOMPARE(image->PictureData(), before);
}

QTEST_MAIN(TestImageFormats)
#include "tst_imageformats.moc"
