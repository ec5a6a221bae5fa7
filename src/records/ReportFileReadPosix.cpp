// Reading a report's file on POSIX: opened from its folder with O_NOFOLLOW and O_NONBLOCK, the
// opened descriptor's type decides.
#include "records/ReportFileRead.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace records {

struct ReportFileReader::Handle {
    int fd = -1;
};

ReportFileReader::ReportFileReader(const FolderHandle& folder, const std::filesystem::path& name)
    : handle(std::make_unique<Handle>()) {
    if (!folder.bOpen()) {
        opened.bAbsent = folder.bMissing();
        opened.sProblem = folder.bMissing() ? "" : folder.Problem();
        return;
    }
    // The opened descriptor's type decides, so that nothing swapped in after a check is read.
    const int fd = ::openat(folder.Descriptor(), name.c_str(),
                            O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW);
    struct stat status {};
    if (fd < 0) {
        const int error = errno;
        // O_NOFOLLOW refuses a link with "Too many levels of symbolic links", and a socket
        // cannot be opened at all: the entry's kind says better what is in the way.
        if (::fstatat(folder.Descriptor(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            !S_ISREG(status.st_mode)) {
            opened.sProblem = S_ISLNK(status.st_mode) ? kLinkNotFollowed : kNotRegularFile;
        } else if (error == ENOENT) {
            opened.bAbsent = true;
        } else {
            opened.sProblem = std::system_category().message(error);
        }
        return;
    }
    if (::fstat(fd, &status) != 0) {
        opened.sProblem = std::system_category().message(errno);
    } else if (S_ISDIR(status.st_mode)) {
        opened.sProblem = std::system_category().message(EISDIR);
    } else if (!S_ISREG(status.st_mode)) {
        opened.sProblem = kNotRegularFile;
    }
    if (!opened.sProblem.empty()) {
        ::close(fd);
        return;
    }
    opened.iSize = static_cast<std::uint64_t>(status.st_size);
    handle->fd = fd;
}

ReportFileReader::~ReportFileReader() {
    if (handle->fd >= 0) {
        ::close(handle->fd);
    }
}

bool ReportFileReader::ReadMore(std::string& bytes, std::size_t most) {
    if (handle->fd < 0 || !opened.sProblem.empty()) {
        return false;
    }
    const std::size_t filled = bytes.size();
    bytes.resize(filled + most);
    ssize_t n = 0;
    do {
        n = ::read(handle->fd, bytes.data() + filled, most);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        opened.sProblem = std::system_category().message(errno);
    }
    bytes.resize(filled + (n > 0 ? static_cast<std::size_t>(n) : 0));
    return n > 0;
}

} // namespace records
