// The site book's append on Windows: one write at the end under a lock that copies of the
// program take in turn, so that the header is written once and a cut write is taken back
// without touching another copy's line.
#include "records/SiteBook.h"

#include "files/Utf8Path.h"

#include <windows.h>

namespace records {

namespace {

// An append holds the lock for one write: a lock held for a tenth of a second is not another
// copy's append, and the caller is not kept waiting for it.
// Sleep rounds up to the system timer's tick (some 16 ms): fewer, longer pauses.
constexpr int kLockTries = 10;
constexpr DWORD kLockPauseMilliseconds = 10;

// One byte far beyond any book's end: Windows' locks bar reading and writing the bytes they
// cover, and these bytes are never written.
OVERLAPPED LockPlace() {
    OVERLAPPED place{};
    place.OffsetHigh = 0x7FFFFFFF;
    return place;
}

bool TakeLock(HANDLE file) {
    for (int i = 0; i < kLockTries; ++i) {
        OVERLAPPED place = LockPlace();
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &place))
            return true;
        if (GetLastError() != ERROR_LOCK_VIOLATION)
            return false;
        Sleep(kLockPauseMilliseconds);
    }
    return false;
}

WriteOutcome Failure(const std::string& path, DWORD error) {
    return WriteOutcome::Failed(SystemErrorText("Cannot write", path, static_cast<int>(error)));
}

// Under the lock the file's end found here stays where this write begins.
WriteOutcome WriteAtEnd(HANDLE file, const std::string& path, const std::string& header,
                        const std::string& line) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size))
        return Failure(path, GetLastError());
    const std::string text = size.QuadPart == 0 ? header + line : line;
    OVERLAPPED end{};
    end.Offset = size.LowPart;
    end.OffsetHigh = static_cast<DWORD>(size.HighPart);
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, &end);
    const DWORD error = GetLastError();
    if (ok && written == text.size())
        return {};
    if (written > 0) {
        FILE_END_OF_FILE_INFO former{};
        former.EndOfFile = size;
        SetFileInformationByHandle(file, FileEndOfFileInfo, &former, sizeof former);
    }
    return Failure(path, ok ? ERROR_DISK_FULL : error);
}

} // namespace

WriteOutcome AppendWholeLine(const std::string& path, const std::string& header,
                             const std::string& line) {
    // Write access, not append-only access: taking a cut write back needs it.
    const HANDLE file = CreateFileW(
        files::PathFromUtf8(path).c_str(), GENERIC_WRITE | FILE_READ_ATTRIBUTES,
        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Failure(path, GetLastError());
    WriteOutcome outcome;
    if (GetFileType(file) != FILE_TYPE_DISK) {
        outcome = WriteOutcome::Failed("Cannot write \"" + path + "\": not a regular file");
    } else if (!TakeLock(file)) {
        outcome =
            WriteOutcome::Failed("Cannot write \"" + path + "\": another program holds it locked");
    } else {
        outcome = WriteAtEnd(file, path, header, line);
        OVERLAPPED place = LockPlace();
        UnlockFileEx(file, 0, 1, 0, &place);
    }
    CloseHandle(file);
    return outcome;
}

} // namespace records
