// Tests for the oscillogram update with a fake clock, window and sink.
#include "oscillogram/Oscillogram.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/FakeClock.h"

namespace {

using namespace oscillogram;

struct FakeWindow : OscillogramWindow {
    bool pause = false, during = false, save = false;
    std::optional<int> mode = 0;
    int alarmNumber = 0, autoY = 0;
    bool PauseDown() const override { return pause; }
    bool DisplaySignalDuringAlarm() const override { return during; }
    std::optional<int> DisplayMode() const override { return mode; }
    bool SaveChecked() const override { return save; }
    std::string IncrementAlarmNumber() override { return std::to_string(++alarmNumber); }
    void UpdateWrongThresholdsFrame() override {}
    void AutoYScale() override { ++autoY; }
    void ShowGuidance() override {}
};

struct FakeSink : OscillogramSink {
    std::vector<std::string> log, snapshots;
    void WriteLogLine(const std::string& t) override { log.push_back(t); }
    void TakeSnapshot(const std::string& l) override { snapshots.push_back(l); }
};

struct FixedLevels : ThresholdLevels {
    double TablePL(int) const override { return 10.9375; }
    double TableLL(int) const override { return 20; }
    double TableHL(int) const override { return 50; }
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
    Oscillogram osc{chart, clock, window, sink, levels};
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
    osc.dblLastPlotTime = clock.SteadyNow() - (1.0 / 86400) / 19;
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
    EXPECT_EQ(osc.iAlarmCount, 1);
    Update(0, 1);
    EXPECT_EQ(sink.log.size(), 2u);
    Update(0, 0);
    EXPECT_EQ(sink.log.size(), 3u);
    EXPECT_FALSE(osc.bAlarmLatched);
    EXPECT_EQ(window.autoY, 1);
}

TEST_F(OscillogramTest, MalfunctionBarIsYellowInAlarmSeries) {
    Update(0);
    window.save = true;
    Update(0, 3);
    ASSERT_EQ(Count(serRangeAlarm), 1u);
    EXPECT_EQ(chart.At(serRangeAlarm).Point(0).colour, 0xFFFF00u);
    EXPECT_EQ(Count(serRangeMalfunction), 0u);
    EXPECT_EQ(sink.snapshots, std::vector<std::string>{"Malfunction"});
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
    window.save = true;
    Update(30);
    Update(0);
    EXPECT_EQ(sink.snapshots, std::vector<std::string>{"Pre Alarm PL 1"});
    Update(30, 1); // excursion in alarm
    Update(0, 0);
    Update(30);
    Update(0, 0, false, true); // ends while mp set
    EXPECT_EQ(osc.iPreAlarmPLCount, 1);
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
    window.save = true;
    osc.bAlarmResync = true;
    Update(0);
    EXPECT_EQ(sink.snapshots, std::vector<std::string>{"Normal"});
}

TEST_F(OscillogramTest, ZeroAverageLogsZeroPercent) {
    status.w2.aver = 0;
    clock.AdvanceSeconds(1);
    osc.UpdateOscillogram(status, prev);
    EXPECT_EQ(sink.log.at(0), "In % : Signal=0.0000 PL=10.9375 pp=0 LL=-20 mp=0 HL=-50 bp=0 iX=0");
}

} // namespace
