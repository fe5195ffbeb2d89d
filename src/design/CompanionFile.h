#pragma once

#include "design/CardDocument.h"

#include <QByteArray>
#include <QString>

// The companion "name.KVE" of a card document: an INI file with the
// background file and the sheet layout, or, in older documents, a text file
// whose first line names the background.
namespace CompanionFile {

// The INI text of a companion, keys in their fixed order; empty with
// `error` set when it could not be produced.
QByteArray Contents(const CardDocument::Companion &companion, QString *error = nullptr);
// The same naming the contact list the card is filled from (none when empty).
QByteArray Contents(const CardDocument::Companion &companion, const QString &contactList,
                    QString *error = nullptr);

struct ReadResult {
    bool found = false;
    bool isIni = false;
    SheetLayoutSetting layout; // the companion's layout, or `current` when none
    QString backgroundFile;
    QString contactList;
};

// Reads the companion at `path`, or a file there whose name differs only in
// letter case. A missing file is no error: nothing is found.
ReadResult Read(const QString &path, const SheetLayoutSetting &current);

} // namespace CompanionFile
