#pragma once

#include "report/ReportTypes.h"

class QPainter;

// Helpers shared by the targets that produce pictures of whole sheets.
namespace ReportPage {

// Whitens everything outside the printable area of a sheet painted at its
// physical origin, as a printer that cannot reach the edges would leave it.
void maskUnprintable(QPainter &painter, const ReportDeviceMetrics &metrics);

} // namespace ReportPage
