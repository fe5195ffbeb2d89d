// A card filled from a contact list printed once per record: the records
// fill the chosen positions in order, sheet after sheet, through the sheet
// printer, the preview, the print-shop export and karvello-tool, after the
// checks that name the records whose text does not fit.
#include "PrintTestSupport.h"

#include "../support/TempProgramFolder.h"
#include "app/CardClasses.h"
#include "app/ToolCommands.h"
#include "design/CardDocument.h"
#include "design/CardMerge.h"
#include "design/CardSides.h"
#include "design/CompanionFile.h"
#include "design/ComponentStreamer.h"
#include "design/MergeCheck.h"
#include "objects/TGBusinessCardLabel.h"
#include "print/SelectLabelsDialog.h"
#include "print/TCardSheetPrinter.h"
#include "print/TPrintRecordsBox.h"

#include <QCheckBox>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QAbstractSpinBox>
#include <QTest>

using namespace PrintTest;

namespace {

// The words of each page of a PDF, top to bottom and left to right.
QList<QStringList> pdfPages(const QString &pdf)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(tool.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re"));
    QList<QStringList> pages;
    for (const QString &page : html.split(QStringLiteral("<page")).mid(1)) {
        struct Word {
            QString text;
            double x, y;
        };
        QList<Word> words;
        for (auto it = word.globalMatch(page); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            words << Word{m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()};
        }
        std::stable_sort(words.begin(), words.end(), [](const Word &a, const Word &b) {
            return a.y < b.y - 2 || (qAbs(a.y - b.y) <= 2 && a.x < b.x);
        });
        QStringList texts;
        for (const Word &w : words)
            texts << w.text;
        pages << texts;
    }
    return pages;
}

QStringList badges(int first, int last)
{
    QStringList out;
    for (int i = first; i <= last; ++i)
        out << QStringLiteral("R%1").arg(i, 2, 10, QLatin1Char('0'));
    return out;
}

} // namespace

class TestMergePrinting : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void recordsFillTheSheetsInOrder();
    void onlyRecordsNToMOnChosenPositions();
    void previewShowsEverySheet();
    void printShopExportHasOnePagePerRecord();
    void checksNameRecordsThatDoNotFitAndMissingFields();
    void malformedListPrintsNothing();
    void renderDrawsTheChosenRecord();
    void printCardsOffersOneCardPerRecord();
    void twoSidedCardPrintsEachRecordOnBothSides();
    void twoSidedCardKeepsItsListWithTheFront();

private:
    int tool(const QStringList &arguments, QString *errors = nullptr);

    TempProgramFolder m_folder;
    QString m_document;
    QString m_twoSided;
    QString m_list;
    QString m_pdftotext;
};

void TestMergePrinting::initTestCase()
{
    registerCardClasses();
    installComponentStreamer();
    m_pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    auto panel = makePanel();
    auto *label = new TGBusinessCardLabel(panel.get());
    panel->AddObject(label);
    label->SetCaption(QStringLiteral("{Badge}"));
    label->SetBounds(20, 20, 200, 24);
    QDir().mkpath(m_folder.filePath(QStringLiteral("saved")));
    m_document = m_folder.filePath(QStringLiteral("saved/badge.KVL"));
    QString error;
    QVERIFY2(CardDocument::SaveCardDocument(*panel, m_document, CardDocument::Companion(), &error), qPrintable(error));
    // The same card with a back that names the record too.
    m_twoSided = m_folder.filePath(QStringLiteral("saved/both.KVL"));
    QVERIFY2(CardDocument::SaveCardDocument(*panel, m_twoSided, CardDocument::Companion(), &error),
             qPrintable(error));
    label->SetCaption(QStringLiteral("B{Badge}"));
    QVERIFY2(CardDocument::SaveCardDocument(*panel, CardSides::BackFileName(m_twoSided), CardDocument::Companion(),
                                            &error),
             qPrintable(error));
    m_list = m_folder.filePath(QStringLiteral("saved/staff.csv"));
    QFile list(m_list);
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("Badge;Name\n");
    for (const QString &badge : badges(1, 25))
        list.write((badge + QStringLiteral(";Person ") + badge + QLatin1Char('\n')).toUtf8());
}

int TestMergePrinting::tool(const QStringList &arguments, QString *errors)
{
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int status = ToolCommands::run(arguments, outStream, errStream);
    errStream.flush();
    if (errors)
        *errors = err;
    return status;
}

void TestMergePrinting::recordsFillTheSheetsInOrder()
{
    if (m_pdftotext.isEmpty())
        QSKIP("pdftotext is not installed");
    const QString pdf = m_folder.filePath(QStringLiteral("all.pdf"));
    QCOMPARE(tool({"print", m_document, pdf, "--data", m_list}), 0);
    // Ten positions a sheet: 25 records make three sheets, the last half full.
    const QList<QStringList> pages = pdfPages(pdf);
    QCOMPARE(pages.size(), 3);
    QCOMPARE(pages.at(0), badges(1, 10));
    QCOMPARE(pages.at(1), badges(11, 20));
    QCOMPARE(pages.at(2), badges(21, 25));
}

void TestMergePrinting::onlyRecordsNToMOnChosenPositions()
{
    if (m_pdftotext.isEmpty())
        QSKIP("pdftotext is not installed");
    const QString pdf = m_folder.filePath(QStringLiteral("some.pdf"));
    QCOMPARE(tool({"print", m_document, pdf, "--data", m_list, "--records", "12-16", "--positions", "2,3"}), 0);
    const QList<QStringList> pages = pdfPages(pdf);
    QCOMPARE(pages.size(), 3);
    QCOMPARE(pages.at(0), badges(12, 13));
    QCOMPARE(pages.at(1), badges(14, 15));
    QCOMPARE(pages.at(2), badges(16, 16));
    QString errors;
    QCOMPARE(tool({"print", m_document, pdf, "--data", m_list, "--records", "9-3"}, &errors), 2);
    QVERIFY(errors.contains("--records"));
}

void TestMergePrinting::previewShowsEverySheet()
{
    auto panel = makePanel();
    auto *label = new TGBusinessCardLabel(panel.get());
    panel->AddObject(label);
    label->SetCaption(QStringLiteral("{Badge}"));
    auto list = std::make_shared<ContactList>();
    QVERIFY(ContactLists::read(m_list, *list, nullptr));
    CardMerge &merge = CardMerge::Of(*panel);
    merge.Attach(list, m_list);
    merge.SetRecord(4);
    QList<int> records;
    TCardSheetPrinter sheet;
    sheet.Panel = panel.get();
    sheet.Printing = false;
    sheet.OneCardPerRecord = true;
    sheet.Geometry = TSheetGeometry::FromLayout(SheetLayout());
    sheet.OnCard = [&](int) { records << merge.Record(); };
    auto job = imageJob();
    job->onBeforePrint = [&](TReport &j) { sheet.BeforePrintLabels(j); };
    job->onPrint = [&](TReport &j) { sheet.PrintLabels(j); };
    QVERIFY(job->run());
    QCOMPARE(imageTarget(*job).pages().size(), 3);
    QCOMPARE(records.size(), 25);
    QCOMPARE(records.first(), 0);
    QCOMPARE(records.last(), 24);
    // The card shows again the record it showed before.
    QCOMPARE(merge.Record(), 4);

    // No position chosen: one empty sheet, not an endless run.
    sheet.Selection.reset();
    auto empty = imageJob();
    empty->onBeforePrint = [&](TReport &j) { sheet.BeforePrintLabels(j); };
    empty->onPrint = [&](TReport &j) { sheet.PrintLabels(j); };
    sheet.Printing = true;
    QVERIFY(empty->run());
    QCOMPARE(imageTarget(*empty).pages().size(), 1);
}

void TestMergePrinting::printShopExportHasOnePagePerRecord()
{
    if (m_pdftotext.isEmpty())
        QSKIP("pdftotext is not installed");
    const QString pdf = m_folder.filePath(QStringLiteral("shop.pdf"));
    QCOMPARE(tool({"pdf", m_document, pdf, "--data", m_list, "--records", "7-9"}), 0);
    const QList<QStringList> pages = pdfPages(pdf);
    QCOMPARE(pages.size(), 3);
    QCOMPARE(pages.at(0), QStringList{"R07"});
    QCOMPARE(pages.at(2), QStringList{"R09"});
}

void TestMergePrinting::checksNameRecordsThatDoNotFitAndMissingFields()
{
    const QString list = m_folder.filePath(QStringLiteral("saved/long.csv"));
    QFile file(list);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Badge\nR01\nR02 is a badge text far too long for the label that holds it\nR03\n");
    file.close();
    const QString document = m_folder.filePath(QStringLiteral("saved/nick.KVL"));
    {
        auto panel = makePanel();
        auto *label = new TGBusinessCardLabel(panel.get());
        panel->AddObject(label);
        label->SetCaption(QStringLiteral("{Badge} {Nickname}"));
        label->SetBounds(20, 20, 120, 24);
        QVERIFY(CardDocument::SaveCardDocument(*panel, document, CardDocument::Companion()));

        auto contacts = std::make_shared<ContactList>();
        QVERIFY(ContactLists::read(list, *contacts, nullptr));
        CardMerge::Of(*panel).Attach(contacts, list);
        const MergeCheck::Findings findings = MergeCheck::run(*panel);
        QCOMPARE(findings.missingFields, QStringList{"Nickname"});
        QCOMPARE(findings.overflows.size(), 1);
        QVERIFY(findings.overflows.first().startsWith("Record 2: "));
        QVERIFY(MergeCheck::message(findings).contains("\"Nickname\""));
    }
    // The tool writes the checks to stderr and fails only when strict.
    const QString pdf = m_folder.filePath(QStringLiteral("checked.pdf"));
    QString errors;
    QCOMPARE(tool({"print", document, pdf, "--data", list}, &errors), 0);
    QVERIFY(errors.contains("Record 2: "));
    QVERIFY(errors.contains("Nickname"));
    QVERIFY(QFile::exists(pdf));
    QFile::remove(pdf);
    QCOMPARE(tool({"print", document, pdf, "--data", list, "--strict"}, &errors), 1);
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(tool({"print", m_document, pdf, "--data", m_list, "--strict"}), 0);
}

void TestMergePrinting::malformedListPrintsNothing()
{
    const QString list = m_folder.filePath(QStringLiteral("saved/broken.csv"));
    QFile file(list);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Badge,Name\nR01,Anna\n\"R02,Bo\nR03,Cy\n");
    file.close();
    const QString pdf = m_folder.filePath(QStringLiteral("broken.pdf"));
    QString errors;
    QCOMPARE(tool({"print", m_document, pdf, "--data", list}, &errors), 1);
    QVERIFY2(errors.contains("Line 3"), qPrintable(errors));
    QVERIFY(!QFile::exists(pdf));
}

void TestMergePrinting::renderDrawsTheChosenRecord()
{
    const QString first = m_folder.filePath(QStringLiteral("first.png"));
    const QString second = m_folder.filePath(QStringLiteral("second.png"));
    const QString again = m_folder.filePath(QStringLiteral("again.png"));
    QCOMPARE(tool({"render", m_document, first, "--data", m_list, "--record", "1"}), 0);
    QCOMPARE(tool({"render", m_document, second, "--data", m_list, "--record", "2"}), 0);
    QCOMPARE(tool({"render", m_document, again, "--data", m_list}), 0);
    QVERIFY(QImage(first) != QImage(second));
    QCOMPARE(QImage(again), QImage(first));
    QString errors;
    QCOMPARE(tool({"render", m_document, again, "--data", m_list, "--record", "26"}, &errors), 1);
    QVERIFY(errors.contains("25 records"));
}

void TestMergePrinting::printCardsOffersOneCardPerRecord()
{
    TSelectSpecificLabels dialog(nullptr);
    dialog.SetLayout(SheetLayout());
    QVERIFY(dialog.RecordsBox->isHidden());
    dialog.SetBothSidesOffered(true); // sizes the dialog before the records box shows
    dialog.ShowRecords(25);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    TPrintRecordsBox &box = *dialog.RecordsBox;
    QVERIFY(box.isVisible());
    // The dialog grew for the box: nothing in it is squeezed.
    for (const QWidget *w : dialog.findChildren<QWidget *>()) {
        // A spin box's own line edit is sized by the spin box.
        if (w->isVisible() && !w->isWindow() && !qobject_cast<QAbstractSpinBox *>(w->parentWidget()))
            QVERIFY2(w->height() >= w->minimumSizeHint().height(), qPrintable(w->metaObject()->className()));
    }
    QVERIFY(!box.OneCardPerRecord());
    QVERIFY(!box.FromEdit->isEnabled());

    QTest::mouseClick(box.PerRecordCheck, Qt::LeftButton);
    QVERIFY(box.OneCardPerRecord());
    // The records decide the number of sheets.
    QVERIFY(!dialog.pages->isEnabled());
    QCOMPARE(box.Range().first, 1);
    QCOMPARE(box.Range().last, 0);

    QTest::mouseClick(box.SomeRecordsButton, Qt::LeftButton);
    QVERIFY(box.FromEdit->isEnabled());
    box.ToEdit->selectAll();
    QTest::keyClicks(box.ToEdit, "7");
    box.FromEdit->selectAll();
    QTest::keyClicks(box.FromEdit, "3");
    QCOMPARE(box.Range().first, 3);
    QCOMPARE(box.Range().last, 7);
    // A start past the end moves the end along.
    box.FromEdit->selectAll();
    QTest::keyClicks(box.FromEdit, "9");
    QCOMPARE(box.Range().last, 9);

    QTest::mouseClick(box.PerRecordCheck, Qt::LeftButton);
    QVERIFY(dialog.pages->isEnabled());
}

void TestMergePrinting::twoSidedCardPrintsEachRecordOnBothSides()
{
    if (m_pdftotext.isEmpty())
        QSKIP("pdftotext is not installed");
    const auto sorted = [](QStringList words) {
        words.sort();
        return words;
    };
    const auto backs = [](const QStringList &fronts) {
        QStringList out;
        for (const QString &front : fronts)
            out << QLatin1Char('B') + front;
        return out;
    };
    // Each sheet of fronts is followed by the backs of the same records
    // (mirrored places, so compared without their order).
    const QString pdf = m_folder.filePath(QStringLiteral("duplex.pdf"));
    QCOMPARE(tool({"print", m_twoSided, pdf, "--data", m_list, "--records", "3-14", "--duplex", "long"}), 0);
    QList<QStringList> pages = pdfPages(pdf);
    QCOMPARE(pages.size(), 4);
    QCOMPARE(pages.at(0), badges(3, 12));
    QCOMPARE(sorted(pages.at(1)), backs(badges(3, 12)));
    QCOMPARE(pages.at(2), badges(13, 14));
    QCOMPARE(sorted(pages.at(3)), backs(badges(13, 14)));

    // The print-shop file: each record's front, then its back.
    const QString shop = m_folder.filePath(QStringLiteral("duplexshop.pdf"));
    QCOMPARE(tool({"pdf", m_twoSided, shop, "--data", m_list, "--records", "7-8"}), 0);
    pages = pdfPages(shop);
    QCOMPARE(pages.size(), 4);
    QCOMPARE(pages.at(0), QStringList{"R07"});
    QCOMPARE(pages.at(1), QStringList{"BR07"});
    QCOMPARE(pages.at(2), QStringList{"R08"});
    QCOMPARE(pages.at(3), QStringList{"BR08"});

    // Fronts and backs in two runs, as for sheets turned over by hand.
    auto front = makePanel();
    auto back = makePanel();
    QString error;
    QVERIFY(CardDocument::LoadFromFile(*front, m_twoSided, &error));
    QVERIFY(CardDocument::LoadFromFile(*back, CardSides::BackFileName(m_twoSided), &error));
    auto list = std::make_shared<ContactList>();
    QVERIFY(ContactLists::read(m_list, *list, nullptr));
    CardMerge::Of(*front).Attach(list, m_list);
    CardMerge::Of(*back).Follow(CardMerge::Of(*front));
    QCOMPARE(CardMerge::Of(*back).RecordCount(), 25);
    TCardSheetPrinter sheet;
    sheet.Panel = front.get();
    sheet.BackPanel = back.get();
    sheet.Flip = dfLongEdge;
    sheet.OneCardPerRecord = true;
    sheet.Records = {21, 0};
    sheet.Geometry = TSheetGeometry::FromLayout(SheetLayout());
    QStringList printed;
    sheet.AfterCard = [&] {
        printed << QString::number(CardMerge::Of(*front).Record()) + QLatin1Char('/')
                + QString::number(CardMerge::Of(*back).Record());
    };
    for (const auto sides : {TCardSheetPrinter::ssFronts, TCardSheetPrinter::ssBacks}) {
        sheet.Sides = sides;
        auto job = imageJob();
        job->onBeforePrint = [&](TReport &j) { sheet.BeforePrintLabels(j); };
        job->onPrint = [&](TReport &j) { sheet.PrintLabels(j); };
        QVERIFY(job->run());
        QCOMPARE(imageTarget(*job).pages().size(), 1);
    }
    // Records 21 to 25 on the fronts (the back's record untouched), then on the backs.
    QCOMPARE(printed, (QStringList{"20/0", "21/0", "22/0", "23/0", "24/0", "0/20", "0/21", "0/22", "0/23", "0/24"}));
}

void TestMergePrinting::twoSidedCardKeepsItsListWithTheFront()
{
    const QString path = m_folder.filePath(QStringLiteral("saved/sides.KVL"));
    auto panel = makePanel();
    auto list = std::make_shared<ContactList>();
    QVERIFY(ContactLists::read(m_list, *list, nullptr));
    CardMerge::Of(*panel).Attach(list, m_list);
    CardSides sides;
    sides.HasBack = true;
    QString error;
    for (const auto shown : {CardSides::sdFront, CardSides::sdBack}) {
        sides.Shown = shown;
        QVERIFY2(sides.Save(*panel, path, CardDocument::Companion(), &error), qPrintable(error));
        const SheetLayoutSetting layout;
        QCOMPARE(CompanionFile::Read(CardDocument::CompanionFileName(path), layout).contactList, m_list);
        const QString back = CardDocument::CompanionFileName(CardSides::BackFileName(path));
        QVERIFY(QFileInfo::exists(back));
        QCOMPARE(CompanionFile::Read(back, layout).contactList, QString());
    }
}

QTEST_MAIN(TestMergePrinting)
#include "tst_mergeprinting.moc"
