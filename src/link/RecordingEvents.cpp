// The event table of alarm recording and the summary's counter lines.
#include "link/RecordingEvents.h"

#include <array>

namespace detlink {
namespace {

enum class Counting {
    None,
    // Only events that get their picture count: the summary counts the recording's pictures.
    WithPicture,
    // Alarms and malfunctions count whether or not a recording is on.
    Always
};

struct EventRow {
    RecordingEvent event;
    const char* label;
    int RecordingEvents::*counter;
    Counting counting;
    bool numbered;
};

constexpr std::array<EventRow, 11> kEvents{{
    {RecordingEvent::StartRecording, "Start Recording", nullptr, Counting::None, false},
    {RecordingEvent::StopRecording, "Stop Recording", nullptr, Counting::None, false},
    {RecordingEvent::Calibration, "Calibration", &RecordingEvents::iCalibrationCount,
     Counting::WithPicture, false},
    {RecordingEvent::SettingsChange, "Settings Change", &RecordingEvents::iSettingsChangeCount,
     Counting::WithPicture, false},
    {RecordingEvent::Pause, "Pause", &RecordingEvents::iPauseCount, Counting::WithPicture, false},
    {RecordingEvent::Disconnection, "Disconnection", &RecordingEvents::iDisconnectionCount,
     Counting::WithPicture, false},
    {RecordingEvent::Alarm, "Alarm ", &RecordingEvents::iAlarmCount, Counting::Always, true},
    {RecordingEvent::Normal, "Normal", nullptr, Counting::None, false},
    {RecordingEvent::Malfunction, "Malfunction", &RecordingEvents::iMalfunctionCount,
     Counting::Always, false},
    {RecordingEvent::PreAlarmPL, "Pre Alarm PL ", &RecordingEvents::iPreAlarmPLCount,
     Counting::WithPicture, true},
    {RecordingEvent::PreAlarmLL, "Pre Alarm LL ", &RecordingEvents::iPreAlarmLLCount,
     Counting::WithPicture, true},
}};

struct SummaryRow {
    const char* text;
    int RecordingEvents::*counter;
};

constexpr std::array<SummaryRow, 8> kSummary{{
    {"Alarms: ", &RecordingEvents::iAlarmCount},
    {"Pre Alarms PL: ", &RecordingEvents::iPreAlarmPLCount},
    {"Pre Alarms LL: ", &RecordingEvents::iPreAlarmLLCount},
    {"Settings Changes: ", &RecordingEvents::iSettingsChangeCount},
    {"Calibrations: ", &RecordingEvents::iCalibrationCount},
    {"Pauses: ", &RecordingEvents::iPauseCount},
    {"Disconnections: ", &RecordingEvents::iDisconnectionCount},
    {"Malfunctions: ", &RecordingEvents::iMalfunctionCount},
}};

const EventRow& RowOf(RecordingEvent event) {
    for (const EventRow& row : kEvents) {
        if (row.event == event) {
            return row;
        }
    }
    return kEvents.front();
}

} // namespace

void RecordingEvents::Raise(RecordingEvent event) {
    const EventRow& row = RowOf(event);
    if (row.counting == Counting::Always) {
        ++(this->*row.counter);
    }
    if (!SaveChecked()) {
        return;
    }
    if (row.counting == Counting::WithPicture) {
        ++(this->*row.counter);
    }
    std::string label = row.label;
    if (row.numbered) {
        label += std::to_string(this->*row.counter);
    }
    TakeSnapshot(label);
}

void RecordingEvents::TakeSnapshot(const std::string& label) {
    bAlarmResync = false;
    pictures.SavePicture(label);
}

void RecordingEvents::Restart() {
    for (const SummaryRow& row : kSummary) {
        this->*row.counter = 0;
    }
    bAlarmResync = false;
}

std::vector<std::string> RecordingEvents::SummaryLines() const {
    std::vector<std::string> lines;
    for (const SummaryRow& row : kSummary) {
        lines.push_back(row.text + std::to_string(this->*row.counter));
    }
    return lines;
}

} // namespace detlink
