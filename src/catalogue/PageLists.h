// The fixed item lists the Settings page offers, list position equal to the detector code.
#pragma once

#include <string>
#include <vector>

namespace catalogue {

inline constexpr int kMinAddress = 1;
inline constexpr int kMaxAddress = 12;

// Addresses 0 and above 12 are not valid; the Settings page replaces them.
bool IsValidAddress(int adr);
// "1" ... "12"; position = adr - 1.
std::vector<std::string> AddressList();
// "1" ... "4"; position = letter.
std::vector<std::string> UnitIdList();
// Lower speed limits "0,1" ... "0,4" in the given notation; position = vel_min.
std::vector<std::string> MinSpeedList(char decimalSeparator);
// Upper speed limits "4", "6", "8", "10"; position = vel_max.
std::vector<std::string> MaxSpeedList();
// "A" ... "N"; position = symbol.
std::vector<std::string> SymbolList();
// "0" ... "9", for the position number's tens and units lists.
std::vector<std::string> DigitList();

} // namespace catalogue
