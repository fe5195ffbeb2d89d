#include "print/TPrintPipeline.h"

#include "design/MergeCheck.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TextFit.h"
#include "platform/AppRoutines.h"
#include "platform/UserDialogs.h"
#include "print/CutMarks.h"
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
    m_outline = false;
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
    m_outline = false;
    DoPrint(context);
}

void TPrintPipeline::mnuPrintOutlineTestPageClick(TPrintContext &context)
{
    m_printing = true;
    m_outline = true;
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
    const CardMerge *merge = CardMerge::Find(context.Panel);
    if (merge && merge->Attached()) {
        dialog.ShowRecords(merge->RecordCount());
        dialog.RecordsBox->SetChoice(m_oneCardPerRecord, m_records);
    }
    if (UserDialogs::runModal(dialog) != QDialog::Accepted)
        return false;
    *context.Selection = dialog.Selection;
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
    const CardMerge *merge = CardMerge::Find(context.Panel);
    sheet.OneCardPerRecord = !m_outline && merge && merge->Attached() && m_oneCardPerRecord;
    sheet.Records = m_records;
    if (sheet.OneCardPerRecord)
        sheet.Copies = 1; // the records decide the sheets
    if (sheet.OneCardPerRecord && m_printing && !CheckRecords(context))
        return;
    if (!sheet.OneCardPerRecord && !m_outline && m_printing && merge && merge->Attached())
        TextFit::tellUser(*context.Panel);

    QBuffer stream;
    std::unique_ptr<TReport> previewJob;
    if (!m_printing) {
        auto target = std::make_unique<RecordedTarget>(deviceLike(m_job));
        stream.open(QIODevice::ReadWrite);
        target->setStream(&stream);
        previewJob = std::make_unique<TReport>(std::move(target));
    }
    TReport &job = m_printing ? m_job : *previewJob;
    job.setOrientation(poPortrait);
    bool aborted = false;
    {
        TLabelPrinter status(sheet, job, context.Window);
        UserDialogs::runModal(status);
        // A failed job has nothing worth previewing.
        aborted = status.JobAborted() || status.JobFailed();
    }
    job.onBeforePrint = nullptr;
    job.onPrint = nullptr;
    job.setStatusLabel(nullptr);
    // A new copy count must be chosen for every run.
    m_job.setCopies(1);
    m_job.setOrientation(poPortrait);
    if (!m_printing && !aborted)
        ShowPreview(context, stream.data());
}

bool TPrintPipeline::CheckRecords(TPrintContext &context)
{
    MergeCheck::Findings findings;
    {
        BusyCursorScope busy;
        findings = MergeCheck::run(*context.Panel, m_records);
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
