// Comma-separated values as RFC 4180 writes them and spreadsheets read them back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace records {

// One record: a field holding the separator, a quote, CR or LF is quoted, its quotes doubled;
// CR LF at the end.
std::string CsvRecord(const std::vector<std::string>& fields, char separator);

struct CsvRow {
    std::uint64_t iLine = 0; // the line the record starts on, from 1
    std::vector<std::string> fields;
    // Why the record cannot be read ("a quote is not closed"); empty when it was read.
    std::string sProblem;
};

// The records of the text; a record ends at CR LF, LF or CR outside quotes. Empty lines are
// no records. A damaged record becomes a row with its problem and reading goes on at the next
// line, so one bad line never takes the rest of the file with it.
std::vector<CsvRow> ReadCsvRows(std::string_view text, char separator);

// Appends the next bytes of a text to `bytes`; false when there are none left.
using CsvSource = std::function<bool(std::string& bytes)>;

// No record is longer: a line that would be, such as a quote opened and never closed in a large
// file, is damaged with this problem and costs only itself, so that no file is held whole.
inline constexpr std::size_t kMaxCsvRecordBytes = std::size_t{1} << 20;
inline constexpr const char* kCsvRecordTooLong = "longer than 1 MiB";

// The records of a text that comes in pieces, as ReadCsvRows reads them from the whole text,
// holding only the record being read.
class CsvReader {
public:
    // `start` holds bytes already taken from the source.
    CsvReader(CsvSource source, char separator, std::string start = {});

    // The next record; none at the text's end.
    std::optional<CsvRow> Next();

private:
    // Reads on until the bytes from `at` hold a whole record, so that reading it never meets
    // the end of what has come so far; false when no record ends within kMaxCsvRecordBytes.
    bool HoldRecord();
    // Past the first line of a record too long to read, as far as the source must go.
    CsvRow SkipLongRecord();
    // Appends from the source; false, and from then on, once it has no more.
    bool More();

    CsvSource source;
    char separator;
    std::string buffer;
    std::size_t at = 0; // where the next record starts in the buffer
    std::uint64_t line = 1;
    bool bEnded = false;
};

} // namespace records
