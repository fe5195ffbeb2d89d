#pragma once

#include <QByteArray>
#include <QString>

// Reading a whole file that came from elsewhere without trusting it: only a
// plain file is read (a link to /dev/zero or a pipe would never end), and
// only up to a limit the caller chooses, so a huge file costs nothing.
namespace PlainFile {

// The whole of `path` into `data`; false with the reason in `error` when
// the path is not a plain file, cannot be read, or holds more than
// `maxBytes` bytes.
bool read(const QString &path, qint64 maxBytes, QByteArray &data, QString *error = nullptr);

} // namespace PlainFile
