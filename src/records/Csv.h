// Comma-separated values as RFC 4180 writes them and spreadsheets read them back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace records {

// One record: a field holding the separator, a quote, CR or LF is quoted, its quotes doubled;
// CR LF at the end.
std::string CsvRecord(const std::vector<std::string>& fields, char separator);

struct CsvRow {
    int iLine = 0; // the line the record starts on, from 1
    std::vector<std::string> fields;
    // Why the record cannot be read ("a quote is not closed"); empty when it was read.
    std::string sProblem;
};

// The records of the text; a record ends at CR LF, LF or CR outside quotes. Empty lines are
// no records. A damaged record becomes a row with its problem and reading goes on at the next
// line, so one bad line never takes the rest of the file with it.
std::vector<CsvRow> ReadCsvRows(std::string_view text, char separator);

} // namespace records
