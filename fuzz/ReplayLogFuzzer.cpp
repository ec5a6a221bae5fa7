// Fuzzes the replay's reading of a traffic log: every chunk and skipped line of a log handed
// over a few bytes at a time, as a log still being written is.
//
// Input: the log's bytes; the input's length chooses the size of the pieces it is handed over
// in, so that lines fall across the reader's fills at every place.
#include "ReplayLogReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::array<std::size_t, 8> kPieces{1, 2, 3, 5, 13, 64, 4097, 1 << 16};
constexpr double kSecondsPerDay = 24 * 60 * 60;
// Beyond the rounding of a time built up over many days of midnights and steps back.
constexpr double kSlack = 1e-6;

void Require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

// The bytes in pieces of one size, each handed over only when the reader asks for more.
class Trickle : public std::streambuf {
public:
    Trickle(std::string bytes, std::size_t piece)
        : bytes(std::move(bytes))
        , piece(piece) {}

protected:
    int_type underflow() override {
        if (handed == bytes.size()) {
            return traits_type::eof();
        }
        char* begin = bytes.data() + handed;
        handed += std::min(piece, bytes.size() - handed);
        setg(begin, begin, bytes.data() + handed);
        return traits_type::to_int_type(*gptr());
    }

private:
    std::string bytes;
    std::size_t piece;
    std::size_t handed = 0;
};

// The log's lines as the reader numbers them: split at LF, one CR before it dropped.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

int Number(std::string_view digits) {
    int value = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    Require(error == std::errc() && end == digits.data() + digits.size());
    return value;
}

// The read line's time of day and four bytes: "hh:nn:ss.zzz  Inp:[00 2A 15 3F]".
struct ReadLine {
    double seconds;
    std::array<std::uint8_t, 4> bytes;
};

ReadLine Parse(std::string_view line) {
    Require(line.size() >= 31 && line.substr(12, 7) == "  Inp:[");
    ReadLine read{Number(line.substr(0, 2)) * 3600.0 + Number(line.substr(3, 2)) * 60.0 +
                      Number(line.substr(6, 2)) + Number(line.substr(9, 3)) / 1000.0,
                  {}};
    for (std::size_t i = 0; i < read.bytes.size(); ++i) {
        unsigned value = 0;
        const char* at = line.data() + 19 + 3 * i;
        Require(std::from_chars(at, at + 2, value, 16).ptr == at + 2);
        read.bytes[i] = static_cast<std::uint8_t>(value);
    }
    return read;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> lines = Lines(text);
    Trickle log(text, kPieces[size % kPieces.size()]);
    int lastNumber = 0;
    sim::ReplayLogReader reader(log, [&](const std::string& why) {
        Require(why.starts_with("line "));
        const int number = Number(std::string_view(why).substr(5, why.find(':') - 5));
        Require(number > lastNumber && number <= static_cast<int>(lines.size()));
        lastNumber = number;
    });

    std::vector<std::uint8_t> played;
    std::optional<ReadLine> before;
    double previous = 0;
    double step = 0;
    while (const std::optional<sim::ReplayChunk> chunk = reader.Next()) {
        Require(chunk->lineNumber > lastNumber && chunk->lineNumber <= int(lines.size()));
        lastNumber = chunk->lineNumber;
        const ReadLine read = Parse(lines[chunk->lineNumber - 1]);

        // The stream played so far ends with the line's four bytes: a chunk adds what the
        // previous one did not already play.
        Require(!chunk->bytes.empty() && chunk->bytes.size() <= read.bytes.size());
        played.insert(played.end(), chunk->bytes.begin(), chunk->bytes.end());
        Require(played.size() >= read.bytes.size() &&
                std::equal(read.bytes.begin(), read.bytes.end(), played.end() - 4));
        Require(chunk->cs >= -1 && chunk->cs <= 1);

        // Times start at 0 and never go back; a line plays no later after the one before than
        // the log's clock moved on between them (past midnight if need be), or than the
        // spacing the lines before had.
        Require(std::isfinite(chunk->seconds));
        if (!before) {
            Require(chunk->seconds == 0);
        } else {
            const double delta = chunk->seconds - previous;
            const double moved =
                std::fmod(read.seconds - before->seconds + kSecondsPerDay, kSecondsPerDay);
            Require(delta >= -kSlack && delta <= std::max(moved, step) + kSlack);
            step = delta;
        }
        before = read;
        previous = chunk->seconds;
    }
    return 0;
}
