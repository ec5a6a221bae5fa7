// Reading a plain file up to a size limit, the platform's part of the settings file.
#pragma once

#include <cstddef>
#include <string>

namespace records {

struct CappedFile {
    // At most the limit plus one byte, so that the caller sees the file is larger.
    std::string sBytes;
    // A missing file, and anything that is not a plain file (a folder, a FIFO, a device),
    // which reads as missing.
    bool bAbsent = false;
    // The system's error code of a failed open or read (for SystemErrorText); 0 when none.
    int iError = 0;
};

CappedFile ReadCappedFile(const std::string& path, std::size_t limit);

} // namespace records
