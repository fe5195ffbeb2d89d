#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <optional>

// Colour values as card documents and settings files hold them: 32 bits in
// $00BBGGRR order. Values with the top bit set name a system colour
// (0x80000000 | index); clNone and clDefault are the two special values.
using TColor = std::int32_t;

constexpr TColor rgbColor(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = clSilver;
constexpr TColor clDkGray = clGray;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor systemColor(int index) { return TColor(0x80000000u | unsigned(index)); }
constexpr TColor clScrollBar = systemColor(0);
constexpr TColor clBackground = systemColor(1);
constexpr TColor clActiveCaption = systemColor(2);
constexpr TColor clInactiveCaption = systemColor(3);
constexpr TColor clMenu = systemColor(4);
constexpr TColor clWindow = systemColor(5);
constexpr TColor clWindowFrame = systemColor(6);
constexpr TColor clMenuText = systemColor(7);
constexpr TColor clWindowText = systemColor(8);
constexpr TColor clCaptionText = systemColor(9);
constexpr TColor clActiveBorder = systemColor(10);
constexpr TColor clInactiveBorder = systemColor(11);
constexpr TColor clAppWorkSpace = systemColor(12);
constexpr TColor clHighlight = systemColor(13);
constexpr TColor clHighlightText = systemColor(14);
constexpr TColor clBtnFace = systemColor(15);
constexpr TColor clBtnShadow = systemColor(16);
constexpr TColor clGrayText = systemColor(17);
constexpr TColor clBtnText = systemColor(18);
constexpr TColor clInactiveCaptionText = systemColor(19);
constexpr TColor clBtnHighlight = systemColor(20);
constexpr TColor cl3DDkShadow = systemColor(21);
constexpr TColor cl3DLight = systemColor(22);
constexpr TColor clInfoText = systemColor(23);
constexpr TColor clInfoBk = systemColor(24);
constexpr TColor clHotLight = systemColor(26);
constexpr TColor clGradientActiveCaption = systemColor(27);
constexpr TColor clGradientInactiveCaption = systemColor(28);
constexpr TColor clMenuHighlight = systemColor(29);
constexpr TColor clMenuBar = systemColor(30);

namespace Colors {

bool isSystemColor(TColor color);

// The RGB value a colour stands for: system colours resolve to their usual
// RGB, everything else keeps its low 24 bits. clNone and clDefault resolve to
// white and black respectively (callers that care test for them first).
TColor resolve(TColor color);

QColor toQColor(TColor color);
TColor fromQColor(const QColor &color);

// "clBlack", "clBtnFace", ... for values that have a name; none otherwise.
std::optional<QString> colorToIdent(TColor color);
// The value for a colour name (letter case ignored); none for unknown names.
std::optional<TColor> identToColor(const QString &ident);

// Colour text: the name when there is one, otherwise "$" + 8 hex digits.
QString colorToString(TColor color);
// Reads colour text: a name, "$" hex or a decimal number. None when the text
// is neither.
std::optional<TColor> stringToColor(const QString &text);

} // namespace Colors
