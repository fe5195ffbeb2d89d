#include "print/PrinterChoice.h"

#include "report/PdfTarget.h"
#include "report/PrinterTarget.h"
#include "report/TReport.h"

#include <QDir>

std::unique_ptr<TReport> PrinterChoice::CreateMainJob()
{
    if (!PrinterTarget::printerNames().isEmpty())
        return std::make_unique<TReport>(std::make_unique<PrinterTarget>());
    return std::make_unique<TReport>(
        std::make_unique<PdfTarget>(QDir::home().filePath(QStringLiteral("Karvello cards.pdf"))));
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
