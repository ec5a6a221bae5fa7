// The start-up switch of the traffic log: an existing log file turns logging on for the run,
// starting afresh with a line naming the date, the program and its version.
#pragma once

#include "link/Clock.h"
#include "link/TrafficLog.h"

#include <functional>
#include <string>
#include <string_view>

namespace records {

// The date in the short pattern, one blank, "Mirelund", " v" and the version.
std::string StartUpLogLine(double now, std::string_view shortDateFormat);

// Runs the switch and, when it turned logging on, writes the first line. Failures are
// swallowed: logging then stays in whatever state it reached. Returns whether logging is on.
bool OpenTrafficLog(const std::function<bool()>& enableIfPresent,
                    const std::function<bool(const std::string&)>& writeLogLine, double now,
                    std::string_view shortDateFormat);

inline bool OpenTrafficLog(detlink::TrafficLog& log, const detlink::Clock& clock,
                           std::string_view shortDateFormat) {
    return OpenTrafficLog([&log] { return log.EnableIfPresent(); },
                          [&log](const std::string& text) { return log.WriteLogLine(text); },
                          clock.Now(), shortDateFormat);
}

} // namespace records
