#include "report/PdfTarget.h"

#include <QFile>
#include <QMarginsF>
#include <QPrinter>

PdfTarget::PdfTarget(const QString &fileName, int resolution)
    : PrinterDeviceTarget(std::make_unique<QPrinter>(QPrinter::HighResolution)), fileName_(fileName)
{
    printer().setOutputFormat(QPrinter::PdfFormat);
    printer().setOutputFileName(fileName);
    printer().setResolution(resolution);
    // Card stock defaults to Letter until the job is given the layout's paper.
    printer().setPageSize(QPageSize(QPageSize::Letter));
    printer().setFullPage(false);
    printer().setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
}

bool PdfTarget::endDocument()
{
    if (PrinterDeviceTarget::endDocument())
        return true;
    QFile::remove(fileName_);
    return false;
}

void PdfTarget::abortDocument()
{
    PrinterDeviceTarget::abortDocument();
    QFile::remove(fileName_);
}
