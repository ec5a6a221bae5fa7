// Every section and key name of the settings file, in one place.
#pragma once

#include <string>

namespace records::keys {

inline constexpr const char* kKoef = "Koef";
inline constexpr const char* kKdc = "Kdc";
inline constexpr const char* kUrd = "Urd";

inline constexpr const char* kFilter = "Filter";
inline constexpr const char* kSelect = "Select";
inline constexpr const char* kMaxTenPercent = "MaxTenPercent";

inline constexpr const char* kDisplay = "Display";
inline constexpr const char* kSignalDuringAlarm = "SignalDuringAlarm";
inline constexpr const char* kThresholdExcess = "ThresholdExcess";

// The threshold sections; each key is the section's name followed by the step, "PP0".."PP31".
inline constexpr const char* kPP = "PP";
inline constexpr const char* kMP = "MP";
inline constexpr const char* kBP = "BP";

// Zone thresholds: the stem followed by the zone index, "Freq10Dist2".."Freq24Dist31".
inline constexpr const char* kSens = "Sens";
inline constexpr const char* kFreq10Dist = "Freq10Dist";
inline constexpr const char* kFreq24Dist = "Freq24Dist";

inline constexpr const char* kConnection = "Connection";
inline constexpr const char* kComPort = "ComPort";

// 0 turns the site book off; it is kept when the key is missing.
inline constexpr const char* kSiteBook = "SiteBook";
inline constexpr const char* kKeep = "Keep";

// The stem and the index in decimal without leading zeros.
inline std::string Indexed(const char* stem, int index) {
    return stem + std::to_string(index);
}

} // namespace records::keys
