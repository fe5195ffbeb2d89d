#include "app/CardClasses.h"
#include "app/TSingleInstance.h"
#include "design/CardDocument.h"
#include "design/ComponentStreamer.h"
#include "design/TGBusinessCardPanel32.h"
#include "objects/TBCShapes.h"
#include "platform/AppRoutines.h"
#include "platform/IniFile.h"
#include "support/ProgramCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

// Starts copies of the real program, each from a private program folder and
// with a private runtime folder, and checks how they meet.
class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void secondInstanceRaisesTheFirstAndEnds();
    void copyThatCrashedDoesNotBlockTheNextStart();
    void staleLockInTheRuntimeFolderIsTakenOver();
    void liveLockIsRespected();
    void firstCopyOpensTheDocumentItWasGiven();
    void secondCopyHandsItsDocumentToTheFirst();
    void handingOverACardsBackOpensTheWholeCard();

private:
    QProcess *startProgram(const QStringList &arguments = {}, const QString &workingFolder = {});
    QString saveCard(const QString &name);
    QString recentFile();
    bool waitForRecentFile(const QString &path);
    bool waitUntilListening(QProcess &program);
    void stop(QProcess &program);

    QTemporaryDir m_runtime;
    QTemporaryDir m_programFolder;
    QString m_program;
};

void TestSingleInstance::initTestCase()
{
    QVERIFY(m_runtime.isValid());
    QVERIFY(m_programFolder.isValid());
    bool built = false;
    m_program = ProgramCopy::Make(m_programFolder.path(), m_runtime.path(), &built);
    if (!built)
        QSKIP("the karvello program has not been built");
    QVERIFY(!m_program.isEmpty());
    registerCardClasses();
    installComponentStreamer();
}

QString TestSingleInstance::saveCard(const QString &name)
{
    // A card with one rectangle, saved where the programs keep documents.
    setProgramFolderOverride(m_programFolder.path());
    TGBusinessCardPanel32 panel;
    auto *shape = new TBCShapes(&panel);
    panel.AddObject(shape);
    shape->SetName(QStringLiteral("Component0"));
    shape->SetBounds(QRect(10, 10, 40, 20));
    shape->Loaded();
    const QString path = m_programFolder.filePath("saved/" + name);
    QDir().mkpath(m_programFolder.filePath("saved"));
    QString error;
    if (!CardDocument::SaveCardDocument(panel, path, {SheetLayoutSetting(), QString()}, &error))
        qWarning() << error;
    setProgramFolderOverride(QString());
    return path;
}

QString TestSingleInstance::recentFile()
{
    // Opening a document puts it first in the recent-files list.
    return IniFile(m_programFolder.filePath("kvl.ini")).readString("MRU", "F0", QString());
}

bool TestSingleInstance::waitForRecentFile(const QString &path)
{
    for (int i = 0; i < 200; ++i) {
        if (recentFile() == path)
            return true;
        QTest::qWait(50);
    }
    qWarning() << "recent file" << recentFile() << "expected" << path;
    return false;
}

void TestSingleInstance::init()
{
    // Each case starts from a runtime folder without the program's files.
    QFile::remove(TSingleInstance::LockFilePath("karvello"));
    QFile::remove(TSingleInstance::ServerPath("karvello"));
}

QProcess *TestSingleInstance::startProgram(const QStringList &arguments, const QString &workingFolder)
{
    auto *program = new QProcess(this);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", m_runtime.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program->setProcessEnvironment(env);
    program->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (!workingFolder.isEmpty())
        program->setWorkingDirectory(workingFolder);
    program->start(m_program, arguments);
    return program;
}

bool TestSingleInstance::waitUntilListening(QProcess &program)
{
    if (!program.waitForStarted(10000))
        return false;
    const QString socket = TSingleInstance::ServerPath("karvello");
    for (int i = 0; i < 200; ++i) {
        if (QFileInfo::exists(socket) && program.state() == QProcess::Running)
            return true;
        QTest::qWait(50);
    }
    return false;
}

void TestSingleInstance::stop(QProcess &program)
{
    program.kill();
    program.waitForFinished(10000);
}

void TestSingleInstance::secondInstanceRaisesTheFirstAndEnds()
{
    QProcess *first = startProgram();
    QVERIFY(waitUntilListening(*first));
    QProcess *second = startProgram();
    QVERIFY(second->waitForFinished(20000));
    // Exit code 0 only after the first copy answered that it came forward.
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);
    stop(*first);
}

void TestSingleInstance::copyThatCrashedDoesNotBlockTheNextStart()
{
    QProcess *crashed = startProgram();
    QVERIFY(waitUntilListening(*crashed));
    stop(*crashed); // killed: lock file and socket stay behind
    QVERIFY(QFileInfo::exists(TSingleInstance::LockFilePath("karvello")));

    QProcess *next = startProgram();
    QVERIFY(next->waitForStarted(10000));
    QTest::qWait(1500);
    QCOMPARE(next->state(), QProcess::Running);
    QProcess *another = startProgram();
    QVERIFY(another->waitForFinished(20000));
    QCOMPARE(another->exitCode(), 0);
    QCOMPARE(next->state(), QProcess::Running);
    stop(*next);
}

void TestSingleInstance::staleLockInTheRuntimeFolderIsTakenOver()
{
    const QString name = QStringLiteral("karvello-test-stale");
    QFile lock(TSingleInstance::LockFilePath(name));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    // A process number no running process has.
    lock.write("2147483646\nkarvello\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    QFile socket(TSingleInstance::ServerPath(name));
    QVERIFY(socket.open(QIODevice::WriteOnly));
    socket.close();

    TSingleInstance instance(name);
    QVERIFY(instance.TryBecomeFirst());
    QVERIFY(instance.IsListening());
}

void TestSingleInstance::liveLockIsRespected()
{
    const QString name = QStringLiteral("karvello-test-live");
    TSingleInstance first(name);
    QVERIFY(first.TryBecomeFirst());
    TSingleInstance second(name);
    QVERIFY(!second.TryBecomeFirst());
    QVERIFY(!second.IsListening());
}

void TestSingleInstance::firstCopyOpensTheDocumentItWasGiven()
{
    QFile::remove(m_programFolder.filePath("kvl.ini"));
    const QString card = saveCard(QStringLiteral("First Card.kvl"));
    QVERIFY(QFileInfo::exists(card));
    QProcess *first = startProgram({card});
    QVERIFY(waitUntilListening(*first));
    QVERIFY(waitForRecentFile(card));
    stop(*first);
}

void TestSingleInstance::secondCopyHandsItsDocumentToTheFirst()
{
    QFile::remove(m_programFolder.filePath("kvl.ini"));
    const QString card = saveCard(QStringLiteral("Handed Over.KVL"));
    QProcess *first = startProgram();
    QVERIFY(waitUntilListening(*first));
    QTest::qWait(500); // the first copy's start-up has run
    QVERIFY(recentFile() != card);

    // Named relative to the second copy's own working folder.
    QProcess *second = startProgram({QStringLiteral("Handed Over.KVL")}, m_programFolder.filePath("saved"));
    QVERIFY(second->waitForFinished(20000));
    QCOMPARE(second->exitCode(), 0);
    QVERIFY(waitForRecentFile(card));
    QCOMPARE(first->state(), QProcess::Running);
    stop(*first);
}

void TestSingleInstance::handingOverACardsBackOpensTheWholeCard()
{
    QFile::remove(m_programFolder.filePath("kvl.ini"));
    const QString card = saveCard(QStringLiteral("Pair.KVL"));
    const QString back = saveCard(QStringLiteral("pair.back.kvl"));
    QProcess *first = startProgram();
    QVERIFY(waitUntilListening(*first));
    QTest::qWait(500);

    // The back named on its own stands for its card, front first.
    QProcess *second = startProgram({back});
    QVERIFY(second->waitForFinished(20000));
    QCOMPARE(second->exitCode(), 0);
    QVERIFY(waitForRecentFile(card));
    stop(*first);
}

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
