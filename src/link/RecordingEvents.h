// The events of a walk-test recording: the picture each one takes and the counter it moves,
// the eight counts of the summary, and the one request for a picture of the next state.
// The link, the oscillogram and the Settings page raise events here by their identity.
#pragma once

#include <string>
#include <vector>

namespace detlink {

enum class RecordingEvent {
    StartRecording,
    StopRecording,
    Calibration,
    SettingsChange,
    Pause,
    Disconnection,
    Alarm,
    Normal,
    Malfunction,
    PreAlarmPL,
    PreAlarmLL
};

// The recording behind the events: whether "Save <F6>" is on, and the picture itself.
class PictureTaker {
public:
    virtual ~PictureTaker() = default;
    virtual bool bRecording() const = 0;
    // Saves the window's picture under the label; true when it was written.
    virtual bool SavePicture(const std::string& label) = 0;
};

class RecordingEvents {
public:
    explicit RecordingEvents(PictureTaker& pictures)
        : pictures(pictures) {}

    // Whether "Save <F6>" is checked: the one question every source of events asks.
    bool SaveChecked() const { return pictures.bRecording(); }
    // Counts the event as its row says and, while recording, takes its picture; numbered
    // labels ("Alarm 3", "Pre Alarm PL 2") carry the event's count after the increment.
    void Raise(RecordingEvent event);
    // A new recording: every count at 0 and no request pending.
    void Restart();
    // "Alarms: n" ... "Malfunctions: n", in the summary's order.
    std::vector<std::string> SummaryLines() const;

    int iAlarmCount = 0;
    int iPreAlarmPLCount = 0;
    int iPreAlarmLLCount = 0;
    int iSettingsChangeCount = 0;
    int iCalibrationCount = 0;
    int iPauseCount = 0;
    int iDisconnectionCount = 0;
    int iMalfunctionCount = 0;
    // Asks for a picture of the state that follows an identification or a resumed link;
    // every picture clears it.
    bool bAlarmResync = false;

private:
    void TakeSnapshot(const std::string& label);

    PictureTaker& pictures;
};

} // namespace detlink
