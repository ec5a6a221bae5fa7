// The temporary file beside a final name on Windows: CREATE_NEW, so that no other file is
// reused.
#include "records/TemporaryBeside.h"

#include "files/Utf8Path.h"

namespace records {

HANDLE CreateTemporaryBeside(const std::string& target, std::string& tempPath, DWORD access,
                             DWORD attributes) {
    static unsigned counter = 0;
    const std::size_t slash = target.find_last_of("\\/");
    const std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = target.substr(0, nameAt) + "." + target.substr(nameAt) + "." +
                   std::to_string(GetCurrentProcessId()) + "." + std::to_string(++counter) + ".tmp";
        const HANDLE file = CreateFileW(files::PathFromUtf8(tempPath).c_str(), access, 0, nullptr,
                                        CREATE_NEW, attributes, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace records
