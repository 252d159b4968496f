#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

int pipeEnds[2] = {-1, -1};
unsigned deadline = 0;
volatile sig_atomic_t received = 0;

extern "C" void onTerminationSignal(int)
{
    const int savedErrno = errno;
    if (!received && deadline)
        ::alarm(deadline);
    received = 1;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

bool TerminationSignals::install(unsigned deadlineSeconds)
{
    deadline = deadlineSeconds;
    if (pipeEnds[0] < 0 && ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    bool ok = true;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ok = ::sigaction(signal, &action, nullptr) == 0 && ok;
    return ok;
}

bool TerminationSignals::pending()
{
    pollfd waiting = {pipeEnds[0], POLLIN, 0};
    return pipeEnds[0] >= 0 && ::poll(&waiting, 1, 0) > 0;
}

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    if (pipeEnds[0] < 0)
        return;
    m_notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPipe);
}

void TerminationSignals::readPipe()
{
    char bytes[64];
    bool any = false;
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0)
        any = true;
    if (any)
        emit received();
}
