// The recording's event table: the label, counter and picture of each event, with and
// without "Save <F6>", and the summary lines.
#include "LinkTestSupport.h"

using detlink::RecordingEvent;
using testing_support::FakePictures;

namespace {

struct EventCase {
    const char* name;
    RecordingEvent event;
    std::vector<std::string> labels; // pictures of two events in a row while recording
    int detlink::RecordingEvents::*counter;
    int countWhileRecording;
    int countWithoutRecording;
};

class RecordingEventsTest : public testing::TestWithParam<EventCase> {};

TEST_P(RecordingEventsTest, RaisedTwice) {
    const EventCase& c = GetParam();
    FakePictures pictures;
    detlink::RecordingEvents events{pictures};
    events.Raise(c.event);
    events.Raise(c.event);
    EXPECT_TRUE(pictures.labels.empty());
    if (c.counter) {
        EXPECT_EQ(events.*c.counter, c.countWithoutRecording);
    }

    events.Restart();
    pictures.recording = true;
    events.bAlarmResync = true;
    events.Raise(c.event);
    EXPECT_FALSE(events.bAlarmResync) << "every picture answers the request";
    events.Raise(c.event);
    EXPECT_EQ(pictures.labels, c.labels);
    if (c.counter) {
        EXPECT_EQ(events.*c.counter, c.countWhileRecording);
    }
}

using E = detlink::RecordingEvents;
INSTANTIATE_TEST_SUITE_P(
    Events, RecordingEventsTest,
    testing::Values(
        EventCase{"Calibration",
                  RecordingEvent::Calibration,
                  {"Calibration", "Calibration"},
                  &E::iCalibrationCount,
                  2,
                  0},
        EventCase{"SettingsChange",
                  RecordingEvent::SettingsChange,
                  {"Settings Change", "Settings Change"},
                  &E::iSettingsChangeCount,
                  2,
                  0},
        EventCase{"Pause", RecordingEvent::Pause, {"Pause", "Pause"}, &E::iPauseCount, 2, 0},
        EventCase{"Disconnection",
                  RecordingEvent::Disconnection,
                  {"Disconnection", "Disconnection"},
                  &E::iDisconnectionCount,
                  2,
                  0},
        EventCase{"Alarm", RecordingEvent::Alarm, {"Alarm 1", "Alarm 2"}, &E::iAlarmCount, 2, 2},
        EventCase{"Normal", RecordingEvent::Normal, {"Normal", "Normal"}, nullptr, 0, 0},
        EventCase{"Malfunction",
                  RecordingEvent::Malfunction,
                  {"Malfunction", "Malfunction"},
                  &E::iMalfunctionCount,
                  2,
                  2},
        EventCase{"PreAlarmPL",
                  RecordingEvent::PreAlarmPL,
                  {"Pre Alarm PL 1", "Pre Alarm PL 2"},
                  &E::iPreAlarmPLCount,
                  2,
                  0},
        EventCase{"PreAlarmLL",
                  RecordingEvent::PreAlarmLL,
                  {"Pre Alarm LL 1", "Pre Alarm LL 2"},
                  &E::iPreAlarmLLCount,
                  2,
                  0},
        EventCase{"StartRecording",
                  RecordingEvent::StartRecording,
                  {"Start Recording", "Start Recording"},
                  nullptr,
                  0,
                  0}),
    [](const testing::TestParamInfo<EventCase>& info) { return info.param.name; });

TEST(RecordingEventsSummary, EightLinesInOrderAndRestartClearsThem) {
    FakePictures pictures;
    detlink::RecordingEvents events{pictures};
    pictures.recording = true;
    for (RecordingEvent e :
         {RecordingEvent::Alarm, RecordingEvent::Alarm, RecordingEvent::PreAlarmPL,
          RecordingEvent::PreAlarmLL, RecordingEvent::SettingsChange, RecordingEvent::Calibration,
          RecordingEvent::Pause, RecordingEvent::Disconnection, RecordingEvent::Malfunction})
        events.Raise(e);
    EXPECT_EQ(events.SummaryLines(),
              (std::vector<std::string>{"Alarms: 2", "Pre Alarms PL: 1", "Pre Alarms LL: 1",
                                        "Settings Changes: 1", "Calibrations: 1", "Pauses: 1",
                                        "Disconnections: 1", "Malfunctions: 1"}));
    events.bAlarmResync = true;
    events.Restart();
    EXPECT_FALSE(events.bAlarmResync);
    EXPECT_EQ(events.SummaryLines().front(), "Alarms: 0");
    EXPECT_EQ(events.SummaryLines().back(), "Malfunctions: 0");
}

} // namespace
