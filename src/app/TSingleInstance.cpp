#include "app/TSingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

namespace {

const QByteArray ActivateRequest = "activate\n";
// Followed by the document's absolute path, percent-encoded, and a newline.
const QByteArray OpenRequest = "open ";
const QByteArray ActivatedReply = "activated\n";

QString runtimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    return folder;
}

} // namespace

TSingleInstance::TSingleInstance(const QString &name, QObject *parent)
    : QObject(parent), m_name(name)
{
}

TSingleInstance::~TSingleInstance()
{
    if (m_server)
        m_server->close();
}

QString TSingleInstance::LockFilePath(const QString &name)
{
    return runtimeFolder() + QLatin1Char('/') + name + QStringLiteral(".lock");
}

QString TSingleInstance::ServerPath(const QString &name)
{
    return runtimeFolder() + QLatin1Char('/') + name + QStringLiteral(".socket");
}

bool TSingleInstance::TryBecomeFirst()
{
    m_lock = std::make_unique<QLockFile>(LockFilePath(m_name));
    // Age never makes a lock stale, only a holder that no longer runs.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(100)) {
        m_lock.reset();
        return false;
    }
    // Holding the lock, any socket left there belongs to a copy that died.
    const QString path = ServerPath(m_name);
    QLocalServer::removeServer(path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &TSingleInstance::ServeConnection);
    // Without the socket this copy still runs; later copies then start too.
    m_server->listen(path);
    return true;
}

bool TSingleInstance::IsListening() const
{
    return m_server && m_server->isListening();
}

void TSingleInstance::ServeConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QByteArray request = socket->readLine();
            QString document;
            if (request.startsWith(OpenRequest) && request.endsWith('\n'))
                document = QUrl::fromPercentEncoding(request.mid(OpenRequest.size()).chopped(1));
            const bool known = request == ActivateRequest || !document.isEmpty();
            if (known) {
                emit ActivationRequested();
                socket->write(ActivatedReply);
                socket->flush();
            }
            socket->disconnectFromServer();
            if (!document.isEmpty())
                emit OpenRequested(document);
        });
    }
}

bool TSingleInstance::ActivateFirst(int timeoutMs, const QString &documentPath) const
{
    const QByteArray request = documentPath.isEmpty()
        ? ActivateRequest
        : OpenRequest + QUrl::toPercentEncoding(documentPath) + '\n';
    const QDeadlineTimer deadline(timeoutMs);
    const QString path = ServerPath(m_name);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(path);
        if (socket.waitForConnected(int(qMax<qint64>(1, deadline.remainingTime())))) {
            socket.write(request);
            socket.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime())));
            while (!socket.canReadLine()
                   && socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())))) {
            }
            return socket.readLine() == ActivatedReply;
        }
        QThread::msleep(100); // the first copy may not be listening yet
    }
    return false;
}
