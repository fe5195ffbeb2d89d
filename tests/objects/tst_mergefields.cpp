// Fields in the text of every kind of object, filled from the personal
// information or from the record of a contact list that the card shows,
// while the stored text keeps the fields.
#include "app/CardClasses.h"
#include "design/CardDocument.h"
#include "design/CardFields.h"
#include "design/CardMerge.h"
#include "design/CompanionFile.h"
#include "design/ContactList.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TextFit.h"
#include "effects/TGSuperText.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGMultiLineLabel.h"
#include "objects/TGPCircleText.h"
#include "objects/TGPRichBaseLabel.h"
#include "objects/TGQRCode.h"
#include "platform/ScreenMetrics.h"
#include "report/ImageTarget.h"
#include "report/TReport.h"
#include "richtext/TRichTextEngine.h"
#include "support/TempProgramFolder.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList Owner = {"Olga Owner", "Northwind Ltd", "Director", "1 High St", "", "", "555-0100", "", "olga@example.org", ""};

std::shared_ptr<ContactList> staff()
{
    auto list = std::make_shared<ContactList>();
    QString error;
    ContactLists::parse("Name,Title,Phone 1,Badge\n"
                        "Anna Berg,Chair,555-0101,A-1\n"
                        "Bo Lind,\"Treasurer, acting\",555-0102,B-2\n"
                        "Cyrus Maximilian Worthington-Smythe the Third,Clerk,555-0103,C-3\n",
                        *list, &error);
    return list;
}

struct Card {
    Card()
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses();
        TRichTextEngine::CreateMaster(&host);
        panel = new TGBusinessCardPanel32(&host);
        panel->resize(336, 192);
        panel->SetPersonalInformation(Owner);
    }
    template <typename T> T *add(QRect r)
    {
        auto *o = new T(panel);
        o->Loaded();
        panel->PlaceObject(o, r);
        return o;
    }
    CardMerge &merge() { return CardMerge::Of(*panel); }
    QWidget host;
    TGBusinessCardPanel32 *panel = nullptr;
};

QString decode(const QString &zbarimg, const QString &file)
{
    QProcess zbar;
    zbar.start(zbarimg, {"--raw", "-q", file});
    if (!zbar.waitForFinished(60000) || zbar.exitCode() != 0)
        return QString();
    return QString::fromUtf8(zbar.readAllStandardOutput()).trimmed();
}

} // namespace

class TestMergeFields : public QObject
{
    Q_OBJECT
private slots:
    void fieldSyntax_data();
    void fieldSyntax();
    void everyKindOfObjectIsFilled();
    void rawFieldsToggleAndDetachShowTheFields();
    void fillingNeverResizesAndTheFitCheckSeesIt();
    void savedDocumentKeepsTheFieldsAndRemembersTheList();
    void contactCardCodeCarriesTheRecord();
};

void TestMergeFields::fieldSyntax_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("filled");
    QTest::newRow("plain") << "no fields" << "no fields";
    QTest::newRow("case, spaces, hyphens") << "{NAME} / {ad-dress 1} / {Address1}" << "Anna / Road / Road";
    QTest::newRow("double brace") << "{{Name} and {{{Name}" << "{Name} and {Anna";
    QTest::newRow("unknown stays") << "{Nickname}" << "{Nickname}";
    QTest::newRow("unclosed") << "a { b {Name" << "a { b {Name";
    QTest::newRow("no field over a line break") << "{Na\nme}" << "{Na\nme}";
    QTest::newRow("empty braces") << "{}" << "{}";
}

void TestMergeFields::fieldSyntax()
{
    QFETCH(QString, text);
    QFETCH(QString, filled);
    const auto lookup = [](const QString &name) -> std::optional<QString> {
        const QString key = ContactLists::normalizedName(name);
        if (key == QLatin1String("name"))
            return QStringLiteral("Anna");
        if (key == QLatin1String("address1"))
            return QStringLiteral("Road");
        return std::nullopt;
    };
    QCOMPARE(CardFields::fill(text, lookup), filled);
    // Rich text holds the same fields with its braces escaped.
    QByteArray rtf = text.toUtf8();
    rtf.replace("{", "\\{").replace("}", "\\}").replace("\n", "\\par ");
    QByteArray expected = filled.toUtf8();
    expected.replace("{", "\\{").replace("}", "\\}").replace("\n", "\\par ");
    QCOMPARE(CardFields::fillRtf(rtf, lookup), expected);
}

void TestMergeFields::everyKindOfObjectIsFilled()
{
    Card card;
    auto *label = card.add<TGBusinessCardLabel>(QRect(10, 10, 200, 20));
    label->SetCaption("{Name}, {Title}");
    auto *lines = card.add<TGMultiLineLabel>(QRect(10, 40, 200, 40));
    lines->SetItems({"{Company}", "Tel. {Phone 1}"});
    auto *circle = card.add<TGPCircleText>(QRect(220, 10, 100, 100));
    circle->SetCaption("{Title}");
    auto *super = card.add<TGSuperText>(QRect(10, 90, 200, 40));
    super->SetCaption("{name}");
    auto *rich = card.add<TGPRichBaseLabel>(QRect(10, 140, 200, 40));
    rich->SetRTFText(TRichText::fromRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 \\{Name\\} \\b \\{Badge\\}\\b0\\par}"));
    auto *code = card.add<TGQRCode>(QRect(220, 120, 60, 60));
    code->SetContentKind(qcText);
    code->SetContent("mailto:{Email}");

    // Without a list: the personal information; unknown fields stay.
    QCOMPARE(label->ShownCaption(), QStringLiteral("Olga Owner, Director"));
    QCOMPARE(lines->ShownItems(), QStringList({"Northwind Ltd", "Tel. 555-0100"}));
    QCOMPARE(circle->ShownCaption(), QStringLiteral("Director"));
    QCOMPARE(super->ShownCaption(), QStringLiteral("Olga Owner"));
    QVERIFY(rich->ShownText().Rtf().contains("Olga Owner"));
    QVERIFY(rich->ShownText().Rtf().contains("\\{Badge\\}"));
    QCOMPARE(code->ShownContent(), QStringLiteral("mailto:olga@example.org"));

    // With a list: the record's values; the ten personal fields the list
    // lacks still come from the personal information.
    card.merge().Attach(staff(), "staff.csv");
    card.merge().SetRecord(1);
    QCOMPARE(label->ShownCaption(), QStringLiteral("Bo Lind, Treasurer, acting"));
    QCOMPARE(lines->ShownItems(), QStringList({"Northwind Ltd", "Tel. 555-0102"}));
    QCOMPARE(circle->ShownCaption(), QStringLiteral("Treasurer, acting"));
    QCOMPARE(super->ShownCaption(), QStringLiteral("Bo Lind"));
    QVERIFY(rich->ShownText().Rtf().contains("Bo Lind"));
    QVERIFY(rich->ShownText().Rtf().contains("B-2"));
    QCOMPARE(code->ShownContent(), QStringLiteral("mailto:olga@example.org"));

    // The objects keep their raw text.
    QCOMPARE(label->Caption(), QStringLiteral("{Name}, {Title}"));
    QCOMPARE(lines->Items(), QStringList({"{Company}", "Tel. {Phone 1}"}));
    QCOMPARE(super->Caption(), QStringLiteral("{name}"));
    QVERIFY(rich->RTFText().Rtf().contains("\\{Name\\}"));

    // What is drawn is the record: the card looks different for another one.
    const QImage bo = card.panel->RenderToBitmap();
    card.merge().SetRecord(0);
    QVERIFY(card.panel->RenderToBitmap() != bo);
    QCOMPARE(card.merge().FieldsUsed(),
             QStringList({"Name", "Title", "Company", "Phone 1", "Badge", "Email"}));
    QCOMPARE(card.merge().MissingFields(), QStringList({"Company", "Email"}));
}

void TestMergeFields::rawFieldsToggleAndDetachShowTheFields()
{
    Card card;
    auto *label = card.add<TGBusinessCardLabel>(QRect(10, 10, 200, 20));
    label->SetCaption("{Badge} {Name}");
    card.merge().Attach(staff(), "staff.csv");
    QCOMPARE(label->ShownCaption(), QStringLiteral("A-1 Anna Berg"));
    card.merge().SetRawFields(true);
    QCOMPARE(label->ShownCaption(), QStringLiteral("{Badge} {Name}"));
    card.merge().SetRawFields(false);
    card.merge().SetRecord(99);
    QCOMPARE(card.merge().Record(), 2);
    card.merge().Detach();
    // Without a list only the personal fields are filled.
    QCOMPARE(label->ShownCaption(), QStringLiteral("{Badge} Olga Owner"));
}

void TestMergeFields::fillingNeverResizesAndTheFitCheckSeesIt()
{
    Card card;
    auto *label = card.add<TGBusinessCardLabel>(QRect(10, 10, 120, 20));
    label->SetCaption("{Name}");
    label->SetAlignment(taCenter);
    auto *super = card.add<TGSuperText>(QRect(10, 50, 200, 50));
    TFont font = super->Font();
    font.setSize(20, 96);
    super->SetFont(font);
    super->SetCaption("{Name}");
    auto *lines = card.add<TGMultiLineLabel>(QRect(10, 110, 120, 40));
    lines->SetWordWrap(true);
    lines->SetItems({"{Name}"});
    card.merge().Attach(staff(), "staff.csv");
    QVERIFY2(TextFit::check(*card.panel).isEmpty(), qPrintable(TextFit::message(TextFit::check(*card.panel))));
    // Laid out once; from now on only the record changes.
    const QRect labelBox = label->BoundsRect(), superBox = super->BoundsRect(), linesBox = lines->BoundsRect();
    card.merge().SetRecord(2);
    QCOMPARE(label->BoundsRect(), labelBox);
    QCOMPARE(super->BoundsRect(), superBox);
    QCOMPARE(lines->BoundsRect(), linesBox);
    card.panel->RenderToBitmap();
    QCOMPARE(label->BoundsRect(), labelBox);
    QCOMPARE(super->BoundsRect(), superBox);
    // The long name runs past the label and the SuperText; the multi-line
    // text wraps it into more lines than its box holds.
    const QStringList named = TextFit::describe(TextFit::check(*card.panel));
    QCOMPARE(named.size(), 3);
    QVERIFY(named.join('\n').contains("Worthington"));
}

void TestMergeFields::savedDocumentKeepsTheFieldsAndRemembersTheList()
{
    TempProgramFolder folder;
    QTemporaryDir dir;
    const QString listPath = dir.filePath("staff.csv");
    {
        QFile file(listPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Name,Title\nAnna Berg,Chair\nBo Lind,Clerk\n");
    }
    Card card;
    auto *label = card.add<TGBusinessCardLabel>(QRect(10, 10, 200, 20));
    label->SetCaption("{Name}");
    const CardDocument::Companion companion;
    const QString plain = dir.filePath("plain.KVL");
    QVERIFY(CardDocument::SaveCardDocument(*card.panel, plain, companion));

    auto list = std::make_shared<ContactList>();
    QVERIFY(ContactLists::read(listPath, *list, nullptr));
    card.merge().Attach(list, listPath);
    card.merge().SetRecord(1);
    const QString merged = dir.filePath("merged.KVL");
    QVERIFY(CardDocument::SaveCardDocument(*card.panel, merged, companion));
    auto bytes = [](const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unreadable");
    };
    // The objects are stored with their fields, whatever record is shown.
    QCOMPARE(bytes(merged), bytes(plain));
    // A companion without a list is what it always was; with one it names it.
    QCOMPARE(bytes(dir.filePath("plain.KVE")), CompanionFile::Contents(companion));
    QVERIFY(!bytes(dir.filePath("plain.KVE")).contains("Contact"));
    QVERIFY(bytes(dir.filePath("merged.KVE")).contains("[Contact List]"));

    Card reopened;
    const CardDocument::Opened opened =
        CardDocument::OpenCardDocument(*reopened.panel, merged, SheetLayoutSetting());
    QVERIFY(opened.ok);
    QCOMPARE(opened.contactList, listPath);
    const CardMerge *merge = CardMerge::Find(reopened.panel);
    QVERIFY(merge && merge->Attached());
    QCOMPARE(merge->RecordCount(), 2);
    auto *again = qobject_cast<TGBusinessCardLabel *>(reopened.panel->Objects().value(0));
    QVERIFY(again);
    QCOMPARE(again->Caption(), QStringLiteral("{Name}"));
    QCOMPARE(again->ShownCaption(), QStringLiteral("Anna Berg"));
}

void TestMergeFields::contactCardCodeCarriesTheRecord()
{
    const QString zbarimg = QStandardPaths::findExecutable("zbarimg");
    if (zbarimg.isEmpty())
        QSKIP("zbarimg (zbar-tools) is not installed");
    Card card;
    auto *code = card.add<TGQRCode>(QRect(100, 20, 150, 150));
    code->SetContentKind(qcContactCard);
    code->SetContent("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Olga Owner\r\nEND:VCARD\r\n");
    card.merge().Attach(staff(), "staff.csv");
    card.merge().SetRecord(1);
    constexpr int Dpi = 300;
    TReport job(std::make_unique<ImageTarget>(SimulatedDevice(Dpi, Dpi)));
    job.onPrint = [&card](TReport &j) { card.panel->PrintAll(j, 1.0, 1.0); };
    QVERIFY(job.run());
    QTemporaryDir dir;
    const QString file = dir.filePath("code.png");
    QVERIFY(job.targetAs<ImageTarget>()->pages().first().save(file));
    const QString text = decode(zbarimg, file);
    QVERIFY2(text.contains("FN:Bo Lind"), qPrintable(text));
    QVERIFY(text.contains("TITLE:Treasurer\\, acting"));
    QVERIFY(text.contains("TEL;TYPE=WORK,VOICE:555-0102"));
    // The company the list lacks is the owner's.
    QVERIFY(text.contains("ORG:Northwind Ltd"));
    // The stored content is the one made in the dialog.
    QVERIFY(code->Content().contains("Olga Owner"));
}

QTEST_MAIN(TestMergeFields)
#include "tst_mergefields.moc"
