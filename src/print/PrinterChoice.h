#pragma once

#include <QString>

#include <memory>

class TReport;

// The printer of a print job and the platform's printer dialogs for it. A
// job that does not go to a printer queue (a PDF file, images in tests) has
// no dialogs to show: they count as accepted.
namespace PrinterChoice {

// The main print job: the default printer, or a PDF file when none is
// installed (the print dialog can still choose a file).
std::unique_ptr<TReport> CreateMainJob();

QString PrinterName(const TReport &job);
bool SetupDialog(TReport &job);
// The print dialog; on OK the chosen copies become the job's copies.
bool PrintDialog(TReport &job);

} // namespace PrinterChoice
