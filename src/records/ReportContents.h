// What a walk-test recording folder holds, read for its report: the summaries with their
// pictures and counts, and what is missing. Nothing in the folder is changed; the pictures'
// bytes are read again, one at a time, when the page is written.
#pragma once

#include "records/ReportFileRead.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace records {

struct ReportPicture {
    std::string sName;  // the file name in the folder
    std::string sDate;  // "YYYY-MM-DD" from the name; empty when the name has no time stamp
    std::string sTime;  // "hh:nn:ss.zzz" from the name; empty likewise
    std::string sLabel; // the event: the name without its time stamp and ".png"
    // Why it is not in the page, in the words that follow its name ("missing from the
    // folder"); empty when it is.
    std::string sProblem;
    // A name listed more than once is put in the page once: its first listing carries this
    // anchor (1, 2, ...) and the later ones (bRepeat) refer to it. 0 for a name listed once.
    int iAnchor = 0;
    bool bRepeat = false;
    // For a "Calibration" picture right after a "Pause" or "Disconnection" picture of the same
    // recording, that label: the picture of the link's re-synchronisation when the detector
    // answered again, not of a calibration. Empty otherwise.
    std::string sResyncAfter;
};

// One summary file and the pictures it lists; without a summary, the pictures no summary lists.
struct ReportRecording {
    std::string sSummaryName; // empty for pictures no summary lists
    std::vector<ReportPicture> pictures;
    std::vector<std::pair<std::string, std::string>> counts; // "Alarms", "3", in summary order
};

struct ReportContents {
    FolderHandle folder; // where the pictures are read from
    std::string sFolderName;
    std::string sDate; // "YYYY-MM-DD" of the first picture or summary
    std::string sTime; // "hh:nn:ss" likewise
    std::vector<ReportRecording> recordings;
    std::vector<std::string>
        missing; // one sentence per thing missing, for the page and the operator
};

// Reads the folder; nullopt with the reason in error when it is not a folder or holds neither
// a summary nor a picture of a recording.
std::optional<ReportContents> ReadRecordingFolder(FolderHandle folder, std::string& error);

// The largest picture put in the page, far above a window's picture (tens of kilobytes); a
// larger one is listed with its size, so that a stray file cannot swell the page.
inline constexpr std::uint64_t kMaxPictureBytes = std::uint64_t{20} << 20;

// Why a picture file is not put in the page.
struct PictureProblem {
    std::string_view verb; // before the reason in a sentence: "is", "was", or none
    std::string sReason;   // after the picture's name: "missing from the folder"
};

// Whether a picture file read from the folder goes into the page: a PNG picture of at most
// kMaxPictureBytes. Its first bytes suffice to tell.
std::optional<PictureProblem> CheckPicture(const ReportFile& file);

} // namespace records
