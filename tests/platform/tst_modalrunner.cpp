// The modal run and the Help hook of platform/UserDialogs, and the test
// helpers built on them.
#include "platform/UserDialogs.h"
#include "support/ScriptedDialogs.h"

#include <QDialog>
#include <QInputDialog>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// Closes `dialog` with `result` once its event loop runs, noting whether it
// was on screen by then.
void closeWhenShown(QDialog &dialog, int result, bool &wasVisible)
{
    QTimer::singleShot(0, &dialog, [&dialog, result, &wasVisible] {
        wasVisible = dialog.isVisible();
        dialog.done(result);
    });
}

} // namespace

class TestModalRunner : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        UserDialogs::setModalRunner({});
        UserDialogs::setHelpHandler({});
    }

    void withoutARunnerTheDialogIsShownModally()
    {
        QDialog dialog;
        bool wasVisible = false;
        closeWhenShown(dialog, 7, wasVisible);
        QCOMPARE(UserDialogs::runModal(dialog), 7);
        QVERIFY(wasVisible);
    }

    void runnerReplacesTheModalRunUntilRemoved()
    {
        QDialog dialog;
        QDialog *seen = nullptr;
        QVERIFY(!UserDialogs::setModalRunner([&seen](QDialog &d) {
            seen = &d;
            return 5;
        }));
        QCOMPARE(UserDialogs::runModal(dialog), 5);
        QCOMPARE(seen, &dialog);
        QVERIFY(!dialog.isVisible());

        // Replacing hands back the runner in force, still working.
        auto first = UserDialogs::setModalRunner([](QDialog &) { return 6; });
        QVERIFY(first);
        QCOMPARE(UserDialogs::runModal(dialog), 6);
        seen = nullptr;
        QCOMPARE(first(dialog), 5);
        QCOMPARE(seen, &dialog);

        // An empty runner brings exec() back.
        QVERIFY(UserDialogs::setModalRunner({}));
        bool wasVisible = false;
        closeWhenShown(dialog, 8, wasVisible);
        QCOMPARE(UserDialogs::runModal(dialog), 8);
        QVERIFY(wasVisible);
    }

    void runnerThatReplacesItselfFinishesItsRun()
    {
        // A nested dialog's script installed from inside a runner must not
        // destroy the runner that is still running.
        auto state = std::make_shared<QString>(QStringLiteral("outer"));
        QString innerSaw;
        UserDialogs::setModalRunner([state, &innerSaw](QDialog &) {
            UserDialogs::setModalRunner([&innerSaw](QDialog &d) {
                innerSaw = d.objectName();
                return 2;
            });
            QDialog nested;
            nested.setObjectName(QStringLiteral("nested"));
            const int nestedResult = UserDialogs::runModal(nested);
            return *state == QStringLiteral("outer") ? 10 + nestedResult : -1;
        });
        QDialog dialog;
        QCOMPARE(UserDialogs::runModal(dialog), 12);
        QCOMPARE(innerSaw, QStringLiteral("nested"));
        QCOMPARE(state.use_count(), 1); // the outer runner is gone after its run
        QCOMPARE(UserDialogs::runModal(dialog), 2);
    }

    void scopedRunnerRestoresTheRunnerBeforeIt()
    {
        QDialog dialog;
        const ScopedModalRunner outer([](QDialog &) { return 1; });
        {
            const ScopedModalRunner inner([](QDialog &) { return 2; });
            QCOMPARE(UserDialogs::runModal(dialog), 2);
        }
        QCOMPARE(UserDialogs::runModal(dialog), 1);
    }

    void typedRunnerCancelsDialogsOfOtherClasses()
    {
        int worked = 0;
        const ScopedModalRunner runner(modalRunnerFor<QInputDialog>([&worked](QInputDialog &input) {
            ++worked;
            input.setTextValue(QStringLiteral("typed"));
            return int(QDialog::Accepted);
        }));
        QInputDialog input;
        QCOMPARE(UserDialogs::runModal(input), int(QDialog::Accepted));
        QCOMPARE(input.textValue(), QStringLiteral("typed"));

        QDialog other;
        QEXPECT_FAIL("", "a dialog the runner does not expect fails the test", Continue);
        const int result = UserDialogs::runModal(other);
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(worked, 1);
    }

    void helpGoesToTheInstalledHandlerOnly()
    {
        UserDialogs::showHelp(2020); // nothing installed: nothing happens

        QList<int> topics;
        QVERIFY(!UserDialogs::setHelpHandler([&topics](int topic) { topics << topic; }));
        UserDialogs::showHelp(2020);
        UserDialogs::showHelp(2105);
        QCOMPARE(topics, (QList<int>{2020, 2105}));

        auto previous = UserDialogs::setHelpHandler({});
        QVERIFY(previous);
        UserDialogs::showHelp(2039);
        QCOMPARE(topics.size(), 2);
        previous(2039);
        QCOMPARE(topics.last(), 2039);
    }
};

QTEST_MAIN(TestModalRunner)
#include "tst_modalrunner.moc"
