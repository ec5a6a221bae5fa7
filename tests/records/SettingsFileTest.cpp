// The settings file's keys: defaults, fall-backs, list positions, round trips and write order.
#include "records/SettingsFile.h"

#include "SystemReasons.h"
#include "TempDirFixture.h"
#include "catalogue/ValueScales.h"

using catalogue::SensitivityTable;
using catalogue::ZoneLengthTable;
using records::PropertySettings;
using records::SettingsFile;

namespace {

class SettingsFileTest : public records_test::TempDirFixture {
protected:
    SettingsFile File(char separator = ',') const {
        return SettingsFile("./Mirelund.ini", separator);
    }
};

TEST_F(SettingsFileTest, FreshDirectoryGivesEveryDefaultAndCreatesNoFile) {
    catalogue::Kdc = 1;
    catalogue::Urd = 1;
    SensitivityTable sensitivity(',');
    ZoneLengthTable zoneLength;
    sensitivity.SetCell(1, 1, "stale");
    zoneLength.SetCell(1, 1, "stale");
    const records::StartUpSettings s = File().LoadAtStartUp(sensitivity, zoneLength);

    EXPECT_DOUBLE_EQ(catalogue::Kdc, 14.33);
    EXPECT_DOUBLE_EQ(catalogue::Urd, 1.5);
    EXPECT_EQ(s.properties.iSelect, 0);
    EXPECT_EQ(s.properties.iMaxTenPercent, 0);
    EXPECT_FALSE(s.properties.bSignalDuringAlarm);
    EXPECT_EQ(s.properties.iThresholdExcess, 0);
    EXPECT_EQ(s.iPointsPerSecond, 1);
    EXPECT_EQ(s.iComPort, 0);
    EXPECT_EQ(sensitivity.Cell(1, 0), "100");
    EXPECT_EQ(sensitivity.Cell(1, 1), "10,9375");
    EXPECT_EQ(sensitivity.Cell(32, 3), "71,875");
    EXPECT_EQ(zoneLength.Cell(1, 0), "10");
    EXPECT_EQ(zoneLength.Cell(1, 1), "15");
    EXPECT_EQ(zoneLength.Cell(1, 2), "30");
    EXPECT_EQ(zoneLength.Cell(30, 2), "9");
    EXPECT_TRUE(Listing().empty());
}

TEST_F(SettingsFileTest, ListPositionsAndTheThresholdModeAreKeptInRange) {
    const struct {
        const char* select;
        int position;
        int pointsPerSecond;
        const char* excess;
        int mode;
    } cases[] = {
        {"21", 21, 116, "2", 2},  {"0", 0, 1, "3", 3},     {"24", 24, 200, "7", 3},
        {"25", -1, 1, "-5", -1},  {"-1", -1, 1, "-1", -1}, {"abc", 0, 1, "x", 0},
        {" 21 ", 21, 116, "", 0},
    };
    for (const auto& c : cases) {
        WriteAll("Mirelund.ini", std::string("[Filter]\r\nSelect=") + c.select +
                                     "\r\nMaxTenPercent=" + c.select +
                                     "\r\n[Display]\r\nThresholdExcess=" + c.excess + "\r\n");
        const PropertySettings s = File().ReadProperties();
        EXPECT_EQ(s.iSelect, c.position) << c.select;
        EXPECT_EQ(s.iMaxTenPercent, c.position) << c.select;
        EXPECT_EQ(records::PointsPerSecondOf(s.iSelect), c.pointsPerSecond) << c.select;
        EXPECT_EQ(s.iThresholdExcess, c.mode) << c.excess;
    }
}

// A folder used under a decimal-comma locale one day and a decimal-point one the next: its
// numbers read the same either way.
TEST_F(SettingsFileTest, FloatsAreReadInEitherNotation) {
    WriteAll("Mirelund.ini", "[Koef]\r\nKdc=14,5\r\nUrd=1.25\r\n[PP]\r\nPP3=12,5\r\n"
                             "[Display]\r\nSignalDuringAlarm=5\r\n");
    for (const char decimal : {'.', ','}) {
        const PropertySettings read = File(decimal).ReadProperties();
        EXPECT_DOUBLE_EQ(read.dblKdc, 14.5) << decimal;
        EXPECT_DOUBLE_EQ(read.dblUrd, 1.25) << decimal;
        EXPECT_TRUE(read.bSignalDuringAlarm);
    }

    SensitivityTable sensitivity('.');
    ZoneLengthTable zoneLength;
    File('.').ReadTables(sensitivity, zoneLength);
    EXPECT_EQ(sensitivity.Cell(4, 1), "12.5");
}

TEST_F(SettingsFileTest, EveryKeyRoundTrips) {
    PropertySettings written;
    written.dblKdc = 13.125;
    written.dblUrd = 0.75;
    written.iSelect = 21;
    written.iMaxTenPercent = 24;
    written.bSignalDuringAlarm = true;
    written.iThresholdExcess = 3;
    SensitivityTable sensitivity(',');
    ZoneLengthTable zoneLength;
    for (int i = 0; i < 32; ++i) {
        for (int row = 1; row <= 3; ++row) {
            sensitivity.SetCell(i + 1, row,
                                std::to_string(i + 1) + "," + std::to_string(row) + "5");
        }
    }
    for (int d = 2; d <= 31; ++d) {
        zoneLength.SetCell(d - 1, 1, std::to_string(d));
        zoneLength.SetCell(d - 1, 2, std::to_string(31 - d));
    }
    SettingsFile file = File(',');
    ASSERT_TRUE(file.WriteProperties(written, sensitivity, zoneLength));
    ASSERT_TRUE(file.WriteComPort(7));

    SensitivityTable readSensitivity(',');
    ZoneLengthTable readZoneLength;
    const records::StartUpSettings read = File(',').LoadAtStartUp(readSensitivity, readZoneLength);
    EXPECT_DOUBLE_EQ(read.properties.dblKdc, 13.125);
    EXPECT_DOUBLE_EQ(read.properties.dblUrd, 0.75);
    EXPECT_EQ(read.properties.iSelect, 21);
    EXPECT_EQ(read.properties.iMaxTenPercent, 24);
    EXPECT_TRUE(read.properties.bSignalDuringAlarm);
    EXPECT_EQ(read.properties.iThresholdExcess, 3);
    EXPECT_EQ(read.iPointsPerSecond, 116);
    EXPECT_EQ(read.iComPort, 7);
    for (int column = 0; column < SensitivityTable::kColumns; ++column) {
        for (int row = 0; row < SensitivityTable::kRows; ++row) {
            EXPECT_EQ(readSensitivity.Cell(column, row), sensitivity.Cell(column, row))
                << column << "/" << row;
        }
    }
    for (int column = 0; column < ZoneLengthTable::kColumns; ++column) {
        for (int row = 0; row < ZoneLengthTable::kRows; ++row) {
            EXPECT_EQ(readZoneLength.Cell(column, row), zoneLength.Cell(column, row))
                << column << "/" << row;
        }
    }
    EXPECT_NE(ReadAll("Mirelund.ini").find("SignalDuringAlarm=1\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, ApplyWritesInItsOrderAndNormalisesTheCells) {
    SensitivityTable sensitivity(',');
    ZoneLengthTable zoneLength;
    sensitivity.SetCell(1, 1, "abc");
    sensitivity.SetCell(2, 2, " 12,50000 ");
    zoneLength.SetCell(1, 1, "12a");
    PropertySettings settings;
    settings.iSelect = -1;
    SettingsFile file = File(',');
    ASSERT_TRUE(file.WriteProperties(settings, sensitivity, zoneLength));

    EXPECT_EQ(sensitivity.Cell(1, 1), "10,9375");
    EXPECT_EQ(sensitivity.Cell(2, 2), "12,5");
    EXPECT_EQ(zoneLength.Cell(1, 1), "15");
    const std::string text = ReadAll("Mirelund.ini");
    EXPECT_TRUE(text.starts_with("[Koef]\r\nKdc=14,33\r\nUrd=1,5\r\n[Filter]\r\nSelect=-1\r\n"
                                 "MaxTenPercent=0\r\n[Display]\r\nSignalDuringAlarm=0\r\n"))
        << text;
    EXPECT_NE(text.find("SignalDuringAlarm=0\r\nThresholdExcess=0\r\n[PP]\r\nPP0=10,9375\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("[Sens]\r\nFreq10Dist2=15\r\nFreq24Dist2=30\r\nFreq10Dist3=15\r\n"),
              std::string::npos);
    EXPECT_TRUE(text.ends_with("Freq24Dist31=9\r\n"));
}

TEST_F(SettingsFileTest, WriteKeepsForeignSectionsAndComments) {
    const std::string foreign = "; installer's notes\r\n[Site]\r\nName=North fence\r\n";
    WriteAll("Mirelund.ini", foreign + "[Connection]\r\nComPort=3\r\n");
    SettingsFile file = File(',');
    ASSERT_TRUE(file.WriteComPort(12));
    SensitivityTable sensitivity(',');
    ZoneLengthTable zoneLength;
    ASSERT_TRUE(file.WriteProperties({}, sensitivity, zoneLength));
    const std::string text = ReadAll("Mirelund.ini");
    EXPECT_TRUE(text.starts_with(foreign + "[Connection]\r\nComPort=12\r\n[Koef]\r\n")) << text;
    EXPECT_EQ(file.ReadComPort(), 12);
}

TEST_F(SettingsFileTest, UnwritableFileFailsOnceWithTheReasonAndChangesNothing) {
    SettingsFile file("missing folder/Mirelund.ini", ',');
    SensitivityTable sensitivity(',');
    ZoneLengthTable zoneLength;
    sensitivity.SetCell(1, 1, "abc");
    const records::WriteOutcome outcome = file.WriteProperties({}, sensitivity, zoneLength);
    EXPECT_FALSE(outcome);
    EXPECT_NE(outcome.sError.find(records_test::MissingFolderReason()), std::string::npos)
        << outcome.sError;
    EXPECT_EQ(sensitivity.Cell(1, 1), "abc");
    EXPECT_FALSE(file.WriteComPort(3));
}

} // namespace
