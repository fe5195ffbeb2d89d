#include "report/RasterStamp.h"

#include "platform/Numbers.h"
#include "report/ReportCanvas.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Black = 0xFF000000;
// Around what a drawing may reach: touched there, it may have gone further.
constexpr int Margin = 2;

// The opaque page image the painter draws on, when it draws on one with a
// whole-pixel shift and no clipping; null otherwise.
const QImage *rasterPage(const QPainter *painter)
{
    if (!painter || !painter->device() || painter->device()->devType() != QInternal::Image)
        return nullptr;
    const auto *image = static_cast<const QImage *>(painter->device());
    const QTransform &shift = painter->transform();
    if (image->format() != QImage::Format_RGB32 || shift.type() > QTransform::TxTranslate
        || shift.dx() != std::floor(shift.dx()) || shift.dy() != std::floor(shift.dy()) || painter->hasClipping())
        return nullptr;
    return image;
}

// Where the inch position lands on the page image, before rounding.
QPointF pagePixel(const ReportCanvas &job, const QPainter &page, double x, double y)
{
    const ReportDeviceMetrics &m = job.deviceMetrics();
    return {(x + job.marginLeft()) * m.dpiX - m.printable.left() + page.transform().dx(),
            (y + job.marginTop()) * m.dpiY - m.printable.top() + page.transform().dy()};
}

QRect pageRect(const ReportCanvas &job, const QPainter &page, double x, double y, const QRectF &inches)
{
    return job.toDevice(x + inches.left(), y + inches.top(), x + inches.right(), y + inches.bottom())
        .translated(int(page.transform().dx()), int(page.transform().dy()));
}

bool evenWhole(double v)
{
    return v == std::floor(v) && std::fmod(v, 2.0) == 0;
}

// `draw` on an image of `size` filled with `ground`, page pixel `at` at its corner.
QImage drawnOn(QRgb ground, const QRect &area, const QPainter &page, ReportCanvas &job,
               const std::function<void()> &draw)
{
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(ground);
    QPainter painter(&image);
    painter.setRenderHints(page.renderHints());
    painter.setTransform(page.transform() * QTransform::fromTranslate(-area.left(), -area.top()));
    painter.setBrushOrigin(page.brushOrigin());
    {
        const ReportCanvas::Redirect into(job, &painter);
        draw();
    }
    painter.end();
    return image;
}

} // namespace

void RasterStamp::Clear()
{
    image_ = QImage();
    spans_.clear();
    refused_ = false;
}

bool RasterStamp::Make(ReportCanvas &job, double x, double y, const QRectF &area, const QRectF &reach, const Draw &draw)
{
    const QPainter &page = *job.pagePainter();
    const QRect core = pageRect(job, page, x, y, area);
    if (core.isEmpty())
        return false;
    const QRect drawn = pageRect(job, page, x, y, reach).united(core).adjusted(-Margin, -Margin, Margin, Margin);
    QImage stamp = drawnOn(White, drawn, page, job, [&] { draw(x, y); });
    const QImage onBlack = drawnOn(Black, drawn, page, job, [&] { draw(x, y); });
    // Opaque pixels read the same either way; untouched ones become transparent in place.
    stamp.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    std::vector<std::pair<int, int>> spans(size_t(drawn.height()), {drawn.width(), -1});
    const QRect inner = stamp.rect().adjusted(Margin, Margin, -Margin, -Margin);
    for (int row = 0; row < stamp.height(); ++row) {
        const auto *black = reinterpret_cast<const QRgb *>(onBlack.constScanLine(row));
        auto *white = reinterpret_cast<QRgb *>(stamp.scanLine(row));
        for (int column = 0; column < stamp.width(); ++column) {
            if (white[column] == White && black[column] == Black) {
                white[column] = 0;
                continue;
            }
            if (!inner.contains(column, row)) {
                refused_ = true;
                return false;
            }
            spans[size_t(row)].first = std::min(spans[size_t(row)].first, column);
            spans[size_t(row)].second = column;
        }
    }
    image_ = std::move(stamp);
    spans_ = std::move(spans);
    topLeft_ = drawn.topLeft();
    corner_ = pagePixel(job, page, x, y);
    return true;
}

bool RasterStamp::Print(ReportCanvas &job, double x, double y, const QRectF &area, const QRectF &reach,
                        const Draw &draw)
{
    QPainter *page = job.pagePainter();
    const QImage *pageImage = rasterPage(page);
    if (refused_ || !pageImage)
        return false;
    if (image_.isNull() && !Make(job, x, y, area, reach, draw))
        return false;
    const QPointF moved = pagePixel(job, *page, x, y) - corner_;
    const QPointF shift(Numbers::settle(moved.x()), Numbers::settle(moved.y()));
    if (!evenWhole(shift.x()) || !evenWhole(shift.y()))
        return false;
    const QPoint at = topLeft_ + QPoint(int(shift.x()), int(shift.y()));
    if (at.x() < 0 || at.x() + image_.width() > pageImage->width())
        return false;
    // A page drawn in bands (BandedImageTarget) holds some of the rows.
    const int firstRow = std::max(0, -at.y());
    const int endRow = std::min(image_.height(), pageImage->height() - at.y());
    for (int row = firstRow; row < endRow; ++row) {
        const auto [first, last] = spans_[size_t(row)];
        const auto *stamp = reinterpret_cast<const QRgb *>(image_.constScanLine(row));
        const auto *under = reinterpret_cast<const QRgb *>(pageImage->constScanLine(at.y() + row)) + at.x();
        for (int column = first; column <= last; ++column) {
            if (stamp[column] != 0 && under[column] != White)
                return false;
        }
    }
    // Touched pixels are opaque and replace the white under them; the rest
    // is transparent and leaves the page alone.
    page->save();
    page->resetTransform();
    page->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (firstRow < endRow)
        page->drawImage(at, image_);
    page->restore();
    return true;
}
