// The site book's columns and lines, and its appender that reports a run of refusals once.
#include "records/SiteBook.h"

#include "files/Utf8Path.h"
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

WriteOutcome SiteBook::Write(const std::string& path, const SiteBookEntry& entry) const {
    const char separator = BookSeparator().value_or(cSeparator);
    SiteBookEntry line = entry;
    if (separator != cSeparator) {
        const char bookDecimal = separator == ';' ? ',' : '.';
        for (std::string* number : {&line.sZoneLength, &line.sSensitivity, &line.sPL, &line.sLL,
                                    &line.sHL, &line.sVmin, &line.sVmax, &line.sSupply})
            InNotation(*number, cDecimal, bookDecimal);
    }
    return AppendWholeLine(path, CsvRecord(SiteBookColumns(), separator),
                           SiteBookLine(line, separator));
}

std::string SiteBook::Append(const SiteBookEntry& entry) {
    if (waiting.size() < kMaxWaitingLines)
        waiting.push_back(entry);
    else
        ++dropped;
    return WriteWaiting();
}

std::string SiteBook::WriteWaiting() {
    while (!waiting.empty()) {
        const WriteOutcome outcome = Write(sPath, waiting.front());
        if (!outcome)
            return Refused(outcome);
        waiting.pop_front();
    }
    sWaitReason.clear();
    bFailureShown = false;
    return {};
}

std::string SiteBook::Refused(const WriteOutcome& outcome) {
    sWaitReason = outcome.sError;
    if (std::exchange(bFailureShown, true))
        return {};
    return outcome.sError + "; the site book's lines wait and are written as soon as it can be";
}

std::string SiteBook::SetWaitingAside() {
    WriteWaiting();
    std::string lost;
    if (dropped > 0)
        lost = std::to_string(dropped) + " line(s) past the " + std::to_string(kMaxWaitingLines) +
               " kept were lost. ";
    if (waiting.empty())
        return lost;
    const std::string aside =
        files::Utf8FromPath(files::PathFromUtf8(sPath).parent_path() / kSiteBookWaitingFileName);
    const std::size_t count = waiting.size();
    while (!waiting.empty()) {
        const WriteOutcome outcome = Write(aside, waiting.front());
        if (!outcome)
            return lost + std::to_string(waiting.size()) +
                   " site book line(s) are lost: " + sWaitReason + ", and " + outcome.sError + ".";
        waiting.pop_front();
    }
    return lost + std::to_string(count) + " site book line(s) were written to \"" + aside +
           "\" beside the book, which refused them (" + sWaitReason +
           "); the book's page reads them from there.";
}

} // namespace records
