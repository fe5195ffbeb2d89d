#include "platform/Picture.h"
#include "platform/PictureFiles.h"
#include "platform/ScreenMetrics.h"
#include "platform/SvgDrawing.h"
#include "support/ModernPictures.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace ModernPictures;

class TestPictureFormats : public QObject
{
    Q_OBJECT

private slots:
    void init() { ScreenMetrics::setOverride(96); }
    void cleanup() { ScreenMetrics::resetOverride(); }

    void everyPngColourTypeReadsWithItsAlpha_data();
    void everyPngColourTypeReadsWithItsAlpha();
    void gifShowsItsFirstFrame();
    void tiffAndWebpKeepTheirAlpha();
    void keptFilesAreStoredUnderTheirClassNames();
    void svgIsDrawnAsVectorsAtAnySize();
    void svgzIsInflatedWithinALimit();
    void svgNeverLoadsOutsideFiles();
    void damagedFilesAreRefusedAndLeaveThePictureAlone();
    void largePictureKeepsAScreenCopyAndPrintsInFull();
    void convertedForTheOriginalOnWhite();
};

namespace {

// A 10 x 6 logo of four colours (fits a 2-bit palette): opaque red left,
// transparent top right, half-transparent blue bottom right, one green pixel.
QImage logo()
{
    QImage image = halfTransparent(10, 6);
    image.setPixel(1, 1, qRgba(0, 255, 0, 255));
    return image;
}

TPicture loaded(const QByteArray &file, const QString &name = QString())
{
    TPicture picture;
    QString error;
    if (!picture.LoadFromData(file, name, &error))
        qWarning() << "load failed:" << error;
    return picture;
}

bool near(QRgb a, QRgb b, int tolerance = 2)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance && std::abs(qAlpha(a) - qAlpha(b)) <= tolerance;
}

QRgb unpremultiplied(const QImage &image, int x, int y)
{
    return image.convertToFormat(QImage::Format_ARGB32).pixel(x, y);
}

} // namespace

void TestPictureFormats::everyPngColourTypeReadsWithItsAlpha_data()
{
    QTest::addColumn<int>("colorType");
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("interlaced");
    for (bool interlaced : {false, true}) {
        const char *suffix = interlaced ? " interlaced" : "";
        for (int depth : {1, 2, 4, 8, 16})
            QTest::addRow("grey %d%s", depth, suffix) << 0 << depth << interlaced;
        for (int depth : {8, 16}) {
            QTest::addRow("rgb %d%s", depth, suffix) << 2 << depth << interlaced;
            QTest::addRow("grey+alpha %d%s", depth, suffix) << 4 << depth << interlaced;
            QTest::addRow("rgba %d%s", depth, suffix) << 6 << depth << interlaced;
        }
        for (int depth : {2, 4, 8})
            QTest::addRow("palette %d%s", depth, suffix) << 3 << depth << interlaced;
    }
}

void TestPictureFormats::everyPngColourTypeReadsWithItsAlpha()
{
    QFETCH(int, colorType);
    QFETCH(int, depth);
    QFETCH(bool, interlaced);
    const QByteArray png = pngFile(logo(), colorType, depth, interlaced);
    const TPicture picture = loaded(png, "logo.png");
    QCOMPARE(picture.Kind(), TPicture::pkPng);
    QVERIFY(picture.IsBitmap() && picture.KeepsTransparency());
    QCOMPARE(QSize(picture.Width(), picture.Height()), QSize(10, 6));
    const QImage image = picture.Bitmap();
    const bool alpha = colorType == 3 || colorType == 4 || colorType == 6;
    const bool grey = colorType == 0 || colorType == 4;
    QCOMPARE(image.hasAlphaChannel(), alpha);
    if (grey) {
        // Grey takes the green channel: red is black, green is white.
        QCOMPARE(qGray(unpremultiplied(image, 0, 0)), 0);
        QCOMPARE(qGray(unpremultiplied(image, 1, 1)), 255);
    } else {
        QVERIFY(near(unpremultiplied(image, 0, 0), qRgb(255, 0, 0)));
        QVERIFY(near(unpremultiplied(image, 1, 1), qRgb(0, 255, 0)));
    }
    if (alpha) {
        QCOMPARE(qAlpha(image.pixel(8, 1)), 0);
        if (depth > 1)
            QVERIFY(std::abs(qAlpha(image.pixel(8, 4)) - 128) <= (depth == 2 ? 43 : 9));
    }
    // What is stored is the file itself.
    QCOMPARE(picture.ToData(), QByteArray("\x09TPngImage") + png);
}

void TestPictureFormats::gifShowsItsFirstFrame()
{
    const QByteArray gif = sample("twoframes.gif"); // frame 1: red left half, clear right; frame 2: blue
    QVERIFY(!gif.isEmpty());
    const TPicture picture = loaded(gif, "anim.gif");
    QCOMPARE(picture.Kind(), TPicture::pkGif);
    const QImage image = picture.Bitmap();
    QCOMPARE(image.size(), QSize(8, 6));
    QCOMPARE(unpremultiplied(image, 1, 1), qRgb(255, 0, 0));
    QCOMPARE(qAlpha(image.pixel(6, 1)), 0);
    QCOMPARE(picture.ToData(), QByteArray("\x09TGIFImage") + gif);
}

void TestPictureFormats::tiffAndWebpKeepTheirAlpha()
{
    for (const char *format : {"tiff", "webp"}) {
        const QByteArray file = writtenFile(logo(), format);
        QVERIFY2(!file.isEmpty(), format);
        const TPicture picture = loaded(file, QStringLiteral("logo.") + format);
        QCOMPARE(picture.Kind(), qstrcmp(format, "tiff") == 0 ? TPicture::pkTiff : TPicture::pkWebP);
        const QImage image = picture.Bitmap();
        QVERIFY(near(unpremultiplied(image, 0, 0), qRgb(255, 0, 0)));
        QCOMPARE(qAlpha(image.pixel(8, 1)), 0);
        QVERIFY(std::abs(qAlpha(image.pixel(8, 4)) - 128) <= 2);
    }
}

void TestPictureFormats::keptFilesAreStoredUnderTheirClassNames()
{
    const QList<std::pair<QByteArray, QByteArray>> files = {
        {"TPngImage", pngFile(logo(), 6, 8)},
        {"TGIFImage", sample("twoframes.gif")},
        {"TTiffImage", writtenFile(logo(), "tiff")},
        {"TWebPImage", writtenFile(logo(), "webp")},
        {"TSvgImage", svgFile(40, 20)},
        {"TSvgImage", gzip(svgFile(40, 20))},
    };
    for (const auto &[className, file] : files) {
        const TPicture picture = loaded(file);
        const QByteArray stored = picture.ToData();
        QCOMPARE(stored, char(className.size()) + className + file);
        TPicture again;
        QString error;
        QVERIFY2(again.FromData(stored, &error), qPrintable(error));
        QCOMPARE(again.Kind(), picture.Kind());
        QCOMPARE(again.ToData(), stored);
    }
    // A class name over other bytes is damage, not a picture of another kind.
    TPicture picture = loaded(pngFile(logo(), 6, 8));
    const QByteArray before = picture.ToData();
    QString error;
    QVERIFY(!picture.FromData(QByteArray("\x09TGIFImage") + pngFile(logo(), 6, 8), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(picture.ToData(), before);
}

void TestPictureFormats::svgIsDrawnAsVectorsAtAnySize()
{
    const TPicture picture = loaded(svgFile(40, 20), "logo.svg");
    QVERIFY(picture.IsSvg() && picture.KeepsTransparency() && !picture.IsBitmap());
    QCOMPARE(QSize(picture.Width(), picture.Height()), QSize(40, 20));
    ScreenMetrics::setOverride(120);
    QCOMPARE(QSize(picture.Width(), picture.Height()), QSize(50, 25)); // its inches on a 120-ppi screen
    ScreenMetrics::setOverride(96);

    // Drawn large, the edge between red and clear stays sharp: vectors, not a
    // stretched small image.
    QImage large(800, 400, QImage::Format_ARGB32_Premultiplied);
    large.fill(Qt::transparent);
    {
        QPainter painter(&large);
        picture.Svg()->Play(painter, QRectF(0, 0, 800, 400));
    }
    QCOMPARE(large.pixel(398, 200), qRgb(255, 0, 0));
    QCOMPARE(qAlpha(large.pixel(402, 200)), 0);

    // Mirrored left-right, red moves right.
    QImage mirrored(40, 20, QImage::Format_ARGB32_Premultiplied);
    mirrored.fill(Qt::transparent);
    {
        QPainter painter(&mirrored);
        picture.Svg()->Play(painter, QRectF(0, 0, 40, 20), true, false);
    }
    QCOMPARE(qAlpha(mirrored.pixel(5, 10)), 0);
    QCOMPARE(mirrored.pixel(35, 10), qRgb(255, 0, 0));

    // The recording for print holds no image, only the shape.
    const QPicture &recording = picture.Svg()->Picture();
    QCOMPARE(picture.Svg()->Frame(), QRect(0, 0, 40, 20));
    QImage played(40, 20, QImage::Format_ARGB32_Premultiplied);
    played.fill(Qt::transparent);
    {
        QPainter painter(&played);
        painter.drawPicture(0, 0, recording);
    }
    QCOMPARE(played.pixel(5, 10), qRgb(255, 0, 0));
    QCOMPARE(qAlpha(played.pixel(35, 10)), 0);
}

void TestPictureFormats::svgzIsInflatedWithinALimit()
{
    const QByteArray svgz = gzip(svgFile(40, 20));
    const TPicture picture = loaded(svgz, "logo.svgz");
    QVERIFY(picture.IsSvg());
    QVERIFY(picture.Svg()->Compressed());
    QCOMPARE(picture.Width(), 40);

    // A small file that inflates past the limit is refused before Qt sees it.
    QByteArray padding(int(TSvgDrawing::MaxXmlBytes), ' ');
    const QByteArray bomb = gzip(svgFile(40, 20, "<!--" + padding + "-->"));
    QVERIFY(bomb.size() < 100000);
    TPicture refused;
    QString error;
    QVERIFY(!refused.LoadFromData(bomb, "bomb.svgz", &error));
    QVERIFY2(error.contains("too large"), qPrintable(error));
    // A truncated one says so.
    QVERIFY(!refused.LoadFromData(svgz.left(svgz.size() / 2), "cut.svgz", &error));
    QVERIFY2(error.contains("truncated"), qPrintable(error));
    QVERIFY(refused.IsEmpty());
}

void TestPictureFormats::svgNeverLoadsOutsideFiles()
{
    // A blue file beside the SVG, linked by a relative name, a file address
    // and a web address, and the same blue inline as a data address.
    QTemporaryDir dir;
    QImage blue(4, 4, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    const QString bluePath = dir.filePath("blue.png");
    QVERIFY(blue.save(bluePath));
    const QByteArray inlineBlue = "data:image/png;base64," + writtenFile(blue, "png").toBase64();
    const QByteArray links = "<image x=\"20\" y=\"0\" width=\"10\" height=\"10\" xlink:href=\"blue.png\"/>\n"
                             "<image x=\"30\" y=\"0\" width=\"10\" height=\"10\" xlink:href=\"file://"
        + bluePath.toUtf8() + "\"/>\n<g><image x=\"20\" y=\"10\" width=\"10\" height=\"10\" href=\"" + bluePath.toUtf8()
        + "\"/></g>\n<use xlink:href=\"http://example.invalid/a.svg#x\"/>\n"
          "<image x=\"30\" y=\"10\" width=\"10\" height=\"10\" xlink:href=\""
        + inlineBlue + "\"/>\n";
    const QString svgPath = dir.filePath("logo.svg");
    {
        QFile file(svgPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(svgFile(40, 20, links));
    }
    const QString current = QDir::currentPath();
    QDir::setCurrent(dir.path()); // so that a relative link would find the file
    TPicture picture;
    QString error;
    const bool ok = picture.LoadFromFile(svgPath, &error);
    QImage drawn(40, 20, QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    if (ok) {
        QPainter painter(&drawn);
        picture.Svg()->Play(painter, QRectF(0, 0, 40, 20));
    }
    QDir::setCurrent(current);
    QVERIFY2(ok, qPrintable(error));
    QVERIFY(picture.Svg()->LinksRemoved());
    QCOMPARE(drawn.pixel(5, 5), qRgb(255, 0, 0)); // the rest of the drawing stays
    QCOMPARE(qAlpha(drawn.pixel(25, 5)), 0);
    QCOMPARE(qAlpha(drawn.pixel(35, 5)), 0);
    QCOMPARE(qAlpha(drawn.pixel(25, 15)), 0);
    QCOMPARE(drawn.pixel(35, 15), qRgb(0, 0, 255)); // inline data is part of the file
    // The file is still stored as it was read.
    QVERIFY(picture.ToData().endsWith(svgFile(40, 20, links)));
}

void TestPictureFormats::damagedFilesAreRefusedAndLeaveThePictureAlone()
{
    const QByteArray png = pngFile(logo(), 6, 8);
    QByteArray huge = pngFile(logo(), 6, 8);
    qToBigEndian<quint32>(16000, huge.data() + 16); // IHDR now claims 16000 x 6
    QByteArray oversized = huge;
    qToBigEndian<quint32>(30000, oversized.data() + 16);
    const QByteArray svg = svgFile(40, 20);
    const QList<std::pair<QByteArray, QString>> bad = {
        {png.left(png.size() / 2), "cut.png"},
        {huge, "claims.png"},
        {oversized, "wide.png"},
        {sample("twoframes.gif").left(20), "cut.gif"},
        {writtenFile(logo(), "tiff").left(30), "cut.tiff"},
        {writtenFile(logo(), "webp").left(30), "cut.webp"},
        {svg.left(svg.size() / 2), "cut.svg"},
        {svgFile(90000, 20), "wide.svg"},
        {"<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"9\" height=\"9\"><rect></svg>", "broken.svg"},
        {"just text", "text.png"},
    };
    TPicture picture = loaded(pngFile(logo(), 2, 8));
    const QByteArray before = picture.ToData();
    for (const auto &[bytes, name] : bad) {
        QString error;
        QVERIFY2(!picture.LoadFromData(bytes, name, &error), qPrintable(name));
        QVERIFY2(!error.isEmpty(), qPrintable(name));
        QCOMPARE(picture.ToData(), before);
    }
}

void TestPictureFormats::largePictureKeepsAScreenCopyAndPrintsInFull()
{
    QImage photo(3000, 1500, QImage::Format_RGB32);
    photo.fill(qRgb(10, 120, 200));
    photo.setPixel(2999, 1499, qRgb(255, 255, 0));
    const TPicture picture = loaded(writtenFile(photo, "png"));
    QCOMPARE(picture.Width(), 3000);
    QCOMPARE(picture.ScreenBitmap().size(), QSize(TPicture::ScreenSide, TPicture::ScreenSide / 2));
    const QImage full = picture.Bitmap();
    QCOMPARE(full.size(), QSize(3000, 1500));
    QCOMPARE(full.pixel(2999, 1499), qRgb(255, 255, 0));
    // The second call comes from the cache: the same pixels, not a new decode.
    QCOMPARE(picture.Bitmap().cacheKey(), full.cacheKey());
}

void TestPictureFormats::convertedForTheOriginalOnWhite()
{
    const TPicture png = loaded(pngFile(logo(), 6, 8));
    const TPicture bitmap = png.ToBitmapOnWhite(QSize(10, 6), 4000);
    QCOMPARE(bitmap.Kind(), TPicture::pkBitmap);
    QVERIFY(bitmap.ToData().startsWith("\x07TBitmap"));
    QCOMPARE(bitmap.Bitmap().pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(bitmap.Bitmap().pixel(8, 1), qRgb(255, 255, 255));
    const TPicture svg = loaded(svgFile(40, 20));
    const TPicture drawn = svg.ToBitmapOnWhite(QSize(400, 200), 300);
    QCOMPARE(drawn.Bitmap().size(), QSize(300, 150)); // at most the limit
    QCOMPARE(drawn.Bitmap().pixel(10, 75), qRgb(255, 0, 0));
    QCOMPARE(drawn.Bitmap().pixel(290, 75), qRgb(255, 255, 255));
}

QTEST_MAIN(TestPictureFormats)
#include "tst_pictureformats.moc"
