#include "report/PdfTarget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMarginsF>
#include <QPrinter>

PdfTarget::PdfTarget(const QString &fileName, int resolution)
    : PrinterDeviceTarget(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    printer().setOutputFormat(QPrinter::PdfFormat);
    printer().setResolution(resolution);
    // Card stock defaults to Letter until the job is given the layout's paper.
    printer().setPageSize(QPageSize(QPageSize::Letter));
    printer().setFullPage(false);
    printer().setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
    setFileName(fileName);
}

void PdfTarget::setFileName(const QString &fileName)
{
    fileName_ = fileName;
    // An empty output name would turn the printer back into a printer queue.
    if (!fileName.isEmpty())
        printer().setOutputFileName(fileName);
}

QPainter *PdfTarget::beginDocument(const QString &title, int copies)
{
    error_.clear();
    if (fileName_.isEmpty()) {
        error_ = QStringLiteral("No PDF file was chosen to print into.");
        return nullptr;
    }
    QPainter *painter = PrinterDeviceTarget::beginDocument(title, copies);
    if (!painter)
        error_ = QStringLiteral("Unable to write the PDF file %1: %2")
                     .arg(QDir::toNativeSeparators(fileName_), WriteProblem());
    return painter;
}

QString PdfTarget::WriteProblem() const
{
    const QFileInfo info(fileName_);
    if (!info.absoluteDir().exists())
        return QStringLiteral("the folder does not exist.");
    // Append mode neither truncates an existing file nor keeps a new one.
    const bool existed = info.exists();
    QFile probe(fileName_);
    QString problem;
    if (!probe.open(QIODevice::Append))
        problem = probe.errorString();
    probe.close();
    if (!existed)
        QFile::remove(fileName_);
    return problem.isEmpty() ? QStringLiteral("the file cannot be written.") : problem;
}

bool PdfTarget::newPage()
{
    if (PrinterDeviceTarget::newPage())
        return true;
    error_ = QStringLiteral("Unable to add a page to the PDF file %1.").arg(QDir::toNativeSeparators(fileName_));
    return false;
}

bool PdfTarget::endDocument()
{
    if (PrinterDeviceTarget::endDocument())
        return true;
    error_ = QStringLiteral("Unable to finish the PDF file %1.").arg(QDir::toNativeSeparators(fileName_));
    QFile::remove(fileName_);
    return false;
}

void PdfTarget::abortDocument()
{
    PrinterDeviceTarget::abortDocument();
    if (!fileName_.isEmpty())
        QFile::remove(fileName_);
}
