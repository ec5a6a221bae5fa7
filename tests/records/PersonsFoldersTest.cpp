// Every file the tool keeps, in folders named as people name them: with umlauts, in Cyrillic,
// and in a script outside every ANSI code page at once. On Windows these names reach the file
// system only through the wide calls; a narrow call cannot name them.
#include "TempDirFixture.h"
#include "WalkTestReportFixture.h"

#include "files/Utf8Path.h"
#include "link/TrafficLogFile.h"
#include "records/FileReplace.h"
#include "records/IniFile.h"
#include "records/ReportHtml.h"
#include "records/SiteBook.h"
#include "records/SiteBookPage.h"
#include "records/WalkTestReport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace records_test {
namespace {

using files::PathFromUtf8;
using files::Utf8FromPath;

class PersonsFolder : public TempDirFixture, public testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        TempDirFixture::SetUp();
        ASSERT_TRUE(std::filesystem::create_directories(PathFromUtf8(GetParam()) / "Mirelund"));
        work = Utf8FromPath(std::filesystem::absolute(PathFromUtf8(GetParam()) / "Mirelund"));
    }
    std::string In(const std::string& name) const {
        return Utf8FromPath(PathFromUtf8(work) / PathFromUtf8(name));
    }
    std::string work; // the absolute name, as UTF-8
};

TEST_P(PersonsFolder, NamesSurviveTheWayToTheFileSystemAndBack) {
    const std::string name = std::string(GetParam()) + "/Site book.csv";
    EXPECT_EQ(Utf8FromPath(PathFromUtf8(name)), name);
    EXPECT_TRUE(std::filesystem::is_directory(PathFromUtf8(work)));
    EXPECT_NE(work.find(GetParam()), std::string::npos) << work;
}

TEST_P(PersonsFolder, SettingsTrafficLogRecordingAndSiteBookAreWrittenAndReadBack) {
    records::IniFile settings(In("Mirelund.ini"));
    ASSERT_TRUE(settings.WriteString("Connection", "ComPort", "37").bWritten);
    EXPECT_EQ(records::IniFile(In("Mirelund.ini")).ReadString("Connection", "ComPort", ""), "37");

    WriteAll(PathFromUtf8(In("Mirelund.log")), "");
    detlink::TrafficLogFile log;
    ASSERT_EQ(log.TakeExisting(In("Mirelund.log")), detlink::TrafficLogFile::Take::Taken)
        << log.SystemError();
    ASSERT_TRUE(log.AppendLine("Inp: 01 02\r\n"));
    EXPECT_EQ(ReadAll(PathFromUtf8(In("Mirelund.log"))), "Inp: 01 02\r\n");

    const std::string recording = In(kFolder);
    ASSERT_TRUE(std::filesystem::create_directory(PathFromUtf8(recording)));
    std::string summary;
    for (const std::string& picture : kPictures) {
        const std::string png = Png(8, 4, 90);
        ASSERT_TRUE(records::ReplaceFileContents(recording + "/" + picture, png).bWritten);
        summary += picture + "\r\n";
    }
    ASSERT_TRUE(
        records::ReplaceFileContents(recording + "/" + kSummaryName, summary + kCounts).bWritten);
    const records::ReportOutcome report = records::WriteWalkTestReport(recording);
    EXPECT_EQ(report.kind, records::ReportOutcome::Kind::Complete) << report.sMessage;
    EXPECT_EQ(report.sPath, recording + ".html");
    EXPECT_EQ(Images(ReadAll(PathFromUtf8(recording + ".html"))).size(), kPictures.size());

    records::SiteBookEntry entry;
    entry.sDateTime = "2015-03-05 14:08:03";
    entry.sEvent = records::kEventWalkTest;
    entry.sPosition = GetParam();
    entry.sWalkTestFolder = kFolder;
    entry.walkTestCounts = {"1", "0", "0", "0", "0", "0", "0", "0"};
    EXPECT_EQ(records::SiteBook(In(records::kSiteBookFileName), '.').Append(entry), "");
    const records::ReportOutcome page = records::WriteSiteBookPage(work);
    ASSERT_EQ(page.kind, records::ReportOutcome::Kind::Complete) << page.sMessage;
    const std::string html = ReadAll(PathFromUtf8(In("Site book.html")));
    // The walk test is linked to its report, found beside the book.
    EXPECT_NE(html.find("href=\"" + records::HtmlEscape(kFolder) + ".html\""), std::string::npos);
    EXPECT_NE(html.find(GetParam()), std::string::npos);
}

// The pages of the folder the tool was started in, as "mirelund --site-book" writes them.
TEST_P(PersonsFolder, TheCurrentFoldersSiteBookPageIsWritten) {
    std::filesystem::current_path(PathFromUtf8(work));
    records::SiteBookEntry entry;
    entry.sDateTime = "2015-03-05 14:08:03";
    entry.sEvent = records::kEventIdentified;
    ASSERT_EQ(records::SiteBook(records::kSiteBookFileName, ',').Append(entry), "");
    const records::ReportOutcome page = records::WriteSiteBookPage(".");
    ASSERT_EQ(page.kind, records::ReportOutcome::Kind::Complete) << page.sMessage;
    EXPECT_EQ(page.sPath, In("Site book.html"));
    EXPECT_TRUE(std::filesystem::is_regular_file("Site book.html"));
}

INSTANTIATE_TEST_SUITE_P(Names, PersonsFolder,
                         testing::Values("Jörg Müller", "Иван Петров", "Объект Müller 東京"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::to_string(info.index);
                         });

} // namespace
} // namespace records_test
