// The simulator's numeric options: each value is taken only when it is a finite number within
// the option's range, and a refused one is named with the range it needed.
#include "SimOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ValueCase {
    const char* name;
    const char* option;
    const char* value;
    const char* expected; // the range the message names; nullptr when the value is taken
};

void PrintTo(const ValueCase& c, std::ostream* os) {
    *os << c.name;
}

class NumericOption : public testing::TestWithParam<ValueCase> {};

TEST_P(NumericOption, IsTakenOnlyWhenFiniteAndInRange) {
    const ValueCase& c = GetParam();
    std::vector<std::string> args = {"detector-sim", std::string("--") + c.option, c.value};
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    sim::SimOptions options;
    std::string message;
    const bool taken =
        sim::ParseOptions(static_cast<int>(args.size()), argv.data(), options, message);
    if (!c.expected) {
        EXPECT_TRUE(taken) << message;
        return;
    }
    EXPECT_FALSE(taken);
    const std::string first = message.substr(0, message.find('\n'));
    EXPECT_EQ(first, std::string("bad value \"") + c.value + "\" for --" + c.option +
                         ": expected " + c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumericOption,
    testing::Values(
        ValueCase{"SpeedNan", "speed", "nan", "a number from 0.01 to 1000"},
        ValueCase{"SpeedInfinite", "speed", "inf", "a number from 0.01 to 1000"},
        ValueCase{"SpeedMinusInfinite", "speed", "-inf", "a number from 0.01 to 1000"},
        ValueCase{"SpeedZero", "speed", "0", "a number from 0.01 to 1000"},
        ValueCase{"SpeedAboveRange", "speed", "1000.5", "a number from 0.01 to 1000"},
        ValueCase{"SpeedTrailingText", "speed", "2x", "a number from 0.01 to 1000"},
        ValueCase{"SpeedEmpty", "speed", "", "a number from 0.01 to 1000"},
        ValueCase{"SpeedSlowest", "speed", "0.01", nullptr},
        ValueCase{"SpeedFastest", "speed", "1000", nullptr},
        ValueCase{"RateNan", "rate", "nan", "a number from 14 to 1440"},
        ValueCase{"RateBelowACyclePerSecond", "rate", "13.9", "a number from 14 to 1440"},
        ValueCase{"RateAboveTheLine", "rate", "1441", "a number from 14 to 1440"},
        ValueCase{"RateLowest", "rate", "14", nullptr},
        ValueCase{"RateHighest", "rate", "1440", nullptr},
        ValueCase{"DurationNan", "duration", "nan", "a number from 0 to 1e+09"},
        ValueCase{"DurationInfinite", "duration", "inf", "a number from 0 to 1e+09"},
        ValueCase{"DurationNegative", "duration", "-1", "a number from 0 to 1e+09"},
        ValueCase{"DurationUnderflows", "duration", "1e-400", "a number from 0 to 1e+09"},
        ValueCase{"DurationNone", "duration", "0", nullptr},
        ValueCase{"PortNan", "port", "nan", "a whole number from 1 to 255"},
        ValueCase{"PortFraction", "port", "7.5", "a whole number from 1 to 255"},
        ValueCase{"PortZero", "port", "0", "a whole number from 1 to 255"},
        ValueCase{"PortOverflows", "port", "99999999999999999999", "a whole number from 1 to 255"},
        ValueCase{"PortHighest", "port", "255", nullptr},
        ValueCase{"NoiseNegative", "noise", "-1", "a whole number from 0 to 1023"},
        ValueCase{"NoiseAboveTheSignal", "noise", "1024", "a whole number from 0 to 1023"},
        ValueCase{"SeedAboveRange", "seed", "1073741825", "a whole number from 0 to 1073741824"},
        ValueCase{"FieldNan", "number", "nan", "a whole number from 0 to 127"},
        ValueCase{"FieldAboveItsWidth", "adr", "16", "a whole number from 0 to 15"},
        ValueCase{"FieldHighest", "pwr", "1023", nullptr}),
    [](const testing::TestParamInfo<ValueCase>& info) { return info.param.name; });

} // namespace
