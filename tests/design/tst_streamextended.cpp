#include "design/stream/Extended80.h"

#include <QtTest>
#include <bit>
#include <cmath>
#include <limits>

namespace {

QByteArray bytesOf(const Extended80 &value)
{
    return QByteArray(reinterpret_cast<const char *>(value.bytes().data()), 10);
}

quint64 bitsOf(double value)
{
    return std::bit_cast<quint64>(value);
}

double fromParts(quint16 exponent, quint64 significand, bool negative = false)
{
    return Extended80(negative, exponent, significand).toDouble();
}

constexpr quint64 kOne = quint64(1) << 63;

} // namespace

class TestStreamExtended : public QObject
{
    Q_OBJECT
private slots:
    void knownNumbersHaveTheirX87Bytes_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("1.0") << 1.0 << QByteArray::fromHex("0000000000000080FF3F");
        QTest::newRow("2.0") << 2.0 << QByteArray::fromHex("00000000000000800040");
        QTest::newRow("-2.0") << -2.0 << QByteArray::fromHex("000000000000008000C0");
        QTest::newRow("0.5") << 0.5 << QByteArray::fromHex("0000000000000080FE3F");
        QTest::newRow("1.5") << 1.5 << QByteArray::fromHex("00000000000000C0FF3F");
        QTest::newRow("0.1") << 0.1 << QByteArray::fromHex("00D0CCCCCCCCCCCCFB3F");
        QTest::newRow("zero") << 0.0 << QByteArray::fromHex("00000000000000000000");
        QTest::newRow("negative zero") << -0.0 << QByteArray::fromHex("00000000000000000080");
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity()
                                  << QByteArray::fromHex("0000000000000080FF7F");
        QTest::newRow("smallest denormal") << std::numeric_limits<double>::denorm_min()
                                           << QByteArray::fromHex("0000000000000080CD3B");
    }
    void knownNumbersHaveTheirX87Bytes()
    {
        QFETCH(double, value);
        QFETCH(QByteArray, bytes);
        QCOMPARE(bytesOf(Extended80::fromDouble(value)).toHex(), bytes.toHex());
    }

    void everyDoubleSurvivesARoundTripBitForBit()
    {
        const double samples[] = {0.1, 1.0 / 3.0, M_PI, -123.456, 1e308, -1e-310, 2.0e-308,
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::lowest(),
                                  std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::denorm_min(),
                                  7 * std::numeric_limits<double>::denorm_min(),
                                  -std::numeric_limits<double>::infinity(), -0.0, 4.0e-320};
        for (const double value : samples)
            QCOMPARE(bitsOf(Extended80::fromDouble(value).toDouble()), bitsOf(value));
        const double nan = std::bit_cast<double>(quint64(0x7FF8000000012345));
        QCOMPARE(bitsOf(Extended80::fromDouble(nan).toDouble()), bitsOf(nan));
    }

    void decimalsStoredByTheWindowsProgramReadAsTheNearestDouble()
    {
        // The x87 unit rounds 0.1 to 64 bits (...CCCD); read back, it must
        // still be the double nearest 0.1, not one ulp off.
        QCOMPARE(Extended80(Extended80::Bytes{0xCD, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F})
                     .toDouble(),
                 0.1);
        QCOMPARE(fromParts(0x3FFF + 1, 0xC90FDAA22168C235), M_PI);
    }

    void extraPrecisionRoundsToNearestWithTiesToEven()
    {
        const double ulp = std::ldexp(1.0, -52);
        QCOMPARE(fromParts(0x3FFF, kOne | 0x3FF), 1.0);             // below half
        QCOMPARE(fromParts(0x3FFF, kOne | 0x400), 1.0);             // tie, even stays
        QCOMPARE(fromParts(0x3FFF, kOne | 0x401), 1.0 + ulp);       // above half
        QCOMPARE(fromParts(0x3FFF, kOne | 0xC00), 1.0 + 2 * ulp);   // tie, odd goes up
        QCOMPARE(fromParts(0x3FFF, ~quint64(0)), 2.0);              // carry into the exponent
        QCOMPARE(fromParts(0x3FFF, kOne | 0x400, true), -1.0);
    }

    void numbersBeyondTheDoubleRangeBecomeInfinityOrZero()
    {
        QCOMPARE(fromParts(0x7FFE, kOne), std::numeric_limits<double>::infinity());
        QCOMPARE(fromParts(0x7FFE, kOne, true), -std::numeric_limits<double>::infinity());
        // The largest double plus more than half an ulp overflows when rounded.
        QCOMPARE(fromParts(0x3FFF + 1023, ~quint64(0)), std::numeric_limits<double>::infinity());
        QCOMPARE(bitsOf(fromParts(1, kOne, true)), bitsOf(-0.0));
        QCOMPARE(bitsOf(fromParts(0, 0x1234)), bitsOf(0.0)); // extended denormal
    }

    void tinyNumbersRoundIntoDoubleDenormals()
    {
        const double tiny = std::numeric_limits<double>::denorm_min();
        const quint16 exp1074 = 0x3FFF - 1074;
        QCOMPARE(fromParts(exp1074, kOne), tiny);
        QCOMPARE(fromParts(exp1074 - 1, kOne), 0.0);                     // exactly half: to even
        QCOMPARE(fromParts(exp1074 - 1, kOne | (kOne >> 1)), tiny);      // 0.75 of the smallest
        QCOMPARE(fromParts(exp1074, kOne | (kOne >> 1)), 2 * tiny);      // 1.5: tie to even
        // Just below the smallest normal number rounds up onto it.
        QCOMPARE(fromParts(0x3FFF - 1023, ~quint64(0)), std::numeric_limits<double>::min());
    }

    void notANumberNeverTurnsIntoANumber()
    {
        QVERIFY(std::isnan(fromParts(0x7FFF, kOne | 1)));     // payload only in dropped bits
        QVERIFY(std::isnan(fromParts(0x7FFF, 0)));            // pseudo-infinity
        QVERIFY(std::isinf(fromParts(0x7FFF, kOne)));
    }

    void unnormalsReadAsTheNumberTheirBitsDescribe()
    {
        // Integer bit clear with a non-zero exponent: 0.5 * 2^1 = 1.0.
        QCOMPARE(fromParts(0x3FFF + 1, kOne >> 1), 1.0);
    }
};

QTEST_GUILESS_MAIN(TestStreamExtended)
#include "tst_streamextended.moc"
