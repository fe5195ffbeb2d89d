#include "app/CardClasses.h"
#include "design/CardDocument.h"
#include "design/ComponentStreamer.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/stream/ComponentStreamReader.h"
#include "objects/TBCShapes.h"
#include "objects/TGLineShape.h"
#include "objects/TGPRichBaseLabel.h"
#include "platform/ScreenMetrics.h"
#include "support/TempProgramFolder.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QtTest>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestKarvelloTool : public QObject
{
    Q_OBJECT
private:
    TempProgramFolder folder;
    QString tool;
    QString card;

    Run run(const QStringList &arguments)
    {
        QProcess process;
        process.start(tool, arguments);
        Run result;
        if (!process.waitForFinished(120000))
            return result;
        result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

private slots:
    void initTestCase()
    {
        tool = qEnvironmentVariable("KARVELLO_BINARY_DIR") + "/karvello-tool";
        if (!QFile::exists(tool))
            QFAIL(qPrintable("karvello-tool is not built: " + tool));
        ScreenMetrics::setOverride(96);
        registerCardClasses();
        installComponentStreamer();

        TGBusinessCardPanel32 panel;
        SheetLayoutSetting layout;
        layout.Layout.Width = 3.0f;
        panel.SetCardSize(layout.Layout);
        auto *shape = new TBCShapes(&panel);
        panel.AddObject(shape);
        shape->SetName("Special1");
        shape->SetBounds(10, 20, 40, 30);
        shape->SetShape(stRoundRect);
        TBrush brush;
        brush.color = clRed;
        shape->SetBrush(brush);
        auto *line = new TGLineShape(&panel);
        panel.AddObject(line);
        line->SetName("Special2");
        line->SetBounds(5, 100, 200, 1);
        card = folder.filePath("card.kvl");
        QVERIFY(CardDocument::SaveCardDocument(panel, card, {layout, QString()}));
    }

    void infoListsEveryObjectWithItsStoredProperties()
    {
        const Run r = run({"info", card});
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split('\n');
        QCOMPARE(lines.first(), QStringLiteral("TBCShapes Special1"));
        QVERIFY(lines.contains("  Left = 10"));
        QVERIFY(lines.contains("  Shape = stRoundRect"));
        QVERIFY(lines.contains("  Brush.Color = clRed"));
        const int gap = int(lines.indexOf(QString()));
        QVERIFY(gap > 0);
        QCOMPARE(lines.at(gap + 1), QStringLiteral("TGLineShape Special2"));
        QVERIFY(lines.indexOf("  Top = 100") > gap);
    }

    void renderWritesTheCardAtFullSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("png") << "card.png";
        QTest::newRow("bmp") << "card.BMP";
        QTest::newRow("jpg") << "card.jpg";
    }
    void renderWritesTheCardAtFullSize()
    {
        QFETCH(QString, name);
        const QString out = folder.filePath(name);
        const Run r = run({"render", card, out});
        QCOMPARE(r.status, 0);
        const QImage image(out);
        QCOMPARE(image.size(), QSize(288, 192)); // 3.0 x 2.0 inches from the companion
        const QColor inside = image.pixelColor(30, 35);
        QVERIFY2(inside.red() > 200 && inside.green() < 60, qPrintable(inside.name()));
        const QColor outside = image.pixelColor(280, 10);
        QVERIFY(outside.red() > 200 && outside.green() > 200 && outside.blue() > 200);
    }

    void richTextRendersAndResavesItsBytes()
    {
        const QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                               "\\pard\\f0\\fs48\\cf1\\b RED\\par }";
        TGBusinessCardPanel32 panel;
        SheetLayoutSetting layout;
        panel.SetCardSize(layout.Layout);
        auto *text = new TGPRichBaseLabel(&panel);
        panel.AddObject(text);
        text->SetName("Special1");
        text->SetBounds(10, 10, 150, 60);
        text->SetRTFText(TRichText::fromRtf(rtf));
        const QString rich = folder.filePath("rich.kvl");
        QVERIFY(CardDocument::SaveCardDocument(panel, rich, {layout, QString()}));

        const QString out = folder.filePath("rich.png");
        const Run r = run({"render", rich, out});
        QCOMPARE(r.status, 0);
        QVERIFY2(!r.err.contains("No master"), qPrintable(r.err));
        const QImage image(out);
        int red = 0;
        for (int y = 10; y < 70; ++y)
            for (int x = 10; x < 160; ++x) {
                const QColor c = image.pixelColor(x, y);
                red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
            }
        QVERIFY2(red > 50, qPrintable(QString::number(red)));

        const QString copy = folder.filePath("rich-copy.kvl");
        QCOMPARE(run({"resave", rich, copy}).status, 0);
        const auto after = ComponentStreamReader::readContainer(readFile(copy));
        QCOMPARE(after.size(), size_t(1));
        QCOMPARE(after[0].find("RTFText.Data")->toBinary(), rtf);
    }

    void renderRefusesAnUnknownPictureType()
    {
        const Run r = run({"render", card, folder.filePath("card.tiff")});
        QVERIFY(r.status != 0);
        QVERIFY(!QFile::exists(folder.filePath("card.tiff")));
    }

    void resaveWritesTheSameCardAndCompanion()
    {
        const QString copy = folder.filePath("copy.kvl");
        const Run r = run({"resave", card, copy});
        QCOMPARE(r.status, 0);
        QCOMPARE(readFile(folder.filePath("copy.KVE")), readFile(folder.filePath("card.KVE")));
        const auto before = ComponentStreamReader::readContainer(readFile(card));
        const auto after = ComponentStreamReader::readContainer(readFile(copy));
        QCOMPARE(after.size(), before.size());
        for (size_t i = 0; i < before.size(); ++i) {
            QCOMPARE(after[i].className, before[i].className);
            QCOMPARE(after[i].name, QStringLiteral("Component%1").arg(i)); // read objects are renamed
            QVERIFY(after[i].properties == before[i].properties);
        }
    }

    void damagedFileFailsWithAMessage_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("info") << "info";
        QTest::newRow("render") << "render";
        QTest::newRow("resave") << "resave";
    }
    void damagedFileFailsWithAMessage()
    {
        QFETCH(QString, command);
        const QString damaged = folder.filePath("damaged.kvl");
        QVERIFY(folder.writeFile("damaged.kvl", readFile(card).chopped(3)));
        QStringList arguments{command, damaged};
        if (command != "info")
            arguments << folder.filePath(command == "render" ? "damaged.png" : "out.kvl");
        const Run r = run(arguments);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("Unable to open " + damaged), qPrintable(r.err));
        QVERIFY(!QFile::exists(folder.filePath("damaged.png")));
        QVERIFY(!QFile::exists(folder.filePath("out.kvl")));
    }

    void missingFileFails()
    {
        const Run r = run({"render", folder.filePath("nothing.kvl"), folder.filePath("x.png")});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains("nothing.kvl"));
    }

    // Text too long for its box is named on stderr when a template is read
    // and before a card is printed; the job still runs.
    void textThatDoesNotFitIsNamedBeforeItIsCutOff()
    {
        const QByteArray label = "[Label1]\r\nType=psLabel\r\nCaption=Northwind Landscape Architecture\r\n"
                                 "Left=270\r\nTop=20\r\nWidth=120\r\nHeight=20\r\nFont Name=Arial\r\n"
                                 "Font Size=10\r\n";
        QVERIFY(folder.writeFile("long.KVLT", label));
        const QString made = folder.filePath("long.kvl");
        Run r = run({"template", folder.filePath("long.KVLT"), made});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.contains("\"Northwind Landscape Architecture\" (Special1) runs past its box and off the card"),
                 qPrintable(r.err));

        r = run({"print", made, folder.filePath("long.pdf")});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.contains("\"Northwind Landscape Architecture\""), qPrintable(r.err));
        QVERIFY(QFile::exists(folder.filePath("long.pdf")));

        QVERIFY(folder.writeFile("short.KVLT", QByteArray(label).replace("Left=270", "Left=20")
                                                   .replace("Width=120", "Width=300")));
        r = run({"template", folder.filePath("short.KVLT"), folder.filePath("short.kvl")});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    }

    void badArgumentsShowUsage()
    {
        for (const QStringList &arguments : {QStringList(), QStringList{"info"}, QStringList{"paint", card}}) {
            const Run r = run(arguments);
            QCOMPARE(r.status, 2);
            QVERIFY(r.err.contains("usage: karvello-tool"));
        }
    }
};

QTEST_MAIN(TestKarvelloTool)
#include "tst_karvellotool.moc"
