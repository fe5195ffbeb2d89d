// The main window's contact-list commands with real widgets: attaching a
// list from the File menu, stepping through the records with the record
// bar's buttons, showing the raw fields, and a list that cannot be read.
#include "MainScreenFixture.h"

#include "app/TContactListCommands.h"
#include "design/CardMerge.h"
#include "objects/TGBusinessCardLabel.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

class TestContactListCommands : public QObject
{
    Q_OBJECT
private slots:
    void recordBarStepsThroughTheAttachedList();
    void malformedListKeepsTheCardAsItWas();
};

namespace {

QString writeFile(const TempProgramFolder &folder, const QString &name, const QByteArray &bytes)
{
    const QString path = folder.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

} // namespace

void TestContactListCommands::recordBarStepsThroughTheAttachedList()
{
    MainScreenFixture f;
    TMainScreen &screen = f.start();
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    TContactListCommands contactListCommands(screen);
    auto *commands = &contactListCommands;
    QVERIFY(commands->RecordBar->isHidden());
    QVERIFY(!commands->DetachItem->isEnabled());

    auto *label = new TGBusinessCardLabel(&screen);
    label->Loaded();
    f.panel().PlaceObject(label, QRect(10, 10, 200, 24));
    label->SetCaption("{Name} - {Title}");

    f.dialogs->openFileNames << writeFile(f.folder, "staff.csv", "Name,Title\nAnna,Chair\nBo,Clerk\nCy,Treasurer\n");
    commands->AttachItem->trigger();
    QVERIFY(commands->RecordBar->isVisible());
    QCOMPARE(commands->RecordLabel->text(), QStringLiteral("1 of 3"));
    QCOMPARE(label->ShownCaption(), QStringLiteral("Anna - Chair"));
    QVERIFY(!commands->PreviousButton->isEnabled());
    QVERIFY(screen.ChangesMade());

    QTest::mouseClick(commands->NextButton, Qt::LeftButton);
    QCOMPARE(commands->RecordLabel->text(), QStringLiteral("2 of 3"));
    QCOMPARE(label->ShownCaption(), QStringLiteral("Bo - Clerk"));
    QTest::mouseClick(commands->LastButton, Qt::LeftButton);
    QCOMPARE(commands->RecordLabel->text(), QStringLiteral("3 of 3"));
    QVERIFY(!commands->NextButton->isEnabled());
    QTest::mouseClick(commands->PreviousButton, Qt::LeftButton);
    QCOMPARE(label->ShownCaption(), QStringLiteral("Bo - Clerk"));

    QTest::mouseClick(commands->ShowFieldsButton, Qt::LeftButton);
    QVERIFY(commands->ShowFieldsButton->isChecked());
    QCOMPARE(label->ShownCaption(), QStringLiteral("{Name} - {Title}"));
    QTest::mouseClick(commands->ShowFieldsButton, Qt::LeftButton);
    QTest::mouseClick(commands->FirstButton, Qt::LeftButton);
    QCOMPARE(label->ShownCaption(), QStringLiteral("Anna - Chair"));
    QCOMPARE(label->Caption(), QStringLiteral("{Name} - {Title}"));

    commands->DetachItem->trigger();
    QVERIFY(commands->RecordBar->isHidden());
    QCOMPARE(label->ShownCaption(), QStringLiteral(" - "));
}

void TestContactListCommands::malformedListKeepsTheCardAsItWas()
{
    MainScreenFixture f;
    TMainScreen &screen = f.start();
    TContactListCommands contactListCommands(screen);
    auto *commands = &contactListCommands;
    f.dialogs->openFileNames << writeFile(f.folder, "staff.csv", "Name\nAnna\nBo\n");
    commands->AttachItem->trigger();
    f.dialogs->openFileNames << writeFile(f.folder, "broken.vcf", "BEGIN:VCARD\nVERSION:3.0\nFN Anna\nEND:VCARD\n");
    commands->AttachItem->trigger();
    const QStringList told = f.dialogs->informations();
    QCOMPARE(told.size(), 1);
    QVERIFY2(told.first().contains("broken.vcf") && told.first().contains("Line 3"), qPrintable(told.first()));
    const CardMerge *merge = CardMerge::Find(&f.panel());
    QCOMPARE(merge->RecordCount(), 2);
    QVERIFY(merge->ListPath().endsWith("staff.csv"));
    // A cancelled file dialog changes nothing either.
    commands->AttachItem->trigger();
    QCOMPARE(merge->RecordCount(), 2);
}

QTEST_MAIN(TestContactListCommands)
#include "tst_contactlistcommands.moc"
