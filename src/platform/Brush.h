#pragma once

#include "platform/Colors.h"

#include <QImage>
#include <QString>
#include <optional>

enum TBrushStyle : int {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross,
};

// A brush as design objects store it. A non-null `bitmap` (8 x 8 pixels) makes
// it a pattern brush: the pattern is tiled from the canvas origin and takes
// the place of colour and style when filling.
struct TBrush {
    TColor color = clWhite;
    TBrushStyle style = bsSolid;
    QImage bitmap;

    bool hasPattern() const { return !bitmap.isNull(); }
    bool operator==(const TBrush &other) const = default;
};

namespace Brushes {

QString styleIdent(TBrushStyle style);
std::optional<TBrushStyle> identToStyle(const QString &ident);

// The 8 x 8 pattern the platform uses for a hatch style: `color` on the hatch
// lines, transparent between them. Null for bsSolid and bsClear.
QImage hatchPattern(TBrushStyle style, TColor color);

} // namespace Brushes
