#pragma once

#include "report/ReportTarget.h"

#include <QPainter>
#include <memory>

class QPrinter;

// The part shared by the targets that go through QPrinter (a printer queue
// or a PDF file): geometry from the printer's page layout, where the painter
// starts at the top-left of the printable area.
class PrinterDeviceTarget : public ReportTarget
{
public:
    ~PrinterDeviceTarget() override;

    QPrinter &printer() { return *printer_; }
    const QPrinter &printer() const { return *printer_; }

    ReportDeviceMetrics metrics() const override;
    void setOrientation(TPrinterOrientation orientation) override;
    TPrinterOrientation orientation() const override;
    void setPaper(const QPageSize &paper) override;
    QPageSize paper() const override;

    QPainter *beginDocument(const QString &title, int copies) override;
    bool newPage() override;
    bool endDocument() override;
    void abortDocument() override;

protected:
    explicit PrinterDeviceTarget(std::unique_ptr<QPrinter> printer);

private:
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
};
