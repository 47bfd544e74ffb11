#include "app/TerminationSignals.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace morvane {

namespace {

// Written by the handler, read by the notifier: the one place where the
// asynchronous signal meets the event loop.
int g_signalPipe[2] = {-1, -1};

void OnTerminationSignal(int signalNumber)
{
    const char byte = static_cast<char>(signalNumber);
    // Nothing else is safe here; a full pipe already holds a pending request.
    [[maybe_unused]] const auto written = ::write(g_signalPipe[0], &byte, 1);
}

bool InstallHandler(int signalNumber)
{
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(signalNumber, &action, nullptr) == 0;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (g_signalPipe[0] < 0) {
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
            return;
        for (const int fd : g_signalPipe) {
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        }
    }
    auto* notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char buffer[16];
        while (::read(g_signalPipe[1], buffer, sizeof buffer) > 0) {
        }
        emit terminationRequested();
    });
    m_watching = InstallHandler(SIGTERM) && InstallHandler(SIGINT) && InstallHandler(SIGHUP);
}

TerminationSignals::~TerminationSignals()
{
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP})
        ::signal(signalNumber, SIG_DFL);
}

} // namespace morvane
