#include "app/TSingleInstance.h"

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

private:
    QProcess *startProgram();
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
    // The runtime folder decides which copies see each other.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    const QString built = qEnvironmentVariable("KARVELLO_BINARY_DIR") + "/karvello";
    if (!QFileInfo::exists(built))
        QSKIP("the karvello program has not been built");
    // A copy of the program keeps its settings and folders out of the build tree.
    m_program = m_programFolder.filePath("karvello");
    QVERIFY(QFile::copy(built, m_program));
}

void TestSingleInstance::init()
{
    // Each case starts from a runtime folder without the program's files.
    QFile::remove(TSingleInstance::LockFilePath("karvello"));
    QFile::remove(TSingleInstance::ServerPath("karvello"));
}

QProcess *TestSingleInstance::startProgram()
{
    auto *program = new QProcess(this);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", m_runtime.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program->setProcessEnvironment(env);
    program->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program->start(m_program, {});
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

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
