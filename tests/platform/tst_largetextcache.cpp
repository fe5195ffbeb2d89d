// Large letters copied from cached pixels look as drawn in place, at any
// pixel ratio and position, clipped or not, and only where caching is right.
#include "platform/Canvas.h"
#include "platform/LargeTextCache.h"

#include <QPicture>
#include <QThread>
#include <QtTest>

#include <functional>

namespace {

QImage whitePage(QSize size, qreal ratio)
{
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}

// The largest difference in any channel, and how many pixels differ at all.
struct Difference {
    int largest = 0;
    int pixels = 0;
};

Difference compare(const QImage &a, const QImage &b)
{
    Difference d;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int most = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                       std::abs(qBlue(p) - qBlue(q))});
            d.largest = std::max(d.largest, most);
            d.pixels += most > 0;
        }
    }
    return d;
}

int inked(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) != qRgb(255, 255, 255);
    return count;
}

QFont pixelFont(const QString &family, int pixels, bool italic = false)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    return font;
}

// Blending a cached letter rounds its edge pixels once more than filling
// it in place does: a few levels out of 255.
constexpr int kRounding = 4;

// Runs `paint` on a thread of its own, where nothing is cached: the
// letters are filled in place, as without the cache.
void paintInPlace(const std::function<void()> &paint)
{
    QThread *worker = QThread::create(paint);
    worker->start();
    worker->wait();
    delete worker;
}

} // namespace

class TestLargeTextCache : public QObject
{
    Q_OBJECT

private slots:
    void init() { LargeTextCache::clear(); }

    void copiesMatchDrawingInPlace_data();
    void copiesMatchDrawingInPlace();
    void onlyTheShownTilesAreDrawnAndScrollingDrawsTheRest();
    void coloursOfOneTextAreSeparateAndTheCanvasStateIsKept();
    void smallTurnedPrintedOrRecordedTextIsDrawnInPlace();
    void otherThreadsDrawInPlace();
};

void TestLargeTextCache::copiesMatchDrawingInPlace_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QPointF>("at");
    QTest::newRow("sans 90 px at 1x") << "DejaVu Sans" << 90 << false << 1.0 << QPointF(13, 120);
    QTest::newRow("serif italic 150 px at 1x") << "Liberation Serif" << 150 << true << 1.0 << QPointF(40, 160);
    QTest::newRow("sans 40 px at 2x") << "Liberation Sans" << 40 << false << 2.0 << QPointF(7, 60);
    QTest::newRow("sans 60 px at 1.5x, half pixels") << "Liberation Sans" << 60 << false << 1.5 << QPointF(11, 81);
    QTest::newRow("serif 100 px at 1x, fractional") << "Liberation Serif" << 100 << false << 1.0
                                                    << QPointF(10.25, 130.5);
}

void TestLargeTextCache::copiesMatchDrawingInPlace()
{
    QFETCH(QString, family);
    QFETCH(int, pixels);
    QFETCH(bool, italic);
    QFETCH(qreal, ratio);
    QFETCH(QPointF, at);
    const QFont font = pixelFont(family, pixels, italic);
    const QString text = QStringLiteral("Ég Boulevard fjq");
    const QColor ink(20, 60, 140);
    const QSize size(1400, 260);

    QImage inPlace = whitePage(size, ratio);
    {
        QPainter painter(&inPlace);
        painter.setFont(font);
        painter.setPen(ink);
        painter.drawText(at, text);
    }
    // Twice: the first draws the tiles, the second copies them.
    for (int pass = 0; pass < 2; ++pass) {
        QImage copied = whitePage(size, ratio);
        {
            QPainter painter(&copied);
            QVERIFY(LargeTextCache::draw(painter, at, font, ink, text));
        }
        const Difference d = compare(inPlace, copied);
        QVERIFY2(d.largest <= kRounding, qPrintable(QStringLiteral("pass %1: off by %2").arg(pass).arg(d.largest)));
        QVERIFY(inked(copied) > 1000);
        QCOMPARE(inked(copied), inked(inPlace));
    }
}

void TestLargeTextCache::onlyTheShownTilesAreDrawnAndScrollingDrawsTheRest()
{
    const QFont font = pixelFont(QStringLiteral("DejaVu Sans"), 120);
    const QString text = QStringLiteral("Northwind Landscape Architecture");
    const QSize size(2600, 200);
    QImage inPlace = whitePage(size, 1.0);
    {
        QPainter painter(&inPlace);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(5, 150), text);
    }
    QImage copied = whitePage(size, 1.0);
    const auto drawClipped = [&](const QRect &clip) {
        QPainter painter(&copied);
        painter.setClipRect(clip);
        QVERIFY(LargeTextCache::draw(painter, QPointF(5, 150), font, Qt::black, text));
    };
    // A window's worth of a line far wider than the window.
    const QRect window(600, 0, 400, 200);
    drawClipped(window);
    const int shownTiles = LargeTextCache::size();
    QVERIFY(shownTiles > 0);
    QVERIFY2(shownTiles <= 6, qPrintable(QString::number(shownTiles)));
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            if (!window.contains(x, y))
                QCOMPARE(copied.pixel(x, y), qRgb(255, 255, 255));
    QVERIFY(compare(copied.copy(window), inPlace.copy(window)).largest <= kRounding);

    // Scrolled to the rest: more tiles, and the whole line as in place.
    copied.fill(Qt::white);
    drawClipped(QRect(QPoint(0, 0), size));
    QVERIFY(LargeTextCache::size() > shownTiles);
    QVERIFY(compare(copied, inPlace).largest <= kRounding);
    QCOMPARE(inked(copied), inked(inPlace));
}

// A label's shadow, highlight and face are the same text in three colours,
// drawn over each other and followed by other drawing on the same canvas.
void TestLargeTextCache::coloursOfOneTextAreSeparateAndTheCanvasStateIsKept()
{
    const auto paint = [](TCanvas &canvas) {
        TFont font;
        font.name = QStringLiteral("Liberation Sans");
        font.height = -96;
        font.style = fsBold;
        canvas.setFont(font);
        canvas.setBrush(TBrush{clWhite, bsClear, {}});
        const QList<std::pair<TColor, QPoint>> copies{{clGray, {14, 14}}, {clAqua, {8, 8}}, {clNavy, {10, 10}}};
        for (const auto &[colour, at] : copies) {
            canvas.font().color = colour;
            canvas.textRect(QRect(0, 0, 900, 130), at.x(), at.y(), QStringLiteral("Harbour 42"));
        }
        // After the text: a rectangle and small text, where they belong.
        canvas.setPen(TPen{clRed, 3, psSolid, pmCopy});
        canvas.rectangle(20, 140, 300, 180);
        font.height = -14;
        canvas.setFont(font);
        canvas.textOut(400, 150, QStringLiteral("small print"));
    };
    for (const qreal ratio : {1.0, 2.0}) {
        LargeTextCache::clear();
        QImage inPlace = whitePage(QSize(900, 200), ratio);
        paintInPlace([&] {
            TCanvas canvas(&inPlace, 96);
            paint(canvas);
        });
        QCOMPARE(LargeTextCache::size(), 0);
        QImage copied = whitePage(QSize(900, 200), ratio);
        {
            TCanvas canvas(&copied, 96);
            paint(canvas);
        }
        QCOMPARE(LargeTextCache::size() > 0, true);
        const Difference d = compare(inPlace, copied);
        QVERIFY2(d.largest <= kRounding, qPrintable(QStringLiteral("at %1x off by %2").arg(ratio).arg(d.largest)));
        // The red outline is exactly where it was: the copies left no transform behind.
        QCOMPARE(copied.pixel(QPoint(20, 160) * ratio), qRgb(255, 0, 0));
        QCOMPARE(copied.pixel(QPoint(20, 160) * ratio), inPlace.pixel(QPoint(20, 160) * ratio));
    }
}

void TestLargeTextCache::smallTurnedPrintedOrRecordedTextIsDrawnInPlace()
{
    TFont font;
    font.name = QStringLiteral("DejaVu Sans");
    QImage page = whitePage(QSize(600, 600), 1.0);

    // Small enough for Qt's own glyph cache.
    font.height = -40;
    {
        TCanvas canvas(&page, 96);
        canvas.setFont(font);
        canvas.textOut(10, 10, QStringLiteral("small"));
    }
    QCOMPARE(LargeTextCache::size(), 0);
    // The same size is large on a screen of twice the pixels.
    {
        QImage hidpi = whitePage(QSize(600, 600), 2.0);
        TCanvas canvas(&hidpi, 96);
        canvas.setFont(font);
        canvas.textOut(10, 10, QStringLiteral("small"));
    }
    QVERIFY(LargeTextCache::size() > 0);
    LargeTextCache::clear();

    font.height = -100;
    {
        TCanvas canvas(&page, 96);
        canvas.setFont(font);
        canvas.setFontEscapement(900);
        canvas.textOut(300, 500, QStringLiteral("turned"));
    }
    QCOMPARE(LargeTextCache::size(), 0);
    {
        TCanvas canvas(&page, 96);
        canvas.setPrintText(true);
        canvas.setFont(font);
        canvas.textOut(10, 200, QStringLiteral("paper"));
    }
    QCOMPARE(LargeTextCache::size(), 0);
    {
        QPicture recording;
        QPainter painter(&recording);
        QVERIFY(!LargeTextCache::draw(painter, QPointF(10, 100), pixelFont(QStringLiteral("DejaVu Sans"), 100),
                                      Qt::black, QStringLiteral("recorded")));
    }
    QCOMPARE(LargeTextCache::size(), 0);
    QVERIFY(inked(page) > 1000); // the text was drawn all the same
}

void TestLargeTextCache::otherThreadsDrawInPlace()
{
    bool cached = true;
    int ink = 0;
    paintInPlace([&] {
        QImage page = whitePage(QSize(500, 200), 1.0);
        QPainter painter(&page);
        cached = LargeTextCache::draw(painter, QPointF(10, 150), pixelFont(QStringLiteral("DejaVu Sans"), 100),
                                      Qt::black, QStringLiteral("thread"));
        painter.end();
        ink = inked(page);
    });
    QVERIFY(!cached);
    QCOMPARE(ink, 0);
    QCOMPARE(LargeTextCache::size(), 0);
}

QTEST_MAIN(TestLargeTextCache)
#include "tst_largetextcache.moc"
