#include "UndoFixture.h"

#include "app/TMainMenus.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGetLabelText.h"
#include "print/TEditCardLayout.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

// Runs `answer` on the modal dialog of type D as soon as it shows.
template<typename D> void answerModal(std::function<void(D &)> answer)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            poll->stop();
            answer(*dialog);
        }
    });
    poll->start(10);
}

} // namespace

class TestUndo : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { UserDialogs::setModalRunner({}); }

    void dragIsOneStepUndoneAndRedone()
    {
        UndoFixture f;
        TMainScreen &s = f.begin();
        f.drawn(QRect(20, 20, 60, 30));
        QCOMPARE(f.stack().count(), 1);
        QCOMPARE(f.stack().undoText(), QStringLiteral("Create"));
        const QByteArray placed = f.document();

        f.click(QPoint(40, 30));
        f.drag(QPoint(40, 30), QPoint(120, 90));
        QVERIFY(f.object("Special1")->Left() > 60);
        QCOMPARE(f.stack().count(), 2);
        QCOMPARE(s.Menus->UndoItem->text(), QStringLiteral("&Undo Move"));
        QVERIFY(!s.Menus->RedoItem->isEnabled());
        const QByteArray moved = f.document();

        s.Menus->UndoItem->trigger();
        QCOMPARE(f.document(), placed);
        QCOMPARE(s.Menus->RedoItem->text(), QStringLiteral("&Redo Move"));
        QVERIFY(s.Menus->RedoItem->isEnabled());
        s.Menus->RedoItem->trigger();
        QCOMPARE(f.document(), moved);
        QCOMPARE(f.stack().count(), 2);
    }

    void resizeByTheCornerIsAResizeStep()
    {
        UndoFixture f;
        TMainScreen &s = f.begin();
        f.drawn(QRect(20, 20, 60, 30));
        f.click(QPoint(40, 30));
        const QByteArray before = f.document();
        const QRect handle = f.handle().geometry();
        const QPoint corner = handle.bottomRight() - QPoint(1, 1);
        f.move(corner, 10); // the handle picks its sizing zone while the mouse hovers
        f.drag(corner, corner + QPoint(40, 25));
        QVERIFY(f.object("Special1")->Width() > 80);
        QCOMPARE(f.stack().undoText(), QStringLiteral("Resize"));
        const QByteArray after = f.document();
        s.History->Undo();
        QCOMPARE(f.document(), before);
        s.History->Redo();
        QCOMPARE(f.document(), after);
    }

    void nudgesOnOneSelectionFoldIntoOneStep()
    {
        UndoFixture f;
        f.begin();
        f.drawn(QRect(20, 20, 60, 30));
        f.drawn(QRect(120, 20, 60, 30));
        f.click(QPoint(40, 30));
        const int steps = f.stack().count();
        const QByteArray before = f.document();
        for (int i = 0; i < 4; ++i)
            f.key(Qt::Key_Right);
        f.key(Qt::Key_Down);
        QCOMPARE(f.object("Special1")->BoundsRect().topLeft(), QPoint(24, 21));
        QCOMPARE(f.stack().count(), steps + 1);
        QCOMPARE(f.stack().undoText(), QStringLiteral("Move"));
        const QByteArray nudged = f.document();

        // Another selection starts a step of its own.
        f.click(QPoint(140, 30));
        f.key(Qt::Key_Left);
        QCOMPARE(f.stack().count(), steps + 2);

        f.history().Undo();
        f.history().Undo();
        QCOMPARE(f.document(), before);
        f.history().Redo();
        QCOMPARE(f.document(), nudged);
    }

    void deleteAndPasteAreUndoneWithTheirNames()
    {
        UndoFixture f;
        f.begin();
        f.drawn(QRect(20, 20, 60, 30));
        f.drawn(QRect(120, 20, 60, 30));
        const QByteArray two = f.document();

        f.click(QPoint(40, 30));
        f.key(Qt::Key_Delete);
        QVERIFY(!f.object("Special1"));
        QCOMPARE(f.stack().undoText(), QStringLiteral("Delete"));
        f.history().Undo();
        QCOMPARE(f.document(), two);
        QVERIFY(f.object("Special1")); // its own name, not "Component0"
        QCOMPARE(f.handle().SelectionCount(), 1);

        f.key(Qt::Key_C, Qt::ControlModifier);
        f.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.panel().ObjectCount(), 3);
        QCOMPARE(f.stack().undoText(), QStringLiteral("Paste"));
        const QByteArray pasted = f.document();
        f.history().Undo();
        QCOMPARE(f.document(), two);
        f.history().Redo();
        QCOMPARE(f.document(), pasted);
        // Names handed out later come out as they would have without the undo.
        f.history().Undo();
        f.key(Qt::Key_V, Qt::ControlModifier);
        QVERIFY(f.object("Component0"));
        QCOMPARE(f.document(), pasted);
    }

    void zOrderFromThePanelMenuIsUndone()
    {
        UndoFixture f;
        f.begin();
        f.drawn(QRect(20, 20, 60, 30));
        f.drawn(QRect(40, 30, 60, 30));
        f.handle().SelectObject(f.object("Special1"));
        const QByteArray before = f.document();
        f.panel().UpdatePanelMenu();
        UndoFixture::item(f.panel().PanelMenu(), "Bring To Front")->trigger();
        QCOMPARE(f.panel().Objects().constLast()->Name(), QStringLiteral("Special1"));
        QCOMPARE(f.stack().undoText(), QStringLiteral("Bring To Front"));
        f.history().Undo();
        QCOMPARE(f.document(), before);
        QCOMPARE(f.panel().Objects().constLast()->Name(), QStringLiteral("Special2"));
    }

    void propertyDialogOkIsAStepAndCancelIsNone()
    {
        UndoFixture f;
        f.begin();
        auto *label = new TGBusinessCardLabel(&f.panel());
        label->Loaded();
        f.panel().PlaceObject(label, QRect(10, 10, 142, 33));
        UndoFixture::idle();
        const int steps = f.stack().count();
        const QByteArray before = f.document();

        UserDialogs::setModalRunner([](QDialog &) { return int(QDialog::Rejected); });
        UndoFixture::item(label->ObjectMenu(), "Text")->trigger();
        UndoFixture::idle();
        QCOMPARE(f.stack().count(), steps);

        UserDialogs::setModalRunner(modalRunnerFor<TGetLabelText>([](TGetLabelText &d) {
            d.LabelText->setText(QStringLiteral("Ada Lovelace"));
            d.OkButtonClick();
            return d.result();
        }));
        UndoFixture::item(label->ObjectMenu(), "Text")->trigger();
        QCOMPARE(f.stack().count(), steps + 1);
        QCOMPARE(f.stack().undoText(), QStringLiteral("Text"));
        const QByteArray edited = f.document();
        QVERIFY(edited.contains("Ada Lovelace"));
        f.history().Undo();
        QCOMPARE(f.document(), before);
        f.history().Redo();
        QCOMPARE(f.document(), edited);
    }

    void submenuChoiceIsAStepNamedAfterItsSubmenu()
    {
        UndoFixture f;
        f.begin();
        auto *label = new TGBusinessCardLabel(&f.panel());
        label->Loaded();
        f.panel().PlaceObject(label, QRect(10, 10, 142, 33));
        UndoFixture::idle();
        const QByteArray before = f.document();
        QAction *alignment = UndoFixture::item(label->ObjectMenu(), "Alignment");
        QVERIFY(alignment && alignment->menu());
        QAction *choice = nullptr;
        for (QAction *a : alignment->menu()->actions()) {
            if (!a->isChecked())
                choice = a;
        }
        QVERIFY(choice);
        choice->trigger();
        UndoFixture::idle();
        QCOMPARE(f.stack().undoText(), QStringLiteral("Alignment"));
        f.history().Undo();
        QCOMPARE(f.document(), before);
    }

    void layoutDialogOkIsUndoneAndItsCancelAddsNothing()
    {
        UndoFixture f;
        TMainScreen &s = f.begin();
        f.drawn(QRect(20, 20, 60, 30));
        const QByteArray before = f.document();
        const QSize wide = f.panel().size();
        const int steps = f.stack().count();

        answerModal<TEditCardLayout>([](TEditCardLayout &d) { QTest::mouseClick(d.CancelButton, Qt::LeftButton); });
        s.Menus->ChangeLayoutItem->trigger();
        UndoFixture::idle();
        QCOMPARE(f.stack().count(), steps);

        answerModal<TEditCardLayout>([](TEditCardLayout &d) {
            d.ePortrait->click();
            QTest::mouseClick(d.OkButton, Qt::LeftButton);
        });
        s.Menus->ChangeLayoutItem->trigger();
        QCOMPARE(f.panel().size(), wide.transposed());
        QCOMPARE(f.stack().count(), steps + 1);
        QCOMPARE(s.Menus->UndoItem->text(), QStringLiteral("&Undo Card Layout"));
        const QByteArray upright = f.document();

        f.history().Undo();
        QCOMPARE(f.document(), before);
        QCOMPARE(f.panel().size(), wide);
        QVERIFY(!f.panel().Portrait());
        f.history().Redo();
        QCOMPARE(f.document(), upright);
        QCOMPARE(f.panel().size(), wide.transposed());
    }

    void undoingToTheSavedCardClearsTheChangesFlag()
    {
        UndoFixture f;
        TMainScreen &s = f.begin();
        f.drawn(QRect(20, 20, 60, 30));
        f.dialogs->saveFileNames << f.folder.filePath("saved/card.KVL");
        s.SaveAsClick();
        QVERIFY(!s.ChangesMade());

        f.click(QPoint(40, 30));
        f.drag(QPoint(40, 30), QPoint(100, 60));
        QVERIFY(s.ChangesMade());
        QVERIFY(!s.Savebutton->isHidden());

        f.history().Undo();
        QVERIFY(!s.ChangesMade());
        QVERIFY(s.Savebutton->isHidden());
        QVERIFY(s.Cancelbutton->isHidden());
        f.history().Redo();
        QVERIFY(s.ChangesMade());
        QVERIFY(!s.Savebutton->isHidden());
        QVERIFY(!s.Cancelbutton->isHidden());
        // Undoing past the saved card means there is something to save again.
        f.history().Undo();
        f.history().Undo();
        QVERIFY(s.ChangesMade());
    }

    void firstMoveAfterOpeningMarksTheCard()
    {
        UndoFixture f;
        TMainScreen &s = f.begin();
        f.drawn(QRect(20, 20, 60, 30));
        const QString path = f.folder.filePath("saved/card.KVL");
        QVERIFY(s.SaveDocument(path));
        s.OpenDocument(path);
        QVERIFY(!s.ChangesMade());
        QCOMPARE(f.stack().count(), 0);
        f.click(QPoint(40, 30));
        f.drag(QPoint(40, 30), QPoint(100, 60));
        QVERIFY(s.ChangesMade());
        QCOMPARE(f.stack().count(), 1);
    }

    void newOpenAndCancelStartAFreshHistory()
    {
        UndoFixture f;
        TMainScreen &s = f.begin();
        f.drawn(QRect(20, 20, 60, 30));
        QVERIFY(s.Menus->UndoItem->isEnabled());
        f.dialogs->answers << false; // "Save changes?"
        s.NewBlankClick();
        QCOMPARE(f.stack().count(), 0);
        QVERIFY(!s.Menus->UndoItem->isEnabled());
        QCOMPARE(s.Menus->UndoItem->text(), QStringLiteral("&Undo"));

        f.drawn(QRect(20, 20, 60, 30));
        f.dialogs->answers << true; // "Cancel all changes?"
        s.CancelbuttonClick();
        QCOMPARE(f.stack().count(), 0);
        QCOMPARE(f.panel().ObjectCount(), 0);
    }

    void historyKeepsTheLast200Steps()
    {
        UndoFixture f;
        f.begin();
        f.drawn(QRect(20, 20, 60, 30));
        f.drawn(QRect(120, 20, 60, 30));
        QAction *lock = UndoFixture::item(f.panel().PanelMenu(), "Lock All");
        QAction *unlock = UndoFixture::item(f.panel().PanelMenu(), "Unlock All");
        for (int i = 1; i <= 300; ++i)
            (i % 2 ? lock : unlock)->trigger();
        QCOMPARE(f.stack().count(), TUndoHistory::StepLimit);
        QCOMPARE(f.stack().undoText(), QStringLiteral("Unlock All"));
        while (f.stack().canUndo())
            f.history().Undo();
        // Back to after the 100th toggle: unlocked, and no further.
        QVERIFY(!f.object("Special1")->Locked());
        f.history().Redo();
        QVERIFY(f.object("Special1")->Locked());
    }

    void largeStepsPushTheOldestOutAndTheRestStillUndo()
    {
        UndoFixture f;
        f.begin();
        f.drawn(QRect(20, 20, 60, 30));
        f.drawn(QRect(120, 20, 60, 30));
        QList<QByteArray> states {f.document()};
        for (int i = 0; i < 6; ++i) {
            f.object("Special1")->SetLeft(30 + i);
            UndoFixture::idle();
            states << f.document();
        }
        QCOMPARE(f.stack().count(), 8);
        const qsizetype limit = 3 * f.history().Bytes() / f.stack().count();
        f.history().SetByteLimit(limit);
        const int kept = f.stack().count();
        QVERIFY(kept < 8 && kept >= 1);
        QVERIFY(f.history().Bytes() <= limit);
        QCOMPARE(f.stack().undoText(), QStringLiteral("Move"));
        for (int k = 1; k <= kept; ++k) {
            f.history().Undo();
            QCOMPARE(f.document(), states.at(states.size() - 1 - k));
        }
        QVERIFY(!f.stack().canUndo());
        while (f.stack().canRedo())
            f.history().Redo();
        QCOMPARE(f.document(), states.constLast());
    }
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
