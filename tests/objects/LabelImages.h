#pragma once

// Rendering labels into images for the label tests.

#include "objects/TGBaseLabel.h"
#include "platform/Canvas.h"

#include <QImage>

namespace LabelImages {

// The label painted on white, one image pixel per label pixel.
inline QImage render(TGBaseLabel &label, QSize size = QSize())
{
    label.RecalcLayout();
    QImage image(size.isValid() ? size : QSize(label.Width(), label.Height()), QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    label.PaintTo(canvas);
    return image;
}

// The box around the pixels of exactly this colour (empty when none).
inline QRect inkOf(const QImage &image, TColor color)
{
    const QRgb wanted = Colors::toQColor(color).rgb();
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == wanted)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The box around everything that is not white.
inline QRect anyInk(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace LabelImages
