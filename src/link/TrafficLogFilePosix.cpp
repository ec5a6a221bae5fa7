// The traffic log's file on POSIX: flock for the one-copy rule, O_NONBLOCK against a FIFO.
#include "link/TrafficLogFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace detlink {

TrafficLogFile::~TrafficLogFile() {
    if (hLogFile >= 0) {
        ::close(static_cast<int>(hLogFile));
    }
}

TrafficLogFile::Take TrafficLogFile::TakeExisting(const std::string& fileName) {
    // Non-blocking, so that a FIFO in the log's place cannot hold up the start.
    const int fd = ::open(fileName.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        sSystemError = std::strerror(error);
        // A FIFO without a reader refuses the open as "No such device or address", which
        // names the wrong thing: say what is there.
        struct stat named {};
        if (error != ENOENT && ::stat(fileName.c_str(), &named) == 0 && !S_ISREG(named.st_mode))
            return Take::NotRegular;
        return error == ENOENT ? Take::Absent : Take::CannotOpen;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Take::NotRegular;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return Take::InUse;
    }
    if (::ftruncate(fd, 0) != 0) {
        sSystemError = std::strerror(errno);
        ::close(fd);
        return Take::CannotEmpty;
    }
    hLogFile = fd;
    return Take::Taken;
}

bool TrafficLogFile::AppendLine(const std::string& line) {
    const int fd = static_cast<int>(hLogFile);
    const off_t end = ::lseek(fd, 0, SEEK_END);
    if (end < 0) {
        sSystemError = std::strerror(errno);
        return false;
    }
    const ssize_t written = ::write(fd, line.data(), line.size());
    if (written == static_cast<ssize_t>(line.size())) {
        return true;
    }
    // A short write leaves errno as it was: the next write of the rest would have said ENOSPC.
    sSystemError = std::strerror(written < 0 ? errno : ENOSPC);
    if (written > 0) {
        std::ignore = ::ftruncate(fd, end);
    }
    return false;
}

} // namespace detlink
