// Reading "Inp:" lines: "hh:nn:ss.zzz", two blanks, "Inp:[" and the four wire bytes in hex.
#include "ReplayLogReader.h"

#include <algorithm>
#include <array>
#include <utility>

namespace sim {

namespace {

constexpr double kSecondsPerDay = 24 * 60 * 60;
// A time earlier than the line before is the next day when it went back by more than half a
// day; a smaller step back is the wall clock being set: that line plays at once and the lines
// after it keep their spacing.
constexpr double kMidnightStep = kSecondsPerDay / 2;

// The traffic log's mark where lines could not be written.
constexpr std::string_view kLostMark = "  Lost: ";

using Candidate = std::array<std::uint8_t, 4>;

std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t count) {
    if (text.size() < at + count) {
        return std::nullopt;
    }
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// "hh:nn:ss.zzz" as seconds of the day; a ',' before the milliseconds is read as well, as a
// log written under a comma locale may have it.
std::optional<double> TimeOfDay(std::string_view line) {
    const auto hour = Digits(line, 0, 2), minute = Digits(line, 3, 2), second = Digits(line, 6, 2),
               millisecond = Digits(line, 9, 3);
    if (!hour || !minute || !second || !millisecond || line[2] != ':' || line[5] != ':' ||
        (line[8] != '.' && line[8] != ',') || *hour > 23 || *minute > 59 || *second > 59) {
        return std::nullopt;
    }
    return *hour * 3600.0 + *minute * 60.0 + *second + *millisecond / 1000.0;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// "[00 2A 15 3F]": what follows the bracket is the program's reading of them and not needed.
std::optional<Candidate> WireBytes(std::string_view text) {
    constexpr std::size_t kLength = 13;
    if (text.size() < kLength || text[0] != '[' || text[kLength - 1] != ']') {
        return std::nullopt;
    }
    Candidate bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::size_t at = 1 + 3 * i;
        const int high = HexDigit(text[at]), low = HexDigit(text[at + 1]);
        if (high < 0 || low < 0 || (i < 3 && text[at + 2] != ' ')) {
            return std::nullopt;
        }
        bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return bytes;
}

bool Good(const Candidate& c) {
    return ((c[1] + c[2]) & 0xFF) == c[3] && (c[0] | c[1] | c[2] | c[3]) != 0;
}

// A rejected candidate moves the program's scan one byte on, to the next 0x00: the bytes from
// there on open the next candidate.
std::size_t RescannedFrom(const Candidate& c) {
    if (Good(c)) {
        return c.size();
    }
    for (std::size_t i = 1; i < c.size(); ++i) {
        if (c[i] == 0) {
            return i;
        }
    }
    return c.size();
}

} // namespace

ReplayLogReader::ReplayLogReader(std::streambuf& log,
                                 std::function<void(const std::string&)> skipped)
    : lines(log)
    , skipped(std::move(skipped)) {}

std::optional<ReplayChunk> ReplayLogReader::Next() {
    while (const std::optional<TextLine> line = lines.Next()) {
        if (line->tooLong) {
            skipped("line " + std::to_string(line->number) + ": longer than " +
                    std::to_string(LineReader::kLongestLine) + " bytes");
        } else if (std::optional<ReplayChunk> chunk = Read(*line)) {
            return chunk;
        }
    }
    return std::nullopt;
}

std::optional<ReplayChunk> ReplayLogReader::Read(const TextLine& textLine) {
    const std::string_view line = textLine.text;
    // Lines the program could not write leave a gap in time that was not silence on the line:
    // the next line plays as if it followed the last one read.
    if (TimeOfDay(line) && line.substr(12).starts_with(kLostMark)) {
        gapAhead = true;
        return std::nullopt;
    }
    const std::size_t inp = line.find("Inp:");
    if (inp == std::string_view::npos) {
        return std::nullopt;
    }
    const auto skip = [&](const char* why) {
        skipped("line " + std::to_string(textLine.number) + ": " + why);
        return std::nullopt;
    };
    const std::optional<double> time = TimeOfDay(line);
    if (!time || inp != 14 || line.substr(12, 2) != "  ") {
        return skip("no time of day (hh:nn:ss.zzz and two blanks) before \"Inp:\"");
    }
    const std::optional<Candidate> bytes = WireBytes(line.substr(inp + 4));
    if (!bytes) {
        return skip("the four bytes after \"Inp:\" are not \"[XX XX XX XX]\"");
    }

    double seconds = *time + offset;
    if (first && seconds < previous) {
        offset += previous - seconds > kMidnightStep ? kSecondsPerDay : previous - seconds;
        seconds = *time + offset;
    }
    // A gap before the first line is before the replay starts.
    if (std::exchange(gapAhead, false) && first) {
        offset -= seconds - previous - step;
        seconds = previous + step;
    }
    // The first line has no spacing before it: a gap right after it plays the next one at once.
    step = first ? seconds - previous : 0;
    if (!first) {
        first = seconds;
    }
    previous = seconds;

    ReplayChunk chunk;
    chunk.lineNumber = textLine.number;
    chunk.seconds = seconds - *first;
    const bool continues =
        !shared.empty() && std::equal(shared.begin(), shared.end(), bytes->begin());
    chunk.bytes.assign(bytes->begin() + (continues ? shared.size() : 0), bytes->end());
    if (Good(*bytes) && ((*bytes)[1] >> 5) == 6) {
        chunk.cs = ((*bytes)[1] >> 4) & 1;
    }
    shared.assign(bytes->begin() + RescannedFrom(*bytes), bytes->end());
    return chunk;
}

} // namespace sim
