#pragma once

#include <bitset>

// Which card positions of a sheet are printed, in row-major order (index =
// row x across + column). One flag for every position the layout dialog
// allows (10 across x 30 down), so that large layouts are fully selectable.
constexpr int MaxCardPositions = 300;
using TCardSelection = std::bitset<MaxCardPositions>;

inline TCardSelection AllCardsSelected()
{
    return TCardSelection().set();
}

// Whether any of the first `count` positions is selected.
inline bool AnyCardSelected(const TCardSelection &selection, int count)
{
    for (int i = 0; i < count && i < MaxCardPositions; ++i) {
        if (selection.test(i))
            return true;
    }
    return false;
}
