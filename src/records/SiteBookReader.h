// The site book read back from its bytes as they come, line by line, so that a book of any
// length is read without being held.
#pragma once

#include "records/Csv.h"

#include <string>
#include <vector>

namespace records {

// Where the book's lines go as they are read.
class SiteBookLines {
public:
    virtual ~SiteBookLines() = default;
    // A line in SiteBookColumns()'s order, each field made fit for a page declared UTF-8: what
    // is not UTF-8, and control characters, are U+FFFD.
    virtual void Line(std::vector<std::string> fields) = 0;
    // "Line 7: ..." for a line that could not be read and is skipped.
    virtual void Damaged(std::string text) = 0;
};

// False when the first line is not the site book's header; its separator is the book's, so a
// book written under either notation reads. A header again further on is skipped, as where two
// books were put together.
bool ReadSiteBook(const CsvSource& source, SiteBookLines& lines);

} // namespace records
