// `mirelund --report FOLDER`: the walk-test report of a recording folder, written beside it.
#pragma once

#include <string>

namespace records {

struct ReportOutcome {
    enum class Kind { Complete, Incomplete, NotWritten };
    Kind kind = Kind::NotWritten;
    std::string sPath;    // the page written; empty when none was
    std::string sMessage; // for the operator: where the page is, what is missing, or why not
};

// Reads the folder and writes "<folder name>.html" in the folder's parent; the folder's own
// files are only read. A folder with something missing still gets its page, which says what.
// Only a regular file is replaced by the page, never one a link names. Whatever stops the
// report, running out of memory included, ends as NotWritten with its reason.
ReportOutcome WriteWalkTestReport(const std::string& folder);

} // namespace records
