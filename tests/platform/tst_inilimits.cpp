// INI files that are too large, not files at all, or ANSI files whose
// edited bytes would read back as UTF-8.

#include "platform/IniFile.h"
#include "support/TempProgramFolder.h"

#include <QFile>
#include <QtTest>

class TestIniLimits : public QObject
{
    Q_OBJECT
private slots:
    void fileAtTheLimitIsReadOneByteMoreIsNot()
    {
        TempProgramFolder folder;
        // A section, a key, and a comment filling the file to the limit.
        const QByteArray head = "[Preferences]\nKey=Value\n;";
        QByteArray bytes = head + QByteArray(IniFile::MaxFileBytes - head.size() - 1, 'c') + "\n";
        QCOMPARE(bytes.size(), IniFile::MaxFileBytes);
        QVERIFY(folder.writeFile("at.ini", bytes));
        QCOMPARE(IniFile(folder.filePath("at.ini")).readString("Preferences", "Key"), QStringLiteral("Value"));

        bytes.insert(head.size(), 'c');
        QVERIFY(folder.writeFile("over.ini", bytes));
        {
            IniFile ini(folder.filePath("over.ini"));
            QCOMPARE(ini.readString("Preferences", "Key", "none"), QStringLiteral("none"));
            // Never overwritten with what little was read.
            ini.writeString("Preferences", "Other", "1");
            QVERIFY(!ini.flush());
            QVERIFY(ini.errorString().contains(QStringLiteral("larger than")));
        }
        QCOMPARE(folder.readFile("over.ini"), bytes);
    }

    void linkToADeviceIsNotRead()
    {
        TempProgramFolder folder;
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), folder.filePath("kvl.ini")));
        IniFile ini(folder.filePath("kvl.ini"));
        QVERIFY(ini.sections().isEmpty());
        ini.writeString("Preferences", "Key", "1");
        QVERIFY(!ini.flush());
        QVERIFY(QFileInfo(folder.filePath("kvl.ini")).isSymLink());
    }

    // Found by fuzzing: "Ã" and "©" are two code-page bytes that together
    // are the UTF-8 form of "é", so the file read back changed.
    void ansiFileWhoseBytesBecomeUtf8IsWrittenAsUtf8()
    {
        TempProgramFolder folder;
        QVERIFY(folder.writeFile("kvl.ini", "[Personal]\nName=Andr\xE9\n"));
        {
            IniFile ini(folder.filePath("kvl.ini"));
            QCOMPARE(ini.readString("Personal", "Name"), QStringLiteral("Andr\u00e9"));
            ini.writeString("Personal", "Name", QStringLiteral("\u00c3\u00a9"));
            QVERIFY(ini.flush());
        }
        QCOMPARE(IniFile(folder.filePath("kvl.ini")).readString("Personal", "Name"), QStringLiteral("\u00c3\u00a9"));

        // A file that stays invalid UTF-8 keeps its code page.
        QVERIFY(folder.writeFile("ansi.ini", "[Personal]\nName=Andr\xE9\n"));
        {
            IniFile ini(folder.filePath("ansi.ini"));
            ini.writeString("Personal", "Company", QStringLiteral("Caf\u00e9"));
            QVERIFY(ini.flush());
        }
        QCOMPARE(folder.readFile("ansi.ini"), QByteArray("[Personal]\nName=Andr\xE9\nCompany=Caf\xE9\n"));
    }

    void manySectionsAndKeysAreListedOnceEach()
    {
        TempProgramFolder folder;
        QByteArray bytes;
        for (int i = 0; i < 20000; ++i)
            bytes += "[S" + QByteArray::number(i % 5000) + "]\nK" + QByteArray::number(i) + "=1\nk" + QByteArray::number(i) + "=2\n";
        QVERIFY(folder.writeFile("many.ini", bytes));
        const IniFile ini(folder.filePath("many.ini"));
        QCOMPARE(ini.sections().size(), 5000);
        QCOMPARE(ini.readSection("S0"), QStringList{"K0"});
        QCOMPARE(ini.readSectionValues("S1"), QStringList{"K1=1"});
    }
};

QTEST_GUILESS_MAIN(TestIniLimits)
#include "tst_inilimits.moc"
