// The wake-up rules of the link cycle.
#include "link/CyclePacing.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace detlink {

CycleWait PlanNextCycle(PortWatch port, const CycleOutcome& outcome) {
    const double deadline = outcome.deadline + kDeadlineMargin;
    switch (port) {
    case PortWatch::Unsupported:
        return {false, outcome.now + kOneMillisecond};
    case PortWatch::Closed:
        return {false, deadline};
    case PortWatch::Open:
        break;
    }
    // A talking line is read again after the spacing without waiting to be told: at full
    // rate there is nearly always something there, and one wake-up does instead of two.
    if (outcome.bytesRead > 0) {
        return {false, std::min(outcome.now + kCycleSpacing, deadline)};
    }
    if (outcome.wokenByPort) {
        return {false, std::min(outcome.now + kQuietSpacing, deadline)};
    }
    return {true, deadline};
}

int MillisecondsUntil(double now, double wakeAt) {
    // Times in days carry rounding of a few nanoseconds: it must not add a millisecond.
    const double ms = std::ceil((wakeAt - now) / kOneMillisecond - 1e-3);
    if (!(ms > 0)) {
        return 0;
    }
    return ms >= INT_MAX ? INT_MAX : static_cast<int>(ms);
}

} // namespace detlink
