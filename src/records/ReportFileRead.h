// Reading a recording folder's files for its report, and the site book for its page, the
// platform's part: the folder's own entry, never what a link names, and never a wait on a FIFO
// or a device.
#pragma once

#include "records/FolderHandle.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace records {

struct ReportFile {
    std::string sBytes;      // the file's first bytes, at most the limit asked for; none when
                             // it cannot be read
    std::uint64_t iSize = 0; // the whole file's size when it was opened
    bool bAbsent = false;    // no entry of that name
    // Why the entry cannot be read: the system's reason, or what kind of entry it is; empty
    // when it was read.
    std::string sProblem;
};

ReportFile ReadReportFile(const FolderHandle& folder, const std::filesystem::path& name,
                          std::size_t limit);

// A file of the folder opened as ReadReportFile opens it, then read piece by piece, so that a
// file of any size is read without holding it.
class ReportFileReader {
public:
    ReportFileReader(const FolderHandle& folder, const std::filesystem::path& name);
    ~ReportFileReader();
    ReportFileReader(const ReportFileReader&) = delete;
    ReportFileReader& operator=(const ReportFileReader&) = delete;

    // What the opening found: absent, why it cannot be read, the size; no bytes. Reading
    // failures are added to its sProblem.
    const ReportFile& Opened() const { return opened; }
    // Appends up to `most` bytes; false at the file's end, on a failure and when it was not
    // opened.
    bool ReadMore(std::string& bytes, std::size_t most);

private:
    struct Handle; // the platform's open file
    std::unique_ptr<Handle> handle;
    ReportFile opened;
};

// The reasons of ReadReportFile that are not the system's.
inline constexpr const char* kLinkNotFollowed = "it is a symbolic link, which is not followed";
inline constexpr const char* kNotRegularFile = "it is not a regular file";

} // namespace records
