// The site book's appends on POSIX: a write cut short by the file size limit (as by a full
// disk), and another copy of the program in the middle of its append.
#include "TempDirFixture.h"

#include "records/SiteBook.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
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
