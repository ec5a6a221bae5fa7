// The detector's main loop: telemetry out in batches per tick, commands in as they arrive.
#pragma once

#include "CommandParser.h"
#include "DetectorModel.h"
#include "EventLog.h"
#include "PtyEndpoint.h"
#include "SimOptions.h"
#include "TelemetrySchedule.h"

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

namespace sim {

class Simulator {
public:
    Simulator(SimOptions& options, PtyEndpoint& line, std::FILE* commandLog, std::FILE* eventLog,
              const volatile std::sig_atomic_t& stop)
        : options(options)
        , line(line)
        , commandLog(commandLog)
        , events(options.scenario, eventLog)
        , stop(stop)
        , model(options.fields, options.noise, options.refusePosition, options.calibrating,
                options.seed)
        , schedule(options.incompleteCycle)
        , random(options.seed + 1) {}

    // Sends telemetry and takes commands until stop is set or the duration has passed.
    int Run();

private:
    void Receive();
    void SendDue(double t);
    void AppendFrame(std::vector<std::uint8_t>& out, double t);

    SimOptions& options;
    PtyEndpoint& line;
    std::FILE* commandLog;
    EventLog events;
    const volatile std::sig_atomic_t& stop;
    DetectorModel model;
    TelemetrySchedule schedule;
    CommandParser parser;
    std::mt19937 random;
    double start = 0;
    long long framesDue = 0;
    long long frameCount = 0;
};

} // namespace sim
