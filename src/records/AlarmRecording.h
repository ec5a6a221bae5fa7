// Alarm recording: a dated folder of window pictures taken at notable events, closed by a
// summary that lists them and counts the events.
#pragma once

#include "link/Clock.h"
#include "link/RecordingEvents.h"
#include "records/RecordingHost.h"

#include <string>
#include <vector>

namespace records {

class AlarmRecording final : public detlink::PictureTaker {
public:
    AlarmRecording(const detlink::Clock& clock, RecordingHost& host);

    // A new folder named after now, counters at 0, and the "Start Recording" picture.
    void StartRecording();
    // The "Stop Recording" picture and the summary; true when the summary was written. A
    // summary the disk refuses waits, with its text, for WriteWaitingSummaries.
    bool StopRecording();
    // On from StartRecording to StopRecording: "Save <F6>" as the events see it.
    bool bRecording() const override { return recording; }
    // Saves the window's picture under the label; true when it was written. Outside a
    // recording nothing is written.
    bool SavePicture(const std::string& label) override;

    // Where the link, the oscillogram and the Settings page raise their events.
    detlink::RecordingEvents Events{*this};

    std::string sRecordFolder;
    std::vector<std::string> slRecordContents;

    // A picture that could not be saved: its name stays in the list, and the summary says
    // after its counts why the file is not there.
    struct MissingPicture {
        std::string sName;
        std::string sError;
    };
    const std::vector<MissingPicture>& MissingPictures() const { return missingPictures; }

    struct WaitingSummary {
        std::string sFolder;
        std::string sPath;
        std::string sText;
        std::string sError; // the last refusal
    };
    const std::vector<WaitingSummary>& WaitingSummaries() const { return waitingSummaries; }
    // Tries the waiting summaries again; the folders whose summary is written now.
    std::vector<std::string> WriteWaitingSummaries();

private:
    std::string PathIn(const std::string& name) const;
    // The operator hears of the first failure of a run of failures of one kind of file;
    // a success of that kind, or a new recording, ends the run. Pictures and summaries
    // are separate kinds, so a missing summary is never hidden by failed pictures. A
    // recording folder that cannot be made is reported alone, once, as the start of a run
    // of both kinds: every file of that recording fails for that one reason.
    void ReportFailure(bool& shown, const std::string& text);

    const detlink::Clock& clock;
    RecordingHost& host;
    std::vector<MissingPicture> missingPictures;
    std::vector<WaitingSummary> waitingSummaries;
    bool recording = false;
    bool pictureFailureShown = false;
    bool summaryFailureShown = false;
};

} // namespace records
