// Recording folders, pictures and the summary with its eight counters.
#include "records/AlarmRecording.h"

#include "records/FileReplace.h"
#include "records/PngWriter.h"
#include "records/RecordNames.h"
#include "records/RecordingLabels.h"

#include <filesystem>

namespace records {

AlarmRecording::AlarmRecording(const detlink::Clock& clock, RecordingHost& host)
    : clock(clock)
    , host(host) {}

std::string AlarmRecording::PathIn(const std::string& name) const {
    return (std::filesystem::path(sRecordFolder) / name).string();
}

void AlarmRecording::ReportFailure(const std::string& text) {
    if (!failureShown) {
        failureShown = true;
        host.ReportError(text);
    }
}

void AlarmRecording::StartRecording() {
    sRecordFolder = RecordFolderName(clock.Now());
    slRecordContents.clear();
    bAlarmResync = false;
    host.ResetAlarmLatches();
    iAlarmCount = iPreAlarmPLCount = iPreAlarmLLCount = iSettingsChangeCount = 0;
    iCalibrationCount = iPauseCount = iDisconnectionCount = iMalfunctionCount = 0;
    recording = true;
    failureShown = false;
    // An existing folder (a recording started in the same second) is used as it is; one
    // that cannot be made shows up as the pictures' failure.
    std::error_code ignored;
    std::filesystem::create_directory(sRecordFolder, ignored);
    TakeSnapshot(kLabelStartRecording);
}

bool AlarmRecording::TakeSnapshot(const std::string& label) {
    bAlarmResync = false;
    if (!recording) {
        return false;
    }
    const std::string name = PictureName(clock.Now(), label);
    const std::string path = PathIn(name);
    slRecordContents.push_back(name);
    const Image picture = host.RenderWindow();
    const WriteOutcome outcome = WritePngFile(path, picture.View());
    if (!outcome) {
        ReportFailure(outcome.sError);
        return false;
    }
    failureShown = false;
    host.WriteLogLine(path);
    return true;
}

bool AlarmRecording::StopRecording() {
    if (!recording) {
        return false;
    }
    TakeSnapshot(kLabelStopRecording);
    recording = false;
    const std::string path = PathIn(SummaryName(clock.Now()));
    const std::pair<const char*, int> counters[] = {
        {"Alarms: ", iAlarmCount},
        {"Pre Alarms PL: ", iPreAlarmPLCount},
        {"Pre Alarms LL: ", iPreAlarmLLCount},
        {"Settings Changes: ", iSettingsChangeCount},
        {"Calibrations: ", iCalibrationCount},
        {"Pauses: ", iPauseCount},
        {"Disconnections: ", iDisconnectionCount},
        {"Malfunctions: ", iMalfunctionCount},
    };
    for (const auto& [text, count] : counters) {
        slRecordContents.push_back(text + std::to_string(count));
    }
    std::string summary;
    for (const std::string& line : slRecordContents) {
        summary += line + "\r\n";
    }
    const WriteOutcome outcome = ReplaceFileContents(path, summary);
    if (!outcome) {
        ReportFailure(outcome.sError);
        return false;
    }
    host.WriteLogLine(path + "\n" + summary);
    return true;
}

} // namespace records
