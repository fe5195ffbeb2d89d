#pragma once

#include "print/CardSelection.h"

#include <memory>

class TMainScreen;
class TPrintPipeline;
class TReport;
struct TCardSidePanels;
struct TPrintContext;

// Connects the main window's print menu ("&Print", "Pre&view", "Printer
// S&etup", "Printer Fine &Tuning", "Print O&utline Test Page") to the print
// pipeline. It owns the main print job and the position selection, which
// stay as the user left them for the whole run of the program.
class TPrintCommands
{
public:
    // `job` replaces the main print job (tests); null uses the default printer.
    explicit TPrintCommands(TMainScreen &window, std::unique_ptr<TReport> job = nullptr);
    ~TPrintCommands();

    TReport &MainJob() { return *m_job; }
    TCardSelection &Selection() { return m_selection; }

    void mnuPrintClick();
    void mnuPreviewClick();
    void mnuPrintOutlineTestPageClick();
    void mnuPrinterSetupClick();
    void mnuPrinterFineTuningClick();

private:
    TPrintContext Context();
    // The main window keeps the first 22 flags; they are mirrored both ways.
    void TakeWindowSelection();
    void GiveWindowSelection();

    TMainScreen &m_window;
    std::unique_ptr<TReport> m_job;
    std::unique_ptr<TPrintPipeline> m_pipeline;
    TCardSelection m_selection = AllCardsSelected();
    std::unique_ptr<TCardSidePanels> m_sides; // for the command being run
};
