#pragma once

#include <QString>

// Application-wide routines: where the program keeps its files, message
// boxes and the busy cursor.

// The folder the program keeps its settings, clipboard file and document
// folders in, always ending with "/": the executable's folder for a build
// or portable copy (IsOwnProgramFolder), otherwise the per-user data folder
// (created). `karvello` and `karvello-tool` share it.
QString ProgramFolder();
// Whether a program run from `executableFolder` keeps its files there: the
// folder is the user's own (owned and writable by them), lies outside the
// system folders (/usr, /opt, /bin, /etc, ... even when root may write
// them) and is not an installed copy, which has its art in
// "../share/karvello" beside it.
bool IsOwnProgramFolder(const QString &executableFolder);
// The per-user data folder "Karvello" under $XDG_DATA_HOME
// (~/.local/share/Karvello), whatever the running program is called.
QString UserDataFolder();
// Replaces ProgramFolder() (tests); an empty string restores the default.
// A trailing "/" is added when missing.
void setProgramFolderOverride(const QString &folder);

// The settings file "kvl.ini" in the program folder. A file there whose name
// differs only in letter case ("KVL.INI") is the same file and is used.
QString SettingsFileName();

// Creates "saved", "bg", "bmbrush" and "kvlt" in the program folder; a folder
// that exists under another letter case is reused. Failures are ignored, as
// the program runs without them.
void ensureProgramFolders();

// The path of a sub-folder of the program folder (e.g. "saved"), using an
// existing folder of any letter case, ending with "/".
QString ProgramSubFolder(const QString &name);

// A question with Yes and No buttons; true for Yes.
bool Ask(const QString &text, const QString &caption);
// An information box with the caption "Information".
void Inform(const QString &text);

// The hourglass and back. Like the screen cursor they stand for, they do
// not count: a second BusyCursor changes nothing and one NormalCursor always
// returns to the normal cursor, so a missed call can never leave the
// hourglass stuck. Both do nothing without a QApplication.
void BusyCursor();
void NormalCursor();
bool isBusyCursor();

// The hourglass for the lifetime of the scope. Scopes nest: only the
// outermost one (the one that found the normal cursor) restores it.
class BusyCursorScope
{
public:
    BusyCursorScope() : m_restore(!isBusyCursor()) { BusyCursor(); }
    ~BusyCursorScope()
    {
        if (m_restore)
            NormalCursor();
    }
    BusyCursorScope(const BusyCursorScope &) = delete;
    BusyCursorScope &operator=(const BusyCursorScope &) = delete;

private:
    bool m_restore;
};
