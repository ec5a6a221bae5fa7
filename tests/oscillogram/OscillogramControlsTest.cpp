// Tests for the oscillogram view controls: scale and time-base sequences, page size, auto fit.
#include "oscillogram/OscillogramControls.h"

#include <gtest/gtest.h>

#include "support/FakeClock.h"
#include "support/FakePictures.h"
#include "support/QuietOscillogramPorts.h"

namespace {

using namespace oscillogram;

class ControlsTest : public ::testing::Test {
protected:
    testing_support::FakeClock clock;
    testing_support::QuietOscillogramWindow window;
    testing_support::DroppedLogLines sink;
    // Levels of steps senspp 31, sensmp 1, sensbp 1 in the default table.
    testing_support::FixedThresholdLevels levels{59.375, 12.5, 25};
    chart::ChartModel chart;
    testing_support::FakePictures pictures;
    detlink::RecordingEvents events{pictures};
    Oscillogram osc{chart, clock, window, sink, levels, events, '.'};
    OscillogramControls c{osc, chart, levels};
    ControlInputs in;
};

TEST_F(ControlsTest, VerticalUpAndDownSequences) {
    c.sbLeftAxisUpClick();
    EXPECT_EQ(osc.iAxisMaxY, 192);
    EXPECT_EQ(osc.iAxisMinY, -100);
    c.sbLeftAxisUpClick();
    c.sbLeftAxisUpClick();
    EXPECT_EQ(osc.iAxisMaxY, 400);
    EXPECT_FALSE(c.sbLeftAxisUpEnabled);
    c.sbLeftAxisUpClick();
    EXPECT_EQ(osc.iAxisMaxY, 400);

    osc.iAxisMaxY = 3;
    osc.iAxisMinY = -3;
    c.sbLeftAxisDownClick();
    EXPECT_EQ(osc.iAxisMaxY, 1);
    EXPECT_EQ(osc.iAxisMinY, -1);
    EXPECT_FALSE(c.sbLeftAxisDownEnabled);
    EXPECT_TRUE(c.sbLeftAxisUpEnabled);
    EXPECT_EQ(chart.leftAxis.minimum, -1);
}

TEST_F(ControlsTest, TimeBaseSequencesAndButtonStates) {
    for (int expected : {32, 64, 128}) {
        c.sbBottomAxisSlowClick(in);
        EXPECT_EQ(c.iSecondsPerPage, expected);
    }
    EXPECT_FALSE(c.sbBottomAxisSlowEnabled);
    EXPECT_EQ(c.lPeriod, "128 s");
    for (int i = 0; i < 7; ++i)
        c.sbBottomAxisFastClick(in);
    EXPECT_EQ(c.iSecondsPerPage, 1);
    EXPECT_FALSE(c.sbBottomAxisFastEnabled);
    EXPECT_TRUE(c.sbBottomAxisSlowEnabled);
    EXPECT_EQ(c.lPeriod, "1 s");
}

TEST_F(ControlsTest, PointsPerPageWorkedValuesFor643Pixels) {
    struct Case {
        int seconds;
        const char* rate;
        int pps, max, w;
    };
    const Case cases[] = {{16, "1", 19, 304, 2},
                          {128, "1", 4, 512, 1},
                          {128, "10", 10, 1280, 1},
                          {1, "200", 19, 19, 17},
                          {16, "x", 19, 304, 2}};
    for (const auto& k : cases) {
        c.iSecondsPerPage = k.seconds;
        in.selectFilterText = k.rate;
        c.RecalcMaxPointsPerPage(in);
        EXPECT_EQ(osc.iPointsPerSecond, k.pps) << k.seconds << " " << k.rate;
        EXPECT_EQ(osc.MaxPointsPerPage, k.max);
        EXPECT_EQ(chart.At(serRangePP).HorizSize(), k.w);
        EXPECT_EQ(chart.At(serRangeBPMin).VertSize(), 5);
    }
}

TEST_F(ControlsTest, FastKeepsLeftEdgeWhileFillingRightEdgeAfter) {
    c.RecalcMaxPointsPerPage(in);
    chart.bottomAxis.SetMinMax(0, 1.01 * 304);
    c.sbBottomAxisFastClick(in);
    EXPECT_EQ(chart.bottomAxis.minimum, 0);
    osc.iPlotIndex = 5000;
    chart.bottomAxis.SetMinMax(4700, 5000);
    c.sbBottomAxisFastClick(in);
    EXPECT_EQ(chart.bottomAxis.maximum, 5000);
}

TEST_F(ControlsTest, AutoFitAndToggle) {
    detlink::DetectorStatus s{};
    c.chbAutoYScaleClick(s, in);
    EXPECT_EQ(osc.iAxisMinY, -28);
    EXPECT_EQ(osc.iAxisMaxY, 66);
    in.hlOnlyRegulation = true;
    c.chbAutoYScaleClick(s, in);
    EXPECT_EQ(osc.iAxisMaxY, 7);
    c.actAutoYScaleExecute(s, in); // switches off, scale stays
    in.hlOnlyRegulation = false;
    c.actAutoYScaleExecute(s, in); // back on: fits at once
    EXPECT_EQ(osc.iAxisMaxY, 66);
}

// A level no axis could hold must not overflow the conversion to whole axis limits: the fit
// stays ordered and finite, thresholds at the top and the bottom of the chart.
TEST_F(ControlsTest, AutoFitOfAbsurdLevelsKeepsAnOrderedAxis) {
    detlink::DetectorStatus s{};
    levels.pl = 1e308;
    levels.ll = 1e308;
    levels.hl = 1e300;
    c.chbAutoYScaleClick(s, in);
    EXPECT_GT(osc.iAxisMaxY, 100000);
    EXPECT_LT(osc.iAxisMinY, -100000);
    EXPECT_EQ(chart.leftAxis.maximum, osc.iAxisMaxY);
    in.hlOnlyRegulation = true;
    c.chbAutoYScaleClick(s, in);
    EXPECT_GT(osc.iAxisMaxY, 100000);
}

TEST_F(ControlsTest, PlayCycleReturnsToShow) {
    c.actPlayChangeExecute();
    EXPECT_EQ(c.playMode, PlayMode::ShowUntilAlarm);
    c.actPlayChangeExecute();
    EXPECT_EQ(c.playMode, PlayMode::Pause);
    c.actPlayChangeExecute();
    EXPECT_EQ(c.playMode, PlayMode::Show);
}

} // namespace
