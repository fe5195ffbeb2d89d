#pragma once

#include <QString>
#include <QStringList>

// Whether a printer is installed and one of them is the default printer.
// Otherwise, with `showMessages`, the reason is shown in an information box.
// Printing itself does not depend on it: without a printer the sheets go
// into a PDF file, so the main window's start-up check asks nothing of it.
bool PrinterAvailable(bool showMessages);
// The same over a given list of installed printers and default printer.
bool PrinterAvailable(bool showMessages, const QStringList &installed, const QString &defaultPrinter);
