// Plays a traffic log's "Inp:" bytes onto the line at the recorded pace; commands the program
// sends meanwhile are logged and change nothing of what is played.
#pragma once

#include "CommandParser.h"
#include "DetectorModel.h"
#include "PtyEndpoint.h"
#include "ReplayLogReader.h"

#include <csignal>
#include <cstdio>
#include <optional>

namespace sim {

class ReplayPlayer {
public:
    // first: the log's first chunk, read before the line was set up; the rest is read from log
    // as it plays. speed: recorded seconds per played second; duration: seconds before
    // exiting, 0 for none.
    ReplayPlayer(ReplayLogReader& log, ReplayChunk first, double speed, double duration,
                 PtyEndpoint& line, std::FILE* commandLog, const volatile std::sig_atomic_t& stop);

    // Plays the log to its end and returns once the program has read its last byte (or soon
    // after, if it never does), when stopped, or after the duration.
    int Run();

private:
    void Receive(double now);
    void Play(const ReplayChunk& chunk);

    ReplayLogReader& log;
    std::optional<ReplayChunk> next; // read one ahead, so its time is known before it is due
    double speed;
    double duration;
    PtyEndpoint& line;
    std::FILE* commandLog;
    const volatile std::sig_atomic_t& stop;
    CommandParser parser;
    // Only turns command bytes into their log text; what is played never asks it.
    DetectorModel decoder;
};

} // namespace sim
