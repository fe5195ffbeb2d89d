#include "app/PrinterAvailable.h"

#include <QtGlobal>

bool PrinterAvailable(bool showMessages)
{
    Q_UNUSED(showMessages); // PDF output needs no printer, so there is nothing to report
    return true;
}
