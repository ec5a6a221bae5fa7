// The event loop's pacing of the link cycle over a real descriptor (a pipe standing for the
// port): asleep while the line is silent, awake when bytes come, and never spinning on a
// descriptor that stays readable with nothing to read.
#include "console/LinkPacer.h"

#include "link/Clock.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#ifdef _WIN32

// A Win32 serial handle cannot be watched by the event loop: the pacer polls it every 1 ms
// behind the same interface, so there is no descriptor for these tests to drive.
TEST(LinkPacerTest, WatchesThePortsDescriptor) {
    GTEST_SKIP() << "POSIX only: Win32 serial handles are polled, not watched";
}

#else

#include <fcntl.h>
#include <unistd.h>

namespace {

using detlink::CycleOutcome;
using detlink::PortWatch;

class LinkPacerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::pipe2(fds, O_NONBLOCK), 0); }
    void TearDown() override {
        pacer.reset();
        for (int fd : fds)
            if (fd >= 0)
                ::close(fd);
    }
    void Make(double deadlineSeconds) {
        pacer = std::make_unique<console::LinkPacer>(
            clock, [this] { return std::make_pair(PortWatch::Open, fds[0]); },
            [this, deadlineSeconds](bool wokenByPort) {
                ++cycles;
                wokenByPort ? ++portWakes : ++timerWakes;
                if (duringCycle)
                    std::exchange(duringCycle, nullptr)();
                char buffer[100];
                const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
                const double now = clock.SteadyNow();
                if (n > 0)
                    bytes += static_cast<int>(n);
                // Renewed when passed, as the supervision renews its time when it acts.
                if (deadline == 0 || now > deadline)
                    deadline = now + deadlineSeconds * catalogue::kOneSecond;
                return CycleOutcome{now, deadline, n > 0 ? static_cast<int>(n) : 0, wokenByPort};
            },
            nullptr);
        pacer->Start();
    }
    static void RunEventsFor(int ms) {
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }

    detlink::SystemClock clock;
    int fds[2] = {-1, -1};
    std::unique_ptr<console::LinkPacer> pacer;
    double deadline = 0;
    int cycles = 0;
    int portWakes = 0;
    int timerWakes = 0;
    int bytes = 0;
    // Runs once inside the next cycle, before it reads.
    std::function<void()> duringCycle;
};

} // namespace

TEST_F(LinkPacerTest, ASilentLineSleepsAndBytesWakeTheCycleAtOnce) {
    Make(60);
    RunEventsFor(150);
    EXPECT_EQ(cycles, 1) << "only the first cycle, from Start";
    EXPECT_TRUE(pacer->bActive());

    ASSERT_EQ(::write(fds[1], "\0\1\2\3", 4), 4);
    QTRY_COMPARE_WITH_TIMEOUT(bytes, 4, 1000);
    EXPECT_EQ(portWakes, 1);
    RunEventsFor(100);
    // The read-again after the spacing finds nothing and the line is watched again.
    EXPECT_EQ(cycles, 3);
}

TEST_F(LinkPacerTest, TheDeadlineWakesTheCycleWithoutBytes) {
    Make(0.05);
    QTRY_VERIFY_WITH_TIMEOUT(timerWakes >= 2, 2000);
    EXPECT_EQ(portWakes, 0);
}

TEST_F(LinkPacerTest, AHungUpLineStaysReadableButTheCycleDoesNotSpin) {
    Make(60);
    ::close(fds[1]);
    fds[1] = -1;
    RunEventsFor(200);
    // At most two wake-ups per quiet spell of 20 ms; a spinning loop would run thousands.
    EXPECT_GE(portWakes, 1);
    EXPECT_LE(cycles, 30);
}

TEST_F(LinkPacerTest, StoppedItWakesNothing) {
    Make(0.01);
    pacer->Stop();
    ASSERT_EQ(::write(fds[1], "\0", 1), 1);
    RunEventsFor(100);
    EXPECT_EQ(cycles, 0);
    EXPECT_FALSE(pacer->bActive());
}

TEST_F(LinkPacerTest, AWakeInsideACyclesOwnEventLoopRunsNoCycle) {
    Make(60);
    RunEventsFor(20);
    int cyclesInside = -1;
    bool activeInside = true;
    // A fault dialog runs its own event loop inside the cycle while the port has bytes.
    duringCycle = [&] {
        const int before = cycles;
        RunEventsFor(50);
        cyclesInside = cycles - before;
        activeInside = pacer->bActive();
    };
    ASSERT_EQ(::write(fds[1], "\0\1", 2), 2);
    QTRY_COMPARE_WITH_TIMEOUT(cyclesInside, 0, 1000);
    EXPECT_FALSE(activeInside);
    // Once the cycle has ended the pacer plans on as before.
    QTRY_COMPARE_WITH_TIMEOUT(bytes, 2, 1000);
    EXPECT_TRUE(pacer->bActive());
}

#endif
