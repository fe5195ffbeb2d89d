#include "support/TempProgramFolder.h"

#include "platform/AppRoutines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempProgramFolder::TempProgramFolder()
{
    if (m_dir.isValid())
        setProgramFolderOverride(m_dir.path());
}

TempProgramFolder::~TempProgramFolder()
{
    setProgramFolderOverride(QString());
}

QString TempProgramFolder::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TempProgramFolder::filePath(const QString &relative) const
{
    return m_dir.filePath(relative);
}

bool TempProgramFolder::writeFile(const QString &relative, const QByteArray &contents) const
{
    const QString target = filePath(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile file(target);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

QByteArray TempProgramFolder::readFile(const QString &relative) const
{
    QFile file(filePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
