// Traffic log: switched on only by the file's presence, fresh each run, never created later.
#include "link/TrafficLog.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class TrafficLogTest : public ::testing::Test {
protected:
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("trafficlog-" + std::to_string(::getpid()) + ".log");
    testing_support::FakeClock clock;
    ~TrafficLogTest() override { std::filesystem::remove(path); }
    std::string Contents() const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST_F(TrafficLogTest, AbsentFileKeepsLogOffAndCreatesNothing) {
    detlink::TrafficLog log(clock, path.string());
    EXPECT_FALSE(log.EnableIfPresent());
    EXPECT_TRUE(log.WriteLogLine("text"));
    std::ofstream(path) << "";
    EXPECT_TRUE(log.WriteLogLine("later"));
    EXPECT_EQ(Contents(), "");
}

TEST_F(TrafficLogTest, PresentFileStartsFreshAndLinesAppendWithPrefix) {
    std::ofstream(path) << "old run\n";
    detlink::TrafficLog log(clock, path.string());
    ASSERT_TRUE(log.EnableIfPresent());
    EXPECT_TRUE(log.WriteLogLine("one"));
    clock.AdvanceSeconds(1.5);
    EXPECT_TRUE(log.WriteLogLine("two\nlines"));
    EXPECT_EQ(Contents(), "14:07:33.120  one\n14:07:34.620  two\nlines\n");
}

TEST_F(TrafficLogTest, LinesOfAnotherWriterAreNotOverwritten) {
    std::ofstream(path) << "";
    detlink::TrafficLog log(clock, path.string());
    ASSERT_TRUE(log.EnableIfPresent());
    log.WriteLogLine("a");
    std::ofstream(path, std::ios::app) << "other\n";
    log.WriteLogLine("b");
    EXPECT_EQ(Contents(), "14:07:33.120  a\nother\n14:07:33.120  b\n");
}

TEST_F(TrafficLogTest, RemovedFileIsNotRecreated) {
    std::ofstream(path) << "";
    detlink::TrafficLog log(clock, path.string());
    ASSERT_TRUE(log.EnableIfPresent());
    std::filesystem::remove(path);
    log.WriteLogLine("lost");
    EXPECT_FALSE(std::filesystem::exists(path));
}

// Two copies of the program in one folder: the second finds the log taken, leaves it whole
// and runs without a log, saying why; the first goes on writing into the same file.
TEST_F(TrafficLogTest, ASecondCopyLeavesTheRunningCopysLogAlone) {
    std::ofstream(path) << "";
    detlink::TrafficLog first(clock, path.string());
    ASSERT_TRUE(first.EnableIfPresent());
    first.WriteLogLine("first copy");
    detlink::TrafficLog second(clock, path.string());
    EXPECT_FALSE(second.EnableIfPresent());
    EXPECT_NE(second.OffReason().find("in use by another copy"), std::string::npos)
        << second.OffReason();
    EXPECT_TRUE(second.WriteLogLine("second copy"));
    first.WriteLogLine("still here");
    EXPECT_EQ(Contents(), "14:07:33.120  first copy\n14:07:33.120  still here\n");
}

// Something in the log's place that is not a plain file keeps logging off, and a FIFO does
// not hold up the start waiting for a reader.
TEST_F(TrafficLogTest, ANonRegularFileKeepsLoggingOffWithoutWaiting) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    detlink::TrafficLog fifo(clock, path.string());
    EXPECT_FALSE(fifo.EnableIfPresent());
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    detlink::TrafficLog folder(clock, path.string());
    EXPECT_FALSE(folder.EnableIfPresent());
    EXPECT_FALSE(folder.OffReason().empty());
    std::filesystem::remove(path);
}

// A file-size limit stands in for a full disk: the line that does not fit leaves nothing
// behind, and once there is room again the next line starts on a line of its own.
TEST_F(TrafficLogTest, ALineCutByAFullDiskLeavesNothingBehind) {
    std::ofstream(path) << "";
    detlink::TrafficLog log(clock, path.string());
    ASSERT_TRUE(log.EnableIfPresent());
    ASSERT_TRUE(log.WriteLogLine("fits"));
    const auto size = static_cast<rlim_t>(std::filesystem::file_size(path));
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = size + 10;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool written = log.WriteLogLine("a line far longer than the room that is left");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_TRUE(log.WriteLogLine("after"));
    EXPECT_EQ(Contents(), "14:07:33.120  fits\n14:07:33.120  after\n");
}

} // namespace
