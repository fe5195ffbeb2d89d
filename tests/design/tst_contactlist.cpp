#include "design/ContactList.h"
#include "design/CsvReader.h"
#include "design/VCardReader.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

// Contact lists from CSV and vCard files: what spreadsheets and address
// books write must come out as the same fields and records, and a damaged
// file must say which line is at fault.
class TestContactList : public QObject
{
    Q_OBJECT
private slots:
    void quotedFieldsKeepSeparatorsQuotesAndLineBreaks();
    void separatorIsTakenFromTheHeaderLine_data();
    void separatorIsTakenFromTheHeaderLine();
    void encodingsWithAndWithoutByteOrderMark_data();
    void encodingsWithAndWithoutByteOrderMark();
    void shortRowsArePaddedAndBlankLinesSkipped();
    void malformedCsvNamesTheLine_data();
    void malformedCsvNamesTheLine();
    void fieldNamesIgnoreCaseSpacesAndHyphens();
    void vCardsFillTheTenPersonalFields();
    void vCardFoldedLinesAndEscapesAreRead();
    void vCardOtherPropertiesKeepTheirNames();
    void malformedVCardNamesTheLine_data();
    void malformedVCardNamesTheLine();
    void readingAFileChecksItIsPlain();

private:
    static ContactList parsed(const QByteArray &bytes)
    {
        ContactList list;
        QString error;
        if (!ContactLists::parse(bytes, list, &error))
            qWarning() << error;
        return list;
    }
};

void TestContactList::quotedFieldsKeepSeparatorsQuotesAndLineBreaks()
{
    const ContactList list = parsed("Name,Address 1,Note\r\n"
                                    "\"Smith, Anna\",\"12 \"\"Old\"\" Road\",\"first line\r\nsecond line\"\r\n"
                                    "Bo Lind,,plain\r\n");
    QCOMPARE(list.fields, QStringList({"Name", "Address 1", "Note"}));
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.records.at(0), QStringList({"Smith, Anna", "12 \"Old\" Road", "first line\nsecond line"}));
    QCOMPARE(list.records.at(1), QStringList({"Bo Lind", "", "plain"}));
}

void TestContactList::separatorIsTakenFromTheHeaderLine_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::newRow("comma") << QByteArray("Name,Phone 1\nAnna;Berg,555\n");
    QTest::newRow("semicolon") << QByteArray("Name;Phone 1\nAnna,Berg;555\n");
    QTest::newRow("tab") << QByteArray("Name\tPhone 1\nAnna,Berg\t555\n");
    QTest::newRow("quoted header holding another") << QByteArray("\"Name;x\"\t\"Phone 1\"\n\"Anna,Berg\"\t555\n");
}

void TestContactList::separatorIsTakenFromTheHeaderLine()
{
    QFETCH(QByteArray, csv);
    const ContactList list = parsed(csv);
    QCOMPARE(list.fields.size(), 2);
    QCOMPARE(list.size(), 1);
    QVERIFY(list.records.at(0).at(0).contains(QLatin1String("Anna")));
    QCOMPARE(list.records.at(0).at(1), QStringLiteral("555"));
}

void TestContactList::encodingsWithAndWithoutByteOrderMark_data()
{
    const QString text = QStringLiteral("Name,City\r\nJosé Müller,Zürich\r\n");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8") << text.toUtf8();
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    QStringEncoder le(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QTest::newRow("UTF-16 LE with BOM") << QByteArray(le.encode(text));
    QStringEncoder be(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom);
    QTest::newRow("UTF-16 BE with BOM") << QByteArray(be.encode(text));
}

void TestContactList::encodingsWithAndWithoutByteOrderMark()
{
    QFETCH(QByteArray, bytes);
    const ContactList list = parsed(bytes);
    QCOMPARE(list.fields, QStringList({"Name", "City"}));
    QCOMPARE(list.records.value(0), QStringList({QStringLiteral("José Müller"), QStringLiteral("Zürich")}));
}

void TestContactList::shortRowsArePaddedAndBlankLinesSkipped()
{
    const ContactList list = parsed("Name,Title,Email\n\nAnna,Chair\n\nBo,,bo@example.org\n\n");
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.records.at(0), QStringList({"Anna", "Chair", ""}));
    QCOMPARE(list.records.at(1), QStringList({"Bo", "", "bo@example.org"}));
}

void TestContactList::malformedCsvNamesTheLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("line");
    QTest::newRow("unclosed quote") << QByteArray("Name,Title\nAnna,Chair\nBo,\"Treasurer\nCy,Clerk\n") << "Line 3";
    QTest::newRow("text after quote") << QByteArray("Name,Title\nAnna,\"Chair\"x\n") << "Line 2";
    QTest::newRow("too many fields") << QByteArray("Name,Title\nAnna,Chair\nBo,\"a\nb\",c,d\n") << "Line 3";
    QTest::newRow("not UTF-8") << QByteArray("Name,Title\nAnna,Chair\nJos\xe9,Clerk\n") << "Line 3";
    QTest::newRow("empty") << QByteArray("\n\n") << "Line 1";
}

void TestContactList::malformedCsvNamesTheLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, line);
    ContactList list;
    QString error;
    QVERIFY(!ContactLists::parse(bytes, list, &error));
    QVERIFY2(error.startsWith(line + QLatin1Char(' ')) || error.startsWith(line + QLatin1Char(':')), qPrintable(error));
}

void TestContactList::fieldNamesIgnoreCaseSpacesAndHyphens()
{
    const ContactList list = parsed("Full Name,Address 1,E-Mail\nAnna,1 Road,a@b.c\n");
    QCOMPARE(list.fieldIndex("fullname"), 0);
    QCOMPARE(list.fieldIndex("ADDRESS1"), 1);
    QCOMPARE(list.fieldIndex("Address-1"), 1);
    QCOMPARE(list.fieldIndex("email"), 2);
    QCOMPARE(list.fieldIndex("Address 2"), -1);
}

void TestContactList::vCardsFillTheTenPersonalFields()
{
    const ContactList list = parsed("BEGIN:VCARD\r\nVERSION:3.0\r\n"
                                    "N:Berg;Anna;;;\r\nFN:Anna Berg\r\nORG:Northwind Ltd;Sales\r\n"
                                    "TITLE:Chair\r\nADR;TYPE=WORK:;Suite 4;12 Old Road;Springfield;IL;62701;USA\r\n"
                                    "TEL;TYPE=WORK,VOICE:555-0100\r\nTEL;TYPE=WORK,FAX:555-0199\r\n"
                                    "TEL;TYPE=CELL:555-0101\r\nTEL;TYPE=HOME:555-0102\r\n"
                                    "EMAIL:anna@example.org\r\nEND:VCARD\r\n"
                                    "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Bo Lind\r\nTEL;VALUE=uri:tel:+1-555-0200\r\n"
                                    "END:VCARD\r\n");
    QCOMPARE(list.fields.mid(0, 10), VCardReader::personalFields());
    QCOMPARE(list.size(), 2);
    const QStringList anna = list.records.at(0).mid(0, 10);
    QCOMPARE(anna, QStringList({"Anna Berg", "Northwind Ltd, Sales", "Chair", "Suite 4, 12 Old Road",
                                "62701 Springfield IL", "USA", "555-0100", "555-0101", "anna@example.org",
                                "555-0199"}));
    QCOMPARE(list.value(1, 0), QStringLiteral("Bo Lind"));
    QCOMPARE(list.value(1, list.fieldIndex("Phone1")), QStringLiteral("+1-555-0200"));
    QCOMPARE(list.value(1, list.fieldIndex("Company")), QString());
}

void TestContactList::vCardFoldedLinesAndEscapesAreRead()
{
    const ContactList list = parsed("BEGIN:VCARD\nVERSION:3.0\nFN:Anna Maria\n  Berg-Lind\n"
                                    "TITLE:Head of Sales\\, Europe\\; Africa\nNOTE:line one\\nline two \\\\ end\n"
                                    "ORG:Smith\\, Jones & Co\nEND:VCARD\n");
    QCOMPARE(list.value(0, list.fieldIndex("Name")), QStringLiteral("Anna Maria Berg-Lind"));
    QCOMPARE(list.value(0, list.fieldIndex("Title")), QStringLiteral("Head of Sales, Europe; Africa"));
    QCOMPARE(list.value(0, list.fieldIndex("Note")), QStringLiteral("line one\nline two \\ end"));
    QCOMPARE(list.value(0, list.fieldIndex("Company")), QStringLiteral("Smith, Jones & Co"));
}

void TestContactList::vCardOtherPropertiesKeepTheirNames()
{
    const ContactList list = parsed("BEGIN:VCARD\nVERSION:3.0\nFN:Anna\nURL:https://example.org/anna\n"
                                    "item1.X-EMPLOYEE-ID:4711\nNOTE:first\nNOTE:second\nEND:VCARD\n"
                                    "BEGIN:VCARD\nVERSION:3.0\nFN:Bo\nX-EMPLOYEE-ID:4712\nROLE:Auditor\nEND:VCARD\n");
    QCOMPARE(list.value(0, list.fieldIndex("URL")), QStringLiteral("https://example.org/anna"));
    QCOMPARE(list.value(0, list.fieldIndex("x-employee-id")), QStringLiteral("4711"));
    QCOMPARE(list.value(1, list.fieldIndex("X-EMPLOYEE-ID")), QStringLiteral("4712"));
    QCOMPARE(list.value(0, list.fieldIndex("Note")), QStringLiteral("first"));
    QCOMPARE(list.value(1, list.fieldIndex("URL")), QString());
    // A field first met in a later contact is an empty value of the earlier.
    QCOMPARE(list.value(1, list.fieldIndex("Role")), QStringLiteral("Auditor"));
    for (const QStringList &record : list.records)
        QCOMPARE(record.size(), list.fields.size());
}

void TestContactList::malformedVCardNamesTheLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("line");
    QTest::newRow("no colon") << QByteArray("BEGIN:VCARD\nVERSION:3.0\nFN Anna\nEND:VCARD\n") << "Line 3:";
    QTest::newRow("never ends") << QByteArray("BEGIN:VCARD\nVERSION:3.0\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B\n")
                                << "Line 5:";
    QTest::newRow("nested") << QByteArray("BEGIN:VCARD\nFN:A\nBEGIN:VCARD\n") << "Line 3:";
    QTest::newRow("outside") << QByteArray("BEGIN:VCARD\nFN:A\nEND:VCARD\nFN:B\n") << "Line 4:";
    QTest::newRow("version 2.1") << QByteArray("BEGIN:VCARD\nVERSION:2.1\nFN:A\nEND:VCARD\n") << "Line 2:";
}

void TestContactList::malformedVCardNamesTheLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, line);
    ContactList list;
    QString error;
    QVERIFY(!ContactLists::parse(bytes, list, &error));
    QVERIFY2(error.startsWith(line), qPrintable(error));
}

void TestContactList::readingAFileChecksItIsPlain()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("staff.csv");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Name;Phone1\nAnna;555\n");
    file.close();
    ContactList list;
    QString error;
    QVERIFY(ContactLists::read(path, list, &error));
    QCOMPARE(list.value(0, 1), QStringLiteral("555"));
    QVERIFY(!ContactLists::read(dir.path(), list, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestContactList)
#include "tst_contactlist.moc"
