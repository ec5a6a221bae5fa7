// The site book's page: a section for each detector, what to ask about at the top, damaged
// lines left out with their numbers, a file that is not a site book refused.
#include "TempDirFixture.h"

#include "records/ReportHtml.h"
#include "records/SiteBookPage.h"
#include "records/SiteBookPageWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>

namespace records_test {
namespace {

using records::SiteBookEntry;

SiteBookEntry Line(const char* time, const char* event, const char* unit, const char* position) {
    SiteBookEntry e;
    e.sDateTime = std::string("2026-12-10 ") + time;
    e.sEvent = event;
    e.sPort = "COM3";
    e.sModel = "Halvexa-PC 10";
    e.sVersion = "1.3";
    e.sUnitId = unit;
    e.sPosition = position;
    e.sZoneLength = "90";
    e.sSetupMethod = "Auto";
    return e;
}

SiteBookEntry WalkTest(const char* time, const char* unit, const char* position) {
    SiteBookEntry e = Line(time, records::kEventWalkTest, unit, position);
    e.sWalkTestFolder = std::string("2026-12-10 ") + time;
    e.walkTestCounts = {"3", "0", "0", "0", "0", "0", "0", "0"};
    return e;
}

std::string Book(const std::vector<SiteBookEntry>& entries, char decimal = '.') {
    const char separator = records::SiteBookSeparator(decimal);
    std::string text = records::CsvRecord(records::SiteBookColumns(), separator);
    for (const SiteBookEntry& e : entries)
        text += records::SiteBookLine(e, separator);
    return text;
}

std::string LinkToFolder(const std::string& folder) {
    return folder + "/";
}

TEST(SiteBookPage, GroupsByDetectorInTimeOrderAndAsksAboutWhatIsMissing) {
    SiteBookEntry identified = Line("10:20:00", records::kEventIdentified, "2", "B02");
    SiteBookEntry unconfirmed = Line("10:30:00", records::kEventSettingsNotConfirmed, "2", "B02");
    identified.sPort = unconfirmed.sPort = "COM4";
    const std::string text = Book({Line("10:00:00", records::kEventIdentified, "1", "A01"),
                                   identified, unconfirmed, WalkTest("10:10:00", "1", "A01"),
                                   Line("10:05:00", records::kEventSettingsConfirmed, "1", "A01")},
                                  ',');
    const records::SiteBookRead book = records::ReadSiteBookText(text);
    ASSERT_TRUE(book.bIsSiteBook);
    EXPECT_TRUE(book.damaged.empty());
    const std::string page = records::SiteBookHtml(book, LinkToFolder);
    const auto first = page.find("<h2>Unit 1, position A01</h2>");
    const auto second = page.find("<h2>Unit 2, position B02</h2>");
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_LT(page.find("10:05:00"), page.find("10:10:00")) << "events in time order";
    const std::string ask = page.substr(0, first);
    EXPECT_NE(ask.find("Unit 2, position B02: never walk-tested"), std::string::npos);
    EXPECT_NE(ask.find("Unit 2, position B02: a change of its settings was never confirmed"),
              std::string::npos);
    EXPECT_NE(page.find("version 1.3; first booked 2026-12-10 10:20:00</p>"), std::string::npos);
    EXPECT_EQ(ask.find("Unit 1"), std::string::npos) << "unit 1 is complete";
    EXPECT_NE(page.find("<a href=\"2026-12-10 10:10:00/\">"), std::string::npos);
    EXPECT_NE(page.find("@media print"), std::string::npos);
    EXPECT_EQ(page.find("http"), std::string::npos) << "no network references";
}

// The run ended before the walk test's summary was written: it was walk-tested all the same, and
// the book's line carries its folder and counts.
TEST(SiteBookPage, AWalkTestWithoutItsSummaryCountsAsAWalkTest) {
    SiteBookEntry walkTest = WalkTest("10:10:00", "1", "A01");
    walkTest.sEvent = records::kEventWalkTestWithoutSummary;
    walkTest.walkTestCounts = {"4", "1", "0", "0", "2", "0", "0", "0"};
    const std::string page = records::SiteBookHtml(
        records::ReadSiteBookText(
            Book({Line("10:00:00", records::kEventIdentified, "1", "A01"), walkTest})),
        LinkToFolder);
    EXPECT_EQ(page.find("never walk-tested"), std::string::npos);
    EXPECT_EQ(page.find("Never walk-tested"), std::string::npos);
    EXPECT_NE(page.find("<a href=\"2026-12-10 10:10:00/\">2026-12-10 10:10:00</a><br>The summary "
                        "is missing: the run ended before it was written; the folder holds the "
                        "pictures.<br>Alarms: 4<br>Pre Alarms PL: 1"),
              std::string::npos)
        << page;
    EXPECT_NE(page.find("<br>Calibrations: 2<br>"), std::string::npos);
}

// Two detectors without a position and of the same unit ID, one after the other on a port.
TEST(SiteBookPage, SectionsOfTheSameHeadingAreToldApartWhereAskedAbout) {
    const std::string page = records::SiteBookHtml(
        records::ReadSiteBookText(Book({Line("10:00:00", records::kEventIdentified, "1", "---"),
                                        Line("11:00:00", records::kEventIdentified, "1", "---")})),
        LinkToFolder);
    EXPECT_NE(page.find("2 detectors, 2 events."), std::string::npos);
    EXPECT_NE(
        page.find("Unit 1, position --- (first booked 2026-12-10 10:00:00): never walk-tested"),
        std::string::npos);
    EXPECT_NE(
        page.find("Unit 1, position --- (first booked 2026-12-10 11:00:00): never walk-tested"),
        std::string::npos);
}

TEST(SiteBookPage, EscapesEveryTextAndSkipsDamagedLinesByNumber) {
    SiteBookEntry hostile = Line("09:00:00", records::kEventIdentified, "<b>1</b>", "A\"01");
    hostile.sModel = "<script>x</script>";
    std::string text = Book({hostile});
    text += "2026-12-10 09:01:00,too,few\r\n";
    text += "\"broken,quoting\r\n";
    const records::SiteBookRead book = records::ReadSiteBookText(text);
    ASSERT_EQ(book.lines.size(), 1u);
    ASSERT_EQ(book.damaged.size(), 2u);
    EXPECT_TRUE(book.damaged[0].starts_with("Line 3: 3 fields")) << book.damaged[0];
    EXPECT_TRUE(book.damaged[1].starts_with("Line 4: broken quoting")) << book.damaged[1];
    const std::string page = records::SiteBookHtml(book, LinkToFolder);
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_EQ(page.find("<b>1</b>"), std::string::npos);
    EXPECT_NE(page.find("&lt;script&gt;"), std::string::npos);
}

// A good line, one damaged or odd piece, and another good line: the piece is named by the
// line it starts on and costs nothing else.
struct DamageCase {
    const char* name;
    const char* piece;
    std::vector<std::string> damaged;
};

void PrintTo(const DamageCase& c, std::ostream* out) {
    *out << c.name;
}

class SiteBookDamage : public testing::TestWithParam<DamageCase> {};

TEST_P(SiteBookDamage, CostsOnlyItsOwnLine) {
    const std::string good = records::SiteBookLine(WalkTest("09:00:00", "1", "A01"), ',');
    const records::SiteBookRead book =
        records::ReadSiteBookText(Book({}) + good + GetParam().piece + good);
    EXPECT_EQ(book.damaged, GetParam().damaged);
    EXPECT_EQ(book.lines.size(), 2u) << "the lines around it are read";
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, SiteBookDamage,
    testing::Values(
        DamageCase{
            "QuoteLeftOpen", "x,\"open\r\n", {"Line 3: broken quoting (a quote is not closed)"}},
        DamageCase{"TextAfterClosingQuote",
                   "\"a\"b,c\r\n",
                   {"Line 3: broken quoting (text follows a closing quote)"}},
        DamageCase{"QuoteInsidePlainField",
                   "a\"b,c\r\n",
                   {"Line 3: broken quoting (a quote inside a field that is not quoted)"}},
        DamageCase{"LinesCountedInsideQuotes",
                   "\"two\r\nlines\",x\nshort,line\r\n",
                   {"Line 3: 2 fields instead of 27", "Line 5: 2 fields instead of 27"}},
        DamageCase{"EmptyLine", "\r\n", {}},
        // Two books put together: the second header is not a detector.
        DamageCase{"HeaderAgain",
                   "Date and time,Event,Port,Model,Version,Unit ID,Position,"
                   "Address,Output type,Zone length,Setup method,Sensitivity,PL,"
                   "LL,HL,Vmin,Vmax,Supply,Walk test folder,Alarms,Pre Alarms PL,"
                   "Pre Alarms LL,Settings Changes,Calibrations,Pauses,"
                   "Disconnections,Malfunctions\r\n",
                   {}}),
    [](const testing::TestParamInfo<DamageCase>& info) { return info.param.name; });

// A book of years: each detector's latest events in full, the earlier ones counted; the
// unreadable lines named up to a limit, the rest counted.
TEST(SiteBookPage, ALongHistoryShowsItsLatestEventsAndCountsTheRest) {
    std::vector<SiteBookEntry> entries;
    std::string damaged;
    for (std::size_t i = 0; i < records::kEventsShown + 10; ++i) {
        const std::string time = "10:" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ":00";
        entries.push_back(Line(time.c_str(), records::kEventSettingsConfirmed, "1", "A01"));
    }
    for (std::size_t i = 0; i < records::kDamagedNamed + 3; ++i)
        damaged += "too,few\r\n";
    const std::string page =
        records::SiteBookHtml(records::ReadSiteBookText(Book(entries) + damaged), LinkToFolder);
    EXPECT_NE(page.find("1 detector, 60 events."), std::string::npos);
    EXPECT_NE(page.find("The 10 earlier events, from 2026-12-10 10:00:00, are left out here"),
              std::string::npos);
    EXPECT_EQ(page.find("<td>2026-12-10 10:09:00</td>"), std::string::npos);
    EXPECT_NE(page.find("<td>2026-12-10 10:10:00</td>"), std::string::npos);
    EXPECT_NE(page.find("<td>2026-12-10 10:59:00</td>"), std::string::npos);
    const std::size_t lastNamed = 2 + entries.size() + records::kDamagedNamed - 1;
    EXPECT_NE(page.find("Line " + std::to_string(lastNamed) + ": 2 fields"), std::string::npos);
    EXPECT_EQ(page.find("Line " + std::to_string(lastNamed + 1) + ": "), std::string::npos);
    EXPECT_NE(page.find("<li>and 3 more lines</li>"), std::string::npos);
}

// A book of detectors never walk-tested: the list at the top names the first ones in page order,
// a detector kept to the end among those let go on the way, and counts the rest.
TEST(SiteBookPage, TheListToAskAboutNamesTheFirstAndCountsTheRest) {
    std::vector<SiteBookEntry> entries;
    for (std::size_t i = 1; i <= records::kAskedNamed + 50; ++i) {
        char time[16];
        std::snprintf(time, sizeof time, "10:%02zu:%02zu", i / 60, i % 60);
        entries.push_back(Line(time, records::kEventIdentified, std::to_string(i).c_str(), "---"));
        if (i == 50) {
            entries.push_back(Line("10:00:50", records::kEventIdentified, "0", "A01"));
            entries.back().sPort = "COM4";
        }
    }
    const std::string page =
        records::SiteBookHtml(records::ReadSiteBookText(Book(entries)), LinkToFolder);
    const std::string ask = page.substr(0, page.find("<section>"));
    EXPECT_NE(ask.find("<ul><li>Unit 1, position --- (first booked 2026-12-10 10:00:01): never "
                       "walk-tested</li>"),
              std::string::npos)
        << ask;
    EXPECT_NE(ask.find("(first booked 2026-12-10 10:00:50): never walk-tested</li><li>Unit 0, "
                       "position A01: never walk-tested</li><li>Unit 51,"),
              std::string::npos)
        << ask;
    EXPECT_NE(ask.find("<li>Unit 99, position --- (first booked 2026-12-10 10:01:39): never "
                       "walk-tested</li><li>and 51 more</li></ul>"),
              std::string::npos)
        << ask;
    EXPECT_NE(page.find("151 detectors, 151 events."), std::string::npos);
    EXPECT_LT(page.find("<h2>Unit 50, position ---</h2>"),
              page.find("<h2>Unit 0, position A01</h2>"));
    EXPECT_LT(page.find("<h2>Unit 0, position A01</h2>"),
              page.find("<h2>Unit 51, position ---</h2>"));
    EXPECT_NE(page.find("<h2>Unit 150, position ---</h2>"), std::string::npos);
}

TEST(SiteBookPage, TakesTheSeparatorFromAHeaderASpreadsheetQuoted) {
    std::string header;
    for (const std::string& column : records::SiteBookColumns())
        header += (header.empty() ? "\"" : ";\"") + column + "\"";
    const records::SiteBookRead book = records::ReadSiteBookText(
        header + "\r\n" + records::SiteBookLine(WalkTest("09:00:00", "1", "A01"), ';'));
    ASSERT_TRUE(book.bIsSiteBook);
    EXPECT_EQ(book.lines.size(), 1u);
}

class SiteBookPageFile : public TempDirFixture {};

TEST_F(SiteBookPageFile, LinksAReportWhenOneExistsAndRefusesWhatIsNotASiteBook) {
    WriteAll(records::kSiteBookFileName,
             Book({WalkTest("11:00:00", "1", "A01"), WalkTest("12:00:00", "1", "A01")}));
    WriteAll("2026-12-10 11:00:00.html", "<html></html>");
    std::filesystem::create_directory("2026-12-10 12:00:00");
    const records::ReportOutcome written = records::WriteSiteBookPage(".");
    EXPECT_EQ(written.kind, records::ReportOutcome::Kind::Complete) << written.sMessage;
    const std::string page = ReadAll("Site book.html");
    // ':' is escaped in a link, which can then never be read as a scheme.
    EXPECT_NE(page.find("href=\"2026-12-10 11%3A00%3A00.html\""), std::string::npos);
    EXPECT_NE(page.find("href=\"2026-12-10 12%3A00%3A00/\""), std::string::npos);

    std::filesystem::remove("Site book.html");
    WriteAll(records::kSiteBookFileName, "Name,Phone\r\nAnna,123\r\n");
    const records::ReportOutcome refused = records::WriteSiteBookPage(".");
    EXPECT_EQ(refused.kind, records::ReportOutcome::Kind::NotWritten);
    EXPECT_NE(refused.sMessage.find("is not a site book"), std::string::npos) << refused.sMessage;
    EXPECT_FALSE(std::filesystem::exists("Site book.html"));
}

// The lines the window set aside while the book was held ("Site book (waiting).csv") are read
// with the book, or alone when there is no book.
struct WaitingCase {
    const char* name;
    std::optional<std::string> book;
    std::string waiting;
    records::ReportOutcome::Kind kind;
    std::vector<std::string> said;   // in the message, in this order
    std::vector<std::string> onPage; // on the page, in this order
};

void PrintTo(const WaitingCase& c, std::ostream* out) {
    *out << c.name;
}

// Unit 1 walk-tested before the book was free again, unit 2 connected on the same port after.
SiteBookEntry Unit2() {
    return Line("10:00:00", records::kEventIdentified, "2", "---");
}

const WaitingCase kWaitingCases[] = {
    {"WaitingLinesTakeTheirPlaceInTime",
     Book({Line("08:00:00", records::kEventIdentified, "1", "---"), Unit2()}),
     Book({WalkTest("09:00:00", "1", "---")}),
     records::ReportOutcome::Kind::Complete,
     {"Site book written: ", "\nIt includes 1 line from \"", "Site book (waiting).csv\", which"},
     {"2 detectors, 3 events.</p>\n<p>Including 1 line from &quot;Site book (waiting).csv&quot;, "
      "which the window wrote there",
      "Unit 2, position --- (first booked 2026-12-10 10:00:00): never walk-tested",
      "<h2>Unit 1, position ---</h2>", "<td>Walk test</td>", "<h2>Unit 2, position ---</h2>"}},
    {"NoBook",
     std::nullopt,
     Book({Line("08:00:00", records::kEventIdentified, "1", "A01"),
           WalkTest("08:30:00", "1", "A01")}),
     records::ReportOutcome::Kind::Complete,
     {"Site book written: ", "It includes 2 lines from"},
     {"1 detector, 2 events.</p>\n<p>Including 2 lines from", "<h2>Unit 1, position A01</h2>"}},
    {"DamagedWaitingLinesAreNamedByTheirFile",
     Book({Line("08:00:00", records::kEventIdentified, "1", "A01")}),
     Book({WalkTest("08:30:00", "1", "A01")}) + "too,few\r\n",
     records::ReportOutcome::Kind::Incomplete,
     {"Site book written, without the lines that could not be read: ", "It includes 1 line from",
      "\nSite book (waiting).csv, line 3: 2 fields instead of 27"},
     {"Site book (waiting).csv, line 3: 2 fields instead of 27", "<td>Walk test</td>"}},
    {"WaitingFileThatIsNoBook",
     Book({WalkTest("08:30:00", "1", "A01")}),
     "Name,Phone\r\n",
     records::ReportOutcome::Kind::Incomplete,
     {"\nSite book (waiting).csv: its first line is not the site book's header, and it is left "
      "out"},
     {"1 detector, 1 event.</p>\n<p>Lines of the book that could not be read"}},
};

class SiteBookWaitingLines : public SiteBookPageFile,
                             public testing::WithParamInterface<WaitingCase> {};

TEST_P(SiteBookWaitingLines, AreReadWithTheBook) {
    if (GetParam().book)
        WriteAll(records::kSiteBookFileName, *GetParam().book);
    WriteAll(records::kSiteBookWaitingFileName, GetParam().waiting);
    const records::ReportOutcome written = records::WriteSiteBookPage(".");
    EXPECT_EQ(written.kind, GetParam().kind) << written.sMessage;
    std::size_t at = 0;
    for (const std::string& said : GetParam().said) {
        at = written.sMessage.find(said, at);
        ASSERT_NE(at, std::string::npos) << said << " in\n" << written.sMessage;
    }
    const std::string page = ReadAll("Site book.html");
    at = 0;
    for (const std::string& shown : GetParam().onPage) {
        at = page.find(shown, at);
        ASSERT_NE(at, std::string::npos) << shown << " in\n" << page;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, SiteBookWaitingLines, testing::ValuesIn(kWaitingCases),
                         [](const testing::TestParamInfo<WaitingCase>& info) {
                             return info.param.name;
                         });

TEST_F(SiteBookPageFile, AWaitingFileThatIsNoBookAloneMakesNoPage) {
    WriteAll(records::kSiteBookWaitingFileName, "Name,Phone\r\n");
    const records::ReportOutcome refused = records::WriteSiteBookPage(".");
    EXPECT_EQ(refused.kind, records::ReportOutcome::Kind::NotWritten);
    EXPECT_NE(refused.sMessage.find("Site book (waiting).csv\" is not a site book"),
              std::string::npos)
        << refused.sMessage;
}

// Sections let go on the way and sections kept to the end reach the file in the order of their
// first lines, and what was set aside for the page leaves nothing behind in the folder.
TEST_F(SiteBookPageFile, SectionsLetGoOnTheWayKeepTheirPlaces) {
    std::vector<SiteBookEntry> entries = {Line("08:00:00", records::kEventIdentified, "1", "A01"),
                                          Line("09:00:00", records::kEventIdentified, "2", "---"),
                                          Line("09:30:00", records::kEventIdentified, "3", "---"),
                                          WalkTest("10:00:00", "1", "A01")};
    entries[1].sPort = entries[2].sPort = "COM4";
    WriteAll(records::kSiteBookFileName, Book(entries));
    const records::ReportOutcome written = records::WriteSiteBookPage(".");
    ASSERT_EQ(written.kind, records::ReportOutcome::Kind::Complete) << written.sMessage;
    const std::string page = ReadAll("Site book.html");
    const std::size_t first = page.find("<h2>Unit 1, position A01</h2>");
    const std::size_t second = page.find("<h2>Unit 2, position ---</h2>");
    const std::size_t third = page.find("<h2>Unit 3, position ---</h2>");
    ASSERT_NE(third, std::string::npos) << page;
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
    EXPECT_TRUE(page.ends_with("</section>\n</body></html>\n"));
    EXPECT_EQ(page.find('\0'), std::string::npos);
    EXPECT_EQ(Listing(), (std::vector<std::string>{"Site book.csv", "Site book.html"}));
}

// A hand-edited book: only a folder (or its report) beside the book is linked; any other text
// in the folder column is shown as text.
struct FolderCase {
    const char* folder;
    bool linked;
};

void PrintTo(const FolderCase& c, std::ostream* os) {
    *os << '"' << c.folder << '"';
}

class SiteBookFolderLink : public SiteBookPageFile,
                           public testing::WithParamInterface<FolderCase> {};

TEST_P(SiteBookFolderLink, OnlyAFolderBesideTheBookIsLinked) {
    std::filesystem::create_directory("walk test");
    std::filesystem::create_directory("sub");
    std::filesystem::create_directory("sub/inner");
    SiteBookEntry entry = WalkTest("11:00:00", "1", "A01");
    entry.sWalkTestFolder = GetParam().folder;
    WriteAll(records::kSiteBookFileName, Book({entry}));
    const records::ReportOutcome written = records::WriteSiteBookPage(".");
    ASSERT_EQ(written.kind, records::ReportOutcome::Kind::Complete) << written.sMessage;
    const std::string page = ReadAll("Site book.html");
    EXPECT_EQ(page.find("<a href") != std::string::npos, GetParam().linked);
    EXPECT_NE(page.find(records::HtmlEscape(GetParam().folder)), std::string::npos);
    EXPECT_EQ(page.find("href=\"javascript"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, SiteBookFolderLink,
    testing::Values(FolderCase{"walk test", true}, FolderCase{"javascript:alert(1);//", false},
                    FolderCase{"javascript:alert(1)", false}, FolderCase{"sub/inner", false},
                    FolderCase{"..", false}, FolderCase{"/etc", false},
                    FolderCase{"https://example.org/x", false}, FolderCase{"missing", false}));

// Bytes that are not UTF-8, and control characters, never reach a page that says it is UTF-8.
TEST(SiteBookPage, TextThatIsNotUtf8IsReplaced) {
    SiteBookEntry entry = Line("10:00:00", records::kEventIdentified, "1", "A01");
    // Invalid bytes, a NUL, a C0 and a C1 control (U+0085, which HTML also forbids).
    entry.sModel = std::string("Halv\xFF\xC3(exa", 10) + std::string(1, '\0') + "\x01\xC2\x85";
    entry.sPosition = "Zaun Nord \xE2\x80\x93 \xF0\x9F\x93\xA1";
    const std::string page =
        records::SiteBookHtml(records::ReadSiteBookText(Book({entry})), LinkToFolder);
    EXPECT_NE(page.find("Halv\xEF\xBF\xBD\xEF\xBF\xBD(exa\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"),
              std::string::npos);
    EXPECT_EQ(page.find("\xC2\x85"), std::string::npos);
    EXPECT_EQ(page.find('\0'), std::string::npos);
    EXPECT_EQ(page.find('\x01'), std::string::npos);
    EXPECT_NE(page.find("Zaun Nord \xE2\x80\x93 \xF0\x9F\x93\xA1"), std::string::npos)
        << "valid UTF-8 is kept";
}

// Larger than a book could be when it was read whole: a stretch of NUL bytes without a line end
// (a file extended by a crash) is one damaged line, and the lines after it are read.
TEST_F(SiteBookPageFile, ABookOfAnySizeGetsItsPage) {
    const std::string start = Book({Line("10:00:00", records::kEventIdentified, "1", "A01")});
    WriteAll(records::kSiteBookFileName, start);
    std::filesystem::resize_file(records::kSiteBookFileName, start.size() + (65u << 20));
    std::ofstream(records::kSiteBookFileName, std::ios::binary | std::ios::app)
        << "\r\n" + records::SiteBookLine(WalkTest("11:00:00", "1", "A01"), ',');
    const records::ReportOutcome written = records::WriteSiteBookPage(".");
    ASSERT_EQ(written.kind, records::ReportOutcome::Kind::Incomplete) << written.sMessage;
    EXPECT_NE(written.sMessage.find("\nLine 3: longer than 1 MiB"), std::string::npos)
        << written.sMessage;
    const std::string page = ReadAll("Site book.html");
    EXPECT_NE(page.find("1 detector, 2 events."), std::string::npos);
    EXPECT_EQ(page.find("Never walk-tested"), std::string::npos);
}

TEST_F(SiteBookPageFile, AWalkTestFolderNoFileCanHaveStillGetsItsPage) {
    SiteBookEntry odd = WalkTest("11:00:00", "1", "A01");
    odd.sWalkTestFolder = std::string(5000, 'x');
    WriteAll(records::kSiteBookFileName, Book({odd}));
    const records::ReportOutcome written = records::WriteSiteBookPage(".");
    ASSERT_EQ(written.kind, records::ReportOutcome::Kind::Complete) << written.sMessage;
    EXPECT_NE(ReadAll("Site book.html").find(odd.sWalkTestFolder), std::string::npos);
}

} // namespace
} // namespace records_test
