// Scenario lines as written in a script or on the command line, and what an event imposes.
#include "Scenario.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct LineCase {
    const char* line;
    bool valid;
    bool error; // a rejected line that is not a comment or blank must say why
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << '"' << c.line << '"';
}

class ScenarioLine : public testing::TestWithParam<LineCase> {};

TEST_P(ScenarioLine, ParsesOrExplains) {
    const LineCase& c = GetParam();
    std::string error;
    EXPECT_EQ(sim::ParseEvent(c.line, error).has_value(), c.valid);
    EXPECT_EQ(!error.empty(), c.error) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ScenarioLine,
    testing::Values(LineCase{"2 walk 1.5 900", true, false}, LineCase{"0 silence 3", true, false},
                    LineCase{"1 dis 2 3", true, false}, LineCase{"", false, false},
                    LineCase{"# a comment", false, false}, LineCase{"1 dis 2", false, true},
                    LineCase{"1 dis 2 4", false, true}, LineCase{"1 dance 2", false, true},
                    LineCase{"1 walk", false, true}, LineCase{"1 walk 0", false, true},
                    LineCase{"-1 walk 1", false, true}, LineCase{"x walk 1", false, true}));

TEST(Scenario, WalkRisesToItsPeakAndFallsBackWithinItsDuration) {
    std::string error;
    sim::Scenario scenario;
    scenario.Add(*sim::ParseEvent("1 walk 2 800", error));
    scenario.Add(*sim::ParseEvent("1 malfunction 0.5", error));
    EXPECT_EQ(scenario.At(0.99).walkLevel, -1);
    EXPECT_EQ(scenario.At(1.0).walkLevel, 0);
    EXPECT_EQ(scenario.At(2.0).walkLevel, 800);
    EXPECT_EQ(scenario.At(2.5).walkLevel, 400);
    EXPECT_EQ(scenario.At(3.0).walkLevel, -1);
    EXPECT_TRUE(scenario.At(1.2).malfunction);
    EXPECT_FALSE(scenario.At(1.5).malfunction);
}

} // namespace
