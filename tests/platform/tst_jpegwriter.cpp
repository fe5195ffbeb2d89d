#include "platform/JpegWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

class TestJpegWriter : public QObject
{
    Q_OBJECT

private slots:
    void writesAColourJpegCloseToTheOriginal();
    void qualityChangesTheFileSize();
    void unwritableFileFailsWithAReason();
    void emptyPictureIsRefused();
};

namespace {
// Colour bands and a black frame: detail that a poor encoder would smear.
QImage samplePicture()
{
    QImage image(120, 80, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, x < 40 ? qRgb(200, 30, 30) : x < 80 ? qRgb(30, 160, 40)
                                                                     : qRgb(20, 40, 220));
    for (int x = 0; x < image.width(); ++x)
        image.setPixel(x, 0, qRgb(0, 0, 0));
    return image;
}

int maxDifference(const QImage &a, const QImage &b, QRect area)
{
    int worst = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)),
                          qAbs(qBlue(p) - qBlue(q))});
        }
    return worst;
}
} // namespace

void TestJpegWriter::writesAColourJpegCloseToTheOriginal()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("card.jpg");
    QString error;
    const QImage original = samplePicture();
    QVERIFY2(JpegWriter::Write(original, path, 100, &error), qPrintable(error));
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    QCOMPARE(reader.imageFormat(), QImage::Format_RGB32);
    const QImage read = reader.read();
    QCOMPARE(read.size(), original.size());
    // Away from the colour edges, quality 100 keeps colours within a few steps.
    QVERIFY(maxDifference(original, read, QRect(8, 8, 24, 60)) <= 6);
    QVERIFY(maxDifference(original, read, QRect(88, 8, 24, 60)) <= 6);
}

void TestJpegWriter::qualityChangesTheFileSize()
{
    QTemporaryDir dir;
    QVERIFY(JpegWriter::Write(samplePicture(), dir.filePath("best.jpg"), 100));
    QVERIFY(JpegWriter::Write(samplePicture(), dir.filePath("poor.jpg"), 10));
    QVERIFY(QFileInfo(dir.filePath("best.jpg")).size() > QFileInfo(dir.filePath("poor.jpg")).size());
}

void TestJpegWriter::unwritableFileFailsWithAReason()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY(!JpegWriter::Write(samplePicture(), dir.filePath("missing/card.jpg"), 100, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(dir.filePath("missing/card.jpg")));
}

void TestJpegWriter::emptyPictureIsRefused()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY(!JpegWriter::Write(QImage(), dir.filePath("none.jpg"), 100, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(dir.filePath("none.jpg")));
}

QTEST_MAIN(TestJpegWriter)
#include "tst_jpegwriter.moc"
