#include "design/SheetLayoutIni.h"

#include "platform/AppRoutines.h"
#include "platform/IniFile.h"

namespace SheetLayoutIni {
namespace {

const QString Section = QStringLiteral("Layout");

float readLength(const IniFile &ini, const char *key, float defaultInches)
{
    return static_cast<float>(ini.readInches(Section, QLatin1String(key), defaultInches));
}

} // namespace

QString PortraitKey(Store store)
{
    return store == Store::Settings ? QStringLiteral("Portrait") : QStringLiteral("UsePortrait");
}

void Write(IniFile &ini, const SheetLayoutSetting &stored, Store store)
{
    const SheetLayout &layout = stored.Layout;
    ini.writeInches(Section, QStringLiteral("Height"), layout.Height);
    ini.writeInches(Section, QStringLiteral("Width"), layout.Width);
    ini.writeInches(Section, QStringLiteral("TopMargin"), layout.TopMargin);
    ini.writeInches(Section, QStringLiteral("LeftMargin"), layout.LeftMargin);
    ini.writeInches(Section, QStringLiteral("HPitch"), layout.HPitch);
    ini.writeInches(Section, QStringLiteral("VPitch"), layout.VPitch);
    ini.writeInteger(Section, QStringLiteral("PredefLayout"), layout.PredefLayout);
    ini.writeInteger(Section, QStringLiteral("Papersize"), layout.Papersize);
    ini.writeInteger(Section, QStringLiteral("Across"), layout.Across);
    ini.writeInteger(Section, QStringLiteral("Down"), layout.Down);
    ini.writeBool(Section, QStringLiteral("UseMM"), stored.UseMM);
    ini.writeBool(Section, PortraitKey(store), layout.Portrait);
}

SheetLayoutSetting Read(const IniFile &ini, const SheetLayoutSetting &current, Store store)
{
    const SheetLayout defaults;
    SheetLayoutSetting stored;
    SheetLayout &layout = stored.Layout;
    layout.Height = readLength(ini, "Height", defaults.Height);
    layout.Width = readLength(ini, "Width", defaults.Width);
    layout.Across = ini.readInteger(Section, QStringLiteral("Across"), defaults.Across);
    layout.Down = ini.readInteger(Section, QStringLiteral("Down"), defaults.Down);
    layout.TopMargin = readLength(ini, "TopMargin", defaults.TopMargin);
    layout.LeftMargin = readLength(ini, "LeftMargin", defaults.LeftMargin);
    layout.HPitch = readLength(ini, "HPitch", defaults.HPitch);
    layout.VPitch = readLength(ini, "VPitch", defaults.VPitch);
    layout.PredefLayout = ini.readInteger(Section, QStringLiteral("PredefLayout"),
                                          defaults.PredefLayout);
    layout.Papersize = ini.readInteger(Section, QStringLiteral("Papersize"), defaults.Papersize);
    stored.UseMM = ini.readBool(Section, QStringLiteral("UseMM"), false);
    const bool portraitDefault = store == Store::Settings ? current.Layout.Portrait : false;
    layout.Portrait = ini.readBool(Section, PortraitKey(store), portraitDefault);
    // A layout the layout dialog would refuse is not taken over.
    return layout.WithinLimits() ? stored : current;
}

bool SaveLayoutPreferences(const SheetLayoutSetting &stored)
{
    IniFile ini(SettingsFileName());
    Write(ini, stored, Store::Settings);
    return ini.flush();
}

SheetLayoutSetting LoadLayoutPreferences(const SheetLayoutSetting &current)
{
    const IniFile ini(SettingsFileName());
    return Read(ini, current, Store::Settings);
}

bool SaveCurrentLayoutAsDefault(const SheetLayoutSetting &stored)
{
    if (!Ask(QStringLiteral("Save the current card layout as your default layout?"),
             QStringLiteral("Card Layout")))
        return false;
    if (SaveLayoutPreferences(stored))
        return true;
    Inform(QStringLiteral("Unable to save the default layout to ") + SettingsFileName());
    return false;
}

} // namespace SheetLayoutIni
