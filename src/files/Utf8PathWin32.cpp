// UTF-8 to and from Windows' UTF-16 paths through the system's own conversion, which replaces
// what cannot be converted instead of throwing, as the standard library's would.
#include "files/Utf8Path.h"

#include <climits>
#include <windows.h>

namespace files {

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    if (utf8.empty() || utf8.size() > INT_MAX) {
        return {};
    }
    const int bytes = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, wide.data(), length);
    return std::filesystem::path(std::move(wide));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty() || wide.size() > INT_MAX) {
        return {};
    }
    const int characters = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), characters, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), characters, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

} // namespace files
