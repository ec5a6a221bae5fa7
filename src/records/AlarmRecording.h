// Alarm recording: a dated folder of window pictures taken at notable events, closed by a
// summary that lists them and counts the events.
#pragma once

#include "link/Clock.h"
#include "records/RecordingHost.h"

#include <string>
#include <vector>

namespace records {

class AlarmRecording {
public:
    AlarmRecording(const detlink::Clock& clock, RecordingHost& host);

    // A new folder named after now, counters at 0, and the "Start Recording" picture.
    void StartRecording();
    // Saves the window's picture under the label; true when it was written. Outside a
    // recording nothing is written. Clears bAlarmResync either way.
    bool TakeSnapshot(const std::string& label);
    // The "Stop Recording" picture and the summary; true when the summary was written.
    bool StopRecording();
    bool bRecording() const { return recording; }

    // The link cycle, the oscillogram and the Settings page count their events here.
    int iAlarmCount = 0;
    int iPreAlarmPLCount = 0;
    int iPreAlarmLLCount = 0;
    int iSettingsChangeCount = 0;
    int iCalibrationCount = 0;
    int iPauseCount = 0;
    int iDisconnectionCount = 0;
    int iMalfunctionCount = 0;
    // Asks for a picture at the next state word; set by the link supervision.
    bool bAlarmResync = false;

    std::string sRecordFolder;
    std::vector<std::string> slRecordContents;

private:
    std::string PathIn(const std::string& name) const;
    // The first failure of a run of failures reaches the operator; the rest would only repeat
    // it at every event of a walk test.
    void ReportFailure(const std::string& text);

    const detlink::Clock& clock;
    RecordingHost& host;
    bool recording = false;
    bool failureShown = false;
};

} // namespace records
