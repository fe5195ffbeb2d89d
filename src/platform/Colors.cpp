#include "platform/Colors.h"

#include <array>

namespace {

struct NamedColor {
    TColor value;
    const char *name;
};

// The names colour text uses, in the order the platform's table lists them.
// clLtGray and clDkGray are aliases without a name of their own.
constexpr std::array<NamedColor, 52> namedColors{{
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"}, {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"}, {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"}, {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"}, {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"}, {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"}, {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"}, {clMenu, "clMenu"}, {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"}, {clMenuText, "clMenuText"}, {clNone, "clNone"},
    {clScrollBar, "clScrollBar"}, {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"}, {clWindowText, "clWindowText"},
}};

// The usual RGB of each system colour index (the platform's default scheme).
constexpr std::array<TColor, 31> systemRgb{{
    rgbColor(200, 200, 200), // scroll bar
    rgbColor(0, 0, 0),       // desktop background
    rgbColor(153, 180, 209), // active caption
    rgbColor(191, 205, 219), // inactive caption
    rgbColor(240, 240, 240), // menu
    rgbColor(255, 255, 255), // window
    rgbColor(100, 100, 100), // window frame
    rgbColor(0, 0, 0),       // menu text
    rgbColor(0, 0, 0),       // window text
    rgbColor(0, 0, 0),       // caption text
    rgbColor(180, 180, 180), // active border
    rgbColor(244, 247, 252), // inactive border
    rgbColor(171, 171, 171), // application workspace
    rgbColor(0, 120, 215),   // highlight
    rgbColor(255, 255, 255), // highlight text
    rgbColor(240, 240, 240), // button face
    rgbColor(160, 160, 160), // button shadow
    rgbColor(109, 109, 109), // grey text
    rgbColor(0, 0, 0),       // button text
    rgbColor(0, 0, 0),       // inactive caption text
    rgbColor(255, 255, 255), // button highlight
    rgbColor(105, 105, 105), // 3D dark shadow
    rgbColor(227, 227, 227), // 3D light
    rgbColor(0, 0, 0),       // info text
    rgbColor(255, 255, 225), // info background
    rgbColor(0, 0, 0),       // (unused index 25)
    rgbColor(0, 102, 204),   // hot light
    rgbColor(185, 209, 234), // gradient active caption
    rgbColor(215, 228, 242), // gradient inactive caption
    rgbColor(51, 153, 255),  // menu highlight
    rgbColor(240, 240, 240), // menu bar
}};

} // namespace

namespace Colors {

bool isSystemColor(TColor color)
{
    return (std::uint32_t(color) & 0xFF000000u) == 0x80000000u;
}

TColor resolve(TColor color)
{
    if (isSystemColor(color)) {
        const unsigned index = std::uint32_t(color) & 0xFFu;
        return index < systemRgb.size() ? systemRgb[index] : clBlack;
    }
    if (color == clNone)
        return clWhite;
    if (color == clDefault)
        return clBlack;
    return color & 0x00FFFFFF;
}

QColor toQColor(TColor color)
{
    const TColor rgb = resolve(color);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

TColor fromQColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return rgbColor(rgb.red(), rgb.green(), rgb.blue());
}

std::optional<QString> colorToIdent(TColor color)
{
    for (const NamedColor &named : namedColors)
        if (named.value == color)
            return QString::fromLatin1(named.name);
    return std::nullopt;
}

std::optional<TColor> identToColor(const QString &ident)
{
    for (const NamedColor &named : namedColors)
        if (ident.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.value;
    return std::nullopt;
}

QString colorToString(TColor color)
{
    if (auto name = colorToIdent(color))
        return *name;
    return QStringLiteral("$%1").arg(std::uint32_t(color), 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<TColor> stringToColor(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (auto named = identToColor(trimmed))
        return named;
    bool ok = false;
    qint64 value = 0;
    if (trimmed.startsWith(QLatin1Char('$')))
        value = trimmed.mid(1).toLongLong(&ok, 16);
    else if (trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = trimmed.mid(2).toLongLong(&ok, 16);
    else
        value = trimmed.toLongLong(&ok, 10);
    if (!ok || value < INT32_MIN || value > UINT32_MAX)
        return std::nullopt;
    return TColor(std::uint32_t(value));
}

} // namespace Colors
