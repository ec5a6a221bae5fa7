// Temporary file, flush, MoveFileEx: the Windows way to replace a file in one step.
#include "records/FileReplace.h"

#include "files/Utf8Path.h"
#include "records/TemporaryBeside.h"

#include <string>
#include <windows.h>

namespace records {
namespace {

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

WriteOutcome Failure(const std::string& what, const std::string& path) {
    return WriteOutcome::Failed(SystemErrorText(what, path, static_cast<int>(GetLastError())));
}

} // namespace

WriteOutcome ReplaceFileContents(const std::string& path, std::string_view bytes) {
    const DWORD attributes = GetFileAttributesW(files::PathFromUtf8(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return WriteOutcome::Failed("Cannot write file \"" + path + "\": it is not a regular file");
    }
    std::string tempPath;
    const HANDLE file = CreateTemporaryBeside(path, tempPath);
    if (file == INVALID_HANDLE_VALUE) {
        return Failure("Cannot create file", path);
    }
    const bool written = WriteAll(file, bytes) && FlushFileBuffers(file);
    const DWORD writeError = GetLastError();
    CloseHandle(file);
    if (!written) {
        DeleteFileW(files::PathFromUtf8(tempPath).c_str());
        SetLastError(writeError);
        return Failure("Cannot write file", path);
    }
    // A read-only settings file refuses the move and stays as it was.
    if (!MoveFileExW(files::PathFromUtf8(tempPath).c_str(), files::PathFromUtf8(path).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD moveError = GetLastError();
        DeleteFileW(files::PathFromUtf8(tempPath).c_str());
        SetLastError(moveError);
        return Failure("Cannot write file", path);
    }
    return {};
}

} // namespace records
