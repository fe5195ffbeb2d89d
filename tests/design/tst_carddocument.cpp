#include "app/CardClasses.h"
#include "design/CardDocument.h"
#include "design/ComponentStreamer.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"
#include "design/stream/ComponentStreamReader.h"
#include "objects/TBCShapes.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGLineShape.h"
#include "platform/IniFile.h"
#include "platform/ScreenMetrics.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"

#include <QBuffer>
#include <QFile>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QtTest>

namespace {

QByteArray ss(const QByteArray &text)
{
    return char(text.size()) + text;
}

// A picture or bitmap value that a picture object can really show.
QByteArray bitmapStream()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    const qint32 size = qint32(bmp.size());
    return QByteArray(reinterpret_cast<const char *>(&size), 4) + bmp;
}

// A value of the property's kind other than `current`.
QVariant otherValue(const TPropertyDecl &d, const QVariant &current, int salt)
{
    switch (d.type) {
    case TPropertyType::Integer: return current.toInt() + 3 + salt;
    case TPropertyType::Boolean: return !current.toBool();
    case TPropertyType::String: return QStringLiteral("Text %1 \u00e9\u03A9").arg(salt);
    case TPropertyType::Enum:
        return d.identifiers.isEmpty() ? current : QVariant((current.toInt() + 1) % d.identifiers.size());
    case TPropertyType::Set: return current.toUInt() ^ 1u;
    case TPropertyType::Color: return salt % 2 ? int(clRed) : 0x00102030 + salt;
    case TPropertyType::Charset: return current.toInt() == 0 ? 2 : 0;
    case TPropertyType::Float: return current.toDouble() + 0.25;
    case TPropertyType::Picture: return ss("TBitmap") + bitmapStream();
    case TPropertyType::Bitmap: return bitmapStream();
    case TPropertyType::Strings: return QStringList{"one", QStringLiteral("two %1").arg(salt)};
    }
    return current;
}

TBCShapes *addShape(TGBasePanel &panel, QRect r, const QString &name = QString())
{
    auto *shape = new TBCShapes(&panel);
    panel.AddObject(shape);
    shape->SetName(name.isEmpty() ? panel.UniqueName("Special", 1) : name);
    shape->SetBounds(r);
    shape->Loaded();
    return shape;
}

QStringList namesOf(const TGBasePanel &panel)
{
    QStringList names;
    for (const TGGraphicControl *o : panel.Objects())
        names << o->Name();
    return names;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

} // namespace

class TestCardDocument : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<TGBusinessCardPanel32> panel;
    std::unique_ptr<ScopedScriptedDialogs> dialogs; // no test may open a real box
    SheetLayoutSetting layout;

    QString path(const QString &name) const { return folder->filePath(name); }

    bool save(const QString &name, const QString &background = QString())
    {
        QString error;
        const bool ok = CardDocument::SaveCardDocument(*panel, path(name), {layout, background}, &error);
        if (!ok)
            qWarning() << error;
        return ok;
    }

private slots:
    void initTestCase()
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses();
        installComponentStreamer();
    }

    void init()
    {
        dialogs = std::make_unique<ScopedScriptedDialogs>();
        folder = std::make_unique<TempProgramFolder>();
        panel = std::make_unique<TGBusinessCardPanel32>();
        layout = SheetLayoutSetting();
        panel->SetCardSize(layout.Layout);
    }

    void cleanup()
    {
        panel.reset();
        folder.reset();
        dialogs.reset();
    }

    void everyRegisteredClassReopensWithItsValues()
    {
        QVERIFY(!TGClassRegistry::classNames().isEmpty());
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
        const QList<TGGraphicControl *> originals = panel->Objects();
        std::vector<std::vector<QVariant>> before;
        for (const TGGraphicControl *o : originals) {
            std::vector<QVariant> values;
            for (const TPropertyDecl &d : o->StoredProperties())
                values.push_back(d.get(*o));
            before.push_back(values);
        }

        QVERIFY(save("all.kvl"));
        const CardDocument::Opened opened = CardDocument::OpenCardDocument(*panel, path("all.kvl"), layout);
        QVERIFY(opened.ok);
        QCOMPARE(panel->ObjectCount(), int(before.size()));
        for (int i = 0; i < panel->ObjectCount(); ++i) {
            const TGGraphicControl *copy = panel->Objects().at(i);
            QCOMPARE(copy->ClassName(), TGClassRegistry::classNames().at(i));
            QVERIFY2(copy->ObjectMenu(), qPrintable(copy->ClassName() + " has no menu after loading"));
            const TPropertyList &decls = copy->StoredProperties();
            for (size_t p = 0; p < decls.size(); ++p) {
                QVERIFY2(decls[p].get(*copy) == before[i][p],
                         qPrintable(copy->ClassName() + "." + decls[p].name));
            }
        }
    }

    void cardSavedWhileZoomedHoldsUnzoomedCoordinates()
    {
        addShape(*panel, QRect(10, 20, 100, 50));
        panel->SetZoom(1.3f);
        QCOMPARE(panel->Objects().first()->BoundsRect(), QRect(13, 26, 130, 65));

        QVERIFY(save("zoomed.kvl"));
        QCOMPARE(panel->Zoom(), 1.3f);
        QCOMPARE(panel->Objects().first()->BoundsRect(), QRect(13, 26, 130, 65));
        const auto records = ComponentStreamReader::readContainer(readFile(path("zoomed.kvl")));
        QCOMPARE(records.at(0).find("Left")->toInteger(), 10);
        QCOMPARE(records.at(0).find("Width")->toInteger(), 100);

        // Opened at 130 % again, the card shows the same place and size.
        QVERIFY(CardDocument::OpenCardDocument(*panel, path("zoomed.kvl"), layout).ok);
        QCOMPARE(panel->Objects().first()->BoundsRect(), QRect(13, 26, 130, 65));
        QCOMPARE(panel->Objects().first()->Zoom(), 1.3f);
    }

    void storedNamesAreReplacedByComponentNumbers()
    {
        addShape(*panel, QRect(5, 5, 20, 20), "Component0");
        addShape(*panel, QRect(8, 8, 20, 20), "Component0x");
        addShape(*panel, QRect(9, 9, 20, 20), "Special4");
        QVERIFY(save("names.kvl"));
        QVERIFY(CardDocument::OpenCardDocument(*panel, path("names.kvl"), layout).ok);
        QCOMPARE(namesOf(*panel), QStringList({"Component0", "Component1", "Component2"}));

        // Loaded beside objects already there, the read ones take free numbers.
        QVERIFY(CardDocument::LoadFromFile(*panel, path("names.kvl")));
        QCOMPARE(namesOf(*panel), QStringList({"Component0", "Component1", "Component2", "Component3",
                                               "Component4", "Component5"}));
    }

    // Menus are widgets: a card of many objects opens without making one,
    // and the menu an object makes when first asked shows its state.
    void openingMakesNoMenusUntilOneIsWanted()
    {
        for (int i = 0; i < 30; ++i)
            addShape(*panel, QRect(i, i, 20, 20));
        auto *label = new TGBusinessCardLabel(panel.get());
        panel->AddObject(label);
        label->SetName(panel->UniqueName("Special", 1));
        label->SetBounds(QRect(40, 40, 80, 20));
        label->SetCaption("Menu");
        label->SetTransparent(true);
        label->SetBorderStyle(bsSingle);
        label->Loaded();
        QVERIFY(save("menus.kvl"));
        panel->RemoveAllObjects();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        auto menus = [] {
            int count = 0;
            for (QWidget *widget : QApplication::allWidgets())
                count += qobject_cast<QMenu *>(widget) != nullptr;
            return count;
        };
        const int before = menus();
        QVERIFY(CardDocument::OpenCardDocument(*panel, path("menus.kvl"), layout).ok);
        QCOMPARE(panel->ObjectCount(), 31);
        QCOMPARE(menus(), before);

        const TGGraphicControl *read = panel->Objects().constLast();
        QMenu *menu = read->ObjectMenu();
        QVERIFY(menu);
        QVERIFY(menus() > before);
        QCOMPARE(read->ObjectMenu(), menu);
        auto item = [menu](const QString &caption) -> QAction * {
            for (QAction *action : menu->actions())
                if (action->text() == caption)
                    return action;
            return nullptr;
        };
        QVERIFY(item("Transparent") && item("Transparent")->isChecked());
        QVERIFY(item("Border") && item("Border")->isChecked());
        QVERIFY(item("Personal Information"));
    }

    void objectsOutsideTheCardAreDroppedOnSave()
    {
        // The card is 336 x 192 pixels.
        addShape(*panel, QRect(10, 10, 30, 30), "Inside");
        addShape(*panel, QRect(10, 183, 30, 30), "Below");
        addShape(*panel, QRect(327, 10, 30, 30), "Right");
        addShape(*panel, QRect(326, 182, 30, 30), "EdgeKept");
        addShape(*panel, QRect(20, 20, 0, 30), "NoWidth");
        QVERIFY(save("outside.kvl"));
        QVERIFY(CardDocument::OpenCardDocument(*panel, path("outside.kvl"), layout).ok);
        QCOMPARE(panel->ObjectCount(), 2);
        QCOMPARE(panel->Objects().at(1)->BoundsRect(), QRect(326, 182, 30, 30));
    }

    void companionHoldsTheLayoutInThousandths()
    {
        layout.Layout.Height = 2.0f;
        layout.Layout.Width = 3.375f;
        layout.Layout.TopMargin = 0.4375f;
        layout.Layout.LeftMargin = 0.0625f; // 62.5: a tie, rounds to even
        layout.Layout.Across = 3;
        layout.Layout.PredefLayout = 7;
        layout.Layout.Papersize = SheetLayout::PaperA4;
        layout.UseMM = true;
        QVERIFY(save("layout.KVL", "/art/sky.jpg"));
        const QStringList expected{"[Ini Data]", "ISINI=1", "Version=2", "[Background]", "File=/art/sky.jpg",
                                   "[Layout]", "Height=2000", "Width=3375", "TopMargin=438", "LeftMargin=62",
                                   "HPitch=3500", "VPitch=2000", "PredefLayout=7", "Papersize=9", "Across=3",
                                   "Down=5", "UseMM=1", "UsePortrait=0"};
        QStringList lines = QString::fromUtf8(readFile(path("layout.KVE"))).split(QRegularExpression("\\r?\\n"));
        lines.removeAll(QString());
        QCOMPARE(lines, expected);

        const CardDocument::Opened opened =
            CardDocument::OpenCardDocument(*panel, path("layout.KVL"), SheetLayoutSetting());
        QVERIFY(opened.companionIsIni);
        QCOMPARE(opened.layout.Layout.Height, 2.0f);
        QCOMPARE(opened.layout.Layout.Width, 3.375f);
        QCOMPARE(opened.layout.Layout.TopMargin, 0.438f);
        QCOMPARE(opened.layout.Layout.Papersize, 9);
        QVERIFY(opened.layout.UseMM);
        QCOMPARE(opened.backgroundFile, QStringLiteral("/art/sky.jpg"));
        QVERIFY(!opened.backgroundLoaded); // gone from disk: skipped without a word
    }

    void portraitCompanionTurnsTheCard()
    {
        layout.Layout.Portrait = true;
        QVERIFY(save("upright.kvl"));
        const CardDocument::Opened opened =
            CardDocument::OpenCardDocument(*panel, path("upright.kvl"), SheetLayoutSetting());
        QVERIFY(opened.layout.Layout.Portrait);
        QVERIFY(panel->Portrait());
        QCOMPARE(panel->size(), QSize(192, 336));
    }

    void missingCompanionKeepsTheLayoutButShowsLandscape()
    {
        addShape(*panel, QRect(10, 10, 30, 30));
        QVERIFY(save("alone.kvl"));
        QVERIFY(QFile::remove(path("alone.KVE")));
        panel->SetPortrait(true);
        SheetLayoutSetting current;
        current.Layout.Width = 3.0f;
        current.Layout.Portrait = true;
        const CardDocument::Opened opened = CardDocument::OpenCardDocument(*panel, path("alone.kvl"), current);
        QVERIFY(opened.ok);
        QVERIFY(!opened.companionFound);
        QCOMPARE(opened.layout, current);
        QVERIFY(!panel->Portrait());
        QCOMPARE(panel->size(), QSize(288, 192));
        QCOMPARE(panel->ObjectCount(), 1);
    }

    void olderTextCompanionSuppliesOnlyTheBackground()
    {
        QImage art(20, 10, QImage::Format_RGB32);
        art.fill(Qt::blue);
        QVERIFY(art.save(path("art.bmp")));
        QVERIFY(save("old.kvl"));
        writeFile(path("old.KVE"), (path("art.bmp") + "\r\nsecond line\r\n").toUtf8());
        SheetLayoutSetting current;
        current.Layout.Height = 2.125f;
        const CardDocument::Opened opened = CardDocument::OpenCardDocument(*panel, path("old.kvl"), current);
        QVERIFY(opened.companionFound);
        QVERIFY(!opened.companionIsIni);
        QCOMPARE(opened.backgroundFile, path("art.bmp"));
        QVERIFY(opened.backgroundLoaded);
        QVERIFY(panel->HasColorPicture());
        QCOMPARE(opened.layout, current);
    }

    void companionInAnyLetterCaseIsFound()
    {
        layout.Layout.Across = 4;
        QVERIFY(save("Mixed.kvl"));
        QVERIFY(QFile::rename(path("Mixed.KVE"), path("mixed.kve")));
        const CardDocument::Opened opened = CardDocument::OpenCardDocument(*panel, path("Mixed.kvl"), SheetLayoutSetting());
        QVERIFY(opened.companionIsIni);
        QCOMPARE(opened.layout.Layout.Across, 4);

        // Saving again replaces that companion rather than adding a second one.
        layout.Layout.Across = 1;
        QVERIFY(save("Mixed.kvl"));
        QVERIFY(!QFile::exists(path("Mixed.KVE")));
        QCOMPARE(IniFile(path("mixed.kve")).readInteger("Layout", "Across", 0), 1);
    }

    void openingRemovesWhatWasOnTheCard()
    {
        QVERIFY(save("empty.kvl"));
        addShape(*panel, QRect(10, 10, 30, 30));
        panel->SetColorPicture(QImage(4, 4, QImage::Format_RGB32));
        QVERIFY(CardDocument::OpenCardDocument(*panel, path("empty.kvl"), layout).ok);
        QCOMPARE(panel->ObjectCount(), 0);
        QVERIFY(!panel->HasColorPicture());
    }

    void everyPrefixOfADocumentFailsCleanly()
    {
        addShape(*panel, QRect(10, 10, 30, 30));
        auto *line = new TGLineShape(panel.get());
        panel->AddObject(line);
        line->SetBounds(5, 60, 200, 1);
        QVERIFY(save("whole.kvl"));
        const QByteArray whole = readFile(path("whole.kvl"));
        for (int n = 0; n < whole.size(); ++n) {
            writeFile(path("part.kvl"), whole.left(n));
            const CardDocument::Opened opened = CardDocument::OpenCardDocument(*panel, path("part.kvl"), layout);
            QVERIFY2(!opened.ok, qPrintable(QString("prefix of %1 bytes opened").arg(n)));
            QCOMPARE(panel->ObjectCount(), 0);
        }
        QCOMPARE((*dialogs)->informations().size(), whole.size());
        QCOMPARE((*dialogs)->informations().first(),
                 "Unable to open " + path("part.kvl") + ". Possibly corrupted, possibly not a KVL file");
        // The card is still usable.
        QVERIFY(CardDocument::OpenCardDocument(*panel, path("whole.kvl"), layout).ok);
        QCOMPARE(panel->ObjectCount(), 2);
    }

    void unknownClassOrPropertyLeavesAnEmptyCard_data()
    {
        QTest::addColumn<QByteArray>("second");
        const QByteArray good = "TPF0" + ss("TBCShapes") + ss("A") + ss("Left") + "\x02\x05" + QByteArray(2, '\0');
        QTest::newRow("unknown class") << "TPF0" + ss("TNoSuchThing") + ss("B") + QByteArray(2, '\0');
        QTest::newRow("unknown property")
            << "TPF0" + ss("TBCShapes") + ss("B") + ss("Sparkle") + "\x09" + QByteArray(2, '\0');
        QTest::newRow("wrong kind") << "TPF0" + ss("TBCShapes") + ss("B") + ss("Left") + "\x06" + ss("x")
                + QByteArray(2, '\0');
        QTest::newRow("length past the end") << "TPF0" + ss("TBCShapes") + ss("B") + ss("Hint")
                + QByteArray::fromHex("0CFFFFFF7F") + "abc";
        Q_UNUSED(good);
    }
    void unknownClassOrPropertyLeavesAnEmptyCard()
    {
        QFETCH(QByteArray, second);
        const QByteArray first = "TPF0" + ss("TBCShapes") + ss("A") + ss("Left") + "\x02\x05" + QByteArray(2, '\0');
        writeFile(path("bad.kvl"), '\x01' + first + second + '\x00');
        QVERIFY(!CardDocument::OpenCardDocument(*panel, path("bad.kvl"), layout).ok);
        QCOMPARE(panel->ObjectCount(), 0);
        QCOMPARE((*dialogs)->informations().size(), 1);
    }

    void methodReferencesAreIgnored()
    {
        writeFile(path("events.kvl"), QByteArray("\x01TPF0") + ss("TBCShapes") + ss("Special1") + ss("Left")
                  + "\x02\x07" + ss("OnClick") + '\x07' + ss("ShapeClick") + QByteArray(2, '\0') + '\x00');
        QVERIFY(CardDocument::OpenCardDocument(*panel, path("events.kvl"), layout).ok);
        QCOMPARE(panel->ObjectCount(), 1);
        QCOMPARE(panel->Objects().first()->Left(), 7);
    }

    void failedSaveKeepsThePreviousDocument()
    {
        addShape(*panel, QRect(10, 10, 30, 30));
        QVERIFY(save("keep.kvl"));
        const QByteArray oldKvl = readFile(path("keep.kvl"));
        const QByteArray oldKve = readFile(path("keep.KVE"));
        // A name the format cannot hold makes the write fail before any file changes.
        addShape(*panel, QRect(40, 10, 30, 30), QStringLiteral("Special\u4E00"));
        QString error;
        layout.Layout.Across = 1;
        QVERIFY(!CardDocument::SaveCardDocument(*panel, path("keep.kvl"), {layout, QString()}, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(readFile(path("keep.kvl")), oldKvl);
        QCOMPARE(readFile(path("keep.KVE")), oldKve);
    }

    void saveIntoAMissingFolderReportsFailure()
    {
        addShape(*panel, QRect(10, 10, 30, 30));
        QString error;
        QVERIFY(!CardDocument::SaveCardDocument(*panel, path("no/such/folder/card.kvl"), {layout, QString()}, &error));
        QVERIFY(error.contains("card.kvl"));
    }

    void companionNameReplacesTheLastExtension()
    {
        QCOMPARE(CardDocument::CompanionFileName("/a/b.c/card.kvl"), QStringLiteral("/a/b.c/card.KVE"));
        QCOMPARE(CardDocument::CompanionFileName("/a/my.card.KVL"), QStringLiteral("/a/my.card.KVE"));
        QCOMPARE(CardDocument::CompanionFileName("/a/card"), QStringLiteral("/a/card.KVE"));
    }
};

QTEST_MAIN(TestCardDocument)
#include "tst_carddocument.moc"
