// Reading a report's file on Windows: the reparse point itself is opened, never its target, by
// the long form of its path.
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

struct ReportFileReader::Handle {
    HANDLE file = INVALID_HANDLE_VALUE;
};

ReportFileReader::ReportFileReader(const FolderHandle& folder, const std::filesystem::path& name)
    : handle(std::make_unique<Handle>()) {
    if (!folder.bOpen()) {
        opened.bAbsent = folder.bMissing();
        opened.sProblem = folder.bMissing() ? "" : folder.Problem();
        return;
    }
    const HANDLE file = CreateFileW(folder.SystemPath(name).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        opened.bAbsent = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        if (!opened.bAbsent) {
            opened.sProblem = LastErrorText();
        }
        return;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file, &information)) {
        opened.sProblem = LastErrorText();
    } else if ((information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        opened.sProblem = kLinkNotFollowed;
    } else if (GetFileType(file) != FILE_TYPE_DISK ||
               (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        opened.sProblem = kNotRegularFile;
    }
    if (!opened.sProblem.empty()) {
        CloseHandle(file);
        return;
    }
    opened.iSize =
        static_cast<std::uint64_t>(information.nFileSizeHigh) << 32 | information.nFileSizeLow;
    handle->file = file;
}

ReportFileReader::~ReportFileReader() {
    if (handle->file != INVALID_HANDLE_VALUE) {
        CloseHandle(handle->file);
    }
}

bool ReportFileReader::ReadMore(std::string& bytes, std::size_t most) {
    if (handle->file == INVALID_HANDLE_VALUE || !opened.sProblem.empty()) {
        return false;
    }
    const std::size_t filled = bytes.size();
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(most, 1u << 30));
    bytes.resize(filled + wanted);
    DWORD n = 0;
    if (!ReadFile(handle->file, bytes.data() + filled, wanted, &n, nullptr)) {
        opened.sProblem = LastErrorText();
        n = 0;
    }
    bytes.resize(filled + n);
    return n > 0;
}

} // namespace records
