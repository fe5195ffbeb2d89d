#include "report/PrinterDialogs.h"

#include "platform/UserDialogs.h"

#include <QAbstractPrintDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {

class QtPrinterDialogs : public PrinterDialogs
{
public:
    bool setup(QPrinter &printer) override
    {
        QPrintDialog dialog(&printer, UserDialogs::parentWidget());
        dialog.setWindowTitle(QStringLiteral("Printer Setup"));
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        return dialog.exec() == QDialog::Accepted;
    }

    bool print(QPrinter &printer) override
    {
        QPrintDialog dialog(&printer, UserDialogs::parentWidget());
        return dialog.exec() == QDialog::Accepted;
    }
};

std::unique_ptr<PrinterDialogs> &installed()
{
    static std::unique_ptr<PrinterDialogs> dialogs = std::make_unique<QtPrinterDialogs>();
    return dialogs;
}

} // namespace

PrinterDialogs &PrinterDialogs::current() { return *installed(); }

std::unique_ptr<PrinterDialogs> PrinterDialogs::install(std::unique_ptr<PrinterDialogs> dialogs)
{
    std::unique_ptr<PrinterDialogs> previous = std::move(installed());
    installed() = dialogs ? std::move(dialogs) : std::make_unique<QtPrinterDialogs>();
    return previous;
}
