// A multi-purpose shape kept in card documents and the clipboard, and a
// document whose stored texture is damaged.
#include "app/CardClasses.h"
#include "design/CardDocument.h"
#include "design/ComponentStreamer.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/stream/ComponentStreamReader.h"
#include "design/stream/ComponentStreamWriter.h"
#include "effects/TSuperShape.h"
#include "effects/TextureStream.h"
#include "platform/Canvas.h"
#include "platform/ScreenMetrics.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

TSuperShape *addSuperShape(TGBusinessCardPanel32 &panel, QRect r)
{
    auto *s = new TSuperShape(&panel);
    s->Loaded();
    panel.PlaceObject(s, r);
    return s;
}

QImage render(TGBusinessCardPanel32 &panel)
{
    return panel.RenderToBitmap();
}

QImage texture()
{
    QImage image(9, 7, QImage::Format_RGB32);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x)
            image.setPixelColor(x, y, QColor(x * 28, y * 36, 200));
    return image;
}

} // namespace

class TestSuperShapeDocument : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses();
    }

    void everyPropertyIsWrittenInOrder()
    {
        TSuperShape s;
        s.SetBounds(1, 2, 80, 60);
        const StreamRecord record = ComponentStreamer::RecordOf(s);
        QStringList names;
        for (const auto &p : record.properties)
            names << p.first;
        // Construction values are written too (nothing has a stored default);
        // an empty texture has nothing to write.
        QCOMPARE(names, (QStringList{"Left", "Top", "Width", "Height", "Locked", "Unselectable", "BackColor",
                                     "FillDirection", "ForeColor", "GradientToColor", "InVectorPercent",
                                     "OutlineColor", "OutlineStyle", "OutlineWidth", "Pattern", "RoundPerc",
                                     "ShadowColor", "ShadowDepth", "ShadowOrient", "Shape", "StartingAngle",
                                     "SurfaceType", "Vectors", "LastBitmapFileNameandPath"}));
        QCOMPARE(record.find("Shape")->toIdent(), QString("gstStar"));
        QCOMPARE(record.find("SurfaceType")->toIdent(), QString("stGradientFill"));
        QCOMPARE(record.find("Pattern")->toIdent(), QString("bsClear"));
        s.SetSurfaceType(TSuperShape::stBrushImage);
        s.SetImage(texture());
        const StreamRecord textured = ComponentStreamer::RecordOf(s);
        QCOMPARE(textured.properties.at(10).first, QString("Image.Data"));
        const QByteArray data = textured.find("Image.Data")->toBinary();
        QCOMPARE(qFromLittleEndian<quint32>(data.constData()), quint32(data.size() - 4));
    }

    void savedShapesReopenLookingTheSame()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("shapes.kvl");
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TSuperShape *star = addSuperShape(panel, QRect(5, 5, 90, 90));
        star->SetShadowOrient(soLowerLeft);
        star->SetShadowColor(clGray);
        star->SetFillDirection(gdLeft);
        star->SetOutlineWidth(3);
        TSuperShape *tiled = addSuperShape(panel, QRect(100, 10, 120, 70));
        tiled->SetShape(gstRoundRect);
        tiled->SetRoundPerc(40);
        tiled->SetSurfaceType(TSuperShape::stBrushImage);
        tiled->SetImage(texture());
        tiled->SetLastBitmapFileNameandPath("/textures/wood.bmp");
        TSuperShape *solid = addSuperShape(panel, QRect(230, 20, 80, 80));
        solid->SetShape(gstTriangleDown);
        solid->SetSurfaceType(TSuperShape::stBrushPattern);
        solid->SetBackColor(clTeal);
        solid->SetOutlineStyle(psDash);
        const QImage before = render(panel);
        QString error;
        QVERIFY2(CardDocument::SaveToFile(panel, file, &error), qPrintable(error));

        TGBusinessCardPanel32 reopened;
        reopened.resize(336, 192);
        QVERIFY2(CardDocument::LoadFromFile(reopened, file, &error), qPrintable(error));
        QCOMPARE(reopened.ObjectCount(), 3);
        auto *copy = qobject_cast<TSuperShape *>(reopened.Objects().at(1));
        QVERIFY(copy);
        QCOMPARE(copy->Image(), texture());
        QCOMPARE(copy->LastBitmapFileNameandPath(), QString("/textures/wood.bmp"));
        QCOMPARE(copy->RoundPerc(), 40);
        QCOMPARE(render(reopened), before);
        // The reopened gradient has the object's size.
        QCOMPARE(qobject_cast<TSuperShape *>(reopened.Objects().at(0))->GradientBitmap().size(), QSize(90, 90));
        // Saving again writes the same properties (the texture's bytes as read).
        const QString again = dir.filePath("again.kvl");
        QVERIFY(CardDocument::SaveToFile(reopened, again, &error));
        QFile a(file), b(again);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        const std::vector<StreamRecord> first = ComponentStreamReader::readContainer(a.readAll());
        const std::vector<StreamRecord> second = ComponentStreamReader::readContainer(b.readAll());
        QCOMPARE(second.size(), first.size());
        for (size_t i = 0; i < first.size(); ++i)
            QVERIFY(second[i].properties == first[i].properties);
    }

    void cloneCopiesTheTexture()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TSuperShape *s = addSuperShape(panel, QRect(10, 10, 60, 60));
        s->SetSurfaceType(TSuperShape::stBrushImage);
        s->SetImage(texture());
        s->Clone();
        QCOMPARE(panel.ObjectCount(), 2);
        auto *clone = qobject_cast<TSuperShape *>(panel.Objects().last());
        QVERIFY(clone && clone != s);
        QCOMPARE(clone->Image(), texture());
        QCOMPARE(clone->SurfaceType(), TSuperShape::stBrushImage);
    }

    void damagedTextureFailsTheDocumentCleanly_data()
    {
        QTest::addColumn<QByteArray>("data");
        QByteArray good = TextureStream::encode(texture());
        QByteArray huge = good;
        qToLittleEndian<qint32>(1 << 24, huge.data() + 4 + 18);
        qToLittleEndian<qint32>(1 << 24, huge.data() + 4 + 22);
        QTest::newRow("absurdly large") << huge;
        QTest::newRow("truncated") << good.left(good.size() - 30);
        QByteArray scrambled = good;
        scrambled[4] = 'X';
        QTest::newRow("not a bitmap") << scrambled;
    }

    void damagedTextureFailsTheDocumentCleanly()
    {
        QFETCH(QByteArray, data);
        TSuperShape s;
        s.SetBounds(0, 0, 40, 40);
        s.SetSurfaceType(TSuperShape::stBrushImage);
        s.SetImage(texture());
        StreamRecord record = ComponentStreamer::RecordOf(s);
        record.name = "Component0";
        for (auto &p : record.properties)
            if (p.first == "Image.Data")
                p.second = StreamValue::binary(data);
        QTemporaryDir dir;
        const QString file = dir.filePath("damaged.kvl");
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(ComponentStreamWriter::writeContainer({record}));
        out.close();

        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        addSuperShape(panel, QRect(0, 0, 30, 30));
        QString error;
        QVERIFY(!CardDocument::LoadFromFile(panel, file, &error));
        QVERIFY2(error.contains("Image"), qPrintable(error));
        QCOMPARE(panel.ObjectCount(), 1); // what was there stays; nothing half-read is left
    }
};

QTEST_MAIN(TestSuperShapeDocument)
#include "tst_supershape_document.moc"
