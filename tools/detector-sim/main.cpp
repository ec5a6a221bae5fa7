// detector-sim: a detector of our own making on a pseudo-terminal or a serial device.
#include "PtyEndpoint.h"
#include "ReplayPlayer.h"
#include "SimOptions.h"
#include "Simulator.h"

#include <climits>
#include <csignal>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

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

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OutputFile = std::unique_ptr<std::FILE, CloseFile>;

// An output the options may ask for: none without a path; false (said on stderr) when the
// path cannot be written.
bool OpenOutput(const std::string& path, OutputFile& file) {
    if (path.empty()) {
        return true;
    }
    file.reset(std::fopen(path.c_str(), "w"));
    if (!file) {
        std::perror(("detector-sim: " + path).c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    sim::SimOptions options;
    std::string message;
    if (!sim::ParseOptions(argc, argv, options, message)) {
        std::fputs(message.c_str(), options.help ? stdout : stderr);
        return options.help ? 0 : 2;
    }
    sim::ReplayLog replay;
    if (!options.replay.empty()) {
        if (!sim::LoadReplayLog(options.replay, replay, message)) {
            std::fprintf(stderr, "detector-sim: %s\n", message.c_str());
            return 2;
        }
        for (const std::string& skipped : replay.skipped) {
            std::fprintf(stderr, "detector-sim: %s: %s, skipped\n", options.replay.c_str(),
                         skipped.c_str());
        }
    }
    OutputFile commandLog;
    OutputFile eventLog;
    if (!OpenOutput(options.commandLog, commandLog) || !OpenOutput(options.eventLog, eventLog)) {
        return 1;
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

    const int result =
        options.replay.empty()
            ? sim::Simulator(options, line, commandLog.get(), eventLog.get(), gStop).Run()
            : sim::ReplayPlayer(replay, options.speed, options.duration, line, commandLog.get(),
                                gStop)
                  .Run();
    if (gEntryRemoved) {
        line.ForgetEntry();
    }
    return result;
}
