// Reading a report's file on Windows: the reparse point itself is opened, never its target.
#include "records/ReportFileRead.h"

#include <algorithm>
#include <system_error>
#include <windows.h>

namespace records {

namespace {

std::string LastErrorText() {
    return std::system_category().message(static_cast<int>(GetLastError()));
}

} // namespace

ReportFile ReadReportFile(const std::filesystem::path& path, std::size_t limit) {
    ReportFile file;
    const HANDLE handle =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        file.bAbsent = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        if (!file.bAbsent) {
            file.sProblem = LastErrorText();
        }
        return file;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(handle, &information)) {
        file.sProblem = LastErrorText();
    } else if ((information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        file.sProblem = kLinkNotFollowed;
    } else if (GetFileType(handle) != FILE_TYPE_DISK ||
               (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        file.sProblem = kNotRegularFile;
    }
    if (!file.sProblem.empty()) {
        CloseHandle(handle);
        return file;
    }
    file.iSize =
        static_cast<std::uint64_t>(information.nFileSizeHigh) << 32 | information.nFileSizeLow;
    file.sBytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(file.iSize, limit)));
    std::size_t filled = 0;
    while (filled < file.sBytes.size()) {
        DWORD n = 0;
        const DWORD wanted =
            static_cast<DWORD>(std::min<std::size_t>(file.sBytes.size() - filled, 1u << 30));
        if (!ReadFile(handle, file.sBytes.data() + filled, wanted, &n, nullptr)) {
            file.sProblem = LastErrorText();
            break;
        }
        if (n == 0) {
            break;
        }
        filled += n;
    }
    CloseHandle(handle);
    file.sBytes.resize(file.sProblem.empty() ? filled : 0);
    return file;
}

} // namespace records
