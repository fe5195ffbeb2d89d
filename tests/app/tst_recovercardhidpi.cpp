// "Recover Card" on a screen with two device pixels per logical pixel: the
// card's picture keeps the screen's own pixels instead of being doubled.

#include "app/TRecoverCard.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

class TstRecoverCardHiDpi : public QObject
{
    Q_OBJECT
private slots:
    void pictureHasTheScreensPixels();
};

void TstRecoverCardHiDpi::pictureHasTheScreensPixels()
{
    // A card drawn at the screen's pixels: 3.5 x 2 inches at twice 96 per inch,
    // with fine stripes one device pixel wide.
    QImage card(672, 384, QImage::Format_RGB32);
    card.fill(Qt::white);
    for (int x = 0; x < card.width(); x += 2)
        for (int y = 100; y < 200; ++y)
            card.setPixel(x, y, qRgb(0, 0, 0));
    TRecoverCard dialog(QStringLiteral("/cards/Jane.KVL"), QDateTime::currentDateTime(), card);
    QCOMPARE(dialog.devicePixelRatioF(), 2.0);
    const QPixmap picture = dialog.Picture->pixmap();
    QCOMPARE(picture.devicePixelRatio(), 2.0);
    // At most the picture's side in logical pixels, with twice as many device pixels.
    QCOMPARE(picture.deviceIndependentSize().toSize(), QSize(280, 160));
    QCOMPARE(picture.size(), QSize(560, 320));
    // Neighbouring device pixels differ somewhere across the stripes, as they
    // never would in a picture made at logical pixels and doubled.
    const QImage shown = picture.toImage();
    int changes = 0;
    for (int x = 20; x + 1 < 540; x += 2)
        changes += shown.pixel(x, 120) != shown.pixel(x + 1, 120);
    QVERIFY2(changes > 50, qPrintable(QString::number(changes)));
}

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TstRecoverCardHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovercardhidpi.moc"
