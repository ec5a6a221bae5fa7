// A file beside a final name for what a writer must put aside until it can write it in its place
// (a page's sections, which follow a head that is known only at the end): written through, read
// back once from its start, and gone when it is closed, however the process ends, so that no
// size of what is put aside is held in memory.
#pragma once

#include "records/FolderHandle.h"
#include "records/WriteOutcome.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace records {

class ScratchFile {
public:
    // Creates the file in the folder beside `name`, under a name of its own that never shows in
    // a listing for long; a failure shows in Outcome().
    ScratchFile(const FolderHandle& folder, const std::filesystem::path& name);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Appends the bytes; after a failure nothing more is written.
    void Write(std::string_view bytes);
    // Once all is written: appends up to `most` of the bytes written, from the first on; false
    // at their end and on a failure.
    bool ReadMore(std::string& bytes, std::size_t most);
    // The first failure so far, naming the final name's path; written when there was none.
    const WriteOutcome& Outcome() const { return outcome; }

private:
    struct Handles; // the platform's open file
    std::string sPath;
    std::unique_ptr<Handles> handles;
    WriteOutcome outcome;
};

} // namespace records
