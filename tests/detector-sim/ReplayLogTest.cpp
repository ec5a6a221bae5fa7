// Reading a traffic log for replay: which "Inp:" lines are read or skipped, the stream they
// give back, their times, and a log read only as far as the replay has gone.
#include "ReplayLogReader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct ReplayLog {
    std::vector<sim::ReplayChunk> chunks;
    std::vector<std::string> skipped;
};

// The whole log's chunks and skipped lines.
ReplayLog ParseReplayLog(const std::string& text) {
    std::stringbuf buffer(text);
    ReplayLog log;
    sim::ReplayLogReader reader(buffer,
                                [&](const std::string& why) { log.skipped.push_back(why); });
    while (std::optional<sim::ReplayChunk> chunk = reader.Next()) {
        log.chunks.push_back(std::move(*chunk));
    }
    return log;
}

struct LineCase {
    const char* name;
    const char* text;
    Bytes bytes; // what the line plays; empty when it is skipped or not an "Inp:" line
    bool skipped;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.name;
}

class ReplayLine : public testing::TestWithParam<LineCase> {};

TEST_P(ReplayLine, IsReadOrSkippedWithItsLineNumber) {
    const LineCase& c = GetParam();
    // A readable line before it shows the line number counts every line.
    const ReplayLog log =
        ParseReplayLog(std::string("10:00:00.000  Inp:[00 E3 10 F3] chsum:Ok code:7 ") +
                       "pwr:784 out:0 freq:0 code:7\n" + c.text);
    ASSERT_GE(log.chunks.size(), 1u);
    if (c.skipped) {
        ASSERT_EQ(log.skipped.size(), 1u);
        EXPECT_EQ(log.skipped[0].rfind("line 2: ", 0), 0u) << log.skipped[0];
        EXPECT_EQ(log.chunks.size(), 1u);
        return;
    }
    EXPECT_TRUE(log.skipped.empty()) << log.skipped[0];
    if (c.bytes.empty()) {
        EXPECT_EQ(log.chunks.size(), 1u);
        return;
    }
    ASSERT_EQ(log.chunks.size(), 2u);
    EXPECT_EQ(log.chunks[1].lineNumber, 2);
    EXPECT_EQ(log.chunks[1].bytes, c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ReplayLine,
    testing::Values(
        LineCase{"Good",
                 "10:00:00.050  Inp:[00 2A 15 3F] chsum:Ok code:1 sig:533 pp:0 mp:1 bp:0",
                 {0x00, 0x2A, 0x15, 0x3F},
                 false},
        LineCase{"BadChecksum",
                 "10:00:00.050  Inp:[00 2A 15 40] chsum:!!!Err!!! code:1 ",
                 {0x00, 0x2A, 0x15, 0x40},
                 false},
        LineCase{"CrLf",
                 "10:00:00.050  Inp:[00 2A 15 3F] chsum:Ok code:1 sig:533\r",
                 {0x00, 0x2A, 0x15, 0x3F},
                 false},
        LineCase{"CommaBeforeMilliseconds",
                 "10:00:00,050  Inp:[00 2A 15 3F] chsum:Ok",
                 {0x00, 0x2A, 0x15, 0x3F},
                 false},
        LineCase{"LowerCaseHex",
                 "10:00:00.050  Inp:[00 2a 15 3f] chsum:Ok",
                 {0x00, 0x2A, 0x15, 0x3F},
                 false},
        LineCase{"CutAfterTheBytes",
                 "10:00:00.050  Inp:[00 2A 15 3F] chs",
                 {0x00, 0x2A, 0x15, 0x3F},
                 false},
        LineCase{"OtherLinesAreNotReplayed", "10:00:00.050  Recv: 4", {}, false},
        LineCase{"CommandsAreNotReplayed", "10:00:00.050  Out:[15 AA BF] send:3 bytes", {}, false},
        LineCase{"CutInTheBytes", "10:00:00.050  Inp:[00 2A 1", {}, true},
        LineCase{"NotHex", "10:00:00.050  Inp:[00 2A 15 3G] chsum:Ok", {}, true},
        LineCase{"NoTime", "Inp:[00 2A 15 3F] chsum:Ok", {}, true},
        LineCase{"NoMilliseconds", "10:00:00  Inp:[00 2A 15 3F] chsum:Ok", {}, true},
        LineCase{"HourOutOfRange", "24:00:00.050  Inp:[00 2A 15 3F] chsum:Ok", {}, true},
        LineCase{"OneBlank", "10:00:00.050 Inp:[00 2A 15 3F] chsum:Ok", {}, true}),
    [](const testing::TestParamInfo<LineCase>& info) { return info.param.name; });

// The program's scan of a stream: every 0x00 opens a candidate, a rejected one moves on by one
// byte, a good one by four. Its "Inp:" lines are what a traffic log holds.
std::vector<std::string> InpLines(const Bytes& stream) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos + 3 < stream.size()) {
        if (stream[pos] != 0) {
            ++pos;
            continue;
        }
        char text[64];
        std::snprintf(text, sizeof text,
                      "12:00:00.000  Inp:[%02X %02X %02X %02X] chsum:", stream[pos],
                      stream[pos + 1], stream[pos + 2], stream[pos + 3]);
        lines.push_back(text);
        const bool sum = ((stream[pos + 1] + stream[pos + 2]) & 0xFF) == stream[pos + 3];
        const bool zero = (stream[pos + 1] | stream[pos + 2] | stream[pos + 3]) == 0;
        pos += sum && !zero ? 4 : 1;
    }
    return lines;
}

Bytes Played(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    Bytes played;
    for (const sim::ReplayChunk& chunk : ParseReplayLog(text).chunks) {
        played.insert(played.end(), chunk.bytes.begin(), chunk.bytes.end());
    }
    return played;
}

TEST(ReplayStream, RejectedCandidatesShareTheirBytesWithTheNextOne) {
    // 00 00 2A 15 3F: the candidate at the first byte fails, the good frame follows one on.
    EXPECT_EQ(Played(InpLines({0x00, 0x00, 0x2A, 0x15, 0x3F})),
              (Bytes{0x00, 0x00, 0x2A, 0x15, 0x3F}));
    // Four zero bytes pass the sum but are refused; each of their zeros opens a candidate.
    EXPECT_EQ(Played(InpLines({0x00, 0x00, 0x00, 0x00, 0x00, 0x2A, 0x15, 0x3F})),
              (Bytes{0x00, 0x00, 0x00, 0x00, 0x00, 0x2A, 0x15, 0x3F}));
}

TEST(ReplayStream, TheProgramSeesTheSameCandidatesOnReplay) {
    // Good frames, bad ones, stray bytes and zeros, as a noisy line mixes them.
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        Bytes stream;
        for (int piece = 0; piece < 30; ++piece) {
            const std::uint8_t high = static_cast<std::uint8_t>(random());
            const std::uint8_t low = static_cast<std::uint8_t>(random() % 4 == 0 ? 0 : random());
            switch (random() % 4) {
            case 0:
                stream.insert(stream.end(), {0x00, high, low, std::uint8_t(high + low)});
                break;
            case 1:
                stream.insert(stream.end(), {0x00, high, low, std::uint8_t(high + low + 1)});
                break;
            case 2:
                stream.push_back(0x00);
                break;
            default:
                stream.push_back(high);
            }
        }
        const std::vector<std::string> original = InpLines(stream);
        ASSERT_EQ(InpLines(Played(original)), original) << "round " << round;
    }
}

TEST(ReplayTimes, RelativeToTheFirstLineAcrossMidnightAndAClockSetBack) {
    const ReplayLog log = ParseReplayLog("23:59:58.000  13.12.2026 Mirelund v1.54.0.0\n"
                                         "23:59:59.900  Inp:[00 2A 15 3F] chsum:Ok\n"
                                         "00:00:00.150  Inp:[00 2A 15 3F] chsum:Ok\n"
                                         "00:00:03.150  Inp:[00 2A 15 3F] chsum:Ok\n"
                                         "00:00:02.000  Inp:[00 2A 15 3F] chsum:Ok\n"
                                         "00:00:02.500  Inp:[00 2A 15 3F] chsum:Ok\n");
    std::vector<double> seconds;
    for (const sim::ReplayChunk& chunk : log.chunks) {
        seconds.push_back(chunk.seconds);
    }
    ASSERT_EQ(seconds.size(), 5u);
    EXPECT_DOUBLE_EQ(seconds[0], 0);
    EXPECT_NEAR(seconds[1], 0.25, 1e-9);
    EXPECT_NEAR(seconds[2], 3.25, 1e-9);
    // Set back by 1.15 s: played at once, and the next line half a second later.
    EXPECT_NEAR(seconds[3], 3.25, 1e-9);
    EXPECT_NEAR(seconds[4], 3.75, 1e-9);
}

// The program could not write its log for 14.6 s: the line kept on sending all the while, so
// the replay goes on at the pace it had instead of falling silent (a Pause, a loss of the
// link and a second identification that never happened).
TEST(ReplayTimes, AGapOfLostLinesIsNotPlayedAsSilence) {
    const ReplayLog log =
        ParseReplayLog("12:00:00.000  Inp:[00 2A 15 3F] chsum:Ok\n"
                       "12:00:00.100  Inp:[00 2A 15 3F] chsum:Ok\n"
                       "12:00:14.700  Lost: 146 lines from 12:00:00.150 (14.6 s) could not be "
                       "written\n"
                       "12:00:14.700  Inp:[00 2A 15 3F] chsum:Ok\n"
                       "12:00:14.800  Inp:[00 2A 15 3F] chsum:Ok\n");
    std::vector<double> seconds;
    for (const sim::ReplayChunk& chunk : log.chunks) {
        seconds.push_back(chunk.seconds);
    }
    ASSERT_EQ(seconds.size(), 4u);
    EXPECT_NEAR(seconds[2], 0.2, 1e-9);
    EXPECT_NEAR(seconds[3], 0.3, 1e-9);
    EXPECT_TRUE(log.skipped.empty());
}

std::vector<double> Seconds(const std::string& text) {
    std::vector<double> seconds;
    for (const sim::ReplayChunk& chunk : ParseReplayLog(text).chunks) {
        seconds.push_back(chunk.seconds);
    }
    return seconds;
}

// Before two lines are read no spacing is known, and a gap costs no time: one before the first
// line is before the replay starts, one after it plays the next line at once; neither is taken
// for the time of day the first line was logged at.
TEST(ReplayTimes, AGapBeforeAnySpacingIsKnownCostsNoTime) {
    const std::string lost = "12:00:14.700  Lost: 146 lines from 12:00:00.150 (14.6 s) could not "
                             "be written\n";
    const std::string frame = "  Inp:[00 2A 15 3F] chsum:Ok\n";
    const std::string after = "12:00:14.700" + frame + "12:00:14.800" + frame;
    EXPECT_THAT(Seconds(lost + after), testing::Pointwise(testing::DoubleNear(1e-9), {0.0, 0.1}));
    EXPECT_THAT(Seconds("12:00:00.000" + frame + lost + after),
                testing::Pointwise(testing::DoubleNear(1e-9), {0.0, 0.0, 0.1}));
}

TEST(ReplayTimes, TheIdentityWordGivesTheCommandForm) {
    // Kind 6 with cs 1 (word bit 12) and with cs 0; other lines leave it unknown.
    const ReplayLog log = ParseReplayLog("12:00:00.000  Inp:[00 D0 05 D5] chsum:Ok\n"
                                         "12:00:00.010  Inp:[00 C0 05 C5] chsum:Ok\n"
                                         "12:00:00.020  Inp:[00 D0 05 D6] chsum:!!!\n"
                                         "12:00:00.030  Inp:[00 2A 15 3F] chsum:Ok\n");
    ASSERT_EQ(log.chunks.size(), 4u);
    EXPECT_EQ(log.chunks[0].cs, 1);
    EXPECT_EQ(log.chunks[1].cs, 0);
    EXPECT_EQ(log.chunks[2].cs, -1);
    EXPECT_EQ(log.chunks[3].cs, -1);
}

TEST(ReplayReader, ALogWithoutAnInpLineGivesNothing) {
    const ReplayLog log =
        ParseReplayLog("12:00:00.000  13.12.2026 Mirelund v1.54.0.0\n12:00:01.000  Recv: 4\n");
    EXPECT_TRUE(log.chunks.empty());
    EXPECT_TRUE(log.skipped.empty());
}

std::string FrameLine(int milliseconds, const char* lineEnd = "\n") {
    char text[64];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d  Inp:[00 2A 15 3F] chsum:Ok%s",
                  10 + milliseconds / 3'600'000, milliseconds / 60'000 % 60,
                  milliseconds / 1000 % 60, milliseconds % 1000, lineEnd);
    return text;
}

// A writer still writing: a traffic log of frames 5 ms apart, each line made only when the
// reader asks for more, and a count of the lines made so far.
class GrowingLog : public std::streambuf {
public:
    explicit GrowingLog(int lines)
        : lines(lines) {}
    int Made() const { return made; }

protected:
    int_type underflow() override {
        if (made == lines) {
            return traits_type::eof();
        }
        line = FrameLine(5 * made++);
        setg(line.data(), line.data(), line.data() + line.size());
        return traits_type::to_int_type(*gptr());
    }

private:
    int lines;
    int made = 0;
    std::string line;
};

TEST(ReplayReader, ReadsTheLogOnlyAsFarAsTheReplayHasGone) {
    GrowingLog log(100'000);
    sim::ReplayLogReader reader(log, [](const std::string& why) { ADD_FAILURE() << why; });
    const std::optional<sim::ReplayChunk> first = reader.Next();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->lineNumber, 1);
    EXPECT_EQ(log.Made(), 1);
    for (int chunk = 2; chunk <= 1000; ++chunk) {
        const std::optional<sim::ReplayChunk> next = reader.Next();
        ASSERT_TRUE(next);
        ASSERT_EQ(next->lineNumber, chunk);
        ASSERT_NEAR(next->seconds, 0.005 * (chunk - 1), 1e-9);
    }
    EXPECT_EQ(log.Made(), 1000);
}

TEST(ReplayReader, LinesAcrossTheReadingBlocksAreEachReadOnce) {
    // About 1.5 MB of frames between other lines of every length up to the longest a line may
    // be, in CR LF, so lines and their line ends fall across the blocks the log is read in.
    std::mt19937 random(3);
    std::string text;
    int frames = 0;
    while (text.size() < 1'500'000) {
        text += std::string(random() % sim::LineReader::kLongestLine, '-') + "\r\n";
        text += FrameLine(5 * frames++, "\r\n");
    }
    const ReplayLog log = ParseReplayLog(text);
    EXPECT_TRUE(log.skipped.empty());
    ASSERT_EQ(static_cast<int>(log.chunks.size()), frames);
    for (int i = 0; i < frames; ++i) {
        ASSERT_EQ(log.chunks[i].lineNumber, 2 * i + 2);
        ASSERT_NEAR(log.chunks[i].seconds, 0.005 * i, 1e-9);
    }
}

TEST(ReplayReader, ALineTooLongToBeALogLineIsSkipped) {
    const std::string frame = "10:00:00.000  Inp:[00 2A 15 3F] chsum:Ok ";
    const std::string longest =
        frame + std::string(sim::LineReader::kLongestLine - frame.size(), 'x');
    const ReplayLog log = ParseReplayLog(longest + "\n" + longest + "x\n" +
                                         std::string(1 << 20, 'y') + "\n" + frame + "\n");
    EXPECT_EQ(log.skipped, (std::vector<std::string>{"line 2: longer than 4096 bytes",
                                                     "line 3: longer than 4096 bytes"}));
    ASSERT_EQ(log.chunks.size(), 2u);
    EXPECT_EQ(log.chunks[0].lineNumber, 1);
    EXPECT_EQ(log.chunks[1].lineNumber, 4);
}

} // namespace
