#pragma once

#include "print/DuplexLayout.h"

#include <QString>

class TReport;

// How a double-sided run reaches paper. A PDF file, a preview or an image
// simply alternates front and back pages; a printer with a duplexer is
// asked by CUPS for two-sided printing; on any other printer the fronts are
// printed, the user turns the sheets over, and the backs follow.
namespace DuplexPrinting {

enum TDuplexMode { dmAlternatePages, dmPrinterDuplex, dmTurnByHand };

TDuplexMode ModeFor(TReport &job);
// Whether the job's printer queue offers two-sided printing.
bool PrinterHasDuplexer(TReport &job);
// Asks the printer for two-sided printing over `flip` (none: one-sided).
void SetPrinterDuplex(TReport &job, TDuplexFlip flip);

// The question between the fronts and the backs; true to print the backs.
QString TurnSheetsText();
bool AskToTurnSheets();

} // namespace DuplexPrinting
