// Command framing on the detector's side: both wire forms, check bytes, garbage and restarts.
#include "CommandParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ParseCase {
    const char* name;
    bool threeByteForm;
    std::vector<std::uint8_t> bytes;
    std::vector<std::vector<std::uint8_t>> expected; // the command bytes accepted, in order
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name;
}

class CommandParserTest : public testing::TestWithParam<ParseCase> {};

TEST_P(CommandParserTest, AcceptsExactlyTheWellFormedCommands) {
    const ParseCase& c = GetParam();
    sim::CommandParser parser;
    parser.SetThreeByteForm(c.threeByteForm);
    std::vector<std::vector<std::uint8_t>> accepted;
    // One byte at a time, as a slow line would deliver them.
    for (std::uint8_t byte : c.bytes) {
        for (const auto& command : parser.Feed(&byte, 1)) {
            accepted.emplace_back(command.bytes.begin(), command.bytes.begin() + command.length);
        }
    }
    EXPECT_EQ(accepted, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CommandParserTest,
    testing::Values(
        ParseCase{
            "TwoByteFormTakenOncePerTransmission", false, {0x15, 0xAA, 0x15, 0xAA}, {{0x15, 0xAA}}},
        ParseCase{"TwoByteRepeatsApplyEachTime",
                  false,
                  {0x15, 0xAA, 0x15, 0xAA, 0x15, 0xAA, 0x15, 0xAA},
                  {{0x15, 0xAA}, {0x15, 0xAA}}},
        ParseCase{"TwoByteCopiesThatDisagreeAreDropped", false, {0x15, 0xAA, 0x15, 0xAB}, {}},
        ParseCase{"TwoByteSingleCopyIsNotEnough",
                  false,
                  {0x15, 0xAA, 0x60, 0x81, 0x60, 0x81},
                  {{0x60, 0x81}}},
        ParseCase{"ThreeByteWithGoodCheck", true, {0x15, 0xAA, 0xBF}, {{0x15, 0xAA, 0xBF}}},
        ParseCase{"ThreeByteWithBadCheckIgnored",
                  true,
                  {0x15, 0xAA, 0xBE, 0x60, 0x81, 0xE1},
                  {{0x60, 0x81, 0xE1}}},
        ParseCase{"ThreeByteFormRejectsTheFourByteForm", true, {0x15, 0xAA, 0x15, 0xAA}, {}},
        ParseCase{"StrayHighBytesBeforeAStartAreSkipped",
                  true,
                  {0xFF, 0x80, 0x15, 0xAA, 0xBF},
                  {{0x15, 0xAA, 0xBF}}},
        ParseCase{"NewStartByteAbandonsAHalfCommand",
                  true,
                  {0x15, 0x60, 0x81, 0xE1},
                  {{0x60, 0x81, 0xE1}}},
        ParseCase{"CheckSumWrapsModulo128", true, {0x7F, 0xFF, 0xFE}, {{0x7F, 0xFF, 0xFE}}}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

} // namespace
