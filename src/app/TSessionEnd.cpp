#include "app/TSessionEnd.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int pipeEnds[2] = {-1, -1};
struct sigaction previousTerm;
struct sigaction previousHangUp;

void onSignal(int number)
{
    const int saved = errno;
    const char byte = char(number);
    // Nothing to do when the pipe is full: a byte is already waiting.
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

} // namespace

TSessionEnd::TSessionEnd(QObject *parent) : QObject(parent)
{
    if (pipeEnds[0] >= 0 || ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, &previousTerm);
    sigaction(SIGHUP, &action, &previousHangUp);
    m_notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TSessionEnd::ReadPipe);
}

TSessionEnd::~TSessionEnd()
{
    if (!m_notifier)
        return;
    sigaction(SIGTERM, &previousTerm, nullptr);
    sigaction(SIGHUP, &previousHangUp, nullptr);
    delete m_notifier;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void TSessionEnd::ReadPipe()
{
    char byte = 0;
    int last = 0;
    while (::read(pipeEnds[0], &byte, 1) == 1)
        last = byte;
    if (last)
        emit Ending(last);
}
