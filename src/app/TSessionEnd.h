#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM and SIGHUP (the session ends, the machine shuts down) as a Qt
// signal on the main thread. The handler itself only writes the signal's
// number into a pipe, the one thing that is safe there; a QSocketNotifier
// reads it in the event loop. One at a time: the previous handlers are put
// back when it goes.
class TSessionEnd : public QObject
{
    Q_OBJECT
public:
    explicit TSessionEnd(QObject *parent = nullptr);
    ~TSessionEnd() override;

    bool IsInstalled() const { return m_notifier != nullptr; }

signals:
    void Ending(int signalNumber);

private:
    void ReadPipe();

    QSocketNotifier *m_notifier = nullptr;
};
