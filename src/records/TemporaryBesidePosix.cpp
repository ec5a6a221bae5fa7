// The temporary file beside a final name on POSIX: O_EXCL, so that no other file is reused.
#include "records/TemporaryBeside.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace records {

int CreateTemporaryBeside(const std::filesystem::path& target, std::string& tempPath) {
    return CreateTemporaryBeside(AT_FDCWD, target, tempPath);
}

int CreateTemporaryBeside(int folder, const std::filesystem::path& target, std::string& tempPath) {
    static unsigned counter = 0;
    const std::filesystem::path parent = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Appended rather than "." + name: GCC 12 at -O3 reads the latter as overlapping copies.
        const std::string name = std::string(".").append(target.filename().string()) + "." +
                                 std::to_string(::getpid()) + "." + std::to_string(++counter) +
                                 ".tmp";
        tempPath = (parent / name).string();
        const int fd =
            ::openat(folder, tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

void SyncFolderOf(const std::filesystem::path& target) {
    SyncFolderOf(AT_FDCWD, target);
}

void SyncFolderOf(int folder, const std::filesystem::path& target) {
    const std::filesystem::path parent =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    const int fd = ::openat(folder, parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace records
