#include "MainScreenFixture.h"

#include "app/TMRUFileList.h"
#include "app/TMRUMenuItem.h"
#include "app/TMainMenus.h"
#include "platform/AppRoutines.h"
#include "platform/IniFile.h"

#include <QAction>
#include <QMenu>
#include <QTest>

class TestMRUFileList : public QObject
{
    Q_OBJECT

private slots:
    void newestComesFirstAndSixthPushesOldestOut();
    void addingAKnownPathMovesItToTheFront();
    void menuShowsNumberedEntriesAfterASeparator();
    void emptyListAddsNothingToTheMenu();
    void clickRemovesTheEntryAndReportsIt();
    void saveErasesTheSectionAndLoadKeepsFileOrder();
    void vanishedRecentFileSaysSoAndLeavesTheMenu();
    void recentFileReopensAndMovesToTheFront();
};

namespace {
QStringList captionsAfter(QMenu &menu, int fixedItems)
{
    QStringList list;
    const QList<QAction *> actions = menu.actions();
    for (int i = fixedItems; i < actions.size(); ++i)
        list << (actions[i]->isSeparator() ? QStringLiteral("-") : actions[i]->text());
    return list;
}
} // namespace

void TestMRUFileList::newestComesFirstAndSixthPushesOldestOut()
{
    QMenu menu;
    TMRUFileList list(&menu, QString(), "MRU");
    for (int i = 1; i <= 6; ++i)
        list.Add(QStringLiteral("/cards/%1.KVL").arg(i));
    QCOMPARE(list.Items(), QStringList({"/cards/6.KVL", "/cards/5.KVL", "/cards/4.KVL",
                                        "/cards/3.KVL", "/cards/2.KVL"}));
    QCOMPARE(list.MenuItems().size(), 5);
}

void TestMRUFileList::addingAKnownPathMovesItToTheFront()
{
    QMenu menu;
    TMRUFileList list(&menu, QString(), "MRU");
    list.Add("/a.KVL");
    list.Add("/b.KVL");
    list.Add("/a.KVL");
    QCOMPARE(list.Items(), QStringList({"/a.KVL", "/b.KVL"}));
}

void TestMRUFileList::menuShowsNumberedEntriesAfterASeparator()
{
    QMenu menu;
    menu.addAction("E&xit");
    TMRUFileList list(&menu, QString(), "MRU");
    list.Add("/x/one.KVL");
    list.Add("/x/R&D.KVL");
    QCOMPARE(captionsAfter(menu, 1), QStringList({"-", "&1 /x/R&&D.KVL", "&2 /x/one.KVL"}));
    QCOMPARE(static_cast<TMRUMenuItem *>(list.MenuItems().constFirst())->Path(),
             QStringLiteral("/x/R&D.KVL"));
    list.Add("/x/two.KVL"); // rebuilt, not appended twice
    QCOMPARE(captionsAfter(menu, 1).size(), 4);
}

void TestMRUFileList::emptyListAddsNothingToTheMenu()
{
    QMenu menu;
    menu.addAction("E&xit");
    TMRUFileList list(&menu, QString(), "MRU");
    list.Add("/only.KVL");
    list.Remove("/only.KVL");
    QCOMPARE(menu.actions().size(), 1);
}

void TestMRUFileList::clickRemovesTheEntryAndReportsIt()
{
    QMenu menu;
    TMRUFileList list(&menu, QString(), "MRU");
    list.Add("/a.KVL");
    list.Add("/b.KVL");
    QStringList clicked;
    connect(&list, &TMRUFileList::FileClicked, this,
            [&clicked](const QString &path) { clicked << path; });
    list.MenuItems().at(1)->trigger();
    QCOMPARE(clicked, QStringList {"/a.KVL"});
    QCOMPARE(list.Items(), QStringList {"/b.KVL"});
    QCOMPARE(list.MenuItems().size(), 1);
}

void TestMRUFileList::saveErasesTheSectionAndLoadKeepsFileOrder()
{
    TempProgramFolder folder;
    folder.writeFile("kvl.ini", "[MRU]\nF0=/old/one.KVL\nF1=/old/two.KVL\nF2=/old/three.KVL\n"
                                "[Other]\nKey=kept\n");
    QMenu menu;
    TMRUFileList list(&menu, SettingsFileName(), "MRU");
    list.Load();
    QCOMPARE(list.Items(), QStringList({"/old/one.KVL", "/old/two.KVL", "/old/three.KVL"}));
    QCOMPARE(list.MenuItems().size(), 3);
    list.Remove("/old/two.KVL");
    list.Add("/new.KVL");
    QVERIFY(list.Save());
    const IniFile ini(SettingsFileName());
    QCOMPARE(ini.readSectionValues("MRU"),
             QStringList({"F0=/new.KVL", "F1=/old/one.KVL", "F2=/old/three.KVL"}));
    QCOMPARE(ini.readString("Other", "Key"), QStringLiteral("kept"));
}

void TestMRUFileList::vanishedRecentFileSaysSoAndLeavesTheMenu()
{
    MainScreenFixture f;
    const QString gone = f.folder.filePath("saved/gone.KVL");
    f.folder.writeFile("kvl.ini", "[MRU]\nF0=" + gone.toUtf8() + "\n");
    TMainScreen &s = f.start();
    QCOMPARE(s.RecentFiles->MenuItems().size(), 1);
    s.RecentFiles->MenuItems().constFirst()->trigger();
    QCOMPARE(f.dialogs->informations(), QStringList {gone + " no longer exists"});
    QVERIFY(s.RecentFiles->MenuItems().isEmpty());
    // The settings file keeps it until the next open or save-as.
    const IniFile ini(SettingsFileName());
    QCOMPARE(ini.readString("MRU", "F0"), gone);
}

void TestMRUFileList::recentFileReopensAndMovesToTheFront()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    const QString first = f.folder.filePath("saved/first.KVL");
    const QString second = f.folder.filePath("saved/second.KVL");
    f.drawRectangle();
    f.dialogs->saveFileNames << first;
    s.SaveAsClick();
    f.drawRectangle(QRect(80, 80, 30, 30));
    f.dialogs->saveFileNames << second;
    s.SaveAsClick();
    QCOMPARE(s.RecentFiles->Items(), QStringList({second, first}));
    s.RecentFiles->MenuItems().at(1)->trigger();
    QCOMPARE(s.DocumentPath(), first);
    QCOMPARE(f.panel().ObjectCount(), 1);
    QCOMPARE(s.RecentFiles->Items(), QStringList({first, second}));
    const IniFile ini(SettingsFileName());
    QCOMPARE(ini.readString("MRU", "F0"), first);
}

QTEST_MAIN(TestMRUFileList)
#include "tst_mrufilelist.moc"
