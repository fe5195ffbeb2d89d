#pragma once

// Helpers for the printing tests: a card panel with a black marker at the
// card's top-left corner, jobs printing into images, and reading back where
// ink landed on a page.

#include "design/TGBusinessCardPanel32.h"
#include "objects/TBCShapes.h"
#include "platform/ScreenMetrics.h"
#include "report/ImageTarget.h"
#include "report/TReport.h"

#include <QImage>
#include <QList>
#include <QRect>

#include <memory>

namespace PrintTest {

constexpr int Dpi = 192; // 1/32 inch is 6 device pixels

// A card panel at 96 pixels per inch.
inline std::unique_ptr<TGBusinessCardPanel32> makePanel(bool portrait = false)
{
    ScreenMetrics::setOverride(96);
    auto panel = std::make_unique<TGBusinessCardPanel32>();
    panel->SetPortrait(portrait);
    panel->resize(portrait ? QSize(192, 336) : QSize(336, 192));
    return panel;
}

// A solid black square of `size` card pixels at (left, top) on the card.
inline TBCShapes *addMarker(TGBusinessCardPanel32 &panel, int left = 0, int top = 0, int size = 12)
{
    auto *shape = new TBCShapes(&panel);
    shape->SetPen(TPen{clBlack, 1, psClear, pmCopy}); // ink exactly over the box
    shape->SetBrush(TBrush{clBlack, bsSolid, {}});
    panel.AddObject(shape);
    shape->SetBounds(left, top, size, size);
    return shape;
}

inline std::unique_ptr<TReport> imageJob(const ReportMargins &margins = {}, int driverCopies = 1, int dpi = Dpi)
{
    auto target = std::make_unique<ImageTarget>(SimulatedDevice(dpi, dpi, QPageSize(QPageSize::Letter), margins));
    target->setDriverCopies(driverCopies);
    return std::make_unique<TReport>(std::move(target));
}

inline ImageTarget &imageTarget(TReport &job)
{
    return *job.targetAs<ImageTarget>();
}

inline bool isInk(QRgb pixel)
{
    return qGray(pixel) < 128;
}

// Bounding box of dark pixels inside `area` (device pixels); null when none.
inline QRect inkBox(const QImage &page, const QRect &area)
{
    QRect box;
    const QRect r = area.intersected(page.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (isInk(page.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// The corner of the ink found within a quarter inch around (x, y) inches,
// in inches.
inline QPointF inkCornerNear(const QImage &page, double x, double y)
{
    const QRect area(int(x * Dpi) - Dpi / 4, int(y * Dpi) - Dpi / 4, Dpi / 2, Dpi / 2);
    const QRect box = inkBox(page, area);
    if (box.isNull())
        return QPointF(-1, -1);
    return QPointF(double(box.left()) / Dpi, double(box.top()) / Dpi);
}

// Number of separate markers: dark pixels whose left and upper neighbours are light.
inline int countMarkerCorners(const QImage &page)
{
    int count = 0;
    for (int y = 1; y < page.height(); ++y) {
        for (int x = 1; x < page.width(); ++x) {
            if (isInk(page.pixel(x, y)) && !isInk(page.pixel(x - 1, y)) && !isInk(page.pixel(x, y - 1))
                && !isInk(page.pixel(x - 1, y - 1)))
                ++count;
        }
    }
    return count;
}

} // namespace PrintTest
