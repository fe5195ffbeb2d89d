#include "design/stream/ComponentStreamReader.h"
#include "design/stream/ComponentStreamWriter.h"
#include "design/stream/StreamError.h"

#include <QtTest>

namespace {

// A short string as the format stores it: one length byte, then the bytes.
QByteArray ss(const QByteArray &text)
{
    return char(text.size()) + text;
}

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

QByteArray written(const StreamValue &value)
{
    ComponentStreamWriter writer;
    writer.writeValue(value);
    return writer.data();
}

StreamValue readBack(const QByteArray &bytes)
{
    ComponentStreamReader reader(bytes);
    StreamValue value = reader.readValue();
    reader.expectEnd();
    return value;
}

// Writes the value, checks the bytes, reads them back and checks the value.
void checkEncoding(const StreamValue &value, const QByteArray &bytes)
{
    QCOMPARE(written(value).toHex(' '), bytes.toHex(' '));
    const StreamValue back = readBack(bytes);
    QCOMPARE(back.describe(), value.describe());
    QVERIFY(back == value);
    QCOMPARE(int(back.tag()), int(value.tag()));
}

} // namespace

class TestComponentStream : public QObject
{
    Q_OBJECT
private slots:
    void cardWithOneLabelIsWrittenByteForByte()
    {
        StreamRecord label{QStringLiteral("TGBusinessCardLabel"), QStringLiteral("Special1"), {}};
        label.properties.emplace_back(QStringLiteral("Left"), StreamValue::integer(10));
        label.properties.emplace_back(QStringLiteral("Caption"), StreamValue::string(QStringLiteral("Hi")));
        label.properties.emplace_back(QStringLiteral("Font.Color"), StreamValue::ident(QStringLiteral("clWhite")));

        const QByteArray expected = "\x01" "TPF0" + ss("TGBusinessCardLabel") + ss("Special1")
            + ss("Left") + hex("020A") + ss("Caption") + "\x06" + ss("Hi")
            + ss("Font.Color") + "\x07" + ss("clWhite") + QByteArray(3, '\0');
        QCOMPARE(ComponentStreamWriter::writeContainer({label}).toHex(' '), expected.toHex(' '));

        const auto records = ComponentStreamReader::readContainer(expected);
        QCOMPARE(records.size(), std::size_t(1));
        QVERIFY(records[0] == label);
        QCOMPARE(records[0].find(QStringLiteral("Caption"))->toText(), QStringLiteral("Hi"));
        QVERIFY(records[0].find(QStringLiteral("Top")) == nullptr);
    }

    void severalObjectsKeepTheirOrder()
    {
        std::vector<StreamRecord> records;
        for (int i = 0; i < 3; ++i) {
            StreamRecord r{QStringLiteral("TBCShapes"), QStringLiteral("Special%1").arg(i + 1), {}};
            r.properties.emplace_back(QStringLiteral("Width"), StreamValue::integer(100 * i));
            records.push_back(r);
        }
        QVERIFY(ComponentStreamReader::readContainer(ComponentStreamWriter::writeContainer(records)) == records);
        QVERIFY(ComponentStreamReader::readContainer(hex("0100")).empty());
    }

    void oneObjectCanBeCopiedWithoutTheListAround()
    {
        StreamRecord line{QStringLiteral("TGLineShape"), QStringLiteral("Special2"), {}};
        line.properties.emplace_back(QStringLiteral("Locked"), StreamValue::boolean(true));
        const QByteArray bytes = ComponentStreamWriter::writeSingleRecord(line);
        QCOMPARE(bytes, "TPF0" + ss("TGLineShape") + ss("Special2") + ss("Locked") + hex("090000"));
        QVERIFY(ComponentStreamReader::readSingleRecord(bytes) == line);
    }

    void integersTakeTheSmallestTagThatHoldsThem_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("0") << qint64(0) << hex("0200");
        QTest::newRow("127") << qint64(127) << hex("027F");
        QTest::newRow("128") << qint64(128) << hex("038000");
        QTest::newRow("-128") << qint64(-128) << hex("0280");
        QTest::newRow("-129") << qint64(-129) << hex("037FFF");
        QTest::newRow("32767") << qint64(32767) << hex("03FF7F");
        QTest::newRow("32768") << qint64(32768) << hex("0400800000");
        QTest::newRow("-32768") << qint64(-32768) << hex("030080");
        QTest::newRow("-32769") << qint64(-32769) << hex("04FF7FFFFF");
        QTest::newRow("int32 max") << qint64(2147483647) << hex("04FFFFFF7F");
        QTest::newRow("int32 min") << qint64(-2147483647 - 1) << hex("0400000080");
        QTest::newRow("beyond 32 bits") << (qint64(1) << 32) << hex("130000000001000000");
    }
    void integersTakeTheSmallestTagThatHoldsThem()
    {
        QFETCH(qint64, value);
        QFETCH(QByteArray, bytes);
        checkEncoding(StreamValue::integer(value), bytes);
        QCOMPARE(readBack(bytes).toInteger(), value);
    }

    void integerStoredWiderThanNeededEqualsByValueAndIsRewrittenAsRead()
    {
        const QByteArray wide = hex("0405000000");
        const StreamValue value = readBack(wide);
        QVERIFY(value == StreamValue::integer(5));
        QCOMPARE(value.tag(), StreamTag::Int32);
        QCOMPARE(written(value), wide);
        QVERIFY_THROWS_EXCEPTION(StreamError, StreamValue::integer(300, StreamTag::Int8));
    }

    void identifiersSetsBooleansAndNil()
    {
        checkEncoding(StreamValue::ident(QStringLiteral("taCenter")), "\x07" + ss("taCenter"));
        checkEncoding(StreamValue::set({QStringLiteral("fsBold"), QStringLiteral("fsItalic")}),
                      "\x0B" + ss("fsBold") + ss("fsItalic") + '\0');
        checkEncoding(StreamValue::set({}), hex("0B00"));
        checkEncoding(StreamValue::boolean(true), hex("09"));
        checkEncoding(StreamValue::boolean(false), hex("08"));
        checkEncoding(StreamValue::nil(), hex("0D"));
        QCOMPARE(readBack("\x0B" + ss("fsBold") + ss("fsItalic") + '\0').describe(),
                 QStringLiteral("[fsBold,fsItalic]"));
    }

    void stringsLongerThan255CharactersUseTheLongTag()
    {
        const QString s255(255, u'a'), s256(256, u'b'), s300(300, u'c');
        checkEncoding(StreamValue::string(s255), "\x06\xFF" + s255.toLatin1());
        checkEncoding(StreamValue::string(s256), hex("0C00010000") + s256.toLatin1());
        checkEncoding(StreamValue::string(s300), hex("0C2C010000") + s300.toLatin1());
        checkEncoding(StreamValue::string(QString()), hex("0600"));
    }

    void accentedAndTypographicTextIsStoredAsWindows1252()
    {
        const QString text = QStringLiteral("Café € \u201Cyes\u201D");
        checkEncoding(StreamValue::string(text), QByteArray("\x06\x0C" "Caf\xE9 \x80 \x93yes\x94", 14));
        QCOMPARE(readBack(QByteArray("\x06\x0C" "Caf\xE9 \x80 \x93yes\x94", 14)).toText(), text);
    }

    void textOutsideWindows1252SurvivesAsAWideString()
    {
        const QString text = QStringLiteral("名片 \U0001F600");
        const StreamValue value = StreamValue::string(text);
        QCOMPARE(value.tag(), StreamTag::WString);
        QByteArray utf16;
        for (const QChar c : text)
            utf16 += char(c.unicode() & 0xFF) + QByteArray(1, char(c.unicode() >> 8));
        checkEncoding(value, hex("1205000000") + utf16);
        QCOMPARE(readBack(written(value)).toText(), text);
        // The same holds for long text that has to leave the code page.
        const QString longText = QString(400, u'x') + QStringLiteral("Ж");
        QCOMPARE(readBack(written(StreamValue::string(longText))).toText(), longText);
    }

    void binaryDataIsStoredWithItsLength()
    {
        checkEncoding(StreamValue::binary(hex("010203")), hex("0A03000000010203"));
        checkEncoding(StreamValue::binary(QByteArray()), hex("0A00000000"));
    }

    void extendedFloatsAreTenBytesAndReadBackIdentically()
    {
        checkEncoding(StreamValue::extended(2.0), hex("0500000000000000800040"));
        checkEncoding(StreamValue::extended(1.0), hex("050000000000000080FF3F"));
        for (const double v : {0.1, -0.1, -2.75, 1.0 / 3.0, 1e300, 96.0 / 120.0}) {
            const StreamValue back = readBack(written(StreamValue::extended(v)));
            QCOMPARE(back.kind(), StreamValue::Kind::Extended);
            QCOMPARE(back.toDouble(), v);
        }
    }

    void listsAndCollectionsNest()
    {
        const StreamValue list = StreamValue::list({StreamValue::integer(1), StreamValue::string(QStringLiteral("x"))});
        checkEncoding(list, hex("0102010601" "78" "00"));
        StreamProperties item;
        item.emplace_back(QStringLiteral("Width"), StreamValue::integer(3));
        const StreamValue collection = StreamValue::collection({item, {}});
        checkEncoding(collection, "\x0E\x01" + ss("Width") + hex("0203" "00" "0100" "00"));
    }

    void collectionItemsMayCarryAnOrderIndex()
    {
        const StreamValue value = readBack("\x0E\x02\x07\x01" + ss("Tag") + hex("0209" "00" "00"));
        QCOMPARE(value.toCollection().size(), std::size_t(1));
        QCOMPARE(value.toCollection()[0][0].second.toInteger(), 9);
    }

    void newerValueKindsAreReadAndWrittenBack()
    {
        const QByteArray single = hex("0F0000C03F");
        QCOMPARE(readBack(single).toDouble(), 1.5);
        QCOMPARE(written(readBack(single)), single);
        const QByteArray currency = hex("10983A000000000000");
        QCOMPARE(readBack(currency).toDouble(), 1.5);
        QCOMPARE(written(readBack(currency)), currency);
        const QByteArray date = hex("110000000000000040");
        QCOMPARE(readBack(date).kind(), StreamValue::Kind::Date);
        QCOMPARE(readBack(date).toDouble(), 2.0);
        const QByteArray utf8 = hex("1402000000C3A9");
        QCOMPARE(readBack(utf8).toText(), QStringLiteral("é"));
        QCOMPARE(written(readBack(utf8)), utf8);
        QCOMPARE(readBack(hex("13FFFFFFFFFFFFFFFF")).toInteger(), -1);
    }

    void aPropertyOfTheWrongKindIsReportedNotDefaulted()
    {
        QVERIFY_THROWS_EXCEPTION(StreamError, StreamValue::integer(3).toText());
        QVERIFY_THROWS_EXCEPTION(StreamError, StreamValue::ident(QStringLiteral("clRed")).toInteger());
        QVERIFY_THROWS_EXCEPTION(StreamError, StreamValue::string(QStringLiteral("1")).toDouble());
        QCOMPARE(StreamValue::integer(7).toDouble(), 7.0);
    }

    void writerRefusesWhatWouldCorruptTheStream()
    {
        StreamRecord r{QStringLiteral("TGImage"), QStringLiteral("Special1"), {}};
        r.properties.emplace_back(QStringLiteral("Picture"), StreamValue());
        QVERIFY_THROWS_EXCEPTION(StreamError, ComponentStreamWriter::writeSingleRecord(r));
        r.properties = {{QString(), StreamValue::integer(1)}};
        QVERIFY_THROWS_EXCEPTION(StreamError, ComponentStreamWriter::writeSingleRecord(r));
        r.properties.clear();
        r.className = QStringLiteral("T名");
        QVERIFY_THROWS_EXCEPTION(StreamError, ComponentStreamWriter::writeSingleRecord(r));
        QVERIFY_THROWS_EXCEPTION(StreamError, written(StreamValue::ident(QString(256, u'a'))));
        QVERIFY_THROWS_EXCEPTION(StreamError, written(StreamValue::set({QString()})));
        QVERIFY_THROWS_EXCEPTION(StreamError, written(StreamValue::list({StreamValue()})));
        QVERIFY_THROWS_EXCEPTION(StreamError, StreamValue::string(QString(256, u'a'), StreamTag::String));
    }
};

QTEST_GUILESS_MAIN(TestComponentStream)
#include "tst_componentstream.moc"
