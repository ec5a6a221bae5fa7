// The scratch file on POSIX: its name is removed as soon as it is opened twice, once to write
// and once to read from the start, so that it lives on only in the two descriptors.
#include "records/ScratchFile.h"

#include "files/Utf8Path.h"
#include "records/TemporaryBeside.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace records {

struct ScratchFile::Handles {
    int writer = -1;
    int reader = -1;
};

ScratchFile::ScratchFile(const FolderHandle& folder, const std::filesystem::path& name)
    : sPath(files::Utf8FromPath(folder.Path() / name))
    , handles(std::make_unique<Handles>()) {
    if (!folder.bOpen()) {
        outcome = WriteOutcome::Failed("Cannot create file \"" + sPath + "\": " + folder.Problem());
        return;
    }
    std::string tempName;
    handles->writer = CreateTemporaryBeside(folder.Descriptor(), name, tempName);
    if (handles->writer < 0) {
        outcome = WriteOutcome::Failed(SystemErrorText("Cannot create file", sPath, errno));
        return;
    }
    handles->reader =
        ::openat(folder.Descriptor(), tempName.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    const int error = errno;
    ::unlinkat(folder.Descriptor(), tempName.c_str(), 0);
    if (handles->reader < 0) {
        outcome = WriteOutcome::Failed(SystemErrorText("Cannot create file", sPath, error));
    }
}

ScratchFile::~ScratchFile() {
    for (const int fd : {handles->writer, handles->reader}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void ScratchFile::Write(std::string_view bytes) {
    while (outcome && !bytes.empty()) {
        const ssize_t n = ::write(handles->writer, bytes.data(), bytes.size());
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

bool ScratchFile::ReadMore(std::string& bytes, std::size_t most) {
    if (!outcome) {
        return false;
    }
    const std::size_t filled = bytes.size();
    bytes.resize(filled + most);
    ssize_t n = 0;
    do {
        n = ::read(handles->reader, bytes.data() + filled, most);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        outcome = WriteOutcome::Failed(SystemErrorText("Cannot read file", sPath, errno));
    }
    bytes.resize(filled + (n > 0 ? static_cast<std::size_t>(n) : 0));
    return n > 0;
}

} // namespace records
