// The site book's columns and lines, and its appender that reports a run of refusals once.
#include "records/SiteBook.h"

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
    , cSeparator(SiteBookSeparator(decimal)) {}

std::string SiteBook::Append(const SiteBookEntry& entry) {
    const WriteOutcome outcome = AppendWholeLine(sPath, CsvRecord(SiteBookColumns(), cSeparator),
                                                 SiteBookLine(entry, cSeparator));
    if (outcome) {
        bFailureShown = false;
        return {};
    }
    if (std::exchange(bFailureShown, true))
        return {};
    return outcome.sError;
}

} // namespace records
