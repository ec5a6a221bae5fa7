// The wake-up rules of the link cycle.
#include "link/CyclePacing.h"

#include "link/FrameScanner.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace detlink {

CycleWait CyclePacer::Plan(PortWatch port, const CycleOutcome& outcome) {
    const double deadline = outcome.deadline + kDeadlineMargin;
    const bool readAgain = bReadAgainPlanned;
    const bool early = lastCycle >= 0 && outcome.now - lastCycle < kCycleSpacing;
    bReadAgainPlanned = false;
    lastCycle = outcome.now;
    switch (port) {
    case PortWatch::Unsupported:
        return {false, outcome.now + kOneMillisecond};
    case PortWatch::Closed:
        return {false, deadline};
    case PortWatch::Open:
        break;
    }
    if (readAgain && outcome.bytesRead == 0) {
        bChunked = true;
    } else if (outcome.wokenByPort && early) {
        bChunked = false;
    }
    // A full read may have left bytes waiting, whatever the line's habit.
    if (outcome.bytesRead >= kMaxReadBytes || (outcome.bytesRead > 0 && !bChunked)) {
        bReadAgainPlanned = true;
        return {false, std::min(outcome.now + kCycleSpacing, deadline)};
    }
    if (outcome.bytesRead == 0 && outcome.wokenByPort) {
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
