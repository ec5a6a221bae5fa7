// The replay's clock starts when the program first reads the line, so a program started after
// the simulator still sees the log's first seconds at their own pace.
#include "ReplayPlayer.h"

#include "SteadyTime.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <ctime>
#include <poll.h>
#include <tuple>
#include <unistd.h>
#include <utility>

namespace sim {

namespace {

// Upper bound on one wait, so the reopen mark is cleared and the start is noticed promptly.
constexpr double kLongestWaitSeconds = 0.01;
// After the last line: how long the program may take to read what is still on the line.
constexpr double kDrainSeconds = 2;
// How long after a write the line's unread count is trusted.
constexpr double kSettleSeconds = 0.1;

} // namespace

ReplayPlayer::ReplayPlayer(ReplayLogReader& log, ReplayChunk first, double speed, double duration,
                           PtyEndpoint& line, std::FILE* commandLog,
                           const volatile std::sig_atomic_t& stop)
    : log(log)
    , next(std::move(first))
    , speed(speed)
    , duration(duration)
    , line(line)
    , commandLog(commandLog)
    , stop(stop)
    , decoder(DetectorFields{}, 0, false, false, 1) {}

int ReplayPlayer::Run() {
    const double launched = SteadyNow();
    double origin = -1; // steady time of the first line, once the program has read it
    double lastWrite = launched;
    Play(*next);
    next = log.Next();
    // The pty hands written bytes to the reading side a moment later, so an empty line right
    // after a write does not yet mean the program has read them.
    const auto read = [&](double now) {
        return now - lastWrite >= kSettleSeconds && line.Unread() == 0;
    };
    pollfd fds[1] = {{line.Fd(), POLLIN, 0}};
    while (!stop) {
        const double now = SteadyNow();
        if (duration > 0 && now - launched >= duration) {
            break;
        }
        line.AllowReopen();
        if (origin < 0 && read(now)) {
            origin = now;
        }
        while (origin >= 0 && next && origin + next->seconds / speed <= now) {
            Play(*next);
            next = log.Next();
            lastWrite = now;
        }
        if (origin >= 0 && !next && (read(now) || now - lastWrite >= kDrainSeconds)) {
            break;
        }
        double wait = kLongestWaitSeconds;
        if (origin >= 0 && next) {
            wait = std::clamp(origin + next->seconds / speed - now, 0.0, wait);
        }
        const timespec timeout{0, static_cast<long>(std::ceil(wait * 1e9))};
        const int ready = ppoll(fds, 1, &timeout, nullptr);
        if (ready < 0 && errno != EINTR) {
            std::perror("detector-sim: poll");
            return 1;
        }
        if (ready > 0 && (fds[0].revents & POLLIN)) {
            Receive(SteadyNow() - launched);
        }
        if (ready > 0 && (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))) {
            std::fprintf(stderr, "detector-sim: the line hung up\n");
            return 1;
        }
    }
    return 0;
}

void ReplayPlayer::Play(const ReplayChunk& chunk) {
    if (chunk.cs >= 0) {
        parser.SetThreeByteForm(chunk.cs == 1);
    }
    // A full line loses the rest, as a real line would; the program on the desk then sees what
    // a program that could not keep up would see.
    std::ignore = write(line.Fd(), chunk.bytes.data(), chunk.bytes.size());
}

void ReplayPlayer::Receive(double now) {
    std::uint8_t buffer[256];
    ssize_t n;
    while ((n = read(line.Fd(), buffer, sizeof buffer)) > 0) {
        for (const auto& command : parser.Feed(buffer, static_cast<std::size_t>(n))) {
            const std::string text = decoder.Apply(command, now);
            if (commandLog) {
                std::fprintf(commandLog, "%s\n", text.c_str());
                std::fflush(commandLog);
            }
        }
    }
}

} // namespace sim
