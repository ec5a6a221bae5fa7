// The report command: read the folder, write the page beside it in pieces, put it in place of
// any earlier page.
#include "records/WalkTestReport.h"

#include "files/Utf8Path.h"
#include "records/ReplacingFile.h"
#include "records/ReportContents.h"
#include "records/ReportHtml.h"

#include <exception>
#include <filesystem>
#include <new>

namespace records {

namespace {

ReportOutcome Report(const std::string& folder) {
    ReportOutcome outcome;
    std::filesystem::path path =
        std::filesystem::absolute(files::PathFromUtf8(folder)).lexically_normal();
    // "recording/" and "." name the folder itself.
    if (!path.has_filename()) {
        path = path.parent_path();
    }
    // The folder is reached from its parent, where its page goes, and both by their handles, so
    // that the depth of the path does not matter.
    const FolderHandle parent(path.parent_path());
    std::string error;
    const std::optional<ReportContents> contents =
        ReadRecordingFolder(parent.Sub(path.filename()), error);
    if (!contents) {
        outcome.sMessage = error + " No report was written.";
        return outcome;
    }
    std::filesystem::path pageName = path.filename();
    pageName += ".html";
    const std::string page = files::Utf8FromPath(parent.Path() / pageName);
    // Not through a link: an unrelated file must never be replaced by a report.
    ReplacingFile file(parent, pageName);
    if (!file.Outcome()) {
        outcome.sMessage = file.Outcome().sError;
        return outcome;
    }
    const std::vector<std::string> changed =
        WriteReportHtml(*contents, [&file](std::string_view piece) { file.Write(piece); });
    const bool complete = contents->missing.empty() && changed.empty();
    std::string message;
    if (complete) {
        message = "Walk-test report written: " + page;
    } else {
        message = "Walk-test report written, with what is missing marked: " + page;
        for (const std::vector<std::string>* sentences : {&contents->missing, &changed}) {
            for (const std::string& sentence : *sentences) {
                message += "\n" + sentence;
            }
        }
    }
    const WriteOutcome written = file.Finish();
    if (!written) {
        outcome.sMessage = written.sError;
        return outcome;
    }
    outcome.kind = complete ? ReportOutcome::Kind::Complete : ReportOutcome::Kind::Incomplete;
    outcome.sPath = page;
    outcome.sMessage = std::move(message);
    return outcome;
}

} // namespace

ReportOutcome WriteWalkTestReport(const std::string& folder) {
    // Whatever goes wrong ends as a report not written, with a plain reason: nothing escapes
    // to abort the command with an exit code of its own.
    ReportOutcome outcome;
    try {
        return Report(folder);
    } catch (const std::bad_alloc&) {
        outcome.sMessage = "Not enough memory to make the report of \"" + folder + "\".";
    } catch (const std::exception& error) {
        outcome.sMessage = "The report of \"" + folder + "\" failed: " + error.what() + ".";
    }
    outcome.sMessage += " No report was written.";
    return outcome;
}

} // namespace records
