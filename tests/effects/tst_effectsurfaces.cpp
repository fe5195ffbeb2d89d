// The gradient, solid and texture surfaces of the special-effect objects,
// on the screen and on paper, and the stored form of a texture.
#include "design/stream/StreamError.h"
#include "effects/EffectSurfaces.h"
#include "effects/TextureStream.h"
#include "platform/Canvas.h"
#include "platform/CanvasRegions.h"
#include "platform/ScreenMetrics.h"
#include "report/ImageTarget.h"
#include "report/TReport.h"

#include <QBuffer>
#include <QtEndian>
#include <QtTest>

using namespace EffectSurfaces;

namespace {

QColor at(const QImage &image, int x, int y) { return image.pixelColor(x, y); }

QByteArray bitmapFile(const QImage &image)
{
    QByteArray file;
    QBuffer buffer(&file);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return file;
}

QByteArray streamOf(const QByteArray &file)
{
    QByteArray stream(4, '\0');
    qToLittleEndian<quint32>(quint32(file.size()), stream.data());
    return stream + file;
}

QImage checker(int size, QColor a, QColor b)
{
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixelColor(x, y, ((x / 4 + y / 4) % 2) ? a : b);
    return image;
}

} // namespace

class TestEffectSurfaces : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }

    void gradientEndsFollowTheDirection()
    {
        // gdUp: the "to" colour at the top, the base colour at the bottom.
        QImage up = gradientBitmap(40, 300, clRed, clBlue, gdUp);
        QCOMPARE(at(up, 20, 0), QColor(Qt::blue));
        QCOMPARE(at(up, 20, 299), QColor(Qt::red));
        QImage down = gradientBitmap(40, 300, clRed, clBlue, gdDown);
        QCOMPARE(at(down, 20, 0), QColor(Qt::red));
        QCOMPARE(at(down, 20, 299), QColor(Qt::blue));
        // gdRight: base colour at the left edge, "to" colour at the right.
        QImage right = gradientBitmap(300, 40, clRed, clBlue, gdRight);
        QCOMPARE(at(right, 0, 5), QColor(Qt::red));
        QCOMPARE(at(right, 299, 5), QColor(Qt::blue));
        QImage left = gradientBitmap(300, 40, clRed, clBlue, gdLeft);
        QCOMPARE(at(left, 0, 5), QColor(Qt::blue));
        QCOMPARE(at(left, 299, 5), QColor(Qt::red));
        QCOMPARE(right.size(), QSize(300, 40));
    }

    void bandsUseMulDivForColourAndPlace()
    {
        const GradientEnds ends = gradientEnds(rgbColor(10, 200, 0), rgbColor(250, 0, 0), gdDown);
        QCOMPARE(bandColor(ends, 0), rgbColor(10, 200, 0));
        QCOMPARE(bandColor(ends, 255), rgbColor(250, 0, 0));
        // 10 + MulDiv(128, 240, 255) = 10 + round(120.47) ; 200 + MulDiv(128, -200, 255) = 200 - 100
        QCOMPARE(bandColor(ends, 128), rgbColor(130, 100, 0));
        // 100 pixels in 256 bands: band i covers MulDiv(i, 100, 256) .. MulDiv(i + 1, 100, 256).
        QCOMPARE(bandRect(0, 30, 100, gdDown), QRect(0, 0, 30, 0));
        QCOMPARE(bandRect(1, 30, 100, gdDown), QRect(0, 0, 30, 1));
        QCOMPARE(bandRect(254, 30, 100, gdDown), QRect(0, 99, 30, 1));
        QVERIFY(bandRect(255, 30, 100, gdDown).isEmpty()); // rounds past the last row
        QCOMPARE(bandRect(3, 100, 30, gdRight), QRect(1, 0, 1, 30));
        // System colours resolve to their RGB before blending.
        const GradientEnds system = gradientEnds(clWindow, clBlack, gdDown);
        QCOMPARE(system.start, Colors::resolve(clWindow));
    }

    void smallGradientHasEveryRowFilled()
    {
        const QImage g = gradientBitmap(7, 9, clWhite, clBlack, gdDown);
        for (int y = 0; y < 9; ++y)
            QVERIFY(at(g, 3, y).isValid());
        // Rows darken monotonically.
        for (int y = 1; y < 9; ++y)
            QVERIFY(qGray(g.pixel(3, y)) <= qGray(g.pixel(3, y - 1)));
        QVERIFY(gradientBitmap(0, 9, clWhite, clBlack, gdDown).isNull());
    }

    void tilesCoverTheObjectInsideTheClip()
    {
        QImage card(60, 50, QImage::Format_RGB32);
        card.fill(Qt::white);
        const QImage tile = checker(8, Qt::red, Qt::green);
        {
            TCanvas canvas(&card);
            canvas.setOrigin(QPoint(5, 5));
            canvas.selectClipRegion(CanvasRegions::rect(0, 0, 30, 20).translated(5, 5));
            tileSurface(canvas, tile, tile.size(), 40, 40);
        }
        QCOMPARE(at(card, 5, 5), QColor(Qt::green));
        QCOMPARE(at(card, 5 + 9, 5), QColor(Qt::green)); // second tile starts like the first
        QCOMPARE(at(card, 5 + 4, 5), QColor(Qt::red));
        QCOMPARE(at(card, 34, 24), at(card, 34 - 8, 24 - 8));
        QCOMPARE(at(card, 35, 10), QColor(Qt::white)); // clipped
        QCOMPARE(at(card, 10, 25), QColor(Qt::white));
        // Zoomed texture tiles are scaled and truncated; 1.0 keeps the size.
        QCOMPARE(textureTileSize(tile, 2.0f), QSize(16, 16));
        QCOMPARE(textureTileSize(QImage(10, 7, QImage::Format_RGB32), 1.5f), QSize(15, 10));
        QCOMPARE(textureTileSize(tile, 1.0f), QSize(8, 8));
    }

    void printedTilesOverlapAndLeaveNoSeam()
    {
        TReport job(std::make_unique<ImageTarget>(SimulatedDevice(300, 300)));
        const QImage tile = checker(8, Qt::blue, Qt::blue); // a plain tile shows any seam
        job.onPrint = [&](TReport &j) {
            const PrintState state = PrintState::begin(j, 1.0, 1.0);
            QCOMPARE(state.printOrigin, QPoint(300, 300));
            // 96 screen pixels to the inch: a tile of 8 pixels is 25 printer pixels.
            const PageBox box = PageBox::fromRect(state.pageBox(10, 10, 60, 40));
            j.pushClipRect(1 + 10 / 96.0, 1 + 10 / 96.0, 1 + 70 / 96.0, 1 + 50 / 96.0);
            j.selectClip();
            printTiles(state, tile, box, false);
            j.clearClip();
            j.popClip();
        };
        QVERIFY(job.run());
        const QImage page = job.targetAs<ImageTarget>()->pages().first();
        const QPoint origin = job.toDevice(1 + 10 / 96.0, 1 + 10 / 96.0);
        int white = 0;
        for (int y = origin.y() + 1; y < origin.y() + 120; ++y)
            for (int x = origin.x() + 1; x < origin.x() + 180; ++x)
                white += qBlue(page.pixel(x, y)) < 200 || qRed(page.pixel(x, y)) > 60;
        QCOMPARE(white, 0);
        QCOMPARE(page.pixelColor(origin.x() + 190, origin.y() + 20), QColor(Qt::white));
    }

    void printedGradientIsDrawnBandByBandAtPrinterResolution()
    {
        TReport job(std::make_unique<ImageTarget>(SimulatedDevice(600, 600)));
        job.onPrint = [&](TReport &j) {
            const PrintState state = PrintState::begin(j, 0.5, 0.5);
            const PageBox box = PageBox::fromRect(state.pageBox(0, 0, 96, 96)); // one inch
            j.pushClipRect(0.5, 0.5, 1.5, 1.5);
            j.selectClip();
            printGradient(state, box, 0, 0, clBlack, clWhite, gdRight);
            j.clearClip();
            j.popClip();
        };
        QVERIFY(job.run());
        const QImage page = job.targetAs<ImageTarget>()->pages().first();
        const QPoint o = job.toDevice(0.5, 0.5);
        // 601 printer pixels in 256 bands: no band is wider than 3 pixels and the
        // grey rises steadily from black to white.
        int run = 1;
        int longest = 1;
        for (int x = o.x() + 1; x < o.x() + 600; ++x) {
            const int g = qGray(page.pixel(x, o.y() + 300));
            const int before = qGray(page.pixel(x - 1, o.y() + 300));
            QVERIFY2(g >= before, qPrintable(QString("x %1").arg(x)));
            run = g == before ? run + 1 : 1;
            longest = std::max(longest, run);
        }
        QVERIFY2(longest <= 3, qPrintable(QString::number(longest)));
        QCOMPARE(qGray(page.pixel(o.x(), o.y() + 300)), 0);
        QVERIFY(qGray(page.pixel(o.x() + 599, o.y() + 300)) >= 254);
    }

    void printedGradientEndsAtTheObjectsEdgeDespiteTheExtraMargin()
    {
        // Half an inch high at 300 dpi with the quarter inch of extra fill: the
        // bottom row still shows the end colour, as on the screen.
        TReport job(std::make_unique<ImageTarget>(SimulatedDevice(300, 300)));
        job.onPrint = [&](TReport &j) {
            const PrintState state = PrintState::begin(j, 1.0, 1.0);
            const PageBox box = PageBox::fromRect(state.pageBox(0, 0, 96, 48));
            j.pushClipRect(1.0, 1.0, 2.0, 1.5);
            j.selectClip();
            printGradient(state, box, 0, 75, clBlack, clWhite, gdDown);
            j.clearClip();
            j.popClip();
        };
        QVERIFY(job.run());
        const QImage page = job.targetAs<ImageTarget>()->pages().first();
        const QPoint o = job.toDevice(1.0, 1.0);
        QCOMPARE(qGray(page.pixel(o.x() + 50, o.y())), 0);
        QVERIFY2(qGray(page.pixel(o.x() + 50, o.y() + 149)) >= 253, qPrintable(QString::number(qGray(page.pixel(o.x() + 50, o.y() + 149)))));
        QVERIFY(std::abs(qGray(page.pixel(o.x() + 50, o.y() + 75)) - 128) <= 3);
        QCOMPARE(page.pixelColor(o.x() + 50, o.y() + 151), QColor(Qt::white)); // clipped below
    }

    void textureRoundTripsThroughItsStoredForm()
    {
        const QImage tile = checker(12, Qt::red, Qt::yellow);
        const QByteArray stored = TextureStream::encode(tile);
        QCOMPARE(qFromLittleEndian<quint32>(stored.constData()), quint32(stored.size() - 4));
        QCOMPARE(stored.mid(4, 2), QByteArray("BM"));
        const QImage back = TextureStream::decode(stored);
        QCOMPARE(back.size(), tile.size());
        QCOMPARE(back.pixelColor(0, 0), tile.pixelColor(0, 0));
        QCOMPARE(back.pixelColor(5, 1), tile.pixelColor(5, 1));
        QVERIFY(TextureStream::encode(QImage()).isEmpty());
        QVERIFY(TextureStream::decode(QByteArray()).isNull());
    }

    void damagedOrHugeTexturesFailCleanly_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = bitmapFile(checker(16, Qt::red, Qt::blue));
        QTest::newRow("length past end") << streamOf(good).left(good.size() - 10);
        QTest::newRow("short length") << QByteArray("\x05\x00", 2);
        QTest::newRow("not a bitmap") << streamOf(QByteArray(60, 'x'));
        QByteArray huge = good;
        qToLittleEndian<qint32>(100000, huge.data() + 18);
        qToLittleEndian<qint32>(100000, huge.data() + 22);
        QTest::newRow("absurd size") << streamOf(huge);
        QByteArray wide = good;
        qToLittleEndian<qint32>(20001, wide.data() + 18);
        QTest::newRow("too wide") << streamOf(wide);
        QByteArray truncatedPixels = good.left(good.size() - 40);
        qToLittleEndian<quint32>(quint32(truncatedPixels.size()), truncatedPixels.data() + 2);
        QTest::newRow("pixels missing") << streamOf(truncatedPixels);
        QByteArray header = good;
        qToLittleEndian<quint32>(7, header.data() + 14);
        QTest::newRow("damaged header") << streamOf(header);
    }

    void damagedOrHugeTexturesFailCleanly()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY_THROWS_EXCEPTION(StreamError, TextureStream::decode(bytes));
    }
};

QTEST_MAIN(TestEffectSurfaces)
#include "tst_effectsurfaces.moc"
