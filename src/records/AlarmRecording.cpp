// Recording folders, pictures and the summary with its eight counters.
#include "records/AlarmRecording.h"

#include "files/Utf8Path.h"
#include "records/FileReplace.h"
#include "records/PngWriter.h"
#include "records/RecordNames.h"

#include <filesystem>

namespace records {

AlarmRecording::AlarmRecording(const detlink::Clock& clock, RecordingHost& host)
    : clock(clock)
    , host(host) {}

std::string AlarmRecording::PathIn(const std::string& name) const {
    return files::Utf8FromPath(files::PathFromUtf8(sRecordFolder) / files::PathFromUtf8(name));
}

void AlarmRecording::ReportFailure(bool& shown, const std::string& text) {
    if (!shown) {
        shown = true;
        host.ReportError(text);
    }
}

void AlarmRecording::StartRecording() {
    sRecordFolder = RecordFolderName(clock.Now());
    slRecordContents.clear();
    missingPictures.clear();
    Events.Restart();
    host.ResetAlarmLatches();
    recording = true;
    pictureFailureShown = false;
    summaryFailureShown = false;
    // An existing folder (a recording started in the same second) is used as it is.
    std::error_code error;
    std::filesystem::create_directory(files::PathFromUtf8(sRecordFolder), error);
    if (error) {
        // Nothing of this recording can be written: this report stands for every picture and
        // the summary, whose own reports would name a missing file and not its cause.
        // The error's own message: its category differs between standard libraries (MinGW
        // reports errno values), so its number alone names the wrong reason there.
        host.ReportError("Cannot create recording folder \"" + sRecordFolder +
                         "\": " + error.message());
        pictureFailureShown = true;
        summaryFailureShown = true;
    }
    Events.Raise(detlink::RecordingEvent::StartRecording);
}

bool AlarmRecording::SavePicture(const std::string& label) {
    if (!recording) {
        return false;
    }
    const std::string name = PictureName(clock.Now(), label);
    const std::string path = PathIn(name);
    slRecordContents.push_back(name);
    const Image picture = host.RenderWindow();
    const WriteOutcome outcome = WritePngFile(path, picture.View());
    if (!outcome) {
        missingPictures.push_back({name, outcome.sError});
        ReportFailure(pictureFailureShown, outcome.sError);
        return false;
    }
    pictureFailureShown = false;
    host.WriteLogLine(path);
    return true;
}

bool AlarmRecording::StopRecording() {
    if (!recording) {
        return false;
    }
    Events.Raise(detlink::RecordingEvent::StopRecording);
    recording = false;
    const std::string path = PathIn(SummaryName(clock.Now()));
    // Between the names and the eight counts: readers take the summary's last eight lines as
    // the counts, and find the names first.
    for (const MissingPicture& missing : missingPictures) {
        slRecordContents.push_back(MissingPictureLine(missing.sName, missing.sError));
    }
    for (std::string& line : Events.SummaryLines()) {
        slRecordContents.push_back(std::move(line));
    }
    std::string summary;
    for (const std::string& line : slRecordContents) {
        summary += line + "\r\n";
    }
    const WriteOutcome outcome = ReplaceFileContents(path, summary);
    if (!outcome) {
        ReportFailure(summaryFailureShown, outcome.sError);
        waitingSummaries.push_back({sRecordFolder, path, std::move(summary), outcome.sError});
        return false;
    }
    summaryFailureShown = false;
    host.WriteLogLine(path + "\n" + summary);
    return true;
}

std::vector<std::string> AlarmRecording::WriteWaitingSummaries() {
    std::vector<std::string> written;
    std::erase_if(waitingSummaries, [&](WaitingSummary& waiting) {
        const WriteOutcome outcome = ReplaceFileContents(waiting.sPath, waiting.sText);
        if (!outcome) {
            waiting.sError = outcome.sError;
            return false;
        }
        host.WriteLogLine(waiting.sPath + "\n" + waiting.sText);
        written.push_back(waiting.sFolder);
        return true;
    });
    return written;
}

} // namespace records
