// The simulator replaying a traffic log: the recorded bytes at the recorded pace, commands
// logged on the side, the end of the log ending the run, and a log with nothing to play, or that
// is no regular file or cannot be read, refused.
#include "SimProcess.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DetectorSimReplay, PlaysTheLogAtItsPaceAndLogsCommandsWithoutAnswering) {
    const std::string path = testing::TempDir() + "/site.log";
    std::ofstream(path) << "09:59:59.000  10 12 2026 Mirelund v1.54.0.0\n"
                           "10:00:00.000  Inp:[00 D0 05 D5] chsum:Ok code:6 dev:5 cs:1\r\n"
                           "10:00:00.000  Inp:[00 00 2A 15] chsum:!!!Err!!! code:0 \n"
                           "10:00:00.000  Inp:[00 2A 15 3F] chsum:Ok code:1 sig:533\n"
                           "10:00:01.000  Inp:[00 2A\n"
                           "10:00:02.000  Inp:[00 E3 10 F3] chsum:Ok code:7";
    SimProcess sim({"--replay", path, "--speed", "2"});
    ASSERT_TRUE(sim.Started());
    ASSERT_TRUE(sim.OpenLine());
    // The rejected candidate shares its last three bytes with the good frame after it.
    EXPECT_EQ(sim.ReadFor(0.4),
              (std::vector<std::uint8_t>{0x00, 0xD0, 0x05, 0xD5, 0x00, 0x00, 0x2A, 0x15, 0x3F}));
    // A command in the three-byte form the identity word asks for: logged, and no answer.
    sim.Write({0x01, 0x88, 0x89});
    // Two recorded seconds at double speed.
    EXPECT_EQ(sim.ReadFor(1.5), (std::vector<std::uint8_t>{0x00, 0xE3, 0x10, 0xF3}));
    EXPECT_EQ(sim.Wait(3), 0);
    EXPECT_EQ(ReadText(sim.CommandLogPath()),
              "01 88 89 o_code:0 o_adr:1 o_ctrl_pp_mp:0 o_senspp:8 o_state:0\n");
}

TEST(DetectorSimReplay, ALogWithoutInpLinesIsRefused) {
    const std::string path = testing::TempDir() + "/empty.log";
    std::ofstream(path) << "10:00:00.000  10 12 2026 Mirelund v1.54.0.0\n";
    SimProcess sim({"--replay", path});
    EXPECT_FALSE(sim.Started());
    EXPECT_EQ(sim.Wait(2), 2);
    SimProcess slow({"--replay", path, "--speed", "0"});
    EXPECT_EQ(slow.Wait(2), 2);
}

TEST(DetectorSimReplay, OnlyAReadableRegularFileIsReplayed) {
    const std::string fifo =
        testing::TempDir() + "detector-sim-replay-" + std::to_string(getpid()) + ".fifo";
    unlink(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {testing::TempDir(), "it is a directory, not a regular file"},
        // Endless: it must be refused before a single byte is read.
        {"/dev/zero", "it is a character device, not a regular file"},
        // Opening it to read would wait for a writer that never comes.
        {fifo, "it is a FIFO, not a regular file"},
        {testing::TempDir() + "detector-sim-absent.log", "No such file or directory"},
        // A regular file whose first read fails.
        {"/proc/self/mem", "Input/output error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        SimProcess sim({"--replay", c.path});
        EXPECT_FALSE(sim.Started());
        EXPECT_EQ(sim.Wait(2), 2);
        EXPECT_EQ(sim.ErrorOutput(),
                  "detector-sim: cannot read the traffic log " + c.path + ": " + c.reason + "\n");
    }
    unlink(fifo.c_str());
}

} // namespace
