// Clip regions that are selected, cleared and selected again.
#include "platform/Canvas.h"

#include <QtTest>

class TestCanvasClip : public QObject
{
    Q_OBJECT

private slots:
    void pictureStaysInsideAReselectedClip()
    {
        QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        TCanvas canvas(&image, 96);
        QPainterPath first;
        first.addEllipse(10, 10, 20, 20);
        // An "H": a region of several rectangles.
        QPainterPath h;
        h.addRect(50, 50, 4, 20);
        h.addRect(60, 50, 4, 20);
        h.addRect(50, 58, 14, 4);
        canvas.selectClipPath(first);
        canvas.setBrush(TBrush{clRed, bsSolid, {}});
        canvas.fillRect(QRect(0, 0, 100, 100));
        canvas.clearClip();
        canvas.selectClipPath(h.simplified());
        QImage blue(10, 10, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        canvas.stretchDraw(QRect(0, 0, 100, 100), blue);
        canvas.clearClip();
        int outside = 0, inside = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) {
                if (image.pixel(x, y) != qRgb(0, 0, 255))
                    continue;
                (h.contains(QPointF(x + 0.5, y + 0.5)) ? inside : outside)++;
            }
        QCOMPARE(outside, 0);
        QVERIFY(inside > 100);
        QCOMPARE(image.pixel(20, 20), qRgb(255, 0, 0));
    }

    void clearingRestoresTheCallersClip()
    {
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setClipRect(0, 0, 50, 100);
        {
            TCanvas canvas(&painter, 96);
            canvas.selectClipRegion(QRegion(20, 20, 60, 10) + QRegion(20, 60, 60, 10));
            canvas.clearClip();
            QImage blue(10, 10, QImage::Format_RGB32);
            blue.fill(Qt::blue);
            canvas.stretchDraw(QRect(0, 0, 100, 100), blue);
        }
        painter.end();
        QCOMPARE(image.pixel(49, 90), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(50, 90), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(TestCanvasClip)
#include "tst_canvas_clip.moc"
