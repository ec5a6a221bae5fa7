// The traffic log's first line and its start-up switch.
#include "records/TrafficLogStartUp.h"

#include "records/ShortDate.h"
#include "records/Version.h"

namespace records {

std::string StartUpLogLine(double now, std::string_view shortDateFormat) {
    return FormatShortDate(now, shortDateFormat) + " " + kBaseName + " v" + GetVersionString();
}

bool OpenTrafficLog(const std::function<bool()>& enableIfPresent,
                    const std::function<bool(const std::string&)>& writeLogLine, double now,
                    std::string_view shortDateFormat) {
    if (!enableIfPresent()) {
        return false;
    }
    writeLogLine(StartUpLogLine(now, shortDateFormat));
    return true;
}

} // namespace records
