// The traffic log: the start-up switch, the operator's reasons and the line format; the file
// itself is the platform's TrafficLogFile.
#include "link/TrafficLog.h"

#include "catalogue/DateTime.h"

#include <cstdio>
#include <utility>

namespace detlink {

namespace {

constexpr double kSecondsPerDay = 24.0 * 60 * 60;

} // namespace

TrafficLog::TrafficLog(const Clock& clock, std::string fileName)
    : clock(clock)
    , sFileName(std::move(fileName)) {}

TrafficLog::~TrafficLog() = default;

bool TrafficLog::EnableIfPresent() {
    const std::string off = "The traffic log is off for this run: " + sFileName;
    switch (file.TakeExisting(sFileName)) {
    case TrafficLogFile::Take::Taken:
        enabled = true;
        break;
    case TrafficLogFile::Take::Absent:
        break;
    case TrafficLogFile::Take::CannotOpen:
        sOffReason = off + " cannot be opened (" + file.SystemError() + ").";
        break;
    case TrafficLogFile::Take::NotRegular:
        sOffReason = off + " is not a regular file.";
        break;
    // A running copy keeps its log: emptying the file under it would lose everything it
    // wrote, so a second copy in the same folder leaves the log alone.
    case TrafficLogFile::Take::InUse:
        sOffReason = off + " is in use by another copy of the program in this folder.";
        break;
    case TrafficLogFile::Take::CannotEmpty:
        sOffReason = off + " cannot be emptied (" + file.SystemError() + ").";
        break;
    }
    return enabled;
}

std::string LostLinesText(long long lines, double from, double to) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", (to - from) * kSecondsPerDay);
    return kLostLinesMark + std::to_string(lines) + (lines == 1 ? " line" : " lines") + " from " +
           catalogue::FormatTimeOfDay(from) + " (" + seconds + " s) could not be written";
}

bool TrafficLog::WriteLogLine(const std::string& text) {
    if (!enabled) {
        return true;
    }
    const double now = clock.Now();
    const auto stamped = [&](const std::string& body) {
        return catalogue::FormatTimeOfDay(now) + "  " + body + '\n';
    };
    if (lostLines > 0 && file.AppendLine(stamped(LostLinesText(lostLines, firstLostAt, now))))
        lostLines = 0;
    if (lostLines == 0 && file.AppendLine(stamped(text)))
        return true;
    if (lostLines++ == 0)
        firstLostAt = now;
    if (!std::exchange(bLossTold, true) && tellLinesLost)
        tellLinesLost("The traffic log " + sFileName + " cannot be written (" + file.SystemError() +
                      "): its lines are lost until it can; the log will say how many.");
    return false;
}

} // namespace detlink
