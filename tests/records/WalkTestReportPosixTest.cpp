// The walk-test report on POSIX: links, FIFOs, folders and unreadable files where the page or
// the recording's files should be, and a run out of memory.
#include "records/WalkTestReport.h"

#include "WalkTestReportFixture.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using records::ReportOutcome;
using records_test::Images;
using records_test::kFolder;
using records_test::kPictures;
using records_test::kSummaryName;
using records_test::Png;
namespace fs = std::filesystem;

class WalkTestReportPosix : public records_test::WalkTestReportFixture {
protected:
    static std::string Page() { return std::string(kFolder) + ".html"; }

    // The report under an address-space limit a little above what the process holds now, so
    // that reading a picture of some megabytes fails. Exits 2 for no page, as `mirelund
    // --report` does, and 3 when it left a file behind.
    [[noreturn]] static void ReportWithLittleMemory() {
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t limit = static_cast<rlim_t>(pages) * ::sysconf(_SC_PAGESIZE) + (4u << 20);
        const rlimit cap{limit, limit};
        ::setrlimit(RLIMIT_AS, &cap);
        const ReportOutcome outcome = records::WriteWalkTestReport(kFolder);
        std::fprintf(stderr, "%s\n", outcome.sMessage.c_str());
        if (Listing() != std::vector<std::string>{kFolder}) {
            std::_Exit(3);
        }
        std::_Exit(outcome.kind == ReportOutcome::Kind::NotWritten ? 2 : 0);
    }
};

// Something already at the page's name, by mistake or by a prank.
struct PageInTheWayCase {
    const char* name;
    void (*make)(const std::string& page);
    const char* reason;
};

void PrintTo(const PageInTheWayCase& c, std::ostream* out) {
    *out << c.name;
}

class PageInTheWay : public WalkTestReportPosix,
                     public ::testing::WithParamInterface<PageInTheWayCase> {};

TEST_P(PageInTheWay, IsLeftAsItIsAndNoPageIsWritten) {
    MakeRecording(kFolder, kPictures);
    WriteAll("unrelated.txt", "someone else's file");
    GetParam().make(Page());
    const std::vector<std::string> before = Listing();

    const ReportOutcome outcome = records::WriteWalkTestReport(kFolder);
    EXPECT_EQ(outcome.kind, ReportOutcome::Kind::NotWritten);
    EXPECT_TRUE(outcome.sPath.empty());
    EXPECT_NE(outcome.sMessage.find("Cannot write file \"" + fs::absolute(Page()).string() +
                                    "\": " + GetParam().reason),
              std::string::npos)
        << outcome.sMessage;
    EXPECT_EQ(Listing(), before);
    EXPECT_EQ(ReadAll("unrelated.txt"), "someone else's file");
}

INSTANTIATE_TEST_SUITE_P(
    WalkTestReportPosix, PageInTheWay,
    ::testing::Values(
        PageInTheWayCase{"LinkToAFile",
                         [](const std::string& page) { fs::create_symlink("unrelated.txt", page); },
                         "it is a symbolic link"},
        PageInTheWayCase{"DanglingLink",
                         [](const std::string& page) { fs::create_symlink("nowhere.txt", page); },
                         "it is a symbolic link"},
        PageInTheWayCase{"Folder", [](const std::string& page) { fs::create_directory(page); },
                         "it is not a regular file"},
        PageInTheWayCase{"Fifo", [](const std::string& page) { ::mkfifo(page.c_str(), 0600); },
                         "it is not a regular file"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WalkTestReportPosix, AnEarlierPageIsReplacedAndKeepsItsPermissions) {
    MakeRecording(kFolder, kPictures);
    WriteAll(Page(), "an earlier page");
    fs::permissions(Page(), fs::perms(0640));
    const ReportOutcome outcome = records::WriteWalkTestReport(kFolder);
    ASSERT_EQ(outcome.kind, ReportOutcome::Kind::Complete) << outcome.sMessage;
    EXPECT_EQ(Images(ReadAll(Page())).size(), kPictures.size());
    EXPECT_EQ(fs::status(Page()).permissions(), fs::perms(0640));
    EXPECT_EQ(Listing(), (std::vector<std::string>{kFolder, Page()}));
}

TEST_F(WalkTestReportPosix, PicturesThatCannotBeReadSayWhy) {
    MakeRecording(kFolder, kPictures);
    const fs::path folder = kFolder;
    fs::remove(folder / kPictures[0]);
    fs::create_directory(folder / kPictures[0]);
    fs::remove(folder / kPictures[1]);
    ASSERT_EQ(::mkfifo((folder / kPictures[1]).c_str(), 0600), 0);
    WriteAll("elsewhere.png", Png(2, 2, 5));
    fs::remove(folder / kPictures[2]);
    fs::create_symlink(fs::absolute("elsewhere.png"), folder / kPictures[2]);

    const ReportOutcome outcome = records::WriteWalkTestReport(kFolder);
    ASSERT_EQ(outcome.kind, ReportOutcome::Kind::Incomplete) << outcome.sMessage;
    const auto said = [&](const std::string& name, const std::string& reason) {
        return outcome.sMessage.find("\"" + name + "\" listed in \"" + kSummaryName +
                                     "\" cannot be read: " + reason + ".") != std::string::npos;
    };
    EXPECT_TRUE(said(kPictures[0], std::strerror(EISDIR))) << outcome.sMessage;
    EXPECT_TRUE(said(kPictures[1], "it is not a regular file")) << outcome.sMessage;
    EXPECT_TRUE(said(kPictures[2], "it is a symbolic link, which is not followed"))
        << outcome.sMessage;
    EXPECT_EQ(Images(ReadAll(outcome.sPath)).size(), 1u);
}

TEST_F(WalkTestReportPosix, ASummaryThatCannotBeReadSaysWhyInsteadOfMissingCounts) {
    MakeRecording(kFolder, kPictures);
    const fs::path summary = fs::path(kFolder) / kSummaryName;
    fs::remove(summary);
    fs::create_directory(summary);
    const ReportOutcome outcome = records::WriteWalkTestReport(kFolder);
    ASSERT_EQ(outcome.kind, ReportOutcome::Kind::Incomplete) << outcome.sMessage;
    EXPECT_NE(outcome.sMessage.find("The summary \"" + std::string(kSummaryName) +
                                    "\" cannot be read: " + std::strerror(EISDIR) + "."),
              std::string::npos)
        << outcome.sMessage;
    EXPECT_EQ(outcome.sMessage.find("has no line"), std::string::npos) << outcome.sMessage;
    EXPECT_EQ(Images(ReadAll(outcome.sPath)).size(), kPictures.size());
}

TEST_F(WalkTestReportPosix, FilesWithoutReadPermissionSayPermissionDenied) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads a file whatever its permission bits";
    }
    MakeRecording(kFolder, kPictures);
    fs::permissions(fs::path(kFolder) / kPictures[1], fs::perms::none);
    fs::permissions(fs::path(kFolder) / kSummaryName, fs::perms::none);
    const ReportOutcome outcome = records::WriteWalkTestReport(kFolder);
    ASSERT_EQ(outcome.kind, ReportOutcome::Kind::Incomplete) << outcome.sMessage;
    const std::string denied = std::strerror(EACCES);
    EXPECT_NE(outcome.sMessage.find("\"" + kPictures[1] + "\" cannot be read: " + denied),
              std::string::npos)
        << outcome.sMessage;
    EXPECT_NE(
        outcome.sMessage.find("\"" + std::string(kSummaryName) + "\" cannot be read: " + denied),
        std::string::npos)
        << outcome.sMessage;
}

TEST_F(WalkTestReportPosix, RunningOutOfMemoryEndsWithAMessageAndNoPage) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's shadow memory does not fit an address-space limit";
#endif
    MakeRecording(kFolder, kPictures);
    fs::resize_file(fs::path(kFolder) / kPictures[1], 12u << 20);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(ReportWithLittleMemory(), ::testing::ExitedWithCode(2), "memory");
}

} // namespace
