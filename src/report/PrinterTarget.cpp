#include "report/PrinterTarget.h"

#include "report/PrinterDialogs.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

constexpr int kCupsMaxCopies = 9999;
constexpr int kAllPagesLast = 9999;

} // namespace

PrinterTarget::PrinterTarget(const QString &printerName)
    : PrinterDeviceTarget(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    if (!printerName.isEmpty())
        setPrinterName(printerName);
    useMinimumMargins();
}

QStringList PrinterTarget::printerNames() { return QPrinterInfo::availablePrinterNames(); }

QString PrinterTarget::defaultPrinterName() { return QPrinterInfo::defaultPrinterName(); }

QString PrinterTarget::printerName() const { return printer().printerName(); }

bool PrinterTarget::setPrinterName(const QString &name)
{
    if (!printerNames().contains(name))
        return false;
    printer().setPrinterName(name);
    useMinimumMargins();
    return true;
}

int PrinterTarget::printerIndex() const { return int(printerNames().indexOf(printerName())); }

void PrinterTarget::useMinimumMargins()
{
    // Margins no larger than the printer needs: the printable area is then
    // what the printer can reach, and the painter's origin is its corner.
    QPageLayout layout = printer().pageLayout();
    layout.setMinimumMargins(layout.minimumMargins());
    layout.setMargins(layout.minimumMargins());
    printer().setPageLayout(layout);
    printer().setFullPage(false);
}

bool PrinterTarget::setupDialog()
{
    const bool accepted = PrinterDialogs::current().setup(printer());
    if (accepted)
        useMinimumMargins();
    return accepted;
}

bool PrinterTarget::printDialog()
{
    printer().setFromTo(0, 0);
    const bool accepted = PrinterDialogs::current().print(printer());
    if (accepted)
        useMinimumMargins();
    return accepted;
}

int PrinterTarget::dialogCopies() const { return std::max(1, printer().copyCount()); }

int PrinterTarget::firstPage() const { return printer().fromPage() > 0 ? printer().fromPage() : 1; }

int PrinterTarget::lastPage() const { return printer().toPage() > 0 ? printer().toPage() : kAllPagesLast; }

void PrinterTarget::refreshMetrics() { useMinimumMargins(); }

void PrinterTarget::setError(const char *format)
{
    const QString name = printerName();
    error_ = QString::fromLatin1(format).arg(name.isEmpty() ? QStringLiteral("(none)") : name);
}

QPainter *PrinterTarget::beginDocument(const QString &title, int copies)
{
    error_.clear();
    QPainter *painter = PrinterDeviceTarget::beginDocument(title, copies);
    if (!painter)
        setError("The printer \"%1\" did not accept the print job.");
    return painter;
}

bool PrinterTarget::newPage()
{
    if (PrinterDeviceTarget::newPage())
        return true;
    setError("The printer \"%1\" did not accept a new page.");
    return false;
}

bool PrinterTarget::endDocument()
{
    if (PrinterDeviceTarget::endDocument())
        return true;
    setError("The printer \"%1\" could not complete the print job.");
    return false;
}

bool PrinterTarget::handlesCopies() const { return printer().supportsMultipleCopies(); }

int PrinterTarget::maxCopies() const { return handlesCopies() ? kCupsMaxCopies : 1; }
