#pragma once

#include <QString>

#include <memory>

class TReport;

// The printer of a print job and the platform's printer dialogs for it. A
// job that does not go to a printer queue (a PDF file, images in tests) has
// no dialogs to show: they count as accepted.
namespace PrinterChoice {

// The main print job: the default printer when `printerAvailable`,
// otherwise a PDF file whose name is asked for before each print.
std::unique_ptr<TReport> CreateMainJob(bool printerAvailable);

// Whether the job prints into a PDF file (no printer installed).
bool PrintsToFile(TReport &job);
// Asks where the PDF file goes (save dialog with the overwrite question,
// starting in `folder` with the card's name); false when the user cancels.
// A job that goes to a printer asks nothing and returns true.
bool ChooseFile(TReport &job, const QString &folder, const QString &documentPath);
// "name.pdf" for the card document "name.KVL", "BusinessCard.pdf" for a new card.
QString SuggestedFileName(const QString &documentPath);

QString PrinterName(const TReport &job);
// The printer set-up dialog; a job into a PDF file only tells the user
// (NoPrinterText) and counts as accepted.
bool SetupDialog(TReport &job);
inline const QString NoPrinterText = QStringLiteral(
    "There are no installed printers.\r\nPrinting writes the cards into a PDF file; "
    "its name is asked for when you print.");
// The print dialog; on OK the chosen copies become the job's copies.
bool PrintDialog(TReport &job);

} // namespace PrinterChoice
