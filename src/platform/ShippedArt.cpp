#include "platform/ShippedArt.h"

#include "platform/AppRoutines.h"
#include "platform/CaseInsensitivePath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

QStringList ShippedArtFolders()
{
    return {QStringLiteral("kvlt"), QStringLiteral("bg"), QStringLiteral("bmbrush"),
            QStringLiteral("clipart")};
}

QString ShippedArtFolder()
{
    QStringList candidates;
    if (QCoreApplication::instance())
        candidates << QCoreApplication::applicationDirPath() + QStringLiteral("/../share/karvello/art");
#ifdef KARVELLO_SOURCE_ART_DIR
    candidates << QStringLiteral(KARVELLO_SOURCE_ART_DIR);
#endif
    for (const QString &folder : candidates) {
        if (QFileInfo(folder + QStringLiteral("/kvlt")).isDir())
            return QDir::cleanPath(folder);
    }
    return QString();
}

int InstallShippedArt(const QString &from)
{
    if (from.isEmpty())
        return 0;
    int copied = 0;
    for (const QString &name : ShippedArtFolders()) {
        const QDir source(from + QLatin1Char('/') + name);
        if (!source.exists())
            continue;
        const QString target = ProgramSubFolder(name);
        if (!QDir().mkpath(target))
            continue;
        const QStringList files = source.entryList(QDir::Files | QDir::Readable, QDir::Name);
        for (const QString &file : files) {
            if (!CaseInsensitivePath::findEntry(target, file).isEmpty())
                continue;
            const QString copy = target + file;
            if (QFile::copy(source.filePath(file), copy)) {
                // The shipped files are read-only; the user's copies are not.
                QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner);
                ++copied;
            }
        }
    }
    return copied;
}
