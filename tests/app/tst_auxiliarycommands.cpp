#include "MainScreenFixture.h"

#include "app/TAuxiliaryCommands.h"
#include "dialogs/ConfigurationReport.h"
#include "dialogs/DialogRunner.h"
#include "dialogs/TConfigurationInfo.h"
#include "platform/BuildInfo.h"

#include <QTest>

class TestAuxiliaryCommands : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { DialogRunner::SetRunner({}); }
    void programFactsComeFromBuildAndSettingsFile();
    void configurationCommandShowsTheReport();
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
    DialogRunner::SetRunner([&](QDialog &dialog) {
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

QTEST_MAIN(TestAuxiliaryCommands)
#include "tst_auxiliarycommands.moc"
