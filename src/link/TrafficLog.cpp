// The traffic log file: taken and locked at start-up, one seek and one whole write per line.
#include "link/TrafficLog.h"

#include "catalogue/DateTime.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace detlink {

TrafficLog::TrafficLog(const Clock& clock, std::string fileName)
    : clock(clock)
    , sFileName(std::move(fileName)) {}

TrafficLog::~TrafficLog() {
    if (hLogFile >= 0) {
        ::close(hLogFile);
    }
}

bool TrafficLog::EnableIfPresent() {
    // Non-blocking, so that a FIFO in the log's place cannot hold up the start.
    const int fd = ::open(sFileName.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT) {
            sOffReason = "The traffic log is off for this run: " + sFileName +
                         " cannot be opened (" + std::strerror(errno) + ").";
        }
        return enabled;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        sOffReason =
            "The traffic log is off for this run: " + sFileName + " is not a regular file.";
        return enabled;
    }
    // A running copy keeps its log: emptying the file under it would lose everything it
    // wrote, so a second copy in the same folder leaves the log alone.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        sOffReason = "The traffic log is off for this run: " + sFileName +
                     " is in use by another copy of the program in this folder.";
        return enabled;
    }
    if (::ftruncate(fd, 0) != 0) {
        ::close(fd);
        sOffReason = "The traffic log is off for this run: " + sFileName + " cannot be emptied (" +
                     std::strerror(errno) + ").";
        return enabled;
    }
    hLogFile = fd;
    enabled = true;
    return enabled;
}

bool TrafficLog::WriteLogLine(const std::string& text) {
    if (!enabled) {
        return true;
    }
    const off_t end = ::lseek(hLogFile, 0, SEEK_END);
    if (end < 0) {
        return false;
    }
    std::string line = catalogue::FormatTimeOfDay(clock.Now());
    line.reserve(line.size() + text.size() + 3);
    line += "  ";
    line += text;
    line += '\n';
    const ssize_t written = ::write(hLogFile, line.data(), line.size());
    if (written == static_cast<ssize_t>(line.size())) {
        return true;
    }
    // A full disk cuts the line: take the piece back, or the next line would be glued onto
    // it once space is freed.
    if (written > 0) {
        std::ignore = ::ftruncate(hLogFile, end);
    }
    return false;
}

} // namespace detlink
