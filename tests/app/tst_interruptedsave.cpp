// A save killed halfway never harms the previous file. The test runs its
// own executable as a writer that saves a large card document (or the
// settings file) over and over, kills it with SIGKILL at random moments,
// and each time checks that the file on disk is one whole save.

#include "app/CardClasses.h"
#include "design/CardDocument.h"
#include "design/ComponentStreamer.h"
#include "design/Properties.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"
#include "design/stream/ComponentStreamReader.h"
#include "design/stream/StreamError.h"
#include "platform/IniFile.h"
#include "platform/PlainFile.h"
#include "platform/ScreenMetrics.h"

#include <QApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

namespace {

constexpr int Objects = 900;     // a large card: about 2 MB
constexpr int CaptionLength = 2000;
constexpr int SettingsKeys = 4000;
constexpr int Rounds = 25;

QString caption(int generation, int object)
{
    return QStringLiteral("generation %1 object %2 ").arg(generation).arg(object).leftJustified(CaptionLength, u'.');
}

// The writer: saves one generation after another until it is killed.
int writeDocumentsForever(const QString &path)
{
    registerCardClasses();
    TGBusinessCardPanel32 panel;
    panel.SetCardSize(SheetLayout());
    QList<TGGraphicControl *> labels;
    for (int i = 0; i < Objects; ++i) {
        TGGraphicControl *label = TGClassRegistry::find(QStringLiteral("TGBusinessCardLabel"))->create(&panel);
        panel.AddObject(label);
        label->SetName(panel.UniqueName(QStringLiteral("Special"), 1));
        label->SetBounds(QRect(10, 10, 100, 20));
        labels << label;
    }
    std::puts("saving");
    std::fflush(stdout);
    for (int generation = 1;; ++generation) {
        for (int i = 0; i < Objects; ++i)
            findProperty(labels[i]->StoredProperties(), QStringLiteral("Caption"))->set(*labels[i], caption(generation, i));
        CardDocument::Companion companion;
        companion.backgroundFile = QStringLiteral("generation %1").arg(generation);
        if (!CardDocument::SaveCardDocument(panel, path, companion))
            return 1;
    }
}

int writeSettingsForever(const QString &path)
{
    std::puts("saving");
    std::fflush(stdout);
    for (int generation = 1;; ++generation) {
        IniFile ini(path);
        for (int i = 0; i < SettingsKeys; ++i)
            ini.writeString(QStringLiteral("Section%1").arg(i % 40), QStringLiteral("Key%1").arg(i),
                            QStringLiteral("generation %1").arg(generation));
        if (!ini.flush())
            return 1;
    }
}

// The generation a whole document holds, or -1.
int documentGeneration(const QString &path)
{
    QByteArray bytes;
    if (!PlainFile::read(path, ComponentStreamReader::kMaxDocumentBytes, bytes))
        return -1;
    try {
        const std::vector<StreamRecord> records = ComponentStreamReader::readContainer(bytes);
        if (records.size() != size_t(Objects))
            return -1;
        int generation = -1;
        for (int i = 0; i < Objects; ++i) {
            for (const auto &[name, value] : records[size_t(i)].properties) {
                if (name != QLatin1String("Caption"))
                    continue;
                const int g = value.toText().section(u' ', 1, 1).toInt();
                if (value.toText() != caption(g, i) || (generation >= 0 && g != generation))
                    return -1;
                generation = g;
            }
        }
        return generation;
    } catch (const StreamError &) {
        return -1;
    }
}

int settingsGeneration(const QString &path)
{
    const IniFile ini(path);
    const QString first = ini.readString(QStringLiteral("Section0"), QStringLiteral("Key0"));
    for (int i = 0; i < SettingsKeys; ++i)
        if (ini.readString(QStringLiteral("Section%1").arg(i % 40), QStringLiteral("Key%1").arg(i)) != first)
            return -1;
    return first.section(u' ', 1, 1).toInt();
}

} // namespace

class TestInterruptedSave : public QObject
{
    Q_OBJECT
private:
    // Starts the writer, kills it at random moments after it began saving,
    // and checks the file after every kill. Returns the generations seen.
    QList<int> killWriterRepeatedly(const QString &mode, const QString &path,
                                    const std::function<int(const QString &)> &generationOf)
    {
        QList<int> seen;
        for (int round = 0; round < Rounds; ++round) {
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(), {mode, path});
            if (!writer.waitForStarted() || !writer.waitForReadyRead(60000)) {
                qWarning() << "writer did not start" << writer.readAllStandardError();
                return {};
            }
            QTest::qSleep(QRandomGenerator::global()->bounded(10, 400));
            writer.kill();
            writer.waitForFinished();
            const int generation = generationOf(path);
            if (generation < 0 || !QFileInfo(path).isFile()) {
                qWarning() << "round" << round << "left a damaged file";
                return {};
            }
            seen << generation;
        }
        return seen;
    }

private slots:
    void initTestCase() { ScreenMetrics::setOverride(96); }

    void killedDocumentSaveLeavesAWholeDocument()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("card.kvl"));
        const QList<int> seen = killWriterRepeatedly(QStringLiteral("--write-documents"), path, documentGeneration);
        QCOMPARE(seen.size(), Rounds);
        // The companion written beside it is a whole INI file too.
        QVERIFY(IniFile(CardDocument::CompanionFileName(path)).readBool(QStringLiteral("Ini Data"), QStringLiteral("ISINI"), false));
        // Some kills came after a save had replaced the file.
        QVERIFY(*std::max_element(seen.begin(), seen.end()) > 1);
    }

    void killedSettingsWriteLeavesAWholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kvl.ini"));
        const QList<int> seen = killWriterRepeatedly(QStringLiteral("--write-settings"), path, settingsGeneration);
        QCOMPARE(seen.size(), Rounds);
        QVERIFY(*std::max_element(seen.begin(), seen.end()) > 1);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--write-documents")) {
        ScreenMetrics::setOverride(96);
        return writeDocumentsForever(args[2]);
    }
    if (args.size() == 3 && args[1] == QLatin1String("--write-settings"))
        return writeSettingsForever(args[2]);
    TestInterruptedSave test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_interruptedsave.moc"
