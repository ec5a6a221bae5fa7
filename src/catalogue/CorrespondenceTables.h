// The two editable correspondence tables as grids of cell texts, exactly as the
// Properties page shows them, and the readers that parse a cell each time they are asked.
#pragma once

#include "catalogue/DetectorCatalogue.h"

#include <array>
#include <string>
#include <vector>

namespace catalogue {

// Both grids: a cell outside the grid reads as empty text and writing it does nothing,
// so a stray index never crashes and the readers fall back to the default.

// "Threshold (%) - sensivity (%)  correspondence table": 33 columns x 4 rows.
// Column 0 holds the row headings; column i + 1 holds step i.
class SensitivityTable {
public:
    static constexpr int kColumns = 33;
    static constexpr int kRows = 4;

    // Filled with the headings and the default percentages in the given notation.
    explicit SensitivityTable(char decimalSeparator = '.');

    const std::string& Cell(int column, int row) const;
    void SetCell(int column, int row, std::string text);
    char DecimalSeparator() const { return cDecimal; }

private:
    std::array<std::array<std::string, kRows>, kColumns> cells;
    char cDecimal;
};

// "Threshold (counts)- zone length (m) correspondence table": 31 columns x 3 rows.
// Column d - 1 holds zone index d (2..31); column 0 holds the row headings.
class ZoneLengthTable {
public:
    static constexpr int kColumns = 31;
    static constexpr int kRows = 3;

    ZoneLengthTable();

    const std::string& Cell(int column, int row) const;
    void SetCell(int column, int row, std::string text);

private:
    std::array<std::array<std::string, kRows>, kColumns> cells;
};

// A threshold is a deviation from the running average: a 10-bit signal over an average of at
// least 1 never deviates by more than this, so a larger table value could never be crossed.
inline constexpr double kMaxThresholdPercent = (1023.0 - 1.0) * 100;

// Step i's percentages from the table, parsed in the table's notation on every call; the
// default when the cell is empty or unparsable (or i is not a step). A value is kept within
// 0 ... kMaxThresholdPercent, so a hand-edited 1e308 cannot overflow any use of it.
double TablePL(const SensitivityTable& table, int i);
double TableLL(const SensitivityTable& table, int i);
double TableHL(const SensitivityTable& table, int i);
// The sensitivity step an automatic setup uses for band (0/1) and zone index d; the default
// for d below 2, or when the cell is not a whole number or not a step index 0 ... 31.
int TableThresholdCount(const ZoneLengthTable& table, int band, int d);

// The Settings page's threshold lists: entry i is step i's percentage formatted "#".
std::vector<std::string> PLListEntries(const SensitivityTable& table);
std::vector<std::string> LLListEntries(const SensitivityTable& table);
std::vector<std::string> HLListEntries(const SensitivityTable& table);
// The Settings page's sensitivity list: entry i is SensOfIndex(i), so position equals step.
std::vector<std::string> SensitivityListEntries();

} // namespace catalogue
