// The link cycle's wake-up rules, and that waking at the planned time keeps every supervision
// limit to the millisecond.
#include "LinkTestSupport.h"

#include "link/CyclePacing.h"

#include <algorithm>
#include <climits>

using namespace linktest;
using detlink::CycleOutcome;
using detlink::CyclePacer;
using detlink::kOneMillisecond;
using detlink::PortWatch;

namespace {

constexpr double kNow = 1000.0;
constexpr double kMs = kOneMillisecond;

struct PlanCase {
    const char* name;
    PortWatch port;
    int bytesRead;
    bool wokenByPort;
    double deadlineMs; // from now
    bool watchPort;
    double wakeMs; // from now
};

const PlanCase kPlanCases[] = {
    {"PolledEveryMillisecondWithoutANotifier", PortWatch::Unsupported, 0, false, 2500, false, 1},
    {"PolledEvenWhileTalking", PortWatch::Unsupported, 40, false, 2500, false, 1},
    {"ClosedPortSleepsUntilTheDeadline", PortWatch::Closed, 0, false, 1200, false, 1201},
    {"SilentPortIsWatchedUntilTheDeadline", PortWatch::Open, 0, false, 2500, true, 2501},
    {"TalkingLineIsReadAgainAfterTheSpacing", PortWatch::Open, 58, false, 2500, false, 1},
    {"FullReadIsReadAgainAfterTheSpacing", PortWatch::Open, 100, true, 2500, false, 1},
    {"ReadableButEmptyKeepsQuiet", PortWatch::Open, 0, true, 2500, false, 20},
    {"DeadlineBeforeTheQuietEnds", PortWatch::Open, 0, true, 5, false, 6},
    {"DeadlineAlreadyPassed", PortWatch::Open, 3, false, -10, false, -9},
};

class PlanTest : public ::testing::TestWithParam<PlanCase> {};

} // namespace

TEST_P(PlanTest, WatchesAndWakes) {
    const PlanCase& c = GetParam();
    const auto wait = CyclePacer().Plan(
        c.port, CycleOutcome{kNow, kNow + c.deadlineMs * kMs, c.bytesRead, c.wokenByPort});
    EXPECT_EQ(wait.watchPort, c.watchPort);
    EXPECT_NEAR((wait.wakeAt - kNow) / kMs, c.wakeMs, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(FirstCycle, PlanTest, ::testing::ValuesIn(kPlanCases),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

// One cycle at `ms` after kNow; the deadline stays far.
detlink::CycleWait Cycle(CyclePacer& pacer, double ms, int bytes, bool byPort) {
    return pacer.Plan(PortWatch::Open,
                      CycleOutcome{kNow + ms * kMs, kNow + 60000 * kMs, bytes, byPort});
}

} // namespace

TEST(CyclePacer, LearnsWhetherTheLineComesInChunksOrInPieces) {
    CyclePacer pacer;
    // A chunk: read again after the spacing, which finds nothing: the line comes in chunks.
    EXPECT_FALSE(Cycle(pacer, 0, 58, true).watchPort);
    EXPECT_TRUE(Cycle(pacer, 1, 0, false).watchPort);
    // From now on a chunk is read when the port says so, one wake-up a chunk.
    EXPECT_TRUE(Cycle(pacer, 10, 58, true).watchPort);
    EXPECT_TRUE(Cycle(pacer, 20, 58, true).watchPort);
    // A full read is read again at once whatever the habit.
    EXPECT_FALSE(Cycle(pacer, 30, 100, true).watchPort);
    EXPECT_TRUE(Cycle(pacer, 31, 0, false).watchPort);
    // Bytes again within the spacing: the line now comes in small pieces, read by the timer.
    EXPECT_TRUE(Cycle(pacer, 40, 4, true).watchPort);
    const auto pieces = Cycle(pacer, 40.5, 4, true);
    EXPECT_FALSE(pieces.watchPort);
    EXPECT_NEAR((pieces.wakeAt - kNow) / kMs, 41.5, 1e-3);
    EXPECT_FALSE(Cycle(pacer, 41.5, 8, false).watchPort);
    EXPECT_FALSE(Cycle(pacer, 42.5, 4, false).watchPort);
}

TEST(MillisecondsUntil, WholeMillisecondsNeverNegative) {
    EXPECT_EQ(detlink::MillisecondsUntil(kNow, kNow + 1 * kMs), 1);
    EXPECT_EQ(detlink::MillisecondsUntil(kNow, kNow + 1.2 * kMs), 2);
    EXPECT_EQ(detlink::MillisecondsUntil(kNow, kNow + 2500 * kMs), 2500);
    EXPECT_EQ(detlink::MillisecondsUntil(kNow, kNow), 0);
    EXPECT_EQ(detlink::MillisecondsUntil(kNow, kNow - 5 * kMs), 0);
    EXPECT_EQ(detlink::MillisecondsUntil(kNow, kNow + 1e9), INT_MAX);
}

namespace {

enum class Reach { NoDetector, Detecting, Working, Paused };

struct DeadlineCase {
    const char* name;
    Reach reach;
    detlink::EDeviceState before;
    detlink::EDeviceState after;
    int limitMs;
    const char* logged; // the supervision line, or "" for the reopen
};

} // namespace

class DeadlineTest : public LinkFixture, public ::testing::WithParamInterface<DeadlineCase> {
protected:
    // The last frame (if any) comes at the clock's present time.
    void Bring(Reach reach) {
        if (reach == Reach::NoDetector) {
            return;
        }
        OpenPort();
        FullCycle();
        if (reach == Reach::Working) {
            Tick(Word(1, 5));
        } else if (reach == Reach::Paused) {
            clock.AdvanceSeconds(2.6);
            link.TimerTimer();
        }
    }
};

TEST_P(DeadlineTest, TheCycleAtThePlannedWakeActsWithinAMillisecondOfTheLimit) {
    const DeadlineCase& c = GetParam();
    EnableLog();
    Bring(c.reach);
    ASSERT_EQ(link.eDeviceState, c.before);
    const CycleOutcome outcome{clock.SteadyNow(), link.NextDeadline(), 0, false};
    const int ms =
        detlink::MillisecondsUntil(outcome.now, CyclePacer().Plan(PortWatch::Open, outcome).wakeAt);
    EXPECT_LE(ms, c.limitMs + 1);

    const int opensBefore = port.openCount;
    clock.AdvanceSeconds((c.limitMs - 1) / 1000.0);
    link.TimerTimer();
    EXPECT_EQ(link.eDeviceState, c.before) << "acted a millisecond before the limit";
    EXPECT_EQ(port.openCount, opensBefore);

    clock.AdvanceSeconds((ms - c.limitMs + 1) / 1000.0);
    link.TimerTimer();
    EXPECT_EQ(link.eDeviceState, c.after) << "still waiting at the planned wake, " << ms << " ms";
    if (*c.logged) {
        const auto texts = LogTexts();
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                                [&c](const std::string& t) { return t.rfind(c.logged, 0) == 0; }));
    } else {
        EXPECT_EQ(port.openCount, opensBefore + 1);
    }
}

const DeadlineCase kDeadlineCases[] = {
    {"ReopenWithoutADetector", Reach::NoDetector, detlink::EDevNone, detlink::EDevNone, 1200, ""},
    {"PauseWhileDetecting", Reach::Detecting, detlink::EDevDetect, detlink::EDevPause, 2500,
     "Pause!!!"},
    {"PauseWhileWorking", Reach::Working, detlink::EDevWork, detlink::EDevPause, 2500, "Pause!!!"},
    {"LostAfterAPause", Reach::Paused, detlink::EDevPause, detlink::EDevNone, 3500, "Lost!!!"},
};

INSTANTIATE_TEST_SUITE_P(States, DeadlineTest, ::testing::ValuesIn(kDeadlineCases),
                         [](const auto& info) { return std::string(info.param.name); });
