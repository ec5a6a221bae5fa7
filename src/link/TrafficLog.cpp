// The traffic log file: switched on by its presence at start-up, one seek and one write per line.
#include "link/TrafficLog.h"

#include "catalogue/DateTime.h"

#include <fcntl.h>
#include <sys/stat.h>
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
    struct stat info {};
    if (::stat(sFileName.c_str(), &info) != 0) {
        return enabled;
    }
    if (::unlink(sFileName.c_str()) != 0) {
        return enabled;
    }
    const int fd = ::open(sFileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return enabled;
    }
    ::close(fd);
    enabled = true;
    return enabled;
}

bool TrafficLog::WriteLogLine(const std::string& text) {
    if (!enabled) {
        return true;
    }
    if (hLogFile < 0) {
        // Never created here: a log removed while running stays removed.
        hLogFile = ::open(sFileName.c_str(), O_WRONLY | O_CLOEXEC);
    }
    if (hLogFile < 0) {
        return false;
    }
    if (::lseek(hLogFile, 0, SEEK_END) < 0) {
        return false;
    }
    std::string line = catalogue::FormatTimeOfDay(clock.Now());
    line.reserve(line.size() + text.size() + 3);
    line += "  ";
    line += text;
    line += '\n';
    const ssize_t written = ::write(hLogFile, line.data(), line.size());
    return written == static_cast<ssize_t>(line.size());
}

} // namespace detlink
