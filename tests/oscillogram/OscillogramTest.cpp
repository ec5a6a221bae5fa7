// Tests for the oscillogram update with a fake clock, window and sink.
#include "oscillogram/Oscillogram.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/FakeClock.h"
#include "support/FakePictures.h"

namespace {

using namespace oscillogram;

struct FakeWindow : OscillogramWindow {
    bool pause = false, during = false;
    std::optional<int> mode = 0;
    int autoY = 0;
    bool PauseDown() const override { return pause; }
    bool DisplaySignalDuringAlarm() const override { return during; }
    std::optional<int> DisplayMode() const override { return mode; }
    void UpdateWrongThresholdsFrame() override {}
    void AutoYScale() override { ++autoY; }
    void ShowGuidance() override {}
};

struct FakeSink : OscillogramSink {
    std::vector<std::string> log;
    void WriteLogLine(const std::string& t) override { log.push_back(t); }
};

struct FixedLevels : ThresholdLevels {
    double pl = 10.9375, ll = 20, hl = 50;
    double TablePL(int) const override { return pl; }
    double TableLL(int) const override { return ll; }
    double TableHL(int) const override { return hl; }
};

class OscillogramTest : public ::testing::Test {
protected:
    // sig for a percent with aver 400, so that +120 % still fits ten bits.
    void Update(double percent, int state = 0, bool pp = false, bool mp = false) {
        prev = status;
        status.w1.sig = static_cast<std::uint16_t>(400 * (1 + percent / 100) + 0.5);
        status.w1.pp = pp;
        status.w1.mp = mp;
        status.w2.aver = 400;
        status.w2.state = static_cast<std::uint16_t>(state);
        clock.AdvanceSeconds(1.0);
        osc.UpdateOscillogram(status, prev);
    }
    std::size_t Count(int pos) { return chart.At(pos).Count(); }

    testing_support::FakeClock clock;
    FakeWindow window;
    FakeSink sink;
    FixedLevels levels;
    chart::ChartModel chart;
    testing_support::FakePictures pictures;
    detlink::RecordingEvents events{pictures};
    Oscillogram osc{chart, clock, window, sink, levels, events, '.'};
    detlink::DetectorStatus status{}, prev{};
};

TEST_F(OscillogramTest, PauseFreezesEverything) {
    window.pause = true;
    Update(50, 1);
    EXPECT_EQ(osc.iPlotIndex, 0);
    EXPECT_TRUE(sink.log.empty());
    EXPECT_EQ(chart.Revision(), 0u);
}

TEST_F(OscillogramTest, RateLimitAcceptsExactlyTheInterval) {
    osc.iPointsPerSecond = 19;
    Update(0);
    clock.AdvanceSeconds(0.030);
    osc.UpdateOscillogram(status, prev);
    EXPECT_EQ(sink.log.size(), 1u);
    osc.dblLastPlotTime = clock.SteadyNow() - catalogue::kOneSecond / 19;
    osc.UpdateOscillogram(status, prev);
    EXPECT_EQ(sink.log.size(), 2u);
}

TEST_F(OscillogramTest, AlarmWithoutDisplayDuringAlarm) {
    Update(0);
    Update(0, 1);
    ASSERT_EQ(Count(serRangeAlarm), 1u);
    EXPECT_EQ(chart.At(serRangeAlarm).Point(0).x, 1);
    EXPECT_EQ(chart.At(serRangeAlarm).Point(0).colour, 0x800000u);
    EXPECT_EQ(chart.At(serRangeSignal).Points().back().x, 2);
    EXPECT_EQ(osc.iPlotIndex, 3);
    EXPECT_EQ(events.iAlarmCount, 1);
    Update(0, 1);
    EXPECT_EQ(sink.log.size(), 2u);
    Update(0, 0);
    EXPECT_EQ(sink.log.size(), 3u);
    EXPECT_FALSE(osc.bAlarmLatched);
    EXPECT_EQ(window.autoY, 1);
}

TEST_F(OscillogramTest, MalfunctionBarIsYellowInAlarmSeries) {
    Update(0);
    pictures.recording = true;
    Update(0, 3);
    ASSERT_EQ(Count(serRangeAlarm), 1u);
    EXPECT_EQ(chart.At(serRangeAlarm).Point(0).colour, 0xFFFF00u);
    EXPECT_EQ(Count(serRangeMalfunction), 0u);
    EXPECT_EQ(pictures.labels, std::vector<std::string>{"Malfunction"});
}

TEST_F(OscillogramTest, DisplayModesChooseSeries) {
    struct Case {
        int mode;
        double percent;
        bool pp;
        int series;
    };
    const Case cases[] = {
        {0, 10.9375, false, serRangePPMax}, {0, 0, true, serRangePPMax},
        {0, 0, false, serRangePP},          {1, 30, false, serRangePPUp},
        {1, 0, true, serRangePPMax},        {2, 80, false, serRangePP},
        {3, 0, true, serRangePP},           {3, 30, false, serRangePPMax},
    };
    for (const auto& c : cases) {
        const auto before = Count(c.series);
        window.mode = c.mode;
        Update(c.percent, 0, c.pp);
        EXPECT_EQ(Count(c.series), before + 1) << "mode " << c.mode << " percent " << c.percent;
    }
}

TEST_F(OscillogramTest, PreAlarmOnlyWithoutAlarmOrOtherIndicator) {
    pictures.recording = true;
    Update(30);
    Update(0);
    EXPECT_EQ(pictures.labels, std::vector<std::string>{"Pre Alarm PL 1"});
    Update(30, 1); // excursion in alarm
    Update(0, 0);
    Update(30);
    Update(0, 0, false, true); // ends while mp set
    EXPECT_EQ(events.iPreAlarmPLCount, 1);
}

TEST_F(OscillogramTest, HlOnlySkipsPlAndLl) {
    status.w3.ctrl_pp_mp = 1;
    Update(30);
    EXPECT_EQ(Count(serRangePP) + Count(serRangePPMax) + Count(serRangeMP), 0u);
    EXPECT_EQ(Count(serRangeBP), 1u);
    EXPECT_FALSE(osc.bPLExceeded);
}

TEST_F(OscillogramTest, YAxisGrowth) {
    Update(120);
    EXPECT_EQ(osc.iAxisMaxY, 127);
    Update(-100);
    EXPECT_EQ(osc.iAxisMinY, -106);
    EXPECT_EQ(chart.leftAxis.minimum, -106);
}

TEST_F(OscillogramTest, TrimRemovesMarkersAndBarsAtOldX) {
    Update(0, 3);
    for (int i = 0; i < 304; ++i)
        Update(0);
    EXPECT_EQ(Count(serRangeSignal), 304u);
    EXPECT_EQ(Count(serRangeAlarm), 0u);
    EXPECT_EQ(chart.At(serRangePP).Point(0).x, chart.At(serRangeSignal).Point(0).x);
}

TEST_F(OscillogramTest, ResyncSendsNormal) {
    pictures.recording = true;
    events.bAlarmResync = true;
    Update(0);
    EXPECT_EQ(pictures.labels, std::vector<std::string>{"Normal"});
}

// A picture taken inside the update answers the request of the link: one flag, so it
// cannot come back after the picture and ask for a second one.
TEST_F(OscillogramTest, AlarmPictureAnswersThePendingResync) {
    pictures.recording = true;
    events.bAlarmResync = true;
    Update(0, 1);
    EXPECT_EQ(pictures.labels, std::vector<std::string>{"Alarm 1"});
    EXPECT_FALSE(events.bAlarmResync);
    window.during = true;
    Update(0, 1);
    Update(0, 1);
    EXPECT_EQ(pictures.labels, std::vector<std::string>{"Alarm 1"});
    EXPECT_EQ(events.iAlarmCount, 1);
}

// In "Signal only" pp does not mark PL as exceeded, yet it still holds back the LL pre-alarm.
TEST_F(OscillogramTest, PreAlarmLLNeedsPpClearAsItsOtherIndicator) {
    pictures.recording = true;
    window.mode = 3;
    Update(-30);
    Update(0, 0, true); // ends while pp is set: no pre-alarm
    Update(-30);
    Update(0);
    EXPECT_EQ(pictures.labels, std::vector<std::string>{"Pre Alarm LL 1"});
    EXPECT_EQ(events.iPreAlarmLLCount, 1);
    EXPECT_EQ(events.iPreAlarmPLCount, 0);
}

// The page fills from the left; once a point reaches the right edge, the newest point
// stays 1 % of a page from it.
TEST_F(OscillogramTest, ScrollsOnceThePointsReachTheRightEdge) {
    ASSERT_EQ(osc.MaxPointsPerPage, 304);
    for (int i = 0; i < 300; ++i)
        Update(0);
    EXPECT_DOUBLE_EQ(chart.bottomAxis.minimum, 0);
    EXPECT_DOUBLE_EQ(chart.bottomAxis.maximum, 1.01 * 304);
    Update(0); // x 300 + 3.04 >= 307.04: not yet
    EXPECT_DOUBLE_EQ(chart.bottomAxis.maximum, 1.01 * 304);
    Update(0);
    Update(0);
    Update(0);
    Update(0); // x 304
    EXPECT_DOUBLE_EQ(chart.bottomAxis.maximum, 304 + 3.04);
    EXPECT_DOUBLE_EQ(chart.bottomAxis.minimum, 0);
    Update(0);
    EXPECT_DOUBLE_EQ(chart.bottomAxis.maximum, 305 + 3.04);
    EXPECT_DOUBLE_EQ(chart.bottomAxis.minimum, 1);
}

// The log line uses the user's separator whatever the C library's locale says, and a
// zero never reads "-0".
TEST(OscillogramLogLine, UsersSeparatorAndNoNegativeZero) {
    testing_support::FakeClock clock;
    FakeWindow window;
    FakeSink sink;
    FixedLevels levels;
    levels.ll = 0;
    chart::ChartModel chart;
    testing_support::FakePictures pictures;
    detlink::RecordingEvents events{pictures};
    Oscillogram osc{chart, clock, window, sink, levels, events, ','};
    detlink::DetectorStatus status{};
    status.w2.aver = 1000;
    status.w1.sig = 1000;
    clock.AdvanceSeconds(1);
    osc.UpdateOscillogram(status, status);
    status.w1.sig = 999;
    clock.AdvanceSeconds(1);
    osc.UpdateOscillogram(status, status);
    EXPECT_EQ(sink.log.at(0), "In % : Signal=0,0000 PL=10,9375 pp=0 LL=0 mp=0 HL=-50 bp=0 iX=0");
    EXPECT_EQ(sink.log.at(1), "In % : Signal=-0,1000 PL=10,9375 pp=0 LL=0 mp=0 HL=-50 bp=0 iX=1");
}

TEST_F(OscillogramTest, ZeroAverageLogsZeroPercent) {
    status.w2.aver = 0;
    clock.AdvanceSeconds(1);
    osc.UpdateOscillogram(status, prev);
    EXPECT_EQ(sink.log.at(0), "In % : Signal=0.0000 PL=10.9375 pp=0 LL=-20 mp=0 HL=-50 bp=0 iX=0");
}

} // namespace
