// Reading the settings file on Windows: shared for reading and writing, as the profile
// functions open it, so that another program holding the file open does not hide it.
#include "records/CappedFileRead.h"

#include "files/Utf8Path.h"

#include <windows.h>

namespace records {

CappedFile ReadCappedFile(const std::string& path, std::size_t limit) {
    CappedFile result;
    const std::filesystem::path name = files::PathFromUtf8(path);
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(name.c_str());
        const bool folder =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        result.bAbsent = folder || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        result.iError = result.bAbsent ? 0 : static_cast<int>(error);
        return result;
    }
    // A device name (CON, NUL, COM1) opens like a file: only a disk file is read.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        result.bAbsent = true;
        return result;
    }
    result.sBytes.resize(limit + 1);
    std::size_t filled = 0;
    while (filled < result.sBytes.size()) {
        DWORD n = 0;
        if (!ReadFile(file, result.sBytes.data() + filled,
                      static_cast<DWORD>(result.sBytes.size() - filled), &n, nullptr)) {
            result.iError = static_cast<int>(GetLastError());
            break;
        }
        if (n == 0) {
            break;
        }
        filled += n;
    }
    CloseHandle(file);
    result.sBytes.resize(filled);
    return result;
}

} // namespace records
