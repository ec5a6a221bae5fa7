// A traffic log's "Inp:" lines turned back into the bytes the program read, each at the time
// the program logged it, for playing a site's traffic onto the line again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
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

struct ReplayLog {
    std::vector<ReplayChunk> chunks;
    std::vector<std::string> skipped; // "line N: why", for each "Inp:" line that cannot be read
};

// Lines other than "Inp:" lines are not part of the replay and are passed over in silence.
ReplayLog ParseReplayLog(std::string_view text);

// Reads and parses the file; false with the reason when it cannot be read or holds no
// readable "Inp:" line.
bool LoadReplayLog(const std::string& path, ReplayLog& log, std::string& error);

} // namespace sim
