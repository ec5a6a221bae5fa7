// Opening and reading a regular file with the POSIX calls, so each refusal and failure carries
// the system's own reason.
#include "RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sim {

namespace {

std::string NotRegular(mode_t mode) {
    const char* kind = S_ISDIR(mode)    ? "a directory"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISFIFO(mode) ? "a FIFO"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "something else";
    return std::string("it is ") + kind + ", not a regular file";
}

} // namespace

RegularFile::~RegularFile() {
    if (fd >= 0) {
        close(fd);
    }
}

bool RegularFile::Open(const std::string& path, std::string& reason) {
    // Looked at before the open, as opening a device can act on it (a serial port raises DTR).
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        reason = NotRegular(status.st_mode);
        return false;
    }
    // Non-blocking and checked again, in case the path was swapped for a FIFO in between.
    fd = open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    const bool examined = fstat(fd, &status) == 0;
    if (!examined || !S_ISREG(status.st_mode)) {
        reason = examined ? NotRegular(status.st_mode) : std::strerror(errno);
        close(fd);
        fd = -1;
        return false;
    }
    return true;
}

RegularFile::int_type RegularFile::underflow() {
    if (gptr() < egptr()) {
        return traits_type::to_int_type(*gptr());
    }
    if (!readError.empty()) {
        return traits_type::eof();
    }
    ssize_t n;
    do {
        n = read(fd, buffer.data(), buffer.size());
    } while (n < 0 && errno == EINTR);
    if (n <= 0) {
        if (n < 0) {
            readError = std::strerror(errno);
        }
        return traits_type::eof();
    }
    setg(buffer.data(), buffer.data(), buffer.data() + n);
    return traits_type::to_int_type(*gptr());
}

} // namespace sim
