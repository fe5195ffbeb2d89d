#include "platform/Numbers.h"

#include <QtTest>

#include <cmath>
#include <limits>

class TestNumbers : public QObject
{
    Q_OBJECT
private slots:
    void roundingGoesToTheEvenNeighbourOnTies()
    {
        QCOMPARE(Numbers::roundHalfEven(2.5), 2);
        QCOMPARE(Numbers::roundHalfEven(3.5), 4);
        QCOMPARE(Numbers::roundHalfEven(-2.5), -2);
        QCOMPARE(Numbers::roundHalfEven(-3.5), -4);
        QCOMPARE(Numbers::roundHalfEven(2.5000001), 3);
        QCOMPARE(Numbers::roundHalfEven(0.49999), 0);
    }
    void settlingTakesOffTheNoiseOfComputedValues()
    {
        QCOMPARE(Numbers::settle((4.25 + 236 / 96.0) * 300), 2012.5);
        QCOMPARE(Numbers::roundHalfEven(Numbers::settle((4.25 + 236 / 96.0) * 300)), 2012);
        QCOMPARE(Numbers::settle(0.1 + 0.2), Numbers::settle(0.3));
        QCOMPARE(Numbers::settle(-7.25), -7.25);
        // Real differences stay.
        QVERIFY(Numbers::settle(2.5001) > 2.5);
    }
    void truncationGoesTowardsZero()
    {
        QCOMPARE(Numbers::truncate(1.99), 1);
        QCOMPARE(Numbers::truncate(-1.99), -1);
        QCOMPARE(Numbers::divTrunc(-7, 2), -3);
    }
    void conversionsHoldToTheIntRange()
    {
        constexpr int most = std::numeric_limits<int>::max();
        constexpr int least = std::numeric_limits<int>::min();
        QCOMPARE(Numbers::roundHalfEven(1e300), most);
        QCOMPARE(Numbers::roundHalfEven(-1e300), least);
        QCOMPARE(Numbers::roundHalfEven(2147483647.4), most);
        QCOMPARE(Numbers::roundHalfEven(2147483648.0), most);
        QCOMPARE(Numbers::roundHalfEven(-2147483649.0), least);
        QCOMPARE(Numbers::roundHalfEven(std::numeric_limits<double>::infinity()), most);
        QCOMPARE(Numbers::roundHalfEven(std::nan("")), 0);
        QCOMPARE(Numbers::truncate(3e10), most);
        QCOMPARE(Numbers::truncate(-3e10), least);
        QCOMPARE(Numbers::truncate(-2147483648.9), least);
        QCOMPARE(Numbers::truncate(std::nan("")), 0);
    }
    void mulDivRoundsWithoutOverflow()
    {
        QCOMPARE(Numbers::mulDiv(2000000000, 3, 4), 1500000000);
        QCOMPARE(Numbers::mulDiv(5, 1, 2), 3);
        QCOMPARE(Numbers::mulDiv(-5, 1, 2), -3);
        QCOMPARE(Numbers::mulDiv(7, 96, 72), 9);
        QCOMPARE(Numbers::mulDiv(1, 1, 0), -1);
    }
    void zoomStepsAreThirtyTwoBitFloats()
    {
        QCOMPARE(Numbers::zoomAfterSteps(0), 1.0f);
        float expected = 1.0f;
        for (int i = 0; i < 5; ++i)
            expected += 0.1f;
        QCOMPARE(Numbers::zoomAfterSteps(5), expected);
        QVERIFY(Numbers::zoomAfterSteps(5) != 1.5f || expected == 1.5f);
        QCOMPARE(Numbers::zoomAfterSteps(-1), 1.0f - 0.1f);
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
