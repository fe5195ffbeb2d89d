#include "platform/Metafile.h"
#include "platform/ScreenMetrics.h"
#include "support/MetafileSamples.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

using namespace MetafileSamples;

class TestMetafile : public QObject
{
    Q_OBJECT

private slots:
    void init() { ScreenMetrics::setOverride(96); }
    void cleanup() { ScreenMetrics::resetOverride(); }

    void officeFilesMatchTheirRenderings_data();
    void officeFilesMatchTheirRenderings();
    void plainWmfGetsAPlaceableHeader();
    void hostileMetafilesAreRefused_data();
    void hostileMetafilesAreRefused();
    void damagedBitmapInsideARecordDrawsNothing();
    void wmfWindowClipObjectsAndRestoreDc();
    void emfMappingWorldTransformAndClipping();
    void saveAndRestoreDcBringBackTheClip();
    void emfTextIsDrawnUpright();
    void recordingStretchesLikeDirectPlay();
    void pdfOutputStaysVector();
};

namespace {

QByteArray sample(const QString &name)
{
    QFile file(QStringLiteral(KARVELLO_TEST_DATA_DIR "/metafiles/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage blurred(const QImage &source)
{
    const QImage in = source.convertToFormat(QImage::Format_RGB32);
    QImage out(in.size(), QImage::Format_RGB32);
    for (int y = 0; y < in.height(); ++y)
        for (int x = 0; x < in.width(); ++x) {
            int r = 0, g = 0, b = 0, n = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int xx = x + dx, yy = y + dy;
                    if (xx < 0 || yy < 0 || xx >= in.width() || yy >= in.height())
                        continue;
                    const QRgb p = in.pixel(xx, yy);
                    r += qRed(p); g += qGreen(p); b += qBlue(p); ++n;
                }
            out.setPixel(x, y, qRgb(r / n, g / n, b / n));
        }
    return out;
}

// Share of pixels whose channels all lie within 48 levels, after a blur,
// at the best offset of up to `slack` pixels (a reference's crop may sit that
// far off).
double agreement(const QImage &a, const QImage &b, int slack = 0)
{
    const QImage x = blurred(a), y = blurred(b);
    double best = 0;
    for (int dy = -slack; dy <= slack; ++dy)
        for (int dx = -slack; dx <= slack; ++dx) {
            int close = 0, n = 0;
            for (int j = slack; j < x.height() - slack; ++j)
                for (int i = slack; i < x.width() - slack; ++i) {
                    const QRgb p = x.pixel(i + dx, j + dy), q = y.pixel(i, j);
                    ++n;
                    if (qAbs(qRed(p) - qRed(q)) <= 48 && qAbs(qGreen(p) - qGreen(q)) <= 48 && qAbs(qBlue(p) - qBlue(q)) <= 48)
                        ++close;
                }
            best = std::max(best, double(close) / n);
        }
    return best;
}

// Share of non-white pixels in the reference that are non-white here too:
// catches a drawing that is mostly empty.
double inkCoverage(const QImage &mine, const QImage &reference)
{
    int ink = 0, covered = 0;
    for (int j = 0; j < reference.height(); ++j)
        for (int i = 0; i < reference.width(); ++i) {
            if (qGray(reference.pixel(i, j)) > 200)
                continue;
            ++ink;
            if (qGray(mine.pixel(i, j)) <= 230)
                ++covered;
        }
    return ink ? double(covered) / ink : 1.0;
}

QImage render(const TMetafile &metafile, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    metafile.Play(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

} // namespace

void TestMetafile::officeFilesMatchTheirRenderings_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"envelope.wmf", "envelope.emf", "globe.wmf", "globe.emf", "logo.wmf", "photo.wmf", "photo.emf"})
        QTest::newRow(name) << QString(name);
}

void TestMetafile::officeFilesMatchTheirRenderings()
{
    QFETCH(QString, name);
    QString error;
    const auto metafile = TMetafile::FromData(sample(name), &error);
    QVERIFY2(metafile, qPrintable(error));
    for (int scale : {1, 2}) {
        QImage reference(QString(KARVELLO_TEST_DATA_DIR "/metafiles/%1.ref-%2x.png").arg(name).arg(scale));
        QVERIFY(!reference.isNull());
        if (scale == 1) // the frame at 96 pixels per inch, within the crop's slack
            QVERIFY(qAbs(metafile->Width() - reference.width()) <= 2 && qAbs(metafile->Height() - reference.height()) <= 2);
        const QImage mine = render(*metafile, reference.size());
        const double agree = agreement(mine, reference, 2 * scale);
        const double ink = inkCoverage(mine, reference);
        // The reference renderer draws filled polygons without a pen about half
        // a pixel wider than their outline, which thins the WMF files' strokes
        // (made of such polygons) here: globe.wmf agrees least, at 0.86.
        QVERIFY2(agree >= 0.85, qPrintable(QString("%1x: %2 agree").arg(scale).arg(agree)));
        QVERIFY2(ink >= 0.85, qPrintable(QString("%1x: %2 of the ink").arg(scale).arg(ink)));
    }
}

void TestMetafile::plainWmfGetsAPlaceableHeader()
{
    const QByteArray placeable = sample("envelope.wmf");
    QString error;
    const auto plain = TMetafile::FromData(placeable.mid(22), &error);
    QVERIFY2(plain, qPrintable(error));
    QCOMPARE(plain->Kind(), TMetafile::mkWmf);
    QCOMPARE(plain->Data().size(), placeable.size());
    QCOMPARE(plain->Data().mid(22), placeable.mid(22));
    QCOMPARE(qFromLittleEndian<quint32>(plain->Data().constData()), 0x9AC6CDD7u);
    // Its size comes from the window; it draws like the placeable file.
    const auto original = TMetafile::FromData(placeable);
    QVERIFY(plain->Width() > 0 && plain->Height() > 0);
    const QSize size(200, 130);
    QVERIFY(agreement(render(*plain, size), render(*original, size)) > 0.97);
}

void TestMetafile::hostileMetafilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("data");
    const QByteArray wmf = sample("logo.wmf");
    const QByteArray emf = sample("globe.emf");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("wmf header only") << wmf.left(30);
    QTest::newRow("wmf cut in a record") << wmf.left(wmf.size() / 2 + 1);
    QByteArray bigRecord = wmf;
    qToLittleEndian<quint32>(0x7FFFFFFF, bigRecord.data() + 22 + 18);
    QTest::newRow("wmf record reaching past the end") << bigRecord;
    QByteArray zeroRecord = wmf;
    qToLittleEndian<quint32>(0, zeroRecord.data() + 22 + 18);
    QTest::newRow("wmf record of size zero") << zeroRecord;
    QByteArray huge = wmf;
    qToLittleEndian<qint16>(32000, huge.data() + 10);
    qToLittleEndian<quint16>(1, huge.data() + 14); // 32000 inches
    QTest::newRow("wmf frame of 32000 inches") << huge;
    QByteArray noSize = wmf;
    qToLittleEndian<qint16>(qFromLittleEndian<qint16>(noSize.constData() + 6), noSize.data() + 10);
    QTest::newRow("wmf frame without width") << noSize;
    QTest::newRow("emf cut in a record") << emf.left(emf.size() / 2 + 2);
    QTest::newRow("emf without its end record") << emf.left(emf.size() - 20);
    QByteArray emfBig = emf;
    const quint32 headerSize = qFromLittleEndian<quint32>(emf.constData() + 4);
    qToLittleEndian<quint32>(0x7FFFFFF0, emfBig.data() + headerSize + 4);
    QTest::newRow("emf record reaching past the end") << emfBig;
    QByteArray emfOdd = emf;
    qToLittleEndian<quint32>(10, emfOdd.data() + headerSize + 4);
    QTest::newRow("emf record of unaligned size") << emfOdd;
    QTest::newRow("emf bitmap claiming 30000 x 30000 pixels") << emfWithHostileBitmap();
    QTest::newRow("emf polygon with a billion points") << emfWithPolygonCount(0x40000000u);
    QTest::newRow("emf frame of 500 metres") << emfWithFrame(QRect(0, 0, 50000000, 1000));
}

void TestMetafile::hostileMetafilesAreRefused()
{
    QFETCH(QByteArray, data);
    QString error;
    QVERIFY(!TMetafile::FromData(data, &error));
    QVERIFY(!error.isEmpty());
}

void TestMetafile::damagedBitmapInsideARecordDrawsNothing()
{
    // A stretch of a bitmap whose header claims 30000 x 30000 pixels in a
    // few bytes: the file is sound, the bitmap is skipped.
    QString error;
    const auto metafile = TMetafile::FromData(wmfWithHostileBitmap(), &error);
    QVERIFY2(metafile, qPrintable(error));
    const QImage image = render(*metafile, QSize(100, 100));
    QCOMPARE(image.pixel(50, 50), qRgb(255, 255, 255));
}

void TestMetafile::wmfWindowClipObjectsAndRestoreDc()
{
    QString error;
    const auto metafile = TMetafile::FromData(wmfShapesSample(), &error);
    QVERIFY2(metafile, qPrintable(error));
    QCOMPARE(metafile->Data().size(), wmfShapesSample().size() + 22); // a placeable header in front
    QCOMPARE(metafile->SizeInches(), QSizeF(200.0 / 1440, 100.0 / 1440));
    const QImage image = render(*metafile, QSize(200, 100));
    QCOMPARE(image.pixel(50, 25), qRgb(255, 0, 0));      // red, top-left
    QCOMPARE(image.pixel(25, 75), qRgb(255, 255, 255));  // excluded from the red
    QCOMPARE(image.pixel(75, 75), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(150, 25), qRgb(255, 255, 255)); // nothing drawn there
    QCOMPARE(image.pixel(150, 75), qRgb(0, 0, 255));     // blue from the reused slot
}

void TestMetafile::emfMappingWorldTransformAndClipping()
{
    // HIMETRIC (y up) with a world shift, a red square clipped to its left
    // half; see MetafileSamples::emfMappingSample for the drawing.
    QString error;
    const auto metafile = TMetafile::FromData(emfMappingSample(), &error);
    QVERIFY2(metafile, qPrintable(error));
    QCOMPARE(metafile->Size(), QSize(100, 100)); // 26.46 mm at 96 per inch
    const QImage image = render(*metafile, QSize(100, 100));
    QCOMPARE(image.pixel(30, 30), qRgb(255, 0, 0));  // inside the square, left half
    QCOMPARE(image.pixel(70, 30), qRgb(255, 255, 255)); // clipped away
    QCOMPARE(image.pixel(30, 80), qRgb(255, 255, 255)); // below the square (y up)
}

void TestMetafile::saveAndRestoreDcBringBackTheClip()
{
    QString error;
    const auto metafile = TMetafile::FromData(emfSaveRestoreSample(), &error);
    QVERIFY2(metafile, qPrintable(error));
    const QImage image = render(*metafile, QSize(100, 100));
    // The clip set after SaveDC is gone after RestoreDC: the blue fill
    // covers the whole frame.
    QCOMPARE(image.pixel(90, 90), qRgb(0, 0, 255));
    QCOMPARE(image.pixel(5, 5), qRgb(0, 0, 255));
}

void TestMetafile::emfTextIsDrawnUpright()
{
    QString error;
    const auto metafile = TMetafile::FromData(emfTextSample(), &error);
    QVERIFY2(metafile, qPrintable(error));
    const QImage image = render(*metafile, QSize(200, 100));
    // Black text of 40 units at y 50 with baseline alignment: ink above the
    // baseline, none far below it.
    auto inkIn = [&](QRect r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += qGray(image.pixel(x, y)) < 128;
        return n;
    };
    QVERIFY(inkIn(QRect(10, 15, 150, 35)) > 100);
    QCOMPARE(inkIn(QRect(10, 60, 150, 35)), 0);
}

void TestMetafile::recordingStretchesLikeDirectPlay()
{
    const auto metafile = TMetafile::FromData(sample("globe.emf"));
    QVERIFY(metafile);
    const QPicture &picture = metafile->Picture();
    QVERIFY(!picture.isNull());
    const QSize size(300, 200);
    QImage recorded(size, QImage::Format_RGB32);
    recorded.fill(Qt::white);
    {
        QPainter painter(&recorded);
        const QRect frame = picture.boundingRect();
        painter.scale(double(size.width()) / frame.width(), double(size.height()) / frame.height());
        painter.drawPicture(0, 0, picture);
    }
    QVERIFY(agreement(recorded, render(*metafile, size)) > 0.97);
}

void TestMetafile::pdfOutputStaysVector()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.pdf");
    {
        QPdfWriter writer(path);
        QPainter painter(&writer);
        TMetafile::FromData(sample("globe.emf"))->Play(painter, QRectF(0, 0, 3000, 2000));
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.size() > 1000);
    QVERIFY(!pdf.contains("/Subtype /Image"));
}

QTEST_MAIN(TestMetafile)
#include "tst_metafile.moc"
