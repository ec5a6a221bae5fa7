// The folder on POSIX: an O_PATH descriptor reached one name at a time, which asks no more than
// the search permission a path needs, and the *at() calls from it.
#include "records/FolderHandle.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace records {

namespace {

constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

} // namespace

FolderHandle::FolderHandle(const std::filesystem::path& path)
    : path(path) {
    fd = ::open(path.is_absolute() ? "/" : ".", kFolderFlags);
    if (fd < 0) {
        Fail(errno);
        return;
    }
    for (const std::filesystem::path& name : path.relative_path()) {
        // A trailing separator leaves an empty name.
        if (name.empty()) {
            continue;
        }
        const int next = ::openat(fd, name.c_str(), kFolderFlags);
        const int error = errno;
        ::close(fd);
        fd = next;
        if (fd < 0) {
            Fail(error);
            return;
        }
    }
}

FolderHandle::~FolderHandle() {
    if (fd >= 0) {
        ::close(fd);
    }
}

FolderHandle::FolderHandle(FolderHandle&& other) noexcept
    : path(std::move(other.path))
    , sProblem(std::move(other.sProblem))
    , bNotFound(other.bNotFound)
    , fd(std::exchange(other.fd, -1)) {}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept {
    if (this != &other) {
        if (fd >= 0) {
            ::close(fd);
        }
        path = std::move(other.path);
        sProblem = std::move(other.sProblem);
        bNotFound = other.bNotFound;
        fd = std::exchange(other.fd, -1);
    }
    return *this;
}

void FolderHandle::Fail(int error) {
    sProblem = std::system_category().message(error);
    bNotFound = error == ENOENT;
}

FolderHandle FolderHandle::Sub(const std::filesystem::path& name) const {
    FolderHandle sub;
    sub.path = path / name;
    sub.fd = fd < 0 ? -1 : ::openat(fd, name.c_str(), kFolderFlags);
    if (sub.fd < 0) {
        sub.Fail(fd < 0 ? EBADF : errno);
    }
    return sub;
}

bool FolderHandle::List(std::vector<std::filesystem::path>& names, std::string& problem) const {
    // An O_PATH descriptor cannot be read: the folder is opened again for its listing.
    const int listed = fd < 0 ? -1 : ::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* const folder = listed < 0 ? nullptr : ::fdopendir(listed);
    if (folder == nullptr) {
        problem = std::system_category().message(fd < 0 ? EBADF : errno);
        if (listed >= 0) {
            ::close(listed);
        }
        return false;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            names.emplace_back(name);
        }
        errno = 0;
    }
    const int error = errno;
    ::closedir(folder);
    if (error != 0) {
        problem = std::system_category().message(error);
        return false;
    }
    return true;
}

FolderHandle::Kind FolderHandle::KindOf(const std::filesystem::path& name) const {
    struct stat status {};
    if (fd < 0 || ::fstatat(fd, name.c_str(), &status, 0) != 0) {
        return Kind::Missing;
    }
    if (S_ISREG(status.st_mode)) {
        return Kind::File;
    }
    return S_ISDIR(status.st_mode) ? Kind::Folder : Kind::Other;
}

} // namespace records
