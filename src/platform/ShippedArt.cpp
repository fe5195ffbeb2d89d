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
    if (!QCoreApplication::instance())
        return QString();
    // No source or build path is compiled in: a build finds the source
    // tree's art through the link the build writes beside its programs.
    const QString programs = QCoreApplication::applicationDirPath();
    const QStringList candidates{programs + QStringLiteral("/../share/karvello/art"),
                                 programs + QStringLiteral("/shipped-art")};
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
