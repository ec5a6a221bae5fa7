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
#include <sys/wait.h>
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
    EXPECT_EQ(ReadAll(records::kSiteBookFileName), before + Line(2) + Line(3))
        << "the refused line waited for room";
}

// Another process holds the book locked, as a spreadsheet that has it open does: the lines wait
// and are written in order once it lets go; still held at the end, they go beside the book.
TEST_F(SiteBookPosix, LinesWaitWhileAnotherProcessHoldsTheBookLocked) {
    records::SiteBook book(records::kSiteBookFileName, '.');
    int release[2];
    int locked[2];
    ASSERT_EQ(::pipe(release), 0);
    ASSERT_EQ(::pipe(locked), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        const int fd = ::open(records::kSiteBookFileName, O_WRONLY | O_CREAT | O_APPEND, 0666);
        char byte = 0;
        if (fd < 0 || ::flock(fd, LOCK_EX) != 0 || ::write(locked[1], "L", 1) != 1 ||
            ::read(release[0], &byte, 1) < 0)
            ::_exit(1);
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(locked[0], &byte, 1), 1);
    EXPECT_NE(book.Append(Entry(1)), "");
    EXPECT_EQ(book.Append(Entry(2)), "");
    EXPECT_EQ(book.Waiting(), 2u);
    EXPECT_NE(book.WaitReason().find("locked"), std::string::npos) << book.WaitReason();
    EXPECT_EQ(ReadAll(records::kSiteBookFileName), "") << "no header beside the other's";

    const std::string aside = book.SetWaitingAside();
    EXPECT_NE(aside.find(records::kSiteBookWaitingFileName), std::string::npos) << aside;
    EXPECT_EQ(ReadAll(records::kSiteBookWaitingFileName), Header() + Line(1) + Line(2));

    EXPECT_EQ(book.Append(Entry(3)), "") << "the refusal was said";
    ASSERT_EQ(::write(release[1], "R", 1), 1);
    int status = 0;
    ASSERT_EQ(::waitpid(holder, &status, 0), holder);
    EXPECT_EQ(book.WriteWaiting(), "");
    EXPECT_EQ(ReadAll(records::kSiteBookFileName), Header() + Line(3));
    for (int fd : {release[0], release[1], locked[0], locked[1]})
        ::close(fd);
}

} // namespace
} // namespace records_test
