// One line per scenario event as it starts, so that a long run's disturbances can be set
// against what the tool made of them.
#pragma once

#include "Scenario.h"

#include <cstdio>
#include <vector>

namespace sim {

class EventLog {
public:
    // out may be null: then nothing is written.
    EventLog(const Scenario& scenario, std::FILE* out);

    // Writes every event that has started by t and was not written yet, in order of start:
    // "<t> <action> <duration> <value>", t in seconds since the simulator started, e.g.
    // "12.004 walk 1.5 1000"; the value is -1 where the action takes none.
    void Advance(double t);

private:
    std::vector<ScenarioEvent> pending; // by start time
    std::size_t next = 0;
    std::FILE* out;
};

} // namespace sim
