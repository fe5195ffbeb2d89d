#include "app/CardClasses.h"
#include "design/ComponentStreamer.h"
#include "design/SheetLayout.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGHandle.h"
#include "design/TGTickClock.h"
#include "objects/TBCShapes.h"
#include "objects/TGLineShape.h"
#include "platform/ScreenMetrics.h"
#include "support/TempProgramFolder.h"

#include <QFile>
#include <QtTest>

namespace {

template <class T>
T *addObject(TGBasePanel &panel, QRect r)
{
    auto *object = new T(&panel);
    panel.AddObject(object);
    object->SetName(panel.UniqueName("Special", 1));
    object->SetBounds(r);
    object->Loaded();
    return object;
}

QList<QRect> boundsOf(const TGBasePanel &panel)
{
    QList<QRect> list;
    for (const TGGraphicControl *o : panel.Objects())
        list << o->BoundsRect();
    return list;
}

QStringList namesOf(const TGBasePanel &panel)
{
    QStringList names;
    for (const TGGraphicControl *o : panel.Objects())
        names << o->Name();
    return names;
}

} // namespace

class TestClipboard : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<TGBusinessCardPanel32> panel;
    quint32 clock = 0;

    QString clipboardFile() const { return folder->filePath("Clipbrd.tmp"); }
    TGHandle &handle() { return *panel->Handle(); }

private slots:
    void initTestCase()
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses(); // also installs the program's streamer
        TGTickClock::setSource([this] { return clock; });
    }

    void init()
    {
        clock = 100000;
        folder = std::make_unique<TempProgramFolder>();
        panel = std::make_unique<TGBusinessCardPanel32>();
        panel->SetCardSize(SheetLayout());
    }

    void cleanup()
    {
        panel.reset();
        folder.reset();
    }

    void cleanupTestCase() { TGTickClock::setSource({}); }

    void pastedCopiesLieFifteenPixelsFromTheStoredPosition()
    {
        auto *shape = addObject<TBCShapes>(*panel, QRect(10, 20, 40, 30));
        shape->SetShape(stEllipse);
        handle().SelectObject(shape);
        panel->Copy();
        QVERIFY(QFile::exists(clipboardFile()));
        panel->Paste();
        clock += 1000;
        panel->Paste();
        // Both from the stored position, not from the previous paste.
        QCOMPARE(boundsOf(*panel), QList<QRect>({QRect(10, 20, 40, 30), QRect(25, 35, 40, 30),
                                                 QRect(25, 35, 40, 30)}));
        QCOMPARE(namesOf(*panel), QStringList({"Special1", "Component0", "Component1"}));
        auto *pasted = qobject_cast<TBCShapes *>(panel->Objects().at(1));
        QVERIFY(pasted);
        QCOMPARE(pasted->Shape(), stEllipse);
        QVERIFY(pasted->ObjectMenu());
        QVERIFY(!pasted->IsLoading());
    }

    void pasteWithinASecondOfTheLastDoesNothing()
    {
        handle().SelectObject(addObject<TGLineShape>(*panel, QRect(10, 20, 100, 1)));
        panel->Copy();
        panel->Paste();
        clock += 999;
        panel->Paste();
        QCOMPARE(panel->ObjectCount(), 2);
        clock += 1;
        panel->Paste();
        QCOMPARE(panel->ObjectCount(), 3);
    }

    void objectMenuPasteIsNotLimited()
    {
        handle().SelectObject(addObject<TBCShapes>(*panel, QRect(10, 20, 40, 30)));
        panel->Copy();
        panel->ObjectPaste();
        panel->ObjectPaste();
        panel->Paste(); // right after the object-menu paste: held back
        QCOMPARE(panel->ObjectCount(), 3);
    }

    void cutTakesTheSelectionOffTheCard()
    {
        auto *a = addObject<TBCShapes>(*panel, QRect(10, 20, 40, 30));
        auto *b = addObject<TGLineShape>(*panel, QRect(50, 60, 80, 1));
        auto *keep = addObject<TBCShapes>(*panel, QRect(90, 90, 20, 20));
        handle().SelectObject(a);
        handle().SelectObject(b);
        QSignalSpy changes(panel.get(), &TGBasePanel::LabelChangedEvent);
        panel->Cut();
        QCOMPARE(panel->Objects(), QList<TGGraphicControl *>({keep}));
        QCOMPARE(handle().SelectionCount(), 0);
        QVERIFY(changes.count() >= 2);
        panel->Paste();
        QCOMPARE(boundsOf(*panel), QList<QRect>({QRect(90, 90, 20, 20), QRect(25, 35, 40, 30),
                                                 QRect(65, 75, 80, 1)}));
    }

    void copyWithNothingSelectedKeepsTheClipboard()
    {
        handle().SelectObject(addObject<TBCShapes>(*panel, QRect(10, 20, 40, 30)));
        panel->Copy();
        const QByteArray before = folder->readFile("Clipbrd.tmp");
        handle().ClearSelection();
        addObject<TGLineShape>(*panel, QRect(1, 2, 3, 1));
        panel->Copy();
        panel->Cut();
        QCOMPARE(folder->readFile("Clipbrd.tmp"), before);
        QCOMPARE(panel->ObjectCount(), 2);
    }

    void objectMenuCopyOfAnUnselectedObjectTakesOnlyIt()
    {
        auto *selected = addObject<TBCShapes>(*panel, QRect(10, 20, 40, 30));
        auto *other = addObject<TGLineShape>(*panel, QRect(50, 60, 80, 1));
        handle().SelectObject(selected);
        panel->ObjectCopy(other);
        panel->Paste();
        QCOMPARE(panel->ObjectCount(), 3);
        QVERIFY(qobject_cast<TGLineShape *>(panel->Objects().last()));
        QCOMPARE(panel->Objects().last()->BoundsRect(), QRect(65, 75, 80, 1));
        // The pasted object becomes the selection; the cut below must leave
        // a selection it does not touch alone.
        QVERIFY(handle().IsSelected(panel->Objects().last()));
        handle().SelectObject(selected);

        panel->ObjectCut(other);
        QVERIFY(!panel->Objects().contains(other));
        QVERIFY(handle().IsSelected(selected));
    }

    void deleteLeavesTheClipboardAlone()
    {
        handle().SelectObject(addObject<TBCShapes>(*panel, QRect(10, 20, 40, 30)));
        panel->Delete();
        QCOMPARE(panel->ObjectCount(), 0);
        QVERIFY(!QFile::exists(clipboardFile()));
    }

    void damagedClipboardPastesNothing()
    {
        addObject<TBCShapes>(*panel, QRect(10, 20, 40, 30));
        QVERIFY(folder->writeFile("Clipbrd.tmp", QByteArray("\x01TPF0\x09TBCShapes", 15)));
        panel->Paste();
        QCOMPARE(panel->ObjectCount(), 1);
    }

    void clipboardFileGoesWithThePanel()
    {
        handle().SelectObject(addObject<TBCShapes>(*panel, QRect(10, 20, 40, 30)));
        panel->Copy();
        QVERIFY(QFile::exists(clipboardFile()));
        panel.reset();
        QVERIFY(!QFile::exists(clipboardFile()));
    }

    void cloneLiesTwentyFivePixelsLowerOnTopAndSelected()
    {
        auto *shape = addObject<TBCShapes>(*panel, QRect(10, 20, 40, 30));
        shape->SetRoundPerc(40);
        auto *above = addObject<TGLineShape>(*panel, QRect(0, 0, 50, 1));
        handle().SelectObject(shape);
        shape->Clone();
        QCOMPARE(panel->ObjectCount(), 3);
        auto *copy = qobject_cast<TBCShapes *>(panel->Objects().last());
        QVERIFY(copy);
        QCOMPARE(copy->BoundsRect(), QRect(10, 45, 40, 30));
        QCOMPARE(copy->RoundPerc(), 40);
        QCOMPARE(copy->Name(), QStringLiteral("Component0"));
        QCOMPARE(handle().Selection(), QList<TGGraphicControl *>({copy}));
        QCOMPARE(panel->Objects().at(1), above);
        QVERIFY(!QFile::exists(clipboardFile())); // cloning goes through memory
    }

    void cloneOfAnUnselectedObjectLeavesTheSelection()
    {
        auto *shape = addObject<TBCShapes>(*panel, QRect(10, 20, 40, 30));
        auto *line = addObject<TGLineShape>(*panel, QRect(5, 80, 50, 1));
        handle().SelectObject(shape);
        line->Clone();
        QCOMPARE(panel->Objects().last()->BoundsRect(), QRect(5, 105, 50, 1));
        QCOMPARE(handle().Selection(), QList<TGGraphicControl *>({shape}));
    }
};

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
