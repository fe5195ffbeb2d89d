#pragma once

// Property setters leave an unchanged value alone: this stores `value` in
// `field` only when it differs and says whether it did.
template <class T, class V> bool storeChanged(T &field, const V &value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}
