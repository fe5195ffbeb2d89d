#include "print/PrinterChoice.h"

#include "platform/UserDialogs.h"
#include "report/PdfTarget.h"
#include "report/PrinterTarget.h"
#include "report/TReport.h"

#include <QDir>
#include <QFileInfo>

std::unique_ptr<TReport> PrinterChoice::CreateMainJob(bool printerAvailable)
{
    if (printerAvailable)
        return std::make_unique<TReport>(std::make_unique<PrinterTarget>());
    return std::make_unique<TReport>(std::make_unique<PdfTarget>());
}

bool PrinterChoice::PrintsToFile(TReport &job)
{
    return job.targetAs<PdfTarget>() != nullptr;
}

QString PrinterChoice::SuggestedFileName(const QString &documentPath)
{
    if (documentPath.isEmpty())
        return QStringLiteral("BusinessCard.pdf");
    return QFileInfo(documentPath).completeBaseName() + QStringLiteral(".pdf");
}

bool PrinterChoice::ChooseFile(TReport &job, const QString &folder, const QString &documentPath)
{
    auto *pdf = job.targetAs<PdfTarget>();
    if (!pdf)
        return true;
    QString start = folder;
    if (!start.isEmpty() && !start.endsWith(QLatin1Char('/')))
        start += QLatin1Char('/');
    const QString path = UserDialogs::current().saveFileName(
        QStringLiteral("Print to PDF File"), start + SuggestedFileName(documentPath),
        QStringLiteral("PDF File (*.pdf *.PDF)"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return false;
    pdf->setFileName(path);
    return true;
}

QString PrinterChoice::PrinterName(const TReport &job)
{
    auto &mutableJob = const_cast<TReport &>(job);
    if (const auto *printer = mutableJob.targetAs<PrinterTarget>())
        return printer->printerName();
    if (const auto *pdf = mutableJob.targetAs<PdfTarget>())
        return QStringLiteral("PDF file %1").arg(QDir::toNativeSeparators(pdf->fileName()));
    return QString();
}

bool PrinterChoice::SetupDialog(TReport &job)
{
    if (auto *printer = job.targetAs<PrinterTarget>())
        return printer->setupDialog();
    // A PDF file has nothing to set up here: the paper comes from the sheet
    // layout. Say so rather than do nothing.
    if (PrintsToFile(job))
        UserDialogs::current().inform(NoPrinterText);
    return true;
}

bool PrinterChoice::PrintDialog(TReport &job)
{
    auto *printer = job.targetAs<PrinterTarget>();
    if (!printer)
        return true;
    if (!printer->printDialog())
        return false;
    job.setCopies(printer->dialogCopies());
    return true;
}
