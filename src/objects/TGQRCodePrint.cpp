#include "objects/QRCodeDrawing.h"
#include "objects/TGQRCode.h"

#include "platform/ScreenMetrics.h"
#include "report/PdfTarget.h"
#include "report/RecordedTarget.h"
#include "report/TReport.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// PDF files and the preview keep the code as vectors; printers and images
// get it in whole device pixels.
bool VectorOutput(TReport &report)
{
    return report.targetAs<PdfTarget>() || report.targetAs<RecordedTarget>();
}

} // namespace

// On paper, as on screen, the code fills the box's shorter side, centred.
void TGQRCode::PrintTo(TReport &report, double left, double top)
{
    const std::optional<QRMatrix> &matrix = Matrix();
    if (!matrix || Width() <= 0 || Height() <= 0)
        return;
    const double ppi = ScreenMetrics::pixelsPerInch();
    const double sideInches = std::min(Width(), Height()) / ppi;
    const double centreX = left + (Left() + Width() / 2.0) / ppi;
    const double centreY = top + (Top() + Height() / 2.0) / ppi;
    const int n = QRCodeDrawing::SideModules(*matrix, m_quietZone);
    const int dpiX = report.resolutionX(), dpiY = report.resolutionY();
    const QPoint centre = report.toDevice(centreX, centreY);

    if (VectorOutput(report)) {
        const QSizeF size(sideInches * dpiX, sideInches * dpiY);
        const QRectF square(QPointF(centre.x() - size.width() / 2, centre.y() - size.height() / 2), size);
        if (const std::optional<TColor> ground = Background()) {
            QPainterPath groundPath;
            groundPath.addRect(square);
            report.setBrush(*ground, bsSolid);
            report.fillDevicePath(groundPath);
        }
        report.setBrush(m_moduleColor, bsSolid);
        report.fillDevicePath(QRCodeDrawing::VectorPath(*matrix, m_quietZone, square));
        return;
    }

    // Every module the same whole number of device pixels on each axis.
    const int moduleX = std::max(1, int(std::floor(sideInches * dpiX / n)));
    const int moduleY = std::max(1, int(std::floor(sideInches * dpiY / n)));
    const QPoint origin(centre.x() - moduleX * n / 2, centre.y() - moduleY * n / 2);
    if (const std::optional<TColor> ground = Background()) {
        report.setBrush(*ground, bsSolid);
        report.fillRect(QRect(origin, QSize(moduleX * n, moduleY * n)));
    }
    report.setBrush(m_moduleColor, bsSolid);
    for (const QRect &r : QRCodeDrawing::PixelRects(*matrix, m_quietZone, origin, moduleX, moduleY))
        report.fillRect(r);
}
