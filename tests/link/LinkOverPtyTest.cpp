// The whole link over a real pseudo-terminal: a detector found, then its port vanishing,
// which must lead through Pause and Lost to quiet reopen attempts every 1.2 s.
#include "LinkTestSupport.h"
#include "link/PosixSerialBackend.h"

#include <algorithm>
#include <fcntl.h>

using namespace linktest;

TEST(LinkOverPty, VanishingPortGoesThroughPauseAndLostToPeriodicReopen) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        GTEST_SKIP() << "no pseudo-terminal";
    }
    const auto dir =
        std::filesystem::temp_directory_path() / ("linkpty-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::create_symlink(::ptsname(master), dir / "com4");
    const detlink::PortDirectory ports(dir.string(), false);

    testing_support::FakeClock clock;
    detlink::TrafficLog log(clock, (dir / "absent.log").string());
    RecordingObserver observer;
    FakePictures pictures;
    detlink::RecordingEvents events{pictures};
    detlink::SerialGate gate(std::make_unique<detlink::PosixSerialBackend>(ports));
    detlink::LinkCycle link(
        clock, log, observer, gate, [&ports] { return ports.PortNames(); }, events);
    link.iComPort = 4;
    link.RefreshPortList();
    ASSERT_TRUE(link.bComPortOpen);

    std::vector<detlink::TelemetryWord> words;
    for (int kind : {0, 1, 2, 3, 4, 5, 6, 7, 1}) {
        words.push_back(Word(kind, kind == 0 ? 0x101 : 1));
    }
    const std::vector<std::uint8_t> telemetry = WireFrames(words);
    ASSERT_EQ(::write(master, telemetry.data(), telemetry.size()),
              static_cast<ssize_t>(telemetry.size()));
    for (int i = 0; i < 200 && link.eDeviceState != detlink::EDevWork; ++i) {
        link.TimerTimer();
        ::usleep(1000);
    }
    ASSERT_EQ(link.eDeviceState, detlink::EDevWork);
    EXPECT_EQ(observer.storedPorts, std::vector<int>{4});

    ::close(master);
    clock.AdvanceSeconds(2.6);
    link.TimerTimer();
    EXPECT_EQ(link.eDeviceState, detlink::EDevPause);
    clock.AdvanceSeconds(3.6);
    link.TimerTimer();
    EXPECT_EQ(link.eDeviceState, detlink::EDevNone);

    auto notes = [&observer] {
        return std::count(observer.calls.begin(), observer.calls.end(), "NoteCannotOpen");
    };
    for (int i = 0; i < 100; ++i) {
        link.TimerTimer();
    }
    EXPECT_EQ(notes(), 0);
    clock.AdvanceSeconds(1.3);
    for (int i = 0; i < 100; ++i) {
        link.TimerTimer();
    }
    EXPECT_EQ(notes(), 1); // one reopen attempt, not one per tick
    EXPECT_FALSE(link.bComPortOpen);
    EXPECT_TRUE(observer.errors.empty());
    std::filesystem::remove_all(dir);
}
