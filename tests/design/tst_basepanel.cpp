// Selecting on the panel, its menu, and the commands on the selection.
#include "design/CardPanelHost.h"
#include "design/PropertyCopyStreamer.h"
#include "objects/TGPLabel.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"

#include <QFile>
#include <QtTest>

namespace {
TGPLabel *addLabel(CardPanelHost &h, QRect r)
{
    auto *label = new TGPLabel(h.panel);
    label->Loaded();
    h.panel->PlaceObject(label, r);
    QCoreApplication::processEvents();
    return label;
}
} // namespace

class TestBasePanel : public QObject
{
    Q_OBJECT
private slots:
    void clickWithTheRectangleToolGivesFiftyByFifteen()
    {
        CardPanelHost h;
        QSignalSpy dropped(h.panel, &TGBasePanel::DroppedObjectEvent);
        h.panel->SetPanelState(psRectangle);
        h.click(QPoint(40, 30));
        QCOMPARE(h.panel->ObjectCount(), 1);
        auto *s = qobject_cast<TBCShapes *>(h.panel->Objects().first());
        QVERIFY(s);
        QCOMPARE(s->Shape(), stRectangle);
        QCOMPARE(s->BoundsRect(), QRect(40, 30, 50, 15));
        QCOMPARE(s->Name(), QStringLiteral("Special1"));
        QCOMPARE(dropped.count(), 1);
        QVERIFY(s->ObjectMenu());
    }

    void narrowDragBecomesFiftyWideAndWideDragKeepsItsSize()
    {
        CardPanelHost h;
        h.panel->SetPanelState(psEllipse);
        h.drag(QPoint(100, 20), QPoint(80, 60));
        QCOMPARE(h.panel->Objects().last()->BoundsRect(), QRect(80, 20, 50, 40));
        h.panel->SetPanelState(psLine);
        // Down and to the right, steeper than 22.5 degrees: a line sloping down.
        h.drag(QPoint(10, 100), QPoint(150, 160));
        auto *line = qobject_cast<TGLineShape *>(h.panel->Objects().last());
        QVERIFY(line);
        QCOMPARE(line->LineStyle(), stAngleSlopingDown);
        QCOMPARE(line->BoundsRect(), QRect(10, 100, 140, 60));
        QCOMPARE(line->Name(), QStringLiteral("Special2"));
    }

    void placingNamesObjectsWithTheLowestFreeNumber()
    {
        CardPanelHost h;
        TBCShapes *a = h.addShape(QRect(10, 10, 20, 20));
        TBCShapes *b = h.addShape(QRect(40, 10, 20, 20));
        TBCShapes *c = h.addShape(QRect(70, 10, 20, 20));
        QCOMPARE(QStringList({a->Name(), b->Name(), c->Name()}),
                 QStringList({"Special1", "Special2", "Special3"}));
        h.panel->FreeObject(b);
        QCOMPARE(h.addShape(QRect(40, 40, 5, 5))->Name(), QStringLiteral("Special2"));
        // Placing raises tiny rectangles to 10 x 15.
        QCOMPARE(h.panel->Objects().last()->BoundsRect().size(), QSize(10, 15));
    }

    void clickOnTheEmptyCardClearsTheSelectionShiftClickKeepsIt()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 60, 20));
        h.click(QPoint(50, 40));
        h.click(QPoint(200, 150), Qt::ShiftModifier);
        QVERIFY(h.handle()->IsSelected(s));
        h.click(QPoint(200, 150));
        QCOMPARE(h.handle()->SelectionCount(), 0);
        QVERIFY(!h.handle()->isVisible());
        QCOMPARE(h.handle()->size(), QSize(24, 24));
    }

    void rubberBandSelectsEveryObjectItTouches()
    {
        CardPanelHost h;
        TBCShapes *a = h.addShape(QRect(40, 30, 30, 20));
        TBCShapes *b = h.addShape(QRect(100, 30, 30, 20));
        h.addShape(QRect(200, 130, 30, 20));
        h.drag(QPoint(10, 10), QPoint(101, 31));
        QCOMPARE(h.handle()->Selection(), QList<TGGraphicControl *>({b, a}));
        QVERIFY(!h.panel->RubberBandActive());
    }

    void shiftRubberBandTogglesObjects()
    {
        CardPanelHost h;
        TBCShapes *a = h.addShape(QRect(40, 30, 30, 20));
        TBCShapes *b = h.addShape(QRect(100, 30, 30, 20));
        h.click(QPoint(50, 40));
        h.drag(QPoint(10, 5), QPoint(150, 25), Qt::NoModifier); // touches nothing
        QCOMPARE(h.handle()->SelectionCount(), 0);
        h.click(QPoint(50, 40));
        h.drag(QPoint(30, 60), QPoint(150, 45), Qt::ShiftModifier);
        QVERIFY(!h.handle()->IsSelected(a));
        QVERIFY(h.handle()->IsSelected(b));
    }

    void rubberBandOutlineIsDrawnWhileDragging()
    {
        CardPanelHost h;
        h.press(QPoint(10, 10));
        h.move(QPoint(60, 40));
        QVERIFY(h.panel->RubberBandActive());
        QCOMPARE(h.panel->RubberBandRect(), QRect(10, 10, 50, 30));
        const QImage shown = h.render();
        // Dotted white by exclusive-or on white: the first dot turns black.
        QCOMPARE(shown.pixelColor(10, 10), QColor(Qt::black));
        QCOMPARE(shown.pixelColor(30, 25), QColor(Qt::white));
        h.release(QPoint(60, 40));
        QCOMPARE(h.render().pixelColor(10, 10), QColor(Qt::white));
    }

    void shiftClickInsideTheHandleDeselectsTheObjectUnderThePoint()
    {
        CardPanelHost h;
        TBCShapes *a = h.addShape(QRect(40, 30, 30, 20));
        TBCShapes *b = h.addShape(QRect(100, 30, 30, 20));
        h.panel->SelectAll();
        h.click(QPoint(110, 40), Qt::ShiftModifier);
        QCOMPARE(h.handle()->Selection(), QList<TGGraphicControl *>({a}));
        QVERIFY(!h.handle()->IsSelected(b));
    }

    void unselectableObjectsAreClickedThrough()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 60, 20));
        s->SetUnselectable(true);
        h.click(QPoint(50, 40));
        QCOMPARE(h.handle()->SelectionCount(), 0);
        h.panel->SelectAll();
        QCOMPARE(h.handle()->SelectionCount(), 0);
        h.panel->MarkAllSelectable();
        h.panel->SelectAll();
        QCOMPARE(h.handle()->SelectionCount(), 1);
    }

    void panelMenuHasItsEntriesInOrder()
    {
        CardPanelHost h;
        QCOMPARE(menuCaptions(h.panel->PanelMenu()),
                 QStringList({"Bring To Front", "Send To Back", "-", "Cut", "Copy", "Paste", "-",
                              "Delete", "-", "Align Left", "Align Right", "Align Tops",
                              "Align Bottoms", "-", "Center Vertically", "Center Horizontally", "-",
                              "Lock All", "Unlock All", "-", "Mark All Selectable",
                              "Mark All Unselectable", "Select All", "-", "Font"}));
    }

    void panelMenuEnablesEntriesForTheSelectionAndTheClipboard()
    {
        TempProgramFolder folder;
        CardPanelHost h;
        QMenu *menu = h.panel->PanelMenu();
        h.press(QPoint(200, 150), {}, Qt::RightButton);
        h.release(QPoint(200, 150), {}, 20, Qt::RightButton);
        QCOMPARE(h.popups.last(), menu);
        QVERIFY(!menuItem(menu, "Delete")->isEnabled());
        QVERIFY(!menuItem(menu, "Font")->isEnabled());
        QVERIFY(!menuItem(menu, "Paste")->isEnabled());
        QVERIFY(!menuItem(menu, "Lock All")->isEnabled());
        QVERIFY(menuItem(menu, "Select All")->isEnabled());

        h.addShape(QRect(40, 30, 60, 20));
        h.panel->SelectAll();
        QFile(h.panel->ClipboardFileName()).open(QIODevice::WriteOnly);
        h.panel->UpdatePanelMenu();
        QVERIFY(menuItem(menu, "Delete")->isEnabled());
        QVERIFY(menuItem(menu, "Align Left")->isEnabled());
        QVERIFY(menuItem(menu, "Paste")->isEnabled());
        QVERIFY(menuItem(menu, "Unlock All")->isEnabled());
    }

    void deleteKeyFreesTheSelectionAndReportsEachObject()
    {
        CardPanelHost h;
        h.addShape(QRect(40, 30, 30, 20));
        h.addShape(QRect(100, 30, 30, 20));
        TBCShapes *kept = h.addShape(QRect(200, 30, 30, 20));
        h.panel->SelectAll();
        h.handle()->DeselectObject(kept);
        QSignalSpy changes(h.panel, &TGBasePanel::LabelChangedEvent);
        QTest::keyClick(h.handle(), Qt::Key_Delete);
        QCOMPARE(h.panel->Objects(), QList<TGGraphicControl *>({kept}));
        QCOMPARE(changes.count(), 2);
        QCOMPARE(h.handle()->SelectionCount(), 0);
    }

    void alignmentUsesTheExtremesOfTheSelection()
    {
        CardPanelHost h;
        TBCShapes *a = h.addShape(QRect(40, 30, 30, 20));
        TBCShapes *b = h.addShape(QRect(100, 60, 50, 40));
        h.panel->SelectAll();
        h.panel->AlignLeft();
        QCOMPARE(b->Left(), 40);
        h.panel->AlignRight();
        QCOMPARE(a->Left() + a->Width(), 90);
        QCOMPARE(b->Left() + b->Width(), 90);
        h.panel->AlignTops();
        QCOMPARE(b->Top(), 30);
        h.panel->AlignBottoms();
        QCOMPARE(a->Top() + a->Height(), 70);
    }

    void centeringUsesTruncatingHalves()
    {
        CardPanelHost h(QSize(335, 191));
        TBCShapes *s = h.addShape(QRect(10, 10, 31, 21));
        h.panel->SelectAll();
        h.panel->CenterSelectionVertically();
        h.panel->CenterSelectionHorizontally();
        QCOMPARE(s->Top(), 95 - 10);
        QCOMPARE(s->Left(), 167 - 15);
    }

    void zOrderCommandsMoveTheSelection()
    {
        CardPanelHost h;
        TBCShapes *a = h.addShape(QRect(40, 30, 30, 20));
        TBCShapes *b = h.addShape(QRect(50, 35, 30, 20));
        h.click(QPoint(45, 35));
        h.panel->BringSelectionToFront();
        QCOMPARE(h.panel->Objects(), QList<TGGraphicControl *>({b, a}));
        h.panel->SendSelectionToBack();
        QCOMPARE(h.panel->Objects(), QList<TGGraphicControl *>({a, b}));
        QCOMPARE(h.handle()->SelectionCount(), 0);
    }

    void lockAllAndUnlockAll()
    {
        CardPanelHost h;
        TBCShapes *a = h.addShape(QRect(40, 30, 30, 20));
        TBCShapes *b = h.addShape(QRect(100, 30, 30, 20));
        h.panel->LockAll();
        QVERIFY(a->Locked() && b->Locked());
        h.panel->UnlockAll();
        QVERIFY(!a->Locked() && !b->Locked());
    }

    void fontIsAppliedToTheSelectionOnOk()
    {
        ScopedScriptedDialogs dialogs;
        CardPanelHost h;
        TBCShapes *shape = h.addShape(QRect(40, 30, 30, 20));
        TGPLabel *chosen = addLabel(h, QRect(10, 60, 142, 33));
        TGPLabel *other = addLabel(h, QRect(10, 120, 142, 33));
        const TFont before = other->Font();
        h.panel->ChooseFont();
        QCOMPARE(dialogs->fontRequests.size(), 0); // nothing selected: no dialog

        h.handle()->SelectObject(shape);
        h.handle()->SelectObject(chosen);
        dialogs->fonts.enqueue(std::nullopt); // Cancel changes nothing
        h.panel->ChooseFont();
        QCOMPARE(dialogs->fontRequests.size(), 1);
        QCOMPARE(dialogs->fontRequests.first(), h.panel->Font());
        QCOMPARE(chosen->Font(), before);

        TFont serif;
        serif.name = "Times New Roman";
        serif.height = -24;
        serif.style = fsBold | fsItalic;
        serif.color = clNavy;
        dialogs->fonts.enqueue(serif);
        const TFont panelFont = h.panel->Font();
        QSignalSpy changed(h.panel, &TGBasePanel::LabelChangedEvent);
        h.panel->ChooseFont();
        QCOMPARE(dialogs->fontRequests.size(), 2);
        QCOMPARE(chosen->Font(), serif);
        QVERIFY(chosen->LayoutDirty());
        QVERIFY(changed.count() > 0);
        QCOMPARE(other->Font(), before);       // not selected
        QCOMPARE(h.panel->Font(), panelFont);  // the font for new objects stays
    }

    void objectsOutsideTheCardAreDroppedOrPulledIn()
    {
        CardPanelHost h(QSize(200, 100));
        TBCShapes *inside = h.addShape(QRect(10, 10, 20, 20));
        TBCShapes *below = h.addShape(QRect(10, 95, 20, 20));
        TBCShapes *right = h.addShape(QRect(185, 10, 20, 20));
        h.panel->PullObjectsInside();
        QCOMPARE(below->Top(), 90);
        QCOMPARE(right->Left(), 180);
        below->SetTop(91);
        right->SetLeft(191);
        h.panel->DeleteObjectsOutside();
        QCOMPARE(h.panel->Objects(), QList<TGGraphicControl *>({inside}));
    }

    void changesAreNotReportedWhileSuppressedOrPrinting()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(40, 30, 30, 20));
        QSignalSpy changes(h.panel, &TGBasePanel::LabelChangedEvent);
        h.panel->SetSuppressChanges(true);
        s->SetLocked(true);
        h.panel->SetSuppressChanges(false);
        h.panel->SetPrinting(true);
        s->SetLocked(false);
        h.panel->SetPrinting(false);
        QCOMPARE(changes.count(), 0);
        s->SetLocked(true);
        QCOMPARE(changes.count(), 1);
    }

    void copyAndPasteOffsetsFromTheStoredPositionOncePerSecond()
    {
        TempProgramFolder folder;
        CardPanelHost h;
        PropertyCopyStreamer streamer;
        h.panel->SetStreamer(&streamer);
        TBCShapes *s = h.addShape(QRect(40, 30, 30, 20));
        s->SetPen(TPen{clRed, 3, psSolid, pmCopy});
        h.panel->Copy();
        QCOMPARE(streamer.writes, 0); // nothing selected: the file is untouched
        QVERIFY(!QFile::exists(h.panel->ClipboardFileName()));
        h.click(QPoint(50, 40));
        QTest::keyClick(h.handle(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QFile::exists(h.panel->ClipboardFileName()));
        h.panel->Paste();
        h.ms += 500;
        h.panel->Paste();
        QCOMPARE(h.panel->ObjectCount(), 2);
        h.ms += 600;
        h.panel->Paste();
        QCOMPARE(h.panel->ObjectCount(), 3);
        for (TGGraphicControl *pasted : h.panel->Objects().mid(1)) {
            QCOMPARE(pasted->BoundsRect(), QRect(55, 45, 30, 20));
            QCOMPARE(qobject_cast<TBCShapes *>(pasted)->Pen().width, 3);
        }
        QCOMPARE(h.panel->Objects().at(1)->Name(), QStringLiteral("Component0"));
        QCOMPARE(h.panel->Objects().at(2)->Name(), QStringLiteral("Component1"));
    }

    void cutRemovesTheSelectionAfterWritingIt()
    {
        TempProgramFolder folder;
        CardPanelHost h;
        PropertyCopyStreamer streamer;
        h.panel->SetStreamer(&streamer);
        h.addShape(QRect(40, 30, 30, 20));
        h.panel->SelectAll();
        h.panel->Cut();
        QCOMPARE(h.panel->ObjectCount(), 0);
        h.panel->Paste();
        QCOMPARE(h.panel->ObjectCount(), 1);
    }

    void clipboardFileIsDeletedWithThePanel()
    {
        TempProgramFolder folder;
        QString file;
        {
            CardPanelHost h;
            file = h.panel->ClipboardFileName();
            QVERIFY(file.startsWith(folder.path()));
            QFile(file).open(QIODevice::WriteOnly);
        }
        QVERIFY(!QFile::exists(file));
    }
};

QTEST_MAIN(TestBasePanel)
#include "tst_basepanel.moc"
