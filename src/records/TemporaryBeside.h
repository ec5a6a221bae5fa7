// A fresh temporary file in a final name's folder, for the writers that rename it over that
// name once it is complete: the rename then stays on one file system (one volume), and the
// leading dot keeps it out of ordinary listings should the process die.
#pragma once

#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace records {

#ifdef _WIN32
// INVALID_HANDLE_VALUE, with GetLastError() set, when no file could be made. `access` and
// `attributes` as CreateFileW takes them.
HANDLE CreateTemporaryBeside(const std::string& target, std::string& tempPath,
                             DWORD access = GENERIC_WRITE,
                             DWORD attributes = FILE_ATTRIBUTE_NORMAL);
#else
// -1, with errno set, when no file could be made.
int CreateTemporaryBeside(const std::filesystem::path& target, std::string& tempPath);
// The same with `target` taken from the open folder `folder`, as the *at() calls take it.
int CreateTemporaryBeside(int folder, const std::filesystem::path& target, std::string& tempPath);
// Flushes the folder of `target`, so that a rename into it survives a crash.
void SyncFolderOf(const std::filesystem::path& target);
void SyncFolderOf(int folder, const std::filesystem::path& target);
#endif

} // namespace records
