#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRectF>

#include <functional>
#include <utility>
#include <vector>

class ReportCanvas;

// Something a job draws again and again unchanged on a raster page (the
// card at every position of a sheet) is drawn once into an image of its own
// and copied to each place. A copy is only made where it equals drawing
// there: the places lie a whole, even number of device pixels apart (so
// rounding half to even lands every coordinate alike), and every pixel the
// drawing touches is still white on the page (drawing over something blends
// with it; a copy would not). The drawing is made on white and on black:
// a pixel that comes out white on the one and black on the other was not
// touched, and the copy leaves the page there as it is. Everywhere else,
// and on vector targets, the caller draws as usual.
class RasterStamp
{
public:
    // Draws the thing with its corner at (x, y) inches.
    using Draw = std::function<void(double x, double y)>;

    // Puts the drawing with its corner at (x, y) inches, made by `draw` the
    // first time. `area` is what it covers and `reach` where it may draw at
    // most, both in inches from the corner. False when nothing was put: the
    // caller draws it directly.
    bool Print(ReportCanvas &job, double x, double y, const QRectF &area, const QRectF &reach, const Draw &draw);
    // Forgets the drawing (the thing changed): the next Print draws afresh.
    void Clear();
    // Whether a drawing is held.
    bool Holds() const { return !image_.isNull(); }

private:
    bool Make(ReportCanvas &job, double x, double y, const QRectF &area, const QRectF &reach, const Draw &draw);

    // The drawing on white where it touched, transparent elsewhere.
    QImage image_;
    // Per row of the image, the first and last column touched (empty rows: first > last).
    std::vector<std::pair<int, int>> spans_;
    QPoint topLeft_;   // the page pixel the image was drawn at
    QPointF corner_;   // the corner's page pixel before rounding
    bool refused_ = false; // the drawing left its area: drawn directly until cleared
};
