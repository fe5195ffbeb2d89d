#include "app/CardClasses.h"
#include "design/CardSnapshot.h"
#include "design/ComponentStreamer.h"
#include "design/Properties.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"
#include "design/TGHandle.h"
#include "objects/TBCShapes.h"
#include "objects/TGLineShape.h"
#include "platform/ScreenMetrics.h"
#include "support/ScriptedDialogs.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

QStringList namesOf(const TGBasePanel &panel)
{
    QStringList names;
    for (const TGGraphicControl *o : panel.Objects())
        names << o->Name();
    return names;
}

// A value of the property's kind other than `current` (pictures keep theirs).
QVariant otherValue(const TPropertyDecl &d, const QVariant &current, int salt)
{
    switch (d.type) {
    case TPropertyType::Integer: return current.toInt() + 3 + salt;
    case TPropertyType::Boolean: return !current.toBool();
    case TPropertyType::String: return QStringLiteral("Text %1").arg(salt);
    case TPropertyType::Enum:
        return d.identifiers.isEmpty() ? current : QVariant((current.toInt() + 1) % d.identifiers.size());
    case TPropertyType::Color: return 0x00102030 + salt;
    case TPropertyType::Float: return current.toDouble() + 0.25;
    case TPropertyType::Strings: return QStringList{"one", QStringLiteral("two %1").arg(salt)};
    default: return current;
    }
}

} // namespace

class TestCardSnapshot : public QObject
{
    Q_OBJECT

    std::unique_ptr<ScopedScriptedDialogs> dialogs;
    std::unique_ptr<TGBusinessCardPanel32> panel;
    SheetLayoutSetting layout;

    TBCShapes *addShape(QRect r)
    {
        auto *s = new TBCShapes(panel.get());
        s->Loaded();
        panel->PlaceObject(s, r);
        return s;
    }
    TGLineShape *addLine(QRect r)
    {
        auto *l = new TGLineShape(panel.get());
        l->Loaded();
        panel->PlaceObject(l, r);
        return l;
    }
    CardSnapshot take(const CardSnapshot *previous = nullptr, const QString &background = QString())
    {
        return CardSnapshot::Take(*panel, layout, background, previous);
    }
    QByteArray objectBytes() const { return ComponentStreamer::WriteContainer(panel->Objects()); }

private slots:
    void initTestCase()
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses();
    }
    void init()
    {
        dialogs = std::make_unique<ScopedScriptedDialogs>();
        panel = std::make_unique<TGBusinessCardPanel32>();
        layout = SheetLayoutSetting();
        panel->SetCardSize(layout.Layout);
    }
    void cleanup()
    {
        panel.reset();
        dialogs.reset();
    }

    void objectReadFromAStreamReportsItsFirstMove()
    {
        addShape(QRect(10, 10, 40, 30));
        const QByteArray bytes = objectBytes();
        panel->RemoveAllObjects();
        QList<TGGraphicControl *> read;
        QVERIFY(ComponentStreamer::Read(bytes, *panel, {}, &read, nullptr));
        QCOMPARE(read.size(), 1);
        QSignalSpy changes(panel.get(), &TGBasePanel::LabelChangedEvent);
        read.constFirst()->SetLeft(20);
        QVERIFY(changes.count() >= 1);
    }

    void everyRegisteredClassComesBackWithItsValues()
    {
        int index = 0;
        for (const QString &className : TGClassRegistry::classNames()) {
            TGGraphicControl *object = TGClassRegistry::find(className)->create(panel.get());
            panel->AddObject(object);
            object->SetName(panel->UniqueName("Special", 1));
            int salt = 0;
            for (const TPropertyDecl &d : object->StoredProperties())
                d.set(*object, otherValue(d, d.get(*object), ++salt + index));
            object->SetBounds(10 + index, 12 + index, 40, 30);
            object->Loaded();
            ++index;
        }
        QVERIFY(index > 5);
        const QByteArray before = objectBytes();
        const CardSnapshot snapshot = take();
        panel->RemoveAllObjects();
        QVERIFY(snapshot.Restore(*panel, layout, QString()));
        QCOMPARE(objectBytes(), before);
        QVERIFY(take().objects == snapshot.objects);
    }

    void unchangedObjectsShareTheirRecords()
    {
        for (int i = 0; i < 5; ++i)
            addShape(QRect(10 + 20 * i, 10, 15, 15));
        const CardSnapshot first = take();
        panel->Objects().at(2)->SetTop(50);
        const CardSnapshot second = take(&first);
        for (int i = 0; i < 5; ++i) {
            const bool shared = second.objects.at(i).record.isSharedWith(first.objects.at(i).record);
            QCOMPARE(shared, i != 2);
        }
        const qsizetype moved = second.objects.at(2).record.size();
        QVERIFY(second.BytesBeyond(first) >= moved);
        QVERIFY(second.BytesBeyond(first) < 2 * moved + 5 * 200);
        QVERIFY(!second.SameCard(first));
        QVERIFY(take(&second).SameCard(second));
    }

    void restoreRebuildsOnlyWhatChangedUnderTheOldNames()
    {
        TBCShapes *kept = addShape(QRect(10, 10, 40, 30));
        addShape(QRect(60, 10, 40, 30));
        addLine(QRect(10, 60, 80, 10));
        panel->Handle()->SelectObject(panel->Objects().at(1));
        const CardSnapshot snapshot = take();
        const QByteArray before = objectBytes();

        panel->Handle()->ClearSelection();
        panel->FreeObject(panel->Objects().at(1));
        panel->Objects().at(1)->SetLeft(100);
        panel->SendToBack(panel->Objects().at(1));
        addShape(QRect(5, 5, 20, 20)); // takes the free name "Special2"
        QCOMPARE(namesOf(*panel), QStringList({"Special3", "Special1", "Special2"}));

        QSignalSpy changes(panel.get(), &TGBasePanel::LabelChangedEvent);
        QVERIFY(snapshot.Restore(*panel, layout, QString()));
        QCOMPARE(changes.count(), 0);
        QCOMPARE(namesOf(*panel), QStringList({"Special1", "Special2", "Special3"}));
        QCOMPARE(objectBytes(), before);
        QCOMPARE(panel->Objects().constFirst(), kept); // unchanged, so not made again
        QCOMPARE(panel->Handle()->SelectionCount(), 1);
        QCOMPARE(panel->Handle()->SelectedObject(0)->Name(), QStringLiteral("Special2"));
        // The next name handed out is the one it would have been.
        QCOMPARE(panel->UniqueName("Special", 1), QStringLiteral("Special4"));
    }

    void restoreAtAnotherZoomScalesTheObjects()
    {
        addShape(QRect(11, 13, 41, 31));
        const CardSnapshot unzoomed = take();
        panel->SetZoom(1.2f);
        const QRect zoomed = panel->Objects().constFirst()->BoundsRect();
        panel->RemoveAllObjects();
        QVERIFY(unzoomed.Restore(*panel, layout, QString()));
        QCOMPARE(panel->ObjectCount(), 1);
        QCOMPARE(panel->Objects().constFirst()->BoundsRect(), zoomed);
        QCOMPARE(panel->Objects().constFirst()->Zoom(), 1.2f);
    }

    void restoreTurnsTheCardBack()
    {
        const CardSnapshot landscape = take();
        const QSize wide = panel->size();
        SheetLayoutSetting upright = layout;
        upright.Layout.Portrait = true;
        panel->SetCardOrientation(true, upright.Layout, QString());
        QCOMPARE(panel->size(), wide.transposed());
        QVERIFY(landscape.Restore(*panel, upright, QString()));
        QVERIFY(!panel->Portrait());
        QCOMPARE(panel->size(), wide);
    }

    void changeNamesSayWhatHappened()
    {
        TBCShapes *shape = addShape(QRect(10, 10, 40, 30));
        addShape(QRect(60, 10, 40, 30));
        const CardSnapshot start = take();
        shape->SetLeft(20);
        const CardSnapshot moved = take(&start);
        QCOMPARE(CardSnapshot::ChangeName(start, moved), QStringLiteral("Move"));
        shape->SetWidth(60);
        const CardSnapshot resized = take();
        QCOMPARE(CardSnapshot::ChangeName(moved, resized), QStringLiteral("Resize"));
        shape->SetTransparent(!shape->Transparent());
        QCOMPARE(CardSnapshot::ChangeName(resized, take()), QStringLiteral("Change"));

        const CardSnapshot two = take();
        panel->SendToBack(panel->Objects().at(1));
        QCOMPARE(CardSnapshot::ChangeName(two, take()), QStringLiteral("Change Order"));
        addShape(QRect(5, 5, 20, 20));
        QCOMPARE(CardSnapshot::ChangeName(two, take()), QStringLiteral("Create"));
        const CardSnapshot three = take();
        panel->FreeObject(panel->Objects().constLast());
        QCOMPARE(CardSnapshot::ChangeName(three, take()), QStringLiteral("Delete"));
        shape->Clone();
        QCOMPARE(CardSnapshot::ChangeName(two, take()), QStringLiteral("Paste"));

        const CardSnapshot plain = take();
        QCOMPARE(CardSnapshot::ChangeName(plain, take(nullptr, "/art/bg.bmp")),
                 QStringLiteral("Background Art"));
        layout.Layout.Across = 3;
        QCOMPARE(CardSnapshot::ChangeName(plain, take()), QStringLiteral("Card Layout"));
    }
};

QTEST_MAIN(TestCardSnapshot)
#include "tst_cardsnapshot.moc"
