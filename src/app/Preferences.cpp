#include "app/Preferences.h"

#include "platform/AppRoutines.h"
#include "platform/IniFile.h"

namespace Preferences {
namespace {

const QString PrinterSection = QStringLiteral("Printer");
const QString FontSection = QStringLiteral("Default Font");
const QString PersonalSection = QStringLiteral("Personal");
const QString ViewSection = QStringLiteral("View");
const QString SmoothDrawingKey = QStringLiteral("SmoothDrawing");

void setStyle(TFont &font, TFontStyle style, bool on)
{
    font.style = on ? (font.style | style) : (font.style & ~unsigned(style));
}

} // namespace

TPreferences Read(const IniFile &ini)
{
    const TPreferences defaults;
    TPreferences p;
    TSheetNudges &n = p.Nudges;
    n.TopMarginNudge = ini.readInteger(PrinterSection, QStringLiteral("TopMarginNudge"), 0);
    n.LeftMarginNudge = ini.readInteger(PrinterSection, QStringLiteral("LeftMarginNudge"), 0);
    n.VerticalSpacing = ini.readInteger(PrinterSection, QStringLiteral("VerticalSpacing"), 0);
    n.HorizontalSpacing = ini.readInteger(PrinterSection, QStringLiteral("HorizontalSpacing"), 0);
    p.ShowBottomMarginWarning =
        ini.readBool(PrinterSection, QStringLiteral("ShowBottomMarginWarning"), true);
    TDefaultFontValues &f = p.DefaultFont;
    f.Name = ini.readString(FontSection, QStringLiteral("Name"), defaults.DefaultFont.Name);
    f.Size = ini.readInteger(FontSection, QStringLiteral("Size"), defaults.DefaultFont.Size);
    f.Bold = ini.readBool(FontSection, QStringLiteral("Bold"), false);
    f.Italic = ini.readBool(FontSection, QStringLiteral("Italic"), false);
    f.Underline = ini.readBool(FontSection, QStringLiteral("Underline"), false);
    return p;
}

void Write(IniFile &ini, const TPreferences &p)
{
    ini.writeBool(PrinterSection, QStringLiteral("ShowBottomMarginWarning"),
                  p.ShowBottomMarginWarning);
    const TDefaultFontValues &f = p.DefaultFont;
    ini.writeString(FontSection, QStringLiteral("Name"), f.Name);
    ini.writeInteger(FontSection, QStringLiteral("Size"), f.Size);
    ini.writeBool(FontSection, QStringLiteral("Bold"), f.Bold);
    ini.writeBool(FontSection, QStringLiteral("Italic"), f.Italic);
    ini.writeBool(FontSection, QStringLiteral("Underline"), f.Underline);
    const TSheetNudges &n = p.Nudges;
    ini.writeInteger(PrinterSection, QStringLiteral("TopMarginNudge"), n.TopMarginNudge);
    ini.writeInteger(PrinterSection, QStringLiteral("LeftMarginNudge"), n.LeftMarginNudge);
    ini.writeInteger(PrinterSection, QStringLiteral("VerticalSpacing"), n.VerticalSpacing);
    ini.writeInteger(PrinterSection, QStringLiteral("HorizontalSpacing"), n.HorizontalSpacing);
}

TPreferences LoadPreferences()
{
    const IniFile ini(SettingsFileName());
    return Read(ini);
}

bool SavePreferences(const TPreferences &preferences)
{
    IniFile ini(SettingsFileName());
    Write(ini, preferences);
    return ini.flush();
}

void ApplyDefaultFont(const TDefaultFontValues &values, TFont &font, int pixelsPerInch)
{
    font.name = values.Name;
    font.setSize(values.Size, pixelsPerInch);
    setStyle(font, fsBold, values.Bold);
    setStyle(font, fsItalic, values.Italic);
    setStyle(font, fsUnderline, values.Underline);
}

TDefaultFontValues DefaultFontValues(const TFont &font, int pixelsPerInch)
{
    TDefaultFontValues values;
    values.Name = font.name;
    values.Size = font.size(pixelsPerInch);
    values.Bold = font.style & fsBold;
    values.Italic = font.style & fsItalic;
    values.Underline = font.style & fsUnderline;
    return values;
}

QString DefaultFontCaption(const TFont &font, int pixelsPerInch)
{
    QString caption = QStringLiteral("Default Font: %1, %2 pt ")
                          .arg(font.name)
                          .arg(font.size(pixelsPerInch));
    if (font.style & fsBold)
        caption += QStringLiteral(", bold");
    if (font.style & fsItalic)
        caption += QStringLiteral(", italic");
    if (font.style & fsUnderline)
        caption += QStringLiteral(", underline");
    return caption;
}

bool ReadSmoothDrawing()
{
    const IniFile ini(SettingsFileName());
    return ini.readBool(ViewSection, SmoothDrawingKey, true);
}

bool WriteSmoothDrawing(bool on)
{
    IniFile ini(SettingsFileName());
    ini.writeBool(ViewSection, SmoothDrawingKey, on);
    return ini.flush();
}

QStringList PersonalInformationKeys()
{
    return {QStringLiteral("Name"),     QStringLiteral("Company"),  QStringLiteral("Title"),
            QStringLiteral("Address1"), QStringLiteral("Address2"), QStringLiteral("Address3"),
            QStringLiteral("Phone1"),   QStringLiteral("Phone2"),   QStringLiteral("Email"),
            QStringLiteral("Fax")};
}

QStringList ReadPersonalInformation()
{
    const IniFile ini(SettingsFileName());
    QStringList values;
    for (const QString &key : PersonalInformationKeys())
        values << ini.readString(PersonalSection, key);
    return values;
}

bool WritePersonalInformation(const QStringList &values)
{
    IniFile ini(SettingsFileName());
    const QStringList keys = PersonalInformationKeys();
    for (int i = 0; i < keys.size(); ++i)
        ini.writeString(PersonalSection, keys[i], values.value(i));
    return ini.flush();
}

} // namespace Preferences
