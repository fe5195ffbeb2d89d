#pragma once

#include <QString>

// File names that the program's documents and settings spell in any letter
// case ("KVL.INI", "Saved\", "card.KVE") are looked up without regard to case.
namespace CaseInsensitivePath {

// The existing entry of `folder` (a file or folder) whose name equals `name`
// ignoring letter case, as a full path; an exact match wins over other
// casings. Empty when none exists.
QString findEntry(const QString &folder, const QString &name);

// Like findEntry, but for a path of several parts ("bg/Sky.jpg", or
// "BG\Sky.jpg" as Windows documents write it; "\" always separates folders
// here): each part is matched in turn. Empty when some part is missing.
QString findPath(const QString &folder, const QString &relativePath);

// findPath if the entry exists, otherwise folder + "/" + relativePath with
// the existing leading parts spelled as on disk (for creating new files
// beside existing ones).
QString resolve(const QString &folder, const QString &relativePath);

// An existing file given as a full path, whose name may differ in case (the
// folder part is matched too). Empty when none exists.
QString findExisting(const QString &path);

// The file-name part of a path written here or on Windows
// ("C:\Art\Sky.BMP" gives "Sky.BMP").
QString fileNamePart(const QString &path);

} // namespace CaseInsensitivePath
