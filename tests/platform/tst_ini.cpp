#include "platform/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

class TestIni : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;

    void writeRaw(const QByteArray &bytes)
    {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray readRaw() const
    {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        m_path = m_dir.filePath(QStringLiteral("kvl.ini"));
        QFile::remove(m_path);
    }

    void sectionAndKeyNamesIgnoreLetterCase()
    {
        writeRaw("[Default Font]\nName=Arial\n");
        IniFile ini(m_path);
        QCOMPARE(ini.readString("DEFAULT FONT", "name"), QString("Arial"));
        QVERIFY(ini.sectionExists("default font"));
        QVERIFY(ini.valueExists("Default Font", "NAME"));
        ini.writeString("default font", "NAME", "Times New Roman");
        QVERIFY(ini.flush());
        // The existing spelling is kept; no second entry appears.
        QCOMPARE(readRaw(), QByteArray("[Default Font]\nName=Times New Roman\n"));
    }

    void foreignLinesAndCommentsSurviveAWrite()
    {
        const QByteArray before = "; written by hand\n"
                                  "stray line before any section\n"
                                  "[Layout]\n"
                                  "  Height = 2000  \n"
                                  "Unknown=keep me\n"
                                  "\n"
                                  "[Other]\n"
                                  "not a key\n"
                                  "X=1\n";
        writeRaw(before);
        {
            IniFile ini(m_path);
            ini.writeInteger("Layout", "Width", 3500);
            ini.writeInteger("Other", "X", 2);
        }
        QCOMPARE(readRaw(), QByteArray("; written by hand\n"
                                       "stray line before any section\n"
                                       "[Layout]\n"
                                       "  Height = 2000  \n"
                                       "Unknown=keep me\n"
                                       "Width=3500\n"
                                       "\n"
                                       "[Other]\n"
                                       "not a key\n"
                                       "X=2\n"));
    }

    void newSectionsAreAppendedAfterABlankLine()
    {
        writeRaw("[Printer]\nTopMarginNudge=0");
        {
            IniFile ini(m_path);
            ini.writeString("MRU", "F0", "/home/u/a.kvl");
        }
        QCOMPARE(readRaw(), QByteArray("[Printer]\nTopMarginNudge=0\n\n[MRU]\nF0=/home/u/a.kvl\n"));
    }

    void fileKeepsItsOwnLineEnds()
    {
        writeRaw("[Printer]\r\nTopMarginNudge=1\r\n");
        {
            IniFile ini(m_path);
            QCOMPARE(ini.readInteger("Printer", "TopMarginNudge", 0), 1);
            ini.writeInteger("Printer", "LeftMarginNudge", -2);
        }
        QCOMPARE(readRaw(), QByteArray("[Printer]\r\nTopMarginNudge=1\r\nLeftMarginNudge=-2\r\n"));

        QFile::remove(m_path);
        {
            IniFile ini(m_path);
            ini.writeInteger("Printer", "TopMarginNudge", 3);
        }
        QCOMPARE(readRaw(), QByteArray("[Printer]\nTopMarginNudge=3\n"));
    }

    void spacesAroundNamesAndValuesAreTrimmed()
    {
        writeRaw("  [ Personal ]  \n\t Name  =  Jane Doe \t\nCompany=\n");
        IniFile ini(m_path);
        QCOMPARE(ini.readString("Personal", "Name"), QString("Jane Doe"));
        // An empty value is a value: it does not read as the default.
        QCOMPARE(ini.readString("Personal", "Company", "fallback"), QString());
        QCOMPARE(ini.readString("Personal", "Missing", "fallback"), QString("fallback"));
    }

    void valuesAreStoredExactlyAsGiven()
    {
        {
            IniFile ini(m_path);
            ini.writeString("Label", "Style", "[fsBold,fsItalic]");
            ini.writeString("Label", "Caption", "a=b; \"quoted\" [x]");
        }
        QCOMPARE(readRaw(), QByteArray("[Label]\nStyle=[fsBold,fsItalic]\n"
                                       "Caption=a=b; \"quoted\" [x]\n"));
        IniFile ini(m_path);
        QCOMPARE(ini.readString("Label", "Style"), QString("[fsBold,fsItalic]"));
        QCOMPARE(ini.readString("Label", "Caption"), QString("a=b; \"quoted\" [x]"));
    }

    void lineBreaksInAValueCannotInjectEntries()
    {
        {
            IniFile ini(m_path);
            ini.writeString("Personal", "Name", "Jane\r\n[Printer]\nTopMarginNudge=8");
        }
        IniFile ini(m_path);
        QVERIFY(!ini.sectionExists("Printer"));
        QCOMPARE(ini.readSection("Personal"), QStringList{"Name"});
        QCOMPARE(ini.readString("Personal", "Name"), QString("Jane [Printer] TopMarginNudge=8"));
    }

    void integersReadLikeThePlatform()
    {
        writeRaw("[N]\nA=42\nB=-7\nC=$1F\nD=0x10\nE=12abc\nF=\nG=+5\nH=$FFFFFFFF\nI=$\nJ= 9 \n");
        IniFile ini(m_path);
        QCOMPARE(ini.readInteger("N", "A", 0), 42);
        QCOMPARE(ini.readInteger("N", "B", 0), -7);
        QCOMPARE(ini.readInteger("N", "C", 0), 31);
        QCOMPARE(ini.readInteger("N", "D", 0), 16);
        QCOMPARE(ini.readInteger("N", "E", 99), 99);
        QCOMPARE(ini.readInteger("N", "F", 99), 99);
        QCOMPARE(ini.readInteger("N", "G", 0), 5);
        QCOMPARE(ini.readInteger("N", "H", 0), -1);
        QCOMPARE(ini.readInteger("N", "I", 99), 99);
        QCOMPARE(ini.readInteger("N", "J", 0), 9);
        QCOMPARE(ini.readInteger("N", "Missing", 123), 123);
    }

    void booleansAreOneAndZeroAndAnyNonZeroIsTrue()
    {
        writeRaw("[B]\nOne=1\nZero=0\nFive=5\nMinus=-1\nWord=yes\n");
        IniFile ini(m_path);
        QVERIFY(ini.readBool("B", "One", false));
        QVERIFY(!ini.readBool("B", "Zero", true));
        QVERIFY(ini.readBool("B", "Five", false));
        QVERIFY(ini.readBool("B", "Minus", false));
        QVERIFY(ini.readBool("B", "Word", true));
        QVERIFY(!ini.readBool("B", "Word", false));
        QVERIFY(ini.readBool("B", "Missing", true));
        ini.writeBool("B", "Written", true);
        ini.writeBool("B", "Cleared", false);
        QVERIFY(ini.flush());
        QVERIFY(readRaw().endsWith("Written=1\nCleared=0\n"));
    }

    void lengthsAreThousandthsOfAnInchRoundedToEven()
    {
        writeRaw("[Layout]\nHeight=2000\nTopMargin=512\nBad=two\n");
        IniFile ini(m_path);
        QCOMPARE(ini.readInches("Layout", "Height", 0), 2.0);
        QCOMPARE(ini.readInches("Layout", "TopMargin", 0), 0.512);
        QCOMPARE(ini.readInches("Layout", "Bad", 0.75), 0.75);
        QCOMPARE(ini.readInches("Layout", "Missing", 3.5), 3.5);
        ini.writeInches("Layout", "Width", 3.5);
        ini.writeInches("Layout", "Down", 0.0625);  // 62.5 -> 62
        ini.writeInches("Layout", "Up", 0.1875);    // 187.5 -> 188
        ini.writeInches("Layout", "Metric", 25.4 / 25.4 * 0.3937); // 393.7 -> 394
        QCOMPARE(ini.readString("Layout", "Width"), QString("3500"));
        QCOMPARE(ini.readString("Layout", "Down"), QString("62"));
        QCOMPARE(ini.readString("Layout", "Up"), QString("188"));
        QCOMPARE(ini.readString("Layout", "Metric"), QString("394"));
    }

    void coloursAreColourText()
    {
        writeRaw("[C]\nName=clRed\nHex=$00FF8000\nDecimal=255\nSystem=clbtnface\nBad=reddish\n");
        IniFile ini(m_path);
        QCOMPARE(ini.readColor("C", "Name", clBlack), std::optional<TColor>(clRed));
        QCOMPARE(ini.readColor("C", "Hex", clBlack), std::optional<TColor>(0x00FF8000));
        QCOMPARE(ini.readColor("C", "Decimal", clBlack), std::optional<TColor>(clRed));
        QCOMPARE(ini.readColor("C", "System", clBlack), std::optional<TColor>(clBtnFace));
        QCOMPARE(ini.readColor("C", "Bad", clBlack), std::nullopt);
        QCOMPARE(ini.readColor("C", "Missing", clNavy), std::optional<TColor>(clNavy));
        ini.writeColor("C", "W1", clBtnFace);
        ini.writeColor("C", "W2", rgbColor(1, 2, 3));
        QCOMPARE(ini.readString("C", "W1"), QString("clBtnFace"));
        QCOMPARE(ini.readString("C", "W2"), QString("$00030201"));
    }

    void sectionsListTheirKeysInFileOrder()
    {
        writeRaw("[MRU]\nF2=c\nf0=a\n; note\nF1=b\nF0=duplicate\n[mru]\nF9=z\n");
        IniFile ini(m_path);
        QCOMPARE(ini.readSection("mru"), (QStringList{"F2", "f0", "F1"}));
        QCOMPARE(ini.readSectionValues("MRU"), (QStringList{"F2=c", "f0=a", "F1=b"}));
        // The first of two like-named keys and sections wins.
        QCOMPARE(ini.readString("MRU", "F0"), QString("a"));
        QCOMPARE(ini.readString("MRU", "F9", "none"), QString("none"));
        QCOMPARE(ini.sections(), QStringList{"MRU"});
        QVERIFY(ini.readSection("Nowhere").isEmpty());
    }

    void erasingASectionLeavesTheOthers()
    {
        writeRaw("[A]\nx=1\n\n[MRU]\nF0=a\nF1=b\n\n[B]\ny=2\n[Mru]\nF7=old\n");
        {
            IniFile ini(m_path);
            ini.eraseSection("mru");
            QVERIFY(!ini.sectionExists("MRU"));
            ini.writeString("MRU", "F0", "new");
        }
        QCOMPARE(readRaw(), QByteArray("[A]\nx=1\n\n[B]\ny=2\n\n[MRU]\nF0=new\n"));
        IniFile ini(m_path);
        ini.deleteKey("A", "X");
        QVERIFY(!ini.valueExists("A", "x"));
        QVERIFY(ini.sectionExists("A"));
    }

    void writesReachTheDiskOnFlushOrDestruction()
    {
        writeRaw("[P]\nk=old\n");
        auto ini = std::make_unique<IniFile>(m_path);
        ini->writeString("P", "k", "new");
        QVERIFY(ini->isModified());
        QCOMPARE(readRaw(), QByteArray("[P]\nk=old\n"));
        QVERIFY(ini->flush());
        QVERIFY(!ini->isModified());
        QCOMPARE(readRaw(), QByteArray("[P]\nk=new\n"));
        ini->writeString("P", "k", "newer");
        ini.reset();
        QCOMPARE(readRaw(), QByteArray("[P]\nk=newer\n"));
    }

    void readingOnlyNeverRewritesTheFile()
    {
        const QByteArray odd = "[P]\r\nk = v\nno end of line";
        writeRaw(odd);
        {
            IniFile ini(m_path);
            ini.writeString("P", "k", "v"); // same value: nothing to write
            QVERIFY(!ini.isModified());
        }
        QCOMPARE(readRaw(), odd);
    }

    void failedWriteReportsAndKeepsChangesPending()
    {
        IniFile ini(m_dir.filePath("no such folder/kvl.ini"));
        ini.writeInteger("P", "k", 1);
        QVERIFY(!ini.flush());
        QVERIFY(!ini.errorString().isEmpty());
        QVERIFY(ini.isModified());
        QCOMPARE(ini.readInteger("P", "k", 0), 1);
        QVERIFY(QDir().mkpath(m_dir.filePath("no such folder")));
        QVERIFY(ini.flush());
    }

    void failedWriteLeavesTheOldFileWhole()
    {
        if (geteuid() == 0)
            QSKIP("permissions do not stop the superuser");
        writeRaw("[P]\nk=old\n");
        const QString folder = m_dir.path();
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        IniFile ini(m_path);
        ini.writeString("P", "k", "new");
        const bool flushed = ini.flush();
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                          | QFileDevice::ExeOwner);
        QVERIFY(!flushed);
        QCOMPARE(readRaw(), QByteArray("[P]\nk=old\n"));
    }

    void unreadableFileIsNeverOverwritten()
    {
        // A folder in the file's place cannot be read as text.
        QVERIFY(QDir().mkpath(m_path));
        {
            IniFile ini(m_path);
            ini.writeString("P", "k", "v");
            QVERIFY(!ini.flush());
            QVERIFY(!ini.errorString().isEmpty());
        }
        QVERIFY(QFileInfo(m_path).isDir());
        QVERIFY(QDir(m_path).removeRecursively());
    }

    void ansiFilesStayAnsiUnlessTheTextNeedsMore()
    {
        writeRaw("[Personal]\nName=Caf\xe9 \x80 \x96\n");
        {
            IniFile ini(m_path);
            QCOMPARE(ini.readString("Personal", "Name"), QString::fromUtf8("Café € –"));
            ini.writeString("Personal", "Company", QString::fromUtf8("Müller €"));
        }
        QCOMPARE(readRaw(), QByteArray("[Personal]\nName=Caf\xe9 \x80 \x96\nCompany=M\xfcller \x80\n"));
        {
            IniFile ini(m_path);
            ini.writeString("Personal", "Title", QString::fromUtf8("Ωmega"));
        }
        IniFile ini(m_path);
        QCOMPARE(ini.readString("Personal", "Name"), QString::fromUtf8("Café € –"));
        QCOMPARE(ini.readString("Personal", "Title"), QString::fromUtf8("Ωmega"));
    }

    void utf8FilesAreReadAsUtf8()
    {
        writeRaw("\xEF\xBB\xBF[Personal]\nName=Caf\xc3\xa9\n");
        {
            IniFile ini(m_path);
            QCOMPARE(ini.readString("Personal", "Name"), QString::fromUtf8("Café"));
            ini.writeString("Personal", "Fax", "1");
        }
        QCOMPARE(readRaw(), QByteArray("\xEF\xBB\xBF[Personal]\nName=Caf\xc3\xa9\nFax=1\n"));
    }
};

QTEST_GUILESS_MAIN(TestIni)
#include "tst_ini.moc"
