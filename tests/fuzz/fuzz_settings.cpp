// The settings file "kvl.ini": everything the program reads from it at
// start-up (preferences, default font and layout, personal information,
// recent files, window placement), written back and read again; the second
// reading must find what the first one did.

#include "FuzzSupport.h"

#include "app/Preferences.h"
#include "app/TMRUFileList.h"
#include "design/SheetLayoutIni.h"
#include "platform/AppRoutines.h"
#include "platform/FormPlacement.h"
#include "platform/IniFile.h"

#include <QMenu>
#include <QWidget>

namespace {

struct Settings {
    TPreferences preferences;
    SheetLayoutSetting layout;
    QStringList personal;
    QStringList recent;

    bool operator==(const Settings &other) const = default;
};

QStringList oneLine(QStringList values)
{
    for (QString &value : values)
        value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return values;
}

TMRUFileList &recentFiles()
{
    static QMenu *menu = new QMenu;
    static TMRUFileList *list = new TMRUFileList(menu, SettingsFileName(), QStringLiteral("MRU"));
    return *list;
}

Settings readSettings()
{
    Settings s;
    {
        const IniFile ini(SettingsFileName());
        s.preferences = Preferences::Read(ini);
        s.layout = SheetLayoutIni::Read(ini, SheetLayoutSetting(), SheetLayoutIni::Store::Settings);
    }
    s.personal = oneLine(Preferences::ReadPersonalInformation());
    recentFiles().Load();
    s.recent = oneLine(recentFiles().Items());
    s.preferences.DefaultFont.Name.replace(QLatin1Char('\r'), QLatin1Char(' '));
    static QWidget *form = new QWidget;
    form->setWindowState(Qt::WindowNoState);
    RestoreFormPlacement(*form);
    return s;
}

bool writeSettings(const Settings &s)
{
    IniFile ini(SettingsFileName());
    Preferences::Write(ini, s.preferences);
    SheetLayoutIni::Write(ini, s.layout, SheetLayoutIni::Store::Settings);
    return ini.flush() && Preferences::WritePersonalInformation(s.personal) && recentFiles().Save();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::start();
    const QByteArray input = FuzzSupport::bytes(data, size);
    FuzzSupport::writeScratch(QStringLiteral("kvl.ini"), input);
    const Settings first = readSettings();
    TFont font;
    Preferences::ApplyDefaultFont(first.preferences.DefaultFont, font, 96);
    (void)Preferences::DefaultFontCaption(font, 96);
    if (!writeSettings(first))
        return 0; // a file refused as unreadable is not overwritten
    const Settings second = readSettings();
    if (!(first == second))
        FuzzSupport::fail("settings written back read differently", input + "\n----\n"
                          + FuzzSupport::readScratch(QStringLiteral("kvl.ini")));
    FuzzSupport::settle();
    return 0;
}
