// Traffic log on POSIX, where the file stays writable by others and removable while held:
// other writers' lines, a removed file, a FIFO and a full disk.
#include "TrafficLogFixture.h"

#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace {

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

// A FIFO in the log's place keeps logging off and does not hold up the start waiting for a
// reader.
TEST_F(TrafficLogTest, AFifoKeepsLoggingOffWithoutWaiting) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    detlink::TrafficLog fifo(clock, path.string());
    EXPECT_FALSE(fifo.EnableIfPresent());
    EXPECT_FALSE(fifo.OffReason().empty());
}

// A file-size limit stands in for a full disk: a line that does not fit leaves nothing behind;
// the operator hears once that lines are lost, and once there is room again the log says how
// many and for how long before it goes on, each on a line of its own.
TEST_F(TrafficLogTest, LinesLostToAFullDiskAreCountedWhereWritingResumes) {
    std::ofstream(path) << "";
    detlink::TrafficLog log(clock, path.string());
    std::vector<std::string> told;
    log.OnLinesLost([&](const std::string& text) { told.push_back(text); });
    ASSERT_TRUE(log.EnableIfPresent());
    ASSERT_TRUE(log.WriteLogLine("fits"));
    const auto size = static_cast<rlim_t>(std::filesystem::file_size(path));
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = size + 10;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    std::vector<bool> written;
    for (int i = 0; i < 147; ++i) {
        written.push_back(log.WriteLogLine("a line far longer than the room that is left"));
        clock.AdvanceSeconds(0.1);
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(std::count(written.begin(), written.end(), true), 0);
    EXPECT_TRUE(log.WriteLogLine("after"));
    EXPECT_EQ(Contents(), "14:07:33.120  fits\n"
                          "14:07:47.820  Lost: 147 lines from 14:07:33.120 (14.7 s) could not be "
                          "written\n"
                          "14:07:47.820  after\n");
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("(No space left on device)"), std::string::npos) << told[0];
}

} // namespace
