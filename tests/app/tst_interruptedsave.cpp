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
#include <QElapsedTimer>
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
int writeDocumentsForever(const QString &path, int firstGeneration)
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
    for (int generation = firstGeneration;; ++generation) {
        for (int i = 0; i < Objects; ++i)
            findProperty(labels[i]->StoredProperties(), QStringLiteral("Caption"))->set(*labels[i], caption(generation, i));
        CardDocument::Companion companion;
        companion.backgroundFile = QStringLiteral("generation %1").arg(generation);
        if (!CardDocument::SaveCardDocument(panel, path, companion))
            return 1;
    }
}

int writeSettingsForever(const QString &path, int firstGeneration)
{
    std::puts("saving");
    std::fflush(stdout);
    for (int generation = firstGeneration;; ++generation) {
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
    // Starts the writer again and again and kills it at a random moment
    // after it began saving; after every kill the file must be one whole
    // save: the one before the writer started, or one the writer finished.
    // Returns how many kills came after at least one save had finished.
    int killWriterRepeatedly(const QString &mode, const QString &path,
                             const std::function<int(const QString &)> &generationOf)
    {
        int previous = -1;
        int advanced = 0;
        for (int round = 0; round < Rounds; ++round) {
            const int first = (round + 1) * 100000;
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(), {mode, path, QString::number(first)});
            if (!writer.waitForStarted() || !writer.waitForReadyRead(60000)) {
                qWarning() << "writer did not start" << writer.readAllStandardError();
                return -1;
            }
            // The first round waits for a file to exist at all.
            QElapsedTimer waited;
            waited.start();
            while (previous < 0 && !QFileInfo::exists(path) && waited.elapsed() < 60000)
                QTest::qSleep(5);
            QTest::qSleep(QRandomGenerator::global()->bounded(5, 400));
            writer.kill();
            writer.waitForFinished();
            const int generation = generationOf(path);
            const bool whole = (previous >= 0 && generation == previous)
                || (generation >= first && generation < first + 100000);
            if (!whole) {
                qWarning() << "round" << round << "left" << generation << "after" << previous;
                return -1;
            }
            advanced += generation != previous;
            previous = generation;
        }
        return advanced;
    }

private slots:
    void initTestCase() { ScreenMetrics::setOverride(96); }

    void killedDocumentSaveLeavesAWholeDocument()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("card.kvl"));
        const int advanced = killWriterRepeatedly(QStringLiteral("--write-documents"), path, documentGeneration);
        QVERIFY(advanced >= 1); // -1: a damaged file; 0: no save ever finished
        // The companion written beside it is a whole INI file too.
        QVERIFY(IniFile(CardDocument::CompanionFileName(path)).readBool(QStringLiteral("Ini Data"), QStringLiteral("ISINI"), false));
    }

    void killedSettingsWriteLeavesAWholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kvl.ini"));
        const int advanced = killWriterRepeatedly(QStringLiteral("--write-settings"), path, settingsGeneration);
        QVERIFY(advanced >= 1);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--write-documents")) {
        ScreenMetrics::setOverride(96);
        return writeDocumentsForever(args[2], args[3].toInt());
    }
    if (args.size() == 4 && args[1] == QLatin1String("--write-settings"))
        return writeSettingsForever(args[2], args[3].toInt());
    TestInterruptedSave test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_interruptedsave.moc"
