// The settings file on disk: read whole on every call, replaced whole on every write.
#include "records/IniFile.h"

#include "records/CappedFileRead.h"
#include "records/FileReplace.h"
#include "records/IniText.h"

namespace records {
namespace {

struct FileBytes : CappedFile {
    bool bTooLarge = false;
};

// Reads at most IniFile::kMaxFileBytes; a larger file is cut back to its last whole line
// and marked, so that no write replaces it with a shortened copy.
FileBytes ReadCapped(const std::string& path) {
    FileBytes result{ReadCappedFile(path, IniFile::kMaxFileBytes), false};
    if (result.sBytes.size() > IniFile::kMaxFileBytes) {
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
    if (file.bAbsent || file.iError != 0) {
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
    if (!file.bAbsent && file.iError != 0) {
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
