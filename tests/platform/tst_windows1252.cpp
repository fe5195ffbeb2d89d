#include "platform/Windows1252.h"

#include <QtTest>

class TestWindows1252 : public QObject
{
    Q_OBJECT
private slots:
    void accentedLettersAreLatin1Bytes()
    {
        QCOMPARE(Windows1252::encode(QStringLiteral("Café")).value(), QByteArray("Caf\xE9"));
        QCOMPARE(Windows1252::decode("M\xFCller"), QStringLiteral("Müller"));
    }
    void typographicCharactersUseTheHighBlock()
    {
        const QString text = QStringLiteral("\u20AC \u201Cquoted\u201D \u2018s\u2019 \u2013\u2014 \u2026 \u2122");
        const QByteArray bytes("\x80 \x93quoted\x94 \x91s\x92 \x96\x97 \x85 \x99");
        QCOMPARE(Windows1252::encode(text).value(), bytes);
        QCOMPARE(Windows1252::decode(bytes), text);
    }
    void everyByteDecodesAndEncodesBackUnchanged()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        const QString text = Windows1252::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(Windows1252::encode(text).value(), all);
    }
    void undefinedBytesMapToControlCodePoints()
    {
        for (const unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
            QCOMPARE(int(Windows1252::toUnicode(b)), int(b));
    }
    void charactersOutsideTheCodePageAreRefused()
    {
        QVERIFY(!Windows1252::encode(QStringLiteral("名片")).has_value());
        QVERIFY(!Windows1252::canEncode(QStringLiteral("smile \U0001F600")));
        // U+0080 is a C1 control the code page does not hold (0x80 is the euro sign).
        QVERIFY(!Windows1252::fromUnicode(0x0080).has_value());
        QVERIFY(Windows1252::canEncode(QStringLiteral("plain ASCII ~")));
    }
    void lossyEncodingReplacesEachUnrepresentableCharacterOnce()
    {
        QCOMPARE(Windows1252::encodeLossy(QStringLiteral("a\U0001F600b\u540Dé")), QByteArray("a?b?\xE9"));
    }
};

QTEST_GUILESS_MAIN(TestWindows1252)
#include "tst_windows1252.moc"
