// A file put in place whole on Windows: CREATE_NEW temporary file, flush, MoveFileEx, each by
// the long form of its path.
#include "records/ReplacingFile.h"

#include "files/Utf8Path.h"
#include "records/TemporaryBeside.h"

#include <algorithm>
#include <windows.h>

namespace records {

struct ReplacingFile::Temporary {
    std::string sFinalPath; // the final name in the form the wide calls take, as UTF-8
    HANDLE handle = INVALID_HANDLE_VALUE;
    std::string sPath;
};

namespace {

WriteOutcome Failure(const std::string& what, const std::string& path, DWORD error) {
    return WriteOutcome::Failed(SystemErrorText(what, path, static_cast<int>(error)));
}

} // namespace

ReplacingFile::ReplacingFile(const FolderHandle& folder, const std::filesystem::path& name)
    : sPath(files::Utf8FromPath(folder.Path() / name))
    , temporary(std::make_unique<Temporary>()) {
    if (!folder.bOpen()) {
        outcome = WriteOutcome::Failed("Cannot create file \"" + sPath + "\": " + folder.Problem());
        return;
    }
    temporary->sFinalPath = files::Utf8FromPath(folder.SystemPath(name));
    const DWORD attributes = GetFileAttributesW(files::PathFromUtf8(temporary->sFinalPath).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        outcome = WriteOutcome::Failed("Cannot write file \"" + sPath +
                                       "\": it is a symbolic link, which is never written through");
        return;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        outcome =
            WriteOutcome::Failed("Cannot write file \"" + sPath + "\": it is not a regular file");
        return;
    }
    temporary->handle = CreateTemporaryBeside(temporary->sFinalPath, temporary->sPath);
    if (temporary->handle == INVALID_HANDLE_VALUE) {
        outcome = Failure("Cannot create file", sPath, GetLastError());
    }
}

ReplacingFile::~ReplacingFile() {
    if (temporary->handle != INVALID_HANDLE_VALUE) {
        CloseHandle(temporary->handle);
        DeleteFileW(files::PathFromUtf8(temporary->sPath).c_str());
    }
}

void ReplacingFile::Write(std::string_view bytes) {
    while (outcome && !bytes.empty()) {
        DWORD written = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(temporary->handle, bytes.data(), wanted, &written, nullptr) ||
            written == 0) {
            outcome = Failure("Cannot write file", sPath, GetLastError());
            return;
        }
        bytes.remove_prefix(written);
    }
}

WriteOutcome ReplacingFile::Finish() {
    if (!outcome) {
        return outcome;
    }
    const HANDLE handle = temporary->handle;
    temporary->handle = INVALID_HANDLE_VALUE;
    const bool flushed = FlushFileBuffers(handle);
    const DWORD flushError = GetLastError();
    CloseHandle(handle);
    // A read-only earlier page refuses the move and stays as it was.
    if (!flushed) {
        outcome = Failure("Cannot write file", sPath, flushError);
    } else if (!MoveFileExW(files::PathFromUtf8(temporary->sPath).c_str(),
                            files::PathFromUtf8(temporary->sFinalPath).c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        outcome = Failure("Cannot write file", sPath, GetLastError());
    } else {
        return outcome;
    }
    DeleteFileW(files::PathFromUtf8(temporary->sPath).c_str());
    return outcome;
}

} // namespace records
