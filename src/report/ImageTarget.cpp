#include "report/ImageTarget.h"

#include "report/ReportPage.h"

#include <cmath>

ImageTarget::ImageTarget(const SimulatedDevice &device) : device_(device) {}

QPainter *ImageTarget::beginDocument(const QString &, int copies)
{
    abortDocument();
    metrics_ = device_.metrics();
    if (!metrics_.isValid())
        return nullptr;
    copiesRequested_ = copies;
    return startPage() ? &painter_ : nullptr;
}

bool ImageTarget::startPage()
{
    QImage page(metrics_.page, transparent_ ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    page.fill(transparent_ ? Qt::transparent : Qt::white);
    page.setDotsPerMeterX(std::lround(metrics_.dpiX / 0.0254));
    page.setDotsPerMeterY(std::lround(metrics_.dpiY / 0.0254));
    // Moved in, so that painting on it does not copy the whole page.
    pages_.append(std::move(page));
    if (!painter_.begin(&pages_.last()))
        return false;
    painter_.translate(metrics_.printable.topLeft());
    return true;
}

void ImageTarget::finishPage()
{
    if (!painter_.isActive())
        return;
    painter_.resetTransform();
    ReportPage::maskUnprintable(painter_, metrics_);
    painter_.end();
}

bool ImageTarget::newPage()
{
    finishPage();
    return startPage();
}

bool ImageTarget::endDocument()
{
    finishPage();
    return !pages_.isEmpty();
}

void ImageTarget::abortDocument()
{
    if (painter_.isActive())
        painter_.end();
    pages_.clear();
}
