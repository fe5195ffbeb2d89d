#pragma once

#include "report/ReportTypes.h"

class QPainter;
class QPicture;

// Helpers shared by the targets that produce pictures of whole sheets.
namespace ReportPage {

// Whitens everything outside the printable area of a sheet painted at its
// physical origin, as a printer that cannot reach the edges would leave it.
void maskUnprintable(QPainter &painter, const ReportDeviceMetrics &metrics);

// Plays a recorded picture at the painter's current transform, one picture
// unit per unit. QPicture by itself scales by the ratio between the target's
// and its own logical resolution, which would shift every printed position.
void playPicture(QPainter &painter, const QPicture &picture);

} // namespace ReportPage
