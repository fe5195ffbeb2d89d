// Snapping a dragged selection to other objects and the card's centre lines.

#include "design/CardPanelHost.h"

#include <QtTest>

class TstGuides : public QObject
{
    Q_OBJECT
private slots:
    void moveSnapsLeftEdgeToAnotherObjectWithAGuide();
    void moveSnapsCentreToTheCardsCentreLines();
    void resizeSnapsTheMovingEdgeOnly();
    void altSwitchesSnappingOff();
    void farFromEverythingTheGridStillRules();
};

void TstGuides::moveSnapsLeftEdgeToAnotherObjectWithAGuide()
{
    CardPanelHost h;
    h.addShape(QRect(40, 20, 60, 30));
    TBCShapes *moving = h.addShape(QRect(150, 130, 40, 20));
    h.click(QPoint(160, 140));
    // Dragged 107 left, its left edge would be at 43: three pixels from 40.
    h.press(QPoint(160, 140));
    h.move(QPoint(100, 140), 100);
    h.move(QPoint(53, 140), 100);
    QCOMPARE(h.panel->Guides().size(), 1);
    QCOMPARE(h.panel->Guides().first(), QLine(40, 0, 40, h.panel->height() - 1));
    // The outline shows where it will land.
    QCOMPARE(h.handle()->FeedbackRect().left(), 40);
    h.release(QPoint(53, 140), {}, 100);
    QCOMPARE(moving->BoundsRect(), QRect(40, 130, 40, 20));
    QVERIFY(h.panel->Guides().isEmpty());

    // Right edges meet too: moved 22 right it would end at 102, the other ends at 100.
    h.ms += 1000;
    h.drag(QPoint(50, 140), QPoint(72, 140));
    QCOMPARE(moving->Left() + moving->Width(), 100);
}

void TstGuides::moveSnapsCentreToTheCardsCentreLines()
{
    CardPanelHost h; // 336 x 192: centre lines at 168 and 96
    TBCShapes *moving = h.addShape(QRect(20, 20, 40, 20));
    h.click(QPoint(30, 30));
    // Centre (40, 30) to (166, 94): two pixels from both centre lines.
    h.drag(QPoint(30, 30), QPoint(156, 94));
    QCOMPARE(moving->Left() + moving->Width() / 2, 168);
    QCOMPARE(moving->Top() + moving->Height() / 2, 96);
}

void TstGuides::resizeSnapsTheMovingEdgeOnly()
{
    CardPanelHost h;
    h.addShape(QRect(40, 120, 100, 30));
    TBCShapes *sized = h.addShape(QRect(40, 20, 60, 30));
    h.click(QPoint(70, 35));
    // The right zone of the handle (41 .. 103 wide) is at x 102, y 35.
    const QPoint right(102, 35);
    h.move(right, 20);
    QCOMPARE(h.handle()->Zone(), 8);
    h.drag(right, QPoint(138, 35));
    // Its right edge meets the other's (140); the left edge stays.
    QCOMPARE(sized->BoundsRect(), QRect(40, 20, 100, 30));
}

void TstGuides::altSwitchesSnappingOff()
{
    CardPanelHost h;
    h.addShape(QRect(40, 20, 60, 30));
    TBCShapes *moving = h.addShape(QRect(150, 130, 40, 20));
    h.click(QPoint(160, 140));
    h.press(QPoint(160, 140), Qt::AltModifier);
    h.ms += 100;
    QTest::mouseMove(h.window(), h.toWindow(QPoint(100, 140)));
    h.ms += 100;
    // Qt takes a move's modifiers from the keyboard state: send one with Alt.
    const QPoint at(53, 140);
    QMouseEvent move(QEvent::MouseMove, QPointF(h.handle()->mapFrom(h.panel, at)), QPointF(h.toWindow(at)),
                     QPointF(h.panel->mapToGlobal(at)), Qt::NoButton, Qt::LeftButton, Qt::AltModifier);
    QApplication::sendEvent(h.handle(), &move);
    QVERIFY(h.panel->Guides().isEmpty());
    h.release(QPoint(53, 140), Qt::AltModifier, 100);
    QCOMPARE(moving->BoundsRect(), QRect(43, 130, 40, 20));
}

void TstGuides::farFromEverythingTheGridStillRules()
{
    CardPanelHost h;
    h.panel->SetSnapToGrid(true);
    TBCShapes *moving = h.addShape(QRect(20, 20, 40, 20));
    h.click(QPoint(30, 30));
    h.drag(QPoint(30, 30), QPoint(61, 71));
    // Handle left 18 + 31 = 49 snaps to 48 (grid 4): the object at 50.
    QCOMPARE(moving->Left(), 50);
    QCOMPARE(moving->Top() % 4, 2);
    QVERIFY(h.panel->Guides().isEmpty());
}

QTEST_MAIN(TstGuides)
#include "tst_guides.moc"
