// Telemetry rules, identification, supervision branches and error reporting of the link cycle.
#include "LinkTestSupport.h"

#include <algorithm>
#include <limits>

using namespace linktest;
using detlink::EDevDetect;
using detlink::EDevNone;
using detlink::EDevPause;
using detlink::EDevRefresh;
using detlink::EDevWork;

class LinkCycleTest : public LinkFixture {
protected:
    int Count(const std::string& call) const {
        return static_cast<int>(std::count(observer.calls.begin(), observer.calls.end(), call));
    }
    // An identified detector whose signal has moved the link to Work.
    void Working() {
        OpenPort();
        FullCycle();
        Tick(Word(1, 5));
        ASSERT_EQ(link.eDeviceState, EDevWork);
    }
    // Silence until the link pauses.
    void Pause() {
        clock.AdvanceSeconds(2.6);
        link.TimerTimer();
        ASSERT_EQ(link.eDeviceState, EDevPause);
    }
};

TEST_F(LinkCycleTest, FullCycleIdentifiesStoresPortAndSignalMovesToWork) {
    OpenPort(3);
    FullCycle();
    EXPECT_EQ(link.eDeviceState, EDevDetect);
    EXPECT_EQ(Count("IdentifyDetector"), 1);
    EXPECT_EQ(observer.storedPorts, std::vector<int>{3});
    EXPECT_TRUE(events.bAlarmResync);
    EXPECT_EQ(link.iKindSum, 0);
    Tick(Word(1, 10));
    EXPECT_EQ(link.eDeviceState, EDevWork);
    FullCycle();
    EXPECT_EQ(link.eDeviceState, EDevRefresh);
    EXPECT_EQ(Count("IdentifyDetector"), 1);
    Tick(Word(1, 10));
    EXPECT_EQ(link.eDeviceState, EDevWork);
}

TEST_F(LinkCycleTest, ShortRunSumming25IdentifiesNothingAndClearsSum) {
    OpenPort();
    for (int kind = 3; kind < 8; ++kind) {
        Tick(Word(kind, 1));
    }
    EXPECT_EQ(link.eDeviceState, EDevNone);
    EXPECT_EQ(link.iKindSum, 0);
    EXPECT_EQ(Count("IdentifyDetector"), 0);
}

TEST_F(LinkCycleTest, DaysWithoutSupplyWordNeitherOverflowTheSumNorStopIdentification) {
    // The sum that some days of kinds 2..6 with no kind 7 between build up at the line's
    // 1,440 frames a second, then the supply word that ends the run.
    OpenPort();
    link.iKindSum = std::numeric_limits<int>::max() - 4;
    Tick(Word(6, 1));
    Tick(Word(7, 1));
    EXPECT_EQ(link.eDeviceState, EDevDetect);
    EXPECT_EQ(link.iKindSum, 0);
}

TEST_F(LinkCycleTest, KindRulesCallTheirViewsInOrder) {
    OpenPort();
    observer.calls.clear();
    for (int kind = 0; kind < 8; ++kind) {
        link.ApplyTelemetry(Word(kind, 1));
    }
    const std::vector<std::string> expected{
        "ShowPosition", "OnSignalWord",    "OnStateWord",  "PlaceSetupMarkers", "ShowSetup",
        "ShowSpeed",    "ShowSignalLevel", "ShowIdentity", "IdentifyDetector",  "ShowSupply"};
    EXPECT_EQ(observer.calls, expected);
}

TEST_F(LinkCycleTest, StateChangeToCalibrationSwitchesPageAndSnapshotsOnce) {
    OpenPort();
    pictures.recording = true;
    link.ApplyTelemetry(Word(2, 2 << 10));
    link.ApplyTelemetry(Word(2, 2 << 10));
    EXPECT_EQ(Count("ShowCalibrationPage"), 1);
    EXPECT_EQ(pictures.labels, std::vector<std::string>{"Calibration"});
    EXPECT_EQ(events.iCalibrationCount, 1);
    link.ApplyTelemetry(Word(2, 4 << 10));
    EXPECT_EQ(pictures.labels.back(), "Settings Change");
    EXPECT_EQ(events.iSettingsChangeCount, 1);
}

TEST_F(LinkCycleTest, ResyncAfterIdentificationSnapshotsNextStateWordOnlyWhenSaveChecked) {
    OpenPort();
    FullCycle();
    link.ApplyTelemetry(Word(2, 0));
    EXPECT_FALSE(events.bAlarmResync);
    EXPECT_TRUE(pictures.labels.empty());
    events.bAlarmResync = true;
    pictures.recording = true;
    link.ApplyTelemetry(Word(2, 0));
    EXPECT_EQ(pictures.labels, std::vector<std::string>{"Calibration"});
}

TEST_F(LinkCycleTest, SilenceGivesPauseAfter2500msThenLost3500msLater) {
    EnableLog();
    Working();
    pictures.recording = true;
    const std::size_t before = LogTexts().size();
    clock.AdvanceSeconds(2.49);
    link.TimerTimer();
    EXPECT_EQ(link.eDeviceState, EDevWork);
    clock.AdvanceSeconds(0.03);
    link.TimerTimer();
    EXPECT_EQ(link.eDeviceState, EDevPause);
    EXPECT_EQ(link.Status.w2.state, 7);
    EXPECT_EQ(Count("ShowPauseState"), 1);
    EXPECT_EQ(events.iPauseCount, 1);
    auto lines = LogTexts();
    ASSERT_EQ(lines.size(), before + 2);
    EXPECT_EQ(lines[before],
              "Pause!!! void TfmMain::Recv()|if(dblPeriod>1./24/60/60*2.5 && eDeviceState >= "
              "EDevWork && eDeviceState < EDevPause)");
    EXPECT_EQ(lines[before + 1],
              "Now()=07:35.720 PacketTime=07:33.200 period=00:02.520 const=00:02.500");

    clock.AdvanceSeconds(3.49);
    link.TimerTimer();
    EXPECT_EQ(link.eDeviceState, EDevPause);
    clock.AdvanceSeconds(0.02);
    link.TimerTimer();
    EXPECT_EQ(link.eDeviceState, EDevNone);
    lines = LogTexts();
    ASSERT_EQ(lines.size(), before + 4);
    EXPECT_EQ(
        lines[before + 2],
        "Lost!!! void TfmMain::Recv()|if(dblPeriod>1./24/60/60*3.5 && eDeviceState >= EDevPause)");
    EXPECT_EQ(lines[before + 3],
              "Now()=07:39.230 PacketTime=07:35.720 period=00:03.510 const=00:03.500");
    EXPECT_EQ(pictures.labels, (std::vector<std::string>{"Pause", "Disconnection"}));
    EXPECT_EQ(events.iDisconnectionCount, 1);
    EXPECT_EQ(link.Status.w2.state, 6);
    EXPECT_EQ(link.Status.w0.number, 127);
}

TEST_F(LinkCycleTest, SupervisionMeasuresSteadyTimeNotWallTime) {
    Working();
    clock.SetWall(clock.Now() + 3600 * catalogue::kOneSecond);
    link.TimerTimer();
    EXPECT_EQ(link.eDeviceState, EDevWork);
}

TEST_F(LinkCycleTest, GoodFrameDuringPauseResumesWorkAndAsksForResync) {
    Working();
    Pause();
    events.bAlarmResync = false; // the identification's request has been answered
    pictures.recording = true;
    Tick(Word(3, 1));
    EXPECT_EQ(link.eDeviceState, EDevWork);
    EXPECT_TRUE(events.bAlarmResync);
}

TEST_F(LinkCycleTest, HungOnlyWhenNoCycleRanBetween2500msAnd12s) {
    EnableLog();
    OpenPort();
    FullCycle();
    ASSERT_EQ(link.eDeviceState, EDevDetect);
    clock.AdvanceSeconds(12.1);
    link.TimerTimer();
    EXPECT_EQ(link.eDeviceState, EDevNone);
    EXPECT_EQ(
        LogTexts()[LogTexts().size() - 2],
        "Hung!!! void TfmMain::Recv()|if(dblPeriod>1./24/60/60*12 && eDeviceState == EDevDetect)");
    EXPECT_EQ(LogTexts().back().substr(LogTexts().back().size() - 15), "const=00:12.000");
}

TEST_F(LinkCycleTest, NoDetectorReopensPortEvery1200msButFramesHoldItOff) {
    OpenPort();
    const int opens = port.openCount;
    clock.AdvanceSeconds(1.0);
    Tick(Word(1, 1));
    clock.AdvanceSeconds(1.0);
    link.TimerTimer();
    EXPECT_EQ(port.openCount, opens);
    clock.AdvanceSeconds(0.3);
    link.TimerTimer();
    EXPECT_EQ(port.openCount, opens + 1);
    EXPECT_EQ(port.lastOpened, 1);
    EXPECT_EQ(Count("ResetStatus"), 1);
}

TEST_F(LinkCycleTest, ErrorsInsideACycleAreReportedAndTheCycleCarriesOn) {
    OpenPort();
    port.throwOnRead = true;
    link.TimerTimer();
    link.TimerTimer();
    EXPECT_EQ(observer.errors, (std::vector<std::string>{"port fault", "port fault"}));
    port.throwOnRead = false;
    Tick(Word(1, 9));
    EXPECT_EQ(link.Status.w1.sig, 9);
}

TEST_F(LinkCycleTest, SilentLinkNeverSendsArmedCommands) {
    OpenPort();
    link.QueueCommand0(1, 2, 0, 0);
    for (int i = 0; i < 10; ++i) {
        clock.AdvanceSeconds(0.5);
        link.TimerTimer();
    }
    EXPECT_TRUE(port.writes.empty());
}

// Steady cycles without a signal frame keep the link in Detect; the pause rule still
// catches it 2.5 s after the last good frame, long before the 12 s guard.
TEST_F(LinkCycleTest, DetectGoesToPauseAfter2500msOfSilenceWhileCyclesRun) {
    OpenPort();
    FullCycle();
    ASSERT_EQ(link.eDeviceState, EDevDetect);
    for (int step = 0; step < 24; ++step) {
        clock.AdvanceSeconds(0.1);
        link.TimerTimer();
    }
    EXPECT_EQ(link.eDeviceState, EDevDetect);
    clock.AdvanceSeconds(0.11);
    link.TimerTimer();
    EXPECT_EQ(link.eDeviceState, EDevPause);
    EXPECT_EQ(Count("ResetStatus"), 0);
}

TEST_F(LinkCycleTest, PauseAndLostWithoutSaveTakeNoPictureAndCountNothing) {
    Working();
    Pause();
    clock.AdvanceSeconds(3.6);
    link.TimerTimer();
    ASSERT_EQ(link.eDeviceState, EDevNone);
    EXPECT_TRUE(pictures.labels.empty());
    EXPECT_EQ(events.iPauseCount + events.iDisconnectionCount, 0);
}
