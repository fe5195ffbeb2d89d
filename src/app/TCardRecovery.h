#pragma once

#include "design/RecoveryCopy.h"

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <memory>
#include <vector>

class QLockFile;
class TMainScreen;

// Keeps a recovery copy of the window's card while it has unsaved changes,
// and offers copies that a crash, a kill or a power cut left behind.
//
// Each running copy of the program owns one folder under "recovery" in the
// program folder, held by a lock file inside it. At most `Interval` seconds
// after a change the card as the undo history last took it is handed to a
// worker thread, which writes it (RecoveryCopy), so the window never waits
// for the disk. When the card has no unsaved changes any more (saved, "New",
// "Open", closed with "No", undone to the saved state) the folder goes.
// At the next start a folder whose owner no longer runs is offered in the
// "Recover Card" dialog. Made by main.cpp beside the window.
class TCardRecovery : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultInterval = 60; // seconds
    static constexpr int LongestInterval = 24 * 60 * 60;

    // "Interval" of section "Recovery" in kvl.ini: seconds, 0 turns the
    // copies off; a value that is not a whole number from 0 reads as the default.
    static int ReadInterval();
    // "recovery" in the program folder, and "recovery/damaged" beside the copies.
    static QString Folder();
    static QString DamagedFolder();

    TCardRecovery(TMainScreen &window, int intervalSeconds);
    // Waits for the last write. The copy stays when the card still has
    // unsaved changes (the session ended), and goes otherwise.
    ~TCardRecovery() override;

    int Interval() const { return m_interval; }
    // This program's own folder ("recovery/<pid>-<start>"), which holds a
    // copy only while the card has unsaved changes.
    QString OwnFolder() const { return m_folder; }

    // Offers, newest first, every copy that no running Karvello owns, until
    // one is recovered; a copy that cannot be read is reported and moved to
    // DamagedFolder(). `soleCopy`: the single-instance guard says that no
    // other Karvello runs for this user, so a copy still locked in the name
    // of a process on this machine is left over too.
    void OfferAtStart(bool soleCopy);

    // Writes the copy at once when the card has unsaved changes not in it
    // yet, and waits until it is on disk (the session ends).
    void WriteNow();
    // Waits until the writes handed to the worker are done.
    void WaitForWrites();

    // What is written on the UI thread: the card as the undo history has it
    // and what the window knows beside it. StreamError when an object cannot
    // be written.
    RecoveryCopy::Content TakeContent() const;

    // A picture of the copy's card as it was shown, made on a hidden panel of
    // the window: it reads both sides, so it is also the check that the
    // copy opens. False (with `error`) when it does not.
    bool Inspect(const RecoveryCopy::Found &copy, QImage *picture, QString *error) const;

signals:
    // A write finished (on the UI thread); `ok` false when it failed.
    void CopyWritten(bool ok);

private:
    struct Orphan;

    void CardChanged();
    void ChangesMadeChanged(bool changesMade);
    void WriteCopy();
    void RemoveCopy();
    bool ClaimOwnFolder();
    std::vector<std::unique_ptr<Orphan>> ClaimOrphans(bool soleCopy);
    // True when the copy was recovered (offering ends there).
    bool Offer(Orphan &orphan);
    void MoveAside(Orphan &orphan, const QString &reason);

    TMainScreen &m_window;
    int m_interval;
    QTimer m_timer;
    QThreadPool m_worker;
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    QDateTime m_changed;
    quint64 m_changes = 0; // changes seen
    quint64 m_written = 0; // changes handed to the worker
};
