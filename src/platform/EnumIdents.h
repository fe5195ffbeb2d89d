#pragma once

#include <QString>
#include <array>
#include <optional>

// Enumerations that card documents store by identifier ("psSolid",
// "bsClear", ...): one table of names in declaration order per enumeration.
namespace EnumIdents {

template <std::size_t N>
QString name(const std::array<const char *, N> &names, int value)
{
    if (value < 0 || value >= int(N))
        return QString();
    return QString::fromLatin1(names[std::size_t(value)]);
}

// Letter case is ignored, as the component stream reader does.
template <std::size_t N>
std::optional<int> value(const std::array<const char *, N> &names, const QString &ident)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (ident.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return std::nullopt;
}

} // namespace EnumIdents
