// The traffic log: switched on for a run by the presence of its file at start-up; every
// line is the local time "hh:nn:ss.zzz", two blanks and the text.
#pragma once

#include "link/Clock.h"

#include <string>

namespace detlink {

inline constexpr const char* kTrafficLogFileName = "Mirelund.log";

class TrafficLog {
public:
    explicit TrafficLog(const Clock& clock, std::string fileName = kTrafficLogFileName);
    ~TrafficLog();
    TrafficLog(const TrafficLog&) = delete;
    TrafficLog& operator=(const TrafficLog&) = delete;

    // Start-up switch: when the file exists, delete it, create it empty and turn logging on
    // for the rest of the run. Returns whether logging is on.
    bool EnableIfPresent();
    bool bLogEnabled() const { return enabled; }

    // One line: true when written, or at once when logging is off; false when the file
    // cannot be opened or written. Never creates the file.
    bool WriteLogLine(const std::string& text);

private:
    const Clock& clock;
    std::string sFileName;
    bool enabled = false;
    int hLogFile = -1;
};

} // namespace detlink
