#include "platform/AppRoutines.h"

#include "platform/CaseInsensitivePath.h"
#include "platform/UserDialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace {

QString &programFolderOverride()
{
    static QString folder;
    return folder;
}

QString withSlash(const QString &folder)
{
    QString result = QDir::fromNativeSeparators(folder);
    if (!result.endsWith(QLatin1Char('/')))
        result += QLatin1Char('/');
    return result;
}

// Folders that belong to the system, whoever may write them.
bool isSystemFolder(const QString &canonical)
{
    if (canonical == QLatin1String("/"))
        return true;
    static const char *const roots[] = {"/usr", "/opt", "/bin", "/sbin", "/lib", "/lib32", "/lib64",
                                        "/libx32", "/etc", "/var", "/boot", "/snap", "/app"};
    for (const char *root : roots) {
        const QString prefix = QString::fromLatin1(root);
        if (canonical == prefix || canonical.startsWith(prefix + QLatin1Char('/')))
            return true;
    }
    return false;
}

QString defaultProgramFolder()
{
    if (QCoreApplication::instance()) {
        const QString executableFolder = QCoreApplication::applicationDirPath();
        if (IsOwnProgramFolder(executableFolder))
            return executableFolder;
    }
    const QString data = UserDataFolder();
    QDir().mkpath(data);
    return data;
}

// Whether this module's hourglass is on the application's override stack.
bool busy = false;

bool haveGuiApplication()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

} // namespace

bool IsOwnProgramFolder(const QString &executableFolder)
{
    const QFileInfo info(executableFolder);
    if (!info.isDir() || !info.isWritable() || info.ownerId() != ::geteuid())
        return false;
    const QString canonical = info.canonicalFilePath();
    if (isSystemFolder(canonical))
        return false;
    return !QFileInfo(canonical + QStringLiteral("/../share/karvello")).isDir();
}

QString UserDataFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return QDir::homePath() + QStringLiteral("/.karvello");
    return data + QStringLiteral("/Karvello");
}

QString ProgramFolder()
{
    if (!programFolderOverride().isEmpty())
        return programFolderOverride();
    static const QString folder = withSlash(defaultProgramFolder());
    return folder;
}

void setProgramFolderOverride(const QString &folder)
{
    programFolderOverride() = folder.isEmpty() ? QString() : withSlash(folder);
}

QString SettingsFileName()
{
    const QString folder = ProgramFolder();
    const QString existing = CaseInsensitivePath::findEntry(folder, QStringLiteral("kvl.ini"));
    return existing.isEmpty() ? folder + QStringLiteral("kvl.ini") : existing;
}

QString ProgramSubFolder(const QString &name)
{
    return withSlash(CaseInsensitivePath::resolve(ProgramFolder(), name));
}

void ensureProgramFolders()
{
    for (const char *name : {"bmbrush", "saved", "bg", "kvlt"})
        QDir().mkpath(ProgramSubFolder(QString::fromLatin1(name)));
}

bool Ask(const QString &text, const QString &caption)
{
    return UserDialogs::current().ask(text, caption);
}

void Inform(const QString &text)
{
    UserDialogs::current().inform(text);
}

void BusyCursor()
{
    if (busy || !haveGuiApplication())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    busy = true;
}

void NormalCursor()
{
    if (!busy || !haveGuiApplication())
        return;
    QApplication::restoreOverrideCursor();
    busy = false;
}

bool isBusyCursor()
{
    return busy;
}
