#include "app/PrinterAvailable.h"

#include <QPrinterInfo>

bool InstalledPrinterExists()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool PrinterAvailable(bool showMessages)
{
    Q_UNUSED(showMessages); // PDF output needs no printer, so there is nothing to report
    return true;
}
