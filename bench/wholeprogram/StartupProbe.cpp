// startup-probe: times a program from its start to its first read of a port, seen from
// outside: the port is a pseudo-terminal published in the port directory, a frame is written
// to it every millisecond, and inotify on its device reports the program's open and its first
// read that returns data. The tool opens the port while its window is built and reads it
// first in its first link cycle; the bare window (bare-window {port}) opens and reads it when
// its event loop first runs.
//
//   startup-probe --ports-dir DIR [--runs N] -- PROGRAM [ARGS...]
//
// "{port}" in ARGS becomes the port's device path. Runs in the current directory with the
// environment it is given; prints one line per run: milliseconds to the first open, then to
// the first read.
#include "PtyEndpoint.h"
#include "SteadyTime.h"

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <getopt.h>
#include <poll.h>
#include <string>
#include <sys/inotify.h>
#include <sys/timerfd.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

using sim::SteadyNow;

constexpr int kOpenTimeoutMs = 30'000;
constexpr int kExitTimeoutMs = 5'000;
constexpr long kWriteEveryNs = 1'000'000;
// A supply word's frame: something for the first read to return.
constexpr unsigned char kFrame[] = {0x00, 0xE2, 0x6C, 0x4E};

// Ends the run's program: SIGTERM, then SIGKILL if it will not go.
void Finish(pid_t child) {
    kill(child, SIGTERM);
    for (int waited = 0; waited < kExitTimeoutMs; waited += 10) {
        if (waitpid(child, nullptr, WNOHANG) == child) {
            return;
        }
        usleep(10'000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

struct Times {
    double open = -1; // milliseconds from the fork
    double read = -1;
};

Times OneRun(const sim::PtyEndpoint& line, std::vector<std::string> args) {
    for (std::string& arg : args) {
        if (arg == "{port}") {
            arg = line.DevicePath();
        }
    }
    Times times;
    const int notify = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    const int timer = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
    const itimerspec period{{0, kWriteEveryNs}, {0, kWriteEveryNs}};
    if (notify < 0 || timer < 0 ||
        inotify_add_watch(notify, line.DevicePath().c_str(), IN_OPEN | IN_ACCESS) < 0 ||
        timerfd_settime(timer, 0, &period, nullptr) != 0) {
        std::perror("startup-probe: inotify");
        return times;
    }
    const double start = SteadyNow();
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        std::perror("startup-probe: exec");
        _exit(127);
    }
    while (times.read < 0 && 1000 * (SteadyNow() - start) < kOpenTimeoutMs) {
        pollfd fds[2] = {{notify, POLLIN, 0}, {timer, POLLIN, 0}};
        if (poll(fds, 2, kOpenTimeoutMs) <= 0) {
            break;
        }
        const double now = 1000 * (SteadyNow() - start);
        if (fds[0].revents & POLLIN) {
            alignas(inotify_event) char buffer[4096];
            ssize_t n = read(notify, buffer, sizeof buffer);
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if ((event->mask & IN_OPEN) && times.open < 0) {
                    times.open = now;
                }
                if ((event->mask & IN_ACCESS) && times.read < 0) {
                    times.read = now;
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        if (fds[1].revents & POLLIN) {
            std::uint64_t expirations = 0;
            std::ignore = read(timer, &expirations, sizeof expirations);
            line.AllowReopen();
            // Unread output piles up to the pty's limit before the program reads; the
            // refused rest does not matter.
            std::ignore = write(line.Fd(), kFrame, sizeof kFrame);
        }
    }
    Finish(child);
    close(timer);
    close(notify);
    return times;
}

} // namespace

int main(int argc, char** argv) {
    std::string portsDir;
    int runs = 10;
    const option longOptions[] = {{"ports-dir", required_argument, nullptr, 'p'},
                                  {"runs", required_argument, nullptr, 'r'},
                                  {nullptr, 0, nullptr, 0}};
    for (int opt; (opt = getopt_long(argc, argv, "+", longOptions, nullptr)) != -1;) {
        if (opt == 'p') {
            portsDir = optarg;
        } else if (opt == 'r') {
            runs = std::atoi(optarg);
        } else {
            return 2;
        }
    }
    if (portsDir.empty() || optind >= argc) {
        std::fputs("usage: startup-probe --ports-dir DIR [--runs N] -- PROGRAM [ARGS...]\n",
                   stderr);
        return 2;
    }
    const std::vector<std::string> program(argv + optind, argv + argc);
    signal(SIGPIPE, SIG_IGN);
    for (int run = 0; run < runs; ++run) {
        // A fresh port each run, so the open seen is this run's.
        sim::PtyEndpoint line;
        std::string error;
        if (!line.OpenPty(portsDir, 0, error)) {
            std::fprintf(stderr, "startup-probe: %s\n", error.c_str());
            return 1;
        }
        const Times times = OneRun(line, program);
        if (times.read < 0) {
            std::fprintf(stderr, "startup-probe: %s never read the port\n", program[0].c_str());
            return 1;
        }
        std::printf("%.2f %.2f\n", times.open, times.read);
        std::fflush(stdout);
    }
    return 0;
}
