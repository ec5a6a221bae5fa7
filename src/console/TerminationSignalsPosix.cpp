// The signals reach the window through a self-pipe: the handler only writes a byte, which is
// all it may safely do, and the event loop reads it and closes the window.
#include "console/TerminationSignals.h"

#include <QSocketNotifier>
#include <QWidget>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace console {

namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};
std::array<int, 2> selfPipe = {-1, -1};

extern "C" void OnTerminationSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(selfPipe[1], &byte, 1);
    errno = saved;
}

void Install(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(QWidget& window, std::function<void()> closeUnattended)
    : QObject(&window)
    , notifier(nullptr) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, selfPipe.data()) != 0)
        return;
    notifier = new QSocketNotifier(selfPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [closeUnattended] {
        char bytes[16];
        while (::read(selfPipe[0], bytes, sizeof bytes) > 0) {
        }
        // A signal during the shut-down's own wait is a second close request, which the
        // window ignores: the wait stays bounded.
        closeUnattended();
    });
    Install(OnTerminationSignal);
}

TerminationSignals::~TerminationSignals() {
    if (!notifier)
        return;
    Install(SIG_DFL);
    delete notifier;
    ::close(selfPipe[0]);
    ::close(selfPipe[1]);
    selfPipe = {-1, -1};
}

} // namespace console
