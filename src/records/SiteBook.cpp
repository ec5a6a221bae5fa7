// The site book's columns and lines, and its appender that reports a run of refusals once.
#include "records/SiteBook.h"

#include "records/CappedFileRead.h"

#include <algorithm>
#include <utility>

namespace records {

const std::vector<std::string>& SiteBookColumns() {
    static const std::vector<std::string> columns = {"Date and time",
                                                     "Event",
                                                     "Port",
                                                     "Model",
                                                     "Version",
                                                     "Unit ID",
                                                     "Position",
                                                     "Address",
                                                     "Output type",
                                                     "Zone length",
                                                     "Setup method",
                                                     "Sensitivity",
                                                     "PL",
                                                     "LL",
                                                     "HL",
                                                     "Vmin",
                                                     "Vmax",
                                                     "Supply",
                                                     "Walk test folder",
                                                     "Alarms",
                                                     "Pre Alarms PL",
                                                     "Pre Alarms LL",
                                                     "Settings Changes",
                                                     "Calibrations",
                                                     "Pauses",
                                                     "Disconnections",
                                                     "Malfunctions"};
    return columns;
}

char SiteBookSeparator(char decimal) {
    return decimal == ',' ? ';' : ',';
}

namespace {

constexpr std::size_t kCountColumns = 8;
// Enough of the book's start for its header, quoted by a spreadsheet and after a byte-order mark.
constexpr std::size_t kHeaderBytes = 4096;

// A number written with one decimal sign, given the other; any other text is left as it is.
void InNotation(std::string& text, char from, char to) {
    const bool number = !text.empty() && std::all_of(text.begin(), text.end(), [&](char c) {
        return (c >= '0' && c <= '9') || c == '-' || c == from;
    });
    if (number)
        std::replace(text.begin(), text.end(), from, to);
}

} // namespace

std::string SiteBookLine(const SiteBookEntry& e, char separator) {
    std::vector<std::string> fields = {e.sDateTime,
                                       e.sEvent,
                                       e.sPort,
                                       e.sModel,
                                       e.sVersion,
                                       e.sUnitId,
                                       e.sPosition,
                                       e.sAddress,
                                       e.sOutputType,
                                       e.sZoneLength,
                                       e.sSetupMethod,
                                       e.sSensitivity,
                                       e.sPL,
                                       e.sLL,
                                       e.sHL,
                                       e.sVmin,
                                       e.sVmax,
                                       e.sSupply,
                                       e.sWalkTestFolder};
    for (std::size_t i = 0; i < kCountColumns; ++i)
        fields.push_back(i < e.walkTestCounts.size() ? e.walkTestCounts[i] : std::string());
    return CsvRecord(fields, separator);
}

SiteBook::SiteBook(std::string path, char decimal)
    : sPath(std::move(path))
    , cDecimal(decimal)
    , cSeparator(SiteBookSeparator(decimal)) {}

std::optional<char> SiteBook::BookSeparator() const {
    const std::string header = SiteBookColumns().front();
    const CappedFile book = ReadCappedFile(sPath, kHeaderBytes);
    std::size_t at = book.sBytes.find(header);
    if (at == std::string::npos)
        return std::nullopt;
    at += header.size();
    // A spreadsheet that saved the book may have quoted the header's names.
    if (at < book.sBytes.size() && book.sBytes[at] == '"')
        ++at;
    if (at < book.sBytes.size() && (book.sBytes[at] == ',' || book.sBytes[at] == ';'))
        return book.sBytes[at];
    return std::nullopt;
}

std::string SiteBook::Append(const SiteBookEntry& entry) {
    const char separator = BookSeparator().value_or(cSeparator);
    SiteBookEntry line = entry;
    if (separator != cSeparator) {
        const char bookDecimal = separator == ';' ? ',' : '.';
        for (std::string* number : {&line.sZoneLength, &line.sSensitivity, &line.sPL, &line.sLL,
                                    &line.sHL, &line.sVmin, &line.sVmax, &line.sSupply})
            InNotation(*number, cDecimal, bookDecimal);
    }
    const WriteOutcome outcome = AppendWholeLine(sPath, CsvRecord(SiteBookColumns(), separator),
                                                 SiteBookLine(line, separator));
    if (outcome) {
        bFailureShown = false;
        return {};
    }
    if (std::exchange(bFailureShown, true))
        return {};
    return outcome.sError;
}

} // namespace records
