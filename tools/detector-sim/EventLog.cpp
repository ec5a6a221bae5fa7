// The scenario's events written as they start.
#include "EventLog.h"

#include <algorithm>

namespace sim {

EventLog::EventLog(const Scenario& scenario, std::FILE* out)
    : pending(scenario.Events())
    , out(out) {
    std::stable_sort(
        pending.begin(), pending.end(),
        [](const ScenarioEvent& a, const ScenarioEvent& b) { return a.start < b.start; });
}

void EventLog::Advance(double t) {
    if (!out) {
        return;
    }
    bool wrote = false;
    for (; next < pending.size() && pending[next].start <= t; ++next) {
        const ScenarioEvent& event = pending[next];
        std::fprintf(out, "%.3f %s %g %d\n", t, ActionName(event.kind), event.duration,
                     event.value);
        wrote = true;
    }
    if (wrote) {
        std::fflush(out);
    }
}

} // namespace sim
