// The limits that keep hostile card documents cheap, each tried at its
// boundary: the largest allowed input reads, one more is refused with the
// reader's normal error.

#include "design/stream/ComponentStreamReader.h"
#include "design/stream/ComponentStreamWriter.h"
#include "design/stream/StreamError.h"

#include <QtEndian>
#include <QtTest>

namespace {

StreamRecord shape(int n)
{
    StreamRecord record{QStringLiteral("TBCShapes"), QStringLiteral("Special%1").arg(n), {}};
    record.properties.emplace_back(QStringLiteral("Left"), StreamValue::integer(n));
    return record;
}

QByteArray shapes(int count)
{
    std::vector<StreamRecord> records;
    for (int i = 0; i < count; ++i)
        records.push_back(shape(i));
    return ComponentStreamWriter::writeContainer(records);
}

QByteArray oneValue(const StreamValue &value)
{
    StreamRecord record{QStringLiteral("TGBusinessCardLabel"), QStringLiteral("Special1"), {}};
    record.properties.emplace_back(QStringLiteral("Caption"), value);
    return ComponentStreamWriter::writeContainer({record});
}

QByteArray ss(const QByteArray &text)
{
    return char(text.size()) + text;
}

// A long string or binary value written by hand with the length given.
QByteArray withLength(StreamTag tag, qint32 length)
{
    QByteArray bytes = "\x01TPF0" + ss("TGPRichBaseLabel") + ss("Special1") + ss("Data");
    bytes.append(char(tag));
    char raw[4];
    qToLittleEndian(length, raw);
    bytes.append(raw, 4);
    bytes.append(QByteArray(qMax(0, length), 'x'));
    bytes.append(QByteArray(3, '\0'));
    return bytes;
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

} // namespace

class TestStreamLimits : public QObject
{
    Q_OBJECT
private slots:
    void objectsPerDocument()
    {
        const int most = ComponentStreamReader::kMaxObjects;
        QCOMPARE(ComponentStreamReader::readContainer(shapes(most)).size(), size_t(most));
        QVERIFY(errorOf(shapes(most + 1)).contains(QStringLiteral("more than 1000 objects")));
    }

    void valuesPerDocument()
    {
        // One list value holding all the others: the property counts as one.
        const int most = ComponentStreamReader::kMaxValues;
        std::vector<StreamValue> items(size_t(most - 1), StreamValue::boolean(true));
        QVERIFY(errorOf(oneValue(StreamValue::list(items))).isEmpty());
        items.push_back(StreamValue::boolean(true));
        QVERIFY(errorOf(oneValue(StreamValue::list(items))).contains(QStringLiteral("values")));
    }

    void setNamesCountAsValues()
    {
        const int most = ComponentStreamReader::kMaxValues;
        QStringList names(most - 1, QStringLiteral("a"));
        QVERIFY(errorOf(oneValue(StreamValue::set(names))).isEmpty());
        names << QStringLiteral("a");
        QVERIFY(errorOf(oneValue(StreamValue::set(names))).contains(QStringLiteral("values")));
    }

    void stringAndBinaryLengths()
    {
        const qint32 longest = qint32(ComponentStreamReader::kMaxStringLength);
        QVERIFY(errorOf(withLength((StreamTag::LString), longest)).isEmpty());
        QVERIFY(errorOf(withLength((StreamTag::LString), longest + 1)).contains(QStringLiteral("limit")));
        QVERIFY(errorOf(withLength((StreamTag::UTF8String), longest + 1)).contains(QStringLiteral("limit")));

        const qint32 largest = qint32(ComponentStreamReader::kMaxBinaryLength);
        QVERIFY(errorOf(withLength((StreamTag::Binary), largest)).isEmpty());
        QVERIFY(errorOf(withLength((StreamTag::Binary), largest + 1)).contains(QStringLiteral("limit")));
    }
};

QTEST_GUILESS_MAIN(TestStreamLimits)
#include "tst_streamlimits.moc"
