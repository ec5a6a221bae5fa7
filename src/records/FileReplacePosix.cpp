// Temporary file, fsync, rename: the POSIX way to replace a file atomically.
#include "records/FileReplace.h"

#include "records/TemporaryBeside.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace records {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Linux's own limit on the links followed for one name.
constexpr int kMaxLinkHops = 40;

// The file that `path` names once symbolic links are followed, each relative link from its own
// folder, so that a settings file shared through a link is updated and the link stays. A
// dangling link yields the name it holds: the file is created there, as a write through the
// link would create it. Any other trouble shows when the file is made.
std::filesystem::path FollowLinks(std::filesystem::path path, std::error_code& error) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
            error.clear();
            return path;
        }
        const std::filesystem::path named = std::filesystem::read_symlink(path, error);
        if (error) {
            return path;
        }
        path = path.parent_path() / named;
    }
    error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return path;
}

} // namespace

WriteOutcome ReplaceFileContents(const std::string& path, std::string_view bytes) {
    std::error_code linkError;
    const std::filesystem::path target = FollowLinks(path, linkError);
    if (linkError) {
        return WriteOutcome::Failed(SystemErrorText("Cannot write file", path, linkError.value()));
    }
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        return WriteOutcome::Failed("Cannot write file \"" + path + "\": it is not a regular file");
    }
    std::string tempPath;
    const int fd = CreateTemporaryBeside(target, tempPath);
    if (fd < 0) {
        return WriteOutcome::Failed(SystemErrorText("Cannot create file", path, errno));
    }
    if (exists) {
        ::fchmod(fd, existing.st_mode & 07777);
    }
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
        const int error = written ? errno : writeError;
        ::unlink(tempPath.c_str());
        return WriteOutcome::Failed(SystemErrorText("Cannot write file", path, error));
    }
    if (::rename(tempPath.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempPath.c_str());
        return WriteOutcome::Failed(SystemErrorText("Cannot write file", path, error));
    }
    SyncFolderOf(target);
    return {};
}

} // namespace records
