// Telemetry kind order.
#include "TelemetrySchedule.h"

namespace sim {

namespace {
constexpr int kSignalKind = 1;
constexpr int kStateKind = 2;
} // namespace

TelemetrySchedule::TelemetrySchedule(bool incomplete) {
    for (int kind : {0, 2, 3, 4, 5, 6, 7}) {
        if (incomplete && kind == kStateKind) {
            continue;
        }
        cycle.push_back(kSignalKind);
        cycle.push_back(kind);
    }
}

int TelemetrySchedule::NextKind() {
    const int kind = cycle[position];
    position = (position + 1) % cycle.size();
    return kind;
}

} // namespace sim
