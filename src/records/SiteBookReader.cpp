// The site book's lines from its bytes: the header's separator, the lines checked against the
// header, and their text made readable.
#include "records/SiteBookReader.h"

#include "records/SiteBook.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace records {

namespace {

// The separators a book is written with, one for each decimal notation.
constexpr std::array kSeparators = {',', ';'};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// The length of the UTF-8 sequence at the text's start, 0 when it is not one: overlong forms,
// surrogates and code points past U+10FFFF are not UTF-8 either.
std::size_t Utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the second byte's range
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

// What is not UTF-8, and control characters (a NUL among them, and the C1 controls HTML forbids
// as well), become U+FFFD; plain ASCII, as nearly every field is, stays as it is.
void MakeReadable(std::string& field) {
    if (std::all_of(field.begin(), field.end(), [](char c) { return c >= 0x20 && c < 0x7F; }))
        return;
    std::string_view text = field;
    std::string readable;
    readable.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = Utf8SequenceLength(text);
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
        const bool control = (length == 1 && (byte(0) < 0x20 || byte(0) == 0x7F)) ||
                             (length == 2 && byte(0) == 0xC2 && byte(1) <= 0x9F);
        if (length == 0 || control) {
            readable += kReplacement;
            text.remove_prefix(1);
        } else {
            readable += text.substr(0, length);
            text.remove_prefix(length);
        }
    }
    field = std::move(readable);
}

// The first line whole, or as much of it as a record may hold.
std::string FirstLine(const CsvSource& source) {
    std::string start;
    std::size_t before = 0;
    while (start.find_first_of("\r\n") == std::string::npos && start.size() <= kMaxCsvRecordBytes &&
           source(start) && start.size() > before)
        before = start.size();
    return start;
}

} // namespace

SiteBookReader::SiteBookReader(const CsvSource& source, std::string name)
    : sLinePrefix(name.empty() ? "Line " : name + ", line ") {
    std::string start = FirstLine(source);
    // A spreadsheet that saved the book may have put a byte order mark before it.
    if (start.starts_with(kByteOrderMark))
        start.erase(0, kByteOrderMark.size());
    const std::string_view headerLine =
        std::string_view(start).substr(0, start.find_first_of("\r\n"));
    const auto separator = std::find_if(kSeparators.begin(), kSeparators.end(), [&](char s) {
        const std::vector<CsvRow> header = ReadCsvRows(headerLine, s);
        return header.size() == 1 && header.front().fields == SiteBookColumns();
    });
    if (separator != kSeparators.end())
        reader.emplace(source, *separator, std::move(start));
}

std::optional<std::vector<std::string>> SiteBookReader::Next(SiteBookLines& damaged) {
    const std::vector<std::string>& columns = SiteBookColumns();
    while (std::optional<CsvRow> row = reader ? reader->Next() : std::nullopt) {
        const std::string line = sLinePrefix + std::to_string(row->iLine) + ": ";
        if (row->sProblem == kCsvRecordTooLong) {
            damaged.Damaged(line + row->sProblem);
        } else if (!row->sProblem.empty()) {
            damaged.Damaged(line + "broken quoting (" + row->sProblem + ")");
        } else if (row->fields.size() != columns.size()) {
            damaged.Damaged(line + std::to_string(row->fields.size()) + " fields instead of " +
                            std::to_string(columns.size()));
        } else if (row->fields != columns) {
            for (std::string& field : row->fields)
                MakeReadable(field);
            return std::move(row->fields);
        }
    }
    return std::nullopt;
}

bool ReadSiteBook(const CsvSource& source, SiteBookLines& lines) {
    SiteBookReader book(source);
    while (std::optional<std::vector<std::string>> line = book.Next(lines))
        lines.Line(std::move(*line));
    return book.IsSiteBook();
}

} // namespace records
