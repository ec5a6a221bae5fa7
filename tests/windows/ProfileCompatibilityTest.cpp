// The settings file against Windows' own private-profile functions: what IniFile writes,
// GetPrivateProfileStringA reads key for key, and what WritePrivateProfileStringA writes
// (with a repeated section added by hand, as an editor leaves one), IniFile reads the same.
#include "records/IniFile.h"
#include "records/TempDirFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>
#include <windows.h>

namespace {

constexpr const char* kPath = ".\\Mirelund.ini";
constexpr const char* kMissing = "<missing>";

std::string ProfileString(const char* section, const char* key) {
    char buffer[512] = {};
    GetPrivateProfileStringA(section, key, kMissing, buffer, sizeof buffer, kPath);
    return buffer;
}

// The keys of a section in file order, as the profile functions list them.
std::vector<std::string> ProfileKeys(const char* section) {
    char buffer[4096] = {};
    const DWORD length =
        GetPrivateProfileStringA(section, nullptr, "", buffer, sizeof buffer, kPath);
    std::vector<std::string> keys;
    for (DWORD i = 0; i < length; i += static_cast<DWORD>(keys.back().size()) + 1) {
        keys.emplace_back(buffer + i);
    }
    return keys;
}

class ProfileCompatibility : public records_test::TempDirFixture {};

TEST_F(ProfileCompatibility, WhatIniFileWritesTheProfileFunctionsReadKeyForKey) {
    const std::vector<records::IniEntry> entries = {
        {"Koef", "Kdc", "14,33"},       {"Koef", "Urd", "1.5"},
        {"Filter", "Select", "21"},     {"Display", "SignalDuringAlarm", "1"},
        {"PP", "PP0", "62,5"},          {"PP", "PP31", "3,90625"},
        {"Sens", "Freq24Dist2", "120"}, {"Connection", "ComPort", "5"},
        {"Koef", "Note", "two words"},
    };
    records::IniFile ini(kPath);
    ASSERT_TRUE(ini.WriteStrings(entries));
    ASSERT_TRUE(ini.WriteString("Connection", "ComPort", "12"));
    for (const records::IniEntry& e : entries) {
        const std::string expected = e.sKey == "ComPort" ? "12" : e.sValue;
        EXPECT_EQ(ProfileString(e.sSection.c_str(), e.sKey.c_str()), expected)
            << e.sSection << "/" << e.sKey;
    }
    EXPECT_EQ(ProfileKeys("Koef"), (std::vector<std::string>{"Kdc", "Urd", "Note"}));
    EXPECT_EQ(ProfileKeys("Connection"), std::vector<std::string>{"ComPort"});
}

TEST_F(ProfileCompatibility, WhatTheProfileFunctionsWriteIniFileReadsTheSame) {
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } writes[] = {
        {"Koef", "Kdc", "14,33"},
        {"Koef", "Urd", "\"1,5\""},
        {"koef", "MIXED", "  blanks around  "},
        {"Filter", "select", "\"21\""},
        {"FILTER", "MaxTenPercent", "3"},
        {"Connection", "ComPort", "7"},
        {"Display", "Empty", ""},
    };
    for (const auto& w : writes) {
        ASSERT_TRUE(WritePrivateProfileStringA(w.section, w.key, w.value, kPath));
    }
    // Flushes Wine's and Windows' profile cache to the file.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, kPath);
    std::ofstream(kPath, std::ios::app | std::ios::binary)
        << "[Koef]\r\nKdc=99\r\nLate=1\r\n[Connection]\r\nComPort=9\r\n";

    const records::IniFile ini(kPath);
    const struct {
        const char* section;
        const char* key;
    } reads[] = {
        {"Koef", "Kdc"},           {"KOEF", "kdc"},      {"Koef", "Urd"},
        {"Koef", "Mixed"},         {"Filter", "Select"}, {"filter", "MAXTENPERCENT"},
        {"Connection", "ComPort"}, {"Display", "Empty"}, {"Koef", "Late"},
        {"Koef", "Absent"},
    };
    for (const auto& r : reads) {
        EXPECT_EQ(ini.ReadString(r.section, r.key, kMissing), ProfileString(r.section, r.key))
            << r.section << "/" << r.key;
    }
    EXPECT_EQ(ini.ReadString("Koef", "Urd", kMissing), "1,5");
    EXPECT_EQ(ini.ReadString("Filter", "Select", kMissing), "21");
    EXPECT_EQ(ini.ReadString("Connection", "ComPort", kMissing), "7");
}

} // namespace
