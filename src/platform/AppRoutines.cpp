#include "platform/AppRoutines.h"

#include "platform/CaseInsensitivePath.h"
#include "platform/UserDialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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

bool isWritableFolder(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

QString defaultProgramFolder()
{
    if (QCoreApplication::instance()) {
        const QString executableFolder = QCoreApplication::applicationDirPath();
        if (isWritableFolder(executableFolder))
            return executableFolder;
    }
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (data.isEmpty())
        data = QDir::homePath() + QStringLiteral("/.karvello");
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
