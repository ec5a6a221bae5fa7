// Traffic log: switched on only by the file's presence, fresh each run, never created later.
#include "TrafficLogFixture.h"

namespace {

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

TEST_F(TrafficLogTest, AFolderInTheLogsPlaceKeepsLoggingOff) {
    std::filesystem::create_directory(path);
    detlink::TrafficLog folder(clock, path.string());
    EXPECT_FALSE(folder.EnableIfPresent());
    EXPECT_FALSE(folder.OffReason().empty());
    EXPECT_TRUE(folder.WriteLogLine("nothing"));
}

} // namespace
