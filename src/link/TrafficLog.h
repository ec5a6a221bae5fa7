// The traffic log: switched on for a run by the presence of its file at start-up; every
// line is the local time "hh:nn:ss.zzz", two blanks and the text.
#pragma once

#include "link/Clock.h"
#include "link/TrafficLogFile.h"

#include <functional>
#include <string>

namespace detlink {

inline constexpr const char* kTrafficLogFileName = "Mirelund.log";

class TrafficLog {
public:
    explicit TrafficLog(const Clock& clock, std::string fileName = kTrafficLogFileName);
    ~TrafficLog();
    TrafficLog(const TrafficLog&) = delete;
    TrafficLog& operator=(const TrafficLog&) = delete;

    // Start-up switch: when the file exists, take it for this run (held open and locked, so
    // a second copy of the program in the same folder cannot take it too), empty it and turn
    // logging on. Returns whether logging is on.
    bool EnableIfPresent();
    bool bLogEnabled() const { return enabled; }
    // Why an existing log file could not be taken, for the operator; empty when logging is on
    // or when there was no file (the operator's way of keeping it off).
    const std::string& OffReason() const { return sOffReason; }

    // One whole line: true when written, or at once when logging is off; false when it
    // cannot be written, and then nothing of it stays in the file. Never creates the file.
    // Lines that could not be written are counted, and the first line written after them is
    // preceded by a "Lost:" line that says how many and for how long, so that a reader of the
    // log (and its replay) knows the gap is not silence on the line.
    bool WriteLogLine(const std::string& text);

    // Hears, once in a run, that lines are being lost and why; it must not wait.
    void OnLinesLost(std::function<void(const std::string&)> tell) {
        tellLinesLost = std::move(tell);
    }

private:
    const Clock& clock;
    std::string sFileName;
    bool enabled = false;
    TrafficLogFile file;
    std::string sOffReason;
    std::function<void(const std::string&)> tellLinesLost;
    bool bLossTold = false;
    long long lostLines = 0;
    double firstLostAt = 0;
};

// The marker written where lines were lost: "Lost: N lines from hh:nn:ss.zzz (S s)".
inline constexpr const char* kLostLinesMark = "Lost: ";
std::string LostLinesText(long long lines, double from, double to);

} // namespace detlink
