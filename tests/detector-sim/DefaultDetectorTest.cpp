// The simulator's own detector against the tool's tables: started without options it reports
// the Auto table's step for its zone on all three thresholds, so a demonstration opens without
// the "thresholds differ" frame; the mismatched preset sets them apart to show the frame.
#include "SimOptions.h"

#include "catalogue/ValueScales.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

sim::DetectorFields Fields(std::vector<std::string> args) {
    args.insert(args.begin(), "detector-sim");
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    sim::SimOptions options;
    std::string message;
    EXPECT_TRUE(sim::ParseOptions(static_cast<int>(args.size()), argv.data(), options, message))
        << message;
    return options.fields;
}

constexpr int kAuto = 2;

TEST(DefaultDetector, ReportsTheAutoStepOfItsZoneOnAllThreeThresholds) {
    const sim::DetectorFields f = Fields({});
    ASSERT_EQ(f.reg, kAuto);
    const int step = catalogue::DefaultThresholdCount(f.freq, f.dist);
    EXPECT_EQ(f.senspp, step);
    EXPECT_EQ(f.sensmp, step);
    EXPECT_EQ(f.sensbp, step);
    EXPECT_EQ(f.ctrl_pp_mp, 0);
}

TEST(DefaultDetector, TheMismatchedPresetReportsOtherThresholdsInAuto) {
    const sim::DetectorFields f = Fields({"--preset", "mismatched"});
    ASSERT_EQ(f.reg, kAuto);
    const int step = catalogue::DefaultThresholdCount(f.freq, f.dist);
    EXPECT_NE(f.senspp, step);
    EXPECT_NE(f.sensmp, step);
    EXPECT_NE(f.sensbp, step);
}

} // namespace
