// The benchmark program keeps building and running: one quick pass over the
// smallest card. No timing is judged here.
#include <QProcess>
#include <QtTest>

class TestBenchSmoke : public QObject
{
    Q_OBJECT
private slots:
    void quickRunPrintsEveryOperation()
    {
        const QString program = qEnvironmentVariable("KARVELLO_BINARY_DIR") + QStringLiteral("/karvello-bench");
        QProcess bench;
        bench.start(program, {QStringLiteral("--quick")});
        QVERIFY2(bench.waitForFinished(240000), qPrintable(bench.errorString()));
        QCOMPARE(bench.exitStatus(), QProcess::NormalExit);
        QCOMPARE(bench.exitCode(), 0);
        const QString table = QString::fromUtf8(bench.readAllStandardOutput());
        for (const char *operation : {"start-up to main window shown", "repaint whole card at 100 %",
                                      "repaint whole card at 150 %", "drag step", "save document",
                                      "open document", "print 10-up Letter sheet to PDF",
                                      "print 10-up Letter sheet to 600-dpi PNG", "peer: pdftoppm", "record preview",
                                      "recovery: snapshot on the UI thread",
                                      "peak memory"})
            QVERIFY2(table.contains(QLatin1String(operation)), operation);
        // Every timed row has a number in its median column.
        const QRegularExpression row(QStringLiteral("^repaint whole card at 100 % +10 +(\\d+\\.\\d+)"),
                                     QRegularExpression::MultilineOption);
        QVERIFY2(row.match(table).hasMatch(), qPrintable(table));
    }
};

QTEST_GUILESS_MAIN(TestBenchSmoke)
#include "tst_smoke.moc"
