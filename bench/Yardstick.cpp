#include "Yardstick.h"

#include "design/TGBusinessCardPanel32.h"
#include "objects/TGBaseLabel.h"
#include "objects/TGLabelShapes.h"
#include "objects/TGLineShape.h"
#include "platform/Colors.h"
#include "platform/Fonts.h"
#include "platform/ScreenMetrics.h"

#include <QPainter>

namespace {

void drawLabel(QPainter &painter, const TGBaseLabel &label)
{
    const TFont font = label.ZoomedFont();
    painter.setFont(Fonts::toQFont(font, ScreenMetrics::pixelsPerInch()));
    const QRect r = label.BoundsRect();
    // Shadow, highlight, then the text itself: three runs of the same text.
    painter.setPen(Colors::toQColor(label.colorShadow()));
    painter.drawText(r.translated(label.DepthShadow(), label.DepthShadow()), Qt::AlignLeft | Qt::AlignTop, label.Caption());
    painter.setPen(Colors::toQColor(label.colorHighlight()));
    painter.drawText(r.translated(-label.DepthHighlight(), -label.DepthHighlight()), Qt::AlignLeft | Qt::AlignTop, label.Caption());
    painter.setPen(Colors::toQColor(font.color));
    painter.drawText(r, Qt::AlignLeft | Qt::AlignTop, label.Caption());
}

void drawShape(QPainter &painter, const TGLabelShapes &shape)
{
    painter.setPen(QPen(Colors::toQColor(shape.Pen().color), shape.Pen().width));
    painter.setBrush(Colors::toQColor(shape.Brush().color));
    const QRect r = shape.BoundsRect().adjusted(0, 0, -1, -1);
    if (shape.Shape() == stEllipse)
        painter.drawEllipse(r);
    else if (shape.Shape() == stRoundRect)
        painter.drawRoundedRect(r, shape.RoundPerc(), shape.RoundPerc(), Qt::RelativeSize);
    else
        painter.drawRect(r);
}

void drawLine(QPainter &painter, const TGLineShape &line)
{
    painter.setPen(QPen(Colors::toQColor(line.Pen().color), line.Pen().width));
    const QRect r = line.BoundsRect();
    if (line.LineStyle() == stVertical)
        painter.drawLine(r.center().x(), r.top(), r.center().x(), r.bottom());
    else
        painter.drawLine(r.left(), r.center().y(), r.right(), r.center().y());
}

} // namespace

void paintYardstick(const TGBusinessCardPanel32 &panel, QImage &image, bool smooth)
{
    if (image.size() != panel.size())
        image = QImage(panel.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.fillRect(image.rect(), Qt::white);
    for (const TGGraphicControl *object : panel.Objects()) {
        if (auto *label = qobject_cast<const TGBaseLabel *>(object))
            drawLabel(painter, *label);
        else if (auto *shape = qobject_cast<const TGLabelShapes *>(object))
            drawShape(painter, *shape);
        else if (auto *line = qobject_cast<const TGLineShape *>(object))
            drawLine(painter, *line);
    }
}
