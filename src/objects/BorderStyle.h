#pragma once

#include <QStringList>

// The frame style of labels and pictures: none, or a black one-pixel frame.
enum TBorderStyle { bsNone, bsSingle };
inline QStringList borderStyleNames()
{
    return {"bsNone", "bsSingle"};
}
