#pragma once

#include "platform/Colors.h"

#include <QString>
#include <optional>

// Pen styles and mixing modes in the platform's declaration order; card
// documents store them by identifier and some dialogs list them by ordinal.
enum TPenStyle : int {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame,
};

// How a pen pixel P combines with the destination pixel D.
enum TPenMode : int {
    pmBlack,       // 0
    pmWhite,       // 1
    pmNop,         // D
    pmNot,         // ~D
    pmCopy,        // P
    pmNotCopy,     // ~P
    pmMergePenNot, // P | ~D
    pmMaskPenNot,  // P & ~D
    pmMergeNotPen, // ~P | D
    pmMaskNotPen,  // ~P & D
    pmMerge,       // P | D
    pmNotMerge,    // ~(P | D)
    pmMask,        // P & D
    pmNotMask,     // ~(P & D)
    pmXor,         // P ^ D
    pmNotXor,      // ~(P ^ D)
};

// A pen as design objects store it. Width is in pixels; 0 draws one pixel.
struct TPen {
    TColor color = clBlack;
    int width = 1;
    TPenStyle style = psSolid;
    TPenMode mode = pmCopy;

    bool operator==(const TPen &other) const = default;
};

namespace Pens {

QString styleIdent(TPenStyle style);
std::optional<TPenStyle> identToStyle(const QString &ident);
QString modeIdent(TPenMode mode);
std::optional<TPenMode> identToMode(const QString &ident);

} // namespace Pens
