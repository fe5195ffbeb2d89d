#pragma once

#include <QRect>
#include <QSize>
#include <QSizeF>

// Page orientation of a print job.
enum TPrinterOrientation { poPortrait, poLandscape };

// The platform's paper codes that card stock comes on.
constexpr int DMPAPER_LETTER = 1;
constexpr int DMPAPER_A4 = 9;

// What a drawing target looks like to the job, in its current orientation:
// resolution, the whole sheet and the part of it the device can reach, both
// in device pixels measured from the sheet's physical top-left corner.
struct ReportDeviceMetrics {
    int dpiX = 0;
    int dpiY = 0;
    QSize page;      // physical sheet
    QRect printable; // printable area; its top-left is the unprintable offset

    bool isValid() const { return dpiX > 0 && dpiY > 0 && !page.isEmpty(); }
};

// Unprintable margins in inches, as a device has them on a portrait sheet.
struct ReportMargins {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};
