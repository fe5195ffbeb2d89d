#include "support/ProgramCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ProgramCopy {

QString Make(const QString &programFolder, const QString &runtimeFolder, bool *built)
{
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder));
    const QString program = qEnvironmentVariable("KARVELLO_BINARY_DIR") + QStringLiteral("/karvello");
    if (built)
        *built = QFileInfo::exists(program);
    if (!QFileInfo::exists(program))
        return QString();
    const QString copy = QDir(programFolder).filePath(QStringLiteral("karvello"));
    return QFile::copy(program, copy) ? copy : QString();
}

} // namespace ProgramCopy
