// A file put in place whole on POSIX: O_EXCL temporary file, fsync, rename.
#include "records/ReplacingFile.h"

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

namespace {

// A fresh file in the final name's folder, so that the rename stays on one file system; the
// leading dot keeps it out of ordinary listings should the process die.
int CreateTemporary(const std::filesystem::path& target, std::string& tempPath) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = std::string(".").append(target.filename().string()) + "." +
                                 std::to_string(::getpid()) + "." + std::to_string(++counter) +
                                 ".tmp";
        tempPath = (target.parent_path() / name).string();
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

void SyncFolder(const std::filesystem::path& target) {
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

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
    temporary->fd = CreateTemporary(sPath, temporary->sPath);
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
        SyncFolder(sPath);
        return outcome;
    }
    ::unlink(temporary->sPath.c_str());
    return outcome;
}

} // namespace records
