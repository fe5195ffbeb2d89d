#include "effects/EffectOutline.h"

#include "design/ChangedValue.h"

bool EffectOutline::setColor(TColor value)
{
    return storeChanged(color, value);
}

bool EffectOutline::setStyle(TPenStyle value)
{
    return value >= psSolid && value <= psInsideFrame && storeChanged(style, value);
}

bool EffectOutline::setWidth(int value)
{
    return storeChanged(width, value);
}

QStringList EffectOutline::styleNames()
{
    QStringList names;
    for (int s = psSolid; s <= psInsideFrame; ++s)
        names << Pens::styleIdent(TPenStyle(s));
    return names;
}
