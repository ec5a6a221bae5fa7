// Paths travel through the tool as UTF-8: what a person typed, the command line, the names the
// tool makes. The file system's own form differs: bytes on POSIX, UTF-16 on Windows, where a
// narrow path would go through the system's ANSI code page and could not name a folder in
// Cyrillic on a Western system. These two functions are the only crossing.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace files {

// A byte that is not UTF-8 becomes U+FFFD on Windows, so such a name opens nothing rather than
// another file; on POSIX the bytes are the name.
std::filesystem::path PathFromUtf8(std::string_view utf8);

std::string Utf8FromPath(const std::filesystem::path& path);

} // namespace files
