#include "platform/PictureFiles.h"
#include "support/PictureSamples.h"

#include <QTemporaryDir>
#include <QTest>

using namespace PictureSamples;

class TestPictureFiles : public QObject
{
    Q_OBJECT

private slots:
    void bitmapsOfEveryDepth_data();
    void bitmapsOfEveryDepth();
    void runLengthEncodedBitmaps();
    void hostileBitmapsAreRefused_data();
    void hostileBitmapsAreRefused();
    void iconGivesItsLargestImageOnWhite();
    void hostileIconsAreRefused_data();
    void hostileIconsAreRefused();
    void jpegBecomesA256ColourBitmap();
    void damagedJpegsFail();
    void jpegClaimingAHugeSizeIsRefused();
    void gifClaimingAHugeScreenIsRefused();
    void filesChosenByExtensionIgnoringCase();
    void encodedBitmapReadsBack();
};

namespace {
int worstDifference(const QImage &a, const QImage &b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)), qAbs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

QImage twoColours(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, (x + y) % 3 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return image;
}
} // namespace

void TestPictureFiles::bitmapsOfEveryDepth_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("tolerance");
    QTest::newRow("1") << 1 << 0;
    QTest::newRow("4") << 4 << 0;
    QTest::newRow("8") << 8 << 0;
    QTest::newRow("16") << 16 << 8; // five bits a channel
    QTest::newRow("24") << 24 << 0;
    QTest::newRow("32") << 32 << 0;
}

void TestPictureFiles::bitmapsOfEveryDepth()
{
    QFETCH(int, bits);
    QFETCH(int, tolerance);
    // Odd widths exercise the row padding.
    const QImage original = bits == 1 ? twoColours(13, 5) : pattern(13, 7);
    QString error;
    const QImage read = PictureFiles::DecodeBitmap(bitmapFile(original, bits), &error);
    QVERIFY2(!read.isNull(), qPrintable(error));
    QCOMPARE(read.size(), original.size());
    QVERIFY(worstDifference(read, original) <= tolerance);
}

void TestPictureFiles::runLengthEncodedBitmaps()
{
    const QImage original = pattern(20, 6);
    for (int rle : {8, 4}) {
        QString error;
        const QImage read = PictureFiles::DecodeBitmap(rleBitmapFile(original, rle), &error);
        QVERIFY2(!read.isNull(), qPrintable(error));
        QCOMPARE(read.size(), original.size());
        QCOMPARE(worstDifference(read, original), 0);
    }
}

void TestPictureFiles::hostileBitmapsAreRefused_data()
{
    QTest::addColumn<QByteArray>("data");
    const QByteArray good = bitmapFile(pattern(16, 16), 24);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a bitmap") << QByteArray("GIF89a and then some more bytes to pass the size");
    QTest::newRow("cut in the header") << good.left(30);
    QTest::newRow("cut in the pixels") << good.left(good.size() / 2);
    QTest::newRow("claims 3000x3000 in 70 bytes") << bitmapHeaderOnly(3000, 3000, 24);
    QTest::newRow("wider than 20000") << bitmapHeaderOnly(20001, 1, 1);
    QTest::newRow("taller than 20000 top-down") << bitmapHeaderOnly(1, -20001, 1);
    QTest::newRow("zero width") << bitmapHeaderOnly(0, 10, 24);
    QTest::newRow("negative width") << bitmapHeaderOnly(-5, 10, 24);
    QTest::newRow("depth 7") << bitmapHeaderOnly(2, 2, 7);
    QByteArray offset = good;
    qToLittleEndian<quint32>(0x7FFFFFF0u, offset.data() + 10);
    QTest::newRow("pixel offset past the end") << offset;
    QByteArray palette = bitmapFile(pattern(4, 4), 8);
    qToLittleEndian<quint32>(100000u, palette.data() + 14 + 32);
    QTest::newRow("palette of 100000 colours") << palette;
    QByteArray rle = rleBitmapFile(pattern(40, 40), 8);
    QTest::newRow("run-length data cut short") << rle.left(rle.size() - 40);
}

void TestPictureFiles::hostileBitmapsAreRefused()
{
    QFETCH(QByteArray, data);
    QString error;
    const QImage read = PictureFiles::DecodeBitmap(data, &error);
    // A cut run-length stream may decode to a partial picture, but only one
    // of the size the header claims; everything else must be refused.
    if (!read.isNull()) {
        QCOMPARE(QTest::currentDataTag(), "run-length data cut short");
        QCOMPARE(read.size(), QSize(40, 40));
        return;
    }
    QVERIFY(!error.isEmpty());
}

void TestPictureFiles::iconGivesItsLargestImageOnWhite()
{
    QImage small = pattern(16, 16);
    QImage large(32, 32, QImage::Format_RGB32);
    large.fill(qRgb(10, 200, 30));
    QString error;
    const QImage read = PictureFiles::DecodeIcon(iconFile({small, large, pattern(24, 24)}), &error);
    QVERIFY2(!read.isNull(), qPrintable(error));
    QCOMPARE(read.size(), QSize(32, 32));
    QCOMPARE(read.format(), QImage::Format_RGB32);
    QCOMPARE(read.pixel(5, 5), qRgb(10, 200, 30));
}

void TestPictureFiles::hostileIconsAreRefused_data()
{
    QTest::addColumn<QByteArray>("data");
    const QByteArray good = iconFile({pattern(16, 16)});
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header only") << good.left(6);
    QTest::newRow("cut in the image") << good.left(good.size() - 100);
    QByteArray count = good;
    qToLittleEndian<quint16>(60000, count.data() + 4);
    QTest::newRow("60000 entries") << count;
    QByteArray zero = good;
    qToLittleEndian<quint16>(0, zero.data() + 4);
    QTest::newRow("no entries") << zero;
    QByteArray offset = good;
    qToLittleEndian<quint32>(0xFFFFFF00u, offset.data() + 6 + 12);
    QTest::newRow("offset past the end") << offset;
    QByteArray inner = good;
    qToLittleEndian<qint32>(20000, inner.data() + 6 + 16 + 4);  // the image's own header:
    qToLittleEndian<qint32>(40000, inner.data() + 6 + 16 + 8);  // 20000 x 20000 in 1 KB
    QTest::newRow("image claiming 20000 x 20000") << inner;
    QByteArray cursor = good;
    qToLittleEndian<quint16>(2, cursor.data() + 2);
    QTest::newRow("a cursor") << cursor;
}

void TestPictureFiles::hostileIconsAreRefused()
{
    QFETCH(QByteArray, data);
    QString error;
    QVERIFY(PictureFiles::DecodeIcon(data, &error).isNull());
    QVERIFY(!error.isEmpty());
}

void TestPictureFiles::jpegBecomesA256ColourBitmap()
{
    QImage original(64, 40, QImage::Format_RGB32);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x)
            original.setPixel(x, y, qRgb(x * 4, y * 6, 128));
    QString error;
    const QImage read = PictureFiles::DecodeJpeg(jpegFile(original), &error);
    QVERIFY2(!read.isNull(), qPrintable(error));
    QCOMPARE(read.size(), original.size());
    QCOMPARE(read.format(), QImage::Format_Indexed8);
    QVERIFY(read.colorCount() > 16 && read.colorCount() <= 256);
    // Dithered, so compare the average colour of a block.
    auto mean = [](const QImage &image, QRect r) {
        int red = 0, green = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                red += qRed(image.pixel(x, y));
                green += qGreen(image.pixel(x, y));
            }
        const int n = r.width() * r.height();
        return QPoint(red / n, green / n);
    };
    const QRect block(40, 20, 8, 8);
    QVERIFY((mean(read, block) - mean(original, block)).manhattanLength() < 16);
}

void TestPictureFiles::damagedJpegsFail()
{
    const QByteArray good = jpegFile(pattern(48, 48));
    QString error;
    // A cut file decodes with a "premature end" warning: refused.
    QVERIFY(PictureFiles::DecodeJpeg(good.left(good.size() * 2 / 3), &error).isNull());
    QCOMPARE(error, QString("There are warnings"));
    for (const QByteArray &bad : {QByteArray(), good.left(20), QByteArray("\xFF\xD8\xFF\xE0 not really", 16),
                                  QByteArray(300, '\xFF')}) {
        error.clear();
        QVERIFY(PictureFiles::DecodeJpeg(bad, &error).isNull());
        QVERIFY(!error.isEmpty());
    }
}

void TestPictureFiles::jpegClaimingAHugeSizeIsRefused()
{
    QByteArray data = jpegFile(pattern(16, 16));
    const qsizetype sof = data.indexOf(QByteArray("\xFF\xC0", 2));
    QVERIFY(sof > 0);
    qToBigEndian<quint16>(30000, data.data() + sof + 5); // height
    qToBigEndian<quint16>(30000, data.data() + sof + 7); // width
    QString error;
    QVERIFY(PictureFiles::DecodeJpeg(data, &error).isNull());
    QCOMPARE(error, QString("Picture size out of range"));
}

void TestPictureFiles::gifClaimingAHugeScreenIsRefused()
{
    // Found by the fuzzer: a 12 x 8 frame on a 3080 x 63488 logical screen,
    // which the decoder would allocate and clear before drawing the frame.
    const QByteArray hostile = QByteArray::fromBase64("R0lGODlhCAwA+PAh+QQBAAA1ACwAAAAADAAIAAAC3IMAAAACj8L1AAA/");
    QCOMPARE(PictureFiles::ImageFormatOf(hostile), PictureFiles::TImageFormat::Gif);
    QString error;
    QVERIFY(PictureFiles::DecodeImage(hostile, &error).isNull());
    QCOMPARE(error, QString("Picture size out of range"));

    // The same frame on a screen of its own size is not refused for its size.
    QByteArray fitting = hostile;
    qToLittleEndian<quint16>(12, fitting.data() + 6);
    qToLittleEndian<quint16>(8, fitting.data() + 8);
    error.clear();
    PictureFiles::DecodeImage(fitting, &error);
    QVERIFY2(error != QString("Picture size out of range"), qPrintable(error));
}

void TestPictureFiles::filesChosenByExtensionIgnoringCase()
{
    QTemporaryDir dir;
    const QImage original = pattern(10, 8);
    QVERIFY(writeFile(dir.filePath("a.Bmp"), bitmapFile(original, 24)));
    QVERIFY(writeFile(dir.filePath("b.JIF"), jpegFile(original)));
    QVERIFY(writeFile(dir.filePath("c.jpeg"), jpegFile(original)));
    QVERIFY(writeFile(dir.filePath("d.ICO"), iconFile({original})));
    QVERIFY(writeFile(dir.filePath("e.gif"), bitmapFile(original, 24)));
    QVERIFY(writeFile(dir.filePath("f.jpg"), bitmapFile(original, 24))); // a bitmap under a JPEG name
    QString error;
    QCOMPARE(LoadPictureFile(dir.filePath("a.Bmp"), &error).size(), QSize(10, 8));
    QCOMPARE(LoadPictureFile(dir.filePath("b.JIF"), &error).format(), QImage::Format_Indexed8);
    QCOMPARE(LoadPictureFile(dir.filePath("c.jpeg"), &error).size(), QSize(10, 8));
    QCOMPARE(LoadPictureFile(dir.filePath("d.ICO"), &error).size(), QSize(10, 8));
    QVERIFY(LoadPictureFile(dir.filePath("e.gif"), &error).isNull());
    QVERIFY(LoadPictureFile(dir.filePath("f.jpg"), &error).isNull());
    QVERIFY(LoadPictureFile(dir.filePath("missing.bmp"), &error).isNull());
    // In memory, the first bytes tell the kind when there is no extension.
    QCOMPARE(LoadPictureData(jpegFile(original), "texture", &error).format(), QImage::Format_Indexed8);
    QCOMPARE(LoadPictureData(iconFile({original}), QString(), &error).size(), QSize(10, 8));
    QVERIFY(LoadPictureData(jpegFile(original), "texture.bmp", &error).isNull());
}

void TestPictureFiles::encodedBitmapReadsBack()
{
    const QImage original = pattern(11, 9);
    const QImage read = PictureFiles::DecodeBitmap(PictureFiles::EncodeBitmap(original));
    QCOMPARE(read.size(), original.size());
    QCOMPARE(worstDifference(read, original), 0);
    QImage indexed = original.convertToFormat(QImage::Format_Indexed8);
    QCOMPARE(worstDifference(PictureFiles::DecodeBitmap(PictureFiles::EncodeBitmap(indexed)), original), 0);
}

QTEST_GUILESS_MAIN(TestPictureFiles)
#include "tst_picturefiles.moc"
