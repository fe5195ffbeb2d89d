#pragma once

#include "platform/SystemFacts.h"

#include <QDate>
#include <QStringList>

// What the configuration report says about the program itself.
struct TProgramFacts {
    QString ProductName;
    QString VersionText;
    QDate BuildDate;
    QString SettingsFile; // full path of "kvl.ini"

    // The "Default Font" section as the program holds it.
    QString FontName;
    int FontSize = 10;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;

    // The four printer nudges as stored in "Printer".
    int TopMarginNudge = 0;
    int LeftMarginNudge = 0;
    int VerticalSpacing = 0;
    int HorizontalSpacing = 0;
};

// The lines of the configuration report: the date, "[Product]",
// "[Environment]" with the computer's facts, the printers, and the settings.
namespace ConfigurationReport {

QStringList Lines(const TProgramFacts &program, const TSystemFacts &system, const QDate &today);

// "Small Fonts in use" at 96 pixels per inch, "Large Fonts in use" at 120,
// otherwise "Custom font size in use".
QString FontSizeText(int pixelsPerInch);
// Colours a display of this depth shows: 2^bits up to 16 bits, 16,777,216
// for 24 and 32 bits, 0 for any other depth.
qint64 ColorCount(int bitsPerPixel);
// Whole number with thousands separators ("1,048,576").
QString GroupedNumber(qint64 value);

} // namespace ConfigurationReport
