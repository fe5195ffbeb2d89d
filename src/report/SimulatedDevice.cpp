#include "report/SimulatedDevice.h"

#include "platform/Numbers.h"
#include "report/ReportPaper.h"


SimulatedDevice::SimulatedDevice(int dpiX, int dpiY, const QPageSize &paper,
                                 const ReportMargins &portraitMargins)
    : dpiX_(dpiX), dpiY_(dpiY), paper_(paper), margins_(portraitMargins)
{
}

void SimulatedDevice::setResolution(int dpiX, int dpiY)
{
    dpiX_ = dpiX;
    dpiY_ = dpiY;
}

void SimulatedDevice::setPaper(const QPageSize &paper) { paper_ = paper; }

void SimulatedDevice::setMargins(const ReportMargins &portraitMargins) { margins_ = portraitMargins; }

void SimulatedDevice::setOrientation(TPrinterOrientation orientation) { orientation_ = orientation; }

ReportDeviceMetrics SimulatedDevice::metrics() const
{
    QSizeF inches = ReportPaper::sizeInches(paper_);
    ReportMargins m = margins_;
    if (orientation_ == poLandscape) {
        inches.transpose();
        m = ReportMargins{margins_.top, margins_.right, margins_.bottom, margins_.left};
    }
    ReportDeviceMetrics metrics;
    metrics.dpiX = dpiX_;
    metrics.dpiY = dpiY_;
    metrics.page = QSize(Numbers::roundHalfEven(inches.width() * dpiX_),
                         Numbers::roundHalfEven(inches.height() * dpiY_));
    const int left = Numbers::roundHalfEven(m.left * dpiX_);
    const int top = Numbers::roundHalfEven(m.top * dpiY_);
    const int right = metrics.page.width() - Numbers::roundHalfEven(m.right * dpiX_);
    const int bottom = metrics.page.height() - Numbers::roundHalfEven(m.bottom * dpiY_);
    metrics.printable = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    return metrics;
}
