// Traffic log: switched on only by the file's presence, fresh each run, never created later.
#include "link/TrafficLog.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
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

TEST_F(TrafficLogTest, RemovedFileFailsTheLineAndIsNotRecreated) {
    std::ofstream(path) << "";
    detlink::TrafficLog log(clock, path.string());
    ASSERT_TRUE(log.EnableIfPresent());
    std::filesystem::remove(path);
    EXPECT_FALSE(log.WriteLogLine("lost"));
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
