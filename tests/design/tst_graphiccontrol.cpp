// The design object base: change reports, zoom, flags, marks, menu, clone.
#include "design/CardPanelHost.h"
#include "design/PropertyCopyStreamer.h"
#include "design/TGCursors.h"
#include "platform/Numbers.h"

#include <QtTest>

class TestGraphicControl : public QObject
{
    Q_OBJECT
private slots:
    void freshObjectReportsNoChangeOnItsFirstBoundsCheck()
    {
        CardPanelHost h;
        auto *s = new TBCShapes(h.panel);
        h.panel->AddObject(s);
        QSignalSpy changes(h.panel, &TGBasePanel::LabelChangedEvent);
        s->SetBounds(10, 10, 40, 30);
        QCOMPARE(changes.count(), 0);
        s->SetBounds(12, 10, 40, 30);
        QCOMPARE(changes.count(), 1);
        s->SetBounds(12, 10, 40, 30); // unchanged
        QCOMPARE(changes.count(), 1);
    }

    void boundsChangeRefitsTheHandleOnlyAfterTheMove()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 30, 20));
        h.panel->SelectAll();
        s->SetLeft(60);
        QCOMPARE(h.handle()->geometry(), QRect(38, 28, 35, 25)); // not yet
        QCoreApplication::processEvents();
        QCOMPARE(h.handle()->geometry(), QRect(58, 28, 36, 26));
    }

    void zoomScalesBoundsWithEachStepRounded()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(41, 33, 25, 17));
        QSignalSpy changes(h.panel, &TGBasePanel::LabelChangedEvent);
        s->SetZoom(1.0f);
        QCOMPARE(changes.count(), 0);
        s->SetZoom(1.5f);
        // 61.5 -> 62, 49.5 -> 50, 37.5 -> 38, 25.5 -> 26: ties go to even.
        QCOMPARE(s->BoundsRect(), QRect(62, 50, 38, 26));
        s->SetZoom(1.0f);
        QCOMPARE(s->BoundsRect(), QRect(41, 33, 25, 17));
        const float z = Numbers::zoomAfterSteps(3);
        s->SetZoom(z);
        QCOMPARE(s->Zoom(), z);
        QCOMPARE(s->Left(), Numbers::roundHalfEven(41.0 * double(z)));
    }

    void unselectableLeavesTheSelectionAtOnce()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 30, 20));
        h.panel->SelectAll();
        s->SetUnselectable(true);
        QCOMPARE(h.handle()->SelectionCount(), 0);
        QVERIFY(!h.handle()->isVisible());
    }

    void flagsOnlyStoreWhileLoading()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 30, 20));
        h.panel->SelectAll();
        QSignalSpy changes(h.panel, &TGBasePanel::LabelChangedEvent);
        s->SetLoading(true);
        s->SetLocked(true);
        s->SetUnselectable(true);
        s->SetLoading(false);
        QCOMPARE(changes.count(), 0);
        QVERIFY(h.handle()->IsSelected(s));
        QVERIFY(s->Locked() && s->Unselectable());
    }

    void objectMenuHasTheCommonCommandsAndLockedFollowsTheFlag()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 30, 20));
        const QStringList captions = menuCaptions(s->ObjectMenu());
        QCOMPARE(captions.mid(0, 12),
                 QStringList({"Bring To Front", "Send To Back", "Cut", "Copy", "Delete", "Clone", "-",
                              "Locked", "Unselectable", "-", "Center Vertically", "Center Horizontally"}));
        QAction *locked = menuItem(s->ObjectMenu(), "Locked");
        locked->trigger();
        QVERIFY(s->Locked());
        QVERIFY(locked->isChecked());
        s->SetLocked(false);
        QVERIFY(!locked->isChecked());
        menuItem(s->ObjectMenu(), "Unselectable")->trigger();
        QVERIFY(s->Unselectable());
    }

    void deleteFromTheObjectMenuOfAnUnselectedObject()
    {
        CardPanelHost h;
        TBCShapes *a = h.addShape(QRect(40, 30, 30, 20));
        TBCShapes *b = h.addShape(QRect(100, 30, 30, 20));
        h.click(QPoint(110, 40));
        menuItem(a->ObjectMenu(), "Delete")->trigger();
        QCOMPARE(h.panel->Objects(), QList<TGGraphicControl *>({b}));
        QVERIFY(h.handle()->IsSelected(b));
    }

    void sendToBackFromTheObjectMenuClearsTheSelection()
    {
        CardPanelHost h;
        TBCShapes *a = h.addShape(QRect(40, 30, 30, 20));
        TBCShapes *b = h.addShape(QRect(50, 35, 30, 20));
        h.click(QPoint(75, 50));
        menuItem(b->ObjectMenu(), "Send To Back")->trigger();
        QCOMPARE(h.panel->Objects(), QList<TGGraphicControl *>({b, a}));
        QCOMPARE(h.handle()->SelectionCount(), 0);
    }

    void findLastSameClassFindsTheTopmostOfItsKind()
    {
        CardPanelHost h;
        TBCShapes *a = h.addShape(QRect(40, 30, 30, 20));
        TBCShapes *b = h.addShape(QRect(50, 35, 30, 20));
        TGLineShape *line = h.addLine(QRect(0, 0, 30, 20));
        QCOMPARE(a->FindLastSameClass(), b);
        QCOMPARE(line->FindLastSameClass(), line);
        h.panel->BringToFront(a);
        QCOMPARE(b->FindLastSameClass(), a);
    }

    void cloneGoesTwentyFivePixelsLowerOnTopAndTakesTheSelection()
    {
        CardPanelHost h;
        PropertyCopyStreamer streamer;
        h.panel->SetStreamer(&streamer);
        TBCShapes *s = h.addShape(QRect(40, 30, 30, 20), stEllipse);
        h.addShape(QRect(100, 30, 30, 20));
        h.click(QPoint(50, 40));
        QSignalSpy changes(h.panel, &TGBasePanel::LabelChangedEvent);
        menuItem(s->ObjectMenu(), "Clone")->trigger();
        QCOMPARE(h.panel->ObjectCount(), 3);
        auto *copy = qobject_cast<TBCShapes *>(h.panel->Objects().last());
        QVERIFY(copy && copy != s);
        QCOMPARE(copy->BoundsRect(), QRect(40, 55, 30, 20));
        QCOMPARE(copy->Shape(), stEllipse);
        QCOMPARE(copy->Name(), QStringLiteral("Component0"));
        QCOMPARE(h.handle()->Selection(), QList<TGGraphicControl *>({copy}));
        QVERIFY(changes.count() >= 1);
    }

    void singleSelectionShowsEightMarksInThePrimaryColour()
    {
        CardPanelHost h;
        h.addShape(QRect(40, 30, 60, 20))->SetTransparent(true);
        h.panel->SelectAll();
        h.handle()->SetColor(clRed);
        const QImage shown = h.render();
        const QColor red(255, 0, 0);
        QCOMPARE(shown.pixelColor(38, 28), red);  // top-left corner mark
        QCOMPARE(shown.pixelColor(101, 51), red); // bottom-right
        QCOMPARE(shown.pixelColor(70, 28), red);  // top middle
        QCOMPARE(shown.pixelColor(38, 40), red);  // left middle
        QCOMPARE(shown.pixelColor(60, 28), QColor(Qt::white));
    }

    void severalSelectedShowOnlyCornersInTheSecondaryColour()
    {
        CardPanelHost h;
        h.addShape(QRect(40, 30, 60, 20))->SetTransparent(true);
        h.addShape(QRect(150, 30, 60, 20))->SetTransparent(true);
        h.panel->SelectAll();
        const QImage shown = h.render();
        QCOMPARE(shown.pixelColor(38, 28), QColor(0x80, 0x80, 0x80));
        QCOMPARE(shown.pixelColor(70, 28), QColor(Qt::white));
    }

    void cursorComesBackWhenTheMouseLeavesAnObject()
    {
        CardPanelHost h;
        QVERIFY(h.exposed);
        h.addShape(QRect(40, 30, 30, 20));
        h.addShape(QRect(150, 30, 30, 20));
        h.move(QPoint(10, 10));
        QCOMPARE(h.panel->ScreenCursor(), TGCursors::crDefault);
        h.move(QPoint(50, 40));
        QCOMPARE(h.panel->ScreenCursor(), TGCursors::crHandPoint);
        h.move(QPoint(120, 100));
        QCOMPARE(h.panel->ScreenCursor(), TGCursors::crDefault);
        // Leaving the card straight from an object.
        h.move(QPoint(160, 40));
        QCOMPARE(h.panel->ScreenCursor(), TGCursors::crHandPoint);
        h.move(QPoint(h.panel->width() + 10, 40));
        QCOMPARE(h.panel->ScreenCursor(), TGCursors::crDefault);
        // With a drawing tool the tool's cursor comes back.
        h.panel->SetPanelState(psLine);
        h.move(QPoint(50, 40));
        h.move(QPoint(120, 100));
        QCOMPARE(h.panel->ScreenCursor(), TGCursors::crDrag);
    }

    void spaceTrimmingKeepsOtherWhiteSpace()
    {
        QCOMPARE(TGGraphicControl::TrimLeadingSpaces("  a b "), QStringLiteral("a b "));
        QCOMPARE(TGGraphicControl::TrimTrailingSpaces("  a b  "), QStringLiteral("  a b"));
        QCOMPARE(TGGraphicControl::TrimSpaces(" \ta\t "), QStringLiteral("\ta\t"));
        QCOMPARE(TGGraphicControl::TrimSpaces("   "), QString());
    }
};

QTEST_MAIN(TestGraphicControl)
#include "tst_graphiccontrol.moc"
