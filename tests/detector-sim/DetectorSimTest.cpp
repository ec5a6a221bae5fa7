// detector-sim seen from the tool's side of its line: frames, fields, commands, scenarios,
// port-directory entry.
#include "SimProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <unistd.h>

namespace {

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Latest word of each kind.
std::map<int, Word> Latest(const std::vector<Word>& words) {
    std::map<int, Word> latest;
    for (const Word& word : words) {
        latest.insert_or_assign(word.kind, word);
    }
    return latest;
}

TEST(DetectorSim, TelemetryCarriesEveryConfiguredField) {
    SimProcess sim({"--rate",    "100", "--noise",  "0",   "--symbol", "3",  "--number",     "127",
                    "--sig",     "300", "--senspp", "5",   "--sensmp", "6",  "--ctrl-pp-mp", "1",
                    "--dist",    "21",  "--reg",    "1",   "--sensbp", "30", "--vel-min",    "1",
                    "--vel-max", "2",   "--amplif", "3",   "--ref",    "1",  "--dis",        "2",
                    "--dev",     "5",   "--prog",   "6",   "--letter", "3",  "--adr",        "14",
                    "--cs",      "0",   "--pwr",    "777", "--out",    "2",  "--freq",       "1"});
    ASSERT_TRUE(sim.Started());
    ASSERT_TRUE(sim.OpenLine());
    int bad = 0;
    const auto words = DecodeFrames(sim.ReadFor(1.2), &bad);
    EXPECT_EQ(bad, 0);
    auto w = Latest(words);
    ASSERT_EQ(w.size(), 8u);
    EXPECT_EQ(w[0].Field(9, 4), 3);
    EXPECT_EQ(w[0].Field(0, 7), 127);
    EXPECT_EQ(w[1].Field(0, 10), 300);
    // 300 lies above the PL and LL thresholds of steps 5 and 6 and below the HL one of step 30.
    EXPECT_EQ(w[1].Field(10, 3), 0b011);
    EXPECT_EQ(w[2].Field(0, 10), 300);
    EXPECT_EQ(w[2].Field(10, 3), 0); // a resting signal is no alarm
    EXPECT_EQ(w[3].Field(8, 5), 5);
    EXPECT_EQ(w[3].Field(0, 5), 6);
    EXPECT_EQ(w[3].Field(5, 1), 1);
    EXPECT_EQ(w[4].Field(0, 5), 21);
    EXPECT_EQ(w[4].Field(5, 2), 1);
    EXPECT_EQ(w[4].Field(8, 5), 30);
    EXPECT_EQ(w[5].Field(0, 2), 1);
    EXPECT_EQ(w[5].Field(2, 2), 2);
    EXPECT_EQ(w[5].Field(8, 2), 3);
    EXPECT_EQ(w[5].Field(10, 1), 1);
    EXPECT_EQ(w[5].Field(11, 2), 2);
    EXPECT_EQ(w[6].Field(0, 3), 5);
    EXPECT_EQ(w[6].Field(3, 3), 6);
    EXPECT_EQ(w[6].Field(6, 2), 3);
    EXPECT_EQ(w[6].Field(8, 4), 14);
    EXPECT_EQ(w[6].Field(12, 1), 0);
    EXPECT_EQ(w[7].Field(0, 10), 777);
    EXPECT_EQ(w[7].Field(10, 2), 2);
    EXPECT_EQ(w[7].Field(12, 1), 1);
}

// The kind sum the tool keeps: kinds 2..7 add, a kind-7 word reads and clears it.
std::vector<int> KindSumsAtSupplyWords(const std::vector<Word>& words) {
    std::vector<int> sums;
    int sum = 0;
    for (const Word& word : words) {
        sum += word.kind >= 2 ? word.kind : 0;
        if (word.kind == 7) {
            sums.push_back(sum);
            sum = 0;
        }
    }
    return sums;
}

TEST(DetectorSim, SlowestRateStillCompletesACycleEverySecond) {
    SimProcess sim({"--rate", "14"});
    ASSERT_TRUE(sim.OpenLine());
    const auto words = DecodeFrames(sim.ReadFor(2.2));
    std::set<int> kinds;
    for (const Word& word : words) {
        kinds.insert(word.kind);
    }
    EXPECT_EQ(kinds.size(), 8u);
    const auto sums = KindSumsAtSupplyWords(words);
    ASSERT_GE(sums.size(), 2u);
    for (std::size_t i = 1; i < sums.size(); ++i) { // the first may start mid-cycle
        EXPECT_GT(sums[i], 26);
    }
}

TEST(DetectorSim, IncompleteCycleNeverReachesTheFullSum) {
    SimProcess sim({"--rate", "400", "--incomplete-cycle"});
    ASSERT_TRUE(sim.OpenLine());
    const auto sums = KindSumsAtSupplyWords(DecodeFrames(sim.ReadFor(0.5)));
    ASSERT_FALSE(sums.empty());
    for (int sum : sums) {
        EXPECT_LE(sum, 26);
    }
}

struct FormCase {
    const char* name;
    const char* cs;
    std::vector<std::vector<std::uint8_t>> commands; // as the tool puts them on the wire
};

void PrintTo(const FormCase& c, std::ostream* os) {
    *os << c.name;
}

class CommandForms : public testing::TestWithParam<FormCase> {};

// Each command sets fields that differ from the defaults; the log names what was taken.
TEST_P(CommandForms, CommandsChangeTheReportedFields) {
    const FormCase& c = GetParam();
    SimProcess sim({"--rate", "400", "--cs", c.cs, "--senspp", "8"});
    ASSERT_TRUE(sim.OpenLine());
    for (const auto& bytes : c.commands) {
        sim.Write(bytes);
    }
    // Command 0: adr 5, ctrl_pp_mp 1, senspp 10, calibration on.
    EXPECT_TRUE(sim.WaitForWord(
        3, [](const Word& w) { return w.Field(8, 5) == 10 && w.Field(5, 1) == 1; }, 1));
    EXPECT_TRUE(sim.WaitForWord(
        2, [](const Word& w) { return w.Field(10, 3) == 2; }, 2));
    // Command 1: sensmp 7, sensbp 20, letter 2; with command 0, adr 5.
    EXPECT_TRUE(sim.WaitForWord(
        6, [](const Word& w) { return w.Field(6, 2) == 2 && w.Field(8, 4) == 5; }, 1));
    EXPECT_TRUE(sim.WaitForWord(
        3, [](const Word& w) { return w.Field(0, 5) == 7; }, 1));
    EXPECT_TRUE(sim.WaitForWord(
        4, [](const Word& w) { return w.Field(8, 5) == 20; }, 1));
    // Command 2: vel_min 2, vel_max 1, dist 17, reg 0.
    EXPECT_TRUE(sim.WaitForWord(
        4, [](const Word& w) { return w.Field(0, 5) == 17 && w.Field(5, 2) == 0; }, 1));
    EXPECT_TRUE(sim.WaitForWord(
        5, [](const Word& w) { return w.Field(0, 2) == 2 && w.Field(2, 2) == 1; }, 1));
    // Command 3: position C42.
    EXPECT_TRUE(sim.WaitForWord(
        0, [](const Word& w) { return w.Field(9, 4) == 2 && w.Field(0, 7) == 42; }, 1));

    const auto lines = ReadLines(sim.CommandLogPath());
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[0].find("o_code:0 o_adr:5 o_ctrl_pp_mp:1 o_senspp:10 o_state:1"),
              std::string::npos);
    EXPECT_NE(lines[1].find("o_code:1 o_sensmp:7 o_sensbp:20 o_letter:2"), std::string::npos);
    EXPECT_NE(lines[2].find("o_code:2 o_vel_min:2 o_vel_max:1 o_dist:17 o_reg:0"),
              std::string::npos);
    EXPECT_NE(lines[3].find("o_code:3 o_symbol:2/C o_number:42"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Wire, CommandForms,
    testing::Values(
        FormCase{"TwoByteFormTwice",
                 "0",
                 {{0x15, 0xAA, 0x15, 0xAA},
                  {0x27, 0xD4, 0x27, 0xD4},
                  {0x46, 0x91, 0x46, 0x91},
                  {0x64, 0xAA, 0x64, 0xAA}}},
        FormCase{"ThreeByteFormWithCheck",
                 "1",
                 {{0x15, 0xAA, 0xBF}, {0x27, 0xD4, 0xFB}, {0x46, 0x91, 0xD7}, {0x64, 0xAA, 0x8E}}}),
    [](const testing::TestParamInfo<FormCase>& info) { return std::string(info.param.name); });

TEST(DetectorSim, IgnoresBadCheckBytesWrongFormsAndRefusedPositions) {
    SimProcess sim(
        {"--rate", "400", "--cs", "1", "--refuse-position", "--number", "9", "--senspp", "8"});
    ASSERT_TRUE(sim.OpenLine());
    sim.Write({0x15, 0xAA, 0xBE});       // bad check byte
    sim.Write({0x15, 0xAA, 0x15, 0xAA}); // the 2-byte form, to a detector that wants the check
    sim.Write({0x64, 0xAA, 0x8E});       // a good position command it refuses
    auto w = Latest(DecodeFrames(sim.ReadFor(0.6)));
    EXPECT_EQ(w[3].Field(8, 5), 8);  // senspp unchanged
    EXPECT_EQ(w[6].Field(8, 4), 1);  // adr unchanged
    EXPECT_EQ(w[0].Field(0, 7), 9);  // position unchanged
    EXPECT_EQ(w[2].Field(10, 3), 0); // nothing changed, so no Settings Change either
    const auto lines = ReadLines(sim.CommandLogPath());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("o_number:42 refused"), std::string::npos);
}

// The states of the kind-2 words in the order they changed.
std::vector<int> StateChanges(const std::vector<Word>& words) {
    std::vector<int> states;
    for (const Word& word : words) {
        if (word.kind == 2 && (states.empty() || states.back() != word.Field(10, 3))) {
            states.push_back(word.Field(10, 3));
        }
    }
    return states;
}

TEST(DetectorSim, CalibrationIsEnteredAndLeftThroughASettingsChange) {
    SimProcess sim({"--rate", "400", "--cs", "1"});
    ASSERT_TRUE(sim.OpenLine());
    sim.ReadFor(0.1);
    std::vector<std::uint8_t> bytes;
    auto keep = [&bytes](const std::vector<std::uint8_t>& more) {
        bytes.insert(bytes.end(), more.begin(), more.end());
    };
    // Sent three times, as the tool repeats it: the repeats change nothing further.
    const std::vector<std::uint8_t> enter = {0x01, 0xA8, 0xA9};
    for (int i = 0; i < 3; ++i) {
        sim.Write(enter);
        keep(sim.ReadFor(0.05));
    }
    keep(sim.ReadFor(0.5));
    sim.Write({0x01, 0x88, 0x89});
    keep(sim.ReadFor(0.6));
    auto states = StateChanges(DecodeFrames(bytes));
    if (!states.empty() && states.front() == 0) {
        states.erase(states.begin()); // a state word sent before the first command arrived
    }
    EXPECT_EQ(states, (std::vector<int>{4, 2, 4, 0}));
}

TEST(DetectorSim, WalkTestCrossesEachThresholdAndRaisesAnAlarm) {
    // Thresholds of steps 8, 12 and 16 lie at 324 (PL), 436 (LL) and 548 (HL).
    SimProcess sim({"--rate", "1000", "--noise", "0", "--senspp", "8", "--sensmp", "12", "--sensbp",
                    "16", "--event", "0.2 walk 1.0 1000"});
    ASSERT_TRUE(sim.OpenLine());
    const auto words = DecodeFrames(sim.ReadFor(1.5));
    std::set<int> flagSets;
    for (const Word& word : words) {
        if (word.kind == 1) {
            const int sig = word.Field(0, 10);
            const int flags = word.Field(10, 3);
            EXPECT_EQ(flags, (sig > 324) | (sig > 436) << 1 | (sig > 548) << 2) << sig;
            flagSets.insert(flags);
        }
    }
    EXPECT_EQ(flagSets, (std::set<int>{0b000, 0b001, 0b011, 0b111}));
    EXPECT_EQ(StateChanges(words), (std::vector<int>{0, 1, 0}));
}

struct StateCase {
    const char* name;
    const char* event;
    int kind;
    int lowBit;
    int width;
    int expected;
};

void PrintTo(const StateCase& c, std::ostream* os) {
    *os << c.event;
}

class ScenarioStates : public testing::TestWithParam<StateCase> {};

TEST_P(ScenarioStates, EventShowsInTelemetry) {
    const StateCase& c = GetParam();
    SimProcess sim({"--rate", "400", "--event", c.event});
    ASSERT_TRUE(sim.OpenLine());
    auto w = Latest(DecodeFrames(sim.ReadFor(0.3)));
    ASSERT_TRUE(w.count(c.kind));
    EXPECT_EQ(w[c.kind].Field(c.lowBit, c.width), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Events, ScenarioStates,
                         testing::Values(StateCase{"Malfunction", "0 malfunction 5", 2, 10, 3, 3},
                                         StateCase{"Dis1", "0 dis 5 1", 5, 11, 2, 1},
                                         StateCase{"Dis2", "0 dis 5 2", 5, 11, 2, 2},
                                         StateCase{"Dis3", "0 dis 5 3", 5, 11, 2, 3}),
                         [](const testing::TestParamInfo<StateCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(DetectorSim, PresetsSetTheRegulation) {
    SimProcess sim({"--rate", "400", "--preset", "special2"});
    ASSERT_TRUE(sim.OpenLine());
    auto w = Latest(DecodeFrames(sim.ReadFor(0.2)));
    EXPECT_EQ(w[4].Field(5, 2), 1);
    EXPECT_EQ(w[3].Field(5, 1), 1);
}

TEST(DetectorSim, SilenceStopsTheLineForItsDuration) {
    SimProcess sim({"--rate", "400", "--event", "0.3 silence 0.7"});
    ASSERT_TRUE(sim.OpenLine());
    EXPECT_FALSE(sim.ReadFor(0.45).empty());
    EXPECT_TRUE(sim.ReadFor(0.4).empty());
    EXPECT_FALSE(sim.ReadFor(0.5).empty());
}

TEST(DetectorSim, NoiseAndCorruptFramesLeaveGoodFramesFindable) {
    SimProcess sim({"--rate", "400", "--event", "0 noise 5", "--event", "0 corrupt 5"});
    ASSERT_TRUE(sim.OpenLine());
    int bad = 0;
    auto words = DecodeFrames(sim.ReadFor(0.5), &bad);
    EXPECT_GT(bad, 10);
    auto w = Latest(words);
    EXPECT_EQ(w.size(), 8u);
    EXPECT_EQ(w[6].Field(8, 4), 1); // the frames that pass carry the real fields
    EXPECT_EQ(w[7].Field(0, 10), 620);
}

TEST(DetectorSim, KeepsWorkingAcrossTheToolsClosesAndReopens) {
    SimProcess sim({"--rate", "400", "--cs", "1"});
    ASSERT_TRUE(sim.OpenLine());
    EXPECT_FALSE(DecodeFrames(sim.ReadFor(0.1)).empty());
    sim.CloseLine();
    usleep(300'000); // nobody reads meanwhile
    ASSERT_TRUE(sim.OpenLine());
    // What queued up unread is bounded, not a backlog of old telemetry.
    EXPECT_LT(sim.ReadFor(0.02).size(), 2048u);
    sim.Write({0x15, 0xAA, 0xBF});
    EXPECT_TRUE(sim.WaitForWord(
        6, [](const Word& w) { return w.Field(8, 4) == 5; }, 1));
}

TEST(DetectorSim, TakesTheLowestFreeNumberFrom200AndRemovesItsEntryOnSigterm) {
    SimProcess first({"--rate", "100"});
    ASSERT_TRUE(first.Started());
    EXPECT_EQ(first.FirstLine().rfind("COM200 /dev/pts/", 0), 0u) << first.FirstLine();
    EXPECT_TRUE(std::filesystem::is_symlink(first.EntryPath()));
    // An entry in another letter case takes its number too.
    std::filesystem::create_symlink("/dev/null", first.PortsDir() + "/COM201");
    SimProcess second({"--rate", "100"}, first.PortsDir());
    EXPECT_EQ(second.FirstLine().rfind("COM202 ", 0), 0u) << second.FirstLine();

    first.Signal(SIGTERM);
    EXPECT_EQ(first.Wait(2), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(first.EntryPath())));
    EXPECT_TRUE(std::filesystem::is_symlink(second.EntryPath()));
}

TEST(DetectorSim, ChosenNumberAndExitAfterDurationRemoveTheEntry) {
    SimProcess sim({"--port", "7", "--duration", "0.3"});
    EXPECT_EQ(sim.FirstLine().rfind("COM7 ", 0), 0u) << sim.FirstLine();
    EXPECT_EQ(sim.Wait(2), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(sim.EntryPath())));
}

TEST(DetectorSim, TakenNumberAndBadOptionsFail) {
    SimProcess first({"--port", "9"});
    SimProcess taken({"--port", "9"}, first.PortsDir());
    EXPECT_FALSE(taken.Started());
    EXPECT_EQ(taken.Wait(2), 1);
    SimProcess bad({"--adr", "16"});
    EXPECT_EQ(bad.Wait(2), 2);
}

} // namespace

namespace {

TEST(DetectorSim, PlaysAScriptFileAndRejectsABadOne) {
    const std::string dir = testing::TempDir();
    std::ofstream(dir + "/good.script") << "# faulty from the start\n\n0 malfunction 5\n";
    std::ofstream(dir + "/bad.script") << "0 malfunction 5\n1 explode 2\n";
    SimProcess sim({"--rate", "400", "--script", dir + "/good.script"});
    ASSERT_TRUE(sim.OpenLine());
    auto w = Latest(DecodeFrames(sim.ReadFor(0.2)));
    EXPECT_EQ(w[2].Field(10, 3), 3);
    SimProcess bad({"--script", dir + "/bad.script"});
    EXPECT_FALSE(bad.Started());
    EXPECT_EQ(bad.Wait(2), 2);
}

TEST(DetectorSim, AScriptIsReadOnlyFromARegularFile) {
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {testing::TempDir(), "it is a directory, not a regular file"},
        {"/dev/zero", "it is a character device, not a regular file"},
        {testing::TempDir() + "detector-sim-absent.script", "No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        SimProcess sim({"--script", c.path});
        EXPECT_FALSE(sim.Started());
        EXPECT_EQ(sim.Wait(2), 2);
        EXPECT_EQ(sim.ErrorOutput(), "cannot read script " + c.path + ": " + c.reason + "\n");
    }
}

TEST(DetectorSim, EventLogSaysWhenEachScriptedEventStarted) {
    const std::string path = testing::TempDir() + "/events.log";
    SimProcess sim({"--rate", "400", "--event-log", path, "--event", "0.3 silence 0.2", "--event",
                    "0.1 walk 0.5 900"});
    ASSERT_TRUE(sim.OpenLine());
    sim.ReadFor(0.6);
    const auto lines = ReadLines(path);
    ASSERT_EQ(lines.size(), 2u);
    // Stamped at the simulator's first tick at or after the start: never early, in order.
    EXPECT_EQ(lines[0].substr(lines[0].find(' ')), " walk 0.5 900");
    EXPECT_EQ(lines[1].substr(lines[1].find(' ')), " silence 0.2 -1");
    const double walk = std::stod(lines[0]);
    const double silence = std::stod(lines[1]);
    EXPECT_GE(walk, 0.1);
    EXPECT_GE(silence, 0.3);
    EXPECT_LT(walk, silence);
}

} // namespace

namespace {

// A pty pair stands in for the two ends of a null-modem cable.
TEST(DetectorSim, DrivesAnExistingDeviceWithoutPublishingAnEntry) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    fcntl(master, F_SETFD, FD_CLOEXEC); // the simulator must not hold our end too
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::string device = ptsname(master);
    SimProcess sim({"--rate", "400", "--device", device});
    EXPECT_EQ(sim.FirstLine(), "none " + device);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(sim.PortsDir()),
                            std::filesystem::directory_iterator()),
              1); // only the command log
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 40; ++i) {
        std::uint8_t buffer[1024];
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n > 0) {
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
        usleep(10'000);
    }
    EXPECT_EQ(Latest(DecodeFrames(bytes)).size(), 8u);
    close(master); // the cable is pulled: the simulator gives up instead of spinning
    EXPECT_EQ(sim.Wait(2), 1);
}

} // namespace
