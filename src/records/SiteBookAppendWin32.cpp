// The site book's append on Windows: FILE_APPEND_DATA alone, so that each write lands whole at
// the end even with another copy of the program appending.
#include "records/SiteBook.h"

#include <windows.h>

namespace records {

WriteOutcome AppendWholeLine(const std::string& path, const std::string& header,
                             const std::string& line) {
    const HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return WriteOutcome::Failed(
            SystemErrorText("Cannot write", path, static_cast<int>(GetLastError())));
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return WriteOutcome::Failed("Cannot write \"" + path + "\": not a regular file");
    }
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    const std::string text = size.QuadPart == 0 ? header + line : line;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    const DWORD error = GetLastError();
    if (ok && written == text.size()) {
        CloseHandle(file);
        return {};
    }
    // Taken back only while the cut piece is still the file's end.
    if (written > 0 && GetFileSizeEx(file, &size) && size.QuadPart >= written) {
        FILE_END_OF_FILE_INFO end{};
        end.EndOfFile.QuadPart = size.QuadPart - written;
        SetFileInformationByHandle(file, FileEndOfFileInfo, &end, sizeof end);
    }
    CloseHandle(file);
    return WriteOutcome::Failed(
        SystemErrorText("Cannot write", path, static_cast<int>(ok ? ERROR_DISK_FULL : error)));
}

} // namespace records
