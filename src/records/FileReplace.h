// Whole-file writes that never leave a half-written file under the final name.
#pragma once

#include "records/WriteOutcome.h"

#include <string>
#include <string_view>

namespace records {

// Writes the bytes to a temporary file beside `path`, flushes it to the disk and renames it
// over `path`. On failure the temporary file is removed and `path` is left as it was.
// A symbolic link, or a chain of them, is written through: the file it names is replaced in
// its own folder and the link stays; a dangling link gets the file it names created.
// An existing file keeps its permission bits. Anything but a regular file under `path` (a FIFO,
// a folder, a device, a socket) is left alone and the write fails.
// On Windows the links and permission bits are the POSIX file's business: there the temporary
// file is moved over `path` (MoveFileEx), and a read-only file refuses the write.
WriteOutcome ReplaceFileContents(const std::string& path, std::string_view bytes);

} // namespace records
