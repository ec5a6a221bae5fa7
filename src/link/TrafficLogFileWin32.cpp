// The traffic log's file on Windows: write access with read sharing, so that others may read
// the log while it runs but a second copy of the program cannot take it.
#include "link/TrafficLogFile.h"

#include "files/Utf8Path.h"

#include <system_error>
#include <windows.h>

namespace detlink {
namespace {

HANDLE HandleOf(std::intptr_t value) {
    return reinterpret_cast<HANDLE>(value);
}

} // namespace

TrafficLogFile::~TrafficLogFile() {
    if (HandleOf(hLogFile) != INVALID_HANDLE_VALUE) {
        CloseHandle(HandleOf(hLogFile));
    }
}

TrafficLogFile::Take TrafficLogFile::TakeExisting(const std::string& fileName) {
    const std::filesystem::path name = files::PathFromUtf8(fileName);
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        sSystemError = std::system_category().message(static_cast<int>(error));
        switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return Take::Absent;
        case ERROR_SHARING_VIOLATION:
            return Take::InUse;
        default: {
            // A folder in the log's place cannot be opened as a file at all.
            const DWORD attributes = GetFileAttributesW(name.c_str());
            const bool folder = attributes != INVALID_FILE_ATTRIBUTES &&
                                (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            return folder ? Take::NotRegular : Take::CannotOpen;
        }
        }
    }
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return Take::NotRegular;
    }
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
        !SetEndOfFile(file)) {
        sSystemError = std::system_category().message(static_cast<int>(GetLastError()));
        CloseHandle(file);
        return Take::CannotEmpty;
    }
    hLogFile = reinterpret_cast<std::intptr_t>(file);
    return Take::Taken;
}

bool TrafficLogFile::AppendLine(const std::string& line) {
    const HANDLE file = HandleOf(hLogFile);
    LONG endHigh = 0;
    SetLastError(NO_ERROR);
    const DWORD endLow = SetFilePointer(file, 0, &endHigh, FILE_END);
    if (endLow == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) {
        sSystemError = std::system_category().message(static_cast<int>(GetLastError()));
        return false;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    if (ok && written == line.size()) {
        return true;
    }
    sSystemError =
        std::system_category().message(static_cast<int>(ok ? ERROR_DISK_FULL : GetLastError()));
    if (written > 0) {
        SetFilePointer(file, static_cast<LONG>(endLow), &endHigh, FILE_BEGIN);
        SetEndOfFile(file);
    }
    return false;
}

} // namespace detlink
