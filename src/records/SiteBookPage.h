// `mirelund --site-book [FOLDER]`: the site book handed over as one page, "Site book.html"
// beside "Site book.csv": a section for each detector with its settings as last confirmed, the
// history of its events and its walk tests, and at the top what the site's owner must ask
// about.
#pragma once

#include "records/SiteBook.h"
#include "records/WalkTestReport.h"

#include <functional>
#include <string>
#include <vector>

namespace records {

// The book read back: its lines with the columns of the header, and the damaged ones.
struct SiteBookRead {
    bool bIsSiteBook = false;
    std::vector<std::vector<std::string>> lines; // each in SiteBookColumns()'s order
    std::vector<std::string> damaged;            // "Line 7: ..." for each line skipped
};

// The separator is taken from the header, so a book written under either notation reads.
SiteBookRead ReadSiteBookText(const std::string& text);

// What the page links a walk test to: its report page when one exists, else its folder; empty
// for no link, when the walk test's folder is shown as text.
using LinkTarget = std::function<std::string(const std::string& walkTestFolder)>;

std::string SiteBookHtml(const SiteBookRead& book, const LinkTarget& link);

// Writes FOLDER/"Site book.html"; the exit codes of the walk-test report.
ReportOutcome WriteSiteBookPage(const std::string& folder);

} // namespace records
