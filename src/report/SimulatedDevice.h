#pragma once

#include "report/ReportTypes.h"

#include <QPageSize>

// A device that exists only on paper: a resolution, a sheet size and the
// unprintable margins a real printer would have. The image and recorded
// targets use it so that tests can reproduce any printer's geometry (for
// instance a 0.66-inch bottom margin).
class SimulatedDevice
{
public:
    SimulatedDevice(int dpiX = 600, int dpiY = 600,
                    const QPageSize &paper = QPageSize(QPageSize::Letter),
                    const ReportMargins &portraitMargins = {});

    void setResolution(int dpiX, int dpiY);
    void setPaper(const QPageSize &paper);
    QPageSize paper() const { return paper_; }
    // Margins as on a portrait sheet; landscape turns them with the page.
    void setMargins(const ReportMargins &portraitMargins);
    ReportMargins margins() const { return margins_; }
    void setOrientation(TPrinterOrientation orientation);
    TPrinterOrientation orientation() const { return orientation_; }

    // Landscape is portrait turned a quarter turn counter-clockwise: the
    // portrait top edge becomes the left edge.
    ReportDeviceMetrics metrics() const;

private:
    int dpiX_;
    int dpiY_;
    QPageSize paper_;
    ReportMargins margins_;
    TPrinterOrientation orientation_ = poPortrait;
};
