// Plays a traffic log's "Inp:" bytes onto the line at the recorded pace; commands the program
// sends meanwhile are logged and change nothing of what is played.
#pragma once

#include "CommandParser.h"
#include "DetectorModel.h"
#include "PtyEndpoint.h"
#include "ReplayLog.h"

#include <csignal>
#include <cstdio>

namespace sim {

class ReplayPlayer {
public:
    // speed: recorded seconds per played second; duration: seconds before exiting, 0 for none.
    ReplayPlayer(const ReplayLog& log, double speed, double duration, PtyEndpoint& line,
                 std::FILE* commandLog, const volatile std::sig_atomic_t& stop);

    // Plays the whole log and returns once the program has read its last byte (or soon after,
    // if it never does), when stopped, or after the duration.
    int Run();

private:
    void Receive(double now);
    void Play(const ReplayChunk& chunk);

    const ReplayLog& log;
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
