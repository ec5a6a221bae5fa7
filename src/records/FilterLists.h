// The entries of the Properties page's two filter lists; the settings file stores positions in
// them, so their order is part of the file format.
#pragma once

#include <array>
#include <string_view>

namespace records {

// "Signal scaling to counts/sec:"
inline constexpr std::array<std::string_view, 25> kSignalScalingEntries = {
    "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",   "9",   "10",  "15",  "20", "25",
    "30", "40", "50", "60", "70", "80", "90", "100", "116", "120", "150", "200"};

// "Signal fluctuations >10% to be filtered:"
inline constexpr std::array<std::string_view, 25> kFluctuationEntries = {
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",   "9",   "10",  "15", "20",
    "25", "30", "40", "50", "60", "70", "80", "90", "100", "120", "150", "200"};

} // namespace records
