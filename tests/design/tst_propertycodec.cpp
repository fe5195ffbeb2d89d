#include "app/CardClasses.h"
#include "design/ComponentStreamer.h"
#include "design/PropertyValueCodec.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/stream/ComponentStreamWriter.h"
#include "design/stream/StreamError.h"
#include "objects/TBCShapes.h"
#include "objects/TGLineShape.h"
#include "platform/Fonts.h"
#include "platform/ScreenMetrics.h"

#include <QBuffer>
#include <QImage>
#include <QtTest>

namespace {

QByteArray ss(const QByteArray &text)
{
    return char(text.size()) + text;
}

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

// A property name and its encoded value as a record holds them.
QByteArray prop(const char *name, const QByteArray &value)
{
    return ss(name) + value;
}

QByteArray ident(const char *name)
{
    return '\x07' + ss(name);
}

const QByteArray False("\x08", 1);
const QByteArray True("\x09", 1);

QByteArray record(const char *className, const char *name, const QByteArray &properties)
{
    return "TPF0" + ss(className) + ss(name) + properties + QByteArray(2, '\0');
}

QByteArray container(const QByteArray &records)
{
    return '\x01' + records + '\x00';
}

QByteArray encoded(const TPropertyDecl &decl, const QVariant &value)
{
    ComponentStreamWriter writer;
    writer.writeValue(PropertyValueCodec::encode(decl, value));
    return writer.data();
}

TPropertyDecl declOf(TPropertyType type, QStringList idents = {})
{
    TPropertyDecl d;
    d.name = QStringLiteral("Value");
    d.type = type;
    d.identifiers = std::move(idents);
    return d;
}

} // namespace

// An object with one property of every declared kind, so that every
// encoding is exercised whatever object classes the program has.
class TSampleKinds : public TGGraphicControl
{
    Q_OBJECT
public:
    explicit TSampleKinds(QObject *owner = nullptr) : TGGraphicControl(owner) {}
    static const TPropertyList &properties()
    {
        using C = TSampleKinds;
        static const TPropertyList list = TPropertyBuilder<C>(TGGraphicControl::properties())
            .integer("Count", [](const C &c) { return c.count; }, [](C &c, int v) { c.count = v; }, 0)
            .boolean("Flag", [](const C &c) { return c.flag; }, [](C &c, bool v) { c.flag = v; }, false)
            .string("Caption", [](const C &c) { return c.caption; }, [](C &c, const QString &v) { c.caption = v; }, QString())
            .enumeration("Kind", {"skOne", "skTwo", "skThree"}, [](const C &c) { return c.kind; },
                         [](C &c, int v) { c.kind = v; }, 0)
            .setOf("Options", {"soA", "soB", "soC"}, [](const C &c) { return c.options; },
                   [](C &c, unsigned v) { c.options = v; }, 0u)
            .color("Tint", [](const C &c) { return c.tint; }, [](C &c, int v) { c.tint = v; }, int(clBlack))
            .floating("Ratio", [](const C &c) { return c.ratio; }, [](C &c, double v) { c.ratio = v; }, 0.0)
            .picture("Picture", [](const C &c) { return c.picture; }, [](C &c, const QByteArray &v) { c.picture = v; })
            .bitmap("Glyph", [](const C &c) { return c.glyph; }, [](C &c, const QByteArray &v) { c.glyph = v; })
            .strings("Lines", [](const C &c) { return c.lines; }, [](C &c, const QStringList &v) { c.lines = v; })
            .font("Font", [](const C &c) { return c.font; }, [](C &c, const TFont &v) { c.font = v; })
            .build();
        return list;
    }
    const TPropertyList &StoredProperties() const override { return properties(); }

    int count = 0;
    bool flag = false;
    QString caption;
    int kind = 0;
    unsigned options = 0;
    int tint = clBlack;
    double ratio = 0.0;
    QByteArray picture;
    QByteArray glyph;
    QStringList lines;
    TFont font;
};

class TestPropertyCodec : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses();
        TGClassRegistry::add<TSampleKinds>("TSampleKinds");
    }

    void roundedRectangleIsWrittenByteForByte()
    {
        TBCShapes shape;
        shape.SetName("Special1");
        shape.SetBounds(10, 200, 100, 50);
        shape.SetShape(stRoundRect);
        TBrush brush = shape.Brush();
        brush.color = 0x00FF8000; // no standard name
        shape.SetBrush(brush);

        const QByteArray expected = container(record("TBCShapes", "Special1",
            prop("Left", hex("020A")) + prop("Top", hex("03C800")) + prop("Width", hex("0264"))
            + prop("Height", hex("0232")) + prop("Locked", False) + prop("Unselectable", False)
            + prop("Transparent", False) + prop("Brush.Color", hex("040080FF00"))
            + prop("Pen.Color", ident("clBlack")) + prop("Shape", ident("stRoundRect"))));
        QCOMPARE(ComponentStreamer::WriteContainer({&shape}).toHex(' '), expected.toHex(' '));
    }

    void lineIsWrittenByteForByte()
    {
        TGLineShape line;
        line.SetName("Special2");
        line.SetBounds(5, 40, 70000, 1);
        line.SetLocked(true);
        line.SetLineStyle(stAngleSlopingDown);
        TPen pen = line.Pen();
        pen.color = clBtnFace; // a system colour has a name too
        pen.width = 3;
        pen.style = psDash;
        line.SetPen(pen);

        const QByteArray expected = container(record("TGLineShape", "Special2",
            prop("Left", hex("0205")) + prop("Top", hex("0228")) + prop("Width", hex("0470110100"))
            + prop("Height", hex("0201")) + prop("Locked", True) + prop("Unselectable", False)
            + prop("LineStyle", ident("stAngleSlopingDown")) + prop("Pen.Color", ident("clBtnFace"))
            + prop("Pen.Style", ident("psDash")) + prop("Pen.Width", hex("0203"))));
        QCOMPARE(ComponentStreamer::WriteContainer({&line}).toHex(' '), expected.toHex(' '));
    }

    void integersTakeTheSmallestTag_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("0") << 0 << hex("0200");
        QTest::newRow("127") << 127 << hex("027F");
        QTest::newRow("-128") << -128 << hex("0280");
        QTest::newRow("128") << 128 << hex("038000");
        QTest::newRow("-129") << -129 << hex("037FFF");
        QTest::newRow("32767") << 32767 << hex("03FF7F");
        QTest::newRow("-32768") << -32768 << hex("030080");
        QTest::newRow("32768") << 32768 << hex("0400800000");
        QTest::newRow("-32769") << -32769 << hex("04FF7FFFFF");
        QTest::newRow("max") << 2147483647 << hex("04FFFFFF7F");
    }
    void integersTakeTheSmallestTag()
    {
        QFETCH(int, value);
        QFETCH(QByteArray, bytes);
        const TPropertyDecl d = declOf(TPropertyType::Integer);
        QCOMPARE(encoded(d, value).toHex(' '), bytes.toHex(' '));
        QCOMPARE(PropertyValueCodec::decode(d, PropertyValueCodec::encode(d, value)).toInt(), value);
    }

    void coloursWithANameAreIdentifiersOthersIntegers()
    {
        const TPropertyDecl d = declOf(TPropertyType::Color);
        QCOMPARE(encoded(d, int(clWhite)), '\x07' + ss("clWhite"));
        QCOMPARE(encoded(d, 0x00000001).toHex(' '), hex("0201").toHex(' '));
        QCOMPARE(encoded(d, 0x00123456).toHex(' '), hex("0456341200").toHex(' '));
        // Both forms read back; letter case of names does not matter.
        QCOMPARE(PropertyValueCodec::decode(d, StreamValue::ident("CLRED")).toInt(), int(clRed));
        QCOMPARE(PropertyValueCodec::decode(d, StreamValue::integer(255)).toInt(), 255);
        QVERIFY_THROWS_EXCEPTION(StreamError, PropertyValueCodec::decode(d, StreamValue::ident("clPlaid")));
    }

    void stringsKeepTheirTextAtAnyLength()
    {
        const TPropertyDecl d = declOf(TPropertyType::String);
        const QString short255(255, QLatin1Char('a'));
        QCOMPARE(encoded(d, short255).left(2).toHex(), QByteArray("06ff"));
        const QString long300(300, QLatin1Char('b'));
        const QByteArray bytes = encoded(d, long300);
        QCOMPARE(bytes.left(5).toHex(' '), hex("0C2C010000").toHex(' '));
        QCOMPARE(bytes.mid(5), QByteArray(300, 'b'));
        // Text the ANSI code page cannot hold is stored wide instead of lost.
        const QString greek = QStringLiteral("\u03A9mega \u20AC");
        const StreamValue wide = PropertyValueCodec::encode(d, greek);
        QCOMPARE(int(wide.tag()), int(StreamTag::WString));
        QCOMPARE(PropertyValueCodec::decode(d, wide).toString(), greek);
    }

    void floatsAreExtended()
    {
        const TPropertyDecl d = declOf(TPropertyType::Float);
        QCOMPARE(encoded(d, 2.5).toHex(' '), hex("0500000000000000A00040").toHex(' '));
        QCOMPARE(PropertyValueCodec::decode(d, PropertyValueCodec::encode(d, 0.1)).toDouble(), 0.1);
    }

    void enumerationsSetsAndCharsetsUseIdentifiers()
    {
        const TPropertyDecl e = declOf(TPropertyType::Enum, {"taLeftJustify", "taRightJustify", "taCenter"});
        QCOMPARE(encoded(e, 2), '\x07' + ss("taCenter"));
        QVERIFY_THROWS_EXCEPTION(StreamError, PropertyValueCodec::decode(e, StreamValue::ident("taMiddle")));
        QVERIFY_THROWS_EXCEPTION(StreamError, PropertyValueCodec::decode(e, StreamValue::integer(1)));

        const TPropertyDecl s = declOf(TPropertyType::Set, PropertyIdents::fontStyle());
        QCOMPARE(encoded(s, uint(fsBold | fsUnderline)), '\x0B' + ss("fsBold") + ss("fsUnderline") + '\0');
        QCOMPARE(encoded(s, 0u), QByteArray("\x0B\x00", 2));
        QCOMPARE(PropertyValueCodec::decode(s, StreamValue::set({"fsItalic", "fsStrikeOut"})).toUInt(),
                 uint(fsItalic | fsStrikeOut));

        const TPropertyDecl c = declOf(TPropertyType::Charset);
        QCOMPARE(encoded(c, DEFAULT_CHARSET), '\x07' + ss("DEFAULT_CHARSET"));
        QCOMPARE(encoded(c, 3).toHex(), QByteArray("0203")); // no name
        QCOMPARE(PropertyValueCodec::decode(c, StreamValue::ident("SYMBOL_CHARSET")).toInt(), SYMBOL_CHARSET);
        QCOMPARE(PropertyValueCodec::decode(c, StreamValue::integer(238)).toInt(), 238);
    }

    void valuesOfTheWrongKindAreRejected()
    {
        QVERIFY_THROWS_EXCEPTION(StreamError, PropertyValueCodec::decode(declOf(TPropertyType::Boolean),
                                                                         StreamValue::integer(1)));
        QVERIFY_THROWS_EXCEPTION(StreamError, PropertyValueCodec::decode(declOf(TPropertyType::String),
                                                                         StreamValue::ident("x")));
        QVERIFY_THROWS_EXCEPTION(StreamError, PropertyValueCodec::decode(declOf(TPropertyType::Integer),
                                                                         StreamValue::integer(qint64(1) << 40)));
    }

    void picturesListsAndFontsStreamUnderTheirOwnNames()
    {
        TSampleKinds sample;
        sample.SetName("Component0");
        sample.SetBounds(1, 2, 3, 4);
        sample.glyph = hex("04000000424D0000");
        sample.lines = QStringList{"first", "second"};
        sample.font.style = fsItalic;

        const StreamRecord r = ComponentStreamer::RecordOf(sample);
        QStringList names;
        for (const auto &p : r.properties)
            names << p.first;
        // No picture: nothing written for it; the font's style is always written.
        QCOMPARE(names, QStringList({"Left", "Top", "Width", "Height", "Locked", "Unselectable",
                                     "Glyph.Data", "Lines.Strings", "Font.Charset", "Font.Color",
                                     "Font.Height", "Font.Name", "Font.Style"}));
        QCOMPARE(r.find("Glyph.Data")->toBinary(), sample.glyph);
        QCOMPARE(r.find("Lines.Strings")->describe(), StreamValue::list({StreamValue::string("first"),
                                                                        StreamValue::string("second")}).describe());
        QCOMPARE(r.find("Font.Style")->toSet(), QStringList{"fsItalic"});
        QCOMPARE(r.find("Font.Charset")->toIdent(), QStringLiteral("DEFAULT_CHARSET"));
    }

    void everyKindSurvivesAWriteAndARead()
    {
        TGBusinessCardPanel32 panel;
        TSampleKinds source;
        source.SetBounds(7, 8, 90, 30);
        source.count = -70000;
        source.flag = true;
        source.caption = QString(300, QLatin1Char('z')) + QStringLiteral("\u0416");
        source.kind = 2;
        source.options = 5;
        source.tint = 0x00ABCDEF;
        source.ratio = 1.0 / 3.0;
        source.picture = ss("TBitmap") + hex("02000000ABCD");
        source.glyph = hex("0100000000");
        source.lines = QStringList{"a", "", "\u00e9t\u00e9"};
        source.font.name = "Times New Roman";
        source.font.height = -20;
        source.font.style = fsBold | fsStrikeOut;
        source.font.charset = 238;
        source.font.pitch = TFontPitch::fpFixed;
        source.font.color = clNavy;

        ComponentStreamer streamer;
        QList<TGGraphicControl *> read;
        QVERIFY(streamer.ReadObjects(streamer.WriteObjects({&source}), panel, {}, &read));
        QCOMPARE(read.size(), 1);
        auto *copy = qobject_cast<TSampleKinds *>(read.first());
        QVERIFY(copy);
        for (const TPropertyDecl &d : TSampleKinds::properties())
            QCOMPARE(d.get(*copy), d.get(source));
    }
};

QTEST_MAIN(TestPropertyCodec)
#include "tst_propertycodec.moc"
