// latency-probe: plays the detector on a pseudo-terminal at the full line rate and times,
// for sampled frames, the write to the line against the frame's "Inp:" line appearing in the
// tool's traffic log. The log stamps only milliseconds, so the time is taken here: a steady
// clock just after the write, and inotify on the log file for each write the tool makes.
//
//   latency-probe --ports-dir DIR --log FILE [--samples N] [--warm-up S] [--interval MS]
//
// Prints "COMn" once the port is published (start the tool then), and at the end one line
// per figure: "samples", "lost", "median_ms", "p90_ms", "p99_ms", "max_ms".
#include "CommandParser.h"
#include "DetectorFields.h"
#include "DetectorModel.h"
#include "FrameEncoder.h"
#include "PtyEndpoint.h"
#include "SteadyTime.h"
#include "TelemetrySchedule.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <getopt.h>
#include <optional>
#include <poll.h>
#include <random>
#include <string>
#include <sys/inotify.h>
#include <sys/timerfd.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

using sim::SteadyNow;

constexpr double kFrameRate = 1440; // the full 57,600-baud line
constexpr int kSignalKind = 1;
// Markers are signal words of levels no other frame carries here: the resting level is far
// below and the noise is off, so each marker's "Inp:" line is its own.
constexpr int kFirstMarkerLevel = 200;
constexpr int kMarkerLevels = 50;
constexpr double kLostAfterSeconds = 1.0;

timespec ToTimespec(double seconds) {
    timespec t{};
    t.tv_sec = static_cast<time_t>(seconds);
    t.tv_nsec = static_cast<long>((seconds - static_cast<double>(t.tv_sec)) * 1e9);
    return t;
}

std::string InpText(const sim::Frame& frame) {
    char text[32];
    std::snprintf(text, sizeof text, "Inp:[%02X %02X %02X %02X]", frame[0], frame[1], frame[2],
                  frame[3]);
    return text;
}

struct Options {
    std::string portsDir;
    std::string logPath;
    int samples = 3000;
    double warmUp = 3;
    double interval = 0.02;
};

bool Parse(int argc, char** argv, Options& options) {
    const option longOptions[] = {{"ports-dir", required_argument, nullptr, 'p'},
                                  {"log", required_argument, nullptr, 'l'},
                                  {"samples", required_argument, nullptr, 's'},
                                  {"warm-up", required_argument, nullptr, 'w'},
                                  {"interval", required_argument, nullptr, 'i'},
                                  {nullptr, 0, nullptr, 0}};
    for (int opt; (opt = getopt_long(argc, argv, "", longOptions, nullptr)) != -1;) {
        switch (opt) {
        case 'p':
            options.portsDir = optarg;
            break;
        case 'l':
            options.logPath = optarg;
            break;
        case 's':
            options.samples = std::atoi(optarg);
            break;
        case 'w':
            options.warmUp = std::atof(optarg);
            break;
        case 'i':
            options.interval = std::atof(optarg) / 1000;
            break;
        default:
            return false;
        }
    }
    return !options.portsDir.empty() && !options.logPath.empty() && options.samples > 0;
}

// Follows the log's growth and finds a marker's line in what was appended.
class LogFollower {
public:
    explicit LogFollower(int fd)
        : fd(fd) {}

    // Reads what was appended; true when it holds the text (then the search starts after it).
    bool Holds(const std::string& text) {
        char buffer[65536];
        ssize_t n;
        while ((n = pread(fd, buffer, sizeof buffer, offset)) > 0) {
            offset += n;
            pending.append(buffer, static_cast<std::size_t>(n));
        }
        const std::size_t at = pending.find(text);
        if (at != std::string::npos) {
            pending.erase(0, at + text.size());
            return true;
        }
        // Keep a tail that could hold the start of the text.
        if (pending.size() > text.size()) {
            pending.erase(0, pending.size() - text.size());
        }
        return false;
    }
    // Forgets what has been appended so far: a new marker is searched for only after it.
    void SkipToEnd() {
        Holds(std::string(1, '\0'));
        pending.clear();
    }

private:
    int fd;
    off_t offset = 0;
    std::string pending;
};

struct Sample {
    std::string text;
    double written = 0;
};

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fputs("usage: latency-probe --ports-dir DIR --log FILE [--samples N] "
                   "[--warm-up S] [--interval MS]\n",
                   stderr);
        return 2;
    }
    const int logFd = open(options.logPath.c_str(), O_RDONLY | O_CLOEXEC);
    const int notify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (logFd < 0 || notify < 0 ||
        inotify_add_watch(notify, options.logPath.c_str(), IN_MODIFY) < 0) {
        std::perror(("latency-probe: " + options.logPath).c_str());
        return 1;
    }
    sim::PtyEndpoint line;
    std::string error;
    if (!line.OpenPty(options.portsDir, 0, error)) {
        std::fprintf(stderr, "latency-probe: %s\n", error.c_str());
        return 1;
    }
    std::printf("COM%d %s %s\n", line.ComNumber(), line.DevicePath().c_str(),
                line.EntryPath().c_str());
    std::fflush(stdout);

    sim::DetectorFields fields;
    sim::DetectorModel model(fields, 0, false, false, 1);
    sim::TelemetrySchedule schedule(false);
    sim::CommandParser parser;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> jitter(0.5, 1.5);
    LogFollower log(logFd);

    const int timer = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC);
    const double start = SteadyNow();
    long long frame = 0;
    std::optional<Sample> waiting;
    std::optional<double> firstLogged;
    double nextSample = 0;
    int markers = 0;
    int lost = 0;
    std::vector<double> latencies;

    while (static_cast<int>(latencies.size()) < options.samples) {
        const double due = start + static_cast<double>(frame) / kFrameRate;
        itimerspec at{{0, 0}, ToTimespec(due)};
        timerfd_settime(timer, TFD_TIMER_ABSTIME, &at, nullptr);
        pollfd fds[3] = {{timer, POLLIN, 0}, {notify, POLLIN, 0}, {line.Fd(), POLLIN, 0}};
        if (poll(fds, 3, -1) < 0 && errno != EINTR) {
            std::perror("latency-probe: poll");
            return 1;
        }
        if (fds[1].revents & POLLIN) {
            const double seen = SteadyNow();
            char events[4096];
            while (read(notify, events, sizeof events) > 0) {
            }
            if (!firstLogged) {
                firstLogged = seen;
            }
            if (waiting && log.Holds(waiting->text)) {
                latencies.push_back(seen - waiting->written);
                waiting.reset();
                nextSample = seen + options.interval * jitter(random);
            }
        }
        if (fds[2].revents & POLLIN) {
            std::uint8_t buffer[256];
            ssize_t n;
            while ((n = read(line.Fd(), buffer, sizeof buffer)) > 0) {
                parser.SetThreeByteForm(model.Fields().cs == 1);
                for (const auto& command : parser.Feed(buffer, static_cast<std::size_t>(n))) {
                    model.Apply(command, SteadyNow() - start);
                }
            }
        }
        if (!(fds[0].revents & POLLIN)) {
            continue;
        }
        std::uint64_t expirations = 0;
        std::ignore = read(timer, &expirations, sizeof expirations);
        line.AllowReopen();
        const double now = SteadyNow();
        if (waiting && now - waiting->written > kLostAfterSeconds) {
            ++lost;
            waiting.reset();
            nextSample = now;
        }
        // Every frame due goes out in a write of its own, as a byte-paced line delivers it.
        while (start + static_cast<double>(frame) / kFrameRate <= now) {
            ++frame;
            const int kind = schedule.NextKind();
            const bool sampling = kind == kSignalKind && !waiting && firstLogged &&
                                  now - *firstLogged > options.warmUp && now >= nextSample;
            const std::uint16_t word =
                sampling ? sim::MakeWord(kSignalKind, kFirstMarkerLevel + markers++ % kMarkerLevels)
                         : model.TelemetryWord(kind, sim::Conditions{}, now - start);
            const sim::Frame bytes = sim::EncodeFrame(word);
            if (sampling) {
                log.SkipToEnd();
            }
            if (write(line.Fd(), bytes.data(), bytes.size()) !=
                static_cast<ssize_t>(bytes.size())) {
                line.DiscardUnread();
                continue;
            }
            if (sampling) {
                waiting = Sample{InpText(bytes), SteadyNow()};
            }
        }
    }

    std::sort(latencies.begin(), latencies.end());
    const auto at = [&](double q) {
        return 1000 * latencies[std::min(latencies.size() - 1,
                                         static_cast<std::size_t>(q * latencies.size()))];
    };
    std::printf("samples %zu\nlost %d\nmedian_ms %.3f\np90_ms %.3f\np99_ms %.3f\nmax_ms %.3f\n",
                latencies.size(), lost, at(0.5), at(0.9), at(0.99), 1000 * latencies.back());
    line.RemoveEntry();
    return 0;
}
