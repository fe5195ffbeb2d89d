#pragma once

#include <QStringList>

// The card panel's tools: the selection state and one drawing state per
// object kind.
enum TLPanelState {
    psPointing,
    psLabel,
    psSymbolLabel,
    psMultiLineLabel,
    psRectangle,
    psEllipse,
    psRoundRectangle,
    psLine,
    psImage,
    psSuperShape,
    psRichLabel,
    psSuperText,
    psCircleText,
    psQRCode,
};

// Outline shape of the card.
enum TLabelShapeType { lsRectangle, lsRoundRect, lsEllipse };

// Grid spacing: a dot every 4 or every 8 pixels.
enum TGridSize { gs4x4, gs8x8 };

inline QStringList panelStateNames()
{
    return {"psPointing", "psLabel", "psSymbolLabel", "psMultiLineLabel", "psRectangle",
            "psEllipse", "psRoundRectangle", "psLine", "psImage", "psSuperShape",
            "psRichLabel", "psSuperText", "psCircleText",
            "psQRCode"};
}

inline QStringList labelShapeTypeNames() { return {"lsRectangle", "lsRoundRect", "lsEllipse"}; }
inline QStringList gridSizeNames() { return {"gs4x4", "gs8x8"}; }
