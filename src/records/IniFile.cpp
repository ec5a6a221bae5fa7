// The settings file on disk: read whole on every call, replaced whole on every write.
#include "records/IniFile.h"

#include "records/FileReplace.h"
#include "records/IniText.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace records {
namespace {

struct FileBytes {
    std::string sBytes;
    bool bTooLarge = false;
    int iError = 0; // errno of a failed open or read; ENOENT for a missing file
};

// Reads at most IniFile::kMaxFileBytes; a larger file is cut back to its last whole line
// and marked, so that no write replaces it with a shortened copy.
FileBytes ReadCapped(const std::string& path) {
    FileBytes result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.iError = errno;
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
