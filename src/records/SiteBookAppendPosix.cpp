// The site book's append on POSIX: O_APPEND, so that each write lands whole at the end even
// with another copy of the program appending.
#include "records/SiteBook.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace records {

WriteOutcome AppendWholeLine(const std::string& path, const std::string& header,
                             const std::string& line) {
    // Non-blocking, so that a FIFO in the book's place cannot hold up the link.
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return WriteOutcome::Failed(SystemErrorText("Cannot write", path, errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return WriteOutcome::Failed("Cannot write \"" + path + "\": not a regular file");
    }
    const std::string text = info.st_size == 0 ? header + line : line;
    const ssize_t written = ::write(fd, text.data(), text.size());
    const int error = errno;
    if (written == static_cast<ssize_t>(text.size())) {
        ::close(fd);
        return {};
    }
    // Taken back only while the cut piece is still the file's end.
    if (written > 0) {
        const off_t end = ::lseek(fd, 0, SEEK_END);
        if (end >= written && ::fstat(fd, &info) == 0 && info.st_size == end)
            std::ignore = ::ftruncate(fd, end - written);
    }
    ::close(fd);
    return WriteOutcome::Failed(
        SystemErrorText("Cannot write", path, written < 0 ? error : ENOSPC));
}

} // namespace records
