// A walk-test summary's text as the recording writes it: the pictures it took, a name a line;
// its counts ("Alarms: 3"); and "Missing: <picture>: <error>" for a picture it could not save.
// Read apart from the folder it lies in, so that the reading stands alone.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace records {

struct SummaryText {
    std::vector<std::string> pictures; // every other line, in order, a repeated name repeated
    // By the counter's text ("Alarms: "): what follows it on the last line that starts with it.
    std::map<std::string, std::string> counts;
    std::map<std::string, std::string> notSaved; // picture name: the recording's error
};

// The counters' texts in the recording's order: "Alarms: " ... "Malfunctions: ".
std::vector<std::string> SummaryCounterTexts();

// Lines end with LF or CR LF; empty lines are passed over.
SummaryText ReadSummaryText(const std::string& text);

} // namespace records
