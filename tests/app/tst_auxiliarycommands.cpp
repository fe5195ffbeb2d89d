#include "MainScreenFixture.h"

#include "app/CardClasses.h"
#include "app/TAuxiliaryCommands.h"
#include "app/TTemplateCommands.h"
#include "app/ToolCommands.h"
#include "design/CardDocument.h"
#include "dialogs/TChangeFontAll.h"
#include "dialogs/TFontListBoxx.h"
#include "dialogs/TPersonalInformation.h"
#include "dialogs/TSelectPreviewTemplate.h"
#include "objects/TGBusinessCardLabel.h"
#include "platform/HelpTopics.h"
#include "platform/IniFile.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include "dialogs/ConfigurationReport.h"
#include "platform/UserDialogs.h"
#include "dialogs/TConfigurationInfo.h"
#include "platform/BuildInfo.h"

#include <QTest>

class TestAuxiliaryCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        registerCardClasses();
        TFontListBoxx::SetFamilySource([] { return QStringList{"Liberation Mono", "Liberation Serif"}; },
                                       [](const QString &) { return true; });
    }
    void cleanup() { UserDialogs::setModalRunner({}); }
    void programFactsComeFromBuildAndSettingsFile();
    void configurationCommandShowsTheReport();
    void personalInformationOpensEmptyAndCancelTouchesNothing();
    void personalInformationOkStoresAndReachesNewTemplates();
    void changeAllFontsKeepsSizeAndStyle();
    void changeAllFontsCancelOrNoLabelsChangesNothing();
    void newFromTemplateBuildsTheCard();
    void chooserRemembersTheLastChoice();
    void newFromTemplateNamesTextThatDoesNotFit();
    void missingBackgroundsAreReported();
    void writeIniSuggestsTemplateFolderAndReports();
    void toolMakesACardFromATemplate();
};

void TestAuxiliaryCommands::programFactsComeFromBuildAndSettingsFile()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile(QStringLiteral("kvl.ini"),
                             "[Printer]\nTopMarginNudge=5\nLeftMarginNudge=-2\nVerticalSpacing=7\n"
                             "HorizontalSpacing=-8\n[Default Font]\nName=Courier New\nSize=12\n"
                             "Italic=1\n"));
    const TProgramFacts facts = TAuxiliaryCommands::ProgramFacts();
    QCOMPARE(facts.ProductName, QStringLiteral("Karvello"));
    QCOMPARE(facts.VersionText, BuildInfo::VersionText());
    QVERIFY(!facts.VersionText.isEmpty());
    QVERIFY(facts.BuildDate.isValid());
    QCOMPARE(facts.SettingsFile, folder.filePath(QStringLiteral("kvl.ini")));
    const QStringList lines = ConfigurationReport::Lines(facts, TSystemFacts(), QDate(2026, 1, 1));
    QCOMPARE(lines.value(lines.size() - 2), QStringLiteral("DeFFont      \tCourier New,12,0,1,0"));
    QCOMPARE(lines.last(), QStringLiteral("Nudges:      \tTop:5,Left:-2,Vert:7,Horz:-8   {1/1000ths}"));
}

void TestAuxiliaryCommands::configurationCommandShowsTheReport()
{
    MainScreenFixture f;
    TMainScreen &window = f.start();
    TAuxiliaryCommands commands(window);
    QStringList shown;
    QString title;
    UserDialogs::setModalRunner([&](QDialog &dialog) {
        auto *info = qobject_cast<TConfigurationInfo *>(&dialog);
        if (info) {
            shown = info->Lines();
            title = info->windowTitle();
        }
        return int(QDialog::Rejected);
    });
    window.RunCommand(TMainCommand::ConfigurationInformation);
    QCOMPARE(title, QStringLiteral("Configuration Information"));
    QVERIFY(shown.contains(QStringLiteral("[Environment]")));
    QVERIFY(shown.contains(QLatin1Char('[') + f.folder.filePath(QStringLiteral("kvl.ini")) + QLatin1Char(']')));
    QVERIFY(f.dialogs->messages.isEmpty());
}

namespace {

TGBusinessCardLabel *addLabel(TGBusinessCardPanel32 &panel, const QString &caption)
{
    auto *label = new TGBusinessCardLabel(&panel);
    label->SetCaption(caption);
    label->Loaded();
    panel.PlaceObject(label, QRect(10, 10, 100, 24));
    return label;
}

const QByteArray kTemplate = "[Name]\nCaption=Your Own Name\nLeft=10\nTop=10\nWidth=120\nHeight=24\n"
                             "[Card Data]\nPortrait Mode=1\nBackground File=Sky.BMP\n";

} // namespace

void TestAuxiliaryCommands::personalInformationOpensEmptyAndCancelTouchesNothing()
{
    MainScreenFixture f;
    TMainScreen &window = f.start();
    TAuxiliaryCommands commands(window);
    const QByteArray before = f.folder.readFile(QStringLiteral("kvl.ini"));
    QStringList shown;
    UserDialogs::setModalRunner([&](QDialog &dialog) {
        auto &personal = dynamic_cast<TPersonalInformation &>(dialog);
        shown = personal.Values();
        personal.pPersonalName->setText(QStringLiteral("Typed but cancelled"));
        personal.Cancelbutton->click();
        return dialog.result();
    });
    window.RunCommand(TMainCommand::PersonalInformation);
    QCOMPARE(shown, QStringList(10));
    QCOMPARE(HelpTopicPage(TPersonalInformation::HelpTopicNumber), QUrl("qrc:/help/personal.html"));
    QCOMPARE(HelpTopicPage(TChangeFontAll::HelpTopicNumber), QUrl("qrc:/help/fonts.html"));
    QCOMPARE(HelpTopicPage(TSelectPreviewTemplate::HelpTopicNumber), QUrl("qrc:/help/templates.html"));
    QCOMPARE(f.folder.readFile(QStringLiteral("kvl.ini")), before);
    QCOMPARE(window.BusinessCardPanel->PersonalInformation(0), QString());
}

void TestAuxiliaryCommands::personalInformationOkStoresAndReachesNewTemplates()
{
    MainScreenFixture f;
    QVERIFY(f.folder.writeFile(QStringLiteral("kvl.ini"), "[Personal]\nName=Old Name\nFax=123\n"));
    TMainScreen &window = f.start();
    TAuxiliaryCommands commands(window);
    TGBusinessCardLabel *existing = addLabel(*window.BusinessCardPanel, QStringLiteral("Old Name"));
    QStringList shown;
    UserDialogs::setModalRunner([&](QDialog &dialog) {
        auto &personal = dynamic_cast<TPersonalInformation &>(dialog);
        shown = personal.Values();
        personal.pPersonalName->setText(QStringLiteral("New Name"));
        personal.pPersonalEmail->setText(QStringLiteral("me@example.org"));
        personal.OKButton->click();
        return dialog.result();
    });
    window.RunCommand(TMainCommand::PersonalInformation);
    QCOMPARE(shown.value(0), QStringLiteral("Old Name"));
    QCOMPARE(shown.value(9), QStringLiteral("123"));
    const IniFile ini(f.folder.filePath(QStringLiteral("kvl.ini")));
    QCOMPARE(ini.readString("Personal", "Email"), QStringLiteral("me@example.org"));
    QCOMPARE(ini.readString("Personal", "Name"), QStringLiteral("New Name"));
    QCOMPARE(window.BusinessCardPanel->PersonalInformation(0), QStringLiteral("New Name"));
    QCOMPARE(existing->Caption(), QStringLiteral("Old Name"));

    // A card made from a template now carries the new name.
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("t.kvlt")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kTemplate) > 0);
    file.close();
    window.BusinessCardPanel->RemoveAllObjects();
    window.BusinessCardPanel->ReadTemplate(file.fileName());
    QCOMPARE(qobject_cast<TGBusinessCardLabel *>(window.BusinessCardPanel->Objects().value(0))->Caption(),
             QStringLiteral("New Name"));
}

void TestAuxiliaryCommands::changeAllFontsKeepsSizeAndStyle()
{
    MainScreenFixture f;
    TMainScreen &window = f.start();
    TAuxiliaryCommands commands(window);
    TGBusinessCardLabel *label = addLabel(*window.BusinessCardPanel, QStringLiteral("A"));
    TFont font = label->Font();
    font.style = fsBold;
    font.setSize(14, 96);
    label->SetFont(font);
    window.SetChangesMade(false);
    UserDialogs::setModalRunner([&](QDialog &dialog) {
        auto &fonts = dynamic_cast<TChangeFontAll &>(dialog);
        fonts.FontListBox1->setCurrentRow(1);
        fonts.OKButton->click();
        return dialog.result();
    });
    window.RunCommand(TMainCommand::ChangeAllFonts);
    QCOMPARE(label->Font().name, QStringLiteral("Times New Roman"));
    QCOMPARE(label->Font().style, TFontStyles(fsBold));
    QCOMPARE(label->Font().size(96), 14);
    QVERIFY(window.ChangesMade());
}

void TestAuxiliaryCommands::changeAllFontsCancelOrNoLabelsChangesNothing()
{
    MainScreenFixture f;
    TMainScreen &window = f.start();
    TAuxiliaryCommands commands(window);
    f.drawRectangle();
    window.SetChangesMade(false);
    UserDialogs::setModalRunner([&](QDialog &dialog) {
        dynamic_cast<TChangeFontAll &>(dialog).OKButton->click();
        return dialog.result();
    });
    window.RunCommand(TMainCommand::ChangeAllFonts);
    QVERIFY(!window.ChangesMade()); // nothing to change

    TGBusinessCardLabel *label = addLabel(*window.BusinessCardPanel, QStringLiteral("A"));
    const TFont before = label->Font();
    window.SetChangesMade(false);
    UserDialogs::setModalRunner([&](QDialog &dialog) {
        auto &fonts = dynamic_cast<TChangeFontAll &>(dialog);
        fonts.FontListBox1->setCurrentRow(1);
        fonts.Cancelbutton->click();
        return dialog.result();
    });
    window.RunCommand(TMainCommand::ChangeAllFonts);
    QCOMPARE(label->Font(), before);
    QVERIFY(!window.ChangesMade());
}

void TestAuxiliaryCommands::newFromTemplateBuildsTheCard()
{
    MainScreenFixture f;
    QVERIFY(f.folder.writeFile(QStringLiteral("kvl.ini"), "[Personal]\nName=Jane Doe\n"));
    QVERIFY(f.folder.writeFile(QStringLiteral("kvlt/card.kvlt"), kTemplate));
    QImage sky(20, 10, QImage::Format_RGB32);
    sky.fill(Qt::blue);
    QVERIFY(QDir().mkpath(f.folder.filePath(QStringLiteral("bg"))));
    QVERIFY(sky.save(f.folder.filePath(QStringLiteral("bg/sky.bmp")), "BMP"));
    TMainScreen &window = f.start();
    TTemplateCommands commands(window);
    QSizeF cardInches;
    UserDialogs::setModalRunner([&](QDialog &dialog) {
        auto &chooser = dynamic_cast<TSelectPreviewTemplate &>(dialog);
        chooser.FormActivate();
        chooser.FontListBox1->setCurrentRow(0);
        chooser.FontListBox1Click();
        chooser.Savebutton->click();
        return dialog.result();
    });
    window.RunCommand(TMainCommand::NewFromTemplate);
    TGBusinessCardPanel32 &panel = *window.BusinessCardPanel;
    QCOMPARE(panel.ObjectCount(), 1);
    auto *label = qobject_cast<TGBusinessCardLabel *>(panel.Objects()[0]);
    QCOMPARE(label->Caption(), QStringLiteral("Jane Doe"));
    QCOMPARE(label->Font().name, QStringLiteral("Courier New"));
    QCOMPARE(QFileInfo(window.BackgroundPath()).fileName(), QStringLiteral("sky.bmp"));
    QVERIFY(panel.HasColorPicture());
    QVERIFY(window.Layout().Layout.Portrait);
    QVERIFY(panel.Portrait());
    QVERIFY(panel.height() > panel.width());
    QVERIFY(window.ChangesMade());
    QVERIFY(!window.Loading());
    QVERIFY(f.dialogs->messages.isEmpty());
}

namespace {

// The chooser as the user works it: shown, a template and a font clicked,
// then "Ok" clicked (or Escape when nothing is to be clicked).
int chooseWithTheMouse(TSelectPreviewTemplate &chooser, int templateRow, int fontRow)
{
    chooser.show();
    if (!QTest::qWaitForWindowActive(&chooser))
        return -1;
    const auto clickRow = [](QListWidget *list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(row)).center());
    };
    if (templateRow < 0) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        return chooser.result();
    }
    clickRow(chooser.FileListBox1, templateRow);
    clickRow(chooser.FontListBox1, fontRow);
    QTest::mouseClick(chooser.Savebutton, Qt::LeftButton);
    return chooser.result();
}

QString shownTemplate(const TSelectPreviewTemplate &chooser)
{
    const QListWidgetItem *item = chooser.FileListBox1->currentItem();
    return item ? item->text() : QString();
}

} // namespace

// The chooser opens on the template and font taken last, in this run and
// the next; a cancelled chooser changes nothing.
void TestAuxiliaryCommands::chooserRemembersTheLastChoice()
{
    MainScreenFixture f;
    QVERIFY(f.folder.writeFile(QStringLiteral("kvlt/a.kvlt"), kTemplate));
    QVERIFY(f.folder.writeFile(QStringLiteral("kvlt/B.kvlt"), kTemplate));
    QVERIFY(f.folder.writeFile(QStringLiteral("kvlt/c.kvlt"), kTemplate));
    TMainScreen &window = f.start();
    {
        TTemplateCommands commands(window);
        QString opened;
        QString openedFont;
        UserDialogs::setModalRunner(modalRunnerFor<TSelectPreviewTemplate>([&](TSelectPreviewTemplate &chooser) {
            opened = shownTemplate(chooser);
            openedFont = chooser.FontListBox1->SelectedFamily();
            return chooseWithTheMouse(chooser, 1, 0);
        }));
        window.RunCommand(TMainCommand::NewFromTemplate);
        QCOMPARE(opened, QStringLiteral("a.kvlt"));
        QCOMPARE(openedFont, QStringLiteral("Times New Roman"));
        auto *label = qobject_cast<TGBusinessCardLabel *>(window.BusinessCardPanel->Objects().value(0));
        QVERIFY(label);
        QCOMPARE(label->Font().name, QStringLiteral("Courier New"));

        window.ClearChangesFlag(); // no "Save changes?" in between
        QStringList sample;
        UserDialogs::setModalRunner(modalRunnerFor<TSelectPreviewTemplate>([&](TSelectPreviewTemplate &chooser) {
            opened = shownTemplate(chooser);
            openedFont = chooser.FontListBox1->SelectedFamily();
            const int result = chooseWithTheMouse(chooser, -1, -1);
            for (TGGraphicControl *o : chooser.BusinessCardPanel->Objects())
                sample << static_cast<TGBusinessCardLabel *>(o)->Font().name;
            return result;
        }));
        window.RunCommand(TMainCommand::NewFromTemplate);
        QCOMPARE(opened, QStringLiteral("B.kvlt"));
        QCOMPARE(openedFont, QStringLiteral("Courier New"));
        QCOMPARE(sample, QStringList{"Courier New"});
    }
    const IniFile ini(f.folder.filePath(QStringLiteral("kvl.ini")));
    QCOMPARE(ini.readString("Template Chooser", "Template"), QStringLiteral("B.kvlt"));
    QCOMPARE(ini.readString("Template Chooser", "Font"), QStringLiteral("Courier New"));

    // The next run.
    TMainScreen &next = f.start();
    TTemplateCommands commands(next);
    QString opened;
    UserDialogs::setModalRunner(modalRunnerFor<TSelectPreviewTemplate>([&](TSelectPreviewTemplate &chooser) {
        opened = shownTemplate(chooser) + QLatin1Char(' ') + chooser.FontName();
        return int(QDialog::Rejected);
    }));
    next.RunCommand(TMainCommand::NewFromTemplate);
    QCOMPARE(opened, QStringLiteral("B.kvlt Courier New"));
}

// A name too long for the template's box is named once the card is made,
// and the card is made all the same.
void TestAuxiliaryCommands::newFromTemplateNamesTextThatDoesNotFit()
{
    MainScreenFixture f;
    QVERIFY(f.folder.writeFile(QStringLiteral("kvl.ini"),
                               "[Personal]\nName=Bartholomew Montgomery-Featherstonehaugh\n"));
    QVERIFY(f.folder.writeFile(QStringLiteral("kvlt/card.kvlt"), kTemplate));
    // The template's background is there, so the fit is the one thing told.
    QImage sky(8, 8, QImage::Format_RGB32);
    sky.fill(Qt::cyan);
    QVERIFY(QDir().mkpath(f.folder.filePath(QStringLiteral("bg"))));
    QVERIFY(sky.save(f.folder.filePath(QStringLiteral("bg/Sky.BMP")), "BMP"));
    TMainScreen &window = f.start();
    TTemplateCommands commands(window);
    UserDialogs::setModalRunner([&](QDialog &dialog) {
        auto &chooser = dynamic_cast<TSelectPreviewTemplate &>(dialog);
        chooser.FormActivate();
        chooser.FontListBox1->setCurrentRow(0);
        chooser.FontListBox1Click();
        QTest::mouseClick(chooser.Savebutton, Qt::LeftButton);
        return dialog.result();
    });
    window.RunCommand(TMainCommand::NewFromTemplate);
    QCOMPARE(window.BusinessCardPanel->ObjectCount(), 1);
    const QStringList told = f.dialogs->informations();
    QCOMPARE(told.size(), 1);
    QVERIFY2(told.first().contains(QStringLiteral("\"Bartholomew Montgomery-Featherstonehaugh\" (%1) runs past its box")
                                       .arg(window.BusinessCardPanel->Objects()[0]->Name())),
             qPrintable(told.first()));
}

void TestAuxiliaryCommands::missingBackgroundsAreReported()
{
    MainScreenFixture f;
    QVERIFY(f.folder.writeFile(QStringLiteral("kvlt/card.kvlt"), kTemplate)); // names Sky.BMP, not there
    TMainScreen &window = f.start();
    TTemplateCommands commands(window);
    UserDialogs::setModalRunner([&](QDialog &dialog) {
        auto &chooser = dynamic_cast<TSelectPreviewTemplate &>(dialog);
        chooser.FormActivate();
        chooser.Savebutton->click();
        return dialog.result();
    });
    window.RunCommand(TMainCommand::NewFromTemplate);
    QCOMPARE(window.BusinessCardPanel->ObjectCount(), 1);
    QVERIFY(!window.BusinessCardPanel->HasColorPicture());
    QCOMPARE(f.dialogs->informations().size(), 1);
    const QString said = f.dialogs->informations().constFirst();
    QVERIFY2(said.contains(QStringLiteral("Sky.BMP")) && said.contains(QStringLiteral("cannot be found")),
             qPrintable(said));

    // Saved with the name, the card says so again when it is opened.
    f.dialogs->clear();
    const QString card = f.folder.filePath(QStringLiteral("saved/card.KVL"));
    QVERIFY(window.SaveDocument(card));
    window.OpenDocument(card);
    QCOMPARE(window.DocumentPath(), card);
    QCOMPARE(f.dialogs->informations().size(), 1);
    QVERIFY(f.dialogs->informations().constFirst().contains(QStringLiteral("Sky.BMP")));

    // A background that is there is loaded without a word.
    f.dialogs->clear();
    QImage sky(20, 10, QImage::Format_RGB32);
    sky.fill(Qt::blue);
    QVERIFY(sky.save(f.folder.filePath(QStringLiteral("bg/Sky.BMP")), "BMP"));
    window.OpenDocument(card);
    QVERIFY(window.BusinessCardPanel->HasColorPicture());
    QVERIFY(f.dialogs->messages.isEmpty());
}

void TestAuxiliaryCommands::writeIniSuggestsTemplateFolderAndReports()
{
    MainScreenFixture f;
    TMainScreen &window = f.start();
    TTemplateCommands commands(window);
    addLabel(*window.BusinessCardPanel, QStringLiteral("Company"));
    const QString target = f.folder.filePath(QStringLiteral("kvlt/Mine.KVLT"));
    f.dialogs->saveFileNames.enqueue(target);
    window.RunCommand(TMainCommand::WriteIni);
    QCOMPARE(f.dialogs->fileRequests.size(), 1);
    QCOMPARE(QFileInfo(f.dialogs->fileRequests[0].folderOrPath).fileName(), QStringLiteral("Template.KVLT"));
    QCOMPARE(f.dialogs->fileRequests[0].defaultSuffix, QStringLiteral("KVLT"));
    QCOMPARE(f.dialogs->informations(), QStringList{QStringLiteral("Saved as ") + target});
    const IniFile ini(target);
    QCOMPARE(ini.readString("Company", "Caption"), QStringLiteral("Company"));
    QCOMPARE(ini.readString("Card Data", "Background File"), QString());

    // Cancelled: nothing written, nothing said.
    f.dialogs->clear();
    window.SetDocumentPath(f.folder.filePath(QStringLiteral("saved/Shop.KVL")));
    window.RunCommand(TMainCommand::WriteIni);
    QCOMPARE(QFileInfo(f.dialogs->fileRequests.last().folderOrPath).fileName(), QStringLiteral("Shop.KVLT"));
    QVERIFY(f.dialogs->messages.isEmpty());
}

void TestAuxiliaryCommands::toolMakesACardFromATemplate()
{
    TempProgramFolder folder;
    QVERIFY(folder.writeFile(QStringLiteral("kvl.ini"), "[Personal]\nName=Jane Doe\n"));
    QVERIFY(folder.writeFile(QStringLiteral("t.KVLT"), kTemplate));
    QImage sky(20, 10, QImage::Format_RGB32);
    sky.fill(Qt::blue);
    QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("bg"))));
    QVERIFY(sky.save(folder.filePath(QStringLiteral("bg/Sky.BMP")), "BMP"));
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    const QString target = folder.filePath(QStringLiteral("out.KVL"));
    QCOMPARE(ToolCommands::run({"template", folder.filePath("t.KVLT"), target, "--font", "Courier New"}, out, err),
             0);
    QVERIFY2(errText.isEmpty(), qPrintable(errText));

    TGBusinessCardPanel32 panel;
    const CardDocument::Opened opened = CardDocument::OpenCardDocument(panel, target, SheetLayoutSetting());
    QVERIFY(opened.ok);
    QCOMPARE(panel.ObjectCount(), 1);
    auto *label = qobject_cast<TGBusinessCardLabel *>(panel.Objects()[0]);
    QCOMPARE(label->Caption(), QStringLiteral("Jane Doe"));
    QCOMPARE(label->Font().name, QStringLiteral("Courier New"));
    QVERIFY(opened.layout.Layout.Portrait);
    QCOMPARE(QFileInfo(opened.backgroundFile).fileName(), QStringLiteral("Sky.BMP"));

    // A template that cannot be read fully makes no document.
    QVERIFY(folder.writeFile(QStringLiteral("bad.KVLT"), "[Shape1]\nLeft=1\nTop=1\nWidth=9\nHeight=9\nPen Color=blueish\n"));
    const QString badTarget = folder.filePath(QStringLiteral("bad.KVL"));
    QCOMPARE(ToolCommands::run({"template", folder.filePath("bad.KVLT"), badTarget}, out, err), 1);
    QVERIFY(!QFile::exists(badTarget));
    QVERIFY(errText.contains(QStringLiteral("Pen Color")));
    QCOMPARE(ToolCommands::run({"template", folder.filePath("t.KVLT"), target, "--font"}, out, err), 2);
}

QTEST_MAIN(TestAuxiliaryCommands)
#include "tst_auxiliarycommands.moc"
