#include "design/stream/ComponentStreamReader.h"
#include "design/stream/ComponentStreamWriter.h"
#include "design/stream/StreamError.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

QByteArray ss(const QByteArray &text)
{
    return char(text.size()) + text;
}

// A card with one value of every kind, so damage can hit any of them.
QByteArray richContainer()
{
    StreamRecord label{QStringLiteral("TGBusinessCardLabel"), QStringLiteral("Special1"), {}};
    auto &p = label.properties;
    p.emplace_back(QStringLiteral("Left"), StreamValue::integer(12));
    p.emplace_back(QStringLiteral("Width"), StreamValue::integer(40000));
    p.emplace_back(QStringLiteral("Caption"), StreamValue::string(QStringLiteral("Café")));
    p.emplace_back(QStringLiteral("Hint"), StreamValue::string(QString(300, u'h')));
    p.emplace_back(QStringLiteral("Wide"), StreamValue::string(QStringLiteral("名片")));
    p.emplace_back(QStringLiteral("Font.Style"),
                   StreamValue::set({QStringLiteral("fsBold"), QStringLiteral("fsItalic")}));
    p.emplace_back(QStringLiteral("Color"), StreamValue::ident(QStringLiteral("clWhite")));
    p.emplace_back(QStringLiteral("Locked"), StreamValue::boolean(true));
    p.emplace_back(QStringLiteral("Zoom"), StreamValue::extended(1.3));
    p.emplace_back(QStringLiteral("Picture.Data"), StreamValue::binary(QByteArray(20, 'B')));
    p.emplace_back(QStringLiteral("Points"), StreamValue::list({StreamValue::integer(1), StreamValue::nil()}));
    StreamProperties item;
    item.emplace_back(QStringLiteral("Width"), StreamValue::integer(3));
    p.emplace_back(QStringLiteral("Columns"), StreamValue::collection({item}));
    StreamRecord shape{QStringLiteral("TBCShapes"), QStringLiteral("Special2"), {}};
    shape.properties.emplace_back(QStringLiteral("Shape"), StreamValue::ident(QStringLiteral("stEllipse")));
    return ComponentStreamWriter::writeContainer({label, shape});
}

// Reads the bytes as a container: true on success, false on StreamError;
// anything else (another exception, a crash) fails the test run.
bool readsCleanly(const QByteArray &bytes)
{
    try {
        ComponentStreamReader::readContainer(bytes);
        return true;
    } catch (const StreamError &error) {
        if (error.message().isEmpty())
            qFatal("StreamError without a message");
        return false;
    }
}

QString errorOf(const QByteArray &bytes)
{
    try {
        ComponentStreamReader::readContainer(bytes);
    } catch (const StreamError &error) {
        return error.message();
    }
    return QString();
}

// A container of one record with one property "P" holding the given value bytes.
QByteArray withValue(const QByteArray &value)
{
    return "\x01" "TPF0" + ss("TGImage") + ss("Special1") + ss("P") + value + QByteArray(3, '\0');
}

} // namespace

class TestStreamDamage : public QObject
{
    Q_OBJECT
private slots:
    void everyTruncationOfACardIsReportedAsDamaged()
    {
        const QByteArray full = richContainer();
        QVERIFY(readsCleanly(full));
        for (qsizetype length = 0; length < full.size(); ++length) {
            if (readsCleanly(full.left(length)))
                QFAIL(qPrintable(QStringLiteral("prefix of %1 bytes was accepted").arg(length)));
        }
    }

    void bytesAfterTheEndOfTheListAreReported()
    {
        QVERIFY(!readsCleanly(richContainer() + '\0'));
        QVERIFY(errorOf(QByteArray("\x01\x00\x01", 3)).contains(QStringLiteral("after the end")));
    }

    void randomCorruptionNeverCrashes()
    {
        const QByteArray full = richContainer();
        QRandomGenerator random(20240611);
        int rejected = 0;
        for (int round = 0; round < 5000; ++round) {
            QByteArray damaged = full;
            const int changes = 1 + random.bounded(4);
            for (int i = 0; i < changes; ++i) {
                const auto at = random.bounded(damaged.size());
                switch (random.bounded(3)) {
                case 0: damaged[at] = char(random.bounded(256)); break;
                case 1: damaged.remove(at, 1 + random.bounded(4)); break;
                default: damaged.insert(at, char(random.bounded(256))); break;
                }
                if (damaged.isEmpty())
                    damaged = full;
            }
            if (!readsCleanly(damaged))
                ++rejected;
        }
        QVERIFY(rejected > 2500); // most damage must be noticed, not shrugged off
    }

    void hugeDeclaredLengthsFailBeforeAnythingIsAllocated_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("binary FFFFFFFF") << QByteArray::fromHex("0AFFFFFFFF");
        QTest::newRow("binary 7FFFFFFF") << QByteArray::fromHex("0AFFFFFF7F");
        QTest::newRow("long string") << QByteArray::fromHex("0CFFFFFF7F");
        QTest::newRow("wide string") << QByteArray::fromHex("12FFFFFF7F");
        QTest::newRow("wide string, count doubled past the end") << QByteArray::fromHex("1203000000414142");
        QTest::newRow("utf-8 string") << QByteArray::fromHex("14FFFFFF7F");
        QTest::newRow("short string") << QByteArray::fromHex("06FF4142");
    }
    void hugeDeclaredLengthsFailBeforeAnythingIsAllocated()
    {
        QFETCH(QByteArray, value);
        const QString message = errorOf(withValue(value));
        QVERIFY2(message.contains(QStringLiteral("left")) || message.contains(QStringLiteral("negative")),
                 qPrintable(message));
    }

    void deepNestingIsRefusedInsteadOfExhaustingTheStack()
    {
        const QByteArray deep(100000, '\x01');
        QVERIFY(errorOf(withValue(deep)).contains(QStringLiteral("nested too deeply")));
        QByteArray chain;
        for (int i = 0; i < 50000; ++i)
            chain += "\x0E\x01" + ss("C");
        QVERIFY(errorOf(withValue(chain)).contains(QStringLiteral("nested too deeply")));

        const int allowed = ComponentStreamReader::kMaxDepth;
        QVERIFY(readsCleanly(withValue(QByteArray(allowed, '\x01') + QByteArray(allowed, '\0'))));
    }

    void malformedStructureIsNamedInTheError_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fault");
        QTest::newRow("not a list") << QByteArray("TPF0") << "a list was expected";
        QTest::newRow("no signature") << QByteArray("\x01TPF1\x03T", 7) << "signature";
        QTest::newRow("child component")
            << QByteArray("\x01" "TPF0" + ss("TGImage") + ss("Special1") + '\0' + "TPF0" + ss("TGImage")
                          + ss("Child") + QByteArray(4, '\0'))
            << "child components";
        QTest::newRow("unknown tag") << withValue("\x2A") << "unknown value tag 42";
        QTest::newRow("missing value") << withValue(QByteArray()) << "value is missing";
        QTest::newRow("no class name") << QByteArray("\x01TPF0\x00\x00\x00\x00\x00", 10) << "no class name";
        QTest::newRow("inline component flags")
            << QByteArray("\x01TPF0\xF1", 6) + ss("TGImage") + QByteArray(4, '\0') << "not supported";
        QTest::newRow("collection item not a list") << withValue("\x0E\x06\x01x\x00") << "a list was expected";
    }
    void malformedStructureIsNamedInTheError()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fault);
        const QString message = errorOf(bytes);
        QVERIFY2(message.contains(fault), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("at byte")), qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestStreamDamage)
#include "tst_streamdamage.moc"
