#pragma once

#include <memory>

class QPrinter;

// The printer set-up and print dialogs go through this seam so that tests
// can script them; the default shows Qt's print dialog.
class PrinterDialogs
{
public:
    virtual ~PrinterDialogs() = default;

    // Lets the user choose the printer and its settings; true on OK.
    virtual bool setup(QPrinter &printer) = 0;
    // The print dialog: printer, copies and page range; true on OK.
    virtual bool print(QPrinter &printer) = 0;

    static PrinterDialogs &current();
    // Installs replacement dialogs; null restores the real ones. Returns the
    // previous ones.
    static std::unique_ptr<PrinterDialogs> install(std::unique_ptr<PrinterDialogs> dialogs);
};
