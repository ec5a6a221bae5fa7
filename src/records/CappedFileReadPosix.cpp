// Reading the settings file on POSIX: non-blocking open, type of the opened descriptor.
#include "records/CappedFileRead.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace records {

CappedFile ReadCappedFile(const std::string& path, std::size_t limit) {
    CappedFile result;
    // Non-blocking, so that a FIFO or a device in the file's place cannot stall the open; the
    // opened descriptor's type decides, so that nothing swapped in after a check is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat status {};
    if (fd < 0) {
        const int error = errno;
        // A socket cannot be opened at all.
        const bool special = ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
        result.bAbsent = special || error == ENOENT;
        result.iError = result.bAbsent ? 0 : error;
        return result;
    }
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        result.bAbsent = true;
        return result;
    }
    result.sBytes.resize(limit + 1);
    size_t filled = 0;
    while (filled < result.sBytes.size()) {
        const ssize_t n = ::read(fd, result.sBytes.data() + filled, result.sBytes.size() - filled);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            result.iError = errno;
            break;
        }
        if (n == 0) {
            break;
        }
        filled += static_cast<size_t>(n);
    }
    ::close(fd);
    result.sBytes.resize(filled);
    return result;
}

} // namespace records
