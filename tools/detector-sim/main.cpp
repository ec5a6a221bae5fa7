// detector-sim: a detector of our own making on a pseudo-terminal or a serial device.
#include "PtyEndpoint.h"
#include "RegularFile.h"
#include "ReplayLogReader.h"
#include "ReplayPlayer.h"
#include "SimOptions.h"
#include "Simulator.h"

#include <climits>
#include <csignal>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
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

void SayUnreadable(const std::string& path, const std::string& reason) {
    std::fprintf(stderr, "detector-sim: cannot read the traffic log %s: %s\n", path.c_str(),
                 reason.c_str());
}

// The traffic log to replay, read as it plays. Only its first chunk is read before the line is
// set up, so a log without a single readable "Inp:" line is refused without publishing a port.
struct ReplayInput {
    sim::RegularFile file;
    std::optional<sim::ReplayLogReader> reader;
    std::optional<sim::ReplayChunk> first;

    bool Open(const std::string& path) {
        std::string reason;
        if (!file.Open(path, reason)) {
            SayUnreadable(path, reason);
            return false;
        }
        reader.emplace(file, [path](const std::string& why) {
            std::fprintf(stderr, "detector-sim: %s: %s, skipped\n", path.c_str(), why.c_str());
        });
        first = reader->Next();
        if (!first && !file.ReadError().empty()) {
            SayUnreadable(path, file.ReadError());
        } else if (!first) {
            std::fprintf(stderr,
                         "detector-sim: %s holds no readable \"Inp:\" line, so there is nothing to "
                         "replay (is it a traffic log, Mirelund.log, written while a detector was "
                         "connected?)\n",
                         path.c_str());
        }
        return first.has_value();
    }
};

int Run(int argc, char** argv) {
    sim::SimOptions options;
    std::string message;
    if (!sim::ParseOptions(argc, argv, options, message)) {
        std::fputs(message.c_str(), options.help ? stdout : stderr);
        return options.help ? 0 : 2;
    }
    ReplayInput replay;
    if (!options.replay.empty() && !replay.Open(options.replay)) {
        return 2;
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

    int result = options.replay.empty()
                     ? sim::Simulator(options, line, commandLog.get(), eventLog.get(), gStop).Run()
                     : sim::ReplayPlayer(*replay.reader, std::move(*replay.first), options.speed,
                                         options.duration, line, commandLog.get(), gStop)
                           .Run();
    if (!replay.file.ReadError().empty()) {
        // The replay ended where the log could no longer be read.
        SayUnreadable(options.replay, replay.file.ReadError());
        result = 1;
    }
    if (gEntryRemoved) {
        line.ForgetEntry();
    }
    return result;
}

} // namespace

int main(int argc, char** argv) {
    // Whatever goes wrong ends in a message and a status, never an abort: unwinding also
    // removes the port entry.
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "detector-sim: %s\n", e.what());
        return 1;
    }
}
