// RFC 4180 fields: quoted only when they must be, and read back quote by quote.
#include "records/Csv.h"

#include <utility>

namespace records {

namespace {

std::string CsvField(const std::string& text, char separator) {
    if (text.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Reads records one at a time, counting lines as it passes their ends.
class CsvScanner {
public:
    CsvScanner(std::string_view text, char separator, std::uint64_t firstLine = 1)
        : text(text)
        , separator(separator)
        , line(firstLine) {}

    bool AtEnd() const { return at == text.size(); }
    CsvRow Next();
    // Where the next record starts, and its line.
    std::size_t Position() const { return at; }
    std::uint64_t Line() const { return line; }

private:
    // Past one line end at `at`; CR LF counts as one.
    void PassLineEnd() {
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
            ++at;
        ++at;
        ++line;
    }
    void SkipToNextLine() {
        while (!AtEnd() && !IsLineEnd(text[at]))
            ++at;
        if (!AtEnd())
            PassLineEnd();
    }
    // A quoted field from its opening quote; false when no closing quote follows.
    bool ReadQuoted(std::string& field);
    // Back to where the record started, to go on after its first line.
    CsvRow Damaged(std::size_t start, std::uint64_t startLine, std::string problem);

    std::string_view text;
    char separator;
    std::size_t at = 0;
    std::uint64_t line;
};

bool CsvScanner::ReadQuoted(std::string& field) {
    ++at;
    while (!AtEnd()) {
        const char c = text[at];
        if (c == '"') {
            if (at + 1 < text.size() && text[at + 1] == '"') {
                field += '"';
                at += 2;
                continue;
            }
            ++at;
            return true;
        }
        if (IsLineEnd(c)) {
            const std::size_t from = at;
            PassLineEnd();
            field.append(text.substr(from, at - from));
            continue;
        }
        field += c;
        ++at;
    }
    return false;
}

CsvRow CsvScanner::Damaged(std::size_t start, std::uint64_t startLine, std::string problem) {
    at = start;
    line = startLine;
    SkipToNextLine();
    return {startLine, {}, std::move(problem)};
}

CsvRow CsvScanner::Next() {
    CsvRow row;
    row.iLine = line;
    const std::size_t start = at;
    while (true) {
        std::string field;
        if (!AtEnd() && text[at] == '"') {
            if (!ReadQuoted(field))
                return Damaged(start, row.iLine, "a quote is not closed");
            if (!AtEnd() && text[at] != separator && !IsLineEnd(text[at]))
                return Damaged(start, row.iLine, "text follows a closing quote");
        } else {
            while (!AtEnd() && text[at] != separator && !IsLineEnd(text[at])) {
                if (text[at] == '"')
                    return Damaged(start, row.iLine, "a quote inside a field that is not quoted");
                field += text[at++];
            }
        }
        row.fields.push_back(std::move(field));
        if (AtEnd())
            return row;
        if (IsLineEnd(text[at])) {
            PassLineEnd();
            return row;
        }
        ++at;
    }
}

bool IsEmptyLine(const CsvRow& row) {
    return row.sProblem.empty() && row.fields.size() == 1 && row.fields.front().empty();
}

} // namespace

std::string CsvRecord(const std::vector<std::string>& fields, char separator) {
    std::string record;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            record += separator;
        record += CsvField(fields[i], separator);
    }
    return record + "\r\n";
}

std::vector<CsvRow> ReadCsvRows(std::string_view text, char separator) {
    std::vector<CsvRow> rows;
    CsvScanner scanner(text, separator);
    while (!scanner.AtEnd()) {
        CsvRow row = scanner.Next();
        if (!IsEmptyLine(row))
            rows.push_back(std::move(row));
    }
    return rows;
}

CsvReader::CsvReader(CsvSource source, char separator, std::string start)
    : source(std::move(source))
    , separator(separator)
    , buffer(std::move(start)) {}

std::optional<CsvRow> CsvReader::Next() {
    while (true) {
        if (at == buffer.size()) {
            buffer.clear();
            at = 0;
            More();
            if (buffer.empty())
                return std::nullopt;
        }
        if (!HoldRecord())
            return SkipLongRecord();
        CsvScanner scanner(std::string_view(buffer).substr(at), separator, line);
        CsvRow row = scanner.Next();
        at += scanner.Position();
        line = scanner.Line();
        if (!IsEmptyLine(row))
            return row;
    }
}

// A record ends at the first line end outside quotes, counting every quote as opening or
// closing: the scanner reads no further, whether the record is sound or damaged, but for the
// byte after the line end that tells CR LF from CR.
bool CsvReader::HoldRecord() {
    bool quoted = false;
    std::size_t end = at;
    while (true) {
        for (; end < buffer.size(); ++end) {
            if (buffer[end] == '"')
                quoted = !quoted;
            else if (!quoted && IsLineEnd(buffer[end]))
                break;
        }
        if (end - at > kMaxCsvRecordBytes)
            return false;
        if (end + 1 < buffer.size() || bEnded)
            return true;
        buffer.erase(0, at);
        end -= at;
        at = 0;
        More();
    }
}

CsvRow CsvReader::SkipLongRecord() {
    CsvRow row{line, {}, kCsvRecordTooLong};
    ++line;
    while (true) {
        const std::size_t end = buffer.find_first_of("\r\n", at);
        if (end == std::string::npos) {
            buffer.clear();
            at = 0;
            More();
            if (buffer.empty())
                return row;
            continue;
        }
        if (end + 1 == buffer.size() && buffer[end] == '\r' && !bEnded) {
            buffer.erase(0, end);
            at = 0;
            More();
            continue;
        }
        at = end +
             (buffer[end] == '\r' && end + 1 < buffer.size() && buffer[end + 1] == '\n' ? 2 : 1);
        return row;
    }
}

bool CsvReader::More() {
    const std::size_t before = buffer.size();
    if (bEnded || !source(buffer) || buffer.size() == before)
        bEnded = true;
    return !bEnded;
}

} // namespace records
