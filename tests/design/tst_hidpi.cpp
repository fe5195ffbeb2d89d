// The card on a screen with two device pixels per logical pixel: drawn at
// the screen's own resolution, not drawn once and doubled.

#include "design/CardPanelHost.h"

#include <QApplication>
#include <QtTest>

namespace {

bool dark(QRgb c) { return qGray(c) < 96; }
bool white(QRgb c) { return c == qRgb(255, 255, 255); }

// True when some row of `area` has two device pixels of one logical pixel
// that differ: a doubled picture never has.
bool finerThanLogical(const QImage &image, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left() & ~1; x + 1 <= area.right(); x += 2) {
            if (image.pixel(x, y) != image.pixel(x + 1, y))
                return true;
        }
    }
    return false;
}

} // namespace

class TstHiDpi : public QObject
{
    Q_OBJECT
private slots:
    void rectangleEdgeIsOneDevicePixel();
    void curvesAndLinesAreDrawnAtDeviceResolution();
    void exactDrawingStaysInLogicalPixels();
};

void TstHiDpi::rectangleEdgeIsOneDevicePixel()
{
    CardPanelHost host;
    QVERIFY(host.exposed);
    QCOMPARE(host.panel->devicePixelRatioF(), 2.0);
    for (bool smooth : {false, true}) {
        host.panel->SetSmoothDrawing(smooth);
        host.addShape(QRect(20, 20, 60, 30));
        const QImage shot = host.panel->grab().toImage();
        QCOMPARE(shot.size(), host.panel->size() * 2);
        // Across the left edge at the rectangle's middle: white card, one
        // dark device pixel, then the white inside.
        const int y = 2 * 35;
        QVERIFY(white(shot.pixel(39, y)));
        QVERIFY2(dark(shot.pixel(40, y)), smooth ? "smooth" : "exact");
        QVERIFY2(white(shot.pixel(41, y)), smooth ? "smooth" : "exact");
        // The right edge is the last device pixel of column 79.
        QVERIFY(white(shot.pixel(2 * 79, y)));
        QVERIFY(dark(shot.pixel(2 * 79 + 1, y)));
        QVERIFY(white(shot.pixel(2 * 80, y)));
        // Top edge likewise.
        QVERIFY(dark(shot.pixel(2 * 50, 40)));
        QVERIFY(white(shot.pixel(2 * 50, 41)));
        host.panel->RemoveAllObjects();
    }
}

void TstHiDpi::curvesAndLinesAreDrawnAtDeviceResolution()
{
    CardPanelHost host;
    QVERIFY(host.exposed);
    host.panel->SetSmoothDrawing(true);
    host.addShape(QRect(20, 20, 80, 50), stEllipse);
    host.addLine(QRect(120, 20, 60, 40), stAngleSlopingDown);
    const QImage shot = host.panel->grab().toImage();
    QVERIFY(finerThanLogical(shot, QRect(40, 40, 160, 100)));
    QVERIFY(finerThanLogical(shot, QRect(240, 40, 120, 80)));
    // The ellipse's outline is a hairline: along its middle row the dark
    // run at the left is at most two device pixels (anti-aliased), not the
    // two full logical pixels a doubled picture gives.
    const int y = 2 * 45;
    int darkRun = 0;
    for (int x = 30; x < 60; ++x)
        darkRun += qGray(shot.pixel(x, y)) < 200;
    QVERIFY2(darkRun >= 1 && darkRun <= 2, qPrintable(QString::number(darkRun)));
}

void TstHiDpi::exactDrawingStaysInLogicalPixels()
{
    // Exports and the card's own rules are in logical pixels whatever the
    // screen: rendering into a plain image is as before.
    CardPanelHost host;
    host.addShape(QRect(20, 20, 60, 30));
    const QImage image = host.render();
    QCOMPARE(image.size(), host.panel->size());
    QVERIFY(dark(image.pixel(20, 35)));
    QVERIFY(white(image.pixel(21, 35)));
    QVERIFY(dark(image.pixel(79, 35)));
}

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TstHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hidpi.moc"
