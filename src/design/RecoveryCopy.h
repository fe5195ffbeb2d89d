#pragma once

#include "design/CardSnapshot.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// A recovery copy: a card with unsaved changes, kept in a folder of its own
// so that a crash, a kill or a power cut does not lose it. The card is a
// card document like any other ("card-N.KVL" + "card-N.KVE", and
// "card-N.BACK.KVL" + "card-N.BACK.KVE" for the back), written beside a
// small manifest "copy.ini" that names it:
//
//   [Recovery]
//   Document=card-7.KVL        the front of the copy, in this folder
//   Original=/home/jane/saved/Jane.KVL   empty for a card never saved
//   Changed=2026-12-09T16:40:12.345Z     the time of the last change
//   Shown=Back                 the side on screen ("Front" when missing)
//
// Each write makes a new generation N: the documents first, then the
// manifest in one atomic replace, then the older generations' files go.
// So at whatever moment the writer is stopped, the manifest names complete
// files. Everything here works on files only, so it runs off the UI thread.
namespace RecoveryCopy {

const QString ManifestName = QStringLiteral("copy.ini");

// What a copy says about itself.
struct Manifest {
    QString document; // the front's file name inside the folder
    QString original; // the card's own path; empty for a new card
    QDateTime changed;
    bool backShown = false;
};

// The card as it is to be kept: the undo history's snapshot (objects as
// records at their zoom, with their bounds at zoom 1; the other side as a
// container at zoom 1), and what the window knows beside it.
struct Content {
    CardSnapshot card;
    QString original;
    QString contactList; // full path, empty when none is attached
    QDateTime changed;
};

// The objects of the side the snapshot shows as a container at zoom 1:
// byte for byte what saving that side writes. StreamError when a record is
// damaged.
QByteArray ShownObjects(const CardSnapshot &card);

// Writes a new generation of the copy into `folder` (created when
// missing). False (with `error`) when a file could not be written; the
// copy written before is then still whole.
bool Write(const QString &folder, const Content &content, QString *error = nullptr);

// A copy as found on disk.
struct Found {
    bool exists = false; // a manifest is there (a folder without one holds no copy)
    bool ok = false;     // the manifest and the documents it names are there
    QString error;       // why not ok
    Manifest manifest;
    QString front;       // full path of the front document
};

// Reads the manifest in `folder` and checks that the documents it names
// are there. The objects themselves are read by whoever opens the card.
Found Read(const QString &folder);

} // namespace RecoveryCopy
