#pragma once

#include "report/ImageTarget.h"
#include "report/TReport.h"

#include <QImage>
#include <QRect>
#include <memory>

// Jobs rendered into images of known geometry, and ways to look at them.
namespace ReportTestPages {

// A small sheet keeps high-resolution pages cheap.
inline QPageSize smallSheet() { return QPageSize(QSizeF(3, 3), QPageSize::Inch); }

inline SimulatedDevice device(int dpi, const ReportMargins &margins = {},
                              const QPageSize &paper = QPageSize(QPageSize::Letter))
{
    return SimulatedDevice(dpi, dpi, paper, margins);
}

// A job on an image target; `image` points at the target the job owns.
struct ImageJob {
    std::unique_ptr<TReport> job;
    ImageTarget *image = nullptr;

    explicit ImageJob(int dpi, const ReportMargins &margins = {},
                      const QPageSize &paper = QPageSize(QPageSize::Letter))
    {
        auto target = std::make_unique<ImageTarget>(device(dpi, margins, paper));
        image = target.get();
        job = std::make_unique<TReport>(std::move(target));
    }
    TReport *operator->() { return job.get(); }
    TReport &operator*() { return *job; }
    const QImage &page(int index = 0) const { return image->pages().at(index); }
};

inline bool isWhite(const QImage &image, int x, int y) { return image.pixel(x, y) == qRgb(255, 255, 255); }

// The smallest rectangle holding every pixel that is not white.
inline QRect inkBounds(const QImage &image)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) != 0xFFFFFF) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Number of pixels that differ by more than `tolerance` in any channel.
inline int differingPixels(const QImage &a, const QImage &b, int tolerance = 0)
{
    if (a.size() != b.size())
        return -1;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int row = 0; row < x.height(); ++row) {
        const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const QRgb *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            if (std::abs(qRed(p[col]) - qRed(q[col])) > tolerance || std::abs(qGreen(p[col]) - qGreen(q[col])) > tolerance
                || std::abs(qBlue(p[col]) - qBlue(q[col])) > tolerance)
                ++count;
        }
    }
    return count;
}

} // namespace ReportTestPages
