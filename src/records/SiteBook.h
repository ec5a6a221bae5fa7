// The site book: one line for each event of every detector the installer set up (identified,
// settings confirmed, calibration ended, walk test recorded), appended to "Site book.csv"
// beside the settings file, so that the site can be handed over with a record of each unit.
#pragma once

#include "records/Csv.h"
#include "records/WriteOutcome.h"

#include <deque>
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

// The position of a detector that has none, as a line holds it.
inline constexpr const char* kNoPositionText = "---";

// The events a line records.
inline constexpr const char* kEventIdentified = "Identified";
inline constexpr const char* kEventSettingsConfirmed = "Settings confirmed";
// The detector left before it confirmed a change: the page asks about it.
inline constexpr const char* kEventSettingsNotConfirmed = "Settings not confirmed";
inline constexpr const char* kEventCalibrationEnded = "Calibration ended";
inline constexpr const char* kEventWalkTest = "Walk test";
// The run ended before the walk test's summary could be written: its folder holds the pictures.
inline constexpr const char* kEventWalkTestWithoutSummary = "Walk test (summary missing)";

// The header's column names, in the order of a line's fields.
const std::vector<std::string>& SiteBookColumns();

// ';' where the decimal separator is a comma, as spreadsheets of that notation expect; ','
// otherwise.
char SiteBookSeparator(char decimal);

std::string SiteBookLine(const SiteBookEntry& entry, char separator);

// Lines the book refuses wait here, oldest first, when another program holds the book (a
// spreadsheet keeps it locked while it is open) or the disk is full.
inline constexpr std::size_t kMaxWaitingLines = 10000;
// Beside the book, where the lines still waiting at the end of a run are put; the book's page
// reads it with the book.
inline constexpr const char* kSiteBookWaitingFileName = "Site book (waiting).csv";

// Appends entries to the book. A line the book refuses is kept and written, in its turn, at
// the next line, at the next WriteWaiting or at the end of the run; the operator hears of the
// first refusal of a run of them.
class SiteBook {
public:
    SiteBook(std::string path, char decimal);

    // Writes the header first when the file is new or empty. A book begun under the other
    // decimal notation goes on in its own: its separator, and its decimal sign in the numbers.
    // An empty error when the line was written or kept with the failure already reported in
    // this run; otherwise the text for the operator.
    std::string Append(const SiteBookEntry& entry);
    // Writes the lines that wait, as far as the book takes them; the error as Append's.
    std::string WriteWaiting();
    std::size_t Waiting() const { return waiting.size(); }
    // Why the lines wait: the book's last refusal.
    const std::string& WaitReason() const { return sWaitReason; }
    // Lines past kMaxWaitingLines are lost, and counted here.
    std::size_t Dropped() const { return dropped; }

    // The end of the run: what the book still refuses goes to kSiteBookWaitingFileName beside
    // it. Empty when nothing waited; otherwise the text for the operator saying where the lines
    // went, or that they could not be kept.
    std::string SetWaitingAside();

private:
    // The separator of the header already in the book, when there is one.
    std::optional<char> BookSeparator() const;
    WriteOutcome Write(const std::string& path, const SiteBookEntry& entry) const;
    std::string Refused(const WriteOutcome& outcome);

    std::string sPath;
    char cDecimal;
    char cSeparator;
    std::deque<SiteBookEntry> waiting;
    std::size_t dropped = 0;
    std::string sWaitReason;
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
