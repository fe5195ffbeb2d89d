#include "app/CardClasses.h"
#include "design/CardDocument.h"
#include "design/CardSides.h"
#include "design/ComponentStreamer.h"
#include "design/RecoveryCopy.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"
#include "design/stream/ComponentStreamReader.h"
#include "support/ProgramCopy.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The real program as a child process, changed through its test hooks
// (standard input) and ended the hard way: every kill leaves a recovery
// copy that opens, the next start offers it, and "Recover" brings the
// changes back.
class TestRecoveryKill : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void killedAtRandomMomentsTheCardComesBack();
    void sessionEndWritesTheCopyBeforeTheProgramEnds_data();
    void sessionEndWritesTheCopyBeforeTheProgramEnds();

private:
    // Both sides as the hooks report them: "L,T,W,H;..." at zoom 1, "-" for no back.
    struct Card {
        QByteArray front, back;
        bool operator==(const Card &other) const = default;
        QByteArray text() const { return "front=" + front + " back=" + back; }
    };
    static Card cardOf(const QByteArray &state);
    static QByteArray boundsOf(const QByteArray &container);

    void writeInterval(int seconds);
    QProcess *start();
    QByteArray ask(QProcess &program, const QByteArray &command);
    QByteArray waitForDialog(QProcess &program);
    QByteArray waitForNoDialog(QProcess &program);
    // The state once the card recovered is on screen.
    QByteArray waitForRecovered(QProcess &program);
    void kill(QProcess &program);
    // The copies no running program owns.
    QStringList copies() const;
    // The copy in `folder` opened as "Open" opens a card; false when it does not.
    bool openCopy(const QString &folder, Card *card, QString *error);

    QTemporaryDir m_runtime;
    QTemporaryDir m_programFolder;
    QString m_program;
    TempProgramFolder m_ownFolder; // this process's clipboard file
};

TestRecoveryKill::Card TestRecoveryKill::cardOf(const QByteArray &state)
{
    Card card;
    for (const QByteArray &field : state.split(' ')) {
        if (field.startsWith("front="))
            card.front = field.mid(6);
        else if (field.startsWith("back="))
            card.back = field.mid(5);
    }
    return card;
}

QByteArray TestRecoveryKill::boundsOf(const QByteArray &container)
{
    QByteArrayList list;
    for (const StreamRecord &record : ComponentStreamReader::readContainer(container)) {
        QByteArrayList values;
        for (const char *name : {"Left", "Top", "Width", "Height"})
            values << QByteArray::number(record.find(QString::fromLatin1(name))->toInteger());
        list << values.join(',');
    }
    return list.join(';');
}

void TestRecoveryKill::initTestCase()
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

void TestRecoveryKill::init()
{
    // A case that failed may have left its program running.
    for (QProcess *program : findChildren<QProcess *>()) {
        program->kill();
        program->waitForFinished(10000);
        delete program;
    }
    QDir(m_programFolder.filePath("recovery")).removeRecursively();
}

void TestRecoveryKill::writeInterval(int seconds)
{
    QFile ini(m_programFolder.filePath("kvl.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write("[Recovery]\nInterval=" + QByteArray::number(seconds) + "\n");
}

QProcess *TestRecoveryKill::start()
{
    auto *program = new QProcess(this);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", m_runtime.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KARVELLO_TEST_HOOKS", "1");
    program->setProcessEnvironment(env);
    program->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program->start(m_program, {});
    program->waitForStarted(10000);
    return program;
}

QByteArray TestRecoveryKill::ask(QProcess &program, const QByteArray &command)
{
    program.write(command + '\n');
    while (!program.canReadLine()) {
        if (!program.waitForReadyRead(15000))
            return "no answer to " + command;
    }
    return program.readLine().trimmed();
}

QByteArray TestRecoveryKill::waitForDialog(QProcess &program)
{
    QByteArray dialog;
    for (int i = 0; i < 200; ++i) {
        dialog = ask(program, "dialog");
        if (dialog != "dialog none")
            return dialog;
        QTest::qWait(25);
    }
    return dialog;
}

QByteArray TestRecoveryKill::waitForNoDialog(QProcess &program)
{
    QByteArray dialog;
    for (int i = 0; i < 200 && (dialog = ask(program, "dialog")) != "dialog none"; ++i)
        QTest::qWait(25);
    return dialog;
}

QByteArray TestRecoveryKill::waitForRecovered(QProcess &program)
{
    QByteArray state;
    for (int i = 0; i < 200; ++i) {
        state = ask(program, "state");
        if (state.endsWith("(recovered)"))
            break;
        QTest::qWait(25);
    }
    return state;
}

void TestRecoveryKill::kill(QProcess &program)
{
    program.kill(); // SIGKILL: nothing of the program runs any more
    program.waitForFinished(10000);
    program.deleteLater();
}

QStringList TestRecoveryKill::copies() const
{
    QStringList found;
    const QDir root(m_programFolder.filePath("recovery"));
    for (const QString &name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (name != "damaged" && RecoveryCopy::Read(root.filePath(name)).exists)
            found << root.filePath(name);
    }
    return found;
}

bool TestRecoveryKill::openCopy(const QString &folder, Card *card, QString *error)
{
    const RecoveryCopy::Found copy = RecoveryCopy::Read(folder);
    if (!copy.ok) {
        *error = copy.error;
        return false;
    }
    ScopedScriptedDialogs dialogs;
    TGBusinessCardPanel32 panel;
    if (!CardDocument::OpenCardDocument(panel, copy.front, SheetLayoutSetting()).ok) {
        *error = dialogs->texts().join(' ');
        return false;
    }
    CardSides sides;
    if (!sides.OpenBack(copy.front, error))
        return false;
    QByteArray front;
    if (!CardDocument::ObjectsAtZoomOne(panel, &front, error))
        return false;
    card->front = boundsOf(front);
    card->back = !sides.HasBack ? QByteArray("-")
        : sides.HiddenObjects.isEmpty() ? QByteArray() : boundsOf(sides.HiddenObjects);
    return true;
}

void TestRecoveryKill::killedAtRandomMomentsTheCardComesBack()
{
    writeInterval(1);
    const quint32 seed = 20261209;
    QRandomGenerator random(seed);
    constexpr int Kills = 25;
    QList<Card> states; // what the card went through since the copy last recovered
    Card recovered;
    int grew = 0; // kills after which a change made since the last start came back
    for (int round = 0; round <= Kills; ++round) {
        const QByteArray where = QByteArray("seed ") + QByteArray::number(seed) + ", round "
            + QByteArray::number(round) + ": ";
        QProcess *program = start();
        if (round == 0) {
            states = {cardOf(ask(*program, "state"))};
            states << cardOf(ask(*program, "add"));
            // The first copy, to start from.
            QStringList found;
            for (int i = 0; i < 100 && (found = copies()).isEmpty(); ++i)
                QTest::qWait(50);
            QVERIFY2(found.size() == 1, where + "no copy after the first change");
            states.removeFirst();
        } else {
            const QByteArray dialog = waitForDialog(*program);
            QVERIFY2(dialog.startsWith("dialog Recover Card|") && dialog.contains("|Untitled|"),
                     where + dialog);
            if (round < Kills && random.bounded(6) == 0) {
                // Killed while it asks: the copy is offered again.
                kill(*program);
                QVERIFY2(copies().size() == 1, where + "the copy offered went");
                continue;
            }
            QVERIFY2(ask(*program, "press Recover") == "pressed", where + "no Recover button");
            const QByteArray state = waitForRecovered(*program);
            QVERIFY2(cardOf(state) == recovered, where + state + " expected " + recovered.text());
            QVERIFY2(state.contains(" 1 front=") && state.endsWith("(recovered)"), where + state);
            states = {recovered};
        }
        if (round == Kills) {
            // A clean end leaves no copy.
            QVERIFY2(ask(*program, "close") == "closing", where);
            QVERIFY2(waitForDialog(*program).startsWith("dialog Save|Save changes?"), where);
            QVERIFY2(ask(*program, "press No") == "pressed", where);
            QVERIFY2(program->waitForFinished(10000) && program->exitCode() == 0, where + "no clean end");
            QVERIFY2(copies().isEmpty(), where + copies().join(' ').toUtf8());
            break;
        }
        const int actions = 1 + int(random.bounded(3));
        for (int a = 0; a < actions; ++a) {
            QTest::qWait(int(random.bounded(300)));
            const Card &now = states.constLast();
            const quint32 pick = random.bounded(5);
            QByteArray command = "add";
            if (pick == 0 && now.back == "-")
                command = "back";
            else if (pick == 1 && now.back != "-")
                command = random.bounded(2) ? "side back" : "side front";
            states << cardOf(ask(*program, command));
        }
        QTest::qWait(int(random.bounded(1600)));
        kill(*program);

        const QStringList found = copies();
        QVERIFY2(found.size() == 1, where + found.join(' ').toUtf8());
        QString error;
        QVERIFY2(openCopy(found.constFirst(), &recovered, &error), where + error.toUtf8());
        QVERIFY2(states.contains(recovered), where + "the copy holds " + recovered.text()
                                                  + ", a card it never was");
        if (!(recovered == states.constFirst()))
            ++grew;
    }
    // Kills came late enough after a change often enough for the changes to count.
    QVERIFY2(grew >= 3, QByteArray::number(grew));
}

void TestRecoveryKill::sessionEndWritesTheCopyBeforeTheProgramEnds_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("asking");
    QTest::newRow("SIGTERM") << int(SIGTERM) << false;
    QTest::newRow("SIGHUP") << int(SIGHUP) << false;
    QTest::newRow("SIGTERM while asking") << int(SIGTERM) << true;
}

void TestRecoveryKill::sessionEndWritesTheCopyBeforeTheProgramEnds()
{
    QFETCH(int, signalNumber);
    // Long enough that only the session's end can have written it.
    writeInterval(600);
    QProcess *program = start();
    ask(*program, "add");
    ask(*program, "back");
    const Card changed = cardOf(ask(*program, "add"));
    QVERIFY(copies().isEmpty());
    QFETCH(bool, asking);
    if (asking) {
        // The session ends while "Save changes?" waits for an answer.
        QCOMPARE(ask(*program, "close"), QByteArray("closing"));
        QVERIFY(waitForDialog(*program).startsWith("dialog Save|Save changes?"));
    }
    QVERIFY(program->processId() > 0);
    ::kill(pid_t(program->processId()), signalNumber);
    QVERIFY(program->waitForFinished(10000));
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program->exitCode(), 0);
    const QStringList found = copies();
    QCOMPARE(found.size(), 1);
    Card copy;
    QString error;
    QVERIFY2(openCopy(found.constFirst(), &copy, &error), qPrintable(error));
    QCOMPARE(copy.text(), changed.text());
    delete program;

    // "Discard" at the next start deletes it, and the start goes on with a new card.
    program = start();
    QVERIFY(waitForDialog(*program).startsWith("dialog Recover Card|"));
    QCOMPARE(ask(*program, "press Discard"), QByteArray("pressed"));
    QCOMPARE(waitForNoDialog(*program), QByteArray("dialog none"));
    const QByteArray state = ask(*program, "state");
    QCOMPARE(cardOf(state).text(), QByteArray("front= back=-"));
    QVERIFY(copies().isEmpty());
    QCOMPARE(ask(*program, "close"), QByteArray("closing"));
    QVERIFY(program->waitForFinished(10000));
    QVERIFY(QDir(m_programFolder.filePath("recovery")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
    delete program;
}

QTEST_MAIN(TestRecoveryKill)
#include "tst_recoverykill.moc"
