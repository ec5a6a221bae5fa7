// The simulator's command line.
#pragma once

#include "DetectorFields.h"
#include "Scenario.h"

#include <string>

namespace sim {

struct SimOptions {
    DetectorFields fields;
    int comNumber = 0;    // 0: the lowest free number from 200 up
    std::string portsDir; // empty: $MIRELUND_PORTS or the user's default directory
    std::string device;   // an existing serial device instead of a pseudo-terminal
    double rate = 200;    // frames per second
    double duration = 0;  // seconds before exiting by itself; 0 runs until signalled
    int noise = 3;        // signal noise amplitude, in counts
    bool refusePosition = false;
    bool incompleteCycle = false;
    bool calibrating = false; // starts in Calibration
    unsigned seed = 1;
    std::string commandLog;
    std::string eventLog;
    std::string replay; // a traffic log whose "Inp:" lines are played instead of telemetry
    double speed = 1;   // replay pace: recorded seconds per played second
    bool help = false;  // --help: the usage text is the whole answer
    Scenario scenario;
};

constexpr double kMaxFrameRate = 1440; // 57,600 baud, 10 bits a byte, 4 bytes a frame

// Parses argv; on failure or --help returns false with the text to print in message.
bool ParseOptions(int argc, char** argv, SimOptions& options, std::string& message);

} // namespace sim
