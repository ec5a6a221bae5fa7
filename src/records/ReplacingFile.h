// A file written piece by piece under a temporary name beside its final one and renamed over it
// once complete, so that no one ever finds half of it. Unlike ReplaceFileContents, which the
// settings file writes through links, it never writes through a link: a link, or anything but a
// regular file, at the final name is refused and left as it is.
#pragma once

#include "records/FolderHandle.h"
#include "records/WriteOutcome.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace records {

class ReplacingFile {
public:
    // Checks the final name in the folder and creates the temporary file beside it; a failure
    // shows in Outcome().
    ReplacingFile(const FolderHandle& folder, const std::filesystem::path& name);
    // Removes the temporary file unless Finish put it in place.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Appends the bytes; after a failure nothing more is written.
    void Write(std::string_view bytes);
    // Flushes the file to the disk and renames it over the final name, once: the rename
    // replaces that entry itself, so a link made there meanwhile is replaced and its target
    // left untouched. On POSIX an existing file's permission bits are kept.
    WriteOutcome Finish();
    // The first failure so far; written when there was none.
    const WriteOutcome& Outcome() const { return outcome; }

private:
    struct Temporary;  // the platform's handles of the folder and the temporary file, its name
    std::string sPath; // the final name's whole path, for the operator
    std::unique_ptr<Temporary> temporary;
    WriteOutcome outcome;
};

} // namespace records
