// The two correspondence tables' grids of cell texts and the readers that parse them.
#include "catalogue/CorrespondenceTables.h"

#include "catalogue/NumberFormat.h"
#include "catalogue/ValueScales.h"

#include <algorithm>
#include <string>

namespace catalogue {

namespace {

// Handed out for a cell outside the grid, so a stray index reads as an empty cell.
const std::string kNoCell;

template <typename Cells> bool Inside(const Cells& cells, int column, int row) {
    return column >= 0 && row >= 0 && column < static_cast<int>(cells.size()) &&
           row < static_cast<int>(cells[0].size());
}

double ReadPercent(const SensitivityTable& table, int i, int row, double fallback) {
    const auto value = ParseReal(table.Cell(i + 1, row), table.DecimalSeparator());
    return value ? std::clamp(*value, 0.0, kMaxThresholdPercent) : fallback;
}

std::vector<std::string> WholeEntries(double (*percentOfStep)(const SensitivityTable&, int),
                                      const SensitivityTable& table) {
    std::vector<std::string> entries;
    for (int i = 0; i < kSensitivitySteps; ++i) {
        entries.push_back(FormatWhole(percentOfStep(table, i)));
    }
    return entries;
}

} // namespace

SensitivityTable::SensitivityTable(char decimalSeparator)
    : cDecimal(decimalSeparator) {
    cells[0] = {"Sens", "  PL", "  LL", "  HL"};
    for (int i = 0; i < kSensitivitySteps; ++i) {
        cells[i + 1] = {std::to_string(SensOfIndex(i)),
                        FormatUpTo4Decimals(DefaultPLPercent(i), decimalSeparator),
                        FormatUpTo4Decimals(DefaultLLPercent(i), decimalSeparator),
                        FormatUpTo4Decimals(DefaultHLPercent(i), decimalSeparator)};
    }
}

const std::string& SensitivityTable::Cell(int column, int row) const {
    return Inside(cells, column, row) ? cells[column][row] : kNoCell;
}

void SensitivityTable::SetCell(int column, int row, std::string text) {
    if (Inside(cells, column, row)) {
        cells[column][row] = std::move(text);
    }
}

ZoneLengthTable::ZoneLengthTable() {
    cells[0] = {"Zone length", "Freq10:Sens", "Freq24:Sens"};
    for (int d = 2; d <= kColumns; ++d) {
        cells[d - 1] = {std::to_string(ZoneLengthOfIndex(d)),
                        std::to_string(DefaultThresholdCount(0, d)),
                        std::to_string(DefaultThresholdCount(1, d))};
    }
}

const std::string& ZoneLengthTable::Cell(int column, int row) const {
    return Inside(cells, column, row) ? cells[column][row] : kNoCell;
}

void ZoneLengthTable::SetCell(int column, int row, std::string text) {
    if (Inside(cells, column, row)) {
        cells[column][row] = std::move(text);
    }
}

double TablePL(const SensitivityTable& table, int i) {
    return ReadPercent(table, i, 1, DefaultPLPercent(i));
}

double TableLL(const SensitivityTable& table, int i) {
    return ReadPercent(table, i, 2, DefaultLLPercent(i));
}

double TableHL(const SensitivityTable& table, int i) {
    return ReadPercent(table, i, 3, DefaultHLPercent(i));
}

int TableThresholdCount(const ZoneLengthTable& table, int band, int d) {
    const int fallback = DefaultThresholdCount(band, d);
    if (d < 2) {
        return fallback;
    }
    const auto count = ParseInteger(table.Cell(d - 1, (band & 1) + 1));
    // A count is a step index: one outside the steps would index past every list that uses it.
    if (!count || *count < 0 || *count >= kSensitivitySteps) {
        return fallback;
    }
    return *count;
}

std::vector<std::string> PLListEntries(const SensitivityTable& table) {
    return WholeEntries(TablePL, table);
}

std::vector<std::string> LLListEntries(const SensitivityTable& table) {
    return WholeEntries(TableLL, table);
}

std::vector<std::string> HLListEntries(const SensitivityTable& table) {
    return WholeEntries(TableHL, table);
}

std::vector<std::string> SensitivityListEntries() {
    std::vector<std::string> entries;
    for (int i = 0; i < kSensitivitySteps; ++i) {
        entries.push_back(std::to_string(SensOfIndex(i)));
    }
    return entries;
}

} // namespace catalogue
