// `mirelund --site-book [FOLDER]`: the site book handed over as one page, "Site book.html"
// beside "Site book.csv": a section for each detector with its settings as last confirmed, the
// history of its events and its walk tests, and at the top what the site's owner must ask
// about. The lines the window set aside in "Site book (waiting).csv" are part of it. The books
// are read as streams, so a book of any length makes its page.
#pragma once

#include "records/SiteBook.h"
#include "records/SiteBookSectionHtml.h"
#include "records/WalkTestReport.h"

#include <string>
#include <vector>

namespace records {

// A book's text read back whole: its lines with the columns of the header, and the damaged
// ones.
struct SiteBookRead {
    bool bIsSiteBook = false;
    std::vector<std::vector<std::string>> lines; // each in SiteBookColumns()'s order
    std::vector<std::string> damaged;            // "Line 7: ..." for each line skipped
};

// The separator is taken from the header, so a book written under either notation reads.
SiteBookRead ReadSiteBookText(const std::string& text);

// The page of a book read whole, as WriteSiteBookPage makes it from the file.
std::string SiteBookHtml(const SiteBookRead& book, const LinkTarget& link);

// Writes FOLDER/"Site book.html" from the book, the waiting lines or both; the exit codes of the
// walk-test report.
ReportOutcome WriteSiteBookPage(const std::string& folder);

} // namespace records
