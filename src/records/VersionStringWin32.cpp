// The version on Windows: the FileVersion string of the executable's own version resource
// (US English, Windows-1252 block), "0.0" when it has none. The executable's path goes through
// the wide calls: a per-user install lives under the user's own name.
#include "records/Version.h"

#include <string>
#include <windows.h>

namespace records {

namespace {

// Room for the longest path Windows has.
constexpr DWORD kLongestPath = 32768;

} // namespace

std::string GetVersionString() {
    std::wstring path(kLongestPath, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), kLongestPath);
    if (length == 0 || length == kLongestPath) {
        return "0.0";
    }
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &unused);
    if (size == 0) {
        return "0.0";
    }
    const HGLOBAL block = GlobalAlloc(GMEM_FIXED, size);
    if (block == nullptr) {
        return "0.0";
    }
    std::string version = "0.0";
    wchar_t* text = nullptr;
    UINT textLength = 0;
    if (GetFileVersionInfoW(path.c_str(), 0, size, block) &&
        VerQueryValueW(block, L"\\StringFileInfo\\040904E4\\FileVersion",
                       reinterpret_cast<void**>(&text), &textLength) &&
        text != nullptr) {
        // A version is digits and dots; anything else in it is not shown as a version.
        version.clear();
        for (const wchar_t* c = text; *c != L'\0'; ++c) {
            version += *c < 0x80 ? static_cast<char>(*c) : '?';
        }
    }
    GlobalFree(block);
    return version;
}

} // namespace records
