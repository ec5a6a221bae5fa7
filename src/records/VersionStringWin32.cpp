// The version on Windows: the FileVersion string of the executable's own version resource
// (US English, Windows-1252 block), "0.0" when it has none.
#include "records/Version.h"

#include <windows.h>

namespace records {

std::string GetVersionString() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH) {
        return "0.0";
    }
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &unused);
    if (size == 0) {
        return "0.0";
    }
    const HGLOBAL block = GlobalAlloc(GMEM_FIXED, size);
    if (block == nullptr) {
        return "0.0";
    }
    std::string version = "0.0";
    char* text = nullptr;
    UINT textLength = 0;
    if (GetFileVersionInfoA(path, 0, size, block) &&
        VerQueryValueA(block, "\\StringFileInfo\\040904E4\\FileVersion",
                       reinterpret_cast<void**>(&text), &textLength) &&
        text != nullptr) {
        version = text;
    }
    GlobalFree(block);
    return version;
}

} // namespace records
