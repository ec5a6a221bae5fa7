// Reading a recording folder's files for its report, the platform's part: the folder's own
// entry, never what a link names, and never a wait on a FIFO or a device.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
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

ReportFile ReadReportFile(const std::filesystem::path& path, std::size_t limit);

// The reasons of ReadReportFile that are not the system's.
inline constexpr const char* kLinkNotFollowed = "it is a symbolic link, which is not followed";
inline constexpr const char* kNotRegularFile = "it is not a regular file";

} // namespace records
