#include "platform/Brush.h"

#include "platform/EnumIdents.h"

#include <cstdint>

namespace {

constexpr std::array<const char *, 8> styleNames = {
    "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"};

// The platform's hatch bitmaps, one byte per row, most significant bit on the
// left, in the order bsHorizontal .. bsDiagCross.
constexpr std::uint8_t hatchRows[6][8] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff},
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0xff},
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},
};

} // namespace

namespace Brushes {

QString styleIdent(TBrushStyle style) { return EnumIdents::name(styleNames, style); }

std::optional<TBrushStyle> identToStyle(const QString &ident)
{
    if (auto v = EnumIdents::value(styleNames, ident))
        return TBrushStyle(*v);
    return std::nullopt;
}

QImage hatchPattern(TBrushStyle style, TColor color)
{
    if (style < bsHorizontal || style > bsDiagCross)
        return QImage();
    QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QRgb ink = Colors::toQColor(color).rgb();
    const auto &rows = hatchRows[style - bsHorizontal];
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            if (rows[y] & (0x80 >> x))
                image.setPixel(x, y, ink);
        }
    }
    return image;
}

} // namespace Brushes
