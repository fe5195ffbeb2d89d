#pragma once

#include "platform/Fonts.h"
#include "print/SheetGeometry.h"

#include <QString>
#include <QStringList>

class IniFile;

// The default font for new text objects as the settings file holds it.
struct TDefaultFontValues {
    QString Name = QStringLiteral("Arial");
    int Size = 10; // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;

    bool operator==(const TDefaultFontValues &other) const = default;
};

// The "Printer" and "Default Font" sections of the settings file.
struct TPreferences {
    TSheetNudges Nudges;
    bool ShowBottomMarginWarning = true;
    TDefaultFontValues DefaultFont;

    bool operator==(const TPreferences &other) const = default;
};

// Reading and writing the preferences, the default font and the personal
// information in the settings file ("kvl.ini" in the program folder).
namespace Preferences {

TPreferences Read(const IniFile &ini);
// Keys in their fixed order: "ShowBottomMarginWarning", the font, the nudges.
void Write(IniFile &ini, const TPreferences &preferences);

TPreferences LoadPreferences();
// False when the settings file could not be written.
bool SavePreferences(const TPreferences &preferences);

// The stored name and size replace the font's; bold, italic and underline
// are set or cleared one by one, every other style (strike-out) is kept.
void ApplyDefaultFont(const TDefaultFontValues &values, TFont &font, int pixelsPerInch);
// What the settings file keeps of a font: strike-out is not stored.
TDefaultFontValues DefaultFontValues(const TFont &font, int pixelsPerInch);
// "Default Font: Arial, 10 pt , bold" for the Edit menu.
QString DefaultFontCaption(const TFont &font, int pixelsPerInch);

// "Smooth drawing" of the View menu, on unless switched off ("View" section).
bool ReadSmoothDrawing();
bool WriteSmoothDrawing(bool on);

// The ten "Personal" keys: Name, Company, Title, Address1-3, Phone1-2, Email, Fax.
QStringList PersonalInformationKeys();
QStringList ReadPersonalInformation();
bool WritePersonalInformation(const QStringList &values);

} // namespace Preferences
