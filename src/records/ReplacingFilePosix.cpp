// A file put in place whole on POSIX: O_EXCL temporary file, fsync, rename.
#include "records/ReplacingFile.h"

#include "records/TemporaryBeside.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace records {

struct ReplacingFile::Temporary {
    int fd = -1;
    std::string sPath;
};

ReplacingFile::ReplacingFile(std::string path)
    : sPath(std::move(path))
    , temporary(std::make_unique<Temporary>()) {
    struct stat existing {};
    const bool exists = ::lstat(sPath.c_str(), &existing) == 0;
    if (exists && S_ISLNK(existing.st_mode)) {
        outcome = WriteOutcome::Failed("Cannot write file \"" + sPath +
                                       "\": it is a symbolic link, which is never written through");
        return;
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        outcome =
            WriteOutcome::Failed("Cannot write file \"" + sPath + "\": it is not a regular file");
        return;
    }
    temporary->fd = CreateTemporaryBeside(sPath, temporary->sPath);
    if (temporary->fd < 0) {
        outcome = WriteOutcome::Failed(SystemErrorText("Cannot create file", sPath, errno));
        return;
    }
    if (exists) {
        ::fchmod(temporary->fd, existing.st_mode & 07777);
    }
}

ReplacingFile::~ReplacingFile() {
    if (temporary->fd >= 0) {
        ::close(temporary->fd);
        ::unlink(temporary->sPath.c_str());
    }
}

void ReplacingFile::Write(std::string_view bytes) {
    while (outcome && !bytes.empty()) {
        const ssize_t n = ::write(temporary->fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            outcome = WriteOutcome::Failed(SystemErrorText("Cannot write file", sPath, errno));
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

WriteOutcome ReplacingFile::Finish() {
    if (!outcome) {
        return outcome;
    }
    const int fd = temporary->fd;
    temporary->fd = -1;
    const bool synced = ::fsync(fd) == 0;
    const int syncError = errno;
    if (::close(fd) != 0 || !synced) {
        outcome = WriteOutcome::Failed(
            SystemErrorText("Cannot write file", sPath, synced ? errno : syncError));
    } else if (::rename(temporary->sPath.c_str(), sPath.c_str()) != 0) {
        outcome = WriteOutcome::Failed(SystemErrorText("Cannot write file", sPath, errno));
    } else {
        SyncFolderOf(sPath);
        return outcome;
    }
    ::unlink(temporary->sPath.c_str());
    return outcome;
}

} // namespace records
