#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

// Keeps the program to one running copy per user. The first copy holds a
// lock file and listens on a local socket, both in the per-user runtime
// folder; a later copy finds the lock taken, asks the first copy over the
// socket to bring its window forward (and to open the document it was
// started with, if any) and ends. A lock or socket left behind
// by a copy that crashed is recognised as stale and taken over.
class TSingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit TSingleInstance(const QString &name = QStringLiteral("karvello"),
                             QObject *parent = nullptr);
    ~TSingleInstance() override;

    // The lock file and the socket in the runtime folder.
    static QString LockFilePath(const QString &name);
    static QString ServerPath(const QString &name);

    // Takes the lock and starts listening; false when another live copy holds it.
    bool TryBecomeFirst();
    // Asks the first copy to come forward, and to open `documentPath` when it
    // is not empty, and waits for its answer; true when it answered. A first
    // copy still starting up is given a few seconds.
    bool ActivateFirst(int timeoutMs = 5000, const QString &documentPath = QString()) const;
    // Whether this copy holds the lock and takes requests.
    bool IsListening() const;

signals:
    // Another copy asked for the window; answered once the slots have run.
    void ActivationRequested();
    // Another copy was started with a document: emitted after the answer was
    // sent, so a slot may ask questions without keeping that copy waiting.
    void OpenRequested(const QString &documentPath);

private:
    void ServeConnection();

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
