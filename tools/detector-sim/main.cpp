// detector-sim: a detector of our own making on a pseudo-terminal or a serial device.
#include "CommandParser.h"
#include "DetectorModel.h"
#include "FrameEncoder.h"
#include "PtyEndpoint.h"
#include "SimOptions.h"
#include "TelemetrySchedule.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <random>
#include <sys/timerfd.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr long kTickNanoseconds = 10'000'000;
constexpr double kMaxCatchUpSeconds = 0.1; // after a stall, send no more than this much at once
constexpr int kCorruptEvery = 3;           // while corrupting, every third frame goes out bad
// A serial port nobody has open loses what arrives; a pty would keep it for the next reader, so
// unread output beyond this much is dropped.
constexpr double kMaxBacklogSeconds = 0.2;
constexpr int kMinBacklogBytes = 256;

volatile sig_atomic_t gStop = 0;
volatile sig_atomic_t gEntryRemoved = 0;
char gEntryPath[PATH_MAX] = {};

void OnStopSignal(int) {
    if (gEntryPath[0] != '\0' && !gEntryRemoved) {
        unlink(gEntryPath);
        gEntryRemoved = 1;
    }
    gStop = 1;
}

void InstallSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

double Seconds(const timespec& t) {
    return t.tv_sec + t.tv_nsec * 1e-9;
}

double SteadyNow() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return Seconds(t);
}

class Simulator {
public:
    Simulator(sim::SimOptions& options, sim::PtyEndpoint& line, std::FILE* commandLog)
        : options(options)
        , line(line)
        , commandLog(commandLog)
        , model(options.fields, options.noise, options.refusePosition, options.seed)
        , schedule(options.incompleteCycle)
        , random(options.seed + 1) {}

    int Run();

private:
    void Receive();
    void SendDue(double t);
    void AppendFrame(std::vector<std::uint8_t>& out, double t);

    sim::SimOptions& options;
    sim::PtyEndpoint& line;
    std::FILE* commandLog;
    sim::DetectorModel model;
    sim::TelemetrySchedule schedule;
    sim::CommandParser parser;
    std::mt19937 random;
    double start = 0;
    long long framesDue = 0;
    long long frameCount = 0;
};

int Simulator::Run() {
    const int timer = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    itimerspec period{{0, kTickNanoseconds}, {0, kTickNanoseconds}};
    if (timer < 0 || timerfd_settime(timer, 0, &period, nullptr) != 0) {
        std::perror("detector-sim: timer");
        return 1;
    }
    start = SteadyNow();
    pollfd fds[2] = {{timer, POLLIN, 0}, {line.Fd(), POLLIN, 0}};
    while (!gStop) {
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
            SendDue(t);
        }
    }
    close(timer);
    return 0;
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
    sim::Frame frame = sim::EncodeFrame(model.TelemetryWord(kind, options.scenario.At(t), t));
    if (options.scenario.Corrupting(t) && ++frameCount % kCorruptEvery == 0) {
        frame[3] ^= 0x5A;
    }
    out.insert(out.end(), frame.begin(), frame.end());
}

} // namespace

int main(int argc, char** argv) {
    sim::SimOptions options;
    std::string message;
    if (!sim::ParseOptions(argc, argv, options, message)) {
        std::fputs(message.c_str(), stderr);
        return message.rfind("usage:", 0) == 0 ? 0 : 2;
    }
    std::FILE* commandLog = nullptr;
    if (!options.commandLog.empty()) {
        commandLog = std::fopen(options.commandLog.c_str(), "w");
        if (!commandLog) {
            std::perror(("detector-sim: " + options.commandLog).c_str());
            return 1;
        }
    }

    InstallSignals();
    sim::PtyEndpoint line;
    std::string error;
    const bool opened =
        options.device.empty()
            ? line.OpenPty(options.portsDir.empty() ? sim::DefaultPortsDir() : options.portsDir,
                           options.comNumber, error)
            : line.OpenDevice(options.device, error);
    if (!opened) {
        std::fprintf(stderr, "detector-sim: %s\n", error.c_str());
        return 1;
    }
    std::snprintf(gEntryPath, sizeof gEntryPath, "%s", line.EntryPath().c_str());
    if (line.EntryPath().empty()) {
        std::printf("none %s\n", line.DevicePath().c_str());
    } else {
        std::printf("COM%d %s %s\n", line.ComNumber(), line.DevicePath().c_str(),
                    line.EntryPath().c_str());
    }
    std::fflush(stdout);

    const int result = Simulator(options, line, commandLog).Run();
    if (gEntryRemoved) {
        line.ForgetEntry();
    }
    if (commandLog) {
        std::fclose(commandLog);
    }
    return result;
}
