// The folder on Windows: its absolute path in the "\\?\" form, which the wide calls take up to
// 32,767 characters where a plain path stops at MAX_PATH.
#include "records/FolderHandle.h"

#include <system_error>
#include <utility>
#include <windows.h>

namespace records {

namespace {

// "C:\a" becomes "\\?\C:\a" and "\\server\share\a" becomes "\\?\UNC\server\share\a". The
// system passes such a path on as it is: it must be absolute, with backslashes only and no "."
// or "..".
std::filesystem::path LongForm(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error).lexically_normal();
    if (!full.has_filename() && full.has_relative_path()) {
        full = full.parent_path();
    }
    std::wstring native = full.make_preferred().native();
    if (native.starts_with(L"\\\\?\\")) {
        return native;
    }
    if (native.starts_with(L"\\\\")) {
        return L"\\\\?\\UNC\\" + native.substr(2);
    }
    return L"\\\\?\\" + native;
}

} // namespace

FolderHandle::FolderHandle(const std::filesystem::path& path)
    : path(path)
    , systemPath(LongForm(path)) {
    const DWORD attributes = GetFileAttributesW(systemPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        Fail(static_cast<int>(GetLastError()));
    } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        Fail(ERROR_DIRECTORY);
    }
}

FolderHandle::~FolderHandle() = default;
FolderHandle::FolderHandle(FolderHandle&& other) noexcept = default;
FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept = default;

void FolderHandle::Fail(int error) {
    sProblem = std::system_category().message(error);
    bNotFound = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

FolderHandle FolderHandle::Sub(const std::filesystem::path& name) const {
    return FolderHandle(path / name);
}

std::filesystem::path FolderHandle::SystemPath(const std::filesystem::path& name) const {
    return systemPath / name;
}

bool FolderHandle::List(std::vector<std::filesystem::path>& names, std::string& problem) const {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(systemPath, error)) {
        names.push_back(entry.path().filename());
    }
    if (error) {
        problem = error.message();
        return false;
    }
    return true;
}

FolderHandle::Kind FolderHandle::KindOf(const std::filesystem::path& name) const {
    const DWORD attributes = GetFileAttributesW(SystemPath(name).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return Kind::Missing;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? Kind::Folder : Kind::File;
}

} // namespace records
