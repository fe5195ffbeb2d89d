#pragma once

#include "report/PrinterDeviceTarget.h"

#include <QString>
#include <QStringList>

// A printer queue of the system (CUPS). Its unprintable margins are the
// printer's own minimum margins, so positions on the sheet stay physical.
class PrinterTarget : public PrinterDeviceTarget
{
public:
    // The named printer, or the default printer when the name is empty.
    explicit PrinterTarget(const QString &printerName = QString());

    // Installed printers and the default one ("" when there is none).
    static QStringList printerNames();
    static QString defaultPrinterName();

    QString printerName() const;
    // Switches to another installed printer; false for an unknown name.
    bool setPrinterName(const QString &name);
    // Position of the current printer in printerNames(); -1 when not listed.
    int printerIndex() const;

    // Printer set-up and print dialogs (through PrinterDialogs). The print
    // dialog's copies and page range are kept: copies() then tells how many
    // copies were chosen, firstPage()/lastPage() the range (1 and 9999 for
    // all pages).
    bool setupDialog();
    bool printDialog();
    int dialogCopies() const;
    int firstPage() const;
    int lastPage() const;

    void refreshMetrics() override;
    QPainter *beginDocument(const QString &title, int copies) override;
    bool newPage() override;
    bool endDocument() override;
    QString errorString() const override { return error_; }
    bool handlesCopies() const override;
    // CUPS accepts up to 9999 copies of a job unless the queue says otherwise.
    int maxCopies() const override;

private:
    void useMinimumMargins();
    void setError(const char *format);

    QString error_;
};
