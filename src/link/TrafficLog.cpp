// The traffic log: the start-up switch, the operator's reasons and the line format; the file
// itself is the platform's TrafficLogFile.
#include "link/TrafficLog.h"

#include "catalogue/DateTime.h"

namespace detlink {

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

bool TrafficLog::WriteLogLine(const std::string& text) {
    if (!enabled) {
        return true;
    }
    std::string line = catalogue::FormatTimeOfDay(clock.Now());
    line.reserve(line.size() + text.size() + 3);
    line += "  ";
    line += text;
    line += '\n';
    return file.AppendLine(line);
}

} // namespace detlink
