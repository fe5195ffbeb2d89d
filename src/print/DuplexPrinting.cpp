#include "print/DuplexPrinting.h"

#include "platform/UserDialogs.h"
#include "report/PrinterTarget.h"
#include "report/TReport.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace DuplexPrinting {

bool PrinterHasDuplexer(TReport &job)
{
    auto *printer = job.targetAs<PrinterTarget>();
    if (!printer)
        return false;
    const QList<QPrinter::DuplexMode> modes =
        QPrinterInfo::printerInfo(printer->printerName()).supportedDuplexModes();
    return modes.contains(QPrinter::DuplexLongSide) || modes.contains(QPrinter::DuplexShortSide);
}

TDuplexMode ModeFor(TReport &job)
{
    if (!job.targetAs<PrinterTarget>())
        return dmAlternatePages;
    return PrinterHasDuplexer(job) ? dmPrinterDuplex : dmTurnByHand;
}

void SetPrinterDuplex(TReport &job, TDuplexFlip flip)
{
    auto *printer = job.targetAs<PrinterTarget>();
    if (!printer)
        return;
    // Qt hands this to CUPS as "sides=two-sided-long-edge" or "-short-edge".
    printer->printer().setDuplex(flip == dfLongEdge    ? QPrinter::DuplexLongSide
                                 : flip == dfShortEdge ? QPrinter::DuplexShortSide
                                                       : QPrinter::DuplexNone);
}

QString TurnSheetsText()
{
    return QStringLiteral("Turn the printed sheets over and put them back in the tray");
}

bool AskToTurnSheets()
{
    return UserDialogs::current().ask(TurnSheetsText(), QStringLiteral("Print"));
}

} // namespace DuplexPrinting
