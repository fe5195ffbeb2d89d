#include "app/PrinterAvailable.h"

#include "platform/AppRoutines.h"
#include "report/PrinterTarget.h"

bool PrinterAvailable(bool showMessages)
{
    return PrinterAvailable(showMessages, PrinterTarget::printerNames(), PrinterTarget::defaultPrinterName());
}

bool PrinterAvailable(bool showMessages, const QStringList &installed, const QString &defaultPrinter)
{
    if (installed.isEmpty()) {
        if (showMessages)
            Inform(QStringLiteral("There are no installed printers.\nUnable to perform printer related operations"));
        return false;
    }
    if (defaultPrinter.isEmpty() || !installed.contains(defaultPrinter)) {
        if (showMessages)
            Inform(QStringLiteral(
                "There is no default printer selected.\nUnable to perform printer related operations"));
        return false;
    }
    return true;
}
