// Printing without a printer (into a PDF file the user names) and jobs that
// fail: the user is told why, and nothing claims the cards were printed.

#include "PrintTestSupport.h"

#include "app/TMainScreen.h"
#include "app/TPrintCommands.h"
#include "platform/AppRoutines.h"
#include "print/PrinterChoice.h"
#include "print/TLabelPrinter.h"
#include "print/TPrintPipeline.h"
#include "print/SelectLabelsDialog.h"
#include "report/PdfTarget.h"
#include "../support/ScriptedDialogs.h"
#include "../support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace PrintTest;

namespace {

// Presses OK in "Print Cards", runs the status window, and notes what was
// shown and what the scripted file question had been asked by then.
struct Script {
    ScriptedDialogs *dialogs = nullptr;
    QStringList shown;          // dialog class names in order
    QStringList printerLabels;  // "Print Cards" printer panel
    QList<int> fileQuestionsBeforeCards;
    QStringList finalStatus;

    int operator()(QDialog &dialog)
    {
        shown << QString::fromLatin1(dialog.metaObject()->className());
        if (auto *select = qobject_cast<TSelectSpecificLabels *>(&dialog)) {
            printerLabels << select->PrinterLabel->text();
            fileQuestionsBeforeCards << int(dialogs->fileRequests.size());
            select->OKbuttonClick();
            return select->result();
        }
        if (auto *status = qobject_cast<TLabelPrinter *>(&dialog)) {
            status->FormActivate();
            finalStatus << status->RStatusLabel->text();
            return QDialog::Accepted;
        }
        return QDialog::Rejected;
    }
};

// A card panel, a job and the context the main window would lend.
struct Run {
    std::unique_ptr<TGBusinessCardPanel32> panel = makePanel();
    std::unique_ptr<TReport> job;
    TCardSelection selection = AllCardsSelected();
    bool showWarning = true;
    int preferencesSaved = 0;
    TPrintContext context;

    explicit Run(std::unique_ptr<TReport> j) : job(std::move(j))
    {
        addMarker(*panel);
        context.Panel = panel.get();
        context.Selection = &selection;
        context.ShowBottomMarginWarning = &showWarning;
        context.SavePreferences = [this] { ++preferencesSaved; };
    }
};

std::unique_ptr<TReport> pdfJob(const QString &file = QString())
{
    return std::make_unique<TReport>(std::make_unique<PdfTarget>(file));
}

bool isPdf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
}

// A printer that will not take the job.
class RefusingPrinter : public ImageTarget
{
public:
    QPainter *beginDocument(const QString &, int) override { return nullptr; }
    QString errorString() const override { return QStringLiteral("The printer \"Office\" is out of paper."); }
};

} // namespace

class TestPrintToFile : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }
    void cleanup() { UserDialogs::setModalRunner({}); }
    void withoutAPrinterPrintAsksForAFileFirst();
    void finalTextNamesAFileWhoseNameLooksLikeAPageNumber();
    void printerSetupWithoutAPrinterSaysPrintingWritesAPdf();
    void newCardSuggestsABusinessCardFile();
    void cancellingTheFileQuestionPrintsNothing();
    void outlineTestPageAsksForAFileToo();
    void printerJobsAskNoFileName();
    void mainWindowOffersTheSavedFolderAndTheCardName();
    void unwritablePdfIsAnErrorNotACompletedJob();
    void refusingPrinterIsAnErrorAndLeavesTheSettings();
};

void TestPrintToFile::withoutAPrinterPrintAsksForAFileFirst()
{
    QTemporaryDir dir;
    ScopedScriptedDialogs dialogs;
    const QString chosen = dir.filePath(QStringLiteral("chosen.pdf"));
    dialogs->saveFileNames.enqueue(chosen);
    Run run(pdfJob());
    run.context.DocumentPath = QStringLiteral("/cards/saved/Acme Corp.KVL");
    run.context.DocumentFolder = dir.path() + QStringLiteral("/saved/");
    Script script{&*dialogs};
    ScopedModalRunner runner(std::ref(script));
    TPrintPipeline(*run.job).mnuPrintClick(run.context);

    QCOMPARE(dialogs->fileRequests.size(), 1);
    const auto &request = dialogs->fileRequests.first();
    QCOMPARE(request.folderOrPath, dir.path() + QStringLiteral("/saved/Acme Corp.pdf"));
    QVERIFY(request.filter.contains(QStringLiteral("*.pdf")));
    QCOMPARE(request.defaultSuffix, QStringLiteral("pdf"));
    // Asked before the card selection, which then names the file.
    QCOMPARE(script.fileQuestionsBeforeCards, QList<int>{1});
    QVERIFY(script.printerLabels.first().contains(QStringLiteral("chosen.pdf")));
    QVERIFY(isPdf(chosen));
    // The file was written, and where: no printer was involved.
    QCOMPARE(script.finalStatus, QStringList{QStringLiteral("Print job completed!\n\nThe cards were written to "
                                                            "the PDF file\n")
                                             + QDir::toNativeSeparators(chosen)});
    QVERIFY(dialogs->count(ScriptedDialogs::Message::Error) == 0);
}

void TestPrintToFile::finalTextNamesAFileWhoseNameLooksLikeAPageNumber()
{
    QTemporaryDir dir;
    ScopedScriptedDialogs dialogs;
    const QString chosen = dir.filePath(QStringLiteral("50%p off.pdf"));
    dialogs->saveFileNames.enqueue(chosen);
    Run run(pdfJob());
    Script script{&*dialogs};
    ScopedModalRunner runner(std::ref(script));
    TPrintPipeline(*run.job).mnuPrintOutlineTestPageClick(run.context);
    QCOMPARE(script.finalStatus.size(), 1);
    QVERIFY2(script.finalStatus.first().endsWith(QDir::toNativeSeparators(chosen)),
             qPrintable(script.finalStatus.first()));
    QVERIFY(isPdf(chosen));
}

void TestPrintToFile::printerSetupWithoutAPrinterSaysPrintingWritesAPdf()
{
    TempProgramFolder folder;
    ScopedScriptedDialogs dialogs;
    TMainScreen window;
    TPrintCommands commands(window, pdfJob());
    window.RunCommand(TMainCommand::PrinterSetup);
    QCOMPARE(dialogs->informations(), QStringList{PrinterChoice::NoPrinterText});
    QVERIFY(PrinterChoice::NoPrinterText.contains(QStringLiteral("PDF file")));

    // The "Print &Setup" button of "Print Cards" says the same.
    dialogs->clear();
    Run run(pdfJob(folder.filePath(QStringLiteral("cards.pdf"))));
    TSelectSpecificLabels select(run.job.get());
    select.PrinterSetupButton->click();
    QCOMPARE(dialogs->informations(), QStringList{PrinterChoice::NoPrinterText});
    QVERIFY(select.PrinterLabel->text().contains(QStringLiteral("cards.pdf")));

    // A printer's own set-up dialog says nothing of the kind.
    dialogs->clear();
    Run printer(imageJob());
    TSelectSpecificLabels selectPrinter(printer.job.get());
    selectPrinter.PrinterSetupButton->click();
    QVERIFY(dialogs->messages.isEmpty());
}

void TestPrintToFile::newCardSuggestsABusinessCardFile()
{
    ScopedScriptedDialogs dialogs; // the question is cancelled
    Run run(pdfJob());
    run.context.DocumentFolder = QStringLiteral("/home/user/kvl/saved");
    Script script{&*dialogs};
    ScopedModalRunner runner(std::ref(script));
    TPrintPipeline(*run.job).mnuPrintClick(run.context);
    QCOMPARE(dialogs->fileRequests.size(), 1);
    QCOMPARE(dialogs->fileRequests.first().folderOrPath, QStringLiteral("/home/user/kvl/saved/BusinessCard.pdf"));
}

void TestPrintToFile::cancellingTheFileQuestionPrintsNothing()
{
    QTemporaryDir dir;
    ScopedScriptedDialogs dialogs;
    const QString earlier = dir.filePath(QStringLiteral("earlier.pdf"));
    Run run(pdfJob(earlier));
    run.context.DocumentFolder = dir.path();
    Script script{&*dialogs};
    ScopedModalRunner runner(std::ref(script));
    TPrintPipeline pipeline(*run.job);
    pipeline.mnuPrintClick(run.context);
    pipeline.mnuPrintOutlineTestPageClick(run.context);
    QCOMPARE(dialogs->fileRequests.size(), 2);
    QVERIFY(script.shown.isEmpty()); // no card selection, no status window
    // Not even into the file of an earlier run.
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

void TestPrintToFile::outlineTestPageAsksForAFileToo()
{
    QTemporaryDir dir;
    ScopedScriptedDialogs dialogs;
    const QString chosen = dir.filePath(QStringLiteral("outline.pdf"));
    dialogs->saveFileNames.enqueue(chosen);
    Run run(pdfJob());
    run.context.DocumentPath = dir.filePath(QStringLiteral("Mine.kvl"));
    run.context.DocumentFolder = dir.path();
    Script script{&*dialogs};
    ScopedModalRunner runner(std::ref(script));
    TPrintPipeline(*run.job).mnuPrintOutlineTestPageClick(run.context);
    QCOMPARE(dialogs->fileRequests.size(), 1);
    QCOMPARE(dialogs->fileRequests.first().folderOrPath, dir.filePath(QStringLiteral("Mine.pdf")));
    QCOMPARE(script.shown, QStringList{QStringLiteral("TLabelPrinter")});
    QVERIFY(isPdf(chosen));
}

void TestPrintToFile::printerJobsAskNoFileName()
{
    ScopedScriptedDialogs dialogs;
    Run run(imageJob());
    Script script{&*dialogs};
    ScopedModalRunner runner(std::ref(script));
    TPrintPipeline pipeline(*run.job);
    pipeline.mnuPrintClick(run.context);
    pipeline.mnuPrintOutlineTestPageClick(run.context);
    QVERIFY(dialogs->fileRequests.isEmpty());
    QCOMPARE(script.finalStatus.size(), 2);
}

void TestPrintToFile::mainWindowOffersTheSavedFolderAndTheCardName()
{
    TempProgramFolder folder;
    ScopedScriptedDialogs dialogs; // the file question is cancelled
    TMainScreen window;
    TPrintCommands commands(window, pdfJob());
    window.SetDocumentPath(ProgramSubFolder(QStringLiteral("saved")) + QStringLiteral("Acme.KVL"));
    Script script{&*dialogs};
    ScopedModalRunner runner(std::ref(script));
    window.RunCommand(TMainCommand::Print);
    window.RunCommand(TMainCommand::OutlineTestPage);
    QCOMPARE(dialogs->fileRequests.size(), 2);
    for (const auto &request : dialogs->fileRequests)
        QCOMPARE(request.folderOrPath, ProgramSubFolder(QStringLiteral("saved")) + QStringLiteral("Acme.pdf"));
    QVERIFY(script.shown.isEmpty());
}

void TestPrintToFile::unwritablePdfIsAnErrorNotACompletedJob()
{
    QTemporaryDir dir;
    ScopedScriptedDialogs dialogs;
    // A file name inside a plain file: no one can write there.
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString impossible = dir.filePath(QStringLiteral("blocker/cards.pdf"));
    dialogs->saveFileNames.enqueue(impossible);
    Run run(pdfJob());
    run.panel->SetZoom(1.2f);
    Script script{&*dialogs};
    ScopedModalRunner runner(std::ref(script));
    TPrintPipeline(*run.job).mnuPrintClick(run.context);

    QCOMPARE(script.finalStatus, QStringList{QStringLiteral("\nBusiness Card Print Failed!")});
    QCOMPARE(dialogs->count(ScriptedDialogs::Message::Error), 1);
    const QString error = dialogs->messages.last().text;
    QVERIFY2(error.contains(QDir::toNativeSeparators(impossible)), qPrintable(error));
    QCOMPARE(run.panel->Zoom(), 1.2f);
    QCOMPARE(run.preferencesSaved, 0);
}

void TestPrintToFile::refusingPrinterIsAnErrorAndLeavesTheSettings()
{
    ScopedScriptedDialogs dialogs;
    Run run(std::make_unique<TReport>(std::make_unique<RefusingPrinter>()));
    run.selection.reset(3);
    const TCardSelection before = run.selection;
    Script script{&*dialogs};
    ScopedModalRunner runner(std::ref(script));
    TPrintPipeline(*run.job).mnuPrintClick(run.context);

    QCOMPARE(script.finalStatus.size(), 1);
    QVERIFY(!script.finalStatus.first().contains(QStringLiteral("completed")));
    QCOMPARE(dialogs->count(ScriptedDialogs::Message::Error), 1);
    QVERIFY(dialogs->messages.last().text.contains(QStringLiteral("The printer \"Office\" is out of paper.")));
    QVERIFY(run.selection == before);
    QVERIFY(run.showWarning);
    QCOMPARE(run.preferencesSaved, 0);
    QCOMPARE(run.job->copies(), 1);
    QVERIFY(run.panel->Objects().size() == 1);
}

QTEST_MAIN(TestPrintToFile)
#include "tst_printtofile.moc"
