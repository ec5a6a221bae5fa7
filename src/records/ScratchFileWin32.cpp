// The scratch file on Windows: one handle for writing and then reading, the file removed by the
// system when it is closed.
#include "records/ScratchFile.h"

#include "files/Utf8Path.h"
#include "records/TemporaryBeside.h"

#include <algorithm>
#include <windows.h>

namespace records {

struct ScratchFile::Handles {
    HANDLE file = INVALID_HANDLE_VALUE;
    bool bReading = false;
};

namespace {

WriteOutcome Failure(const std::string& what, const std::string& path, DWORD error) {
    return WriteOutcome::Failed(SystemErrorText(what, path, static_cast<int>(error)));
}

} // namespace

ScratchFile::ScratchFile(const FolderHandle& folder, const std::filesystem::path& name)
    : sPath(files::Utf8FromPath(folder.Path() / name))
    , handles(std::make_unique<Handles>()) {
    if (!folder.bOpen()) {
        outcome = WriteOutcome::Failed("Cannot create file \"" + sPath + "\": " + folder.Problem());
        return;
    }
    std::string tempPath;
    handles->file = CreateTemporaryBeside(files::Utf8FromPath(folder.SystemPath(name)), tempPath,
                                          GENERIC_READ | GENERIC_WRITE,
                                          FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE);
    if (handles->file == INVALID_HANDLE_VALUE) {
        outcome = Failure("Cannot create file", sPath, GetLastError());
    }
}

ScratchFile::~ScratchFile() {
    if (handles->file != INVALID_HANDLE_VALUE) {
        CloseHandle(handles->file);
    }
}

void ScratchFile::Write(std::string_view bytes) {
    while (outcome && !bytes.empty()) {
        DWORD written = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(handles->file, bytes.data(), wanted, &written, nullptr) || written == 0) {
            outcome = Failure("Cannot write file", sPath, GetLastError());
            return;
        }
        bytes.remove_prefix(written);
    }
}

bool ScratchFile::ReadMore(std::string& bytes, std::size_t most) {
    if (!outcome) {
        return false;
    }
    if (!handles->bReading) {
        handles->bReading = true;
        if (!SetFilePointerEx(handles->file, LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
            outcome = Failure("Cannot read file", sPath, GetLastError());
            return false;
        }
    }
    const std::size_t filled = bytes.size();
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(most, 1u << 30));
    bytes.resize(filled + wanted);
    DWORD read = 0;
    if (!ReadFile(handles->file, bytes.data() + filled, wanted, &read, nullptr)) {
        outcome = Failure("Cannot read file", sPath, GetLastError());
        read = 0;
    }
    bytes.resize(filled + read);
    return read > 0;
}

} // namespace records
