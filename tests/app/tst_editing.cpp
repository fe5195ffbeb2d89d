// The editing habits of the main window, driven by real keys and mouse
// events on the card: the Edit menu's commands, selection after drawing and
// pasting, Tab, nudging, tool letters, the line tool's direction, double
// clicks, the status bar, the first window's size, zoom and smooth drawing.

#include "UndoFixture.h"

#include "app/Preferences.h"
#include "app/TCardArea.h"
#include "app/TEditingCommands.h"
#include "app/TMainMenus.h"
#include "app/TMainToolBar.h"
#include "design/CardDocument.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGLineShape.h"
#include "objects/TGetBCLabelText.h"
#include "platform/IniFile.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <QtTest>

namespace {

TEditingCommands &editing(TMainScreen &s)
{
    auto *commands = s.findChild<TEditingCommands *>();
    Q_ASSERT(commands);
    return *commands;
}

QStringList captionsBetween(const QMenu *menu, const QAction *first, const QAction *last)
{
    QStringList captions;
    bool inside = false;
    for (const QAction *a : menu->actions()) {
        if (a == last)
            break;
        if (inside)
            captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
        if (a == first)
            inside = true;
    }
    return captions;
}

} // namespace

class TstEditing : public QObject
{
    Q_OBJECT
private slots:
    void editMenuHoldsClipboardAndSelectionCommands();
    void newPastedAndDuplicatedObjectsBecomeTheSelection();
    void tabAndShiftTabStepThroughTheObjects();
    void arrowsNudgeOneAndShiftArrowsTen();
    void toolLettersPickToolsWhileTheCardHasTheFocus();
    void lineToolFollowsTheDrag();
    void doubleClickOpensPropertiesAndRightButtonTheMenu();
    void statusBarShowsTheSelectionAndTheZoom();
    void firstWindowFitsTheToolBarAndTheCard();
    void zoomRunsFrom25To800WithTheCardCentred();
    void zoomingThereAndBackLeavesTheDocumentByteIdentical();
    void undoAtASmallZoomRestoresTheExactPlace();
    void ctrlWheelZoomsAboutTheCursor();
    void smoothDrawingIsAKeptPreference();
};

void TstEditing::editMenuHoldsClipboardAndSelectionCommands()
{
    UndoFixture f;
    TMainScreen &s = f.begin();
    const TMainMenus &m = *s.Menus;
    QCOMPARE(captionsBetween(m.EditMenu, m.RedoItem, m.DefaultFontItem),
             QStringList({"-", "Cu&t", "&Copy", "&Paste", "D&uplicate", "De&lete", "Select &All", "Properties...",
                          "-"}));
    TEditingCommands &e = editing(s);
    QCOMPARE(e.DuplicateItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    QCOMPARE(e.SelectAllItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    QCOMPARE(e.PropertiesItem->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Return));
    QCOMPARE(e.DeleteSelectionItem->shortcut(), QKeySequence(Qt::Key_Delete));
    // Nothing selected: only what needs no selection is on.
    e.UpdateItems();
    QVERIFY(!e.CutItem->isEnabled());
    QVERIFY(!e.PropertiesItem->isEnabled());
}

void TstEditing::newPastedAndDuplicatedObjectsBecomeTheSelection()
{
    UndoFixture f;
    TMainScreen &s = f.begin();
    s.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s));
    TGGraphicControl *first = f.drawn(QRect(20, 20, 60, 30));
    QCOMPARE(f.handle().Selection(), QList<TGGraphicControl *>({first}));
    TGGraphicControl *second = f.drawn(QRect(120, 20, 60, 30));
    QCOMPARE(f.handle().Selection(), QList<TGGraphicControl *>({second}));

    f.key(Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(f.handle().SelectionCount(), 2);
    f.key(Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(f.panel().ObjectCount(), 4);
    const QList<TGGraphicControl *> copies = f.handle().Selection();
    QCOMPARE(copies.size(), 2);
    QVERIFY(!copies.contains(first) && !copies.contains(second));
    QCOMPARE(copies.at(0)->BoundsRect(), first->BoundsRect().translated(15, 15));
    QCOMPARE(f.stack().undoText(), QStringLiteral("Duplicate"));

    f.key(Qt::Key_Delete);
    QCOMPARE(f.panel().ObjectCount(), 2);
    f.click(QPoint(40, 30));
    f.key(Qt::Key_C, Qt::ControlModifier);
    f.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.panel().ObjectCount(), 3);
    TGGraphicControl *pasted = f.panel().Objects().constLast();
    QCOMPARE(f.handle().Selection(), QList<TGGraphicControl *>({pasted}));
    QCOMPARE(pasted->BoundsRect(), first->BoundsRect().translated(15, 15));
    // The menu's Delete takes the selection.
    editing(s).DeleteSelectionItem->trigger();
    QCOMPARE(f.panel().ObjectCount(), 2);
    QCOMPARE(f.stack().undoText(), QStringLiteral("Delete"));
}

void TstEditing::tabAndShiftTabStepThroughTheObjects()
{
    UndoFixture f;
    TMainScreen &s = f.begin();
    s.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s));
    TGGraphicControl *a = f.drawn(QRect(20, 20, 30, 20));
    TGGraphicControl *b = f.drawn(QRect(80, 20, 30, 20));
    TGGraphicControl *c = f.drawn(QRect(140, 20, 30, 20));
    b->SetUnselectable(true); // skipped
    f.click(QPoint(30, 30));
    QCOMPARE(f.handle().Selection(), QList<TGGraphicControl *>({a}));
    f.key(Qt::Key_Tab);
    QCOMPARE(f.handle().Selection(), QList<TGGraphicControl *>({c}));
    f.key(Qt::Key_Tab);
    QCOMPARE(f.handle().Selection(), QList<TGGraphicControl *>({a}));
    f.key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(f.handle().Selection(), QList<TGGraphicControl *>({c}));
    // The keyboard focus stays on the card.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(&f.handle()));
}

void TstEditing::arrowsNudgeOneAndShiftArrowsTen()
{
    UndoFixture f;
    TMainScreen &s = f.begin();
    TGGraphicControl *r = f.drawn(QRect(40, 40, 30, 20));
    QVERIFY(f.handle().IsSelected(r));
    f.key(Qt::Key_Right);
    QCOMPARE(r->BoundsRect(), QRect(41, 40, 30, 20));
    f.key(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(r->BoundsRect(), QRect(41, 50, 30, 20));
    f.key(Qt::Key_Left, Qt::ShiftModifier);
    f.key(Qt::Key_Up);
    QCOMPARE(r->BoundsRect(), QRect(31, 49, 30, 20));
    QVERIFY(s.ChangesMade());
}

void TstEditing::toolLettersPickToolsWhileTheCardHasTheFocus()
{
    UndoFixture f;
    TMainScreen &s = f.begin();
    TGBusinessCardPanel32 &panel = f.panel();
    panel.setFocus();
    QTest::keyClick(&panel, Qt::Key_R);
    QCOMPARE(panel.PanelState(), psRectangle);
    QVERIFY(s.ToolBar->DrawRectanglebutton->isChecked());
    QTest::keyClick(&panel, Qt::Key_E);
    QCOMPARE(panel.PanelState(), psEllipse);
    // A letter with Ctrl is no tool.
    QTest::keyClick(&panel, Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(panel.PanelState(), psEllipse);
    QTest::keyClick(&panel, Qt::Key_V);
    QCOMPARE(panel.PanelState(), psPointing);
    QVERIFY(s.ToolBar->Pointerbutton->isChecked());
    // With an object selected the handle has the focus; the letters still work.
    f.drawn(QRect(20, 20, 30, 20));
    QTest::keyClick(&f.handle(), Qt::Key_L);
    QCOMPARE(panel.PanelState(), psLine);
    QCOMPARE(s.ToolBar->DrawRectanglebutton->toolTip(), QStringLiteral("Rectangle tool (R)"));
    QCOMPARE(s.ToolBar->DrawSupershape->toolTip(),
             QStringLiteral("Supershape tool (S)\nMulti-purpose shapes and surfaces"));
}

void TstEditing::lineToolFollowsTheDrag()
{
    UndoFixture f;
    TMainScreen &s = f.begin();
    struct Case {
        QPoint from, to;
        TLineStyle style;
    };
    const Case cases[] = {
        {QPoint(20, 40), QPoint(120, 52), stHorizontal},
        {QPoint(150, 20), QPoint(140, 120), stVertical},
        {QPoint(20, 100), QPoint(100, 160), stAngleSlopingDown},
        {QPoint(200, 160), QPoint(280, 100), stAngleSlopingUp},
        {QPoint(300, 100), QPoint(240, 40), stAngleSlopingDown},
    };
    for (const Case &c : cases) {
        QTest::keyClick(&f.panel(), Qt::Key_L);
        QCOMPARE(f.panel().PanelState(), psLine);
        f.drag(c.from, c.to);
        auto *line = qobject_cast<TGLineShape *>(f.panel().Objects().constLast());
        QVERIFY(line);
        QCOMPARE(line->LineStyle(), c.style);
        QCOMPARE(f.panel().PanelState(), psPointing);
    }
    QVERIFY(s.ChangesMade());
}

void TstEditing::doubleClickOpensPropertiesAndRightButtonTheMenu()
{
    UndoFixture f;
    TMainScreen &s = f.begin();
    QList<QMenu *> popups;
    f.panel().SetPopupHandler([&popups](QMenu *menu, QPoint) { popups << menu; });
    auto *label = new TGBusinessCardLabel(&s);
    label->SetCaption(QStringLiteral("Ada"));
    label->Loaded();
    f.panel().PlaceObject(label, QRect(40, 40, 80, 20));
    int editors = 0;
    const ScopedModalRunner runner(modalRunnerFor<TGetBCLabelText>([&editors](TGetBCLabelText &) {
        ++editors;
        return int(QDialog::Rejected);
    }));
    f.click(QPoint(60, 50));
    QTest::mouseDClick(s.windowHandle(), Qt::LeftButton, {}, f.toWindow(QPoint(60, 50)));
    QCOMPARE(editors, 1);
    QVERIFY(popups.isEmpty());
    f.ms += 1000;
    QTest::mousePress(s.windowHandle(), Qt::RightButton, {}, f.toWindow(QPoint(60, 50)));
    QTest::mouseRelease(s.windowHandle(), Qt::RightButton, {}, f.toWindow(QPoint(60, 50)));
    QCOMPARE(popups, QList<QMenu *>({label->ObjectMenu()}));
    // "Properties..." on the selection does what a double-click does.
    editing(s).UpdateItems();
    editing(s).PropertiesItem->trigger();
    QCOMPARE(editors, 2);
    // A shape has no dialog of its own: its menu opens.
    TGGraphicControl *shape = f.drawn(QRect(150, 40, 40, 30));
    QTest::mouseDClick(s.windowHandle(), Qt::LeftButton, {}, f.toWindow(QPoint(170, 55)));
    QCOMPARE(popups.last(), shape->ObjectMenu());
}

void TstEditing::statusBarShowsTheSelectionAndTheZoom()
{
    UndoFixture f;
    TMainScreen &s = f.begin();
    const TEditingCommands &e = editing(s);
    QCOMPARE(e.ZoomText->text(), QStringLiteral("100%"));
    QVERIFY(e.SelectionText->text().isEmpty());
    f.drawn(QRect(24, 48, 96, 48));
    QCOMPARE(e.SelectionText->text(),
             QStringLiteral("Rectangle Special1   Left 0.25 in, Top 0.50 in   Width 1.00 in, Height 0.50 in"));
    s.ZoomIn();
    QCOMPARE(e.ZoomText->text(), QStringLiteral("110%"));
    f.panel().SelectAll();
    f.drawn(QRect(150, 48, 96, 48));
    f.panel().SelectAll();
    QCOMPARE(e.SelectionText->text(), QStringLiteral("2 objects selected"));
    // In millimetres when the layout is.
    SheetLayoutSetting layout = s.Layout();
    layout.UseMM = true;
    s.SetLayout(layout);
    f.click(QPoint(300, 180));
    f.click(QPoint(30, 60));
    QVERIFY2(e.SelectionText->text().contains(QStringLiteral("Top 12.7 mm")), qPrintable(e.SelectionText->text()));
}

void TstEditing::firstWindowFitsTheToolBarAndTheCard()
{
    UndoFixture f;
    TMainScreen &s = f.begin();
    QVERIFY(s.ToolBar->width() >= s.ToolBar->sizeHint().width());
    // Every tool-bar button shows, none is pushed into the overflow.
    QVERIFY(s.ToolBar->DrawQRCodeButton->isVisible());
    const QRect card = f.panel().geometry();
    const QSize view = s.ScrollBox1->viewport()->size();
    QVERIFY2(card.width() + 2 * TCardArea::CardLeft <= view.width(), qPrintable(QString::number(view.width())));
    QVERIFY(card.height() + 2 * TCardArea::CardTop <= view.height());
}

void TstEditing::zoomRunsFrom25To800WithTheCardCentred()
{
    UndoFixture f;
    TMainScreen &s = f.begin();
    s.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s));
    QStringList up;
    for (int i = 0; i < 9; ++i) {
        s.ZoomIn();
        up << s.ZoomText();
    }
    QCOMPARE(up, QStringList({"110%", "125%", "150%", "200%", "300%", "400%", "600%", "800%", "800%"}));
    QCOMPARE(f.panel().size(), QSize(336 * 8, 192 * 8));
    QTest::keyClick(&f.panel(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(s.ZoomText(), QStringLiteral("100%"));
    for (int i = 0; i < 8; ++i)
        s.ZoomOut();
    QCOMPARE(s.ZoomText(), QStringLiteral("25%"));
    QCOMPARE(f.panel().size(), QSize(84, 48));
    // Centred in the card area.
    QCoreApplication::processEvents();
    const QWidget *area = s.ScrollBox1->widget();
    QVERIFY(qAbs(f.panel().geometry().center().x() - area->rect().center().x()) <= 1);
    QVERIFY(qAbs(f.panel().geometry().center().y() - area->rect().center().y()) <= 1);
    // Fit Card: the largest zoom that shows the whole card.
    QTest::keyClick(&f.panel(), Qt::Key_1, Qt::ControlModifier);
    const QSize view = s.ScrollBox1->viewport()->size();
    QVERIFY(f.panel().width() + 2 * TCardArea::CardLeft <= view.width());
    QVERIFY(f.panel().height() + 2 * TCardArea::CardTop <= view.height());
    QVERIFY(f.panel().width() + 2 * TCardArea::CardLeft + 8 > view.width()
            || f.panel().height() + 2 * TCardArea::CardTop + 8 > view.height());
    QVERIFY(!s.ChangesMade());
}

void TstEditing::zoomingThereAndBackLeavesTheDocumentByteIdentical()
{
    UndoFixture f;
    TMainScreen &s = f.begin();
    // A hundred objects on odd places and sizes, which no zoom maps to whole pixels.
    for (int i = 0; i < 100; ++i) {
        auto *shape = new TBCShapes(&s);
        shape->SetShape(i % 3 == 0 ? stEllipse : stRectangle);
        shape->Loaded();
        f.panel().PlaceObject(shape, QRect(3 + (i * 37) % 300, 1 + (i * 23) % 170, 11 + i % 29, 15 + i % 13));
    }
    const QString before = f.folder.filePath(QStringLiteral("before.KVL"));
    const QString after = f.folder.filePath(QStringLiteral("after.KVL"));
    QVERIFY(s.SaveDocument(before));
    s.SetZoom(0.25f);
    s.SetZoom(8.0f);
    // Moving an object there and back at a zoom is no change either.
    TGGraphicControl *one = f.panel().Objects().at(7);
    const QRect at8 = one->BoundsRect();
    one->SetBounds(at8.translated(8, 0));
    one->SetBounds(at8);
    s.SetZoom(0.33f);
    s.SetZoom(1.0f);
    QVERIFY(s.SaveDocument(after));
    QCOMPARE(f.folder.readFile(QStringLiteral("after.KVL")), f.folder.readFile(QStringLiteral("before.KVL")));
    // Saved while zoomed, the document is the same too.
    s.SetZoom(1.5f);
    QVERIFY(s.SaveDocument(after));
    QCOMPARE(f.folder.readFile(QStringLiteral("after.KVL")), f.folder.readFile(QStringLiteral("before.KVL")));
}

void TstEditing::undoAtASmallZoomRestoresTheExactPlace()
{
    UndoFixture f;
    TMainScreen &s = f.begin();
    TGGraphicControl *r = f.drawn(QRect(21, 23, 37, 19));
    const QString before = f.folder.filePath(QStringLiteral("before.KVL"));
    QVERIFY(s.SaveDocument(before));
    s.SetZoom(0.25f);
    f.click(r->BoundsRect().center());
    QVERIFY(f.handle().IsSelected(r));
    f.key(Qt::Key_Right);
    QCOMPARE(r->DocumentBounds(), QRect(24, 23, 37, 19));
    f.stack().undo();
    r = f.panel().Objects().constLast();
    QCOMPARE(r->DocumentBounds(), QRect(21, 23, 37, 19));
    s.SetZoom(1.0f);
    QCOMPARE(r->BoundsRect(), QRect(21, 23, 37, 19));
}

void TstEditing::ctrlWheelZoomsAboutTheCursor()
{
    UndoFixture f;
    TMainScreen &s = f.begin();
    QWidget *viewport = s.ScrollBox1->viewport();
    // The cursor over the card point (100, 60) of the centred card.
    const QPoint cursor = f.panel().mapTo(viewport, QPoint(100, 60));
    auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(cursor), QPointF(viewport->mapToGlobal(cursor)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &event);
    };
    wheel(120);
    wheel(120);
    wheel(120);
    QCOMPARE(s.ZoomText(), QStringLiteral("150%"));
    for (int i = 0; i < 3; ++i)
        wheel(120);
    QCOMPARE(s.ZoomText(), QStringLiteral("400%"));
    // Once the card is larger than the view, the card point under the cursor
    // stays under it.
    const QPointF before = QPointF(f.panel().mapFrom(viewport, cursor)) / 4.0;
    wheel(120);
    QCOMPARE(s.ZoomText(), QStringLiteral("600%"));
    const QPointF after = QPointF(f.panel().mapFrom(viewport, cursor)) / 6.0;
    QVERIFY2((after - before).manhattanLength() <= 1.0,
             qPrintable(QStringLiteral("%1,%2 -> %3,%4").arg(before.x()).arg(before.y()).arg(after.x()).arg(after.y())));
    wheel(-120);
    QCOMPARE(s.ZoomText(), QStringLiteral("400%"));
    // Without Ctrl the wheel scrolls and the zoom stays.
    QWheelEvent plain(QPointF(cursor), QPointF(viewport->mapToGlobal(cursor)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &plain);
    QCOMPARE(s.ZoomText(), QStringLiteral("400%"));
}

void TstEditing::smoothDrawingIsAKeptPreference()
{
    UndoFixture f;
    TMainScreen &s = f.begin();
    QVERIFY(f.panel().SmoothDrawing());
    QVERIFY(editing(s).SmoothDrawingItem->isChecked());
    editing(s).SmoothDrawingItem->trigger();
    QVERIFY(!f.panel().SmoothDrawing());
    QVERIFY(!Preferences::ReadSmoothDrawing());
    TMainScreen &again = f.start();
    QVERIFY(!again.BusinessCardPanel->SmoothDrawing());
    QVERIFY(!editing(again).SmoothDrawingItem->isChecked());
}

QTEST_MAIN(TstEditing)
#include "tst_editing.moc"
