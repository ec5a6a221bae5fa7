// The walk-test report and the site book's page in a working folder whose path is longer than
// the system takes in one call (PATH_MAX), reached by folders whose names are each short
// enough, as the window works in it.
#include "WalkTestReportFixture.h"

#include "records/ReportHtml.h"
#include "records/SiteBook.h"
#include "records/SiteBookPage.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace records_test {
namespace {

namespace fs = std::filesystem;

class DeepWorkingFolder : public WalkTestReportFixture {
protected:
    // Entered one level at a time, so that no call of the test itself takes the whole path.
    void SetUp() override {
        WalkTestReportFixture::SetUp();
        while (fs::current_path().native().size() <= PATH_MAX) {
            ASSERT_TRUE(fs::create_directory(kLevel));
            fs::current_path(kLevel);
            ++levels;
        }
    }
    // Emptied from the bottom up: the standard library's removal names each entry by its whole
    // path and so cannot reach below PATH_MAX.
    void TearDown() override {
        for (; levels > 0; --levels) {
            for (const auto& entry : fs::directory_iterator("."))
                fs::remove_all(entry.path().filename());
            fs::current_path("..");
        }
        WalkTestReportFixture::TearDown();
    }

    static inline const std::string kLevel = std::string(240, 'f');
    int levels = 0;
};

TEST_F(DeepWorkingFolder, TheWalkTestReportIsWrittenBesideTheRecording) {
    MakeRecording(kFolder, kPictures);
    for (const std::string& folder :
         {std::string(kFolder), (fs::current_path() / kFolder).string()}) {
        const records::ReportOutcome outcome = records::WriteWalkTestReport(folder);
        ASSERT_EQ(outcome.kind, records::ReportOutcome::Kind::Complete) << outcome.sMessage;
        EXPECT_GT(outcome.sPath.size(), std::size_t{PATH_MAX});
        EXPECT_EQ(Images(ReadAll(std::string(kFolder) + ".html")).size(), kPictures.size());
    }
}

TEST_F(DeepWorkingFolder, TheSiteBooksPageIsWrittenWithItsLinks) {
    MakeRecording(kFolder, kPictures);
    records::SiteBookEntry walkTest;
    walkTest.sDateTime = "2015-03-05 14:08:03";
    walkTest.sEvent = records::kEventWalkTest;
    walkTest.sWalkTestFolder = kFolder;
    walkTest.walkTestCounts = {"1", "0", "0", "0", "0", "0", "0", "0"};
    ASSERT_EQ(records::SiteBook(records::kSiteBookFileName, '.').Append(walkTest), "");
    for (const std::string& folder : {std::string("."), fs::current_path().string()}) {
        const records::ReportOutcome outcome = records::WriteSiteBookPage(folder);
        ASSERT_EQ(outcome.kind, records::ReportOutcome::Kind::Complete) << outcome.sMessage;
        EXPECT_NE(ReadAll("Site book.html").find("href=\"" + records::HtmlEscape(kFolder) + "/\""),
                  std::string::npos);
    }
}

} // namespace
} // namespace records_test
