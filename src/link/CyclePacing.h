// When the window runs the next link cycle. A port the event loop can watch wakes the cycle
// when bytes arrive, and a timer wakes it at the supervision's next deadline, so an idle tool
// sleeps; a port that cannot be watched is polled every millisecond.
#pragma once

#include "catalogue/DateTime.h"

namespace detlink {

inline constexpr double kOneMillisecond = catalogue::kOneSecond / 1000;
// Between two cycles of a line that delivers its bytes in many small pieces: it then costs
// well under one wake-up per frame, and a frame waits at most this long.
inline constexpr double kCycleSpacing = kOneMillisecond;
// After the port said it was readable and gave nothing (a hung-up line stays readable),
// the cycle keeps to the timer this long instead of waking at once again.
inline constexpr double kQuietSpacing = 20 * kOneMillisecond;
// A limit counts as passed only once the time since the last frame exceeds it.
inline constexpr double kDeadlineMargin = kOneMillisecond;

enum class PortWatch {
    Unsupported, // the platform's port handle cannot be watched: poll
    Closed,      // nothing can arrive; only deadlines matter
    Open,        // watchable
};

// What a cycle saw, in steady days.
struct CycleOutcome {
    double now = 0;
    // When the supervision next has something to do (LinkCycle::NextDeadline).
    double deadline = 0;
    int bytesRead = 0;
    bool wokenByPort = false;
};

struct CycleWait {
    // Run the cycle as soon as the port has bytes.
    bool watchPort = false;
    // And at this steady time at the latest.
    double wakeAt = 0;
};

// Plans each next cycle from the last one's outcome. It learns how the line delivers: in
// small pieces (a frame or two apart, as a plain UART does), and then the cycle reads again
// after the spacing without waiting to be told, one wake-up instead of two; or in chunks
// further apart (a USB adapter, a pseudo-terminal), and then it waits on the port.
class CyclePacer {
public:
    CycleWait Plan(PortWatch port, const CycleOutcome& outcome);

private:
    bool bChunked = false;
    bool bReadAgainPlanned = false;
    double lastCycle = -1;
};

// Whole milliseconds from now until wakeAt, never negative: a timer's interval.
int MillisecondsUntil(double now, double wakeAt);

} // namespace detlink
