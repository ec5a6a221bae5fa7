// The report command: read the folder, compose the page, replace any earlier page beside it.
#include "records/WalkTestReport.h"

#include "records/FileReplace.h"
#include "records/ReportContents.h"
#include "records/ReportHtml.h"

#include <filesystem>

namespace records {

ReportOutcome WriteWalkTestReport(const std::string& folder) {
    ReportOutcome outcome;
    std::filesystem::path path = std::filesystem::absolute(folder).lexically_normal();
    // "recording/" and "." name the folder itself.
    if (!path.has_filename()) {
        path = path.parent_path();
    }
    std::string error;
    const std::optional<ReportContents> contents = ReadRecordingFolder(path, error);
    if (!contents) {
        outcome.sMessage = error + " No report was written.";
        return outcome;
    }
    const std::string page = (path.parent_path() / (path.filename().string() + ".html")).string();
    const WriteOutcome written = ReplaceFileContents(page, ComposeReportHtml(*contents));
    if (!written) {
        outcome.sMessage = written.sError;
        return outcome;
    }
    outcome.sPath = page;
    if (contents->missing.empty()) {
        outcome.kind = ReportOutcome::Kind::Complete;
        outcome.sMessage = "Walk-test report written: " + page;
        return outcome;
    }
    outcome.kind = ReportOutcome::Kind::Incomplete;
    outcome.sMessage = "Walk-test report written, with what is missing marked: " + page;
    for (const std::string& sentence : contents->missing) {
        outcome.sMessage += "\n" + sentence;
    }
    return outcome;
}

} // namespace records
