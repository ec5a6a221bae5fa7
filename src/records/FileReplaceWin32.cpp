// Temporary file, flush, MoveFileEx: the Windows way to replace a file in one step.
#include "records/FileReplace.h"

#include <string>
#include <windows.h>

namespace records {
namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A fresh temporary file beside the target, so that the move stays on one volume.
HANDLE CreateTemporary(const std::string& target, std::string& tempPath) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = FolderOf(target) + "." + NameOf(target) + "." +
                   std::to_string(GetCurrentProcessId()) + "." + std::to_string(++counter) + ".tmp";
        const HANDLE file = CreateFileA(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

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
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return WriteOutcome::Failed("Cannot write file \"" + path + "\": it is not a regular file");
    }
    std::string tempPath;
    const HANDLE file = CreateTemporary(path, tempPath);
    if (file == INVALID_HANDLE_VALUE) {
        return Failure("Cannot create file", path);
    }
    const bool written = WriteAll(file, bytes) && FlushFileBuffers(file);
    const DWORD writeError = GetLastError();
    CloseHandle(file);
    if (!written) {
        DeleteFileA(tempPath.c_str());
        SetLastError(writeError);
        return Failure("Cannot write file", path);
    }
    // A read-only settings file refuses the move and stays as it was.
    if (!MoveFileExA(tempPath.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD moveError = GetLastError();
        DeleteFileA(tempPath.c_str());
        SetLastError(moveError);
        return Failure("Cannot write file", path);
    }
    return {};
}

} // namespace records
