// Number texts in an explicit notation: the four formats and the two parsers, on '.' and ','.
#include "catalogue/NumberFormat.h"

#include <gtest/gtest.h>

#include <limits>

using namespace catalogue;

namespace {

// Each text is written with '.' and checked in both notations, the separator swapped in.
std::string In(std::string text, char separator) {
    for (char& c : text) {
        if (c == '.') {
            c = separator;
        }
    }
    return text;
}

class Notation : public ::testing::TestWithParam<char> {};

INSTANTIATE_TEST_SUITE_P(PointAndComma, Notation, ::testing::Values('.', ','));

} // namespace

TEST_P(Notation, UpTo4DecimalsDropsTrailingAndLeadingZeros) {
    const char sep = GetParam();
    const std::pair<double, std::string> cases[] = {
        {10.9375, "10.9375"}, {0.5, ".5"},     {59.375, "59.375"}, {71.875, "71.875"},
        {12.0, "12"},         {0.0, "0"},      {-0.5, "-.5"},      {1.23456, "1.2346"},
        {0.00004, "0"},       {9.99996, "10"}, {0.00005, ".0001"}, {-0.00001, "0"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(FormatUpTo4Decimals(value, sep), In(text, sep)) << value;
    }
}

TEST(NumberFormat, WholeRoundsHalvesUpAndLeavesSmallValuesEmpty) {
    const std::pair<double, std::string> cases[] = {
        {12.5, "13"}, {10.9375, "11"}, {0.5, "1"}, {0.49, ""},    {0.0, ""},
        {-0.4, ""},   {-12.5, "-13"},  {2.5, "3"}, {99.5, "100"}, {14.0, "14"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(FormatWhole(value), text) << value;
    }
}

TEST_P(Notation, FixedKeepsTheDecimalsAndALeadingDigit) {
    const char sep = GetParam();
    EXPECT_EQ(FormatFixed(14.4918, 1, sep), In("14.5", sep));
    EXPECT_EQ(FormatFixed(0.4, 3, sep), In("0.400", sep));
    EXPECT_EQ(FormatFixed(0.3, 1, sep), In("0.3", sep));
    EXPECT_EQ(FormatFixed(0.25, 1, sep), In("0.3", sep));
    EXPECT_EQ(FormatFixed(9.96, 1, sep), In("10.0", sep));
    EXPECT_EQ(FormatFixed(-0.01, 1, sep), In("0.0", sep));
    EXPECT_EQ(FormatFixed(-1.25, 1, sep), In("-1.3", sep));
    EXPECT_EQ(FormatFixed(7.0, 0, sep), "7");
}

TEST_P(Notation, GeneralKeepsFifteenDigitsWithoutTrailingZeros) {
    const char sep = GetParam();
    EXPECT_EQ(FormatGeneral(14.33, sep), In("14.33", sep));
    EXPECT_EQ(FormatGeneral(1.5, sep), In("1.5", sep));
    EXPECT_EQ(FormatGeneral(0.1 + 0.2, sep), In("0.3", sep));
    EXPECT_EQ(FormatGeneral(100.0, sep), "100");
    EXPECT_EQ(FormatGeneral(-2.0 / 3, sep), In("-0.666666666666667", sep));
    EXPECT_EQ(FormatGeneral(0.0, sep), "0");
    EXPECT_EQ(FormatGeneral(1e20, sep), "1e+20");
}

TEST_P(Notation, GeneralTextsReadBackToTheSameValue) {
    const char sep = GetParam();
    for (double value : {14.33, 1.5, 0.1 + 0.2, 1e-5, -123456.789, 1e20}) {
        const auto back = ParseReal(FormatGeneral(value, sep), sep);
        ASSERT_TRUE(back.has_value()) << value;
        EXPECT_NEAR(*back, value, std::abs(value) * 1e-14) << value;
    }
}

TEST(NumberFormat, NonFiniteValuesHaveFixedTexts) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatGeneral(inf, ','), "INF");
    EXPECT_EQ(FormatFixed(-inf, 1, ','), "-INF");
    EXPECT_EQ(FormatUpTo4Decimals(std::numeric_limits<double>::quiet_NaN(), ','), "NaN");
}

TEST_P(Notation, ParseRealAcceptsTheNotationsNumbers) {
    const char sep = GetParam();
    const std::pair<std::string, double> cases[] = {
        {"14.33", 14.33}, {".5", 0.5},       {"-3", -3.0},        {"+2.5", 2.5},
        {" 7.25 ", 7.25}, {"\t1e-05", 1e-5}, {"10.9375", 10.9375}};
    for (const auto& [text, value] : cases) {
        const auto parsed = ParseReal(In(text, sep), sep);
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_DOUBLE_EQ(*parsed, value) << text;
    }
}

TEST_P(Notation, ParseRealRefusesAnythingElse) {
    const char sep = GetParam();
    const char other = sep == '.' ? ',' : '.';
    const std::string cases[] = {"",    "  ",  "12a",   "abc",  "1.2.3", "++1", "+-1",
                                 "inf", "nan", "1e999", "0x10", "- 1",   "1 2"};
    for (const auto& text : cases) {
        EXPECT_FALSE(ParseReal(In(text, sep), sep).has_value()) << text;
    }
    EXPECT_FALSE(ParseReal(std::string("14") + other + "33", sep).has_value());
}

TEST(NumberFormat, ParseIntegerReadsWholeNumbersOnly) {
    EXPECT_EQ(ParseInteger("15"), 15);
    EXPECT_EQ(ParseInteger(" -3 "), -3);
    EXPECT_EQ(ParseInteger("+7"), 7);
    for (const char* text : {"", "12a", "1.5", "1,5", "abc", "99999999999", "++1"}) {
        EXPECT_FALSE(ParseInteger(text).has_value()) << text;
    }
}
