#pragma once

#include <QPolygon>
#include <QPainterPath>
#include <QRegion>

// Clipping regions with the same pixels as the canvas's filled shapes: each
// (l, t, r, b) covers columns l..r-1 and rows t..b-1.
namespace CanvasRegions {

QRegion rect(int l, int t, int r, int b);
QRegion ellipse(int l, int t, int r, int b);
QRegion roundRect(int l, int t, int r, int b, int cornerW, int cornerH);
// Vertices on pixel corners; interior pixels are those whose centres lie
// inside. Clipping polygons use the winding rule.
QRegion polygon(const QPolygon &points, Qt::FillRule rule = Qt::WindingFill);
// The pixels whose centres lie inside the path (its own fill rule).
QRegion fromPath(const QPainterPath &path);

} // namespace CanvasRegions
