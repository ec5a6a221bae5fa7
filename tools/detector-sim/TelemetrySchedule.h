// The order in which the detector sends its telemetry kinds.
#pragma once

#include <vector>

namespace sim {

class TelemetrySchedule {
public:
    // A signal word between each two other words, one word of each other kind per cycle, the
    // supply word last so that it closes the cycle. incomplete leaves out the state word, so
    // the kind sum at the supply word stays at 25 and no full cycle is ever seen.
    explicit TelemetrySchedule(bool incomplete);

    int NextKind();

private:
    std::vector<int> cycle;
    std::size_t position = 0;
};

} // namespace sim
