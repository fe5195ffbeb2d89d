#pragma once

// Making and rendering circular texts for the circular-text tests.

#include "design/TGBusinessCardPanel32.h"
#include "objects/TGPCircleText.h"
#include "platform/Fonts.h"

#include <QImage>
#include <QPainter>
#include <QPointF>

namespace CircleTextSupport {

inline TFont arial(int points)
{
    TFont font;
    font.name = QStringLiteral("Arial");
    font.setSize(points, 96);
    font.style = fsBold;
    font.color = clBlack;
    return font;
}

inline void setUp(TGPCircleText &t, QSize size, const QString &caption, TDegrees degrees, TDegrees start,
                  int points = 20)
{
    t.SetBounds(0, 0, size.width(), size.height());
    t.SetCaption(caption);
    t.SetDegrees(degrees);
    t.SetStartingVector(start);
    t.SetFont(arial(points));
}

// A circular text on a card panel, as the tool leaves it (menu built).
inline TGPCircleText *addCircleText(TGBusinessCardPanel32 &panel, QRect r)
{
    auto *t = new TGPCircleText(&panel);
    t->Loaded();
    panel.PlaceObject(t, r);
    return t;
}

// The object painted on white, one image pixel per object pixel.
inline QImage render(TGPCircleText &t)
{
    QImage image(t.Width(), t.Height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    t.PaintTo(painter);
    return image;
}

// Dark pixels and their centre of gravity inside `area`.
struct Ink {
    int count = 0;
    QPointF centre;
};

inline Ink inkIn(const QImage &image, QRect area = QRect())
{
    if (!area.isValid())
        area = image.rect();
    area &= image.rect();
    Ink ink;
    double sx = 0, sy = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                ++ink.count;
                sx += x + 0.5;
                sy += y + 0.5;
            }
    if (ink.count)
        ink.centre = QPointF(sx / ink.count, sy / ink.count);
    return ink;
}

} // namespace CircleTextSupport
