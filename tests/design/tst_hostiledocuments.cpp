// Card documents, companions and templates made to hurt: each is refused
// with the reader's normal error, or read into something the program can
// save again, without a crash or an endless read.

#include "app/CardClasses.h"
#include "design/CardDocument.h"
#include "design/ComponentStreamer.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"
#include "design/stream/ComponentStreamReader.h"
#include "platform/IniFile.h"
#include "platform/ScreenMetrics.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"

#include <QFile>
#include <QtTest>

namespace {

QByteArray ss(const QByteArray &text)
{
    return char(text.size()) + text;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

class TestHostileDocuments : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<TGBusinessCardPanel32> panel;
    std::unique_ptr<ScopedScriptedDialogs> dialogs;

    QString path(const QString &name) const { return folder->filePath(name); }

private slots:
    void initTestCase()
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses();
    }

    void init()
    {
        dialogs = std::make_unique<ScopedScriptedDialogs>();
        folder = std::make_unique<TempProgramFolder>();
        panel = std::make_unique<TGBusinessCardPanel32>();
        panel->SetCardSize(SheetLayout());
    }

    void cleanup()
    {
        panel.reset();
        folder.reset();
        dialogs.reset();
    }

    // Found by fuzzing: the label fitted itself to the empty caption (zero
    // wide), the base grew it back to one pixel, and so on until the stack
    // ran out.
    void symbolLabelWithAnEmptyCaptionLoads()
    {
        const QByteArray document = "\x01TPF0" + ss("TGSymbolLabel") + ss("Special1") + ss("Left")
            + QByteArray("\x02\x0a", 2) + ss("Top") + QByteArray("\x02\x0a", 2) + ss("Width")
            + QByteArray("\x02\x28", 2) + ss("Height") + QByteArray("\x02\x28", 2) + ss("Caption")
            + QByteArray("\x06\x00", 2) + QByteArray("\x00\x00\x00", 3);
        QList<TGGraphicControl *> read;
        QString error;
        QVERIFY2(ComponentStreamer::Read(document, *panel, {}, &read, &error), qPrintable(error));
        QCOMPARE(read.size(), 1);
        QVERIFY(read[0]->Width() >= 1 && read[0]->Height() >= 1);
        const QByteArray saved = ComponentStreamer::WriteContainer(panel->Objects());
        panel->RemoveAllObjects();
        QVERIFY(ComponentStreamer::Read(saved, *panel, {}, &read, &error));
    }

    // Found by fuzzing: a symbol label stored with an alignment grew on
    // every fit to its glyph, so each save of an opened card differed.
    void alignedSymbolLabelSavesTheSameTwice()
    {
        const QByteArray document = "\x01TPF0" + ss("TGSymbolLabel") + ss("Special1") + ss("Left")
            + QByteArray("\x02\x18", 2) + ss("Top") + QByteArray("\x02\x18", 2) + ss("Width")
            + QByteArray("\x02\x63", 2) + ss("Height") + QByteArray("\x02\x35", 2) + ss("Alignment")
            + "\x07" + ss("taRightJustify") + ss("Caption") + "\x06" + ss("Seed") + QByteArray("\x00\x00\x00", 3);
        QString error;
        QVERIFY2(ComponentStreamer::Read(document, *panel, {}, nullptr, &error), qPrintable(error));
        const QByteArray first = ComponentStreamer::WriteContainer(panel->Objects());
        panel->RemoveAllObjects();
        QVERIFY(ComponentStreamer::Read(first, *panel, {}, nullptr, &error));
        QCOMPARE(ComponentStreamer::WriteContainer(panel->Objects()), first);
    }

    void documentLargerThanTheLimitIsNotRead()
    {
        // A valid container padded past the limit with a long string.
        const qint64 limit = ComponentStreamReader::kMaxDocumentBytes;
        QFile file(path("huge.kvl"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(limit + 1));
        file.close();
        QString error;
        QVERIFY(!CardDocument::LoadFromFile(*panel, path("huge.kvl"), &error));
        QVERIFY2(error.contains(QStringLiteral("larger than")), qPrintable(error));
        QVERIFY(panel->Objects().isEmpty());
    }

    void documentThatIsNoPlainFileIsNotRead()
    {
        // A link to an endless device must not be read for ever.
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path("zero.kvl")));
        const CardDocument::Opened opened =
            CardDocument::OpenCardDocument(*panel, path("zero.kvl"), SheetLayoutSetting());
        QVERIFY(!opened.ok);
        QCOMPARE((**dialogs).informations(), QStringList{CardDocument::UnableToOpenMessage(path("zero.kvl"))});
    }

    void companionWithALayoutTheDialogRefusesKeepsTheCurrentLayout_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("taken");
        QTest::newRow("22-inch card") << "Height" << 22000 << true;
        QTest::newRow("card over 22 inches") << "Height" << 22001 << false;
        QTest::newRow("700 MB card") << "Width" << 2000000 << false;
        QTest::newRow("narrow card") << "Width" << 499 << false;
        QTest::newRow("30 down") << "Down" << 30 << true;
        QTest::newRow("31 down") << "Down" << 31 << false;
        QTest::newRow("11 across") << "Across" << 11 << false;
        QTest::newRow("no cards") << "Across" << 0 << false;
        QTest::newRow("negative margin") << "TopMargin" << -1 << false;
        // Overlapping cards cost nothing; older settings files hold such pitches.
        QTest::newRow("pitch below the card") << "VPitch" << 1999 << true;
        QTest::newRow("stock 26") << "PredefLayout" << 26 << false;
    }

    void companionWithALayoutTheDialogRefusesKeepsTheCurrentLayout()
    {
        QFETCH(QString, key);
        QFETCH(int, value);
        QFETCH(bool, taken);
        QVERIFY(writeFile(path("card.kvl"), QByteArray("\x01\x00", 2)));
        {
            IniFile ini(path("card.KVE"));
            ini.writeInteger(QStringLiteral("Ini Data"), QStringLiteral("ISINI"), 1);
            ini.writeInteger(QStringLiteral("Layout"), QStringLiteral("HPitch"), 22000);
            ini.writeInteger(QStringLiteral("Layout"), QStringLiteral("VPitch"), 22000);
            ini.writeInteger(QStringLiteral("Layout"), QStringLiteral("Papersize"), 9);
            ini.writeInteger(QStringLiteral("Layout"), key, value);
            QVERIFY(ini.flush());
        }
        SheetLayoutSetting current;
        current.Layout.Across = 1;
        current.Layout.Down = 4;
        const CardDocument::Opened opened = CardDocument::OpenCardDocument(*panel, path("card.kvl"), current);
        QVERIFY(opened.ok);
        QCOMPARE(opened.layout.Layout.Papersize == 9, taken);
        QCOMPARE(opened.layout == current, !taken);
        QVERIFY(panel->width() <= 22 * 96 && panel->height() <= 22 * 96);
    }

    // Found by fuzzing: the number went into a two-value setting, and the
    // card could then not be saved.
    void templateEnumerationNumberWithoutANameIsIgnored()
    {
        QVERIFY(writeFile(path("t.KVLT"), "[Label1]\nLeft=10\nTop=10\nWidth=100\nHeight=20\n"
                                          "Caption=Hello\nBorder Style=5\nAlignment=-1\n"
                                          "[Shape1]\nLeft=5\nTop=5\nWidth=50\nHeight=50\nShape=99\n"));
        QString error;
        panel->ReadTemplate(path("t.KVLT"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(panel->Objects().size(), 2);
        QString saveError;
        QVERIFY2(CardDocument::SaveToFile(*panel, path("t.kvl"), &saveError), qPrintable(saveError));
        panel->RemoveAllObjects();
        QVERIFY(CardDocument::LoadFromFile(*panel, path("t.kvl")));
        QCOMPARE(panel->Objects().size(), 2);
    }
};

QTEST_MAIN(TestHostileDocuments)
#include "tst_hostiledocuments.moc"
