#include "ReportTestPages.h"

#include "platform/ScreenMetrics.h"

#include <QPainter>
#include <QPicture>
#include <QtTest>
#include <cmath>

using namespace ReportTestPages;

namespace {

// Length of the run of non-white pixels starting at (x, y) going right.
int inkRunRight(const QImage &image, int x, int y)
{
    int n = 0;
    while (x + n < image.width() && !isWhite(image, x + n, y))
        ++n;
    return n;
}

int inkCount(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += isWhite(image, x, y) ? 0 : 1;
    return n;
}

QPolygon pentagram(QPoint centre, int radius)
{
    QPolygon points;
    for (int i = 0; i < 5; ++i) {
        const double angle = -M_PI / 2 + i * 4 * M_PI / 5;
        points << QPoint(centre.x() + int(std::lround(radius * std::cos(angle))),
                         centre.y() + int(std::lround(radius * std::sin(angle))));
    }
    return points;
}

} // namespace

class TestReportDrawing : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ScreenMetrics::setOverride(96); }

    void oneInchSquareCoversOneHundredPixelsAtOneHundredDpi()
    {
        ImageJob job(100);
        QVERIFY(job->beginDoc());
        job->setPen(clBlack, psSolid, 1);
        job->setBrush(clRed, bsSolid);
        job->rectangle(1, 1, 2, 2);
        QVERIFY(job->endDoc());
        const QImage &page = job.page();
        QCOMPARE(page.size(), QSize(850, 1100));
        QCOMPARE(inkBounds(page), QRect(100, 100, 100, 100));
        QCOMPARE(page.pixel(100, 150), qRgb(0, 0, 0));
        QCOMPARE(page.pixel(199, 150), qRgb(0, 0, 0));
        QCOMPARE(page.pixel(150, 150), qRgb(255, 0, 0));
        QCOMPARE(inkRunRight(page, 100, 150), 100);
    }

    void negativePenWidthIsHundredthsOfAnInchButNeverBelowOnePixel()
    {
        struct Case { int dpi; int width; int pixels; };
        for (const Case c : {Case{100, -1, 1}, Case{600, -1, 6}, Case{600, -3, 18}, Case{50, -1, 1},
                             Case{600, 2, 2}, Case{600, 0, 1}}) {
            ImageJob job(c.dpi, {}, smallSheet());
            QVERIFY(job->beginDoc());
            job->setPen(clBlack, psSolid, c.width);
            job->setBrush(clWhite, bsClear);
            QCOMPARE(job->penWidthPixels(), c.pixels);
            job->rectangle(1, 1, 2, 2);
            job->endDoc();
            const int middle = int(1.5 * c.dpi);
            const QImage &page = job.page();
            int left = 0;
            while (isWhite(page, left, middle))
                ++left;
            QCOMPARE(inkRunRight(page, left, middle), c.pixels);
        }
    }

    void unprintableOffsetsAreSubtractedSoThePageStaysPhysical()
    {
        ImageJob job(100, ReportMargins{0.25, 0.5, 0.25, 0.66});
        QVERIFY(job->beginDoc());
        QCOMPARE(job->unprintableLeft(), 0.25);
        QCOMPARE(job->unprintableTop(), 0.5);
        QVERIFY(std::abs(job->unprintableBottom() - 0.66) < 1e-9);
        QCOMPARE(job->toDevice(1, 1), QPoint(75, 50));
        job->setPen(clBlack, psSolid, 1);
        job->setBrush(clBlack, bsSolid);
        job->rectangle(1, 1, 2, 2);
        job->polygon(QPolygon({QPoint(200, 200), QPoint(209, 200), QPoint(209, 209), QPoint(200, 209)}));
        job->endDoc();
        const QImage &page = job.page();
        QCOMPARE(inkBounds(page.copy(0, 0, 250, 250)), QRect(100, 100, 100, 100));
        QVERIFY(!isWhite(page, 225, 250));
        QVERIFY(isWhite(page, 224, 250));
    }

    // A card's corner plus an object's offset reaches the same half pixel
    // by sums that differ in their last bits; the object must land alike on
    // every card of the sheet.
    void positionsOnAHalfPixelRoundAlikeWhereverTheyAre()
    {
        ImageJob job(300);
        QVERIFY(job->beginDoc());
        QCOMPARE(job->toDeviceX(0.75 + 236 / 96.0), 962);
        QCOMPARE(job->toDeviceX(4.25 + 236 / 96.0), 962 + 1050);
        QCOMPARE(job->toDeviceY(0.5 + 68 / 96.0), 362);
        job->endDoc();
    }

    void nothingLandsInTheUnprintableMargins()
    {
        ImageJob job(100, ReportMargins{0.25, 0.5, 0.25, 0.66});
        QVERIFY(job->beginDoc());
        job->setBrush(clBlack, bsSolid);
        job->setPen(clBlack, psClear, 1);
        job->rectangle(0, 0, 8.5, 11);
        job->endDoc();
        QCOMPARE(inkBounds(job.page()), QRect(QPoint(25, 50), QPoint(824, 1100 - 66 - 1)));
    }

    void landscapeTurnsThePageAndItsMargins()
    {
        ImageJob job(100, ReportMargins{0, 0, 0, 0.66});
        job->setOrientation(poLandscape);
        QCOMPARE(job->pageWidth(), 11.0);
        QCOMPARE(job->pageHeight(), 8.5);
        QVERIFY(std::abs(job->unprintableRight() - 0.66) < 1e-9);
        QCOMPARE(job->unprintableBottom(), 0.0);
        QVERIFY(job->beginDoc());
        job->setBrush(clBlack, bsSolid);
        job->rectangle(10, 1, 11, 2);
        job->endDoc();
        QCOMPARE(job.page().size(), QSize(1100, 850));
        QCOMPARE(inkBounds(job.page()), QRect(QPoint(1000, 100), QPoint(1033, 199)));
    }

    void polygonsAndFilledRectanglesTakeDevicePixels()
    {
        ImageJob job(100);
        QVERIFY(job->beginDoc());
        job->setPen(clBlack, psSolid, 1);
        job->setBrush(clBlue, bsSolid);
        job->polygon(QPolygon({QPoint(10, 10), QPoint(60, 10), QPoint(10, 60)}));
        job->setBrush(clLime, bsSolid);
        job->fillRect(300, 300, 320, 310);
        job->endDoc();
        const QImage &page = job.page();
        QCOMPARE(inkBounds(page.copy(0, 0, 200, 200)), QRect(QPoint(10, 10), QPoint(60, 60)));
        QCOMPARE(page.pixel(20, 20), qRgb(0, 0, 255));
        QVERIFY(isWhite(page, 50, 50));
        QCOMPARE(inkBounds(page.copy(200, 200, 200, 200)).translated(200, 200),
                 QRect(QPoint(300, 300), QPoint(319, 309)));
        QCOMPARE(page.pixel(300, 300), qRgb(0, 255, 0)); // no outline around a filled rectangle
    }

    void drawnPolygonsFillAlternatelyLikeThePlatform()
    {
        ImageJob job(100);
        QVERIFY(job->beginDoc());
        job->setPen(clBlack, psClear, 1);
        job->setBrush(clBlack, bsSolid);
        job->polygon(pentagram(QPoint(300, 300), 100));
        job->endDoc();
        QVERIFY(isWhite(job.page(), 300, 300));
        QVERIFY(!isWhite(job.page(), 300, 215));
    }

    void clipStackLimitsDrawingUntilCleared()
    {
        ImageJob job(100);
        QVERIFY(job->beginDoc());
        job->setBrush(clBlack, bsSolid);
        job->pushClipRect(0, 0, 4, 4);
        job->pushClipEllipse(1, 1, 3, 3);
        QCOMPARE(job->clipDepth(), 2);
        job->selectClip();
        job->fillRect(0, 0, 800, 800);
        job->clearClip();
        job->popClip();
        QCOMPARE(job->clipDepth(), 1);
        job->rectangle(6, 6, 7, 7);
        job->endDoc();
        const QImage &page = job.page();
        QVERIFY(!isWhite(page, 200, 200));   // centre of the ellipse
        QVERIFY(isWhite(page, 105, 105));    // inside its box, outside the ellipse
        QVERIFY(!isWhite(page, 100, 200));   // its left edge
        QVERIFY(isWhite(page, 99, 200));
        QVERIFY(isWhite(page, 350, 350));    // in the rectangle still on the stack
        QVERIFY(!isWhite(page, 650, 650));   // drawn after the clip was cleared
    }

    void clipPolygonsUseTheWindingRule()
    {
        ImageJob job(100);
        QVERIFY(job->beginDoc());
        job->setBrush(clBlack, bsSolid);
        job->pushClipPolygon(pentagram(QPoint(300, 300), 100));
        job->selectClip();
        job->fillRect(0, 0, 800, 800);
        job->endDoc();
        QVERIFY(!isWhite(job.page(), 300, 300));
        QVERIFY(!isWhite(job.page(), 300, 215));
        QVERIFY(isWhite(job.page(), 210, 390));
    }

    void textSitsOnItsBaselineAtTheCursor()
    {
        ImageJob job(100);
        QVERIFY(job->beginDoc());
        job->setFont(QStringLiteral("Arial"), 36);
        job->setFontColor(clRed);
        QCOMPARE(job->fontHeightInches(), 0.5);
        QVERIFY(job->lineHeightInches() > 0.5 && job->lineHeightInches() < 0.7);
        job->setTextCursor(1, 2);
        job->printText(QStringLiteral("HH"));
        QVERIFY(std::abs(job->textCursor().x() - (1 + job->textWidthInches(QStringLiteral("HH")))) < 1e-9);
        job->endDoc();
        const QRect ink = inkBounds(job.page());
        QVERIFY2(ink.left() >= 100 && ink.left() <= 108, qPrintable(QString::number(ink.left())));
        QVERIFY2(ink.bottom() >= 197 && ink.bottom() <= 200, qPrintable(QString::number(ink.bottom())));
        QVERIFY2(ink.top() >= 158 && ink.top() <= 170, qPrintable(QString::number(ink.top())));
        const QRgb centre = job.page().pixel(ink.left() + 2, ink.center().y());
        QVERIFY(qRed(centre) > 200 && qGreen(centre) < 60);
    }

    void textPathClipsAndStrokesLikeTheLetters()
    {
        bool pathHeldTheLetter = false;
        auto draw = [&](bool viaClip) -> QImage {
            ImageJob job(100);
            job->beginDoc();
            job->setFont(QStringLiteral("Arial"), 72);
            if (viaClip) {
                job->beginPath();
                job->printText(1, 2, QStringLiteral("O"));
                job->endPath();
                pathHeldTheLetter = !job->path().isEmpty();
                job->selectPathAsClip();
                job->setBrush(clBlue, bsSolid);
                job->fillRect(0, 0, 850, 1100);
                job->clearClip();
            } else {
                job->printText(1, 2, QStringLiteral("O"));
            }
            job->endDoc();
            return job.page();
        };
        const QImage clipped = draw(true);
        const QImage printed = draw(false);
        QVERIFY(pathHeldTheLetter);
        const QRect a = inkBounds(clipped), b = inkBounds(printed);
        QVERIFY(!a.isEmpty());
        QVERIFY2(std::abs(a.left() - b.left()) <= 1 && std::abs(a.right() - b.right()) <= 1
                     && std::abs(a.top() - b.top()) <= 1 && std::abs(a.bottom() - b.bottom()) <= 1,
                 "the letter clip covers the printed letter");
        QVERIFY(isWhite(clipped, a.center().x(), a.center().y())); // the hole of the O

        ImageJob stroked(100);
        stroked->beginDoc();
        stroked->setFont(QStringLiteral("Arial"), 72);
        stroked->setPen(clBlack, psSolid, 1);
        stroked->beginPath();
        stroked->printText(1, 2, QStringLiteral("O"));
        stroked->endPath();
        stroked->strokePath();
        QVERIFY(stroked->path().isEmpty());
        stroked->endDoc();
        const QRect s = inkBounds(stroked.page());
        QVERIFY(std::abs(s.left() - a.left()) <= 1 && std::abs(s.bottom() - a.bottom()) <= 1);
        QVERIFY(inkCount(stroked.page()) < inkCount(clipped));
    }

    void bitmapsAndPicturesStretchIntoInchRectangles()
    {
        QImage bitmap(2, 2, QImage::Format_RGB32);
        bitmap.setPixel(0, 0, qRgb(255, 0, 0));
        bitmap.setPixel(1, 0, qRgb(0, 255, 0));
        bitmap.setPixel(0, 1, qRgb(0, 0, 255));
        bitmap.setPixel(1, 1, qRgb(0, 0, 0));
        QPicture picture;
        {
            QPainter p(&picture);
            p.fillRect(QRect(0, 0, 5, 5), Qt::black);
        }
        picture.setBoundingRect(QRect(0, 0, 10, 10));

        ImageJob job(100);
        QVERIFY(job->beginDoc());
        job->stretchDraw(1, 1, 2, 2, bitmap);
        job->stretchDraw(3, 1, 4, 2, picture);
        job->endDoc();
        const QImage &page = job.page();
        QCOMPARE(inkBounds(page.copy(0, 0, 250, 250)), QRect(100, 100, 100, 100));
        QCOMPARE(page.pixel(102, 102), qRgb(255, 0, 0));
        QCOMPARE(page.pixel(197, 102), qRgb(0, 255, 0));
        QCOMPARE(page.pixel(102, 197), qRgb(0, 0, 255));
        QCOMPARE(inkBounds(page.copy(250, 0, 250, 250)).translated(250, 0), QRect(300, 100, 50, 50));
    }

    void clearPensAndBrushesDrawNothingAndXorUndoesItself()
    {
        ImageJob job(100);
        QVERIFY(job->beginDoc());
        job->setPen(clBlack, psClear, 1);
        job->setBrush(clBlack, bsClear);
        job->rectangle(1, 1, 2, 2);
        job->ellipse(1, 1, 2, 2);
        job->setPen(clBlack, psSolid, 3, pmXor);
        job->rectangle(3, 3, 4, 4);
        job->rectangle(3, 3, 4, 4);
        job->endDoc();
        QVERIFY(inkBounds(job.page()).isEmpty());
    }

    void hatchBrushesLeaveGaps()
    {
        ImageJob job(100);
        QVERIFY(job->beginDoc());
        job->setPen(clBlack, psClear, 1);
        job->setBrush(clBlack, bsHorizontal);
        job->rectangle(1, 1, 2, 2);
        job->endDoc();
        const QImage &page = job.page();
        int inked = 0;
        for (int y = 110; y < 190; ++y)
            inked += isWhite(page, 150, y) ? 0 : 1;
        QVERIFY(inked > 0 && inked < 40);
    }

    void shapesFitTheirInchBoxes()
    {
        ImageJob job(100);
        QVERIFY(job->beginDoc());
        job->setPen(clBlack, psSolid, -1);
        job->setBrush(clWhite, bsSolid);
        job->ellipse(1, 1, 3, 2);
        job->roundRect(4, 1, 6, 2, 0.5, 0.5);
        job->moveTo(1, 3);
        job->lineTo(2, 3);
        job->endDoc();
        const QImage &page = job.page();
        QCOMPARE(inkBounds(page.copy(0, 0, 350, 250)), QRect(100, 100, 200, 100));
        QCOMPARE(inkBounds(page.copy(350, 0, 300, 250)).translated(350, 0), QRect(400, 100, 200, 100));
        QVERIFY(isWhite(page, 401, 101)); // rounded corner
        QCOMPARE(inkBounds(page.copy(0, 250, 350, 100)).translated(0, 250), QRect(100, 300, 100, 1));
    }

    void nothingIsDrawnOutsideADocument()
    {
        ImageJob job(100);
        job->setBrush(clBlack, bsSolid);
        job->rectangle(1, 1, 2, 2);
        job->printText(1, 1, QStringLiteral("x"));
        QVERIFY(job->beginDoc());
        job->endDoc();
        job->rectangle(1, 1, 2, 2);
        QVERIFY(inkBounds(job.page()).isEmpty());
    }
};

QTEST_MAIN(TestReportDrawing)
#include "tst_drawing.moc"
