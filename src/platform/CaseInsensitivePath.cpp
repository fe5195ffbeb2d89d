#include "platform/CaseInsensitivePath.h"

#include <QDir>
#include <QFileInfo>

namespace CaseInsensitivePath {

namespace {

// Documents written on Windows separate folders with "\"; it is read as "/".
QString slashes(const QString &path)
{
    QString result = path;
    return result.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QStringList parts(const QString &relativePath)
{
    return slashes(relativePath).split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

} // namespace

QString findEntry(const QString &folder, const QString &name)
{
    if (name.isEmpty() || folder.isEmpty())
        return QString();
    const QDir dir(folder);
    if (QFileInfo::exists(dir.filePath(name)))
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                              | QDir::NoDotAndDotDot);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return QString();
}

QString findPath(const QString &folder, const QString &relativePath)
{
    QString current = folder;
    const QStringList names = parts(relativePath);
    if (names.isEmpty())
        return QString();
    for (const QString &name : names) {
        current = findEntry(current, name);
        if (current.isEmpty())
            return QString();
    }
    return current;
}

QString resolve(const QString &folder, const QString &relativePath)
{
    QString current = QDir::cleanPath(folder);
    bool matching = true;
    for (const QString &name : parts(relativePath)) {
        const QString found = matching ? findEntry(current, name) : QString();
        if (found.isEmpty()) {
            matching = false;
            current = QDir(current).filePath(name);
        } else {
            current = found;
        }
    }
    return current;
}

QString findExisting(const QString &path)
{
    if (path.isEmpty())
        return QString();
    const QString clean = QDir::cleanPath(slashes(path));
    if (QFileInfo::exists(clean))
        return clean;
    const QFileInfo info(clean);
    const QString folder = info.path();
    const QString existingFolder = QFileInfo::exists(folder) ? folder : findExisting(folder);
    if (existingFolder.isEmpty() || existingFolder == clean)
        return QString();
    return findEntry(existingFolder, info.fileName());
}

QString fileNamePart(const QString &path)
{
    const QString plain = slashes(path);
    return plain.mid(plain.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace CaseInsensitivePath
