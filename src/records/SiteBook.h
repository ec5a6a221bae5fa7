// The site book: one line for each event of every detector the installer set up (identified,
// settings confirmed, calibration ended, walk test recorded), appended to "Site book.csv"
// beside the settings file, so that the site can be handed over with a record of each unit.
#pragma once

#include "records/Csv.h"
#include "records/WriteOutcome.h"

#include <optional>
#include <string>
#include <vector>

namespace records {

inline constexpr const char* kSiteBookFileName = "Site book.csv";

// The texts of one line, as the status panel shows them.
struct SiteBookEntry {
    std::string sDateTime;
    std::string sEvent;
    std::string sPort;
    std::string sModel;
    std::string sVersion;
    std::string sUnitId;
    std::string sPosition;
    std::string sAddress; // empty where the output type has no address
    std::string sOutputType;
    std::string sZoneLength;
    std::string sSetupMethod;
    std::string sSensitivity;
    std::string sPL;
    std::string sLL;
    std::string sHL;
    std::string sVmin;
    std::string sVmax;
    std::string sSupply;
    std::string sWalkTestFolder;
    // The walk test's eight counts in the summary's order, or none.
    std::vector<std::string> walkTestCounts;
};

// The events a line records.
inline constexpr const char* kEventIdentified = "Identified";
inline constexpr const char* kEventSettingsConfirmed = "Settings confirmed";
// The detector left before it confirmed a change: the page asks about it.
inline constexpr const char* kEventSettingsNotConfirmed = "Settings not confirmed";
inline constexpr const char* kEventCalibrationEnded = "Calibration ended";
inline constexpr const char* kEventWalkTest = "Walk test";

// The header's column names, in the order of a line's fields.
const std::vector<std::string>& SiteBookColumns();

// ';' where the decimal separator is a comma, as spreadsheets of that notation expect; ','
// otherwise.
char SiteBookSeparator(char decimal);

std::string SiteBookLine(const SiteBookEntry& entry, char separator);

// Appends entries to the book; a refused line is lost alone, and the operator hears of the
// first of a run of refusals.
class SiteBook {
public:
    SiteBook(std::string path, char decimal);

    // Writes the header first when the file is new or empty. A book begun under the other
    // decimal notation goes on in its own: its separator, and its decimal sign in the numbers.
    // An empty error when the line
    // was written or the failure was already reported in this run; otherwise the text for
    // the operator.
    std::string Append(const SiteBookEntry& entry);

private:
    // The separator of the header already in the book, when there is one.
    std::optional<char> BookSeparator() const;

    std::string sPath;
    char cDecimal;
    char cSeparator;
    bool bFailureShown = false;
};

// One write of the whole text at the file's end, the header first when the file is new or
// empty. Copies of the program appending to the same file take turns through a lock on it, so
// the header is written once and a write cut short (a full disk) is taken back to the file's
// former end: no half line stays. A lock held far longer than an append is met with a refusal,
// like a full disk, not with a wait.
WriteOutcome AppendWholeLine(const std::string& path, const std::string& header,
                             const std::string& line);

} // namespace records
