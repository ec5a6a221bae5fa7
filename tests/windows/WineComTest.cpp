// The Win32 serial backend and the spooler's port list on a real line: under Wine, a COM port
// linked onto the simulated detector's pseudo-terminal and named in the spooler's port list.
// The link lists and opens the port, identifies the detector, sends a command the detector
// confirms, and the port reopens after a close. The port number and the detector's
// identity come from the environment (tests/windows/wine-com-test sets them).
#include "link/LinkTestSupport.h"
#include "link/SystemPorts.h"
#include "link/TrafficLog.h"

#include <algorithm>
#include <cstdlib>
#include <windows.h>

namespace {

int FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? -1 : std::atoi(value);
}

class WineCom : public ::testing::Test {
protected:
    void SetUp() override {
        if (port < 1) {
            GTEST_SKIP() << "MIRELUND_TEST_COM not set: run through wine-com-test";
        }
    }

    // Link cycles on the real clock, as the window's timer runs them, until the condition
    // holds or the time is up.
    bool RunUntil(const std::function<bool()>& condition, int milliseconds) {
        for (int i = 0; i < milliseconds && !condition(); ++i) {
            link.TimerTimer();
            Sleep(1);
        }
        return condition();
    }

    const int port = FromEnvironment("MIRELUND_TEST_COM");
    detlink::SystemClock clock;
    detlink::TrafficLog log{clock, testing_support::UniqueTempPath("winecom", ".log").string()};
    linktest::RecordingObserver observer;
    linktest::FakePictures pictures;
    detlink::RecordingEvents events{pictures};
    detlink::SerialGate gate;
    detlink::LinkCycle link{
        clock,
        log,
        observer,
        gate,
        [this] { return std::vector<std::string>{"COM" + std::to_string(port) + ":"}; },
        events};
};

TEST_F(WineCom, TheSpoolerListsThePort) {
    const std::vector<std::string> names = detlink::SystemPortNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "COM" + std::to_string(port) + ":"),
              names.end());
}

TEST_F(WineCom, TheDetectorIsIdentifiedAndConfirmsACommand) {
    link.iComPort = port;
    link.RefreshPortList();
    ASSERT_TRUE(link.bComPortOpen) << gate.OpenFailure();
    EXPECT_EQ(link.iComPort, port);
    ASSERT_TRUE(RunUntil([this] { return link.eDeviceState == detlink::EDevWork; }, 5000));
    EXPECT_EQ(observer.storedPorts, std::vector<int>{port});
    EXPECT_EQ(link.Status.w0.symbol, FromEnvironment("MIRELUND_TEST_SYMBOL"));
    EXPECT_EQ(link.Status.w0.number, FromEnvironment("MIRELUND_TEST_NUMBER"));
    EXPECT_EQ(link.Status.w6.adr, FromEnvironment("MIRELUND_TEST_ADR"));

    link.QueueCommand3(5, 99);
    EXPECT_TRUE(RunUntil(
        [this] { return link.Status.w0.symbol == 5 && link.Status.w0.number == 99; }, 5000));
    EXPECT_TRUE(observer.errors.empty());
}

// Wine does not refuse a second open of a serial device held with share mode 0, as Windows
// does, so exclusivity is not checked here; reopening the port the link just closed is.
TEST_F(WineCom, TheLinksOwnPortReopens) {
    ASSERT_TRUE(gate.Open(port, detlink::kLinkBaudRate)) << gate.OpenFailure();
    gate.Close();
    EXPECT_TRUE(gate.Open(port, detlink::kLinkBaudRate)) << gate.OpenFailure();
}

TEST_F(WineCom, AMissingPortSaysSo) {
    detlink::SerialGate missing;
    EXPECT_FALSE(missing.Open(250, detlink::kLinkBaudRate));
    EXPECT_EQ(missing.OpenFailure(), "COM250: no such port any more.");
}

} // namespace
