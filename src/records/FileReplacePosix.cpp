// Temporary file, fsync, rename: the POSIX way to replace a file atomically.
#include "records/FileReplace.h"

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

// Creates a fresh temporary file in the target's folder, so that the rename stays on one
// file system. The leading dot keeps it out of ordinary listings should the process die.
int CreateTemporary(const std::filesystem::path& target, std::string& tempPath) {
    static unsigned counter = 0;
    const std::filesystem::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Appended rather than "." + name: GCC 12 at -O3 reads the latter as overlapping copies.
        const std::string name = std::string(".").append(target.filename().string()) + "." +
                                 std::to_string(::getpid()) + "." + std::to_string(++counter) +
                                 ".tmp";
        tempPath = (folder / name).string();
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
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
    const int fd = CreateTemporary(target, tempPath);
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
    SyncFolder(target);
    return {};
}

} // namespace records
