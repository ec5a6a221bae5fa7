// The system's own words for the file failures the records tests provoke, which differ by
// platform: a write into a folder that does not exist, and one through a plain file.
#pragma once

#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

namespace records_test {

#ifdef _WIN32
inline std::string MissingFolderReason() {
    return std::system_category().message(ERROR_PATH_NOT_FOUND);
}
inline std::string FileInPathReason() {
    return std::system_category().message(ERROR_PATH_NOT_FOUND);
}
#else
inline std::string MissingFolderReason() {
    return std::system_category().message(ENOENT);
}
inline std::string FileInPathReason() {
    return std::system_category().message(ENOTDIR);
}
#endif

} // namespace records_test
