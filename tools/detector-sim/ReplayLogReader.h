// A traffic log's "Inp:" lines turned back into the bytes the program read, each at the time
// the program logged it, for playing a site's traffic onto the line again. The log is read a
// line at a time as the replay asks for it, so its size costs no memory and no wait.
#pragma once

#include "LineReader.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <streambuf>
#include <string>
#include <vector>

namespace sim {

struct ReplayChunk {
    int lineNumber = 0;
    double seconds = 0; // after the first "Inp:" line
    // What this line adds to the stream: a candidate the program rejected was read again from
    // its next 0x00 byte on, so the bytes two candidates share are played once.
    std::vector<std::uint8_t> bytes;
    int cs = -1; // the detector's `cs` bit when this line is a good kind-6 frame, else -1
};

class ReplayLogReader {
public:
    // skipped hears "line N: why" for each "Inp:" line that cannot be read and each line too
    // long to be a log line; other lines are not part of the replay and pass in silence.
    ReplayLogReader(std::streambuf& log, std::function<void(const std::string&)> skipped);

    // The next line's chunk; nullopt at the end of the log, or where it could no longer be read.
    std::optional<ReplayChunk> Next();

private:
    std::optional<ReplayChunk> Read(const TextLine& line);

    LineReader lines;
    std::function<void(const std::string&)> skipped;
    // What a line's chunk takes from the "Inp:" lines before it.
    std::optional<double> first;
    double previous = 0;
    double offset = 0; // added to each time: a day per midnight passed, and any step back
    double step = 0;   // between the last two "Inp:" lines, kept across a gap of lost lines
    bool gapAhead = false;
    std::vector<std::uint8_t> shared; // bytes already played that the next candidate begins with
};

} // namespace sim
