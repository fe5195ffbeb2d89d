#pragma once

#include "platform/Colors.h"
#include "platform/Pen.h"

#include <QStringList>

// The pen round a SuperShape's figure or along a SuperText's letters. Each
// setter stores a changed value and says whether it did; a style that is
// no pen style is refused.
struct EffectOutline {
    TColor color = clBlack;
    TPenStyle style = psSolid;
    int width = 1;

    bool setColor(TColor value);
    bool setStyle(TPenStyle value);
    bool setWidth(int value);

    // The names documents store for the outline style.
    static QStringList styleNames();
};
