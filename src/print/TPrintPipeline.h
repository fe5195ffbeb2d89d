#pragma once

#include "design/CardMerge.h"
#include "design/SheetLayout.h"
#include "print/CardSelection.h"
#include "print/DuplexPrinting.h"
#include "print/SheetGeometry.h"

#include <QString>

#include <functional>

class QWidget;
class TGBusinessCardPanel32;
class TReport;

// What the main window lends the print commands for one command.
struct TPrintContext {
    TGBusinessCardPanel32 *Panel = nullptr;
    QWidget *Window = nullptr; // owner of the dialogs
    SheetLayout Layout;
    TSheetNudges Nudges;
    QString BackgroundFile;
    // The card's back (null: the card has one side) and its art; the
    // panels hold the front and the back whichever is on screen.
    TGBusinessCardPanel32 *BackPanel = nullptr;
    QString BackBackgroundFile;
    // Without a printer the sheets go into a PDF file named after the card
    // document (empty for a new card), chosen starting in this folder.
    QString DocumentPath;
    QString DocumentFolder;
    TCardSelection *Selection = nullptr;     // kept for the whole run of the program
    bool *ShowBottomMarginWarning = nullptr; // null: never warn
    std::function<void()> SavePreferences;
    // Window placement of the preview ("TPreviewForm_Placement").
    std::function<void(QWidget &)> RestorePlacement;
    std::function<void(QWidget &)> SavePlacement;
};

// The print menu's commands over the main print job: "&Print",
// "Pre&view", "Print O&utline Test Page" and "Printer S&etup", the card
// selection before printing and the run itself in the status window.
class TPrintPipeline
{
public:
    explicit TPrintPipeline(TReport &mainJob) : m_job(mainJob) {}

    TReport &MainJob() { return m_job; }

    // How both sides reach the main job's paper (by default from its
    // printer's abilities).
    std::function<DuplexPrinting::TDuplexMode(TReport &)> DuplexModeOf = DuplexPrinting::ModeFor;

    void mnuPrintClick(TPrintContext &context);
    void mnuPreviewClick(TPrintContext &context);
    void mnuPrintOutlineTestPageClick(TPrintContext &context);
    void mnuPrinterSetupClick();

    // "Print Cards"; true (and the selection taken over) on OK.
    bool DoPageSetup(TPrintContext &context);
    // Runs the status window for the current mode: printing or preview,
    // outline or cards.
    void DoPrint(TPrintContext &context);

    // Bottom margins beyond this cut off the last row of a standard sheet.
    static constexpr double BottomMarginLimit = 0.5;

private:
    // Whether to print after the bottom-margin check (which may warn).
    bool CheckBottomMargin(TPrintContext &context);
    void ShowPreview(TPrintContext &context, const QByteArray &recording);
    // One run of the status window; false when it was cancelled or failed.
    bool RunStatus(class TCardSheetPrinter &sheet, TReport &job, TPrintContext &context);
    // Both sides on a printer: by CUPS, or the fronts, a question, the backs.
    void PrintBothSides(TCardSheetPrinter &sheet, TPrintContext &context);

    // Whether to print after the checks of a card filled from a list.
    bool CheckRecords(TPrintContext &context);

    TReport &m_job;
    bool m_printing = true;
    bool m_outline = false;
    // A card filled from a contact list: the last choice of "Print Cards".
    bool m_oneCardPerRecord = true;
    RecordRange m_records;
    TDuplexFlip m_flip = dfNone;
};
