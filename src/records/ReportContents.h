// What a walk-test recording folder holds, read for its report: the summaries with their
// pictures and counts, and what is missing. Nothing in the folder is changed.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace records {

struct ReportPicture {
    std::string sName;    // the file name in the folder
    std::string sDate;    // "YYYY-MM-DD" from the name; empty when the name has no time stamp
    std::string sTime;    // "hh:nn:ss.zzz" from the name; empty likewise
    std::string sLabel;   // the event: the name without its time stamp and ".png"
    std::string sPng;     // the file's bytes; empty when it cannot be shown
    std::string sProblem; // why it cannot be shown; empty when it can
};

// One summary file and the pictures it lists; without a summary, the pictures no summary lists.
struct ReportRecording {
    std::string sSummaryName; // empty for pictures no summary lists
    std::vector<ReportPicture> pictures;
    std::vector<std::pair<std::string, std::string>> counts; // "Alarms", "3", in summary order
};

struct ReportContents {
    std::string sFolderName;
    std::string sDate; // "YYYY-MM-DD" of the first picture or summary
    std::string sTime; // "hh:nn:ss" likewise
    std::vector<ReportRecording> recordings;
    std::vector<std::string>
        missing; // one sentence per thing missing, for the page and the operator
};

// Reads the folder; nullopt with the reason in error when it is not a folder or holds neither
// a summary nor a picture of a recording.
std::optional<ReportContents> ReadRecordingFolder(const std::filesystem::path& folder,
                                                  std::string& error);

} // namespace records
