// The two correspondence tables: default cell texts, readers that parse and fall back, lists.
#include "catalogue/CorrespondenceTables.h"
#include "catalogue/ValueScales.h"

#include <gtest/gtest.h>

using namespace catalogue;

namespace {

class SensitivityTableIn : public ::testing::TestWithParam<char> {};

INSTANTIATE_TEST_SUITE_P(PointAndComma, SensitivityTableIn, ::testing::Values('.', ','));

std::string Sep(char separator, const char* whole, const char* fraction) {
    return std::string(whole) + separator + fraction;
}

} // namespace

TEST_P(SensitivityTableIn, StartsWithHeadingsAndDefaultsInItsNotation) {
    const char sep = GetParam();
    const SensitivityTable table(sep);
    EXPECT_EQ(table.DecimalSeparator(), sep);
    EXPECT_EQ(table.Cell(0, 0), "Sens");
    EXPECT_EQ(table.Cell(0, 1), "  PL");
    EXPECT_EQ(table.Cell(0, 2), "  LL");
    EXPECT_EQ(table.Cell(0, 3), "  HL");
    EXPECT_EQ(table.Cell(1, 0), "100");
    EXPECT_EQ(table.Cell(1, 1), Sep(sep, "10", "9375"));
    EXPECT_EQ(table.Cell(1, 2), Sep(sep, "10", "9375"));
    EXPECT_EQ(table.Cell(1, 3), Sep(sep, "23", "4375"));
    EXPECT_EQ(table.Cell(32, 0), "38");
    EXPECT_EQ(table.Cell(32, 1), Sep(sep, "59", "375"));
    EXPECT_EQ(table.Cell(32, 3), Sep(sep, "71", "875"));
    EXPECT_EQ(table.Cell(2, 1), Sep(sep, "12", "5"));
    for (int i = 0; i < kSensitivitySteps; ++i) {
        EXPECT_DOUBLE_EQ(TablePL(table, i), DefaultPLPercent(i));
        EXPECT_DOUBLE_EQ(TableLL(table, i), DefaultLLPercent(i));
        EXPECT_DOUBLE_EQ(TableHL(table, i), DefaultHLPercent(i));
    }
}

TEST_P(SensitivityTableIn, ReadersParseEditedCellsOnEveryCall) {
    const char sep = GetParam();
    SensitivityTable table(sep);
    table.SetCell(6, 1, Sep(sep, "20", "25"));
    table.SetCell(6, 2, "  8 ");
    table.SetCell(6, 3, Sep(sep, "", "5"));
    EXPECT_DOUBLE_EQ(TablePL(table, 5), 20.25);
    EXPECT_DOUBLE_EQ(TableLL(table, 5), 8.0);
    EXPECT_DOUBLE_EQ(TableHL(table, 5), 0.5);
    table.SetCell(6, 1, "30");
    EXPECT_DOUBLE_EQ(TablePL(table, 5), 30.0);
}

TEST_P(SensitivityTableIn, UnreadableCellsFallBackToTheDefaultAndKeepTheirText) {
    const char sep = GetParam();
    const char other = sep == '.' ? ',' : '.';
    SensitivityTable table(sep);
    table.SetCell(4, 1, "abc");
    table.SetCell(4, 2, "");
    table.SetCell(4, 3, std::string("30") + other + "5");
    EXPECT_DOUBLE_EQ(TablePL(table, 3), DefaultPLPercent(3));
    EXPECT_DOUBLE_EQ(TableLL(table, 3), DefaultLLPercent(3));
    EXPECT_DOUBLE_EQ(TableHL(table, 3), DefaultHLPercent(3));
    EXPECT_EQ(table.Cell(4, 1), "abc");
}

// Hand-edited values no signal could reach, or below zero, are read within the range a
// threshold can have, so no later conversion overflows.
TEST_P(SensitivityTableIn, AbsurdValuesAreKeptWithinWhatASignalCanReach) {
    SensitivityTable table(GetParam());
    table.SetCell(1, 1, "1e308");
    table.SetCell(1, 2, "-1e308");
    table.SetCell(1, 3, "-5");
    EXPECT_DOUBLE_EQ(TablePL(table, 0), kMaxThresholdPercent);
    EXPECT_DOUBLE_EQ(TableLL(table, 0), 0);
    EXPECT_DOUBLE_EQ(TableHL(table, 0), 0);
    EXPECT_EQ(PLListEntries(table).front(), "102200");
}

TEST(CorrespondenceTables, CellsOutsideTheGridReadEmptyAndIgnoreWrites) {
    SensitivityTable sens(',');
    ZoneLengthTable zones;
    const std::pair<int, int> outside[] = {{-1, 0}, {0, -1}, {33, 0}, {0, 4}, {1000, 1000}};
    for (const auto& [column, row] : outside) {
        sens.SetCell(column, row, "9");
        zones.SetCell(column, row, "9");
        EXPECT_EQ(sens.Cell(column, row), "");
        EXPECT_EQ(zones.Cell(column, row), "");
    }
    EXPECT_EQ(zones.Cell(31, 0), "");
    // A step outside the grid reads as its default, never as a neighbouring cell.
    EXPECT_DOUBLE_EQ(TablePL(sens, 32), DefaultPLPercent(32));
    EXPECT_DOUBLE_EQ(TableHL(sens, -1), DefaultHLPercent(-1));
}

TEST(CorrespondenceTables, ZoneLengthTableStartsWithHeadingsAndDefaultCounts) {
    const ZoneLengthTable table;
    EXPECT_EQ(table.Cell(0, 0), "Zone length");
    EXPECT_EQ(table.Cell(0, 1), "Freq10:Sens");
    EXPECT_EQ(table.Cell(0, 2), "Freq24:Sens");
    EXPECT_EQ(table.Cell(1, 0), "10");
    EXPECT_EQ(table.Cell(1, 1), "15");
    EXPECT_EQ(table.Cell(1, 2), "30");
    EXPECT_EQ(table.Cell(30, 0), "300");
    EXPECT_EQ(table.Cell(30, 1), "3");
    EXPECT_EQ(table.Cell(30, 2), "9");
    for (int d = 2; d <= 31; ++d) {
        EXPECT_EQ(TableThresholdCount(table, 0, d), DefaultThresholdCount(0, d));
        EXPECT_EQ(TableThresholdCount(table, 1, d), DefaultThresholdCount(1, d));
    }
}

TEST(CorrespondenceTables, ThresholdCountReadsTheBandRowAndFallsBack) {
    ZoneLengthTable table;
    table.SetCell(4, 1, "12");
    table.SetCell(4, 2, " 20 ");
    EXPECT_EQ(TableThresholdCount(table, 0, 5), 12);
    EXPECT_EQ(TableThresholdCount(table, 1, 5), 20);

    // Not a whole number, or not a step the lists hold: the default.
    for (const char* text : {"abc", "", "7.5", "-1", "32", "99999999999"}) {
        table.SetCell(9, 1, text);
        EXPECT_EQ(TableThresholdCount(table, 0, 10), 10) << text;
    }
    table.SetCell(9, 1, "31");
    EXPECT_EQ(TableThresholdCount(table, 0, 10), 31);

    // Below index 2 the column is the headings (or none): always the default.
    EXPECT_EQ(TableThresholdCount(table, 0, 1), 15);
    EXPECT_EQ(TableThresholdCount(table, 1, 1), 31);
    EXPECT_EQ(TableThresholdCount(table, 1, -3), 31);
    EXPECT_EQ(TableThresholdCount(table, 0, 32), 3);
    EXPECT_EQ(TableThresholdCount(table, 1, 32), 31);
}

TEST(CorrespondenceTables, SettingsListsFollowTheTableRoundedToWholes) {
    SensitivityTable table(',');
    const auto pl = PLListEntries(table);
    const auto hl = HLListEntries(table);
    ASSERT_EQ(pl.size(), 32u);
    ASSERT_EQ(hl.size(), 32u);
    EXPECT_EQ(pl[0], "11");
    EXPECT_EQ(pl[1], "13"); // 12,5 rounds up
    EXPECT_EQ(pl[31], "59");
    EXPECT_EQ(hl[0], "23");
    EXPECT_EQ(hl[31], "72");

    table.SetCell(3, 2, "0,4");
    table.SetCell(4, 2, "abc");
    const auto ll = LLListEntries(table);
    EXPECT_EQ(ll[2], "");
    EXPECT_EQ(ll[3], "16"); // default 15,625

    const auto sens = SensitivityListEntries();
    ASSERT_EQ(sens.size(), 32u);
    EXPECT_EQ(sens[0], "100");
    EXPECT_EQ(sens[18], "64");
    EXPECT_EQ(sens[31], "38");
}
