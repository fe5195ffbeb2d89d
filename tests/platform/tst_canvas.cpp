#include "platform/Canvas.h"
#include "platform/CanvasRegions.h"
#include "platform/ScreenMetrics.h"

#include <QPicture>
#include <QtTest>

// Shapes, lines and pen modes of the canvas, checked on rendered pixels.
class TestCanvas : public QObject {
    Q_OBJECT

private:
    static QImage blank(int w = 40, int h = 40, QColor color = Qt::white)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(color);
        return image;
    }

    // The pixels of `image` that differ from white.
    static QRegion inked(const QImage &image, QRgb background = qRgb(255, 255, 255))
    {
        QRegion region;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != background)
                    region += QRect(x, y, 1, 1);
        return region;
    }

    static QByteArray describe(const QRegion &region)
    {
        QByteArray text;
        for (const QRect &r : region)
            text += QByteArray::number(r.x()) + ',' + QByteArray::number(r.y()) + ' ' +
                    QByteArray::number(r.width()) + 'x' + QByteArray::number(r.height()) + "; ";
        return text;
    }

    static bool samePixels(const QRegion &actual, const QRegion &expected)
    {
        if (actual.xored(expected).isEmpty())
            return true;
        qWarning("actual:   %s\nexpected: %s", describe(actual).constData(), describe(expected).constData());
        return false;
    }

    static QRegion box(int l, int t, int r, int b) { return QRegion(QRect(QPoint(l, t), QPoint(r, b))); }

    static TPen pen(TColor color, int width = 1, TPenStyle style = psSolid, TPenMode mode = pmCopy)
    {
        return TPen{color, width, style, mode};
    }

    static TBrush clearBrush() { return TBrush{clWhite, bsClear, QImage()}; }

    static QImage patterned(int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, qRgb((x * 37) % 256, (y * 53) % 256, (x * y) % 256));
        return image;
    }

private slots:
    void initTestCase() { ScreenMetrics::setOverride(96); }

    void thinRectangleOutlineLeavesOutRightAndBottomEdges()
    {
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.setBrush(clearBrush());
            canvas.rectangle(2, 3, 12, 13);
        }
        QVERIFY(samePixels(inked(image), box(2, 3, 11, 12) - box(3, 4, 10, 11)));
    }

    void thickPenIsCentredOnTheOutlinePixels()
    {
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.setPen(pen(clBlack, 4));
            canvas.setBrush(clearBrush());
            canvas.rectangle(5, 5, 15, 15);
        }
        // Outline pixels 5 and 14, each widened to x-2 .. x+1.
        QVERIFY(samePixels(inked(image), box(3, 3, 15, 15) - box(7, 7, 11, 11)));
    }

    void insetDrawingRectangleKeepsThickOutlineInsideTheBox()
    {
        // A 10 x 10 shape with a 4-pixel pen draws (2, 2)-(9, 9).
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.setPen(pen(clBlack, 4));
            canvas.setBrush(clearBrush());
            canvas.rectangle(2 + 10, 2 + 10, 9 + 10, 9 + 10);
        }
        QVERIFY(samePixels(inked(image), box(10, 10, 19, 19) - box(14, 14, 15, 15)));
    }

    void insideFramePenStaysWithinTheRectangle()
    {
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.setPen(pen(clBlack, 3, psInsideFrame));
            canvas.setBrush(clearBrush());
            canvas.rectangle(10, 10, 20, 20);
        }
        QVERIFY(samePixels(inked(image), box(10, 10, 19, 19) - box(13, 13, 16, 16)));
    }

    void brushFillsInsideTheOutline()
    {
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.setBrush(TBrush{clRed, bsSolid, QImage()});
            canvas.rectangle(0, 0, 10, 10);
        }
        QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(9, 9), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(1, 1), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(8, 8), qRgb(255, 0, 0));
        QVERIFY(samePixels(inked(image), box(0, 0, 9, 9)));
    }

    void rectangleWithoutPenFillsOneColumnAndRowLess()
    {
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.pen().style = psClear;
            canvas.setBrush(TBrush{clRed, bsSolid, QImage()});
            canvas.rectangle(0, 0, 10, 10);
        }
        QVERIFY(samePixels(inked(image), box(0, 0, 8, 8)));
    }

    void fillRectAndFrameRectUseTheBrushOnExactPixels()
    {
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.setBrush(TBrush{clBlue, bsSolid, QImage()});
            canvas.fillRect(QRect(3, 4, 5, 6));
            canvas.setBrush(TBrush{clRed, bsSolid, QImage()});
            canvas.frameRect(QRect(20, 20, 6, 5));
        }
        QCOMPARE(image.pixel(3, 4), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(25, 24), qRgb(255, 0, 0));
        QVERIFY(samePixels(inked(image), box(3, 4, 7, 9) + (box(20, 20, 25, 24) - box(21, 21, 24, 23))));
    }

    void ellipseStaysWithinItsBoundingBox_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("thin") << 1;
        QTest::newRow("zero is one pixel") << 0;
        QTest::newRow("inside frame") << -3;
    }

    void ellipseStaysWithinItsBoundingBox()
    {
        QFETCH(int, width);
        QImage image = blank();
        {
            TCanvas canvas(&image);
            if (width < 0)
                canvas.setPen(pen(clBlack, -width, psInsideFrame));
            else
                canvas.setPen(pen(clBlack, width));
            canvas.setBrush(TBrush{clRed, bsSolid, QImage()});
            canvas.ellipse(3, 4, 23, 14);
        }
        QCOMPARE(inked(image).boundingRect(), QRect(QPoint(3, 4), QPoint(22, 13)));
        QCOMPARE(image.pixel(13, 9), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(3, 9), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(22, 9), qRgb(0, 0, 0));
    }

    void roundRectStaysWithinItsBoxAndRoundsItsCorners()
    {
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.roundRect(0, 0, 30, 20, 12, 12);
        }
        QCOMPARE(inked(image).boundingRect(), QRect(0, 0, 30, 20));
        QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(15, 0), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(0, 10), qRgb(0, 0, 0));
    }

    void lineToLeavesOutTheEndPixel()
    {
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.moveTo(2, 5);
            canvas.lineTo(10, 5);
            canvas.lineTo(10, 9);
            QCOMPARE(canvas.penPos(), QPoint(10, 9));
            canvas.moveTo(20, 20);
            canvas.lineTo(25, 25);
        }
        QVERIFY(samePixels(inked(image), box(2, 5, 10, 5) + box(10, 6, 10, 8) + QRegion(QRect(20, 20, 1, 1)) +
                                   QRect(21, 21, 1, 1) + QRect(22, 22, 1, 1) + QRect(23, 23, 1, 1) +
                                   QRect(24, 24, 1, 1)));
    }

    void oddWidthLineCentresOnItsPixels()
    {
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.setPen(pen(clBlack, 3));
            canvas.moveTo(5, 10);
            canvas.lineTo(25, 10);
        }
        const QRect covered = inked(image).boundingRect();
        QCOMPARE(covered.top(), 9);
        QCOMPARE(covered.bottom(), 11);
    }

    void dottedPenRunsThreePixelsOnThreeOff()
    {
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.setPen(pen(clBlack, 1, psDot));
            canvas.setBrush(clearBrush());
            canvas.moveTo(0, 0);
            canvas.lineTo(20, 0);
        }
        for (int x = 0; x < 20; ++x)
            QCOMPARE(image.pixel(x, 0) == qRgb(0, 0, 0), (x / 3) % 2 == 0);
    }

    void dottedGapsTakeTheBrushColourWhenOpaque()
    {
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.setPen(pen(clBlack, 1, psDot));
            canvas.setBrush(TBrush{clRed, bsSolid, QImage()});
            QCOMPARE(canvas.backgroundMode(), bmOpaque);
            canvas.moveTo(0, 0);
            canvas.lineTo(12, 0);
            canvas.setBackgroundMode(bmTransparent);
            canvas.moveTo(0, 2);
            canvas.lineTo(12, 2);
        }
        QCOMPARE(image.pixel(3, 0), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(6, 0), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(3, 2), qRgb(255, 255, 255));
    }

    void backgroundModeOverrideLastsUntilTheBrushChanges()
    {
        QImage image = blank();
        TCanvas canvas(&image);
        canvas.setBackgroundMode(bmTransparent);
        QCOMPARE(canvas.backgroundMode(), bmTransparent);
        canvas.brush().color = clRed;
        QCOMPARE(canvas.backgroundMode(), bmOpaque);
        canvas.brush().style = bsCross;
        QCOMPARE(canvas.backgroundMode(), bmTransparent);
    }

    void wideDashedPenDrawsSolid()
    {
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.setPen(pen(clBlack, 2, psDot));
            canvas.moveTo(0, 5);
            canvas.lineTo(30, 5);
        }
        for (int x = 2; x < 28; ++x)
            QCOMPARE(image.pixel(x, 5), qRgb(0, 0, 0));
    }

    void exclusiveOrBandDrawnTwiceRestoresThePicture_data()
    {
        QTest::addColumn<QRect>("band");
        QTest::newRow("ordinary") << QRect(QPoint(3, 4), QPoint(30, 25));
        QTest::newRow("one pixel wide") << QRect(QPoint(10, 4), QPoint(11, 25));
        QTest::newRow("one pixel") << QRect(QPoint(10, 10), QPoint(11, 11));
        QTest::newRow("dragged up and left") << QRect(QPoint(30, 25), QPoint(3, 4));
    }

    void exclusiveOrBandDrawnTwiceRestoresThePicture()
    {
        QFETCH(QRect, band);
        const QImage original = patterned(40, 40);
        QImage image = original;
        TCanvas canvas(&image);
        canvas.setPen(pen(clWhite, 1, psDot, pmXor));
        canvas.setBrush(clearBrush());
        canvas.rectangle(band.left(), band.top(), band.right(), band.bottom());
        QVERIFY(image != original);
        const QPoint corner(std::min(band.left(), band.right()), std::min(band.top(), band.bottom()));
        QCOMPARE(image.pixel(corner), original.pixel(corner) ^ 0x00ffffffu);
        canvas.rectangle(band.left(), band.top(), band.right(), band.bottom());
        QCOMPARE(image, original);
    }

    void exclusiveOrCurvesAndThickLinesAlsoUndoThemselves_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("style");
        QTest::newRow("dotted hairline") << 1 << int(psDot);
        QTest::newRow("solid hairline") << 1 << int(psSolid);
        QTest::newRow("thick") << 5 << int(psSolid);
    }

    void exclusiveOrCurvesAndThickLinesAlsoUndoThemselves()
    {
        QFETCH(int, width);
        QFETCH(int, style);
        const QImage original = patterned(40, 40);
        QImage image = original;
        TCanvas canvas(&image);
        canvas.setPen(pen(clWhite, width, TPenStyle(style), pmXor));
        canvas.setBrush(clearBrush());
        for (int pass = 0; pass < 2; ++pass) {
            canvas.ellipse(3, 3, 37, 30);
            canvas.roundRect(6, 8, 30, 36, 10, 10);
            canvas.polyline(QPolygon({QPoint(2, 38), QPoint(20, 5), QPoint(38, 38)}));
            QCOMPARE(image == original, pass == 1);
        }
    }

    void penModesMixWithThePicture()
    {
        QImage image = blank(10, 4, QColor(0x30, 0x60, 0x90));
        {
            TCanvas canvas(&image);
            const TPenMode modes[] = {pmNot, pmNop, pmBlack, pmMerge};
            for (int i = 0; i < 4; ++i) {
                canvas.setPen(pen(rgbColor(0x0f, 0x0f, 0x0f), 1, psSolid, modes[i]));
                canvas.moveTo(0, i);
                canvas.lineTo(10, i);
            }
        }
        QCOMPARE(image.pixel(5, 0), qRgb(0xcf, 0x9f, 0x6f));
        QCOMPARE(image.pixel(5, 1), qRgb(0x30, 0x60, 0x90));
        QCOMPARE(image.pixel(5, 2), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(5, 3), qRgb(0x3f, 0x6f, 0x9f));
    }

    void clipToEllipseLeavesPixelsOutsideUntouched()
    {
        QImage image = blank();
        const QRegion oval = CanvasRegions::ellipse(5, 5, 35, 25);
        {
            TCanvas canvas(&image);
            canvas.selectClipRegion(oval);
            canvas.setBrush(TBrush{clRed, bsSolid, QImage()});
            canvas.fillRect(image.rect());
        }
        QVERIFY(samePixels(inked(image), oval));
        QCOMPARE(oval.boundingRect(), QRect(QPoint(5, 5), QPoint(34, 24)));
        QCOMPARE(image.pixel(5, 5), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(20, 15), qRgb(255, 0, 0));
    }

    void clipsIntersectAndClear()
    {
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.setBrush(TBrush{clRed, bsSolid, QImage()});
            canvas.selectClipRegion(CanvasRegions::rect(0, 0, 20, 20));
            canvas.intersectClipRect(10, 10, 30, 30);
            canvas.fillRect(image.rect());
            canvas.clearClip();
            QVERIFY(!canvas.hasClip());
            canvas.setBrush(TBrush{clBlue, bsSolid, QImage()});
            canvas.fillRect(QRect(35, 35, 2, 2));
        }
        QVERIFY(samePixels(inked(image), box(10, 10, 19, 19) + box(35, 35, 36, 36)));
    }

    void aShapedClipHoldsAfterAnEarlierClipWasCleared()
    {
        // A figure's clip selected after a plain one was removed must still
        // cut images and fills to the figure.
        QImage image = blank();
        QImage red(40, 40, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QRegion oval = CanvasRegions::ellipse(5, 5, 35, 25);
        {
            TCanvas canvas(&image);
            canvas.intersectClipRect(0, 0, 40, 40);
            canvas.clearClip();
            canvas.selectClipRegion(oval);
            canvas.stretchDraw(QRect(0, 0, 40, 40), red);
            canvas.selectClipRegion(CanvasRegions::rect(0, 0, 40, 40));
            canvas.selectClipRegion(oval);
            canvas.setBrush(TBrush{clRed, bsSolid, QImage()});
            canvas.fillRect(image.rect());
        }
        QVERIFY(samePixels(inked(image), oval));
    }

    void starPolygonFillsItsCentreOnlyByWinding()
    {
        const QPolygon star({QPoint(20, 2), QPoint(31, 36), QPoint(2, 14), QPoint(38, 14), QPoint(9, 36)});
        QImage alternate = blank();
        QImage winding = blank();
        for (QImage *image : {&alternate, &winding}) {
            TCanvas canvas(image);
            canvas.pen().style = psClear;
            canvas.setBrush(TBrush{clRed, bsSolid, QImage()});
            canvas.setPolyFillMode(image == &winding ? Qt::WindingFill : Qt::OddEvenFill);
            canvas.polygon(star);
        }
        QCOMPARE(alternate.pixel(20, 20), qRgb(255, 255, 255));
        QCOMPARE(winding.pixel(20, 20), qRgb(255, 0, 0));
        QCOMPARE(alternate.pixel(20, 8), qRgb(255, 0, 0));
        QVERIFY(CanvasRegions::polygon(star).contains(QPoint(20, 20)));
        QVERIFY(!CanvasRegions::polygon(star, Qt::OddEvenFill).contains(QPoint(20, 20)));
    }

    void polygonOutlineCoversEveryVertex()
    {
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.setBrush(clearBrush());
            canvas.polygon(QPolygon({QPoint(5, 5), QPoint(15, 5), QPoint(15, 15), QPoint(5, 15)}));
        }
        QVERIFY(samePixels(inked(image), box(5, 5, 15, 15) - box(6, 6, 14, 14)));
    }

    void patternBrushAndsTheGridIntoThePicture()
    {
        QImage grid(8, 8, QImage::Format_RGB32);
        grid.fill(Qt::white);
        grid.setPixel(2, 2, qRgb(0, 0x80, 0));
        QImage image = blank(20, 20, QColor(0xc0, 0xc0, 0x40));
        {
            TCanvas canvas(&image);
            canvas.brush().bitmap = grid;
            canvas.fillRect(image.rect(), pmMask);
        }
        QCOMPARE(image.pixel(2, 2), qRgb(0, 0x80, 0));
        QCOMPARE(image.pixel(10, 18), qRgb(0, 0x80, 0));
        QCOMPARE(image.pixel(3, 2), qRgb(0xc0, 0xc0, 0x40));
        QCOMPARE(inked(image, qRgb(0xc0, 0xc0, 0x40)).rectCount(), 9);
    }

    void hatchBrushLeavesTheGapsUntouched()
    {
        QImage image = blank(16, 16);
        {
            TCanvas canvas(&image);
            canvas.setBrush(TBrush{clBlue, bsHorizontal, QImage()});
            canvas.fillRect(image.rect());
        }
        QVERIFY(samePixels(inked(image), box(0, 7, 15, 7) + box(0, 15, 15, 15)));
    }

    void stretchedBitmapLandsOnTheTargetPixels()
    {
        QImage source(2, 2, QImage::Format_RGB32);
        source.setPixel(0, 0, qRgb(255, 0, 0));
        source.setPixel(1, 0, qRgb(0, 255, 0));
        source.setPixel(0, 1, qRgb(0, 0, 255));
        source.setPixel(1, 1, qRgb(0, 0, 0));
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.stretchDraw(QRect(10, 10, 4, 4), source);
            canvas.draw(30, 30, source);
        }
        QVERIFY(samePixels(inked(image), box(10, 10, 13, 13) + box(30, 30, 31, 31)));
        QCOMPARE(image.pixel(11, 11), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(12, 11), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(11, 12), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(31, 30), qRgb(0, 255, 0));
    }

    void negativeWidthOrHeightMirrorsTheCopy()
    {
        QImage source(2, 2, QImage::Format_RGB32);
        source.setPixel(0, 0, qRgb(255, 0, 0));
        source.setPixel(1, 0, qRgb(0, 255, 0));
        source.setPixel(0, 1, qRgb(0, 0, 255));
        source.setPixel(1, 1, qRgb(0, 0, 0));
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.stretchDraw(13, 10, -4, 4, source); // columns 10..13, mirrored
            canvas.stretchDraw(20, 23, 4, -4, source); // rows 20..23, flipped
        }
        QVERIFY(samePixels(inked(image), box(10, 10, 13, 13) + box(20, 20, 23, 23)));
        QCOMPARE(image.pixel(10, 10), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(13, 10), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(20, 20), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(20, 23), qRgb(255, 0, 0));
    }

    void originMovesDrawingButNotRegions()
    {
        QImage image = blank();
        {
            TCanvas canvas(&image);
            canvas.setOrigin(QPoint(10, 20));
            canvas.setBrush(TBrush{clRed, bsSolid, QImage()});
            canvas.selectClipRegion(CanvasRegions::rect(10, 20, 13, 40));
            canvas.fillRect(QRect(0, 0, 5, 5));
            canvas.setPixel(1, 10, clBlue);
            QCOMPARE(canvas.pixel(1, 10), clBlue);
            QCOMPARE(canvas.pixel(0, 0), clRed);
        }
        QVERIFY(samePixels(inked(image), box(10, 20, 12, 24) + box(11, 30, 11, 30)));
    }

    void recordedDrawingPlaysBackOnTheSamePixels()
    {
        const auto drawCard = [](QPaintDevice *device) {
            TCanvas canvas(device);
            canvas.setPen(pen(clBlue, 3));
            canvas.setBrush(TBrush{clYellow, bsSolid, QImage()});
            canvas.rectangle(4, 4, 30, 20);
            canvas.setPen(pen(clBlack, 1, psDot));
            canvas.moveTo(2, 35);
            canvas.lineTo(38, 35);
        };
        QImage direct = blank();
        drawCard(&direct);
        QPicture recording;
        drawCard(&recording);
        QImage played = blank();
        {
            QPainter painter(&played);
            painter.drawPicture(0, 0, recording);
        }
        QCOMPARE(played, direct);
    }

    // On pixels a thick outline round a solid fill is painted as the pen's
    // whole shape with the interior over it; a recording still gets the
    // ring, and both must come out the same.
    void thickOutlinedCurvesPaintTheSamePixelsAsTheirRing_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("style");
        for (const int width : {2, 3, 5, 8}) {
            QTest::addRow("%d pixels", width) << width << int(psSolid);
            QTest::addRow("%d pixels inside", width) << width << int(psInsideFrame);
        }
    }

    void thickOutlinedCurvesPaintTheSamePixelsAsTheirRing()
    {
        QFETCH(int, width);
        QFETCH(int, style);
        const auto drawShapes = [&](QPaintDevice *device) {
            TCanvas canvas(device);
            canvas.setPen(pen(clNavy, width, TPenStyle(style)));
            canvas.setBrush(TBrush{clSkyBlue, bsSolid, QImage()});
            canvas.ellipse(3, 4, 37, 27);
            canvas.roundRect(9, 13, 38, 38, 14, 10);
            canvas.ellipse(1, 30, 12, 39);
        };
        QImage direct = blank();
        drawShapes(&direct);
        QPicture recording;
        drawShapes(&recording);
        QImage played = blank();
        {
            QPainter painter(&played);
            painter.drawPicture(0, 0, recording);
        }
        QCOMPARE(played, direct);
    }

    void antialiasingIsOffUnlessAskedFor()
    {
        QImage sharp = blank();
        QImage smooth = blank();
        for (QImage *image : {&sharp, &smooth}) {
            TCanvas canvas(image);
            canvas.setAntialiasing(image == &smooth);
            canvas.setPen(pen(clBlack, 4));
            canvas.ellipse(5, 5, 35, 30);
        }
        const auto greys = [](const QImage &image) {
            int count = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    count += image.pixel(x, y) != qRgb(0, 0, 0) && image.pixel(x, y) != qRgb(255, 255, 255);
            return count;
        };
        QCOMPARE(greys(sharp), 0);
        QVERIFY(greys(smooth) > 0);
    }

    void wrappedPainterGetsItsStateBack()
    {
        QImage image = blank();
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.translate(5, 5);
        {
            TCanvas canvas(&painter);
            canvas.setOrigin(QPoint(3, 3));
            canvas.selectClipRegion(CanvasRegions::rect(0, 0, 2, 2));
            canvas.rectangle(0, 0, 10, 10);
        }
        QVERIFY(painter.testRenderHint(QPainter::Antialiasing));
        QVERIFY(!painter.hasClipping());
        QCOMPARE(painter.transform(), QTransform::fromTranslate(5, 5));
        painter.end();
        // The canvas's (0, 0) was device (3, 3) of a painter moved by (5, 5).
        QVERIFY(samePixels(inked(image), QRegion()));
        QImage second = blank();
        {
            QPainter moved(&second);
            moved.translate(5, 5);
            TCanvas canvas(&moved);
            canvas.setOrigin(QPoint(3, 3));
            canvas.rectangle(0, 0, 2, 2);
        }
        QVERIFY(samePixels(inked(second), box(8, 8, 9, 9)));
    }
};

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"
