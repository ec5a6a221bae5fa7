// The site book's append on POSIX: O_APPEND and one write, under an flock that copies of the
// program take in turn, so that the header is written once and a cut write is taken back
// without touching another copy's line.
#include "records/SiteBook.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace records {

namespace {

// An append holds the lock for one write: a lock held for a tenth of a second is not another
// copy's append, and the caller is not kept waiting for it.
constexpr int kLockTries = 100;
constexpr timespec kLockPause{0, 1'000'000};

bool TakeLock(int fd) {
    for (int i = 0; i < kLockTries; ++i) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        ::nanosleep(&kLockPause, nullptr);
    }
    return false;
}

} // namespace

WriteOutcome AppendWholeLine(const std::string& path, const std::string& header,
                             const std::string& line) {
    // Non-blocking, so that a FIFO in the book's place cannot hold up the link.
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        // A FIFO without a reader refuses the open as "No such device or address", which
        // names the wrong thing: say what is there.
        const int error = errno;
        struct stat named {};
        if (::stat(path.c_str(), &named) == 0 && !S_ISREG(named.st_mode))
            return WriteOutcome::Failed("Cannot write \"" + path + "\": not a regular file");
        return WriteOutcome::Failed(SystemErrorText("Cannot write", path, error));
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return WriteOutcome::Failed("Cannot write \"" + path + "\": not a regular file");
    }
    if (!TakeLock(fd)) {
        ::close(fd);
        return WriteOutcome::Failed("Cannot write \"" + path +
                                    "\": another program holds it locked");
    }
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return WriteOutcome::Failed(SystemErrorText("Cannot write", path, error));
    }
    const std::string text = info.st_size == 0 ? header + line : line;
    const ssize_t written = ::write(fd, text.data(), text.size());
    const int error = errno;
    if (written == static_cast<ssize_t>(text.size())) {
        ::close(fd);
        return {};
    }
    // Under the lock the file's end is still where this write began.
    if (written > 0 && ::ftruncate(fd, info.st_size) != 0) {
        const int truncateError = errno;
        ::close(fd);
        return WriteOutcome::Failed(SystemErrorText("Cannot write", path, truncateError));
    }
    ::close(fd);
    return WriteOutcome::Failed(
        SystemErrorText("Cannot write", path, written < 0 ? error : ENOSPC));
}

} // namespace records
