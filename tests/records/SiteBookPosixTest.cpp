// The site book's appends on POSIX: a write cut short by the file size limit (as by a full
// disk), another copy of the program in the middle of its append, and what is not a book.
#include "TempDirFixture.h"

#include "records/SiteBook.h"
#include "records/SiteBookPage.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace records_test {
namespace {

class SiteBookPosix : public TempDirFixture {
protected:
    static records::SiteBookEntry Entry(int n) {
        records::SiteBookEntry entry;
        entry.sDateTime = "2026-12-10 14:07:33";
        entry.sEvent = records::kEventIdentified;
        entry.sPort = "COM" + std::to_string(n);
        entry.sModel = "Halvexa-PC 10";
        return entry;
    }
    static std::string Header() { return records::CsvRecord(records::SiteBookColumns(), ','); }
    static std::string Line(int n) { return records::SiteBookLine(Entry(n), ','); }
};

// What stands in the book's place is named for what it is, by the window and by the page.
TEST_F(SiteBookPosix, AFifoOrALinkInTheBooksPlaceIsNamedForWhatItIs) {
    ASSERT_EQ(::mkfifo(records::kSiteBookFileName, 0600), 0);
    const std::string refused = records::SiteBook(records::kSiteBookFileName, '.').Append(Entry(1));
    EXPECT_NE(refused.find("not a regular file"), std::string::npos) << refused;

    std::filesystem::remove(records::kSiteBookFileName);
    WriteAll("kept.csv", Header() + Line(1));
    std::filesystem::create_symlink("kept.csv", records::kSiteBookFileName);
    const records::ReportOutcome page = records::WriteSiteBookPage(".");
    EXPECT_EQ(page.kind, records::ReportOutcome::Kind::NotWritten);
    EXPECT_NE(page.sMessage.find("symbolic link"), std::string::npos) << page.sMessage;
    EXPECT_EQ(page.sMessage.find("report"), std::string::npos) << page.sMessage;
}

TEST_F(SiteBookPosix, AWriteCutShortIsTakenBackAndTheNextLineIsWhole) {
    records::SiteBook book(records::kSiteBookFileName, '.');
    ASSERT_EQ(book.Append(Entry(1)), "");
    const std::string before = ReadAll(records::kSiteBookFileName);

    // Room for a piece of the next line only; the signal would end the process instead.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const rlimit cap{static_cast<rlim_t>(before.size() + 10), previous.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &cap), 0);
    const std::string error = book.Append(Entry(2));
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_NE(error.find(records::kSiteBookFileName), std::string::npos) << error;
    EXPECT_EQ(ReadAll(records::kSiteBookFileName), before) << "no half line stays";
    EXPECT_EQ(book.Append(Entry(3)), "");
    EXPECT_EQ(ReadAll(records::kSiteBookFileName), before + Line(3));
}

TEST_F(SiteBookPosix, ALineMeetingAnotherCopysAppendIsRefusedNotMixedIn) {
    records::SiteBook book(records::kSiteBookFileName, '.');
    const int other = ::open(records::kSiteBookFileName, O_WRONLY | O_CREAT | O_APPEND, 0666);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    const std::string error = book.Append(Entry(1));
    EXPECT_NE(error, "");
    EXPECT_EQ(ReadAll(records::kSiteBookFileName), "") << "no header beside the other's";
    ::close(other);
    EXPECT_EQ(book.Append(Entry(2)), "");
    EXPECT_EQ(ReadAll(records::kSiteBookFileName), Header() + Line(2));
}

} // namespace
} // namespace records_test
