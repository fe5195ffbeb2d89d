#include "platform/Canvas.h"
#include "platform/ScreenMetrics.h"

#include <QtTest>

// Text output on the canvas: where the text cell lands, rotation by
// escapement, alignment, opaque cells and clipping to letters.
class TestCanvasText : public QObject {
    Q_OBJECT

private:
    static QImage blank()
    {
        QImage image(200, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }

    static QRect inkBounds(const QImage &image, QRgb background = qRgb(255, 255, 255))
    {
        QRect bounds;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != background)
                    bounds |= QRect(x, y, 1, 1);
        return bounds;
    }

    static void useFont(TCanvas &canvas)
    {
        canvas.font().name = QStringLiteral("Arial");
        canvas.font().height = -24;
        canvas.font().color = clBlack;
    }

    static void clearBrush(TCanvas &canvas) { canvas.brush().style = bsClear; }

private slots:
    void initTestCase() { ScreenMetrics::setOverride(96); }

    void opaqueTextCellHasItsTopLeftAtThePoint()
    {
        QImage image = blank();
        QSize extent;
        {
            TCanvas canvas(&image);
            useFont(canvas);
            canvas.setBrush(TBrush{clYellow, bsSolid, QImage()});
            extent = canvas.textExtent(QStringLiteral("Hg"));
            canvas.textOut(10, 20, QStringLiteral("Hg"));
        }
        QVERIFY(extent.width() > 10 && extent.height() > 20);
        QCOMPARE(inkBounds(image), QRect(QPoint(10, 20), extent));
        QCOMPARE(image.pixel(10, 20), qRgb(255, 255, 0));
    }

    void transparentTextSitsOnTheBaselineBelowTheCellTop()
    {
        QImage image = blank();
        TTextMetrics metrics;
        {
            TCanvas canvas(&image);
            useFont(canvas);
            clearBrush(canvas);
            metrics = canvas.textMetrics();
            canvas.textOut(10, 20, QStringLiteral("H"));
        }
        const QRect ink = inkBounds(image);
        QVERIFY2(ink.left() >= 10 && ink.left() <= 13, qPrintable(QString::number(ink.left())));
        QVERIFY(ink.top() > 20);
        QVERIFY2(qAbs(ink.bottom() - (20 + metrics.ascent - 1)) <= 1, qPrintable(QString::number(ink.bottom())));
        QCOMPARE(image.pixel(10, 20), qRgb(255, 255, 255));
    }

    void textTakesTheFontColour()
    {
        QImage image = blank();
        {
            TCanvas canvas(&image);
            useFont(canvas);
            clearBrush(canvas);
            canvas.font().color = clRed;
            canvas.font().height = -60;
            canvas.textOut(10, 10, QStringLiteral("I"));
        }
        const QRect ink = inkBounds(image);
        QCOMPARE(image.pixel(ink.center()), qRgb(255, 0, 0));
    }

    void escapementOfNinetyDegreesWritesUpwardsFromTheOrigin()
    {
        QImage image = blank();
        QSize extent;
        {
            TCanvas canvas(&image);
            useFont(canvas);
            canvas.setBrush(TBrush{clYellow, bsSolid, QImage()});
            canvas.setFontEscapement(900);
            extent = canvas.textExtent(QStringLiteral("HHHH"));
            canvas.textOut(30, 150, QStringLiteral("HHHH"));
        }
        // The cell turns about its top-left corner: it now rises from the
        // origin with its top edge on the left.
        QCOMPARE(inkBounds(image), QRect(30, 150 - extent.width(), extent.height(), extent.width()));
    }

    void escapementOfHalfATurnWritesLeftwardsAboveTheOrigin()
    {
        QImage image = blank();
        QSize extent;
        {
            TCanvas canvas(&image);
            useFont(canvas);
            canvas.setBrush(TBrush{clYellow, bsSolid, QImage()});
            canvas.setFontEscapement(1800);
            extent = canvas.textExtent(QStringLiteral("HH"));
            canvas.textOut(150, 150, QStringLiteral("HH"));
        }
        QCOMPARE(inkBounds(image), QRect(150 - extent.width(), 150 - extent.height(), extent.width(), extent.height()));
    }

    void bottomCentreAlignmentHangsTheCellAboveThePoint()
    {
        QImage image = blank();
        QSize extent;
        {
            TCanvas canvas(&image);
            useFont(canvas);
            canvas.setBrush(TBrush{clYellow, bsSolid, QImage()});
            canvas.setTextAlign(TA_BOTTOM | TA_CENTER);
            extent = canvas.textExtent(QStringLiteral("W"));
            canvas.textOut(100, 100, QStringLiteral("W"));
        }
        QCOMPARE(inkBounds(image), QRect(100 - extent.width() / 2, 100 - extent.height(), extent.width(), extent.height()));
    }

    void textRectClipsTheTextAndFillsTheClipWhenOpaque()
    {
        QImage image = blank();
        {
            TCanvas canvas(&image);
            useFont(canvas);
            canvas.setBrush(TBrush{clYellow, bsSolid, QImage()});
            canvas.textRect(QRect(10, 10, 8, 50), 10, 10, QStringLiteral("WWWW"));
        }
        QCOMPARE(inkBounds(image), QRect(10, 10, 8, 50));
        bool hasGlyph = false;
        for (int y = 10; y < 60; ++y)
            hasGlyph |= image.pixel(12, y) != qRgb(255, 255, 0);
        QVERIFY(hasGlyph);
    }

    void clippingToTheTextPathPaintsOnlyInsideTheLetters()
    {
        QImage image = blank();
        QSize extent;
        {
            TCanvas canvas(&image);
            useFont(canvas);
            canvas.font().height = -60;
            extent = canvas.textExtent(QStringLiteral("I"));
            canvas.selectClipPath(canvas.textPath(20, 20, QStringLiteral("I")));
            canvas.setBrush(TBrush{clRed, bsSolid, QImage()});
            canvas.fillRect(image.rect());
        }
        const QRect ink = inkBounds(image);
        QVERIFY(!ink.isEmpty());
        QVERIFY(QRect(QPoint(20, 20), extent).contains(ink));
        QCOMPARE(image.pixel(ink.center()), qRgb(255, 0, 0));
        QVERIFY(ink.width() < extent.width());
    }
};

QTEST_MAIN(TestCanvasText)
#include "tst_canvas_text.moc"
