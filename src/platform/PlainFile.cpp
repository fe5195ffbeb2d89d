#include "platform/PlainFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace PlainFile {

bool read(const QString &path, qint64 maxBytes, QByteArray &data, QString *error)
{
    auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return false;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("%1 does not exist").arg(path));
    if (!info.isFile())
        return fail(QStringLiteral("%1 is not a plain file").arg(path));
    if (info.size() > maxBytes)
        return fail(QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(maxBytes));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
    // Read in pieces up to one byte past the limit: the file may grow while
    // it is read, and a buffer as large as the limit would be wasted on the
    // small files that are the rule.
    QByteArray bytes;
    bytes.reserve(qsizetype(std::min(info.size(), maxBytes)) + 1);
    char piece[64 * 1024];
    for (;;) {
        const qint64 got = file.read(piece, qint64(sizeof piece));
        if (got < 0)
            return fail(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
        if (got == 0)
            break;
        bytes.append(piece, qsizetype(got));
        if (bytes.size() > maxBytes)
            return fail(QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(maxBytes));
    }
    data = std::move(bytes);
    return true;
}

} // namespace PlainFile
