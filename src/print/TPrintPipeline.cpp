#include "print/TPrintPipeline.h"

#include "design/MergeCheck.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TextFit.h"
#include "platform/AppRoutines.h"
#include "platform/UserDialogs.h"
#include "print/CutMarks.h"
#include "print/DuplexPrinting.h"
#include "print/PrintScopes.h"
#include "print/PrinterChoice.h"
#include "print/TCardSheetPrinter.h"
#include "print/TLabelPrinter.h"
#include "print/TPreviewForm.h"
#include "print/TPrintRecordsBox.h"
#include "print/SelectLabelsDialog.h"
#include "print/TWarnBottomMargin.h"
#include "report/RecordedTarget.h"
#include "report/ReportPaper.h"
#include "report/TReport.h"

#include <QBuffer>
#include <QCheckBox>
#include <QCoreApplication>

namespace {

// The preview is recorded for a device like the main job's printer.
SimulatedDevice deviceLike(TReport &job)
{
    job.setOrientation(poPortrait);
    const ReportMargins margins{job.unprintableLeft(), job.unprintableTop(), job.unprintableRight(),
                                job.unprintableBottom()};
    return SimulatedDevice(std::max(job.resolutionX(), 72), std::max(job.resolutionY(), 72),
                           job.target().paper(), margins);
}

} // namespace

void TPrintPipeline::mnuPrintClick(TPrintContext &context)
{
    m_printing = true;
    m_job.setPaperSize(context.Layout.Papersize);
    if (context.Panel)
        context.Panel->SetPreview(false);
    if (context.BackPanel)
        context.BackPanel->SetPreview(false);
    m_outline = false;
    m_flip = dfNone;
    if (!PrinterChoice::ChooseFile(m_job, context.DocumentFolder, context.DocumentPath))
        return;
    if (!DoPageSetup(context))
        return;
    m_job.refreshMetrics();
    QCoreApplication::processEvents();
    if (CheckBottomMargin(context))
        DoPrint(context);
}

bool TPrintPipeline::CheckBottomMargin(TPrintContext &context)
{
    const double bottom = m_job.unprintableBottom();
    const TCardSelection &selection = *context.Selection;
    if (!(bottom > BottomMarginLimit && selection.test(8) && selection.test(9) && context.ShowBottomMarginWarning
          && *context.ShowBottomMarginWarning))
        return true;
    TWarnBottomMargin warning(context.Window);
    warning.ShowBottomMargin(bottom);
    const int result = UserDialogs::runModal(warning);
    if (warning.DontShowCheck->isChecked()) {
        *context.ShowBottomMarginWarning = false;
        if (context.SavePreferences)
            context.SavePreferences();
    }
    return result != QDialog::Rejected;
}

void TPrintPipeline::mnuPreviewClick(TPrintContext &context)
{
    m_printing = false;
    m_job.setPaperSize(context.Layout.Papersize);
    if (context.Panel)
        context.Panel->SetPreview(true);
    if (context.BackPanel)
        context.BackPanel->SetPreview(true);
    m_outline = false;
    // A card with a back previews both pages of the sheet.
    m_flip = context.BackPanel ? DuplexLayout::Remembered() : dfNone;
    if (context.BackPanel && m_flip == dfNone)
        m_flip = dfLongEdge;
    DoPrint(context);
}

void TPrintPipeline::mnuPrintOutlineTestPageClick(TPrintContext &context)
{
    m_printing = true;
    m_outline = true;
    // The sheet is checked the way cards were last printed.
    m_flip = DuplexLayout::Remembered();
    if (!PrinterChoice::ChooseFile(m_job, context.DocumentFolder, context.DocumentPath))
        return;
    if (PrinterChoice::PrintDialog(m_job))
        DoPrint(context);
}

void TPrintPipeline::mnuPrinterSetupClick()
{
    PrinterChoice::SetupDialog(m_job);
}

bool TPrintPipeline::DoPageSetup(TPrintContext &context)
{
    TSelectSpecificLabels dialog(&m_job, context.Window);
    dialog.Selection = *context.Selection;
    dialog.SetLayout(context.Layout);
    dialog.SetBothSidesOffered(context.BackPanel != nullptr);
    const CardMerge *merge = CardMerge::Find(context.Panel);
    if (merge && merge->Attached()) {
        dialog.ShowRecords(merge->RecordCount());
        dialog.RecordsBox->SetChoice(m_oneCardPerRecord, m_records);
    }
    if (UserDialogs::runModal(dialog) != QDialog::Accepted)
        return false;
    *context.Selection = dialog.Selection;
    m_flip = context.BackPanel ? dialog.Flip() : dfNone;
    if (merge && merge->Attached()) {
        m_oneCardPerRecord = dialog.RecordsBox->OneCardPerRecord();
        m_records = dialog.RecordsBox->Range();
    }
    return true;
}

void TPrintPipeline::DoPrint(TPrintContext &context)
{
    ZoomScope zoom(context.Panel);
    QCoreApplication::processEvents();

    TCardSheetPrinter sheet;
    sheet.Panel = context.Panel;
    sheet.Copies = m_job.copies();
    m_job.setCopies(1);
    sheet.Selection = *context.Selection;
    sheet.Outline = m_outline;
    sheet.Geometry = TSheetGeometry::FromLayout(context.Layout, context.Nudges);
    sheet.BackgroundFile = context.BackgroundFile;
    sheet.Printing = m_printing;
    sheet.PrintCutMarks = CutMarks::Remembered();
    ZoomScope backZoom(m_flip != dfNone ? context.BackPanel : nullptr);
    if (m_flip != dfNone) {
        sheet.BackPanel = context.BackPanel;
        sheet.BackBackgroundFile = context.BackBackgroundFile;
        sheet.Flip = m_flip;
        sheet.BackOffset = DuplexLayout::BackOffset();
    }
    const CardMerge *merge = CardMerge::Find(context.Panel);
    sheet.OneCardPerRecord = !m_outline && merge && merge->Attached() && m_oneCardPerRecord;
    sheet.Records = m_records;
    if (sheet.OneCardPerRecord)
        sheet.Copies = 1; // the records decide the sheets
    if (sheet.OneCardPerRecord && m_printing && !CheckRecords(context))
        return;
    if (!sheet.OneCardPerRecord && !m_outline && m_printing && merge && merge->Attached())
        TextFit::tellUser(*context.Panel);
    if (m_printing && sheet.Duplex() && DuplexModeOf(m_job) != DuplexPrinting::dmAlternatePages) {
        PrintBothSides(sheet, context);
        return;
    }

    QBuffer stream;
    std::unique_ptr<TReport> previewJob;
    if (!m_printing) {
        auto target = std::make_unique<RecordedTarget>(deviceLike(m_job));
        stream.open(QIODevice::ReadWrite);
        target->setStream(&stream);
        previewJob = std::make_unique<TReport>(std::move(target));
    }
    TReport &job = m_printing ? m_job : *previewJob;
    // A failed job has nothing worth previewing.
    const bool aborted = !RunStatus(sheet, job, context);
    if (!m_printing && !aborted)
        ShowPreview(context, stream.data());
}

bool TPrintPipeline::RunStatus(TCardSheetPrinter &sheet, TReport &job, TPrintContext &context)
{
    job.setOrientation(poPortrait);
    bool aborted = false;
    {
        TLabelPrinter status(sheet, job, context.Window);
        UserDialogs::runModal(status);
        aborted = status.JobAborted() || status.JobFailed();
    }
    job.onBeforePrint = nullptr;
    job.onPrint = nullptr;
    job.setStatusLabel(nullptr);
    // A new copy count must be chosen for every run.
    m_job.setCopies(1);
    m_job.setOrientation(poPortrait);
    return !aborted;
}

void TPrintPipeline::PrintBothSides(TCardSheetPrinter &sheet, TPrintContext &context)
{
    if (DuplexModeOf(m_job) == DuplexPrinting::dmPrinterDuplex) {
        DuplexPrinting::SetPrinterDuplex(m_job, sheet.Flip);
        RunStatus(sheet, m_job, context);
        DuplexPrinting::SetPrinterDuplex(m_job, dfNone);
        return;
    }
    const int copies = sheet.Copies;
    sheet.Sides = TCardSheetPrinter::ssFronts;
    if (!RunStatus(sheet, m_job, context) || !DuplexPrinting::AskToTurnSheets())
        return;
    sheet.Sides = TCardSheetPrinter::ssBacks;
    sheet.Copies = copies;
    sheet.StopRequested = false;
    RunStatus(sheet, m_job, context);
}

bool TPrintPipeline::CheckRecords(TPrintContext &context)
{
    MergeCheck::Findings findings;
    {
        BusyCursorScope busy;
        findings = MergeCheck::run(*context.Panel, m_records);
        if (m_flip != dfNone && context.BackPanel && CardMerge::Find(context.BackPanel)) {
            const MergeCheck::Findings back = MergeCheck::run(*context.BackPanel, m_records);
            for (const QString &field : back.missingFields)
                if (!findings.missingFields.contains(field))
                    findings.missingFields << field;
            findings.overflows << back.overflows;
        }
    }
    if (findings.empty())
        return true;
    return Ask(MergeCheck::message(findings) + QStringLiteral("\n\nPrint anyway?"), QStringLiteral("Print Cards"));
}

void TPrintPipeline::ShowPreview(TPrintContext &context, const QByteArray &recording)
{
    std::optional<RecordedJob> job = RecordedJob::fromByteArray(recording);
    if (!job)
        return;
    TPreviewForm preview(std::move(*job), context.Window);
    preview.RestorePlacement = context.RestorePlacement;
    preview.SavePlacement = context.SavePlacement;
    preview.setWindowTitle(QStringLiteral("Preview Business Cards"));
    UserDialogs::runModal(preview);
}
