#include "design/SheetLayout.h"

#include "platform/Numbers.h"
#include "platform/ScreenMetrics.h"

QSize SheetLayout::CardPixelSize(bool portrait, int pixelsPerInch, float zoom) const
{
    const double across = portrait ? Height : Width;
    const double down = portrait ? Width : Height;
    QSize size(Numbers::roundHalfEven(pixelsPerInch * across),
               Numbers::roundHalfEven(pixelsPerInch * down));
    if (zoom != 1.0f) {
        const double factor = zoom;
        size = QSize(Numbers::roundHalfEven(size.width() * factor),
                     Numbers::roundHalfEven(size.height() * factor));
    }
    return size;
}

QSize SheetLayout::CardPixelSize(bool portrait, float zoom) const
{
    return CardPixelSize(portrait, ScreenMetrics::pixelsPerInch(), zoom);
}

bool SheetLayout::WithinLimits() const
{
    const auto length = [](float inches) { return inches >= 0.0f && inches <= MaxLength; };
    return Height >= MinHeight && Height <= MaxCardSide && Width >= MinWidth && Width <= MaxCardSide
        && Across >= 1 && Across <= MaxAcross && Down >= 1 && Down <= MaxDown
        && length(TopMargin) && length(LeftMargin) && length(HPitch) && length(VPitch)
        && PredefLayout >= 0 && PredefLayout < StockCount;
}
