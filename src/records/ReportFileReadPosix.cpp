// Reading a report's file on POSIX: O_NOFOLLOW and O_NONBLOCK, the opened descriptor's type.
#include "records/ReportFileRead.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace records {

ReportFile ReadReportFile(const std::filesystem::path& path, std::size_t limit) {
    ReportFile file;
    // The opened descriptor's type decides, so that nothing swapped in after a check is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW);
    struct stat status {};
    if (fd < 0) {
        const int error = errno;
        // O_NOFOLLOW refuses a link with "Too many levels of symbolic links", and a socket
        // cannot be opened at all: the entry's kind says better what is in the way.
        if (::lstat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
            file.sProblem = S_ISLNK(status.st_mode) ? kLinkNotFollowed : kNotRegularFile;
        } else if (error == ENOENT) {
            file.bAbsent = true;
        } else {
            file.sProblem = std::system_category().message(error);
        }
        return file;
    }
    if (::fstat(fd, &status) != 0) {
        file.sProblem = std::system_category().message(errno);
    } else if (S_ISDIR(status.st_mode)) {
        file.sProblem = std::system_category().message(EISDIR);
    } else if (!S_ISREG(status.st_mode)) {
        file.sProblem = kNotRegularFile;
    }
    if (!file.sProblem.empty()) {
        ::close(fd);
        return file;
    }
    file.iSize = static_cast<std::uint64_t>(status.st_size);
    file.sBytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(file.iSize, limit)));
    std::size_t filled = 0;
    while (filled < file.sBytes.size()) {
        const ssize_t n = ::read(fd, file.sBytes.data() + filled, file.sBytes.size() - filled);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            file.sProblem = std::system_category().message(errno);
            break;
        }
        if (n == 0) {
            break;
        }
        filled += static_cast<std::size_t>(n);
    }
    ::close(fd);
    file.sBytes.resize(file.sProblem.empty() ? filled : 0);
    return file;
}

} // namespace records
