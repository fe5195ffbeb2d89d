#include "app/CardClasses.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"
#include "dialogs/TFontListBoxx.h"
#include "dialogs/TSelectPreviewTemplate.h"
#include "objects/TGPRichBaseLabel.h"
#include "objects/TGBusinessCardLabel.h"
#include "platform/ScreenMetrics.h"
#include "richtext/TRichTextEngine.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QTest>

namespace {

const QByteArray kNameTemplate = "[Name]\nCaption=Your Own Name\nLeft=10\nTop=10\nWidth=120\nHeight=24\n"
                                 "Font Name=Arial\n";

QStringList labelFonts(const TGBusinessCardPanel32 &panel)
{
    QStringList fonts;
    for (TGGraphicControl *o : panel.Objects())
        if (auto *label = qobject_cast<TGBusinessCardLabel *>(o))
            fonts << label->Font().name;
    return fonts;
}

void sendKey(QWidget *w, QEvent::Type type, bool autoRepeat)
{
    QKeyEvent event(type, Qt::Key_Down, Qt::NoModifier, QString(), autoRepeat);
    QCoreApplication::sendEvent(w, &event);
}

} // namespace

class TestSelectPreviewTemplate : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        registerCardClasses();
        ScreenMetrics::setOverride(96);
        TFontListBoxx::SetFamilySource([] { return QStringList{"Liberation Mono", "Liberation Serif"}; },
                                       [](const QString &) { return true; });
    }
    void opensOnFirstTemplateInTimesNewRoman();
    void clickingAFontRedrawsTheLabels();
    void sampleIsSizedAndTurnedForPortraitTemplates();
    void heldArrowKeyReloadsOnceOnRelease();
    void emptyFolderDisablesOk();
    void sampleHasItsOwnRichTextEngine();
};

void TestSelectPreviewTemplate::opensOnFirstTemplateInTimesNewRoman()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile(QStringLiteral("kvlt/b.KVLT"), kNameTemplate));
    QVERIFY(folder.writeFile(QStringLiteral("kvlt/a.kvlt"), kNameTemplate));
    QVERIFY(folder.writeFile(QStringLiteral("kvlt/notes.txt"), "x"));
    TSelectPreviewTemplate dialog(folder.filePath(QStringLiteral("kvlt")), folder.filePath(QStringLiteral("bg")));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Business Card Template"));
    QCOMPARE(dialog.FileListBox1->count(), 2);
    QCOMPARE(dialog.FontListBox1->SelectedFamily(), QStringLiteral("Courier New"));
    QCOMPARE(dialog.FontName(), QStringLiteral("Times New Roman"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.LoadCount(), 1);
    QCOMPARE(dialog.TemplateFile(), folder.filePath(QStringLiteral("kvlt/a.kvlt")));
    QCOMPARE(labelFonts(*dialog.BusinessCardPanel), QStringList{"Times New Roman"});
    QVERIFY(!dialog.BusinessCardPanel->isEnabled());
    QVERIFY(!dialog.BusinessCardPanel->HasColorPicture()); // no background: a white sample
    QVERIFY(dialog.Savebutton->isEnabled());
}

void TestSelectPreviewTemplate::clickingAFontRedrawsTheLabels()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile(QStringLiteral("kvlt/a.kvlt"), kNameTemplate));
    TSelectPreviewTemplate dialog(folder.filePath(QStringLiteral("kvlt")), folder.filePath(QStringLiteral("bg")));
    dialog.FormActivate();
    dialog.FontListBox1->setCurrentRow(0);
    dialog.FontListBox1->setCurrentRow(1);
    QCOMPARE(dialog.FontName(), QStringLiteral("Times New Roman"));
    dialog.FontListBox1->setCurrentRow(0);
    QCOMPARE(dialog.FontName(), QStringLiteral("Courier New"));
    QCOMPARE(labelFonts(*dialog.BusinessCardPanel), QStringList{"Courier New"});
}

void TestSelectPreviewTemplate::sampleIsSizedAndTurnedForPortraitTemplates()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile(QStringLiteral("kvlt/a.kvlt"), kNameTemplate + "[Card Data]\nPortrait Mode=1\n"));
    QVERIFY(folder.writeFile(QStringLiteral("kvlt/b.kvlt"), kNameTemplate));
    TSelectPreviewTemplate dialog(folder.filePath(QStringLiteral("kvlt")), folder.filePath(QStringLiteral("bg")));
    dialog.SetCardSize(3.5f, 2.0f);
    dialog.FormActivate();
    QCOMPARE(dialog.BusinessCardPanel->size(), QSize(192, 336));
    dialog.FileListBox1->setCurrentRow(1);
    QCOMPARE(dialog.BusinessCardPanel->size(), QSize(336, 192));
    QCOMPARE(dialog.BusinessCardPanel->ObjectCount(), 1); // the old sample was cleared
}

void TestSelectPreviewTemplate::heldArrowKeyReloadsOnceOnRelease()
{
    TempProgramFolder folder;
    for (const char *name : {"a", "b", "c", "d"})
        QVERIFY(folder.writeFile(QStringLiteral("kvlt/%1.kvlt").arg(QLatin1String(name)), kNameTemplate));
    TSelectPreviewTemplate dialog(folder.filePath(QStringLiteral("kvlt")), folder.filePath(QStringLiteral("bg")));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.FileListBox1->setFocus();
    const int loads = dialog.LoadCount();
    sendKey(dialog.FileListBox1, QEvent::KeyPress, false);
    sendKey(dialog.FileListBox1, QEvent::KeyPress, true);
    sendKey(dialog.FileListBox1, QEvent::KeyRelease, true);
    sendKey(dialog.FileListBox1, QEvent::KeyPress, true);
    QCOMPARE(dialog.FileListBox1->currentRow(), 3);
    QCoreApplication::processEvents();
    QCOMPARE(dialog.LoadCount(), loads); // nothing loaded while the key is held
    sendKey(dialog.FileListBox1, QEvent::KeyRelease, false);
    QCoreApplication::processEvents();
    QCOMPARE(dialog.LoadCount(), loads + 1);
    QCOMPARE(dialog.TemplateFile(), folder.filePath(QStringLiteral("kvlt/d.kvlt")));
}

void TestSelectPreviewTemplate::emptyFolderDisablesOk()
{
    TempProgramFolder folder;
    TSelectPreviewTemplate dialog(folder.filePath(QStringLiteral("kvlt")), folder.filePath(QStringLiteral("bg")));
    dialog.FormActivate();
    QCOMPARE(dialog.BusinessCardPanel->ObjectCount(), 0);
    QVERIFY(!dialog.Savebutton->isEnabled());
    QCOMPARE(dialog.TemplateFile(), QString());
}

QTEST_MAIN(TestSelectPreviewTemplate)
// A rich-text object of a template sample draws through the chooser's own
// engine, not the main window's (there may be none).
void TestSelectPreviewTemplate::sampleHasItsOwnRichTextEngine()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile(QStringLiteral("kvlt/a.kvlt"), kNameTemplate));
    TSelectPreviewTemplate dialog(folder.filePath(QStringLiteral("kvlt")), folder.filePath(QStringLiteral("bg")));
    auto *rich = new TGPRichBaseLabel(dialog.BusinessCardPanel);
    TRichTextEngine *engine = TRichTextEngine::FindMaster(rich);
    QVERIFY(engine);
    QCOMPARE(TRichTextEngine::FindMaster(&dialog), engine);
}

#include "tst_selectpreviewtemplate.moc"
