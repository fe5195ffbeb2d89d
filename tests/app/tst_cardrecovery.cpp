#include "MainScreenFixture.h"

#include "app/TCardRecovery.h"
#include "app/TCardSideCommands.h"
#include "app/TRecoverCard.h"
#include "app/TUndoHistory.h"
#include "design/CardDocument.h"
#include "design/CardSides.h"
#include "design/RecoveryCopy.h"
#include "platform/AppRoutines.h"
#include "platform/IniFile.h"

#include <QApplication>
#include <QLabel>
#include <QLockFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// The window keeps a recovery copy while its card has unsaved changes,
// drops it when the card is saved or thrown away, and offers a copy left
// behind at the next start.
class TestCardRecovery : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainScreenFixture> f;
    std::unique_ptr<TCardRecovery> recovery;

    TMainScreen &begin(int interval = 1)
    {
        TMainScreen &screen = f->start();
        recovery = std::make_unique<TCardRecovery>(screen, interval);
        return screen;
    }
    // The program ends with the card unsaved, as a kill leaves it: the copy
    // stays, nobody owns it any more.
    QString crash()
    {
        recovery->WriteNow();
        const QString folder = recovery->OwnFolder();
        recovery.reset();
        f->screen.reset();
        return folder;
    }
    void draw(QRect r = QRect(20, 20, 60, 30))
    {
        f->drawRectangle(r);
        QTest::qWait(120); // the undo step is taken once the program is idle
    }
    bool hasCopy() const { return RecoveryCopy::Read(recovery->OwnFolder()).ok; }
    QStringList copyFolders() const
    {
        QStringList names = QDir(TCardRecovery::Folder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        names.removeAll("damaged");
        return names;
    }
    int objectsIn(const QString &document)
    {
        TGBusinessCardPanel32 panel;
        return CardDocument::OpenCardDocument(panel, document, SheetLayoutSetting()).ok ? panel.ObjectCount() : -1;
    }
    TCardSideCommands &sides() const { return *f->screen->findChild<TCardSideCommands *>(); }

private slots:
    void init() { f = std::make_unique<MainScreenFixture>(); }
    void cleanup()
    {
        recovery.reset();
        f.reset();
    }

    void intervalComesFromTheSettings()
    {
        QCOMPARE(TCardRecovery::ReadInterval(), 60);
        for (const auto &[text, seconds] : {std::pair{"0", 0}, {"5", 5}, {"-3", 60}, {"soon", 60}, {"999999", 86400}}) {
            QVERIFY(f->folder.writeFile("kvl.ini", QByteArray("[Recovery]\nInterval=") + text + "\n"));
            QCOMPARE(TCardRecovery::ReadInterval(), seconds);
        }
        QCOMPARE(TCardRecovery::Folder(), f->folder.path() + "recovery/");
    }

    void copyIsWrittenAfterAChangeAndOnlyThen()
    {
        begin(1);
        recovery->WriteNow();
        QVERIFY(copyFolders().isEmpty()); // nothing unsaved
        QSignalSpy written(recovery.get(), &TCardRecovery::CopyWritten);
        draw();
        QVERIFY(f->screen->ChangesMade());
        QVERIFY(!hasCopy()); // not at once: at most every Interval seconds
        QVERIFY(written.wait(5000));
        QVERIFY(written.constFirst().constFirst().toBool());
        const RecoveryCopy::Found copy = RecoveryCopy::Read(recovery->OwnFolder());
        QVERIFY(copy.ok);
        QVERIFY(copy.manifest.original.isEmpty());
        QCOMPARE(objectsIn(copy.front), 1);
        QVERIFY(qAbs(copy.manifest.changed.secsTo(QDateTime::currentDateTime())) < 60);
    }

    void intervalZeroKeepsNoCopy()
    {
        begin(0);
        draw();
        recovery->WriteNow();
        QVERIFY(copyFolders().isEmpty());
    }

    void savingNewOpenUndoAndNoRemoveTheCopy()
    {
        TMainScreen &screen = begin(600);
        const QString path = f->folder.filePath("saved/Jane.KVL");
        draw();
        recovery->WriteNow();
        QVERIFY(hasCopy());
        f->dialogs->saveFileNames << path;
        screen.SaveAsClick();
        QVERIFY(!screen.ChangesMade());
        QVERIFY(copyFolders().isEmpty());

        draw(QRect(100, 20, 40, 40));
        recovery->WriteNow();
        QVERIFY(hasCopy());
        screen.History->Undo(); // back to the card as saved
        QVERIFY(!screen.ChangesMade());
        QVERIFY(copyFolders().isEmpty());

        draw(QRect(100, 20, 40, 40));
        recovery->WriteNow();
        QVERIFY(hasCopy());
        f->dialogs->answersWithCancel << TAnswer::anNo;
        screen.NewBlankClick();
        QVERIFY(copyFolders().isEmpty());

        draw();
        recovery->WriteNow();
        QVERIFY(hasCopy());
        f->dialogs->answersWithCancel << TAnswer::anNo;
        f->dialogs->openFileNames << path;
        screen.OpenClick();
        QCOMPARE(screen.DocumentPath(), path);
        QVERIFY(copyFolders().isEmpty());

        draw(QRect(150, 20, 40, 40));
        recovery->WriteNow();
        QVERIFY(hasCopy());
        f->dialogs->answersWithCancel << TAnswer::anCancel;
        QVERIFY(!screen.close()); // cancelled: the card and its copy stay
        QVERIFY(hasCopy());
        f->dialogs->answersWithCancel << TAnswer::anNo;
        QVERIFY(screen.close());
        QVERIFY(copyFolders().isEmpty());
        recovery.reset(); // a clean end
        QVERIFY(copyFolders().isEmpty());
    }

    void recoveredCardIsUnsavedAndSavesWhereItCameFrom()
    {
        TMainScreen &screen = begin(600);
        const QString path = f->folder.filePath("saved/Jane.KVL");
        draw();
        f->dialogs->saveFileNames << path;
        screen.SaveAsClick();
        draw(QRect(100, 20, 40, 40));
        const QString left = crash();
        QCOMPARE(objectsIn(path), 1);

        TMainScreen &next = begin(600);
        QCOMPARE(next.DocumentPath(), path); // the last card reopened as always
        int offers = 0;
        ScopedModalRunner runner(modalRunnerFor<TRecoverCard>([&](TRecoverCard &dialog) {
            ++offers;
            [&] {
                QCOMPARE(dialog.windowTitle(), QStringLiteral("Recover Card"));
                QCOMPARE(dialog.NameLabel->text(), QStringLiteral("Jane.KVL"));
                QVERIFY(!dialog.ChangedLabel->text().isEmpty());
                QVERIFY(!dialog.Picture->pixmap().isNull());
                QVERIFY(dialog.RecoverButton->isDefault());
            }();
            return int(QDialog::Accepted);
        }));
        recovery->OfferAtStart(true);
        QCOMPARE(offers, 1);
        QCOMPARE(f->panel().ObjectCount(), 2);
        QVERIFY(next.ChangesMade());
        QCOMPARE(next.DocumentPath(), path);
        QCOMPARE(next.windowTitle(), QStringLiteral("Karvello - Jane.KVL (recovered)"));
        QCOMPARE(next.Savebutton->text(), QStringLiteral("Save"));
        // The copy left behind is this program's own now.
        QCOMPARE(recovery->OwnFolder(), left);
        QVERIFY(hasCopy());

        // Undoing a change made since does not make it the saved card.
        draw(QRect(200, 20, 40, 40));
        next.History->Undo();
        QVERIFY(next.ChangesMade());
        QVERIFY(hasCopy());

        next.SaveClick();
        QCOMPARE(objectsIn(path), 2);
        QVERIFY(!next.ChangesMade());
        QCOMPARE(next.windowTitle(), QStringLiteral("Karvello - Jane.KVL"));
        QVERIFY(copyFolders().isEmpty());
    }

    void untitledCardComesBackWithItsBackShown()
    {
        begin(600);
        draw();
        sides().AddBack();
        draw(QRect(50, 60, 30, 30));
        draw(QRect(90, 60, 30, 30));
        QVERIFY(f->screen->Sides().BackShown());
        crash();

        TMainScreen &next = begin(600);
        QString name;
        ScopedModalRunner runner(modalRunnerFor<TRecoverCard>([&](TRecoverCard &dialog) {
            name = dialog.NameLabel->text();
            return int(QDialog::Accepted);
        }));
        recovery->OfferAtStart(true);
        QCOMPARE(name, QStringLiteral("Untitled"));
        QVERIFY(next.Sides().HasBack);
        QVERIFY(next.Sides().BackShown());
        QCOMPARE(f->panel().ObjectCount(), 2);
        sides().ShowSide(false);
        QCOMPARE(f->panel().ObjectCount(), 1);
        QVERIFY(next.DocumentPath().isEmpty());
        QCOMPARE(next.windowTitle(), QStringLiteral("Karvello (recovered)"));
        QCOMPARE(next.Savebutton->text(), QStringLiteral("Save As"));
    }

    void discardDeletesTheCopy()
    {
        begin(600);
        draw();
        crash();
        TMainScreen &next = begin(600);
        ScopedModalRunner runner(
            modalRunnerFor<TRecoverCard>([](TRecoverCard &) { return TRecoverCard::DiscardResult; }));
        recovery->OfferAtStart(true);
        QVERIFY(copyFolders().isEmpty());
        QCOMPARE(f->panel().ObjectCount(), 0);
        QVERIFY(!next.ChangesMade());
    }

    void closingTheDialogKeepsTheCopyForNextTime()
    {
        begin(600);
        draw();
        const QString left = crash();
        begin(600);
        ScopedModalRunner runner(modalRunnerFor<TRecoverCard>([](TRecoverCard &) { return int(QDialog::Rejected); }));
        recovery->OfferAtStart(true);
        QVERIFY(RecoveryCopy::Read(left).ok);
        QCOMPARE(f->panel().ObjectCount(), 0);
        recovery.reset();
        QVERIFY(RecoveryCopy::Read(left).ok);
    }

    void damagedCopyIsMovedAsideAndTheStartGoesOn()
    {
        begin(600);
        draw();
        const QString good = crash();
        QTest::qWait(20); // a later time of change
        begin(600);
        draw();
        draw(QRect(100, 20, 40, 40));
        const QString damaged = crash();
        const RecoveryCopy::Found copy = RecoveryCopy::Read(damaged);
        QFile front(copy.front);
        QVERIFY(front.open(QIODevice::WriteOnly | QIODevice::Truncate));
        front.write("\x01TPF0 not a card");
        front.close();

        begin(600);
        int offers = 0;
        ScopedModalRunner runner(modalRunnerFor<TRecoverCard>([&](TRecoverCard &) {
            ++offers;
            return int(QDialog::Accepted);
        }));
        recovery->OfferAtStart(true);
        QCOMPARE(f->dialogs->informations().size(), 1);
        QVERIFY2(f->dialogs->informations().constFirst().startsWith("A recovery copy could not be read"),
                 qPrintable(f->dialogs->informations().constFirst()));
        const QString aside = TCardRecovery::DamagedFolder() + QFileInfo(damaged).fileName();
        QVERIFY(f->dialogs->informations().constFirst().contains(aside));
        QVERIFY(QFileInfo::exists(aside + "/copy.ini"));
        QVERIFY(!QFileInfo::exists(damaged));
        // The other copy is still offered.
        QCOMPARE(offers, 1);
        QCOMPARE(f->panel().ObjectCount(), 1);
        QCOMPARE(recovery->OwnFolder(), good);
    }

    void copyOfARunningProgramIsLeftAlone()
    {
        begin(600);
        draw();
        const QString theirs = crash();
        QLockFile owner(theirs + "/owner.lock");
        QVERIFY(owner.tryLock(0)); // as if its program ran on
        begin(600);
        ScopedModalRunner runner([](QDialog &dialog) {
            failUnexpectedDialog(dialog);
            return int(QDialog::Rejected);
        });
        recovery->OfferAtStart(false);
        QVERIFY(RecoveryCopy::Read(theirs).ok);
        QCOMPARE(f->panel().ObjectCount(), 0);
    }

    void soleProgramTakesCopiesLockedInTheNameOfAnotherProcess()
    {
        begin(600);
        draw();
        const QString theirs = crash();
        // The lock names a running process of this machine and program (this
        // one): the process number of a program that died, given to another since.
        QByteArray contents;
        {
            QLockFile live(f->folder.filePath("live.lock"));
            QVERIFY(live.tryLock(0));
            QFile file(f->folder.filePath("live.lock"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            contents = file.readAll();
        }
        QFile lock(theirs + "/owner.lock");
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(contents);
        lock.close();
        QVERIFY(!QLockFile(theirs + "/owner.lock").tryLock(0));
        begin(600);
        {
            ScopedModalRunner unexpected([](QDialog &dialog) {
                failUnexpectedDialog(dialog);
                return int(QDialog::Rejected);
            });
            recovery->OfferAtStart(false); // QLockFile alone takes it for a live owner
        }
        int offers = 0;
        ScopedModalRunner runner(modalRunnerFor<TRecoverCard>([&](TRecoverCard &) {
            ++offers;
            return int(QDialog::Accepted);
        }));
        recovery->OfferAtStart(true); // the single-instance guard: no other Karvello runs
        QCOMPARE(offers, 1);
        QCOMPARE(f->panel().ObjectCount(), 1);
    }

    void realDialogAnswersToKeysAndClicks()
    {
        begin(600);
        draw();
        draw(QRect(100, 20, 40, 40));
        crash();
        begin(600);
        // Enter takes the default button, "Recover".
        QTimer::singleShot(0, this, [] {
            auto *dialog = qobject_cast<TRecoverCard *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        recovery->OfferAtStart(true);
        QCOMPARE(f->panel().ObjectCount(), 2);
        crash();

        begin(600);
        QTimer::singleShot(0, this, [] {
            auto *dialog = qobject_cast<TRecoverCard *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            QTest::mouseClick(dialog->DiscardButton, Qt::LeftButton);
        });
        recovery->OfferAtStart(true);
        QCOMPARE(f->panel().ObjectCount(), 0);
        QVERIFY(copyFolders().isEmpty());
    }
};

QTEST_MAIN(TestCardRecovery)
#include "tst_cardrecovery.moc"
