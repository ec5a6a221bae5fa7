// Code-to-unit conversions: sensitivity steps, default thresholds, zone lengths, speeds, volts.
#include "catalogue/ValueScales.h"
#include "catalogue/NumberFormat.h"

#include <gtest/gtest.h>

using namespace catalogue;

TEST(ValueScales, SensitivityAndStepConvertBothWays) {
    EXPECT_EQ(SensOfIndex(0), 100);
    EXPECT_EQ(SensOfIndex(31), 38);
    const std::pair<int, int> cases[] = {{38, 31}, {64, 18}, {100, 0}, {101, 0}, {99, 0}, {39, 30}};
    for (const auto& [sens, step] : cases) {
        EXPECT_EQ(IndexOfSens(sens), step) << sens;
    }
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(IndexOfSens(SensOfIndex(i)), i);
    }
}

TEST(ValueScales, DefaultThresholdsRiseBy1Point5625PerStep) {
    EXPECT_DOUBLE_EQ(DefaultPLPercent(0), 10.9375);
    EXPECT_DOUBLE_EQ(DefaultLLPercent(0), 10.9375);
    EXPECT_DOUBLE_EQ(DefaultHLPercent(0), 23.4375);
    EXPECT_DOUBLE_EQ(DefaultPLPercent(31), 59.375);
    EXPECT_DOUBLE_EQ(DefaultLLPercent(31), 59.375);
    EXPECT_DOUBLE_EQ(DefaultHLPercent(31), 71.875);
    EXPECT_DOUBLE_EQ(DefaultHLPercent(12) - DefaultHLPercent(11), 1.5625);
}

TEST(ValueScales, ZoneLengthIsZeroBelowIndexTwo) {
    EXPECT_EQ(ZoneLengthOfIndex(0), 0);
    EXPECT_EQ(ZoneLengthOfIndex(1), 0);
    EXPECT_EQ(ZoneLengthOfIndex(2), 10);
    EXPECT_EQ(ZoneLengthOfIndex(31), 300);
}

TEST(ValueScales, DefaultThresholdCountFollowsTheBandTables) {
    struct Case {
        int d, band0, band1;
    };
    const Case cases[] = {{2, 15, 30},
                          {4, 15, 29},
                          {6, 15, 28},
                          {7, 10, 27},
                          {10, 10, 25},
                          {11, 7, 23},
                          {14, 7, 20},
                          {16, 7, 17},
                          {17, 6, 15},
                          {19, 6, 15},
                          {20, 6, 13},
                          {21, 5, 13},
                          {22, 5, 13},
                          {23, 5, 11},
                          {25, 5, 11},
                          {26, 3, 10},
                          {28, 3, 10},
                          {29, 3, 9},
                          {31, 3, 9},
                          // Outside the zone indices the function still answers.
                          {1, 15, 31},
                          {0, 15, 31},
                          {-5, 15, 31},
                          {32, 3, 31},
                          {200, 3, 31}};
    for (const auto& c : cases) {
        EXPECT_EQ(DefaultThresholdCount(0, c.d), c.band0) << c.d;
        EXPECT_EQ(DefaultThresholdCount(1, c.d), c.band1) << c.d;
    }
}

TEST(ValueScales, SpeedCodes) {
    const double lower[] = {0.1, 0.2, 0.3, 0.4};
    const int upper[] = {4, 6, 8, 10};
    for (int v = 0; v < 4; ++v) {
        EXPECT_DOUBLE_EQ(MinSpeedOfCode(v), lower[v]);
        EXPECT_EQ(MaxSpeedOfCode(v), upper[v]);
    }
    EXPECT_EQ(FormatFixed(MinSpeedOfCode(2), 1, ','), "0,3");
}

TEST(ValueScales, SignalMillivoltsFromReferenceAndGain) {
    EXPECT_NEAR(SignalMillivolts(1, 1023, 0), 1.0929, 1e-4);
    EXPECT_NEAR(SignalMillivolts(0, 1023, 3), 500.0, 1e-9);
    EXPECT_NEAR(SignalMillivolts(0, 1023, 1), 5000.0 / 375, 1e-9);
    EXPECT_NEAR(SignalMillivolts(1, 1023, 2), 2500.0 / 61, 1e-9);
    EXPECT_EQ(SignalMillivolts(0, 0, 0), 0.0);
    EXPECT_EQ(FormatFixed(SignalMillivolts(0, 82, 3), 3, ',') + "  mV", "40,078  mV");
}

class SupplyCoefficients : public ::testing::Test {
protected:
    void TearDown() override {
        Kdc = kDefaultKdc;
        Urd = kDefaultUrd;
    }
};

TEST_F(SupplyCoefficients, DefaultsGiveFourteenAndAHalfVolts) {
    EXPECT_DOUBLE_EQ(Kdc, 14.33);
    EXPECT_DOUBLE_EQ(Urd, 1.5);
    EXPECT_NEAR(SupplyVolts(371), 14.49, 0.005);
    EXPECT_EQ(FormatFixed(SupplyVolts(371), 1, ',') + "  V", "14,5  V");
    EXPECT_EQ(FormatFixed(SupplyVolts(371), 1, '.') + "  V", "14.5  V");
    EXPECT_DOUBLE_EQ(SupplyVolts(0), 1.5);
}

TEST_F(SupplyCoefficients, EditedCoefficientsApplyAtOnce) {
    Kdc = 10.0;
    Urd = 0.0;
    EXPECT_NEAR(SupplyVolts(1023), 25.0, 1e-9);
}

// A hand-edited coefficient still gives a supply line, not "INF V".
TEST_F(SupplyCoefficients, AbsurdCoefficientsStillGiveASupplyLine) {
    Kdc = 1e308;
    EXPECT_EQ(FormatFixed(SupplyVolts(1023), 1, ',') + "  V", "1000,0  V");
    Kdc = -1e308;
    EXPECT_EQ(FormatFixed(SupplyVolts(1023), 1, ','), "-1000,0");
    Kdc = kDefaultKdc;
    Urd = 1e308;
    EXPECT_EQ(FormatFixed(SupplyVolts(0), 1, ','), "1000,0");
}

// The Calibration axis grows in steps of 0.1, 0.5, 1, 5, 10, ... above the maximum.
TEST(ValueScales, TuneUpAxisIsTheFirstStepAboveTheTruncatedMaximum) {
    const struct {
        double maximum;
        double axis;
    } cases[] = {{0, 0.1}, {0.09, 0.1}, {0.1, 0.5}, {0.49, 0.5}, {0.5, 1},  {0.99, 1},
                 {1.0, 5}, {4.99, 5},   {5.0, 10},  {37.4, 50},  {50, 100}, {1e9, 1e6}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(TuneUpAxisMaximum(c.maximum), c.axis) << "maximum " << c.maximum;
    }
}

TEST(ValueScales, SenseAxisIsTheFirstStepAboveTheTruncatedLargestValue) {
    const struct {
        double largest;
        double axis;
    } cases[] = {{0, 0.001},    {0.0009, 0.001}, {0.001, 0.005}, {0.004, 0.005}, {0.0049, 0.005},
                 {0.005, 0.01}, {0.8, 1},        {0.999, 1},     {1.0, 5},       {3, 5},
                 {12, 50},      {50, 100},       {1e9, 1e4}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(SenseAxisMaximum(c.largest), c.axis) << "largest " << c.largest;
    }
}
