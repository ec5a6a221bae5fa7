// Settings file keys: formats, fall-backs and the Apply's order of writing.
#include "records/SettingsFile.h"

#include "catalogue/NumberFormat.h"
#include "catalogue/ValueScales.h"
#include "records/FilterLists.h"
#include "records/SettingsKeys.h"

#include <algorithm>
#include <vector>

namespace records {
namespace {

constexpr int kSteps = 32;
constexpr int kFirstZone = 2;
constexpr int kLastZone = 31;
constexpr int kLastThresholdMode = 3;

int ListPosition(int stored, std::size_t listSize) {
    return stored >= 0 && stored < static_cast<int>(listSize) ? stored : -1;
}

} // namespace

int PointsPerSecondOf(int selectPosition) {
    if (ListPosition(selectPosition, kSignalScalingEntries.size()) < 0) {
        return 1;
    }
    return catalogue::ParseInteger(kSignalScalingEntries[static_cast<std::size_t>(selectPosition)])
        .value_or(1);
}

SettingsFile::SettingsFile(std::string path, char decimalSeparator)
    : ini(std::move(path))
    , cDecimal(decimalSeparator) {}

double SettingsFile::ReadFloat(const char* section, const std::string& key, double fallback) const {
    const std::optional<std::string> text = ini.Read(section, key);
    if (!text)
        return fallback;
    // Written under the user's separator, read under another's: the same folder is used on
    // machines, or with locales, that differ. The tool never writes a thousands separator.
    const char other = cDecimal == ',' ? '.' : ',';
    if (const std::optional<double> value = catalogue::ParseReal(*text, cDecimal))
        return *value;
    return catalogue::ParseReal(*text, other).value_or(fallback);
}

int SettingsFile::ReadInteger(const char* section, const std::string& key, int fallback) const {
    const std::optional<std::string> text = ini.Read(section, key);
    return text ? catalogue::ParseInteger(*text).value_or(fallback) : fallback;
}

PropertySettings SettingsFile::ReadProperties(const PropertySettings& current) const {
    PropertySettings s;
    s.dblKdc = ReadFloat(keys::kKoef, keys::kKdc, current.dblKdc);
    s.dblUrd = ReadFloat(keys::kKoef, keys::kUrd, current.dblUrd);
    s.iSelect = ListPosition(ReadInteger(keys::kFilter, keys::kSelect, current.iSelect),
                             kSignalScalingEntries.size());
    s.iMaxTenPercent =
        ListPosition(ReadInteger(keys::kFilter, keys::kMaxTenPercent, current.iMaxTenPercent),
                     kFluctuationEntries.size());
    s.bSignalDuringAlarm =
        ReadInteger(keys::kDisplay, keys::kSignalDuringAlarm, current.bSignalDuringAlarm) != 0;
    s.iThresholdExcess =
        std::clamp(ReadInteger(keys::kDisplay, keys::kThresholdExcess, current.iThresholdExcess),
                   -1, kLastThresholdMode);
    return s;
}

void SettingsFile::ReadTables(catalogue::SensitivityTable& sensitivity,
                              catalogue::ZoneLengthTable& zoneLength) const {
    for (int i = 0; i < kSteps; ++i) {
        const double pl =
            ReadFloat(keys::kPP, keys::Indexed(keys::kPP, i), catalogue::DefaultPLPercent(i));
        const double ll =
            ReadFloat(keys::kMP, keys::Indexed(keys::kMP, i), catalogue::DefaultLLPercent(i));
        const double hl =
            ReadFloat(keys::kBP, keys::Indexed(keys::kBP, i), catalogue::DefaultHLPercent(i));
        sensitivity.SetCell(i + 1, 0, std::to_string(catalogue::SensOfIndex(i)));
        sensitivity.SetCell(i + 1, 1, catalogue::FormatUpTo4Decimals(pl, cDecimal));
        sensitivity.SetCell(i + 1, 2, catalogue::FormatUpTo4Decimals(ll, cDecimal));
        sensitivity.SetCell(i + 1, 3, catalogue::FormatUpTo4Decimals(hl, cDecimal));
    }
    for (int d = kFirstZone; d <= kLastZone; ++d) {
        zoneLength.SetCell(d - 1, 0, std::to_string(catalogue::ZoneLengthOfIndex(d)));
        zoneLength.SetCell(
            d - 1, 1,
            std::to_string(ReadInteger(keys::kSens, keys::Indexed(keys::kFreq10Dist, d),
                                       catalogue::DefaultThresholdCount(0, d))));
        zoneLength.SetCell(
            d - 1, 2,
            std::to_string(ReadInteger(keys::kSens, keys::Indexed(keys::kFreq24Dist, d),
                                       catalogue::DefaultThresholdCount(1, d))));
    }
}

int SettingsFile::ReadComPort() const {
    return ReadInteger(keys::kConnection, keys::kComPort, 0);
}

bool SettingsFile::ReadSiteBookKept() const {
    return ReadInteger(keys::kSiteBook, keys::kKeep, 1) != 0;
}

StartUpSettings SettingsFile::LoadAtStartUp(catalogue::SensitivityTable& sensitivity,
                                            catalogue::ZoneLengthTable& zoneLength) const {
    StartUpSettings s;
    s.properties = ReadProperties();
    catalogue::Kdc = s.properties.dblKdc;
    catalogue::Urd = s.properties.dblUrd;
    s.iPointsPerSecond = PointsPerSecondOf(s.properties.iSelect);
    ReadTables(sensitivity, zoneLength);
    s.iComPort = ReadComPort();
    return s;
}

WriteOutcome SettingsFile::WriteProperties(const PropertySettings& settings,
                                           catalogue::SensitivityTable& sensitivity,
                                           catalogue::ZoneLengthTable& zoneLength) {
    std::vector<IniEntry> entries = {
        {keys::kKoef, keys::kKdc, catalogue::FormatGeneral(settings.dblKdc, cDecimal)},
        {keys::kKoef, keys::kUrd, catalogue::FormatGeneral(settings.dblUrd, cDecimal)},
        {keys::kFilter, keys::kSelect, std::to_string(settings.iSelect)},
        {keys::kFilter, keys::kMaxTenPercent, std::to_string(settings.iMaxTenPercent)},
        {keys::kDisplay, keys::kSignalDuringAlarm, settings.bSignalDuringAlarm ? "1" : "0"},
    };
    for (int i = 0; i < kSteps; ++i) {
        entries.push_back({keys::kPP, keys::Indexed(keys::kPP, i),
                           catalogue::FormatGeneral(catalogue::TablePL(sensitivity, i), cDecimal)});
        entries.push_back({keys::kMP, keys::Indexed(keys::kMP, i),
                           catalogue::FormatGeneral(catalogue::TableLL(sensitivity, i), cDecimal)});
        entries.push_back({keys::kBP, keys::Indexed(keys::kBP, i),
                           catalogue::FormatGeneral(catalogue::TableHL(sensitivity, i), cDecimal)});
    }
    for (int d = kFirstZone; d <= kLastZone; ++d) {
        entries.push_back({keys::kSens, keys::Indexed(keys::kFreq10Dist, d),
                           std::to_string(catalogue::TableThresholdCount(zoneLength, 0, d))});
        entries.push_back({keys::kSens, keys::Indexed(keys::kFreq24Dist, d),
                           std::to_string(catalogue::TableThresholdCount(zoneLength, 1, d))});
    }
    entries.push_back(
        {keys::kDisplay, keys::kThresholdExcess, std::to_string(settings.iThresholdExcess)});
    WriteOutcome outcome = ini.WriteStrings(entries);
    if (outcome) {
        ReadTables(sensitivity, zoneLength);
    }
    return outcome;
}

WriteOutcome SettingsFile::WriteComPort(int comPort) {
    return ini.WriteString(keys::kConnection, keys::kComPort, std::to_string(comPort));
}

} // namespace records
