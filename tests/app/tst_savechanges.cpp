// "Save changes?" offers Cancel wherever the card could be thrown away, and
// Cancel (or Escape) keeps the window and the card as they are.
#include "MainScreenFixture.h"

#include "app/TFileCommands.h"
#include "app/TMRUFileList.h"
#include "app/TMainMenus.h"
#include "app/TTemplateCommands.h"
#include "platform/QtUserDialogs.h"

#include <QAction>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

// The card the tests must not lose: a saved document with one more object.
struct ChangedCard {
    MainScreenFixture f;
    QString path;

    ChangedCard()
    {
        TMainScreen &s = f.start();
        f.drawRectangle(QRect(10, 10, 40, 20));
        path = f.folder.filePath(QStringLiteral("saved/Mine.KVL"));
        f.dialogs->saveFileNames << path;
        s.SaveAsClick();
        f.drawRectangle(QRect(60, 40, 40, 20));
        f.dialogs->clear();
    }

    void verifyKept() const
    {
        QCOMPARE(f.dialogs->questions(), QStringList {"Save changes?"});
        QCOMPARE(f.panel().ObjectCount(), 2);
        QVERIFY(f.screen->ChangesMade());
        QVERIFY(f.screen->Savebutton->isVisibleTo(f.screen.get()));
        QCOMPARE(f.screen->DocumentPath(), path);
        QVERIFY(f.dialogs->fileRequests.isEmpty()); // nothing more was asked
    }
};

} // namespace

class TestSaveChanges : public QObject
{
    Q_OBJECT

private slots:
    void cancelKeepsTheCardOnEveryPath_data()
    {
        QTest::addColumn<QString>("path");
        for (const char *name : {"Exit", "close button", "New", "Open", "template", "recent file",
                                 "document from a second copy"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void cancelKeepsTheCardOnEveryPath()
    {
        QFETCH(QString, path);
        ChangedCard card;
        TMainScreen &s = *card.f.screen;
        s.show();
        TTemplateCommands templates(s);
        card.f.dialogs->answersWithCancel << TAnswer::anCancel;
        int dialogsRun = 0;
        UserDialogs::setModalRunner([&](QDialog &) { return ++dialogsRun, int(QDialog::Rejected); });

        if (path == "Exit")
            s.Menus->ExitItem->trigger();
        else if (path == "close button")
            QVERIFY(!s.close());
        else if (path == "New")
            s.Menus->NewBlankItem->trigger();
        else if (path == "Open")
            s.Menus->OpenItem->trigger();
        else if (path == "template")
            s.RunCommand(TMainCommand::NewFromTemplate);
        else if (path == "recent file")
            s.RecentFiles->MenuItems().constFirst()->trigger();
        else
            s.FileCommands().OpenPath(card.path);

        UserDialogs::setModalRunner({});
        card.verifyKept();
        QCOMPARE(dialogsRun, 0); // no template chooser either
        QVERIFY(s.isVisible());
    }

    void yesSavesAndNoDiscardsAsBefore()
    {
        {
            ChangedCard card;
            card.f.dialogs->answersWithCancel << TAnswer::anYes;
            card.f.screen->FileCommands().NewBlank();
            QCOMPARE(card.f.panel().ObjectCount(), 0);
            card.f.screen->FileCommands().OpenPath(card.path);
            QCOMPARE(card.f.panel().ObjectCount(), 2); // it was saved
        }
        ChangedCard card;
        card.f.dialogs->answersWithCancel << TAnswer::anNo;
        card.f.screen->FileCommands().NewBlank();
        QCOMPARE(card.f.panel().ObjectCount(), 0);
        card.f.screen->FileCommands().OpenPath(card.path);
        QCOMPARE(card.f.panel().ObjectCount(), 1); // it was not
    }

    // The real message box, answered with the Escape key as a user would.
    void escapeInTheRealBoxKeepsTheWindowOpen()
    {
        ChangedCard card;
        TMainScreen &s = *card.f.screen;
        s.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s));
        std::unique_ptr<UserDialogs> scripted = UserDialogs::install(std::make_unique<QtUserDialogs>());

        QString caption, text;
        QMessageBox::StandardButtons buttons;
        bool closedByEscape = false;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            caption = box->windowTitle();
            text = box->text();
            buttons = box->standardButtons();
            if (QTest::qWaitForWindowExposed(box))
                QTest::keyClick(box->windowHandle(), Qt::Key_Escape);
            closedByEscape = !box->isVisible();
            if (box->isVisible())
                box->button(QMessageBox::No)->click(); // as it was: Escape did nothing
        });
        const bool closed = s.close();
        UserDialogs::install(std::move(scripted));

        QCOMPARE(caption, QStringLiteral("Save"));
        QCOMPARE(text, QStringLiteral("Save changes?"));
        QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QVERIFY(closedByEscape);
        QVERIFY(!closed);
        QVERIFY(s.isVisible());
        QCOMPARE(card.f.panel().ObjectCount(), 2);
        QVERIFY(s.ChangesMade());
    }
};

QTEST_MAIN(TestSaveChanges)
#include "tst_savechanges.moc"
