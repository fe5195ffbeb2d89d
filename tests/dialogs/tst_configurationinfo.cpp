#include "dialogs/ConfigurationReport.h"
#include "dialogs/TConfigurationInfo.h"
#include "platform/SystemFacts.h"
#include "report/PrinterTarget.h"
#include "support/ScriptedDialogs.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

TSystemFacts sampleSystem()
{
    TSystemFacts s;
    s.SystemName = QStringLiteral("Debian GNU/Linux 12 (bookworm)");
    s.KernelRelease = QStringLiteral("6.1.0-21-amd64");
    s.KernelBuild = QStringLiteral("#1 SMP PREEMPT_DYNAMIC Debian 6.1.90-1");
    s.ProcessorArchitecture = QStringLiteral("x86_64");
    s.ProcessorModel = QStringLiteral("Example CPU @ 2.00GHz");
    s.ScreenWidth = 1280;
    s.ScreenHeight = 1024;
    s.BitsPerPixel = 24;
    s.PixelsPerInch = 96;
    s.MemoryLoad = 37;
    s.TotalPhysical = Q_INT64_C(8589934592);
    s.AvailablePhysical = 1024;
    s.Path = QStringLiteral("/usr/bin:/bin");
    s.Printers = {{QStringLiteral("Office"), QStringLiteral("Generic PDF"), QStringLiteral("cups-pdf:/")}};
    return s;
}

TProgramFacts sampleProgram()
{
    TProgramFacts p;
    p.ProductName = QStringLiteral("Karvello");
    p.VersionText = QStringLiteral("3.3g");
    p.BuildDate = QDate(2026, 3, 4);
    p.SettingsFile = QStringLiteral("/opt/karvello/kvl.ini");
    p.FontName = QStringLiteral("Times New Roman");
    p.FontSize = 14;
    p.Bold = true;
    p.Underline = true;
    p.TopMarginNudge = -3;
    p.LeftMarginNudge = 8;
    p.VerticalSpacing = 0;
    p.HorizontalSpacing = -8;
    return p;
}

QString lineStarting(const QStringList &lines, const QString &start)
{
    for (const QString &line : lines)
        if (line.startsWith(start))
            return line;
    return QString();
}

} // namespace

class TestConfigurationInfo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void reportHasTheSectionsInOrder();
    void fontLineFollowsPixelsPerInch();
    void colourCountFollowsDepth();
    void memoryFiguresHaveThousandsSeparators();
    void settingsSectionShowsFontAndNudges();
    void memInfoAndOsReleaseAreRead();
    void printerPartListsTheCupsTestQueue();
    void copyPutsReportOnClipboard();
    void saveWritesFileAndSaysWhere();
    void cancelledSaveWritesNothingAndSaysNothing();
    void caretStartsAtTheTop();
};

void TestConfigurationInfo::reportHasTheSectionsInOrder()
{
    const QStringList lines =
        ConfigurationReport::Lines(sampleProgram(), sampleSystem(), QDate(2026, 12, 8));
    QCOMPARE(lines.value(0), QStringLiteral("Tuesday, December 8, 2026"));
    QCOMPARE(lines.value(1), QString());
    QCOMPARE(lines.mid(2, 4),
             (QStringList{QStringLiteral("[Product]"), QStringLiteral("Program:     \tKarvello"),
                          QStringLiteral("Version:     \t3.3g"),
                          QStringLiteral("Build Date:  \t3/4/26")}));
    QCOMPARE(lines.value(6), QString());
    QCOMPARE(lines.value(7), QStringLiteral("[Environment]"));
    QCOMPARE(lines.value(8), QStringLiteral("Windows:     \tDebian GNU/Linux 12 (bookworm) (version "
                                            "6.1.0-21-amd64 build:#1 SMP PREEMPT_DYNAMIC Debian 6.1.90-1)"));
    QCOMPARE(lines.value(9), QStringLiteral("CPU:         \tProcessor:  x86_64 Example CPU @ 2.00GHz"));
    QCOMPARE(lines.value(10), QStringLiteral("Video:       \t1280 x 1024 x 16,777,216 colors"));
    // No System.Ini lines: the font line follows the video line.
    QVERIFY(lines.value(11).startsWith(QStringLiteral("Font:        \t")));
    QVERIFY(lines.value(12).startsWith(QStringLiteral("Memory Load: \t37")));
    const int path = lines.indexOf(QStringLiteral("Path:        \t/usr/bin:/bin"));
    QCOMPARE(path, 20);
    // The printer part starts with "[Devices]".
    QCOMPARE(lines.mid(path + 1, 6),
             (QStringList{QString(), QStringLiteral("[Devices]"),
                          QStringLiteral("Office=Generic PDF,cups-pdf:/"), QString(),
                          QStringLiteral("[PrinterPorts]"), QStringLiteral("Office=cups-pdf:/")}));
    QCOMPARE(lines.mid(path + 7, 3),
             (QStringList{QString(), QStringLiteral("[/opt/karvello/kvl.ini]"), QString()}));
    QCOMPARE(lines.size(), path + 12);
    // Every labelled line pads its label to 13 characters before the tab.
    for (const QString &line : lines.mid(3))
        if (line.contains(QLatin1Char('\t')))
            QCOMPARE(line.indexOf(QLatin1Char('\t')), 13);
}

void TestConfigurationInfo::fontLineFollowsPixelsPerInch()
{
    TSystemFacts s = sampleSystem();
    const auto fontLine = [&](int ppi) {
        s.PixelsPerInch = ppi;
        return lineStarting(ConfigurationReport::Lines(sampleProgram(), s, QDate(2026, 1, 1)),
                            QStringLiteral("Font:"));
    };
    QCOMPARE(fontLine(96), QStringLiteral("Font:        \tSmall Fonts in use"));
    QCOMPARE(fontLine(120), QStringLiteral("Font:        \tLarge Fonts in use"));
    QCOMPARE(fontLine(144), QStringLiteral("Font:        \tCustom font size in use"));
}

void TestConfigurationInfo::colourCountFollowsDepth()
{
    TSystemFacts s = sampleSystem();
    s.BitsPerPixel = 16;
    QCOMPARE(lineStarting(ConfigurationReport::Lines(sampleProgram(), s, QDate(2026, 1, 1)),
                          QStringLiteral("Video:")),
             QStringLiteral("Video:       \t1280 x 1024 x 65,536 colors"));
    QCOMPARE(ConfigurationReport::ColorCount(1), 2);
    QCOMPARE(ConfigurationReport::ColorCount(8), 256);
    QCOMPARE(ConfigurationReport::ColorCount(15), 32768);
    QCOMPARE(ConfigurationReport::ColorCount(32), 16777216);
}

void TestConfigurationInfo::memoryFiguresHaveThousandsSeparators()
{
    TSystemFacts s = sampleSystem();
    s.TotalPageFile = 999;
    s.AvailablePageFile = 0;
    s.TotalVirtual = Q_INT64_C(140737488355328);
    s.AvailableVirtual = Q_INT64_C(140737000000000);
    const QStringList lines = ConfigurationReport::Lines(sampleProgram(), s, QDate(2026, 1, 1));
    QCOMPARE(lineStarting(lines, QStringLiteral("Phys")),
             QStringLiteral("Phys Memory: \tTotal: 8,589,934,592;    Available: 1,024"));
    QCOMPARE(lineStarting(lines, QStringLiteral("Page")),
             QStringLiteral("Page File:   \tTotal: 999;    Available: 0"));
    QCOMPARE(lineStarting(lines, QStringLiteral("Virt")),
             QStringLiteral("Virt Memory: \tTotal: 140,737,488,355,328;    Available: 140,737,000,000,000"));
}

void TestConfigurationInfo::settingsSectionShowsFontAndNudges()
{
    const QStringList lines =
        ConfigurationReport::Lines(sampleProgram(), sampleSystem(), QDate(2026, 1, 1));
    QCOMPARE(lines.value(lines.size() - 2), QStringLiteral("DeFFont      \tTimes New Roman,14,1,0,1"));
    QCOMPARE(lines.last(), QStringLiteral("Nudges:      \tTop:-3,Left:8,Vert:0,Horz:-8   {1/1000ths}"));
}

void TestConfigurationInfo::memInfoAndOsReleaseAreRead()
{
    TSystemFacts f;
    SystemFacts::readMemInfo(QStringLiteral("MemTotal:        4000000 kB\nMemFree:  100 kB\n"
                                            "MemAvailable:    1000000 kB\nSwapTotal:       2048 kB\n"
                                            "SwapFree:        1024 kB\n"),
                             f);
    QCOMPARE(f.TotalPhysical, Q_INT64_C(4096000000));
    QCOMPARE(f.AvailablePhysical, Q_INT64_C(1024000000));
    QCOMPARE(f.MemoryLoad, 75);
    QCOMPARE(f.TotalPageFile, Q_INT64_C(2097152));
    QCOMPARE(f.AvailablePageFile, Q_INT64_C(1048576));

    const QString osRelease = QStringLiteral("NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 "
                                             "(bookworm)\"\nVERSION_ID='12'\nID=debian\n");
    QCOMPARE(SystemFacts::shellVariable(osRelease, QStringLiteral("PRETTY_NAME")),
             QStringLiteral("Debian GNU/Linux 12 (bookworm)"));
    QCOMPARE(SystemFacts::shellVariable(osRelease, QStringLiteral("NAME")), QStringLiteral("Debian GNU/Linux"));
    QCOMPARE(SystemFacts::shellVariable(osRelease, QStringLiteral("VERSION_ID")), QStringLiteral("12"));
    QCOMPARE(SystemFacts::shellVariable(osRelease, QStringLiteral("ID")), QStringLiteral("debian"));
    QCOMPARE(SystemFacts::shellVariable(osRelease, QStringLiteral("LANG")), QString());

    // This machine's own facts: the kernel and memory can always be read.
    const TSystemFacts here = SystemFacts::gather();
    QVERIFY(!here.KernelRelease.isEmpty());
    QVERIFY(here.TotalPhysical > 0);
    QVERIFY(here.AvailablePhysical <= here.TotalPhysical);
    QVERIFY(here.AvailableVirtual <= here.TotalVirtual);
}

void TestConfigurationInfo::printerPartListsTheCupsTestQueue()
{
    const QString queue = QStringLiteral("KarvelloPDF");
    if (!PrinterTarget::printerNames().contains(queue))
        QSKIP("No CUPS queue \"KarvelloPDF\" (scripts/start-cups.sh starts cupsd and adds it)");
    const QList<TSystemFacts::Printer> printers = SystemFacts::printers();
    const auto it = std::find_if(printers.begin(), printers.end(),
                                 [&](const auto &p) { return p.Name == queue; });
    QVERIFY(it != printers.end());
    QCOMPARE(it->DeviceUri, QStringLiteral("cups-pdf:/"));
    QVERIFY(!it->Driver.isEmpty());

    const QStringList lines =
        ConfigurationReport::Lines(sampleProgram(), SystemFacts::gather(), QDate::currentDate());
    const int devices = lines.indexOf(QStringLiteral("[Devices]"));
    const int ports = lines.indexOf(QStringLiteral("[PrinterPorts]"));
    QVERIFY(devices > 0 && ports > devices);
    QVERIFY(lines.mid(devices, ports - devices).contains(queue + QLatin1Char('=') + it->Driver
                                                         + QStringLiteral(",cups-pdf:/")));
    QVERIFY(lines.mid(ports).contains(queue + QStringLiteral("=cups-pdf:/")));
}

void TestConfigurationInfo::copyPutsReportOnClipboard()
{
    ScopedScriptedDialogs dialogs;
    TConfigurationInfo dialog({QStringLiteral("one"), QStringLiteral("two\tx")}, QDir::tempPath());
    dialog.Button1->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("one\ntwo\tx\n"));
    QCOMPARE(dialogs->messages.size(), 1);
    QCOMPARE(dialogs->messages[0].text, QStringLiteral("Information copied to Windows clipboard"));
    QCOMPARE(dialogs->messages[0].caption, QStringLiteral("Configuration Information"));
}

void TestConfigurationInfo::saveWritesFileAndSaysWhere()
{
    QTemporaryDir dir;
    ScopedScriptedDialogs dialogs;
    const QString target = dir.filePath(QStringLiteral("report.TXT"));
    dialogs->saveFileNames.enqueue(target);
    TConfigurationInfo dialog({QStringLiteral("[Product]"), QStringLiteral("Program:     \tKarvello")},
                              dir.path());
    QVERIFY(dialog.Button3Click());
    QCOMPARE(dialogs->fileRequests.size(), 1);
    QCOMPARE(dialogs->fileRequests[0].folderOrPath, QDir(dir.path()).filePath(QStringLiteral("ConfigInfo.txt")));
    QCOMPARE(dialogs->fileRequests[0].defaultSuffix, QStringLiteral("TXT"));
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("[Product]\nProgram:     \tKarvello\n"));
    QCOMPARE(dialogs->informations(), QStringList{QStringLiteral("Information was saved as: ") + target});
    QCOMPARE(dialogs->messages[0].caption, QStringLiteral("Configuration Information"));

    // A file that cannot be written is not reported as saved.
    dialogs->clear();
    dialogs->saveFileNames.enqueue(dir.filePath(QStringLiteral("missing/folder/report.TXT")));
    QVERIFY(!dialog.Button3Click());
    QCOMPARE(dialogs->informations(), QStringList());
    QCOMPARE(dialogs->count(ScriptedDialogs::Message::Error), 1);
}

void TestConfigurationInfo::cancelledSaveWritesNothingAndSaysNothing()
{
    QTemporaryDir dir;
    ScopedScriptedDialogs dialogs;
    TConfigurationInfo dialog({QStringLiteral("x")}, dir.path());
    QVERIFY(!dialog.Button3Click());
    QCOMPARE(dialogs->fileRequests.size(), 1);
    QVERIFY(dialogs->messages.isEmpty());
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestConfigurationInfo::caretStartsAtTheTop()
{
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("line %1").arg(i);
    TConfigurationInfo dialog(lines, QDir::tempPath());
    QCOMPARE(dialog.Memo1->toPlainText(), lines.join(QLatin1Char('\n')));
    QCOMPARE(dialog.Memo1->lineWrapMode(), QPlainTextEdit::NoWrap);
    QVERIFY(dialog.Memo1->font().fixedPitch());
    dialog.Memo1->moveCursor(QTextCursor::End);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.Memo1->textCursor().position(), 0);
    QVERIFY(dialog.Button2->isDefault());
    dialog.Button2->click();
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(TestConfigurationInfo)
#include "tst_configurationinfo.moc"
