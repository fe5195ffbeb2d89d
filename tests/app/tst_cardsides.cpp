#include "MainScreenFixture.h"

#include "app/TAuxiliaryCommands.h"
#include "app/TCardSidePanels.h"
#include "app/TCardSideCommands.h"
#include "app/TFileCommands.h"
#include "app/TPrintCommands.h"
#include "app/TPrintShopCommands.h"
#include "print/SelectLabelsDialog.h"
#include "print/TExportImageDialog.h"
#include "print/TLabelPrinter.h"
#include "print/TPreviewForm.h"
#include "print/TPrintShopDialog.h"
#include "report/PdfTarget.h"
#include "report/TReport.h"
#include "app/TMRUFileList.h"
#include "app/TMainMenus.h"
#include "app/TUndoHistory.h"
#include "design/CardMerge.h"
#include "design/CardSides.h"
#include "design/TGHandle.h"
#include "dialogs/TChangeFontAll.h"
#include "dialogs/TFontListBoxx.h"
#include "objects/TGBusinessCardLabel.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QTest>

class TestCardSides : public QObject
{
    Q_OBJECT

private slots:
    void backFileNamesFollowTheFront();
    void frontBytesAreTheSameWithAndWithoutABack();
    void pairSurvivesSaveAsAndReopenInAnyLetterCase();
    void handedOverBackOpensTheWholeCard();
    void unreadableBackFailsTheOpening();
    void removedBackIsAskedForAndItsFilesDeletedOnSave();
    void failedWriteOfTheBackIsAFailedSave();
    void deletingACardDeletesItsBack();
    void oneUndoHistoryAcrossBothSides();
    void switchingSidesIsNoChange();
    void clipboardCarriesObjectsToTheOtherSide();
    void keysAndSwitchButtonsShowTheSides();
    void changeAllFontsChangesBothSides();
    void newBlankHasNoBack();
    void exportsWriteBothSidesFrontFirst();
    void previewAndPrintTakeBothSidesWhicheverIsShown();
    void bothSidesShowTheRecordOfTheContactList();
};

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TCardSideCommands &sidesOf(TMainScreen &s)
{
    auto *commands = s.findChild<TCardSideCommands *>();
    Q_ASSERT(commands);
    return *commands;
}

// Objects on the panel, by class name.
QStringList shownClasses(const TGBusinessCardPanel32 &panel)
{
    QStringList names;
    for (const TGGraphicControl *object : panel.Objects())
        names << object->ClassName() + QLatin1Char('@') + QString::number(object->Left());
    return names;
}

void drawEllipse(TGBusinessCardPanel32 &panel, QRect r)
{
    panel.SetPanelState(psEllipse);
    panel.CreateObject(r);
    panel.SetPanelState(psPointing);
}

// A card with a rectangle at 20 on the front and an ellipse at 90 on its back.
void makeTwoSidedCard(MainScreenFixture &f)
{
    f.drawRectangle(QRect(20, 20, 60, 30));
    sidesOf(*f.screen).AddBack();
    drawEllipse(f.panel(), QRect(90, 30, 40, 40));
    f.screen->History->Settle();
}

} // namespace

void TestCardSides::backFileNamesFollowTheFront()
{
    QCOMPARE(CardSides::BackFileName("/a/Jane.KVL"), QStringLiteral("/a/Jane.BACK.KVL"));
    QCOMPARE(CardSides::BackFileName("/a.b/jane.kvl"), QStringLiteral("/a.b/jane.BACK.kvl"));
    QCOMPARE(CardSides::BackFileName("/a.b/jane"), QStringLiteral("/a.b/jane.BACK"));
    TempProgramFolder folder;
    folder.writeFile("saved/Jane.kvl", "x");
    // A back named on its own opens its front; without a front it stays itself.
    QCOMPARE(CardSides::FrontOf(folder.filePath("saved/jane.back.KVL")), folder.filePath("saved/Jane.kvl"));
    QCOMPARE(CardSides::FrontOf(folder.filePath("saved/Bob.BACK.KVL")), folder.filePath("saved/Bob.BACK.KVL"));
    QCOMPARE(CardSides::FrontOf(folder.filePath("saved/Jane.kvl")), folder.filePath("saved/Jane.kvl"));
}

void TestCardSides::frontBytesAreTheSameWithAndWithoutABack()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.drawRectangle(QRect(20, 20, 60, 30));
    const QString single = f.folder.filePath("saved/Single.KVL");
    QVERIFY(s.SaveDocument(single));
    QVERIFY(!QFileInfo::exists(f.folder.filePath("saved/Single.BACK.KVL")));

    sidesOf(s).AddBack();
    drawEllipse(f.panel(), QRect(90, 30, 40, 40));
    // Saved while the back is on screen, and again with the front shown.
    const QString pairBack = f.folder.filePath("saved/PairB.KVL");
    QVERIFY(s.SaveDocument(pairBack));
    sidesOf(s).ShowSide(false);
    const QString pairFront = f.folder.filePath("saved/PairF.KVL");
    QVERIFY(s.SaveDocument(pairFront));
    for (const QString &pair : {pairBack, pairFront}) {
        QCOMPARE(fileBytes(pair), fileBytes(single));
        QCOMPARE(fileBytes(CardDocument::CompanionFileName(pair)),
                 fileBytes(CardDocument::CompanionFileName(single)));
        QVERIFY(QFileInfo::exists(CardSides::BackFileName(pair)));
        QVERIFY(QFileInfo::exists(CardDocument::CompanionFileName(CardSides::BackFileName(pair))));
        QVERIFY(fileBytes(CardSides::BackFileName(pair)) != fileBytes(single));
    }
    QCOMPARE(fileBytes(CardSides::BackFileName(pairBack)), fileBytes(CardSides::BackFileName(pairFront)));
}

void TestCardSides::pairSurvivesSaveAsAndReopenInAnyLetterCase()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    makeTwoSidedCard(f);
    const QString path = f.folder.filePath("saved/Jane.KVL");
    f.dialogs->saveFileNames << path;
    s.SaveAsClick();
    QCOMPARE(s.DocumentPath(), path);
    QCOMPARE(s.RecentFiles->Items().value(0), path);
    s.NewBlankClick();
    QVERIFY(!s.Sides().HasBack);

    // Written on another system in other letters.
    QVERIFY(QFile::rename(f.folder.filePath("saved/Jane.BACK.KVL"), f.folder.filePath("saved/jane.back.kvl")));
    QVERIFY(QFile::rename(f.folder.filePath("saved/Jane.BACK.KVE"), f.folder.filePath("saved/JANE.Back.kve")));
    s.RecentFileClicked(path);
    QVERIFY(s.Sides().HasBack);
    QVERIFY(!s.Sides().BackShown());
    QCOMPARE(shownClasses(f.panel()), QStringList{"TBCShapes@20"});
    sidesOf(s).ShowSide(true);
    QCOMPARE(shownClasses(f.panel()), QStringList{"TBCShapes@90"});
    QVERIFY(!s.ChangesMade());

    // Saving again writes the back under its existing spelling.
    s.SaveClick();
    QVERIFY(QFileInfo::exists(f.folder.filePath("saved/jane.back.kvl")));
    QVERIFY(!QFileInfo::exists(f.folder.filePath("saved/Jane.BACK.KVL")));
}

void TestCardSides::handedOverBackOpensTheWholeCard()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    makeTwoSidedCard(f);
    const QString path = f.folder.filePath("saved/Jane.KVL");
    QVERIFY(s.SaveDocument(path));
    s.NewBlankClick();
    // A second copy of the program hands its document over this way, here
    // the back's own file.
    s.FileCommands().OpenPath(f.folder.filePath("saved/Jane.BACK.KVL"));
    QCOMPARE(s.DocumentPath(), path);
    QVERIFY(s.Sides().HasBack);
    QCOMPARE(shownClasses(f.panel()), QStringList{"TBCShapes@20"});
}

void TestCardSides::unreadableBackFailsTheOpening()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    makeTwoSidedCard(f);
    const QString path = f.folder.filePath("saved/Jane.KVL");
    QVERIFY(s.SaveDocument(path));
    s.NewBlankClick();
    f.folder.writeFile("saved/Jane.BACK.KVL", "not a card");
    s.FileCommands().OpenPath(path);
    QVERIFY(s.DocumentPath().isEmpty()); // nothing to save over the back
    QVERIFY(f.panel().Objects().isEmpty());
    QVERIFY(f.dialogs->informations().last().contains("Jane.BACK.KVL"));
}

void TestCardSides::removedBackIsAskedForAndItsFilesDeletedOnSave()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    makeTwoSidedCard(f);
    const QString path = f.folder.filePath("saved/Jane.KVL");
    QVERIFY(s.SaveDocument(path));
    s.SetDocumentPath(path);

    f.dialogs->answers << false;
    sidesOf(s).RemoveBack();
    QCOMPARE(f.dialogs->questions().last(), QStringLiteral("Remove the back of the card?"));
    QVERIFY(s.Sides().HasBack);

    f.dialogs->answers << true;
    sidesOf(s).RemoveBack();
    QVERIFY(!s.Sides().HasBack);
    QCOMPARE(shownClasses(f.panel()), QStringList{"TBCShapes@20"});
    QVERIFY(s.ChangesMade());
    QVERIFY(QFileInfo::exists(f.folder.filePath("saved/Jane.BACK.KVL")));
    s.SaveClick();
    QVERIFY(!QFileInfo::exists(f.folder.filePath("saved/Jane.BACK.KVL")));
    QVERIFY(!QFileInfo::exists(f.folder.filePath("saved/Jane.BACK.KVE")));
    QVERIFY(QFileInfo::exists(path));
}

void TestCardSides::failedWriteOfTheBackIsAFailedSave()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    makeTwoSidedCard(f);
    const QString path = f.folder.filePath("saved/Jane.KVL");
    // A folder where the back's file belongs cannot be replaced by a file.
    QVERIFY(QDir().mkpath(f.folder.filePath("saved/Jane.BACK.KVL")));
    f.dialogs->saveFileNames << path;
    s.SaveAsClick();
    QVERIFY(s.DocumentPath().isEmpty());
    QVERIFY(s.ChangesMade());
    QCOMPARE(f.dialogs->count(ScriptedDialogs::Message::Error), 1);
    QVERIFY(f.dialogs->texts().last().contains("Jane.BACK.KVL"));
}

void TestCardSides::deletingACardDeletesItsBack()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    makeTwoSidedCard(f);
    const QString path = f.folder.filePath("saved/Jane.KVL");
    QVERIFY(s.SaveDocument(path));
    QVERIFY(QFile::rename(f.folder.filePath("saved/Jane.BACK.KVE"), f.folder.filePath("saved/jane.back.kve")));
    f.dialogs->openFileNames << path;
    f.dialogs->answers << true;
    s.DeleteClick();
    QVERIFY(QDir(f.folder.filePath("saved")).entryList(QDir::Files).isEmpty());
}

void TestCardSides::oneUndoHistoryAcrossBothSides()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    makeTwoSidedCard(f);
    sidesOf(s).ShowSide(false);
    QCOMPARE(s.Menus->UndoItem->text(), QStringLiteral("&Undo Create"));

    // Undoing the ellipse drawn on the back shows the back without it.
    s.History->Undo();
    QVERIFY(s.Sides().BackShown());
    QVERIFY(f.panel().Objects().isEmpty());
    QCOMPARE(s.Menus->UndoItem->text(), QStringLiteral("&Undo Add Back"));
    s.History->Undo();
    QVERIFY(!s.Sides().HasBack);
    QCOMPARE(shownClasses(f.panel()), QStringList{"TBCShapes@20"});

    s.History->Redo();
    s.History->Redo();
    QVERIFY(s.Sides().BackShown());
    QCOMPARE(shownClasses(f.panel()), QStringList{"TBCShapes@90"});
    sidesOf(s).ShowSide(false);
    QCOMPARE(shownClasses(f.panel()), QStringList{"TBCShapes@20"});
}

void TestCardSides::switchingSidesIsNoChange()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    makeTwoSidedCard(f);
    QVERIFY(s.SaveDocument(f.folder.filePath("saved/Jane.KVL")));
    s.SetChangesMade(false);
    const int steps = s.History->Stack().count();
    sidesOf(s).ShowSide(false);
    sidesOf(s).ShowSide(true);
    sidesOf(s).ShowSide(false);
    QCoreApplication::processEvents();
    QVERIFY(!s.ChangesMade());
    QCOMPARE(s.History->Stack().count(), steps);
    QVERIFY(s.History->Stack().isClean());
}

void TestCardSides::clipboardCarriesObjectsToTheOtherSide()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    makeTwoSidedCard(f);
    sidesOf(s).ShowSide(false);
    f.panel().Handle()->SelectObject(f.panel().Objects().first());
    f.panel().Copy();
    sidesOf(s).ShowSide(true);
    // Panels made for a moment (printing, exports, opening) leave the
    // clipboard alone.
    { TCardSidePanels both(s); }
    QString error;
    CardSides opened;
    QVERIFY(s.SaveDocument(f.folder.filePath("saved/Jane.KVL")));
    QVERIFY(opened.OpenBack(f.folder.filePath("saved/Jane.KVL"), &error));
    f.panel().Paste();
    s.History->Settle();
    QCOMPARE(f.panel().Objects().size(), 2);
    QCOMPARE(s.Menus->UndoItem->text(), QStringLiteral("&Undo Paste"));
    sidesOf(s).ShowSide(false);
    QCOMPARE(shownClasses(f.panel()), QStringList{"TBCShapes@20"}); // the front is as it was
}

void TestCardSides::keysAndSwitchButtonsShowTheSides()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    TCardSideCommands &sides = sidesOf(s);
    QVERIFY(sides.Switch->isVisible());
    QVERIFY(sides.Switch->geometry().bottom() <= s.ScrollBox1->geometry().top());
    QVERIFY(sides.FrontButton->isChecked());
    QVERIFY(!sides.BackButton->isEnabled());
    makeTwoSidedCard(f);
    QVERIFY(sides.BackButton->isChecked());
    QVERIFY(sides.BackItem->isChecked());

    f.panel().setFocus();
    QTest::keyClick(&s, Qt::Key_PageUp, Qt::ControlModifier);
    QVERIFY(!s.Sides().BackShown());
    QVERIFY(sides.FrontButton->isChecked());
    QCOMPARE(shownClasses(f.panel()), QStringList{"TBCShapes@20"});
    QTest::keyClick(&s, Qt::Key_PageDown, Qt::ControlModifier);
    QVERIFY(s.Sides().BackShown());
    QCOMPARE(shownClasses(f.panel()), QStringList{"TBCShapes@90"});

    QTest::mouseClick(sides.FrontButton, Qt::LeftButton);
    QVERIFY(!s.Sides().BackShown());
    QVERIFY(sides.FrontItem->isChecked());
    QTest::mouseClick(sides.BackButton, Qt::LeftButton);
    QVERIFY(s.Sides().BackShown());
}

void TestCardSides::changeAllFontsChangesBothSides()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    TAuxiliaryCommands commands(s);
    auto addLabel = [&f] {
        auto *label = new TGBusinessCardLabel(&f.panel());
        label->SetCaption(QStringLiteral("A"));
        label->Loaded();
        f.panel().PlaceObject(label, QRect(10, 10, 100, 24));
        return label;
    };
    addLabel();
    sidesOf(s).AddBack();
    addLabel();
    sidesOf(s).ShowSide(false);
    const QString before = dynamic_cast<TGBusinessCardLabel *>(f.panel().Objects().first())->Font().name;
    QString chosen;
    UserDialogs::setModalRunner([&](QDialog &dialog) {
        auto &fonts = dynamic_cast<TChangeFontAll &>(dialog);
        fonts.FontListBox1->setCurrentRow(fonts.FontListBox1->currentRow() == 1 ? 2 : 1);
        chosen = fonts.SelectedFont();
        fonts.OKButton->click();
        return dialog.result();
    });
    s.RunCommand(TMainCommand::ChangeAllFonts);
    UserDialogs::setModalRunner(nullptr);
    QVERIFY(!chosen.isEmpty() && chosen != before);
    for (bool back : {false, true}) {
        sidesOf(s).ShowSide(back);
        QCOMPARE(f.panel().Objects().size(), 1);
        auto *label = dynamic_cast<TGBusinessCardLabel *>(f.panel().Objects().first());
        QVERIFY(label);
        QCOMPARE(label->Font().name, chosen);
    }
}

void TestCardSides::newBlankHasNoBack()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    makeTwoSidedCard(f);
    f.dialogs->answers << false; // do not save
    s.NewBlankClick();
    QVERIFY(!s.Sides().HasBack);
    QVERIFY(!s.Sides().BackShown());
    QVERIFY(f.panel().Objects().isEmpty());
    QVERIFY(!sidesOf(s).BackButton->isEnabled());
}

void TestCardSides::exportsWriteBothSidesFrontFirst()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    TPrintShopCommands commands(s);
    makeTwoSidedCard(f); // the back is on screen
    UserDialogs::setModalRunner([](QDialog &dialog) {
        if (auto *image = dynamic_cast<TExportImageDialog *>(&dialog))
            image->DpiEdit->setValue(96);
        return int(QDialog::Accepted);
    });
    const QString png = f.folder.filePath(QStringLiteral("Jane.png"));
    f.dialogs->saveFileNames << png;
    commands.ExportAsPngClick();
    QVERIFY(!QFileInfo::exists(png));
    const QImage front(f.folder.filePath(QStringLiteral("Jane-front.png")));
    const QImage back(f.folder.filePath(QStringLiteral("Jane-back.png")));
    QCOMPARE(front.size(), QSize(336, 192));
    // The front's rectangle outline at 20, 20; the back's ellipse round 110, 50.
    QCOMPARE(qGray(front.pixel(20, 30)), 0);
    QCOMPARE(qGray(back.pixel(20, 30)), 255);
    QVERIFY(qGray(back.pixel(90, 50)) < 128);
    QCOMPARE(qGray(front.pixel(90, 50)), 255);

    const QString pdf = f.folder.filePath(QStringLiteral("Jane.pdf"));
    f.dialogs->saveFileNames << pdf;
    commands.ExportForPrintShopClick();
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 2);
    QCOMPARE(bytes.count("/TrimBox"), 2);
    QCOMPARE(bytes.count("/BleedBox"), 2);
    QVERIFY(s.Sides().BackShown()); // the window is left as it was
    UserDialogs::setModalRunner(nullptr);
}

void TestCardSides::previewAndPrintTakeBothSidesWhicheverIsShown()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    const QString pdf = f.folder.filePath(QStringLiteral("sheet.pdf"));
    TPrintCommands print(s, std::make_unique<TReport>(std::make_unique<PdfTarget>(pdf)));
    makeTwoSidedCard(f);
    bool offered = false;
    int previewPages = 0;
    UserDialogs::setModalRunner([&](QDialog &dialog) {
        if (auto *select = qobject_cast<TSelectSpecificLabels *>(&dialog)) {
            offered = select->BothSidesBox->isVisibleTo(select);
            select->BothSidesBox->setChecked(true);
            select->OKbuttonClick();
            return select->result();
        }
        if (auto *status = qobject_cast<TLabelPrinter *>(&dialog)) {
            status->FormActivate();
            return int(QDialog::Accepted);
        }
        if (auto *preview = qobject_cast<TPreviewForm *>(&dialog))
            previewPages = preview->PageCount();
        return int(QDialog::Rejected);
    });
    print.mnuPreviewClick();
    QCOMPARE(previewPages, 2);
    f.dialogs->saveFileNames << pdf;
    print.mnuPrintClick();
    UserDialogs::setModalRunner(nullptr);
    QVERIFY(offered);
    QCOMPARE(print.MainJob().pageCount(), 2);
    // Printing changed nothing on screen.
    QVERIFY(s.Sides().BackShown());
    QCOMPARE(shownClasses(f.panel()), QStringList{"TBCShapes@90"});
}

void TestCardSides::bothSidesShowTheRecordOfTheContactList()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    makeTwoSidedCard(f);
    auto list = std::make_shared<ContactList>();
    list->fields = {"Name"};
    list->records = {{"Ann"}, {"Bo"}, {"Cy"}};
    CardMerge::Of(f.panel()).Attach(list, "/lists/staff.csv");
    CardMerge::Of(f.panel()).SetRecord(2);
    for (const bool back : {false, true}) {
        sidesOf(s).ShowSide(back);
        // Printing and exports take the side not shown from a panel of its
        // own: it shows the same list and record as the window.
        const TCardSidePanels both(s);
        QVERIFY(both.Front && both.Back);
        for (TGBusinessCardPanel32 *side : {both.Front, both.Back}) {
            const CardMerge *merge = CardMerge::Find(side);
            QVERIFY(merge && merge->Attached());
            QCOMPARE(merge->Record(), 2);
            QCOMPARE(merge->Value("Name").value_or(QString()), QStringLiteral("Cy"));
        }
    }
}

QTEST_MAIN(TestCardSides)
#include "tst_cardsides.moc"
