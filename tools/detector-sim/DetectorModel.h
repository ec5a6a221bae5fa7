// The detector itself: its settings, its live signal and state, the telemetry words it reports
// and the commands it takes. Times are seconds on the caller's steady clock.
#pragma once

#include "CommandParser.h"
#include "DetectorFields.h"

#include <cstdint>
#include <random>
#include <string>

namespace sim {

// What a scenario imposes on the detector at one moment.
struct Conditions {
    int walkLevel = -1; // signal level of an intrusion in progress, -1 for none
    bool malfunction = false;
    int dis = -1; // `dis` warning in force, -1 for the configured value
};

class DetectorModel {
public:
    // calibrating: the detector starts in Calibration, as one left in the middle of alignment.
    DetectorModel(const DetectorFields& fields, int noise, bool refusePosition, bool calibrating,
                  unsigned seed);

    // The word of one kind as it goes out now; a signal word also advances `sig` and `aver`.
    std::uint16_t TelemetryWord(int kind, const Conditions& conditions, double now);

    // Applies an accepted command; repeating it changes nothing. Returns its log line.
    std::string Apply(const Command& command, double now);

    const DetectorFields& Fields() const { return fields; }

    // Signal level at which a threshold step trips: higher steps are less sensitive.
    static int ThresholdLevel(int step);

private:
    int State(const Conditions& conditions, double now) const;
    void NextSignal(const Conditions& conditions);

    DetectorFields fields;
    int iNoise;
    bool bRefusePosition;
    std::mt19937 random;
    int restingSig;
    double aver;
    bool bCalibration = false;
    double settingsChangeUntil = -1.0;
};

} // namespace sim
