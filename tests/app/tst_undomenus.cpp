#include "UndoFixture.h"

#include "app/TMainMenus.h"
#include "app/TMainToolBar.h"

#include <QLabel>

class TestUndoMenus : public QObject
{
    Q_OBJECT

private slots:
    void undoAndRedoAreDisabledUntilThereIsAStep()
    {
        UndoFixture f;
        TMainScreen &s = f.begin();
        QVERIFY(!s.Menus->UndoItem->isEnabled());
        QVERIFY(!s.Menus->RedoItem->isEnabled());
        QCOMPARE(s.Menus->UndoItem->text(), QStringLiteral("&Undo"));
        f.drawn(QRect(20, 20, 60, 30));
        QVERIFY(s.Menus->UndoItem->isEnabled());
        QCOMPARE(s.Menus->UndoItem->text(), QStringLiteral("&Undo Create"));
    }

    void standardShortcutsAreShownOnTheItems()
    {
        UndoFixture f;
        TMainScreen &s = f.begin();
        const TMainMenus &m = *s.Menus;
        QCOMPARE(m.UndoItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(m.RedoItem->shortcuts(),
                 QList<QKeySequence>({QKeySequence(QStringLiteral("Ctrl+Y")),
                                      QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
        QCOMPARE(m.NewBlankItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
        QCOMPARE(m.OpenItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(m.SaveItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(m.SaveAsItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
        QCOMPARE(m.PrintItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
        QCOMPARE(m.ExitItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
        QCOMPARE(m.ZoomInItem->shortcut(), QKeySequence(QStringLiteral("Ctrl++")));
        QCOMPARE(m.ZoomOutItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+-")));
    }

    void keysUndoAndRedoWhilePanelKeysStillWork()
    {
        UndoFixture f;
        TMainScreen &s = f.begin();
        s.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s));
        f.drawn(QRect(20, 20, 60, 30));
        const QByteArray one = f.document();
        f.click(QPoint(40, 30));
        f.key(Qt::Key_C, Qt::ControlModifier);
        f.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.panel().ObjectCount(), 2);
        const QByteArray two = f.document();

        f.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.document(), one);
        f.key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f.document(), two);
        f.key(Qt::Key_Z, Qt::ControlModifier);
        f.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.document(), two);

        f.key(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(f.panel().ObjectCount(), 1);
        QCOMPARE(f.stack().undoText(), QStringLiteral("Cut"));
    }

    void zoomIsNoStepAndStepsUndoAtAnyZoom()
    {
        UndoFixture f;
        TMainScreen &s = f.begin();
        f.drawn(QRect(20, 20, 60, 30));
        const int steps = f.stack().count();
        s.Menus->ZoomInItem->trigger();
        s.Menus->ZoomInItem->trigger();
        QCOMPARE(s.ToolBar->ZoomCaption->text(), QStringLiteral("125%"));
        UndoFixture::idle();
        QCOMPARE(f.stack().count(), steps);

        // A step taken at 100 % is undone on the zoomed card, scaled.
        f.history().Undo();
        QCOMPARE(f.panel().ObjectCount(), 0);
        f.history().Redo();
        QCOMPARE(f.panel().ObjectCount(), 1);
        QCOMPARE(f.object("Special1")->BoundsRect(), QRect(25, 25, 75, 38));
        s.Menus->ZoomOutItem->trigger();
        s.Menus->ZoomOutItem->trigger();
        QCOMPARE(f.object("Special1")->BoundsRect(), QRect(20, 20, 60, 30));
    }
};

QTEST_MAIN(TestUndoMenus)
#include "tst_undomenus.moc"
