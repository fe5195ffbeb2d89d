#include "report/PrinterDeviceTarget.h"

#include <QPageLayout>
#include <QPrinter>

PrinterDeviceTarget::PrinterDeviceTarget(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}

PrinterDeviceTarget::~PrinterDeviceTarget()
{
    if (painter_.isActive())
        abortDocument();
}

ReportDeviceMetrics PrinterDeviceTarget::metrics() const
{
    const int dpi = printer_->resolution();
    const QPageLayout layout = printer_->pageLayout();
    ReportDeviceMetrics metrics;
    metrics.dpiX = dpi;
    metrics.dpiY = dpi;
    metrics.page = layout.fullRectPixels(dpi).size();
    metrics.printable = layout.paintRectPixels(dpi);
    return metrics;
}

void PrinterDeviceTarget::setOrientation(TPrinterOrientation orientation)
{
    printer_->setPageOrientation(orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

TPrinterOrientation PrinterDeviceTarget::orientation() const
{
    return printer_->pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
}

void PrinterDeviceTarget::setPaper(const QPageSize &paper) { printer_->setPageSize(paper); }

QPageSize PrinterDeviceTarget::paper() const { return printer_->pageLayout().pageSize(); }

QPainter *PrinterDeviceTarget::beginDocument(const QString &title, int copies)
{
    printer_->setDocName(title);
    printer_->setCreator(title);
    printer_->setCopyCount(copies);
    return painter_.begin(printer_.get()) ? &painter_ : nullptr;
}

bool PrinterDeviceTarget::newPage() { return printer_->newPage(); }

bool PrinterDeviceTarget::endDocument() { return painter_.isActive() && painter_.end(); }

void PrinterDeviceTarget::abortDocument()
{
    printer_->abort();
    if (painter_.isActive())
        painter_.end();
}
