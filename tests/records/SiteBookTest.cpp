// The site book's lines as spreadsheets read them, and its file: the header once, whole lines,
// a refused line reported once.
#include "TempDirFixture.h"

#include "records/SiteBook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace records_test {
namespace {

using records::CsvRecord;

struct FieldCase {
    const char* name;
    std::vector<std::string> fields;
    char separator;
    const char* expected;
};

class CsvRecordTest : public testing::TestWithParam<FieldCase> {};

TEST_P(CsvRecordTest, QuotesOnlyWhatMustBeQuoted) {
    EXPECT_EQ(CsvRecord(GetParam().fields, GetParam().separator), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CsvRecordTest,
    testing::Values(
        FieldCase{"Plain", {"Normal", "12.5  V", ""}, ',', "Normal,12.5  V,\r\n"},
        FieldCase{"DecimalCommaUnderSemicolon", {"12,5  V", "0,1"}, ';', "12,5  V;0,1\r\n"},
        FieldCase{"SeparatorInsideIsQuoted",
                  {"Special 1-PL,LL,HL", "x"},
                  ',',
                  "\"Special 1-PL,LL,HL\",x\r\n"},
        FieldCase{"CommaUnderSemicolonIsNotQuoted",
                  {"Special 1-PL,LL,HL"},
                  ';',
                  "Special 1-PL,LL,HL\r\n"},
        FieldCase{"SemicolonUnderSemicolonIsQuoted", {"a;b"}, ';', "\"a;b\"\r\n"},
        FieldCase{"QuotesAreDoubled", {"say \"hi\""}, ',', "\"say \"\"hi\"\"\"\r\n"},
        FieldCase{"LineBreaksAreQuoted", {"a\r\nb", "c\nd"}, ',', "\"a\r\nb\",\"c\nd\"\r\n"}),
    [](const testing::TestParamInfo<FieldCase>& info) { return info.param.name; });

TEST(SiteBookLine, HoldsEveryColumnInTheHeadersOrderWithEmptyCountsOutsideAWalkTest) {
    records::SiteBookEntry e{.sDateTime = "2026-12-10 14:07:33",
                             .sEvent = records::kEventSettingsConfirmed,
                             .sPort = "COM3",
                             .sModel = "Halvexa-PC 10",
                             .sVersion = "1.3",
                             .sUnitId = "1",
                             .sPosition = "C07",
                             .sAddress = "",
                             .sOutputType = "Relay",
                             .sZoneLength = "90",
                             .sSetupMethod = "Special 1",
                             .sSensitivity = "---",
                             .sPL = "27",
                             .sLL = "27",
                             .sHL = "39",
                             .sVmin = "0,1",
                             .sVmax = "10",
                             .sSupply = "23,2",
                             .sWalkTestFolder = "",
                             .walkTestCounts = {}};
    const std::string line = records::SiteBookLine(e, records::SiteBookSeparator(','));
    EXPECT_EQ(line, "2026-12-10 14:07:33;Settings confirmed;COM3;Halvexa-PC 10;1.3;1;C07;;Relay;"
                    "90;Special 1;---;27;27;39;0,1;10;23,2;;;;;;;;;\r\n");
    EXPECT_EQ(std::count(line.begin(), line.end(), ';') + 1,
              static_cast<long>(records::SiteBookColumns().size()));

    e.sWalkTestFolder = "2026-12-10 14'07'33";
    e.walkTestCounts = {"2", "0", "1", "0", "0", "0", "0", "0"};
    EXPECT_TRUE(
        records::SiteBookLine(e, ',').ends_with(",2026-12-10 14'07'33,2,0,1,0,0,0,0,0\r\n"));
    EXPECT_EQ(records::SiteBookSeparator('.'), ',');
}

class SiteBookFile : public TempDirFixture {
protected:
    static records::SiteBookEntry Entry(const char* event) {
        records::SiteBookEntry entry;
        entry.sDateTime = "2026-12-10 14:07:33";
        entry.sEvent = event;
        entry.sPort = "COM3";
        return entry;
    }
    static std::string Header() { return CsvRecord(records::SiteBookColumns(), ','); }
};

TEST_F(SiteBookFile, WritesTheHeaderOnlyIntoANewOrEmptyFile) {
    records::SiteBook book(records::kSiteBookFileName, '.');
    EXPECT_EQ(book.Append(Entry(records::kEventIdentified)), "");
    EXPECT_EQ(book.Append(Entry(records::kEventCalibrationEnded)), "");
    EXPECT_EQ(ReadAll(records::kSiteBookFileName),
              Header() + records::SiteBookLine(Entry(records::kEventIdentified), ',') +
                  records::SiteBookLine(Entry(records::kEventCalibrationEnded), ','));

    WriteAll("other.csv", "");
    records::SiteBook emptied("other.csv", '.');
    EXPECT_EQ(emptied.Append(Entry(records::kEventIdentified)), "");
    EXPECT_TRUE(ReadAll("other.csv").starts_with(Header()));
}

TEST_F(SiteBookFile, ARefusedLineIsReportedOnceAndTheNextWrittenWhole) {
    std::filesystem::create_directory(records::kSiteBookFileName);
    records::SiteBook book(records::kSiteBookFileName, '.');
    const std::string first = book.Append(Entry(records::kEventIdentified));
    EXPECT_NE(first.find("Site book.csv"), std::string::npos) << first;
    EXPECT_EQ(book.Append(Entry(records::kEventCalibrationEnded)), "") << "reported once a run";

    std::filesystem::remove(records::kSiteBookFileName);
    EXPECT_EQ(book.Append(Entry(records::kEventWalkTest)), "");
    EXPECT_EQ(ReadAll(records::kSiteBookFileName),
              Header() + records::SiteBookLine(Entry(records::kEventWalkTest), ','));

    std::filesystem::remove(records::kSiteBookFileName);
    std::filesystem::create_directory(records::kSiteBookFileName);
    EXPECT_NE(book.Append(Entry(records::kEventIdentified)), "") << "a new run is reported";
}

} // namespace
} // namespace records_test
