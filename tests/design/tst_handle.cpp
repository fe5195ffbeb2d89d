// Moving and resizing the selection with the mouse and the arrow keys.
#include "design/CardPanelHost.h"

#include <QtTest>

class TestHandle : public QObject
{
    Q_OBJECT
private slots:
    void selectedObjectIsCoveredByTheHandle()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 60, 20));
        h.click(QPoint(50, 40));
        QVERIFY(h.handle()->IsSelected(s));
        QVERIFY(h.handle()->isVisible());
        QCOMPARE(h.handle()->geometry(), QRect(38, 28, 65, 25));
    }

    void pressAndDragOnAnUnselectedObjectMovesIt()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 60, 20));
        h.drag(QPoint(50, 40), QPoint(80, 60));
        QVERIFY(h.handle()->IsSelected(s));
        QVERIFY(s->Left() > 40);
        QVERIFY(s->Top() > 30);
    }

    void draggingASelectedObjectMovesItByTheMouseDistance()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 60, 20));
        h.click(QPoint(50, 40));
        h.drag(QPoint(70, 40), QPoint(100, 55));
        QCOMPARE(s->BoundsRect(), QRect(70, 45, 60, 20));
        QCoreApplication::processEvents();
        // Re-fitted after the move with one more pixel at the right and bottom.
        QCOMPARE(h.handle()->geometry(), QRect(68, 43, 66, 26));
    }

    void quickClickNeverMoves()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 60, 20));
        h.click(QPoint(50, 40));
        h.press(QPoint(70, 40));
        h.move(QPoint(75, 44), 20);
        h.release(QPoint(78, 46), {}, 100); // 120 ms after the press
        QCOMPARE(s->BoundsRect(), QRect(40, 30, 60, 20));
        QVERIFY(h.handle()->FeedbackRect().isNull());
    }

    void dragShowsAnOutlineUntilRelease()
    {
        CardPanelHost h;
        h.addShape(QRect(40, 30, 60, 20));
        h.click(QPoint(50, 40));
        h.press(QPoint(70, 40));
        h.move(QPoint(80, 50), 200);
        QCOMPARE(h.handle()->FeedbackRect(), QRect(50, 40, 60, 20));
        h.release(QPoint(80, 50), {}, 200);
        QVERIFY(h.handle()->FeedbackRect().isNull());
    }

    void bottomRightResizeWithSnapEndsOneShortOfTheGrid()
    {
        CardPanelHost h;
        h.panel->SetGridSize(gs4x4);
        h.panel->SetSnapToGrid(true);
        TBCShapes *s = h.addShape(QRect(42, 30, 60, 21));
        h.click(QPoint(50, 40));
        const QRect g = h.handle()->geometry();
        const QPoint corner(g.width() - 2, g.height() - 2);
        h.move(g.topLeft() + corner, 20); // no button: picks the zone
        QCOMPARE(h.handle()->Zone(), 4);
        QCOMPARE(h.panel->ScreenCursor(), -8);
        h.drag(g.topLeft() + corner, g.topLeft() + corner + QPoint(13, 6));
        QCOMPARE(s->Left(), 42);
        QCOMPARE(s->Top(), 30);
        // The handle (5 pixels more than the object) ends one short of a multiple of 4.
        QCOMPARE((s->Width() + 5) % 4, 3);
        QCOMPARE(s->Width(), 70);
    }

    void topLeftZoneDraggedPastTheOppositeCornerKeepsFivePixels()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 60, 20));
        h.click(QPoint(50, 40));
        const QRect g = h.handle()->geometry();
        h.move(g.topLeft() + QPoint(2, 2), 20);
        QCOMPARE(h.handle()->Zone(), 1);
        h.drag(g.topLeft() + QPoint(2, 2), QPoint(200, 150));
        QCOMPARE(s->Width(), 5);
        QCOMPARE(s->Height(), 5);
        QVERIFY(s->Left() > 100);
    }

    void zonesFollowTheEdgesOfASingleSelection()
    {
        CardPanelHost h;
        h.addShape(QRect(40, 30, 100, 60));
        h.click(QPoint(50, 40));
        const QRect g = h.handle()->geometry();
        const int w = g.width(), ht = g.height();
        const QList<std::pair<QPoint, int>> zones{
            {{1, 1}, 1}, {{w - 1, 1}, 2}, {{1, ht - 1}, 3}, {{w - 1, ht - 1}, 4},
            {{w / 2, 1}, 5}, {{1, ht / 2}, 6}, {{w / 2, ht - 1}, 7}, {{w - 1, ht / 2}, 8},
            {{w / 2, ht / 2}, 0}};
        for (const auto &[p, zone] : zones) {
            h.move(g.topLeft() + p, 20);
            QCOMPARE(h.handle()->Zone(), zone);
        }
    }

    void severalSelectedObjectsOnlyMove()
    {
        CardPanelHost h;
        h.addShape(QRect(40, 30, 30, 20));
        h.addShape(QRect(100, 30, 30, 20));
        h.click(QPoint(50, 40));
        h.click(QPoint(110, 40), Qt::ShiftModifier);
        QCOMPARE(h.handle()->SelectionCount(), 2);
        const QRect g = h.handle()->geometry();
        h.move(g.topLeft() + QPoint(1, 1), 20);
        QCOMPARE(h.handle()->Zone(), 0);
    }

    void lockedObjectStaysWhileTheOtherMovesAndTheHandleRefitsAroundBoth()
    {
        CardPanelHost h;
        TBCShapes *locked = h.addShape(QRect(40, 30, 30, 20));
        TBCShapes *free = h.addShape(QRect(100, 30, 30, 20));
        locked->SetLocked(true);
        h.click(QPoint(50, 40));
        h.click(QPoint(110, 40), Qt::ShiftModifier);
        h.drag(QPoint(110, 40), QPoint(120, 70));
        QCOMPARE(locked->BoundsRect(), QRect(40, 30, 30, 20));
        QCOMPARE(free->BoundsRect(), QRect(110, 60, 30, 20));
        QCoreApplication::processEvents();
        QCOMPARE(h.handle()->geometry(), QRect(38, 28, 140 - 40 + 6, 80 - 30 + 6));
    }

    void releaseOutsideThePanelLandsWhereTheOutlineShowed()
    {
        CardPanelHost h(QSize(200, 120));
        TBCShapes *s = h.addShape(QRect(40, 30, 30, 20));
        h.click(QPoint(50, 40));
        h.drag(QPoint(50, 40), QPoint(-60, -60));
        QCOMPARE(s->Left(), 40 - 50);
        QCOMPARE(s->Top(), 30 - 40);
    }

    void arrowKeysMoveByOnePixelAndStopAtTheEdges()
    {
        CardPanelHost h(QSize(200, 120));
        TBCShapes *s = h.addShape(QRect(2, 3, 30, 20));
        h.click(QPoint(10, 10));
        for (int i = 0; i < 5; ++i)
            QTest::keyPress(h.handle(), Qt::Key_Left);
        QTest::keyRelease(h.handle(), Qt::Key_Left);
        QCOMPARE(s->Left(), 0);
        QCOMPARE(s->Top(), 3);
        for (int i = 0; i < 300; ++i)
            QTest::keyPress(h.handle(), Qt::Key_Right);
        for (int i = 0; i < 300; ++i)
            QTest::keyPress(h.handle(), Qt::Key_Down);
        QTest::keyRelease(h.handle(), Qt::Key_Down);
        QCOMPARE(s->Left() + s->Width(), 200);
        QCOMPARE(s->Top() + s->Height(), 120);
        QCOMPARE(s->Width(), 30);
    }

    void ctrlArrowsResizeASingleSelectionDownToTenPixels()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 30, 20));
        h.click(QPoint(50, 40));
        for (int i = 0; i < 40; ++i)
            QTest::keyPress(h.handle(), Qt::Key_Left, Qt::ControlModifier);
        QTest::keyPress(h.handle(), Qt::Key_Down, Qt::ControlModifier);
        QTest::keyRelease(h.handle(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(s->BoundsRect(), QRect(40, 30, 9, 21));
    }

    void shiftArrowsNudgeByTenPixelsAndStopAtTheEdge()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 30, 20));
        TBCShapes *other = h.addShape(QRect(100, 100, 30, 20));
        h.click(QPoint(50, 40));
        QTest::keyClick(h.handle(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(s->BoundsRect(), QRect(50, 30, 30, 20));
        QTest::keyClick(h.handle(), Qt::Key_Down);
        QCOMPARE(s->BoundsRect(), QRect(50, 31, 30, 20));
        // 31 pixels above: three steps of ten, then the last pixel.
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(h.handle(), Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(s->BoundsRect(), QRect(50, 0, 30, 20));
        // Several objects move together.
        h.click(QPoint(110, 110), Qt::ShiftModifier);
        QCOMPARE(h.handle()->SelectionCount(), 2);
        QTest::keyClick(h.handle(), Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(s->Left(), 40);
        QCOMPARE(other->Left(), 90);
    }

    void arrowMoveShowsItsOutlineUntilTheKeyIsReleased()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 30, 20));
        h.click(QPoint(50, 40));
        QTest::keyPress(h.handle(), Qt::Key_Up);
        QCOMPARE(h.handle()->FeedbackRect(), QRect(40, 29, 30, 20));
        QCOMPARE(s->Top(), 30);
        QTest::keyRelease(h.handle(), Qt::Key_Up);
        QCOMPARE(s->Top(), 29);
        QVERIFY(h.handle()->FeedbackRect().isNull());
    }

    void doubleClickOpensTheObjectMenuAndDoesNotMove()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 60, 20));
        h.click(QPoint(50, 40));
        h.doubleClick(QPoint(60, 40));
        QVERIFY(!h.popups.isEmpty());
        QCOMPARE(h.popups.last(), s->ObjectMenu());
        h.move(QPoint(90, 60), 300);
        h.release(QPoint(90, 60), {}, 300);
        QCOMPARE(s->BoundsRect(), QRect(40, 30, 60, 20));
    }

    void doubleClickRunsTheObjectsOwnAction()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 60, 20));
        int runs = 0;
        s->DoubleClickAction = [&runs] { ++runs; };
        h.click(QPoint(50, 40));
        h.doubleClick(QPoint(60, 40));
        QCOMPARE(runs, 1);
        QVERIFY(h.popups.isEmpty());
    }

    void rightClickOnTheSelectedObjectOpensItsMenuElseThePanelMenu()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 60, 20));
        h.press(QPoint(50, 40), {}, Qt::RightButton);
        h.release(QPoint(50, 40), {}, 20, Qt::RightButton);
        QCOMPARE(h.popups.last(), s->ObjectMenu());
        h.press(QPoint(39, 29), {}, Qt::RightButton); // on the handle's margin
        h.release(QPoint(39, 29), {}, 20, Qt::RightButton);
        QCOMPARE(h.popups.last(), h.panel->PanelMenu());
    }
};

QTEST_MAIN(TestHandle)
#include "tst_handle.moc"
