// The site book's lines as spreadsheets read them, and its file: the header once, whole lines,
// a refused line reported once.
#include "TempDirFixture.h"

#include "records/SiteBook.h"
#include "support/FakePictures.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <filesystem>
#include <thread>
#include <vector>

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

// The window books a walk test's counts in the summary's order: the columns name them alike.
TEST(SiteBookColumns, NameTheWalkTestsCountsAsItsSummaryDoesInItsOrder) {
    testing_support::FakePictures pictures;
    const std::vector<std::string> summary = detlink::RecordingEvents(pictures).SummaryLines();
    const std::vector<std::string>& columns = records::SiteBookColumns();
    ASSERT_EQ(summary.size(), 8u);
    for (std::size_t i = 0; i < summary.size(); ++i)
        EXPECT_EQ(summary[i], columns[columns.size() - summary.size() + i] + ": 0");
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

// The same folder under a decimal-comma locale one day and a decimal-point one the next: lines
// go on in the notation the book's header was written in, separator and decimals alike.
struct NotationCase {
    char running; // the decimal separator of the locale appending
    char book;    // the separator of the book's header
    const char* vmin;
    const char* supply;
};

void PrintTo(const NotationCase& c, std::ostream* os) {
    *os << "running '" << c.running << "', book '" << c.book << "'";
}

class SiteBookNotation : public SiteBookFile, public testing::WithParamInterface<NotationCase> {};

TEST_P(SiteBookNotation, AppendsInTheBooksOwnNotation) {
    const NotationCase c = GetParam();
    WriteAll(records::kSiteBookFileName, CsvRecord(records::SiteBookColumns(), c.book));
    records::SiteBookEntry entry = Entry(records::kEventIdentified);
    entry.sVmin = c.running == ',' ? "0,1" : "0.1";
    entry.sSupply = c.running == ',' ? "23,2" : "23.2";
    entry.sVersion = "1.3";
    ASSERT_EQ(records::SiteBook(records::kSiteBookFileName, c.running).Append(entry), "");
    records::SiteBookEntry expected = entry;
    expected.sVmin = c.vmin;
    expected.sSupply = c.supply;
    EXPECT_EQ(ReadAll(records::kSiteBookFileName), CsvRecord(records::SiteBookColumns(), c.book) +
                                                       records::SiteBookLine(expected, c.book));
}

INSTANTIATE_TEST_SUITE_P(Locales, SiteBookNotation,
                         testing::Values(NotationCase{'.', ';', "0,1", "23,2"},
                                         NotationCase{',', ',', "0.1", "23.2"},
                                         NotationCase{',', ';', "0,1", "23,2"},
                                         NotationCase{'.', ',', "0.1", "23.2"}));

// A book that cannot be written (here a folder in its place) keeps its lines waiting, in order,
// and writes them before the next line once it can; the operator hears once per run of
// refusals.
TEST_F(SiteBookFile, RefusedLinesWaitAndAreWrittenInOrderOnceTheBookCanBe) {
    std::filesystem::create_directory(records::kSiteBookFileName);
    records::SiteBook book(records::kSiteBookFileName, '.');
    const std::string first = book.Append(Entry(records::kEventIdentified));
    EXPECT_NE(first.find("Site book.csv"), std::string::npos) << first;
    EXPECT_NE(first.find("wait"), std::string::npos) << first;
    EXPECT_EQ(book.Append(Entry(records::kEventCalibrationEnded)), "") << "reported once a run";
    EXPECT_EQ(book.Waiting(), 2u);
    EXPECT_NE(book.WaitReason().find("Site book.csv"), std::string::npos) << book.WaitReason();

    std::filesystem::remove(records::kSiteBookFileName);
    EXPECT_EQ(book.Append(Entry(records::kEventWalkTest)), "");
    EXPECT_EQ(book.Waiting(), 0u);
    EXPECT_EQ(ReadAll(records::kSiteBookFileName),
              Header() + records::SiteBookLine(Entry(records::kEventIdentified), ',') +
                  records::SiteBookLine(Entry(records::kEventCalibrationEnded), ',') +
                  records::SiteBookLine(Entry(records::kEventWalkTest), ','));

    std::filesystem::remove(records::kSiteBookFileName);
    std::filesystem::create_directory(records::kSiteBookFileName);
    EXPECT_NE(book.Append(Entry(records::kEventIdentified)), "") << "a new run is reported";
}

// The run ends with the book still refused: its waiting lines go beside it, and past the bound
// the lines lost are counted rather than kept without end.
TEST_F(SiteBookFile, LinesStillWaitingAtTheEndGoBesideTheBook) {
    std::filesystem::create_directory(records::kSiteBookFileName);
    records::SiteBook book(records::kSiteBookFileName, '.');
    for (std::size_t i = 0; i < records::kMaxWaitingLines + 3; ++i)
        book.Append(Entry(i == 0 ? records::kEventIdentified : records::kEventWalkTest));
    EXPECT_EQ(book.Waiting(), records::kMaxWaitingLines);
    EXPECT_EQ(book.Dropped(), 3u);

    const std::string said = book.SetWaitingAside();
    EXPECT_NE(said.find(records::kSiteBookWaitingFileName), std::string::npos) << said;
    EXPECT_NE(said.find("3 line(s)"), std::string::npos) << said;
    EXPECT_EQ(book.Waiting(), 0u);
    const std::string aside = ReadAll(records::kSiteBookWaitingFileName);
    EXPECT_TRUE(
        aside.starts_with(Header() + records::SiteBookLine(Entry(records::kEventIdentified), ',')));
    EXPECT_EQ(std::count(aside.begin(), aside.end(), '\n'),
              static_cast<long>(records::kMaxWaitingLines) + 1);
    EXPECT_EQ(records::SiteBook(records::kSiteBookFileName, '.').SetWaitingAside(), "");
}

// Two copies of the program, each with its own handle on the book, as two threads: every line
// arrives whole and the header once, though they start on an empty file together.
TEST_F(SiteBookFile, TwoCopiesAppendingAtOnceWriteOneHeaderAndWholeLines) {
    constexpr int kLinesEach = 200;
    const char* const events[] = {records::kEventIdentified, records::kEventWalkTest};
    int refused[2] = {0, 0};
    {
        std::vector<std::jthread> copies;
        for (int c = 0; c < 2; ++c)
            copies.emplace_back([c, &events, &refused] {
                records::SiteBook book(records::kSiteBookFileName, '.');
                for (int i = 0; i < kLinesEach; ++i)
                    refused[c] += book.Append(Entry(events[c])).empty() ? 0 : 1;
            });
    }
    EXPECT_EQ(refused[0] + refused[1], 0);
    const std::string text = ReadAll(records::kSiteBookFileName);
    ASSERT_TRUE(text.starts_with(Header()));
    int lines[2] = {0, 0};
    for (std::size_t at = Header().size(); at < text.size();) {
        const std::size_t end = text.find("\r\n", at) + 2;
        const std::string line = text.substr(at, end - at);
        const int c = line == records::SiteBookLine(Entry(events[0]), ',') ? 0 : 1;
        ASSERT_EQ(line, records::SiteBookLine(Entry(events[c]), ','));
        ++lines[c];
        at = end;
    }
    EXPECT_EQ(lines[0], kLinesEach);
    EXPECT_EQ(lines[1], kLinesEach);
}

} // namespace
} // namespace records_test
