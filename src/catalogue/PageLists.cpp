// The fixed item lists the Settings page offers, list position equal to the detector code.
#include "catalogue/PageLists.h"

#include "catalogue/NumberFormat.h"
#include "catalogue/ValueScales.h"

namespace catalogue {

namespace {

constexpr int kSpeedCodes = 4;
constexpr int kSymbolsOffered = 14;
constexpr int kUnitIds = 4;

std::vector<std::string> Counting(int first, int last) {
    std::vector<std::string> items;
    for (int n = first; n <= last; ++n) {
        items.push_back(std::to_string(n));
    }
    return items;
}

} // namespace

bool IsValidAddress(int adr) {
    return adr >= kMinAddress && adr <= kMaxAddress;
}

std::vector<std::string> AddressList() {
    return Counting(kMinAddress, kMaxAddress);
}

std::vector<std::string> UnitIdList() {
    return Counting(1, kUnitIds);
}

std::vector<std::string> MinSpeedList(char decimalSeparator) {
    std::vector<std::string> items;
    for (int v = 0; v < kSpeedCodes; ++v) {
        items.push_back(FormatFixed(MinSpeedOfCode(v), 1, decimalSeparator));
    }
    return items;
}

std::vector<std::string> MaxSpeedList() {
    std::vector<std::string> items;
    for (int v = 0; v < kSpeedCodes; ++v) {
        items.push_back(std::to_string(MaxSpeedOfCode(v)));
    }
    return items;
}

std::vector<std::string> SymbolList() {
    std::vector<std::string> items;
    for (int s = 0; s < kSymbolsOffered; ++s) {
        items.emplace_back(1, static_cast<char>('A' + s));
    }
    return items;
}

std::vector<std::string> DigitList() {
    return Counting(0, 9);
}

} // namespace catalogue
