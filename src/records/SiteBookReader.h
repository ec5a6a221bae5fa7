// The site book read back from its bytes as they come, line by line, so that a book of any
// length is read without being held.
#pragma once

#include "records/Csv.h"

#include <optional>
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

// A book's lines one at a time, as they are asked for, so that two books can be read side by
// side.
class SiteBookReader {
public:
    // Reads the first line. `name` names the book's damaged lines ("<name>, line 7: ...") where it
    // is not the only book read; without one they are "Line 7: ...".
    explicit SiteBookReader(const CsvSource& source, std::string name = {});

    // False when the first line is not the site book's header; its separator is the book's, so
    // a book written under either notation reads.
    bool IsSiteBook() const { return reader.has_value(); }
    // The next line, none at the book's end; the lines on the way that cannot be read go to
    // `damaged`. A header again further on is skipped, as where two books were put together.
    std::optional<std::vector<std::string>> Next(SiteBookLines& damaged);

private:
    std::optional<CsvReader> reader;
    std::string sLinePrefix;
};

// The whole book to `lines`; false when it is not a site book.
bool ReadSiteBook(const CsvSource& source, SiteBookLines& lines);

} // namespace records
