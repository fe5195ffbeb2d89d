// Pictures and metafiles at the limits that keep hostile files cheap: total
// pixels as well as sides, metafile record counts, and metafile text
// stretched along one axis.

#include "design/stream/StreamError.h"
#include "effects/TextureStream.h"
#include "platform/Metafile.h"
#include "platform/PictureFiles.h"
#include "platform/ScreenMetrics.h"
#include "support/MetafileSamples.h"
#include "support/PictureSamples.h"

#include <QPainter>
#include <QtEndian>
#include <QtTest>

#include <sys/resource.h>

using namespace PictureSamples;

namespace {

// A run-length encoded bitmap whose header claims the given size: a few
// bytes may describe a picture of any size.
QByteArray rleClaiming(qint32 width, qint32 height)
{
    QByteArray file = rleBitmapFile(pattern(4, 4), 8);
    qToLittleEndian(width, file.data() + 18);
    qToLittleEndian(height, file.data() + 22);
    return file;
}

QByteArray jpegClaiming(quint16 width, quint16 height)
{
    QByteArray data = jpegFile(pattern(16, 16));
    const qsizetype sof = data.indexOf(QByteArray("\xFF\xC0", 2));
    qToBigEndian<quint16>(height, data.data() + sof + 5);
    qToBigEndian<quint16>(width, data.data() + sof + 7);
    return data;
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

class TestPictureLimits : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ScreenMetrics::setOverride(96); }

    void totalPixelsAreLimitedNotOnlySides()
    {
        // 20000 x 3200 is the limit exactly; one row more is refused.
        QCOMPARE(qint64(20000) * 3200, PictureFiles::MaxPixels);
        QString error;
        PictureFiles::DecodeBitmap(rleClaiming(20000, 3200), &error);
        QVERIFY2(error != QStringLiteral("Bitmap size out of range"), qPrintable(error));
        QVERIFY(PictureFiles::DecodeBitmap(rleClaiming(20000, 3201), &error).isNull());
        QCOMPARE(error, QStringLiteral("Bitmap size out of range"));
        QVERIFY(PictureFiles::DecodeBitmap(rleClaiming(12000, 12000), &error).isNull());
        QCOMPARE(error, QStringLiteral("Bitmap size out of range"));

        QVERIFY(PictureFiles::DecodeJpeg(jpegClaiming(20000, 3201), &error).isNull());
        QCOMPARE(error, QStringLiteral("Picture size out of range"));
        QVERIFY(PictureFiles::DecodeJpeg(jpegClaiming(20000, 3200), &error).isNull()); // damaged, not refused
        QVERIFY(error != QStringLiteral("Picture size out of range"));

        QByteArray texture(4, '\0');
        const QByteArray file = rleClaiming(12000, 12000);
        qToLittleEndian<quint32>(quint32(file.size()), texture.data());
        QVERIFY_THROWS_EXCEPTION(StreamError, TextureStream::decode(texture + file));
    }

    void metafileRecordsAreCounted()
    {
        QString error;
        QVERIFY2(TMetafile::FromData(MetafileSamples::wmfWithRecords(TMetafile::MaxRecords), &error),
                 qPrintable(error));
        QVERIFY(!TMetafile::FromData(MetafileSamples::wmfWithRecords(TMetafile::MaxRecords + 1), &error));
        QCOMPARE(error, QStringLiteral("Metafile has too many records"));
    }

    // Found by fuzzing: text stretched along one axis kept Qt's area check
    // for its glyph cache happy while one cached glyph took gigabytes.
    void textStretchedAlongOneAxisIsDrawnWithoutAHugeGlyph()
    {
        QString error;
        const auto metafile = TMetafile::FromData(MetafileSamples::emfTextSample(), &error);
        QVERIFY2(metafile, qPrintable(error));
        const long before = peakKilobytes();
        for (const QSizeF stretch : {QSizeF(1e6, 1e-6), QSizeF(1e-6, 1e6)}) {
            QImage image(200, 100, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.scale(stretch.width(), stretch.height());
            metafile->Play(painter, QRectF(0, 0, 200, 100));
        }
        QVERIFY2(peakKilobytes() - before < 256 * 1024, "drawing the text took over 256 MB");
    }
};

QTEST_MAIN(TestPictureLimits)
#include "tst_picturelimits.moc"
