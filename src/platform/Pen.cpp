#include "platform/Pen.h"

#include "platform/EnumIdents.h"

namespace {

constexpr std::array<const char *, 7> styleNames = {
    "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"};

constexpr std::array<const char *, 16> modeNames = {
    "pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot", "pmMaskPenNot",
    "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"};

} // namespace

namespace Pens {

QString styleIdent(TPenStyle style) { return EnumIdents::name(styleNames, style); }

std::optional<TPenStyle> identToStyle(const QString &ident)
{
    if (auto v = EnumIdents::value(styleNames, ident))
        return TPenStyle(*v);
    return std::nullopt;
}

QString modeIdent(TPenMode mode) { return EnumIdents::name(modeNames, mode); }

std::optional<TPenMode> identToMode(const QString &ident)
{
    if (auto v = EnumIdents::value(modeNames, ident))
        return TPenMode(*v);
    return std::nullopt;
}

} // namespace Pens
