#include "platform/Brush.h"
#include "platform/Pen.h"

#include <QtTest>

// Pen and brush styles as card documents name them.
class TestCanvasStyles : public QObject {
    Q_OBJECT

private slots:
    void everyPenStyleAndModeReadsBackFromItsName()
    {
        for (int style = psSolid; style <= psInsideFrame; ++style)
            QCOMPARE(Pens::identToStyle(Pens::styleIdent(TPenStyle(style))), std::optional(TPenStyle(style)));
        for (int mode = pmBlack; mode <= pmNotXor; ++mode)
            QCOMPARE(Pens::identToMode(Pens::modeIdent(TPenMode(mode))), std::optional(TPenMode(mode)));
        for (int style = bsSolid; style <= bsDiagCross; ++style)
            QCOMPARE(Brushes::identToStyle(Brushes::styleIdent(TBrushStyle(style))),
                     std::optional(TBrushStyle(style)));
    }

    void namesFollowThePlatformsOrder()
    {
        QCOMPARE(Pens::styleIdent(psClear), QStringLiteral("psClear"));
        QCOMPARE(int(psInsideFrame), 6);
        QCOMPARE(Pens::modeIdent(pmCopy), QStringLiteral("pmCopy"));
        QCOMPARE(int(pmCopy), 4);
        QCOMPARE(Pens::modeIdent(pmNotXor), QStringLiteral("pmNotXor"));
        QCOMPARE(int(pmXor), 14);
        QCOMPARE(Brushes::styleIdent(bsFDiagonal), QStringLiteral("bsFDiagonal"));
        QCOMPARE(int(bsDiagCross), 7);
    }

    void namesAreReadWithoutLetterCaseAndUnknownNamesAreRefused()
    {
        QCOMPARE(Pens::identToMode(QStringLiteral("PMXOR")), std::optional(pmXor));
        QCOMPARE(Brushes::identToStyle(QStringLiteral("bsclear")), std::optional(bsClear));
        QVERIFY(!Pens::identToStyle(QStringLiteral("psDotted")).has_value());
        QVERIFY(!Pens::identToMode(QString()).has_value());
        QVERIFY(Pens::styleIdent(TPenStyle(42)).isEmpty());
    }

    void defaultsAreABlackHairlineAndAWhiteFill()
    {
        const TPen pen;
        QCOMPARE(pen.color, clBlack);
        QCOMPARE(pen.width, 1);
        QCOMPARE(pen.style, psSolid);
        QCOMPARE(pen.mode, pmCopy);
        const TBrush brush;
        QCOMPARE(brush.color, clWhite);
        QCOMPARE(brush.style, bsSolid);
        QVERIFY(!brush.hasPattern());
        TBrush patterned;
        patterned.bitmap = QImage(8, 8, QImage::Format_RGB32);
        QVERIFY(!(patterned == brush));
    }

    void forwardDiagonalHatchRunsFromTopLeftToBottomRight()
    {
        const QImage hatch = Brushes::hatchPattern(bsFDiagonal, clRed);
        QCOMPARE(hatch.size(), QSize(8, 8));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                QCOMPARE(qAlpha(hatch.pixel(x, y)) != 0, x == y);
        QCOMPARE(hatch.pixel(3, 3), qRgb(255, 0, 0));
        QVERIFY(Brushes::hatchPattern(bsSolid, clRed).isNull());
        QVERIFY(Brushes::hatchPattern(bsClear, clRed).isNull());
    }

    void diagonalCrossHatchHasBothDiagonals()
    {
        const QImage hatch = Brushes::hatchPattern(bsDiagCross, clBlack);
        for (int i = 0; i < 8; ++i) {
            QVERIFY(qAlpha(hatch.pixel(i, i)) != 0);
            QVERIFY(qAlpha(hatch.pixel(7 - i, i)) != 0);
        }
        QCOMPARE(qAlpha(hatch.pixel(1, 0)), 0);
    }
};

QTEST_MAIN(TestCanvasStyles)
#include "tst_canvas_styles.moc"
