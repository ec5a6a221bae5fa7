// The settings file on disk: read whole on every call, replaced whole on every write.
#include "records/IniFile.h"

#include "records/FileReplace.h"
#include "records/IniText.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace records {
namespace {

struct FileBytes {
    std::string sBytes;
    bool bTooLarge = false;
    // errno of a failed open or read; ENOENT for a missing file and for anything that is not a
    // regular file (a FIFO, a folder, a device, a socket), which reads as absent.
    int iError = 0;
};

// Reads at most IniFile::kMaxFileBytes; a larger file is cut back to its last whole line
// and marked, so that no write replaces it with a shortened copy.
FileBytes ReadCapped(const std::string& path) {
    FileBytes result;
    // Non-blocking, so that a FIFO or a device in the file's place cannot stall the open; the
    // opened descriptor's type decides, so that nothing swapped in after a check is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat status {};
    if (fd < 0) {
        const int error = errno;
        // A socket cannot be opened at all.
        const bool special = ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
        result.iError = special ? ENOENT : error;
        return result;
    }
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        result.iError = ENOENT;
        return result;
    }
    result.sBytes.resize(IniFile::kMaxFileBytes + 1);
    size_t filled = 0;
    while (filled < result.sBytes.size()) {
        const ssize_t n = ::read(fd, result.sBytes.data() + filled, result.sBytes.size() - filled);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            result.iError = errno;
            break;
        }
        if (n == 0) {
            break;
        }
        filled += static_cast<size_t>(n);
    }
    ::close(fd);
    result.sBytes.resize(filled);
    if (filled > IniFile::kMaxFileBytes) {
        result.bTooLarge = true;
        const size_t lastBreak = result.sBytes.find_last_of("\r\n", IniFile::kMaxFileBytes - 1);
        result.sBytes.resize(lastBreak == std::string::npos ? 0 : lastBreak + 1);
    }
    return result;
}

} // namespace

IniFile::IniFile(std::string path)
    : sPath(std::move(path)) {}

std::optional<std::string> IniFile::Read(std::string_view section, std::string_view key) const {
    const FileBytes file = ReadCapped(sPath);
    if (file.iError != 0) {
        return std::nullopt;
    }
    return IniText(file.sBytes).Find(section, key);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    return Read(section, key).value_or(std::string(fallback));
}

WriteOutcome IniFile::WriteString(std::string_view section, std::string_view key,
                                  std::string_view value) {
    return WriteStrings({{std::string(section), std::string(key), std::string(value)}});
}

WriteOutcome IniFile::WriteStrings(const std::vector<IniEntry>& entries) {
    const FileBytes file = ReadCapped(sPath);
    if (file.iError != 0 && file.iError != ENOENT) {
        return WriteOutcome::Failed(SystemErrorText("Cannot read file", sPath, file.iError));
    }
    if (file.bTooLarge) {
        return WriteOutcome::Failed("Cannot write file \"" + sPath +
                                    "\": it is larger than 1 MiB and is left unchanged");
    }
    IniText text(file.sBytes);
    for (const IniEntry& e : entries) {
        if (!text.Set(e.sSection, e.sKey, e.sValue)) {
            return WriteOutcome::Failed("Cannot write file \"" + sPath + "\": [" + e.sSection +
                                        "] " + e.sKey + " cannot be stored on one line");
        }
    }
    return ReplaceFileContents(sPath, text.Bytes());
}

} // namespace records
