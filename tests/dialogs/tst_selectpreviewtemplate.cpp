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

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

const QByteArray kNameTemplate = "[Name]\nCaption=Your Own Name\nLeft=10\nTop=10\nWidth=120\nHeight=24\n"
                                 "Font Name=Arial\n";

// A template of one generic label with that caption.
QByteArray labelTemplate(const char *caption)
{
    return QByteArray("[Label1]\nCaption=") + caption + "\nLeft=10\nTop=10\nWidth=120\nHeight=24\n";
}

QStringList labelCaptions(const TGBusinessCardPanel32 &panel)
{
    QStringList captions;
    for (TGGraphicControl *o : panel.Objects())
        if (auto *label = qobject_cast<TGBusinessCardLabel *>(o))
            captions << label->Caption();
    return captions;
}

// A mouse click on a list's row, as the user gives it.
void clickRow(QListWidget *list, int row)
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

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
    void cleanup()
    {
        UserDialogs::setHelpHandler({});
        TFontListBoxx::SetFamilySource([] { return QStringList{"Liberation Mono", "Liberation Serif"}; },
                                       [](const QString &) { return true; });
    }
    void opensOnFirstTemplateInTimesNewRoman();
    void highlightedFontIsTheFontUsed();
    void opensOnAnEarlierChoice();
    void clickingAFontRedrawsTheLabels();
    void sampleIsSizedAndTurnedForPortraitTemplates();
    void heldArrowKeyReloadsOnceOnRelease();
    void tabAndShortcutsLeaveTheSampleFollowing();
    void heldKeyLoadsWhenTheFocusLeaves();
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
    QCOMPARE(dialog.FontListBox1->SelectedFamily(), QStringLiteral("Times New Roman"));
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

// The chooser never shows one font highlighted while the card gets another.
void TestSelectPreviewTemplate::highlightedFontIsTheFontUsed()
{
    TFontListBoxx::SetFamilySource([] { return QStringList{"Liberation Sans", "Liberation Mono"}; },
                                   [](const QString &) { return true; });
    TempProgramFolder folder;
    QVERIFY(folder.writeFile(QStringLiteral("kvlt/a.kvlt"), kNameTemplate));
    TSelectPreviewTemplate dialog(folder.filePath(QStringLiteral("kvlt")), folder.filePath(QStringLiteral("bg")));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // No "Times New Roman" installed: the highlighted first family is used.
    QCOMPARE(dialog.FontListBox1->SelectedFamily(), QStringLiteral("Arial"));
    QCOMPARE(dialog.FontName(), QStringLiteral("Arial"));
    QCOMPARE(labelFonts(*dialog.BusinessCardPanel), QStringList{"Arial"});
}

void TestSelectPreviewTemplate::opensOnAnEarlierChoice()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile(QStringLiteral("kvlt/a.kvlt"), labelTemplate("Alpha")));
    QVERIFY(folder.writeFile(QStringLiteral("kvlt/Beta.KVLT"), labelTemplate("Beta") + "[Card Data]\nPortrait Mode=1\n"));
    TSelectPreviewTemplate dialog(folder.filePath(QStringLiteral("kvlt")), folder.filePath(QStringLiteral("bg")));
    dialog.SetCardSize(3.5f, 2.0f);
    dialog.SetChoice(QStringLiteral("beta.kvlt"), QStringLiteral("courier new"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.LoadCount(), 1);
    QCOMPARE(dialog.TemplateFile(), folder.filePath(QStringLiteral("kvlt/Beta.KVLT")));
    QCOMPARE(dialog.FontListBox1->SelectedFamily(), QStringLiteral("Courier New"));
    QCOMPARE(dialog.FontName(), QStringLiteral("Courier New"));
    QCOMPARE(labelCaptions(*dialog.BusinessCardPanel), QStringList{"Beta"});
    QCOMPARE(labelFonts(*dialog.BusinessCardPanel), QStringList{"Courier New"});
    QCOMPARE(dialog.BusinessCardPanel->size(), QSize(192, 336)); // sized when shown, not before

    // A choice the lists no longer hold leaves the usual start.
    TSelectPreviewTemplate other(folder.filePath(QStringLiteral("kvlt")), folder.filePath(QStringLiteral("bg")));
    other.SetChoice(QStringLiteral("gone.kvlt"), QStringLiteral("Gone Sans"));
    QCOMPARE(other.TemplateFile(), folder.filePath(QStringLiteral("kvlt/a.kvlt")));
    QCOMPARE(other.FontName(), QStringLiteral("Times New Roman"));
    QCOMPARE(other.FontListBox1->SelectedFamily(), QStringLiteral("Times New Roman"));
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

// Tab and Alt+H are pressed in a list but let go elsewhere: afterwards the
// sample still follows what is selected, which is what "Ok" builds.
void TestSelectPreviewTemplate::tabAndShortcutsLeaveTheSampleFollowing()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile(QStringLiteral("kvlt/a.kvlt"), labelTemplate("Alpha")));
    QVERIFY(folder.writeFile(QStringLiteral("kvlt/b.kvlt"), labelTemplate("Beta")));
    QVERIFY(folder.writeFile(QStringLiteral("kvlt/c.kvlt"), labelTemplate("Gamma")));
    TSelectPreviewTemplate dialog(folder.filePath(QStringLiteral("kvlt")), folder.filePath(QStringLiteral("bg")));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));

    clickRow(dialog.FileListBox1, 0);
    QVERIFY(dialog.FileListBox1->hasFocus());
    QTest::keyPress(dialog.FileListBox1, Qt::Key_Tab);
    QVERIFY(!dialog.FileListBox1->hasFocus());
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Tab);
    clickRow(dialog.FileListBox1, 1);
    QCoreApplication::processEvents();
    QCOMPARE(labelCaptions(*dialog.BusinessCardPanel), QStringList{"Beta"});

    // Alt+H in the font list opens help in a window of its own.
    QLineEdit help;
    int helpTopic = 0;
    UserDialogs::setHelpHandler([&](int topic) {
        helpTopic = topic;
        help.show();
        help.activateWindow();
        help.setFocus();
    });
    clickRow(dialog.FontListBox1, 0);
    QCOMPARE(labelFonts(*dialog.BusinessCardPanel), QStringList{"Courier New"});
    QTest::keyPress(dialog.FontListBox1, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyPress(dialog.FontListBox1, Qt::Key_H, Qt::AltModifier);
    QTRY_COMPARE(helpTopic, TSelectPreviewTemplate::HelpTopicNumber);
    QTRY_VERIFY(!dialog.FontListBox1->hasFocus());
    QTest::keyRelease(&help, Qt::Key_H, Qt::AltModifier);
    QTest::keyRelease(&help, Qt::Key_Alt);
    help.close();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    clickRow(dialog.FontListBox1, 1);
    clickRow(dialog.FileListBox1, 2);
    QCoreApplication::processEvents();
    QCOMPARE(labelCaptions(*dialog.BusinessCardPanel), QStringList{"Gamma"});
    QCOMPARE(labelFonts(*dialog.BusinessCardPanel), QStringList{"Times New Roman"});
    QCOMPARE(dialog.FontName(), QStringLiteral("Times New Roman"));
}

// An arrow key held in the template list while the user clicks elsewhere:
// the sample loads the selected template when the list loses the focus.
void TestSelectPreviewTemplate::heldKeyLoadsWhenTheFocusLeaves()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile(QStringLiteral("kvlt/a.kvlt"), labelTemplate("Alpha")));
    QVERIFY(folder.writeFile(QStringLiteral("kvlt/b.kvlt"), labelTemplate("Beta")));
    TSelectPreviewTemplate dialog(folder.filePath(QStringLiteral("kvlt")), folder.filePath(QStringLiteral("bg")));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    clickRow(dialog.FileListBox1, 0);
    const int loads = dialog.LoadCount();
    QTest::keyPress(dialog.FileListBox1, Qt::Key_Down);
    QCoreApplication::processEvents();
    QCOMPARE(dialog.FileListBox1->currentRow(), 1);
    QCOMPARE(dialog.LoadCount(), loads); // still held

    clickRow(dialog.FontListBox1, 1); // the font already used: only the focus moves
    QVERIFY(dialog.FontListBox1->hasFocus());
    QCoreApplication::processEvents();
    QCOMPARE(labelCaptions(*dialog.BusinessCardPanel), QStringList{"Beta"});
    QCOMPARE(dialog.LoadCount(), loads + 1);
    QTest::keyRelease(dialog.FontListBox1, Qt::Key_Down);
    QCoreApplication::processEvents();
    QCOMPARE(dialog.LoadCount(), loads + 1);

    // A letter moves the selection too: held, it waits for its release.
    clickRow(dialog.FileListBox1, 1);
    QTest::keyPress(dialog.FileListBox1, Qt::Key_A, Qt::NoModifier);
    QCOMPARE(dialog.FileListBox1->currentRow(), 0);
    QCoreApplication::processEvents();
    QCOMPARE(labelCaptions(*dialog.BusinessCardPanel), QStringList{"Beta"});
    QTest::keyRelease(dialog.FileListBox1, Qt::Key_A, Qt::NoModifier);
    QCoreApplication::processEvents();
    QCOMPARE(labelCaptions(*dialog.BusinessCardPanel), QStringList{"Alpha"});
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
