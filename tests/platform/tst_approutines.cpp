#include "platform/AppRoutines.h"

#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {
// Set by main() before the application object exists.
bool cursorCallsBeforeApplicationWereHarmless = false;
} // namespace

class TestAppRoutines : public QObject
{
    Q_OBJECT
private slots:
    void programFolderEndsWithASlash()
    {
        TempProgramFolder folder;
        QVERIFY(folder.isValid());
        QVERIFY(ProgramFolder().endsWith('/'));
        QCOMPARE(QFileInfo(ProgramFolder()).canonicalFilePath(),
                 QFileInfo(folder.path()).canonicalFilePath());
        setProgramFolderOverride(folder.path() + "sub"); // the slash is added
        QCOMPARE(ProgramFolder(), folder.path() + "sub/");
    }

    void programFolderIsTheWritableExecutableFolder()
    {
        QCOMPARE(ProgramFolder(), QCoreApplication::applicationDirPath() + '/');
    }

    void systemFoldersAreNeverTheProgramFolder()
    {
        // Even where this user may write (root), and reached through a link.
        for (const char *folder : {"/usr/bin", "/usr/local/bin", "/opt", "/bin", "/usr/lib", "/"})
            QVERIFY2(!IsOwnProgramFolder(QString::fromLatin1(folder)), folder);
        QTemporaryDir user;
        QVERIFY(QFile::link("/usr/local/bin", user.filePath("tools")));
        QVERIFY(!IsOwnProgramFolder(user.filePath("tools")));
        QVERIFY(!IsOwnProgramFolder(user.filePath("missing")));
    }

    void aFolderTheUserOwnsIsTheProgramFolderUnlessInstalled()
    {
        QTemporaryDir user;
        QVERIFY(QDir(user.path()).mkpath("portable"));
        QVERIFY(IsOwnProgramFolder(user.filePath("portable")));
        QVERIFY(IsOwnProgramFolder(QCoreApplication::applicationDirPath())); // the build
        // Installed under a prefix of the user's own ("bin" beside
        // "share/karvello"): the copy is shared, its folder is not its own.
        QVERIFY(QDir(user.path()).mkpath("prefix/bin"));
        QVERIFY(QDir(user.path()).mkpath("prefix/share/karvello/art"));
        QVERIFY(!IsOwnProgramFolder(user.filePath("prefix/bin")));
        // Not writable, or another user's.
        QVERIFY(QFile::setPermissions(user.filePath("portable"), QFile::ReadOwner | QFile::ExeOwner));
        if (::geteuid() != 0)
            QVERIFY(!IsOwnProgramFolder(user.filePath("portable")));
        QVERIFY(QDir(user.path()).mkpath("theirs"));
        if (::geteuid() == 0) {
            QCOMPARE(::chown(QFile::encodeName(user.filePath("theirs")).constData(), 65534, 65534), 0);
            QVERIFY(!IsOwnProgramFolder(user.filePath("theirs")));
        }
    }

    void userDataFolderIsKarvelloUnderTheDataHome()
    {
        const QByteArray home = qgetenv("HOME"), dataHome = qgetenv("XDG_DATA_HOME");
        QTemporaryDir temporary;
        qputenv("HOME", QFile::encodeName(temporary.path()));
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(UserDataFolder(), temporary.path() + "/.local/share/Karvello");
        qputenv("XDG_DATA_HOME", QFile::encodeName(temporary.filePath("data")));
        QCOMPARE(UserDataFolder(), temporary.filePath("data") + "/Karvello");
        qputenv("HOME", home);
        if (dataHome.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", dataHome);
    }

    void settingsFileIsKvlIniInTheProgramFolder()
    {
        TempProgramFolder folder;
        QCOMPARE(SettingsFileName(), folder.path() + "kvl.ini");
    }

    void settingsFileOfAnyLetterCaseIsReused()
    {
        TempProgramFolder folder;
        QVERIFY(folder.writeFile("KVL.INI", "[Printer]\n"));
        QCOMPARE(SettingsFileName(), folder.path() + "KVL.INI");
    }

    void programFoldersAreCreatedAndExistingCasingsReused()
    {
        TempProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir("Saved"));
        QVERIFY(QDir(folder.path()).mkdir("BG"));
        ensureProgramFolders();
        QStringList names = QDir(folder.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        names.sort();
        QCOMPARE(names, (QStringList{"BG", "Saved", "bmbrush", "kvlt"}));
        QCOMPARE(ProgramSubFolder("saved"), folder.path() + "Saved/");
        QCOMPARE(ProgramSubFolder("kvlt"), folder.path() + "kvlt/");
        ensureProgramFolders(); // a second run changes nothing
        QCOMPARE(QDir(folder.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 4);
    }

    void missingProgramFoldersDoNotStopTheProgram()
    {
        TempProgramFolder folder;
        QVERIFY(folder.writeFile("bg", "a file where a folder belongs"));
        ensureProgramFolders();
        QVERIFY(QFileInfo(folder.filePath("bg")).isFile());
        QVERIFY(QFileInfo(folder.filePath("saved")).isDir());
    }

    void askAndInformGoThroughTheDialogSeam()
    {
        ScopedScriptedDialogs dialogs;
        dialogs->answers << true << false;
        QVERIFY(Ask("Save changes?", "Save"));
        QVERIFY(!Ask("Cancel all changes?", "CANCEL"));
        Inform("There are no installed printers.");
        QCOMPARE(dialogs->messages.size(), 3);
        QCOMPARE(dialogs->messages[0].caption, QString("Save"));
        QCOMPARE(dialogs->messages[1].caption, QString("CANCEL"));
        QCOMPARE(dialogs->messages[2].caption, QString("Information"));
        QCOMPARE(dialogs->questions(), (QStringList{"Save changes?", "Cancel all changes?"}));
        QCOMPARE(dialogs->informations(), QStringList{"There are no installed printers."});
        QCOMPARE(dialogs->unscriptedQuestions, 0);
    }

    void anUnscriptedQuestionAnswersNoAndIsCounted()
    {
        ScopedScriptedDialogs dialogs;
        QVERIFY(!Ask("Delete the file?", "CONFIRM"));
        QCOMPARE(dialogs->unscriptedQuestions, 1);
    }

    void scriptedDialogsAreRemovedAfterTheirScope()
    {
        UserDialogs *before = &UserDialogs::current();
        {
            ScopedScriptedDialogs dialogs;
            QCOMPARE(&UserDialogs::current(), static_cast<UserDialogs *>(&*dialogs));
        }
        QVERIFY(dynamic_cast<ScriptedDialogs *>(&UserDialogs::current()) == nullptr);
        Q_UNUSED(before);
    }

    void busyCursorShowsTheHourglassUntilNormalCursor()
    {
        QVERIFY(!QApplication::overrideCursor());
        BusyCursor();
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        BusyCursor(); // does not count
        NormalCursor();
        QVERIFY(!QApplication::overrideCursor());
        NormalCursor(); // an extra call changes nothing
        QVERIFY(!QApplication::overrideCursor());
    }

    void normalCursorLeavesOtherOverrideCursorsAlone()
    {
        QApplication::setOverrideCursor(Qt::CrossCursor);
        NormalCursor();
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::CrossCursor);
        QApplication::restoreOverrideCursor();
    }

    void busyCursorScopesNest()
    {
        {
            BusyCursorScope outer;
            {
                BusyCursorScope inner;
                QVERIFY(isBusyCursor());
            }
            QVERIFY(isBusyCursor()); // the outer operation is still busy
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QVERIFY(!isBusyCursor());
        QVERIFY(!QApplication::overrideCursor());
    }

    void cursorRoutinesAreHarmlessWithoutAnApplication()
    {
        QVERIFY(cursorCallsBeforeApplicationWereHarmless);
    }
};

int main(int argc, char **argv)
{
    BusyCursor();
    cursorCallsBeforeApplicationWereHarmless = !isBusyCursor();
    NormalCursor();
    QApplication app(argc, argv);
    TestAppRoutines test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_approutines.moc"
