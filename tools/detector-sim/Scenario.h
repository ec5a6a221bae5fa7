// Timed events that disturb the detector: intrusions, faults, warnings, silence, line noise.
#pragma once

#include "DetectorModel.h"

#include <optional>
#include <string>
#include <vector>

namespace sim {

enum class EventKind { Walk, Malfunction, Dis, Silence, Noise, Corrupt };

struct ScenarioEvent {
    double start = 0;    // seconds after the simulator starts
    double duration = 0; // seconds
    EventKind kind = EventKind::Walk;
    int value = -1; // walk: peak level; dis: warning code
};

// Line form: "<start> <action> <duration> [value]", e.g. "2 walk 1.5 900". Blank lines and
// lines starting with '#' give nullopt with an empty error.
std::optional<ScenarioEvent> ParseEvent(const std::string& line, std::string& error);

// The action's word in a scenario line: "walk", "silence", ...
const char* ActionName(EventKind kind);

class Scenario {
public:
    void Add(const ScenarioEvent& event) { events.push_back(event); }
    const std::vector<ScenarioEvent>& Events() const { return events; }

    Conditions At(double t) const;
    bool Silent(double t) const;
    bool Noisy(double t) const;
    bool Corrupting(double t) const;

private:
    bool Active(EventKind kind, double t) const;

    std::vector<ScenarioEvent> events;
};

} // namespace sim
