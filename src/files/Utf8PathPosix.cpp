// On POSIX a path is its bytes; the tool takes them as UTF-8, as the desktop does.
#include "files/Utf8Path.h"

namespace files {

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::string(utf8));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    return path.native();
}

} // namespace files
