// Simulator main loop.
#include "Simulator.h"

#include "FrameEncoder.h"
#include "SteadyTime.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <poll.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace sim {

namespace {

constexpr long kTickNanoseconds = 10'000'000;
constexpr double kMaxCatchUpSeconds = 0.1; // after a stall, send no more than this much at once
constexpr int kCorruptEvery = 3;           // while corrupting, every third frame goes out bad
// A serial port nobody has open loses what arrives; a pty would keep it for the next reader, so
// unread output beyond this much is dropped.
constexpr double kMaxBacklogSeconds = 0.2;
constexpr int kMinBacklogBytes = 256;

} // namespace

int Simulator::Run() {
    const int timer = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    itimerspec period{{0, kTickNanoseconds}, {0, kTickNanoseconds}};
    if (timer < 0 || timerfd_settime(timer, 0, &period, nullptr) != 0) {
        std::perror("detector-sim: timer");
        return 1;
    }
    start = SteadyNow();
    int result = 0;
    pollfd fds[2] = {{timer, POLLIN, 0}, {line.Fd(), POLLIN, 0}};
    while (!stop) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            std::perror("detector-sim: poll");
            break;
        }
        if (fds[1].revents & POLLIN) {
            Receive();
        }
        // Our own slave keeps a pty from hanging up, so this is a serial device that went away;
        // polling it further would only spin.
        if (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            std::fprintf(stderr, "detector-sim: the line hung up\n");
            result = 1;
            break;
        }
        if (fds[0].revents & POLLIN) {
            std::uint64_t expirations = 0;
            if (read(timer, &expirations, sizeof expirations) < 0) {
                continue;
            }
            const double t = SteadyNow() - start;
            if (options.duration > 0 && t >= options.duration) {
                break;
            }
            line.AllowReopen();
            events.Advance(t);
            SendDue(t);
        }
    }
    close(timer);
    return result;
}

void Simulator::Receive() {
    std::uint8_t buffer[256];
    ssize_t n;
    while ((n = read(line.Fd(), buffer, sizeof buffer)) > 0) {
        parser.SetThreeByteForm(model.Fields().cs == 1);
        const double t = SteadyNow() - start;
        for (const auto& command : parser.Feed(buffer, static_cast<std::size_t>(n))) {
            const std::string text = model.Apply(command, t);
            if (commandLog) {
                std::fprintf(commandLog, "%s\n", text.c_str());
                std::fflush(commandLog);
            }
        }
    }
}

void Simulator::SendDue(double t) {
    const long long target = static_cast<long long>(t * options.rate);
    const long long limit = static_cast<long long>(kMaxCatchUpSeconds * options.rate) + 1;
    long long count = std::min(target - framesDue, limit);
    framesDue = target;
    if (count <= 0 || options.scenario.Silent(t)) {
        return;
    }
    const int backlog =
        std::max(kMinBacklogBytes, static_cast<int>(options.rate * 4 * kMaxBacklogSeconds));
    if (line.Unread() > backlog) {
        line.DiscardUnread();
    }
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(count) * 8);
    while (count-- > 0) {
        AppendFrame(out, t);
    }
    const ssize_t written = write(line.Fd(), out.data(), out.size());
    if (written < static_cast<ssize_t>(out.size())) {
        // The line is full: the rest is lost, as on a real line, and the stale backlog goes.
        line.DiscardUnread();
    }
}

void Simulator::AppendFrame(std::vector<std::uint8_t>& out, double t) {
    if (options.scenario.Noisy(t)) {
        const int strays = std::uniform_int_distribution<int>(0, 3)(random);
        for (int i = 0; i < strays; ++i) {
            out.push_back(static_cast<std::uint8_t>(random()));
        }
    }
    const int kind = schedule.NextKind();
    Frame frame = EncodeFrame(model.TelemetryWord(kind, options.scenario.At(t), t));
    if (options.scenario.Corrupting(t) && ++frameCount % kCorruptEvery == 0) {
        frame[3] ^= 0x5A;
    }
    out.insert(out.end(), frame.begin(), frame.end());
}

} // namespace sim
