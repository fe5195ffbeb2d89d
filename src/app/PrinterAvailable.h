#pragma once

// Whether print-related commands can run. Printing through Qt can always
// write a PDF file, so printing is possible even with no printer installed;
// the installed printers only decide what the print dialog offers. With
// `showMessages` a reason would be shown when printing is impossible.
bool PrinterAvailable(bool showMessages);
