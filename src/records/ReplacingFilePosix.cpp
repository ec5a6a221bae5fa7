// A file put in place whole on POSIX: O_EXCL temporary file, fsync, rename, each named from the
// open folder.
#include "records/ReplacingFile.h"

#include "files/Utf8Path.h"
#include "records/TemporaryBeside.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace records {

struct ReplacingFile::Temporary {
    int folder = -1;
    std::string sName; // the final name in the folder
    int fd = -1;
    std::string sTempName;
};

ReplacingFile::ReplacingFile(const FolderHandle& folder, const std::filesystem::path& name)
    : sPath(files::Utf8FromPath(folder.Path() / name))
    , temporary(std::make_unique<Temporary>()) {
    temporary->sName = name.native();
    if (!folder.bOpen()) {
        outcome = WriteOutcome::Failed("Cannot create file \"" + sPath + "\": " + folder.Problem());
        return;
    }
    temporary->folder = ::fcntl(folder.Descriptor(), F_DUPFD_CLOEXEC, 0);
    if (temporary->folder < 0) {
        outcome = WriteOutcome::Failed(SystemErrorText("Cannot create file", sPath, errno));
        return;
    }
    struct stat existing {};
    const bool exists =
        ::fstatat(temporary->folder, temporary->sName.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0;
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
    temporary->fd = CreateTemporaryBeside(temporary->folder, name, temporary->sTempName);
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
        ::unlinkat(temporary->folder, temporary->sTempName.c_str(), 0);
    }
    if (temporary->folder >= 0) {
        ::close(temporary->folder);
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
    const int folder = temporary->folder;
    const char* const tempName = temporary->sTempName.c_str();
    if (::close(fd) != 0 || !synced) {
        outcome = WriteOutcome::Failed(
            SystemErrorText("Cannot write file", sPath, synced ? errno : syncError));
    } else if (::renameat(folder, tempName, folder, temporary->sName.c_str()) != 0) {
        outcome = WriteOutcome::Failed(SystemErrorText("Cannot write file", sPath, errno));
    } else {
        SyncFolderOf(folder, temporary->sName);
        return outcome;
    }
    ::unlinkat(folder, tempName, 0);
    return outcome;
}

} // namespace records
